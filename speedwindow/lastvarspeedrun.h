#pragma once

#include "core/units.h"
#include "core/varspeed.h"
#include "store/varspeedstore.h"

#include <QString>

#include <optional>
#include <vector>

namespace tarnwick {

// What the variable-speed window's last run leaves for its data sheets: the
// run, its duty as typed, the sets listed in the accepted pumps and the set
// on display. The window keeps it and alone changes it; the sheets read it
// and nothing else of the window.
struct LastVarSpeedRun
{
    // The database the window runs on; empty before it is loaded. The
    // sheets read the pumps' data sheet rows from it.
    QString databaseFile;
    // Nothing before the first run or after a stopped one.
    std::optional<store::VarSpeedRun> run;
    DutyTexts duty; // as typed for the run
    // The sets of acceptedTable's rows, by the index each row keeps
    // (Qt::UserRole + 1) whatever the table's sorting; they point into `run`.
    std::vector<const VarSpeedPump*> listed;
    const VarSpeedPump* shown = nullptr; // the set whose chart and load points are shown
};

} // namespace tarnwick
