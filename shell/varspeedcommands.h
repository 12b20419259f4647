#pragma once

namespace tarnwick {

class MDIForm1;

// The main window's commands of the variable-speed selection: its window (at
// most one, created on first use) and the reports of its stored results.
void openVarSpeedWindow(MDIForm1* main);
void showLatestVarSpeedResults(MDIForm1* main);
void showAllVarSpeedResults(MDIForm1* main);

} // namespace tarnwick
