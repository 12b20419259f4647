#pragma once

#include "report/resulttable.h"
#include "store/varspeedstore.h"

namespace tarnwick {

class MDIForm1;

// The stored variable-speed results as the report shows them.
report::ResultTable varSpeedResultTable(const store::StoredTable& stored, bool allRuns);

// The main window's commands of the variable-speed selection: its window (at
// most one, created on first use) and the reports of its stored results.
void openVarSpeedWindow(MDIForm1* main);
void showLatestVarSpeedResults(MDIForm1* main);
void showAllVarSpeedResults(MDIForm1* main);

} // namespace tarnwick
