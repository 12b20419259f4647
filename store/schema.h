#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The program's tables, view and index, and how they are made on either
// engine. The schema is written once, for SQLite; on a server the same
// tables are made from it with the server's types and an identity column
// "rowid" that holds the stored order. The variable-speed tables, made by
// the first run that needs them, have a schema for each engine.
namespace tarnwick::store {

// The schema as SQL text, compiled into the library.
QString schemaText();

// The statements of an SQL script, without comments, in order. Semicolons
// inside quoted names, string literals and comments do not split.
QStringList splitSqlStatements(const QString& script);

// Creates the program's tables, the data-sheet view and the points index in
// a database that has none of them. The caller holds the transaction.
bool createProgramSchema(QSqlDatabase db, QString* error);

// The statement that makes `name`, one of the variable-speed tables or on a
// server the run sequence, from the schema of that engine: "CREATE … IF NOT
// EXISTS", on one line. Empty when the schema has none of that name.
QString varSpeedSchemaStatement(const QString& name, bool server);

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
// The tables of stored runs that keep each run's exact moment
// (names::calculationInstant) beside its calculation time: the two result
// tables, the variable-speed results and the inputs of a design or check run.
QStringList instantTables();
// Whether the table has the moment's column. A file made by an earlier
// version gets it here, inside the caller's writing transaction; on a server
// only the owner's upgrade adds it, and until then runs are stored without it.
bool ensureInstantColumn(QSqlDatabase db, const QString& table, bool* present, QString* error);
// Gives every table of stored runs that is there and lacks it the moment's
// column (as the owner: on a server by the upgrade and init-db); the rows
// already there have none. The caller holds the transaction.
bool addInstantColumns(QSqlDatabase db, QString* error);
// Whether the table has the column (false also where there is no table).
bool hasColumn(const QSqlDatabase& db, const QString& table, const QString& column, bool* present, QString* error);
// The instant column's definition, nullable text on either engine.
QString instantColumnDefinition(bool server);

// On a server, the sequence that numbers the variable-speed runs.
QString runNumberSequence();

// Brings a server database made by an earlier version up to the columns and
// sequences above: the variable-speed tables get the engineer's name (rows
// already there take the name of whoever runs this), the tables of stored
// runs the moment's column (empty in the rows already there) and the run
// numbering continues after the highest stored run. Needs the owner's rights; the
// caller holds the transaction. Nothing to do on a file.
bool upgradeServerSchema(QSqlDatabase db, QString* error);
// Sets the run sequence after the highest stored run (after a copy).
bool restartRunNumbers(QSqlDatabase db, QString* error);
// Whether the server database lacks any of them.
bool serverSchemaIsCurrent(QSqlDatabase db, QString* error);

} // namespace tarnwick::store
