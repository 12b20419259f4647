#pragma once

#include "core/selection.h"
#include "store/results.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <string>
#include <utility>
#include <vector>

namespace tarnwick::store {

// The program's own tables beside the result tables: the liquid, suction,
// impeller and measured-system inputs of a design or check run, and the
// figures of each pump it listed or checked, in the order of its result rows.
namespace conditionnames {
inline QString runTable() { return QStringLiteral("选型工况"); }
inline QString pumpTable() { return QStringLiteral("选型附加结果"); }
QStringList runColumns();
QStringList pumpColumns();
} // namespace conditionnames

bool ensureConditionTables(const QSqlDatabase& db, QString* error);

// A run that had none of these inputs writes nothing. Runs inside the
// caller's transaction.
// `time` is the result rows' calculation time and moment (now when empty),
// which ties the run's row to them.
bool writeConditionRows(const QSqlDatabase& db, const std::string& method, const ServiceConditions& conditions,
                        const std::vector<std::pair<std::string, const PumpExtras*>>& pumps, QString* error,
                        const RunTime& time = {});

// The figures of the latest run's pumps (the rows of "水泵选型结果1"), or of
// every run's, each with its run's time, method, liquid and suction; no rows
// for runs without these inputs.
struct ConditionFigures
{
    QStringList columns;
    QList<QVariantList> rows;
};
Expected<ConditionFigures, QString> readConditionFigures(const QSqlDatabase& db, bool allRuns);

} // namespace tarnwick::store
