#include "store/database.h"

#include "store/names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <libpq-fe.h>

#include <atomic>
#include <optional>

namespace tarnwick::store {

namespace {

std::atomic<int> connectionCounter{0};

// A second writer waits this long for the other to finish before giving up.
constexpr int kBusyTimeoutMs = 10000;

} // namespace

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
        return QCoreApplication::translate("tarnwick::store", "找不到数据库文件：%1").arg(nativePath(path));
    case DatabaseFileKind::Unreadable:
        return QCoreApplication::translate("tarnwick::store", "无法读取数据库文件：%1").arg(nativePath(path));
    case DatabaseFileKind::Access:
        return QCoreApplication::translate("tarnwick::store",
                                           "数据库文件 %1 是 Access 格式，本程序需要先将其转换后才能使用。")
            .arg(nativePath(path));
    case DatabaseFileKind::Other:
    case DatabaseFileKind::SQLite:
        break;
    }
    return QCoreApplication::translate("tarnwick::store", "文件 %1 不是本程序的数据库文件。").arg(nativePath(path));
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
    if (isServerLocation(path))
        return openServer(path, access);
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
    // A journal beside the file after a crash holds the pages of a
    // half-written transaction: the file is read only once it is rolled
    // back, which takes a connection that may write.
    const bool journal = QFileInfo::exists(path + QStringLiteral("-journal"));
    if (error && readOnly && journal && nativeCode(*error) == kSqliteReadOnly) {
        closeDriverConnection(name);
        error = openDriverConnection(name, path, QStringLiteral("mode=rw"));
        closeDriverConnection(name);
        if (error)
            return Result::failure(
                QCoreApplication::translate(
                    "tarnwick::store", "数据库文件 %1 上次写入时被中断，旁边的日志文件 %2 中的修改须先撤销才能读取；"
                                       "本程序不能写入该文件或它所在的文件夹，无法撤销。请在可以写入的文件夹中打开一次"
                                       "该数据库（或请管理员打开），"
                                       "然后再试。%3")
                    .arg(nativePath(path), nativePath(path + QStringLiteral("-journal")), driverText(*error)));
        error = openDriverConnection(name, path, QStringLiteral("mode=ro"));
    } else if (error && readOnly && !journal &&
               (nativeCode(*error) == kSqliteCantOpen || nativeCode(*error) == kSqliteReadOnly)) {
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
        return Result::failure(
            QCoreApplication::translate(
                "tarnwick::store",
                "无法打开数据库文件 %1。请检查文件是否存在、是否有读写权限，以及它是否被其他程序独占。%2")
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

bool isServerLocation(const QString& location)
{
    const QString trimmed = location.trimmed();
    return trimmed.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           trimmed.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

bool isServer(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QPSQL");
}

QString ServerAddress::value(const QString& keyword) const
{
    for (const auto& [key, value] : keywords) {
        if (key == keyword)
            return value;
    }
    return QString();
}

bool ServerAddress::hasPassword() const
{
    return !value(QStringLiteral("password")).isEmpty();
}

QString ServerAddress::location() const
{
    // Host and port in the address itself when they are one plain name;
    // a socket folder or a list of hosts goes into the query.
    const QString host = value(QStringLiteral("host"));
    const QString port = value(QStringLiteral("port"));
    const bool plainHost = !host.isEmpty() && !host.contains(QLatin1Char('/')) && !host.contains(QLatin1Char(','));
    auto encoded = [](const QString& text) -> QString { return QString::fromLatin1(QUrl::toPercentEncoding(text)); };
    QString text = QStringLiteral("postgresql://");
    const QString user = value(QStringLiteral("user"));
    if (!user.isEmpty())
        text += encoded(user) + QLatin1Char('@');
    if (plainHost) {
        text += host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : encoded(host);
        if (!port.isEmpty() && !port.contains(QLatin1Char(',')))
            text += QLatin1Char(':') + encoded(port);
    }
    text += QLatin1Char('/') + encoded(value(QStringLiteral("dbname")));
    QStringList query;
    for (const auto& [key, value] : keywords) {
        if (key == QLatin1String("password") || key == QLatin1String("user") || key == QLatin1String("dbname"))
            continue;
        if (plainHost && key == QLatin1String("host"))
            continue;
        if (plainHost && key == QLatin1String("port") && !port.contains(QLatin1Char(',')))
            continue;
        // A socket folder stays readable: '/' needs no encoding in a query.
        query.append(encoded(key) + QLatin1Char('=') + QString::fromLatin1(QUrl::toPercentEncoding(value, "/")));
    }
    if (!query.isEmpty())
        text += QLatin1Char('?') + query.join(QLatin1Char('&'));
    return text;
}

namespace {

// The address with its scheme in small letters, as libpq wants it.
QString normalisedAddress(const QString& location)
{
    QString text = location.trimmed();
    const qsizetype scheme = text.indexOf(QLatin1String("://"));
    if (scheme > 0)
        text = text.left(scheme).toLower() + text.mid(scheme);
    return text;
}

// An '@' or '/' inside a password must be written %40 or %2F: unencoded,
// libpq takes the password to end at the first '@' and the rest for the
// host and the database, so that part of the password would be kept.
bool ambiguousCredentials(const QString& text)
{
    const qsizetype query = text.indexOf(QLatin1Char('?'));
    return text.left(query < 0 ? text.size() : query).count(QLatin1Char('@')) > 1;
}

std::optional<ServerAddress> libpqReading(const QString& text)
{
    char* message = nullptr;
    PQconninfoOption* options = PQconninfoParse(text.toUtf8().constData(), &message);
    // libpq's words about a bad address may quote it, password and all.
    if (message)
        PQfreemem(message);
    if (!options)
        return std::nullopt;
    ServerAddress address;
    for (const PQconninfoOption* option = options; option->keyword; ++option) {
        if (option->val)
            address.keywords.append({QString::fromUtf8(option->keyword), QString::fromUtf8(option->val)});
    }
    PQconninfoFree(options);
    return address;
}

} // namespace

Expected<ServerAddress, QString> parseServerAddress(const QString& location)
{
    using Result = Expected<ServerAddress, QString>;
    const QString text = normalisedAddress(location);
    if (ambiguousCredentials(text))
        return Result::failure(QCoreApplication::translate(
            "tarnwick::store", "数据库地址中有不止一个“@”：用户名或密码中的 @、/、: 等字符须写成 %40、%2F、%3A；"
                               "密码最好不写在地址中，而写在 ~/.pgpass 中。"));
    const auto address = libpqReading(text);
    if (!address)
        return Result::failure(
            QCoreApplication::translate("tarnwick::store",
                                        "数据库地址 %1 的格式不对：应写成 postgresql://用户@主机:端口/数据库名，"
                                        "查询参数写成 ?键=值&键=值，值中的空格、=、& 等字符须写成 %20、%3D、%26。")
                .arg(shownLocation(location)));
    if (address->value(QStringLiteral("dbname")).isEmpty())
        return Result::failure(
            QCoreApplication::translate("tarnwick::store",
                                        "数据库地址 %1 不完整：应写成 postgresql://用户@主机:端口/数据库名。")
                .arg(shownLocation(location)));
    return *address;
}

QString shownLocation(const QString& location)
{
    if (!isServerLocation(location))
        return QDir::toNativeSeparators(location);
    // libpq's reading rebuilt without the password; an address it cannot
    // read is shown only up to where a password could begin.
    const QString text = normalisedAddress(location);
    if (!ambiguousCredentials(text)) {
        if (const auto address = libpqReading(text))
            return address->location();
    }
    const qsizetype scheme = text.indexOf(QLatin1String("://"));
    return text.left(scheme + 3) + QStringLiteral("…");
}

Expected<std::shared_ptr<Connection>, QString> Connection::openServer(const QString& location, Access access)
{
    using Result = Expected<std::shared_ptr<Connection>, QString>;
    const auto address = parseServerAddress(location);
    if (!address)
        return Result::failure(address.error());
    const QString name = QStringLiteral("tarnwick-%1").arg(connectionCounter.fetch_add(1));
    std::shared_ptr<Connection> connection(new Connection(name, location, access));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    if (!db.isValid())
        return Result::failure(QCoreApplication::translate(
            "tarnwick::store", "无法连接 PostgreSQL 数据库：本机没有安装 Qt 的 PostgreSQL 驱动（libqt6sql6-psql）。"));
    // Every keyword goes to libpq as one quoted value, so that a value with
    // blanks or an '=' stays one value and never becomes a keyword of its own.
    // A password in the address is passed on; otherwise libpq takes it from
    // the password file or PGPASSWORD, as for every PostgreSQL program.
    auto quoted = [](QString value) -> QString {
        value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        value.replace(QLatin1Char('\''), QStringLiteral("\\'"));
        return QLatin1Char('\'') + value + QLatin1Char('\'');
    };
    QStringList options;
    bool named = false;
    bool timeout = false;
    // The session's settings go with the connection's options, so that a
    // connection reopened after the server was lost has them again.
    QString sessionOptions = QStringLiteral("-c client_min_messages=warning");
    if (access == Access::ReadOnly)
        sessionOptions += QStringLiteral(" -c default_transaction_read_only=on");
    for (const auto& [key, value] : address->keywords) {
        if (key == QLatin1String("dbname"))
            db.setDatabaseName(value);
        else if (key == QLatin1String("user"))
            db.setUserName(value);
        else if (key == QLatin1String("password"))
            db.setPassword(value);
        else if (key == QLatin1String("host"))
            db.setHostName(value);
        else if (key == QLatin1String("options"))
            sessionOptions = value + QLatin1Char(' ') + sessionOptions;
        else {
            // Qt's driver turns every ';' of its options into a blank.
            if (value.contains(QLatin1Char(';')))
                return Result::failure(
                    QCoreApplication::translate("tarnwick::store", "数据库地址中参数“%1”的值含有分号，无法使用。")
                        .arg(key));
            named = named || key == QLatin1String("application_name");
            timeout = timeout || key == QLatin1String("connect_timeout");
            options.append(key + QLatin1Char('=') + quoted(value));
        }
    }
    if (sessionOptions.contains(QLatin1Char(';')))
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "数据库地址中参数“options”的值含有分号，无法使用。"));
    options.append(QStringLiteral("options=") + quoted(sessionOptions));
    if (!named)
        options.append(QStringLiteral("application_name=tarnwick"));
    if (!timeout)
        options.append(QStringLiteral("connect_timeout=10"));
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open())
        return Result::failure(databaseErrorText(
            QCoreApplication::translate("tarnwick::store", "连接数据库 %1").arg(shownLocation(location)),
            db.lastError()));
    return connection;
}

