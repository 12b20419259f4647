#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace tarnwick::store {

// The SQLite handle of a file connection, or null (a server's connection).
sqlite3* sqliteHandle(const QSqlDatabase& db);

// One INSERT statement, prepared once and run once a row with the row's
// values bound in order. On a file the values go to SQLite on the
// connection's own handle, each bound as the driver binds it (a null, an
// integer, a double, a text), and a failure is described as the driver
// describes it; the stored rows, the errors and their messages are the same,
// without the driver's cost per bound value. A value of another type, and
// every value on a server, goes through the driver's own statement.
class PreparedInsert
{
public:
    PreparedInsert(QSqlDatabase db, const QString& sql);
    ~PreparedInsert();
    PreparedInsert(const PreparedInsert&) = delete;
    PreparedInsert& operator=(const PreparedInsert&) = delete;

    // False, with lastError(), when the statement could not be prepared.
    bool isPrepared() const { return m_prepared; }
    bool exec(const QVariantList& values);
    QSqlError lastError() const { return m_error; }
    // The new row's rowid on a file; the key a server returned (a statement
    // with RETURNING) on a server.
    qint64 insertedKey();

private:
    bool execDirect(const QVariantList& values);
    bool execThroughDriver(const QVariantList& values);

    QSqlDatabase m_db;
    QString m_sql;
    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    std::optional<QSqlQuery> m_query; // the driver's statement, prepared when first needed
    bool m_prepared = false;
    bool m_lastDirect = false;
    QSqlError m_error;
};

} // namespace tarnwick::store
