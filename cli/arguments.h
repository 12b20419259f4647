#pragma once

#include "store/rowset.h"

#include <QHash>
#include <QStringList>

namespace tarnwick::cli {

// What one command of the tool takes: a fixed number of plain arguments
// (file names), options with a value ("--db FILE" or "--db=FILE") and
// options without one ("--json").
struct CommandSyntax
{
    QString name;
    int files = 0;
    QStringList valueOptions;
    QStringList flagOptions;
};

struct ParsedArguments
{
    QStringList files;
    QHash<QString, QString> values; // an option given twice is refused
    QStringList flags;

    bool hasFlag(const QString& flag) const { return flags.contains(flag); }
};

// Reads arguments[1...] (arguments[0] is the command's name) against syntax.
// On a fault returns false with a message for the user in *error.
bool parseArguments(const CommandSyntax& syntax, const QStringList& arguments, ParsedArguments* parsed,
                    QString* error);

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