QString databaseFilePath(const QSqlDatabase& db)
{
    if (isServer(db))
        return QString();
    const QUrl url(db.databaseName());
    return url.isLocalFile() ? url.toLocalFile() : db.databaseName();
}

QString quotedName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

namespace {

// On a server every table carries the identity column "rowid" first, and
// so does the data-sheet view; the result tables also the engineer's name,
// which is not one of the program's fields. The latest results are each
// engineer's own.
Expected<StoredOrderQuery, QString> serverStoredOrderQuery(const QSqlDatabase& db, const QString& tableOrView)
{
    using Result = Expected<StoredOrderQuery, QString>;
    // One look at the server's own catalogue: the kind of the relation and
    // its columns in order.
    QSqlQuery columns(db);
    QSqlError error;
    const bool read = runReviving(db, [&](QSqlError* e) {
        columns = QSqlQuery(db);
        columns.setForwardOnly(true);
        columns.prepare(QStringLiteral("SELECT c.relkind, a.attname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                       "JOIN pg_attribute a ON a.attrelid = c.oid WHERE n.nspname = current_schema() "
                                       "AND c.relname = ? AND c.relkind IN ('r', 'v') AND a.attnum > 0 AND NOT a.attisdropped "
                                       "ORDER BY a.attnum"));
        columns.addBindValue(tableOrView);
        if (columns.exec())
            return true;
        *e = columns.lastError();
        return false;
    }, &error);
    if (!read)
        return Result::failure(
            databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取数据库结构"), error));
    QStringList fields;
    bool hasRowid = false;
    bool hasUser = false;
    bool hasInstant = false;
    bool view = false;
    bool found = false;
    while (columns.next()) {
        found = true;
        view = columns.value(0).toString() == QLatin1String("v");
        const QString name = columns.value(1).toString();
        if (name == QLatin1String("rowid"))
            hasRowid = true;
        else if (name == QStringLiteral("用户"))
            hasUser = true;
        else if (name == names::calculationInstant())
            hasInstant = true;
        else
            fields.append(quotedName(name));
    }
    if (!found)
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "数据库中没有表或查询“%1”。").arg(tableOrView));
    StoredOrderQuery result;
    result.hasRowKey = hasRowid;
    result.writable = hasRowid && !view;
    result.hasInstant = hasInstant && hasRowid;
    if (result.hasInstant)
        fields.append(quotedName(names::calculationInstant()));
    const QString filter = hasUser && tableOrView == names::latestResultsTable()
                               ? QStringLiteral(" WHERE %1 = current_user").arg(quotedName(QStringLiteral("用户")))
                               : QString();
    result.sql = hasRowid ? QStringLiteral("SELECT rowid, %1 FROM %2%3 ORDER BY rowid")
                                .arg(fields.join(QStringLiteral(", ")), quotedName(tableOrView), filter)
                          : QStringLiteral("SELECT %1 FROM %2").arg(fields.join(QStringLiteral(", ")), quotedName(tableOrView));
    return result;
}

} // namespace

