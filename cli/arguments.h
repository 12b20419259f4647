#pragma once

#include "cli/commandtable.h"
#include "store/rowset.h"

#include <QHash>
#include <QStringList>

namespace tarnwick::cli {

// A path given on the command line, relative to the current folder.
QString absolutePath(const QString& path);

// The database the command works on: the file named by --db or TARNWICK_DB
// (relative to the current folder), the one beside the executable, or the
// user's copy of the shipped one (made here on first use).
QString databaseFile(const QHash<QString, QString>& values);

// Opens the database's latest-results table, or with all the all-results
// table, as a row set. On a fault prints the message and returns false.
bool openResultRows(const QHash<QString, QString>& values, bool all, store::RowSet* rows);

} // namespace tarnwick::cli
