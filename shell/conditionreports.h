#pragma once

#include "report/resulttable.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace tarnwick {

class DataReport1;

// The liquid, suction and impeller figures of the runs a result report
// shows, as a table of their own: nothing when those runs had none of these
// inputs, so that such a report stays as it always was. A database error is
// in *error.
std::optional<report::ResultTable> conditionFiguresTable(const QSqlDatabase& db, bool allRuns, QString* error);
std::optional<report::ResultTable> varSpeedSuctionTable(const QSqlDatabase& db, bool allRuns, QString* error);

// Offers the table in the open report window, when there is one.
void offerConditionFigures(DataReport1* window, std::optional<report::ResultTable> table);

} // namespace tarnwick
