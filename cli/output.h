#pragma once

#include "core/selection.h"
#include "store/rowset.h"

#include <QDateTime>
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

// With --json every run prints exactly one object whose "status" says how it
// ended: "ok" (exit 0), "rejected" or "none-found" (exit 1), "error" (exit 2).
QString statusOk();
QString statusRejected();
QString statusNoneFound();
QString statusError();
bool jsonRequested();
// Prints the command's object with its status; a run that printed none gets
// {"status", "message"} when it finishes.
void printJsonResult(const QString& status, QJsonObject object);
// One of the program's messages that ends the run (exit 1): on standard
// error, and with --json as the message of the final object.
void printMessage(const QString& text, const QString& status = statusRejected());

// The stored rows of a result row set as JSON objects keyed by field name.
QJsonArray resultRowsJson(const store::RowSet& rows);
// The same as a readable table.
QString resultRowsTable(const store::RowSet& rows);

// Rows of cells as text columns, padded to the widest cell (CJK characters
// two columns wide), one line per row.
QString alignedColumns(const QList<QStringList>& lines);

QJsonArray stringsJson(const QStringList& texts);

// Where one output file of a command goes: the file named, or with "-"
// standard output. Standard output gets the file whole: it is written to a
// private folder first and copied out only when complete.
class OutputTarget
{
public:
    // `argument` as given on the command line; `fileName` names the
    // temporary file (its suffix may choose the format).
    OutputTarget(const QString& argument, const QString& fileName);
    ~OutputTarget();
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    static bool namesStandardOutput(const QString& argument) { return argument == QLatin1String("-"); }
    bool toStandardOutput() const { return !m_folder.isEmpty(); }
    // The file to write; empty when no private folder could be made.
    QString path() const { return m_path; }
    // Copies the written file to standard output; nothing to do for a file.
    bool finish(QString* error);

private:
    QString m_folder;
    QString m_path;
};

// A time as ISO 8601 with its offset from UTC.
QString isoTimeText(const QDateTime& when, bool milliseconds = false);
// The `time` of a stored row: from its run's exact moment (names::calculationInstant)
// where it has one, else from its calculation time's text; null when neither reads.
QJsonValue storedTimeJson(const QVariant& instant, const QString& calculationTime);

// A percentage as scripts read every efficiency and share: a fraction 0-1.
QJsonValue fractionJson(double percent);

} // namespace tarnwick::cli
