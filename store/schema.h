#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The program's tables, view and index, and how they are made on either
// engine. The schema is written once, for SQLite; on a server the same
// tables are made from it with the server's types and an identity column
// "rowid" that holds the stored order.
namespace tarnwick::store {

// The schema as SQL text, compiled into the library.
QString schemaText();

// The statements of an SQL script, without comments, in order. Semicolons
// inside quoted names, string literals and comments do not split.
QStringList splitSqlStatements(const QString& script);

// Creates the program's tables, the data-sheet view and the points index in
// a database that has none of them. The caller holds the transaction.
bool createProgramSchema(QSqlDatabase db, QString* error);

// On a server, the column of the result tables that names the engineer who
// stored a row: each sees only his own latest results.
QString userColumn();

} // namespace tarnwick::store
