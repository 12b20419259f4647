#include "store/database.h"

#include "store/names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>

namespace tarnwick::store {

namespace {

std::atomic<int> connectionCounter{0};

// A second writer waits this long for the other to finish before giving up.
constexpr int kBusyTimeoutMs = 10000;

} // namespace

QString programFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString databasePath(const QString& folder)
{
    return folder + QLatin1Char('/') + names::databaseFileName();
}

QString connectionString(const QString& folder)
{
    return connectionStringForFile(databasePath(folder));
}

QString connectionStringForFile(const QString& path)
{
    return QStringLiteral("DRIVER=QSQLITE;Data Source=") + path + QLatin1Char(';');
}

DatabaseFileKind databaseFileKind(const QString& path)
{
    QFileInfo info(path);
    if (!info.exists())
        return DatabaseFileKind::Missing;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return DatabaseFileKind::Unreadable;
    const QByteArray header = file.read(32);
    if (header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return DatabaseFileKind::SQLite;
    // Jet 3 and Jet 4 files carry this signature at offset 4.
    if (header.mid(4, 15) == QByteArrayLiteral("Standard Jet DB") || header.mid(4, 15) == QByteArrayLiteral("Standard ACE DB"))
        return DatabaseFileKind::Access;
    return DatabaseFileKind::Other;
}

Expected<std::shared_ptr<Connection>, QString> Connection::open(const QString& path)
{
    using Result = Expected<std::shared_ptr<Connection>, QString>;
    switch (databaseFileKind(path)) {
    case DatabaseFileKind::Missing:
        return Result::failure(QStringLiteral("找不到数据库文件：%1").arg(QDir::toNativeSeparators(path)));
    case DatabaseFileKind::Unreadable:
        return Result::failure(QStringLiteral("无法读取数据库文件：%1").arg(QDir::toNativeSeparators(path)));
    case DatabaseFileKind::Access:
        return Result::failure(
            QStringLiteral("数据库文件 %1 是 Access 格式，本程序需要先将其转换后才能使用。").arg(QDir::toNativeSeparators(path)));
    case DatabaseFileKind::Other:
        return Result::failure(QStringLiteral("文件 %1 不是本程序的数据库文件。").arg(QDir::toNativeSeparators(path)));
    case DatabaseFileKind::SQLite:
        break;
    }

    const QString name = QStringLiteral("tarnwick-%1").arg(connectionCounter.fetch_add(1));
    std::shared_ptr<Connection> connection(new Connection(name, path));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        // The URI form with mode=rw opens an existing file and never creates one.
        const QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
                            QStringLiteral("?mode=rw");
        db.setDatabaseName(uri);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        if (!db.open()) {
            const QString error = db.lastError().text();
            return Result::failure(
                QStringLiteral("无法打开数据库文件 %1：%2").arg(QDir::toNativeSeparators(path), error));
        }
        QSqlQuery pragma(db);
        // The write-ahead log keeps readers and the writer apart; NORMAL
        // synchronisation loses at most the last commits on a power cut,
        // never the file's consistency.
        pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        if (!pragma.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const QString error = pragma.lastError().text();
            return Result::failure(
                QStringLiteral("无法读取数据库文件 %1：%2").arg(QDir::toNativeSeparators(path), error));
        }
    }
    return connection;
}

Connection::~Connection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

QString quotedName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

Expected<StoredOrderQuery, QString> storedOrderQuery(const QSqlDatabase& db, const QString& tableOrView)
{
    using Result = Expected<StoredOrderQuery, QString>;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT type FROM sqlite_master WHERE name = ? AND type IN ('table', 'view')"));
    query.addBindValue(tableOrView);
    if (!query.exec())
        return Result::failure(QStringLiteral("无法读取数据库结构：%1").arg(query.lastError().text()));
    if (!query.next())
        return Result::failure(QStringLiteral("数据库中没有表或查询“%1”。").arg(tableOrView));
    StoredOrderQuery result;
    if (query.value(0).toString() == QStringLiteral("table")) {
        result.hasRowKey = true;
        result.sql = QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(quotedName(tableOrView));
    } else {
        result.sql = QStringLiteral("SELECT * FROM %1").arg(quotedName(tableOrView));
    }
    return result;
}

QString deleteByRowKeySql(const QString& table)
{
    return QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quotedName(table));
}

QString selectByRowKeySql(const QString& table)
{
    return QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid = ?").arg(quotedName(table));
}

bool inTransaction(QSqlDatabase db, const std::function<bool()>& work, QString* error)
{
    // IMMEDIATE takes the write lock at the start, waiting out another
    // writer for the busy timeout. A deferred transaction that reads before
    // it writes would instead fail at once with "database is locked" when
    // another connection has written in between.
    QSqlQuery statement(db);
    if (!statement.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        if (error)
            *error = statement.lastError().text();
        return false;
    }
    if (!work()) {
        statement.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (!statement.exec(QStringLiteral("COMMIT"))) {
        if (error)
            *error = statement.lastError().text();
        statement.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

} // namespace tarnwick::store
