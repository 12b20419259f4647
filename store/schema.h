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
// The tables whose rows carry that column on a server: the two result tables
// and the two variable-speed tables.
bool isPerEngineerTable(const QString& table);
QStringList perEngineerTables();
// The column's definition: on a server filled in with the engineer's login
// and never empty; in a file (a copy of a server's database) it may be empty,
// for the program writes no name there.
QString userColumnDefinition(bool server);
// On a server, the sequence that numbers the variable-speed runs.
QString runNumberSequence();

// Brings a server database made by an earlier version up to the columns and
// sequences above: the variable-speed tables get the engineer's name (rows
// already there take the name of whoever runs this) and the run numbering
// continues after the highest stored run. Needs the owner's rights; the
// caller holds the transaction. Nothing to do on a file.
bool upgradeServerSchema(QSqlDatabase db, QString* error);
// Sets the run sequence after the highest stored run (after a copy).
bool restartRunNumbers(QSqlDatabase db, QString* error);
// Whether the server database lacks any of them.
bool serverSchemaIsCurrent(QSqlDatabase db, QString* error);

} // namespace tarnwick::store
