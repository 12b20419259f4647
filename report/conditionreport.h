#pragma once

#include "report/resulttable.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace tarnwick::report {

// The liquid, suction and impeller figures of the design and check runs a
// result report shows (the latest run's or every run's), as a report of their
// own: nothing when those runs had none of these inputs, so that such a
// report stays as it always was. A database error is in *error.
std::optional<ResultTable> conditionFiguresTable(const QSqlDatabase& db, bool allRuns, QString* error);
// The same for the variable-speed runs: each load point's liquid, viscosity
// correction and suction figures.
std::optional<ResultTable> varSpeedSuctionTable(const QSqlDatabase& db, bool allRuns, QString* error);

QString conditionFiguresTitle();
QString varSpeedSuctionTitle();

} // namespace tarnwick::report
