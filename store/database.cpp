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
#include <optional>

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
    return fileKindOfHeader(file.read(32));
}

DatabaseFileKind fileKindOfHeader(const QByteArray& header)
{
    if (header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return DatabaseFileKind::SQLite;
    if (isAccessHeader(header))
        return DatabaseFileKind::Access;
    return DatabaseFileKind::Other;
}

bool isAccessHeader(const QByteArray& header)
{
    // Jet 3 and Jet 4 files carry this signature at offset 4, ACE files the other.
    const QByteArray signature = header.mid(4, 15);
    return signature == QByteArrayLiteral("Standard Jet DB") || signature == QByteArrayLiteral("Standard ACE DB");
}

namespace {

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString kindMessage(DatabaseFileKind kind, const QString& path)
{
    switch (kind) {
    case DatabaseFileKind::Missing:
        return QStringLiteral("找不到数据库文件：%1").arg(nativePath(path));
    case DatabaseFileKind::Unreadable:
        return QStringLiteral("无法读取数据库文件：%1").arg(nativePath(path));
    case DatabaseFileKind::Access:
        return QStringLiteral("数据库文件 %1 是 Access 格式，本程序需要先将其转换后才能使用。").arg(nativePath(path));
    case DatabaseFileKind::Other:
    case DatabaseFileKind::SQLite:
        break;
    }
    return QStringLiteral("文件 %1 不是本程序的数据库文件。").arg(nativePath(path));
}

// SQLite's primary result codes that the open distinguishes.
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;

int nativeCode(const QSqlError& error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

// Opens the driver's connection and reads the schema once, which is where
// SQLite first looks at the file. Returns the driver's error, if any.
std::optional<QSqlError> openDriverConnection(const QString& name, const QString& path, const QString& mode)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    // The URI form with mode=rw opens an existing file and never creates one.
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) + QStringLiteral("?") + mode;
    db.setDatabaseName(uri);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open())
        return db.lastError();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return query.lastError();
    return std::nullopt;
}

