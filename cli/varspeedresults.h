#pragma once

#include "report/resulttable.h"
#include "store/varspeedstore.h"

#include <QHash>
#include <QJsonArray>
#include <QString>

namespace tarnwick::cli {

// The stored variable-speed results of the latest run, or with all of every
// run, read from the database the options name. On a fault prints it and
// returns false.
bool readVarSpeedRows(const QHash<QString, QString>& values, bool all, store::StoredTable* stored);

// Each stored row as an object: the table's own fields, and beside them the
// English keys, shares and efficiencies as fractions.
QJsonArray varSpeedRowsJson(const store::StoredTable& stored);

// The report's table as text: the boxes' headings with their units, then the
// figures as the report shows them.
QString reportTableText(const report::ResultTable& table);

} // namespace tarnwick::cli
