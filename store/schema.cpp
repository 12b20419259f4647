#include "store/schema.h"

#include "store/conditionstore.h"
#include "store/dbcopy.h"
#include "store/database.h"
#include "store/names.h"
#include "store/varspeedstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

// Resources of a static library must be registered by hand, from the global
// namespace.
static void initStoreResources()
{
    Q_INIT_RESOURCE(store);
}

namespace tarnwick::store {

namespace {

QString resourceText(const QString& name)
{
    initStoreResources();
    QFile file(QStringLiteral(":/tarnwick/store/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString schemaText()
{
    return resourceText(QStringLiteral("schema.sql"));
}

QStringList splitSqlStatements(const QString& script)
{
    QStringList statements;
    QString current;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script[i];
        const QChar next = i + 1 < n ? script[i + 1] : QChar();
        if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            while (i < n && script[i] != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            i += 2;
            while (i < n && !(script[i] == QLatin1Char('*') && i + 1 < n && script[i + 1] == QLatin1Char('/')))
                ++i;
            ++i;
            current += QLatin1Char(' ');
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            // Quoted text, with the quote doubled inside ('' and "").
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            current += c;
            ++i;
            while (i < n) {
                current += script[i];
                if (script[i] == close) {
                    if (close != QLatin1Char(']') && i + 1 < n && script[i + 1] == close) {
                        current += script[++i];
                    } else {
                        break;
                    }
                }
                ++i;
            }
        } else if (c == QLatin1Char(';')) {
            const QString statement = current.trimmed();
            if (!statement.isEmpty())
                statements << statement;
            current.clear();
        } else {
            current += c;
        }
    }
    const QString statement = current.trimmed();
    if (!statement.isEmpty())
        statements << statement;
    return statements;
}

QString userColumn()
{
    return QStringLiteral("用户");
}

QStringList perEngineerTables()
{
    return {names::allResultsTable(),         names::latestResultsTable(),  varspeednames::resultsTable(),
            varspeednames::pointsTable(),     conditionnames::runTable(),   conditionnames::pumpTable(),
            varspeednames::conditionsTable(), varspeednames::suctionTable()};
}

bool isPerEngineerTable(const QString& table)
{
    return perEngineerTables().contains(table);
}

QString userColumnDefinition(bool server)
{
    return quotedName(userColumn()) +
           (server ? QStringLiteral(" text NOT NULL DEFAULT current_user") : QStringLiteral(" TEXT"));
}

QStringList instantTables()
{
    return {names::allResultsTable(), names::latestResultsTable(), varspeednames::resultsTable(),
            conditionnames::runTable()};
}

QString instantColumnDefinition(bool server)
{
    return quotedName(names::calculationInstant()) + (server ? QStringLiteral(" text") : QStringLiteral(" TEXT"));
}

bool hasColumn(const QSqlDatabase& db, const QString& table, const QString& column, bool* present, QString* error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(isServer(db) ? QStringLiteral("SELECT 1 FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
                                                "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = "
                                                "current_schema() AND c.relname = ? AND a.attname = ? AND a.attnum > 0 "
                                                "AND NOT a.attisdropped")
                               : QStringLiteral("SELECT 1 FROM %1 WHERE name = ?").arg(fileColumnsSource()));
    query.addBindValue(table);
    query.addBindValue(column);
    if (!query.exec()) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取数据库结构"), query.lastError());
        return false;
    }
    *present = query.next();
    return true;
}

namespace {

bool hasTable(const QSqlDatabase& db, const QString& table, bool* exists, QString* error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(isServer(db) ? QStringLiteral("SELECT to_regclass(?) IS NOT NULL")
                               : fileHasTableSql());
    query.addBindValue(isServer(db) ? quotedName(table) : table);
    if (!query.exec() || !query.next()) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取数据库结构"), query.lastError());
        return false;
    }
    *exists = query.value(0).toBool();
    return true;
}

} // namespace

bool ensureInstantColumn(QSqlDatabase db, const QString& table, bool* present, QString* error)
{
    if (!hasColumn(db, table, names::calculationInstant(), present, error))
        return false;
    if (*present || isServer(db))
        return true;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(quotedName(table), instantColumnDefinition(false)))) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "为“%1”添加字段“%2”")
                                       .arg(table, names::calculationInstant()),
                                   query.lastError());
        return false;
    }
    *present = true;
    return true;
}

bool addInstantColumns(QSqlDatabase db, QString* error)
{
    QSqlQuery query(db);
    for (const QString& table : instantTables()) {
        bool present = false;
        if (!hasColumn(db, table, names::calculationInstant(), &present, error))
            return false;
        bool exists = false;
        if (!present && !hasTable(db, table, &exists, error))
            return false;
        if (present || !exists)
            continue;
        if (!query.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                            .arg(quotedName(table), instantColumnDefinition(isServer(db))))) {
            *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "为“%1”添加字段“%2”")
                                           .arg(table, names::calculationInstant()),
                                       query.lastError());
            return false;
        }
    }
    return true;
}

QString runNumberSequence()
{
    return QStringLiteral("变速选型运行序号");
}