Expected<StoredOrderQuery, QString> storedOrderQuery(const QSqlDatabase& db, const QString& tableOrView)
{
    using Result = Expected<StoredOrderQuery, QString>;
    if (isServer(db))
        return serverStoredOrderQuery(db, tableOrView);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT type FROM sqlite_master WHERE name = ? AND type IN ('table', 'view')"));
    query.addBindValue(tableOrView);
    if (!query.exec())
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "无法读取数据库结构：%1").arg(query.lastError().text()));
    if (!query.next())
        return Result::failure(
            QCoreApplication::translate("tarnwick::store", "数据库中没有表或查询“%1”。").arg(tableOrView));
    StoredOrderQuery result;
    if (query.value(0).toString() == QStringLiteral("table")) {
        result.hasRowKey = true;
        result.writable = true;
        // A copy of a server's database keeps the engineer's name beside
        // the program's fields; the file program has no use for it.
        QSqlQuery columns(db);
        columns.setForwardOnly(true);
        columns.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?)"));
        columns.addBindValue(tableOrView);
        if (!columns.exec())
            return Result::failure(QCoreApplication::translate("tarnwick::store", "无法读取数据库结构：%1")
                                       .arg(columns.lastError().text()));
        // The columns are named, so that a column added later (the run's
        // moment, by a program that writes to an older file) changes nothing
        // a row set already reads.
        QStringList fields;
        while (columns.next()) {
            const QString name = columns.value(0).toString();
            if (name == names::calculationInstant())
                result.hasInstant = true;
            else if (name != QStringLiteral("用户"))
                fields.append(quotedName(name));
        }
        if (result.hasInstant)
            fields.append(quotedName(names::calculationInstant()));
        result.sql = QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid")
                         .arg(fields.join(QStringLiteral(", ")), quotedName(tableOrView));
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

