#pragma once

#include "core/expected.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>

#include <functional>
#include <memory>

// The two engines behind one connection: a database file (SQLite) or a
// PostgreSQL server. What SQLite needs spelled its own way lives here: the
// file checks, the open mode, the pragmas, how a file's structure is read,
// and how stored row order and row identity are expressed. Where a server
// needs statements of its own (its catalogue, identity columns, locks,
// roles and rights), the code that makes or reads those tables asks
// isServer() and writes both forms beside each other; the catalogue reader
// alone reads a file through SQLite's own interface, for speed.
namespace tarnwick::store {

// Names the driver and the database path, as the connection is opened.
QString connectionStringForFile(const QString& path);

enum class DatabaseFileKind { Missing, SQLite, Access, Unreadable, Other };
// Looks at the file's first bytes. Never call it on a file that a connection
// of this process may have open: closing the file would drop that
// connection's locks. Connection::open tells these kinds apart by itself.
DatabaseFileKind databaseFileKind(const QString& path);
DatabaseFileKind fileKindOfHeader(const QByteArray& header);
bool isAccessHeader(const QByteArray& header);

// The driver's own words for a failure, to follow the program's sentence.
QString driverText(const QSqlError& error);
// What went wrong with the database, as a Chinese sentence that says what to
// do, followed by the driver's text: `what` names the action ("保存计算结果").
QString databaseErrorText(const QString& what, const QSqlError& error);

// One open connection to an existing database file. The file is never created:
// a missing file, an Access file or anything else that is not our database
// gives a clear message naming the path.
class Connection
{
public:
    // A read-only connection never writes to the file or beside it, so it
    // works in a folder that cannot be written.
    enum class Access { ReadWrite, ReadOnly };
    static Expected<std::shared_ptr<Connection>, QString> open(const QString& path, Access access = Access::ReadWrite);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QSqlDatabase database() const;
    const QString& name() const { return m_name; }
    const QString& path() const { return m_path; }
    Access access() const { return m_access; }

private:
    static Expected<std::shared_ptr<Connection>, QString> openServer(const QString& location, Access access);
    Connection(QString name, QString path, Access access)
        : m_name(std::move(name)), m_path(std::move(path)), m_access(access)
    {
    }
    QString m_name;
    QString m_path;
    Access m_access;
};

// One read transaction: everything read on the connection while it lives
// comes from one state of the database, whatever other programs commit
// meanwhile. Ends when destroyed.
class ReadSnapshot
{
public:
    explicit ReadSnapshot(QSqlDatabase db);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;
    // False, with a message, when the transaction could not be begun.
    bool isValid() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }

private:
    QSqlDatabase m_db;
    QString m_error;
};

// The column that identifies a stored row, and the statement that reads a
// whole table or view in stored order with that column first (a view has no
// row identity: its rows come in the order of its defining query).
struct StoredOrderQuery
{
    QString sql;
    bool hasRowKey = false; // the first column is the row key
    bool writable = false;  // a table, not a view
    // The last column is the run's exact moment (names::calculationInstant),
    // which is kept beside the table's fields and is not one of them.
    bool hasInstant = false;
};
Expected<StoredOrderQuery, QString> storedOrderQuery(const QSqlDatabase& db, const QString& tableOrView);
QString deleteByRowKeySql(const QString& table);
QString selectByRowKeySql(const QString& table);
// Reads the fields of every row in stored order, the row's identity first.
QString selectInStoredOrderSql(const QString& table, const QStringList& fields);
// The identity of the first stored row, or of the first whose field equals
// the bound value when a field is named.
QString firstRowKeySql(const QString& table, const QString& whereField = QString());
// Deletes a row and every row stored after it.
QString deleteFromRowKeySql(const QString& table);
QString updateByRowKeySql(const QString& table, const QStringList& fields);
// The column that holds a row's identity and stored order, qualified by a
// table alias when one is given.
QString rowKeyColumn(const QString& alias = QString());
// " ORDER BY" that column: the rows in the order they were stored.
QString storedOrderClause(const QString& alias = QString());

// How a file's structure is read (a server's comes from its own catalogue).
// A table's columns in their order, as a table-valued source (cid, name,
// type, "notnull", ...) with the table's name bound; `schema` names an
// attached database instead of the main one.
QString fileColumnsSource(const QString& schema = QString());
// The file's own tables in the order they were made, a name a row.
QString fileTablesSql();
// The file's views, a name a row.
QString fileViewsSql();
// One row: whether a table of the bound name is there.
QString fileHasTableSql();
// For a file that only this process writes and that is thrown away on any
// failure, as one being built is: the journal in memory and no waiting for
// the disk.
void setScratchFileWriting(QSqlDatabase db);

// A PostgreSQL server's database, given as libpq reads an address:
// "postgresql://user@host:port/dbname?sslmode=…" or
// "postgresql://user@/dbname?host=/folder/of/the/socket". Anything else is a
// database file.
bool isServerLocation(const QString& location);

// A server's address as libpq reads it: its keywords and values in order.
struct ServerAddress
{
    QList<std::pair<QString, QString>> keywords;
    QString value(const QString& keyword) const;
    bool hasPassword() const;
    // The address rebuilt as postgresql://user@host:port/dbname?key=value,
    // every part encoded, without the password.
    QString location() const;
};
Expected<ServerAddress, QString> parseServerAddress(const QString& location);
bool isServer(const QSqlDatabase& db);
// The location for messages and windows: a file in native separators, an
// address without its password.
QString shownLocation(const QString& location);

// The file a connection of ours is open on; empty on a server.
QString databaseFilePath(const QSqlDatabase& db);

// Quotes a table or field name taken from the program's own constants.
QString quotedName(const QString& name);

// Runs `work` inside one transaction; on failure everything is rolled back.
// `busy`, when given, tells whether the transaction failed only because
// another program held the database past the wait.
bool inTransaction(QSqlDatabase db, const std::function<bool()>& work, QString* error, bool* busy = nullptr);

// Called first inside a transaction that writes. Writers of one engineer's
// latest results (on a file: of the file) take turns until the transaction
// ends, so that the rows a run reads back are the rows it wrote.
bool lockLatestResults(QSqlDatabase db, QString* error);
// Keeps every other writer of the catalogue tables out until the transaction
// ends, while readers go on reading; on a file the write transaction does.
// Whatever the transaction then reads of the catalogue stays true until it
// commits.
// `busy` tells whether the lock was not had within the wait.
bool lockCatalogue(QSqlDatabase db, QString* error, bool* busy = nullptr);

// Runs the first statement of an action. When a server connection that held
// no transaction turns out to be lost (the server restarted), it is opened
// again once, with the same address and settings, and `run` runs once more;
// the windows, whose connections live long, go on working that way.
bool runReviving(QSqlDatabase db, const std::function<bool(QSqlError*)>& run, QSqlError* error);

// How long a statement on this connection waits for another program's lock.
bool setBusyTimeout(QSqlDatabase db, int milliseconds);
bool isBusyError(const QSqlError& error);

} // namespace tarnwick::store