namespace {

// The variable-speed tables that exist on the server and lack the
// engineer's name; whether the run sequence is missing.
bool missingServerParts(QSqlDatabase db, QStringList* tablesWithoutUser, bool* noSequence, QString* error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT c.relname, EXISTS (SELECT 1 FROM pg_attribute a WHERE a.attrelid = c.oid AND a.attname = ? AND "
        "NOT a.attisdropped) FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'S') AND c.relname IN (?, ?, ?, ?, ?)"));
    query.addBindValue(userColumn());
    query.addBindValue(varspeednames::resultsTable());
    query.addBindValue(varspeednames::pointsTable());
    query.addBindValue(conditionnames::runTable());
    query.addBindValue(conditionnames::pumpTable());
    query.addBindValue(runNumberSequence());
    if (!query.exec()) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取数据库结构"), query.lastError());
        return false;
    }
    *noSequence = true;
    while (query.next()) {
        const QString name = query.value(0).toString();
        if (name == runNumberSequence())
            *noSequence = false;
        else if (!query.value(1).toBool())
            tablesWithoutUser->append(name);
    }
    return true;
}

} // namespace

bool serverSchemaIsCurrent(QSqlDatabase db, QString* error)
{
    if (!isServer(db))
        return true;
    QStringList withoutUser;
    bool noSequence = false;
    if (!missingServerParts(db, &withoutUser, &noSequence, error))
        return false;
    return withoutUser.isEmpty() && !noSequence;
}

bool upgradeServerSchema(QSqlDatabase db, QString* error)
{
    if (!isServer(db))
        return true;
    QStringList withoutUser;
    bool noSequence = false;
    if (!missingServerParts(db, &withoutUser, &noSequence, error))
        return false;
    QSqlQuery query(db);
    for (const QString& table : std::as_const(withoutUser)) {
        if (!query.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(quotedName(table), userColumnDefinition(true)))) {
            *error = databaseErrorText(
                QCoreApplication::translate("tarnwick::store", "为“%1”添加字段“%2”").arg(table, userColumn()),
                query.lastError());
            return false;
        }
    }
    if (!addInstantColumns(db, error))
        return false;
    if (noSequence && !query.exec(QStringLiteral("CREATE SEQUENCE %1").arg(quotedName(runNumberSequence())))) {
        *error = databaseErrorText(
            QCoreApplication::translate("tarnwick::store", "建立序列“%1”").arg(runNumberSequence()), query.lastError());
        return false;
    }
    return restartRunNumbers(db, error);
}

bool restartRunNumbers(QSqlDatabase db, QString* error)
{
    if (!isServer(db))
        return true;
    // The next run number follows the highest stored one; a database without
    // variable-speed results starts at 1.
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT to_regclass(?) IS NOT NULL, to_regclass(?) IS NOT NULL"));
    query.addBindValue(quotedName(varspeednames::resultsTable()));
    query.addBindValue(quotedName(runNumberSequence()));
    if (!query.exec() || !query.next()) {
        *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "读取数据库结构"), query.lastError());
        return false;
    }
    if (!query.value(1).toBool())
        return true;
    const QString highest = query.value(0).toBool()
                                ? QStringLiteral("(SELECT max(%1) FROM %2)")
                                      .arg(quotedName(QStringLiteral("运行序号")), quotedName(varspeednames::resultsTable()))
                                : QStringLiteral("NULL::bigint");
    query.prepare(QStringLiteral("SELECT setval(?::regclass, coalesce(%1, 0) + 1, false)").arg(highest));
    query.addBindValue(quotedName(runNumberSequence()));
    if (query.exec())
        return true;
    *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "设定“%1”").arg(runNumberSequence()),
                               query.lastError());
    return false;
}

QString varSpeedSchemaStatement(const QString& name, bool server)
{
    static const QRegularExpression made(QStringLiteral("^CREATE (?:TABLE|SEQUENCE) IF NOT EXISTS \"([^\"]+)\""));
    const QString script =
        resourceText(server ? QStringLiteral("varspeed.postgresql.sql") : QStringLiteral("varspeed.sqlite.sql"));
    for (const QString& statement : splitSqlStatements(script)) {
        // On one line, so that the definition a file keeps reads the same
        // whatever the layout of the schema file.
        const QString line = statement.simplified()
                                 .replace(QStringLiteral("( "), QStringLiteral("("))
                                 .replace(QStringLiteral(" )"), QStringLiteral(")"));
        const QRegularExpressionMatch match = made.match(line);
        if (match.hasMatch() && match.captured(1) == name)
            return line;
    }
    return {};
}

bool createProgramSchema(QSqlDatabase db, QString* error)
{
    const QStringList statements = splitSqlStatements(schemaText());
    if (statements.isEmpty()) {
        *error = QCoreApplication::translate("tarnwick::store", "程序中缺少数据库结构。");
        return false;
    }
    if (!isServer(db)) {
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            if (!query.exec(statement)) {
                *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "建立数据库结构"),
                                           query.lastError());
                return false;
            }
        }
        return true;
    }
    // The server's tables are made from the same schema, read back from an
    // SQLite database in memory.
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("tarnwick-schema-%1").arg(counter.fetch_add(1));
    bool made = false;
    {
        QSqlDatabase memory = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        memory.setDatabaseName(QStringLiteral(":memory:"));
        if (!memory.open()) {
            *error =
                databaseErrorText(QCoreApplication::translate("tarnwick::store", "建立数据库结构"), memory.lastError());
        } else {
            made = true;
            QSqlQuery query(memory);
            for (const QString& statement : statements) {
                if (!query.exec(statement)) {
                    *error = databaseErrorText(QCoreApplication::translate("tarnwick::store", "建立数据库结构"),
                                               query.lastError());
                    made = false;
                    break;
                }
            }
            if (made)
                made = copyStructure(memory, db, error);
        }
        memory.close();
    }
    QSqlDatabase::removeDatabase(name);
    return made;
}

} // namespace tarnwick::store
