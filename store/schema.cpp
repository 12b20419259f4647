#include "store/schema.h"

#include "store/dbcopy.h"
#include "store/database.h"

#include <QFile>
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

QString schemaText()
{
    initStoreResources();
    QFile file(QStringLiteral(":/tarnwick/store/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
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

bool createProgramSchema(QSqlDatabase db, QString* error)
{
    const QStringList statements = splitSqlStatements(schemaText());
    if (statements.isEmpty()) {
        *error = QStringLiteral("程序中缺少数据库结构。");
        return false;
    }
    if (!isServer(db)) {
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            if (!query.exec(statement)) {
                *error = databaseErrorText(QStringLiteral("建立数据库结构"), query.lastError());
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
            *error = databaseErrorText(QStringLiteral("建立数据库结构"), memory.lastError());
        } else {
            made = true;
            QSqlQuery query(memory);
            for (const QString& statement : statements) {
                if (!query.exec(statement)) {
                    *error = databaseErrorText(QStringLiteral("建立数据库结构"), query.lastError());
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