void closeDriverConnection(const QString& name)
{
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

Expected<std::shared_ptr<Connection>, QString> Connection::open(const QString& path, Access access)
{
    using Result = Expected<std::shared_ptr<Connection>, QString>;
    // Only the file's metadata is looked at before SQLite has it: opening and
    // closing a descriptor of a database file would drop every lock this
    // process holds on it, those of its other connections included.
    const QFileInfo info(path);
    if (!info.exists())
        return Result::failure(kindMessage(DatabaseFileKind::Missing, path));
    if (!info.isFile())
        return Result::failure(kindMessage(DatabaseFileKind::Unreadable, path));
    // SQLite takes an empty file for an empty database and would write to it.
    if (info.size() == 0)
        return Result::failure(kindMessage(DatabaseFileKind::Other, path));

    const QString name = QStringLiteral("tarnwick-%1").arg(connectionCounter.fetch_add(1));
    const bool readOnly = access == Access::ReadOnly;
    auto error = openDriverConnection(name, path, readOnly ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
    if (error && readOnly && (nativeCode(*error) == kSqliteCantOpen || nativeCode(*error) == kSqliteReadOnly)) {
        // A file left in write-ahead-log mode needs its shared-memory file
        // beside it; in a folder nobody may write to, that file cannot be
        // made. Nobody can be writing there either, so the file is read as
        // it stands.
        closeDriverConnection(name);
        error = openDriverConnection(name, path, QStringLiteral("mode=ro&immutable=1"));
    }
    if (error) {
        const int code = nativeCode(*error);
        closeDriverConnection(name);
        if (code == kSqliteNotADatabase) {
            // Not a database of ours: no connection of this process can hold
            // locks on it, so its header may be looked at to say what it is.
            const DatabaseFileKind kind = databaseFileKind(path);
            return Result::failure(kindMessage(kind == DatabaseFileKind::SQLite ? DatabaseFileKind::Other : kind, path));
        }
        return Result::failure(QStringLiteral("无法打开数据库文件 %1。请检查文件是否存在、是否有读写权限，以及它是否被其他程序独占。%2")
                                   .arg(nativePath(path), driverText(*error)));
    }

    std::shared_ptr<Connection> connection(new Connection(name, path, access));
    if (!readOnly) {
        QSqlQuery pragma(connection->database());
        // A rollback journal rather than a write-ahead log: it needs no
        // shared memory beside the file, so the file can be read from a
        // folder that cannot be written and is safer on a network drive.
        // Each run commits once, so the full synchronisation costs little
        // and a power cut loses at most the run being written. Another
        // program holding the file in write-ahead-log mode keeps it so.
        pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        pragma.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    }
    return connection;
}

Connection::~Connection()
{
    closeDriverConnection(m_name);
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

QString databaseFilePath(const QSqlDatabase& db)
{
    const QUrl url(db.databaseName());
    return url.isLocalFile() ? url.toLocalFile() : db.databaseName();
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

QString selectInStoredOrderSql(const QString& table, const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(quotedName(field));
    return QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid").arg(quoted.join(QStringLiteral(", ")), quotedName(table));
}

QString firstRowKeySql(const QString& table, const QString& whereField)
{
    const QString where = whereField.isEmpty() ? QString() : QStringLiteral(" WHERE %1 = ?").arg(quotedName(whereField));
    return QStringLiteral("SELECT rowid FROM %1%2 ORDER BY rowid LIMIT 1").arg(quotedName(table), where);
}

QString deleteFromRowKeySql(const QString& table)
{
    return QStringLiteral("DELETE FROM %1 WHERE rowid >= ?").arg(quotedName(table));
}

QString updateByRowKeySql(const QString& table, const QStringList& fields)
{
    QStringList assignments;
    for (const QString& field : fields)
        assignments.append(quotedName(field) + QStringLiteral(" = ?"));
    return QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quotedName(table), assignments.join(QStringLiteral(", ")));
}

bool setBusyTimeout(QSqlDatabase db, int milliseconds)
{
    QSqlQuery pragma(db);
    return pragma.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(milliseconds));
}

bool isBusyError(const QSqlError& error)
{
    const int code = nativeCode(error);
    return code == 5 || code == 6;
}

QString driverText(const QSqlError& error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QString() : QStringLiteral("（%1）").arg(text);
}

QString databaseErrorText(const QString& what, const QSqlError& error)
{
    QString advice;
    switch (nativeCode(error)) {
    case 5: // busy
    case 6: // locked
        advice = QStringLiteral("数据库正被其他程序使用，等待超时。请稍后再试，或先结束正在写入该数据库的程序。");
        break;
    case 8: // read-only
        advice = QStringLiteral("数据库文件或它所在的文件夹不允许写入。请检查权限，或把数据库复制到可以写入的文件夹。");
        break;
    case 10: // input/output
        advice = QStringLiteral("读写数据库文件时出错。请检查磁盘或网络驱动器是否正常，然后重试。");
        break;
    case 11: // corrupt
        advice = QStringLiteral("数据库文件已损坏。请用备份恢复数据库。");
        break;
    case 13: // full
        advice = QStringLiteral("磁盘已满。请释放磁盘空间后重试。");
        break;
    case 14: // cannot open
        advice = QStringLiteral("无法打开数据库文件或它的日志文件。请检查文件夹是否存在、是否允许写入。");
        break;
    default:
        advice = QStringLiteral("请检查数据库文件后重试。");
        break;
    }
    return QStringLiteral("%1失败：%2%3").arg(what, advice, driverText(error));
}

ReadSnapshot::ReadSnapshot(QSqlDatabase db) : m_db(std::move(db))
{
    // A deferred transaction takes its snapshot at the first read and holds
    // it to the end.
    QSqlQuery begin(m_db);
    if (!begin.exec(QStringLiteral("BEGIN")))
        m_error = databaseErrorText(QStringLiteral("读取数据库"), begin.lastError());
}

ReadSnapshot::~ReadSnapshot()
{
    if (!isValid())
        return;
    QSqlQuery end(m_db);
    end.exec(QStringLiteral("COMMIT"));
}

bool inTransaction(QSqlDatabase db, const std::function<bool()>& work, QString* error, bool* busy)
{
    if (busy)
        *busy = false;
    // IMMEDIATE takes the write lock at the start, waiting out another
    // writer for the busy timeout. A deferred transaction that reads before
    // it writes would instead fail at once with "database is locked" when
    // another connection has written in between.
    QSqlQuery statement(db);
    if (!statement.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        if (busy)
            *busy = isBusyError(statement.lastError());
        if (error)
            *error = databaseErrorText(QStringLiteral("开始写入数据库"), statement.lastError());
        return false;
    }
    if (!work()) {
        statement.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (!statement.exec(QStringLiteral("COMMIT"))) {
        if (busy)
            *busy = isBusyError(statement.lastError());
        if (error)
            *error = databaseErrorText(QStringLiteral("提交写入"), statement.lastError());
        statement.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

} // namespace tarnwick::store
