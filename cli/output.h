#pragma once

#include "core/selection.h"
#include "store/rowset.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace tarnwick::cli {

void printOut(const QString& text);
// Flushes and closes standard output; false, with a message on standard
// error, when anything written there was lost.
bool closeStandardOutput();
void printError(const QString& text);
// A usage fault on standard error: the message, then how to see the usage
// (of `command` when it is known).
void printUsageError(const QString& message, const QString& command = QString());

// With --json, a command that ends in a usage or database error (exit 2) also
// prints {"status": "error", "message": ...} on standard output; standard
// error keeps the text.
void setJsonErrors(bool on);
void finishWithStatus(int status);

// The stored rows of a result row set as JSON objects keyed by field name.
QJsonArray resultRowsJson(const store::RowSet& rows);
// The same as a readable table.
QString resultRowsTable(const store::RowSet& rows);

QJsonArray stringsJson(const QStringList& texts);

} // namespace tarnwick::cli
