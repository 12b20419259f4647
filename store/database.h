#pragma once

#include "core/expected.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

// Everything that knows the database is SQLite lives behind these functions:
// the file checks, the open mode, the pragmas, and how stored row order and row
// identity are expressed. A server database would replace this file only.
namespace tarnwick::store {

// The folder of the running executable, without a trailing separator.
QString programFolder();
// programFolder + the database file name.
QString databasePath(const QString& folder);
// Names the driver and the database path, as the connection is opened.
QString connectionString(const QString& folder);
QString connectionStringForFile(const QString& path);

enum class DatabaseFileKind { Missing, SQLite, Access, Unreadable, Other };
DatabaseFileKind databaseFileKind(const QString& path);

// One open connection to an existing database file. The file is never created:
// a missing file, an Access file or anything else that is not our database
// gives a clear message naming the path.
class Connection
{
public:
    static Expected<std::shared_ptr<Connection>, QString> open(const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QSqlDatabase database() const;
    const QString& name() const { return m_name; }
    const QString& path() const { return m_path; }

private:
    Connection(QString name, QString path) : m_name(std::move(name)), m_path(std::move(path)) {}
    QString m_name;
    QString m_path;
};

// The column that identifies a stored row, and the statement that reads a
// whole table or view in stored order with that column first (a view has no
// row identity: its rows come in the order of its defining query).
struct StoredOrderQuery
{
    QString sql;
    bool hasRowKey = false;
};
Expected<StoredOrderQuery, QString> storedOrderQuery(const QSqlDatabase& db, const QString& tableOrView);
QString deleteByRowKeySql(const QString& table);
QString selectByRowKeySql(const QString& table);

// Quotes a table or field name taken from the program's own constants.
QString quotedName(const QString& name);

// Runs `work` inside one transaction; on failure everything is rolled back.
bool inTransaction(QSqlDatabase db, const std::function<bool()>& work, QString* error);

} // namespace tarnwick::store
