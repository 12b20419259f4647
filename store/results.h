#pragma once

#include "store/preparedinsert.h"

#include <memory>

#include "core/selection.h"
#include "store/rowset.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QString>

namespace tarnwick::store {

// Empties the latest-results table through its row set: re-read, stop when
// empty, count, delete that many rows from the first, re-read. The deletes
// form one transaction, so a failure leaves the table as it was.
bool clearCurrentResults(RowSet& latestRows, QString* error);

// Re-reads the row set and deletes every row its table holds, from the first;
// the caller holds the transaction.
bool deleteAllRows(RowSet& rows, QString* error);

// The moment of one run, read from the clock once: the calculation time's
// text as the result tables show it, and the exact moment kept beside it
// (names::calculationInstant) in every table of the run that has the column.
struct RunTime
{
    QString text;
    QString instant;
};
RunTime runTime(const QDateTime& when);
RunTime runTimeNow();

// Adds one result row with its ten fields, assigned in the stored order and
// committed, and its moment where the table keeps one. The calculation time
// is read from the clock for this row.
bool appendResult(RowSet& rows, const SelectionResult& result, QString* error);

// Adds a run's result rows to the table of a row set through one prepared
// insert, the ten fields bound row by row, all with the run's calculation
// time, and the run's moment where the table has its column (`withInstant`).
// The row set is not changed: the caller re-reads it. The caller holds the
// transaction.
class ResultInserter
{
public:
    ResultInserter(const RowSet& rows, bool withInstant);
    ~ResultInserter();
    bool insert(const SelectionResult& result, const RunTime& time, QString* error);

private:
    QString m_table;
    bool m_withInstant = false;
    std::unique_ptr<PreparedInsert> m_insert;
};

// The date in the system's short date format, one blank, the time in the
// system's time format with seconds.
QString calculationTimeText(const QDateTime& when);
// The time read back from such a text (invalid when it is none).
QDateTime parseCalculationTime(const QString& text);

// The exact moment as it is stored: UTC, milliseconds, ISO 8601 with "Z".
QString calculationInstantText(const QDateTime& when);

} // namespace tarnwick::store
