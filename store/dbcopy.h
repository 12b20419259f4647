#pragma once

#include "core/expected.h"

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

// Moving a whole database between the engines: the structure of its tables
// read from one and made on the other, and every row copied in stored order.
namespace tarnwick::store {

enum class ColumnKind { Integer, Real, Text, Blob };

struct ColumnInfo
{
    QString name;
    ColumnKind kind = ColumnKind::Text;
    bool notNull = false;
};

struct TableInfo
{
    QString name;
    QList<ColumnInfo> columns; // the server's own columns left out
};

// The tables of the database in the order they were made; the views' names.
Expected<QList<TableInfo>, QString> readTableInfo(const QSqlDatabase& db);
QStringList viewNames(const QSqlDatabase& db);

// Makes one table. On a server it gets the identity column "rowid" first,
// and the result tables the column that names the engineer.
bool createTable(QSqlDatabase db, const TableInfo& table, QString* error);

// The data-sheet view "水泵查询" over "水泵性能表", one row per pump in
// catalogue order, and the index that finds a pump's points.
bool createPumpView(QSqlDatabase db, QString* error);

// Makes every table of `source` (and the view, where it has one) in `target`,
// empty. The caller holds the target's transaction.
bool copyStructure(const QSqlDatabase& source, QSqlDatabase target, QString* error);

// The rows of a table, counted and summed up in stored order, each value
// written as its column's kind, so that the same rows give the same digest
// on either engine.
struct TableDigest
{
    qint64 rows = 0;
    QByteArray sum;
};
// `nameForNoUser` stands for an empty engineer's name: a row a file held
// without one takes the name of whoever copies it onto a server.
Expected<TableDigest, QString> tableDigest(const QSqlDatabase& db, const TableInfo& table,
                                           const QString& nameForNoUser = QString());

// Appends every row of the table in `source` to the same table in `target`,
// in stored order, each value as its column's kind; the caller holds the
// target's transaction. On a server a result row without an engineer's name
// takes `copier`.
bool copyRows(const QSqlDatabase& source, QSqlDatabase target, const TableInfo& table, const QString& copier,
              const std::function<void(const QString& table, qint64 rows)>& progress, qint64* rows, QString* error);

struct CopyOptions
{
    bool replace = false;      // drop the target's tables of the same names first
    QStringList withoutRows;   // tables made but not filled
    std::function<void(const QString& table, qint64 rows)> progress;
};

struct CopiedTable
{
    QString name;
    qint64 rows = 0;
};

// Copies every table of `source` into `target` in one transaction on the
// target: refused when the target already holds any of them (unless
// replace), and checked afterwards by row count and digest of every table.
// Each result row keeps the engineer's name. On a server, replaced tables
// keep the rights and row-level security they had, and no catalogue write
// runs meanwhile.
Expected<QList<CopiedTable>, QString> copyDatabase(const QSqlDatabase& source, QSqlDatabase target,
                                                   const CopyOptions& options);

} // namespace tarnwick::store
