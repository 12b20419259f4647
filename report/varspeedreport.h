#pragma once

#include "report/resulttable.h"
#include "store/varspeedstore.h"

namespace tarnwick::report {

// The report's title over the latest run's or over every run's rows.
QString varSpeedReportTitle(bool allRuns);

// The stored variable-speed results as the report shows them: each box names
// the stored field it shows, so the table does not depend on the order the
// rows were read in. A field the rows lack shows empty.
ResultTable varSpeedResultTable(const store::StoredTable& stored, bool allRuns);

} // namespace tarnwick::report