QString rowKeyColumn(const QString& alias)
{
    return alias.isEmpty() ? QStringLiteral("rowid") : alias + QStringLiteral(".rowid");
}

QString storedOrderClause(const QString& alias)
{
    return QStringLiteral(" ORDER BY ") + rowKeyColumn(alias);
}

QString fileColumnsSource(const QString& schema)
{
    return schema.isEmpty() ? QStringLiteral("pragma_table_info(?)")
                            : QStringLiteral("pragma_table_info(?, '%1')").arg(schema);
}

QString fileTablesSql()
{
    return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                          "'sqlite\\_%' ESCAPE '\\' ORDER BY rowid");
}

QString fileViewsSql()
{
    return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'view'");
}

QString fileHasTableSql()
{
    return QStringLiteral("SELECT count(*) > 0 FROM sqlite_master WHERE type = 'table' AND name = ?");
}

void setScratchFileWriting(QSqlDatabase db)
{
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA journal_mode=MEMORY"));
    pragma.exec(QStringLiteral("PRAGMA synchronous=OFF"));
}

namespace {

PGconn* serverHandle(const QSqlDatabase& db)
{
    if (!isServer(db) || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    // The driver names the type by libpq's struct.
    if (!handle.isValid() || (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}

} // namespace

bool runReviving(QSqlDatabase db, const std::function<bool(QSqlError*)>& run, QSqlError* error)
{
    // Only a connection that holds no transaction may be replaced: its
    // session has nothing to lose.
    PGconn* before = serverHandle(db);
    const bool mayReopen =
        before && (PQstatus(before) == CONNECTION_BAD || PQtransactionStatus(before) == PQTRANS_IDLE);
    if (run(error))
        return true;
    PGconn* after = serverHandle(db);
    if (!mayReopen || !after || PQstatus(after) != CONNECTION_BAD)
        return false;
    // The server went away meanwhile (a restart, a lost network): one new
    // connection, with the same address and session settings, and the
    // statement once more.
    db.close();
    if (!db.open()) {
        *error =
            QSqlError(QCoreApplication::translate("tarnwick::store", "与数据库服务器的连接已断开，重新连接没有成功：%1")
                          .arg(db.lastError().text()),
                      QString(), QSqlError::ConnectionError, QStringLiteral("08006"));
        return false;
    }
    return run(error);
}

bool lockLatestResults(QSqlDatabase db, QString* error)
{
    // A file's write transaction holds the whole file already.
    if (!isServer(db))
        return true;
    // A transaction-level advisory lock keyed by the engineer: released by
    // the commit or the rollback, whatever happens to the program.
    QSqlQuery lock(db);
    if (lock.exec(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('tarnwick latest results ' || current_user))")))
        return true;
    *error = databaseErrorText(
        QCoreApplication::translate("tarnwick::store", "锁定“%1”").arg(names::latestResultsTable()), lock.lastError());
    return false;
}

bool lockCatalogue(QSqlDatabase db, QString* error, bool* busy)
{
    if (busy)
        *busy = false;
    if (!isServer(db))
        return true;
    // Only the tables that exist: a copy into an empty database has none yet.
    QSqlQuery existing(db);
    existing.setForwardOnly(true);
    const QStringList tables = {names::pumpTable(), names::pointTable(), names::schematicTable(), names::companyTable()};
    QStringList marks;
    for (int i = 0; i < tables.size(); ++i)
        marks.append(QStringLiteral("?"));
    existing.prepare(QStringLiteral("SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                    "WHERE n.nspname = current_schema() AND c.relkind = 'r' AND c.relname IN (%1)")
                         .arg(marks.join(QStringLiteral(", "))));
    for (const QString& table : tables)
        existing.addBindValue(table);
    if (!existing.exec()) {
        *error =
            databaseErrorText(QCoreApplication::translate("tarnwick::store", "锁定水泵目录"), existing.lastError());
        return false;
    }
    QStringList present;
    while (existing.next())
        present.append(quotedName(existing.value(0).toString()));
    if (present.isEmpty())
        return true;
    // EXCLUSIVE lets designs read the catalogue meanwhile but no one else
    // change it; the statements after the lock see every change committed
    // before it.
    QSqlQuery lock(db);
    if (lock.exec(QStringLiteral("LOCK TABLE %1 IN EXCLUSIVE MODE").arg(present.join(QStringLiteral(", ")))))
        return true;
    if (busy)
        *busy = isBusyError(lock.lastError());
    *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "锁定水泵目录"), lock.lastError());
    return false;
}

bool setBusyTimeout(QSqlDatabase db, int milliseconds)
{
    QSqlQuery pragma(db);
    // A server waits for locks as long as lock_timeout says.
    if (isServer(db))
        return pragma.exec(QStringLiteral("SET lock_timeout = %1").arg(milliseconds));
    return pragma.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(milliseconds));
}

namespace {
bool isServerError(const QSqlError& error);
} // namespace

bool isBusyError(const QSqlError& error)
{
    if (isServerError(error)) {
        const QString state = error.nativeErrorCode();
        return state == QLatin1String("40001") || state == QLatin1String("40P01") || state == QLatin1String("55P03");
    }
    const int code = nativeCode(error);
    return code == 5 || code == 6;
}

QString driverText(const QSqlError& error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QString() : QStringLiteral("（%1）").arg(text);
}

namespace {

// PostgreSQL names its errors by SQLSTATE; a failed connection often only by
// libpq's text.
QString serverAdvice(const QSqlError& error)
{
    const QString state = error.nativeErrorCode();
    const QString text = error.text();
    if (state.startsWith(QLatin1String("28")) || text.contains(QLatin1String("password authentication failed")) ||
        text.contains(QLatin1String("no password supplied")))
        return QCoreApplication::translate(
            "tarnwick::store",
            "登录数据库服务器失败：用户名或密码不对。请检查连接设置，或密码文件（~/.pgpass）、PGPASSWORD 中的密码。");
    if (state == QLatin1String("3D000") || (text.contains(QLatin1String("database")) && text.contains(QLatin1String("does not exist"))))
        return QCoreApplication::translate(
            "tarnwick::store", "服务器上没有这个数据库。请检查连接设置中的数据库名，或请数据库管理员建立它。");
    if (state == QLatin1String("42501") || text.contains(QLatin1String("permission denied")) ||
        text.contains(QLatin1String("read-only transaction")))
        return QCoreApplication::translate("tarnwick::store",
                                           "没有进行这项操作的权限（例如只读的角色不能写入）。请联系数据库管理员。");
    if (state.startsWith(QLatin1String("57P")) || text.contains(QLatin1String("terminating connection")) ||
        text.contains(QLatin1String("server closed the connection")))
        return QCoreApplication::translate(
            "tarnwick::store", "数据库服务器已关闭、正在重启或断开了连接。请稍后重试，或联系数据库管理员。");
    if (state.startsWith(QLatin1String("08")) || text.contains(QLatin1String("could not connect")) ||
        text.contains(QLatin1String("Connection refused")) || text.contains(QLatin1String("No such file or directory")) ||
        text.contains(QLatin1String("connection to server")))
        return QCoreApplication::translate(
            "tarnwick::store", "无法连接数据库服务器。请检查服务器是否在运行、地址和端口是否正确、网络是否正常。");
    if (state == QLatin1String("40001") || state == QLatin1String("40P01"))
        return QCoreApplication::translate("tarnwick::store", "与其他用户同时进行的操作冲突。请重试。");
    if (state == QLatin1String("42P01"))
        return QCoreApplication::translate("tarnwick::store",
                                           "数据库中缺少所需的表。请先用 tarnwick-cli init-db 建立数据库结构。");
    if (state == QLatin1String("53100"))
        return QCoreApplication::translate("tarnwick::store", "数据库服务器的磁盘已满。请联系数据库管理员。");
    return QCoreApplication::translate("tarnwick::store", "请检查数据库服务器后重试。");
}

bool isServerError(const QSqlError& error)
{
    // SQLite's codes are numbers of up to four digits, SQLSTATEs five characters.
    return error.nativeErrorCode().size() == 5 || error.driverText().contains(QLatin1String("PSQL")) ||
           error.text().contains(QLatin1String("PSQL"));
}

} // namespace

QString databaseErrorText(const QString& what, const QSqlError& error)
{
    if (isServerError(error))
        return QCoreApplication::translate("tarnwick::store", "%1失败：%2%3")
            .arg(what, serverAdvice(error), driverText(error));
    QString advice;
    switch (nativeCode(error)) {
    case 5: // busy
    case 6: // locked
        advice = QCoreApplication::translate(
            "tarnwick::store", "数据库正被其他程序使用，等待超时。请稍后再试，或先结束正在写入该数据库的程序。");
        break;
    case 8: // read-only
        advice = QCoreApplication::translate(
            "tarnwick::store", "数据库文件或它所在的文件夹不允许写入。请检查权限，或把数据库复制到可以写入的文件夹。");
        break;
    case 10: // input/output
        advice = QCoreApplication::translate("tarnwick::store",
                                             "读写数据库文件时出错。请检查磁盘或网络驱动器是否正常，然后重试。");
        break;
    case 11: // corrupt
        advice = QCoreApplication::translate("tarnwick::store", "数据库文件已损坏。请用备份恢复数据库。");
        break;
    case 13: // full
        advice = QCoreApplication::translate("tarnwick::store", "磁盘已满。请释放磁盘空间后重试。");
        break;
    case 14: // cannot open
        advice = QCoreApplication::translate("tarnwick::store",
                                             "无法打开数据库文件或它的日志文件。请检查文件夹是否存在、是否允许写入。");
        break;
    default:
        advice = QCoreApplication::translate("tarnwick::store", "请检查数据库文件后重试。");
        break;
    }
    return QCoreApplication::translate("tarnwick::store", "%1失败：%2%3").arg(what, advice, driverText(error));
}

ReadSnapshot::ReadSnapshot(QSqlDatabase db) : m_db(std::move(db))
{
    // A deferred transaction takes its snapshot at the first read and holds
    // it to the end.
    // On a server: one consistent view of every table until the end.
    const QString statement = isServer(m_db) ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
                                             : QStringLiteral("BEGIN");
    QSqlError error;
    if (!runReviving(m_db, [&](QSqlError* e) {
            QSqlQuery begin(m_db);
            if (begin.exec(statement))
                return true;
            *e = begin.lastError();
            return false;
        }, &error))
        m_error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取数据库"), error);
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
    QSqlError beginError;
    if (!runReviving(db, [&](QSqlError* e) {
            QSqlQuery begin(db);
            if (begin.exec(isServer(db) ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")))
                return true;
            *e = begin.lastError();
            return false;
        }, &beginError)) {
        if (busy)
            *busy = isBusyError(beginError);
        if (error)
            *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "开始写入数据库"), beginError);
        return false;
    }
    QSqlQuery statement(db);
    if (!work()) {
        statement.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (!statement.exec(QStringLiteral("COMMIT"))) {
        if (busy)
            *busy = isBusyError(statement.lastError());
        if (error)
            *error =
                databaseErrorText(QCoreApplication::translate("tarnwick::store", "提交写入"), statement.lastError());
        statement.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

} // namespace tarnwick::store
