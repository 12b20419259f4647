#include "shell/conditionreports.h"

#include "shell/reportwindow/datareport1.h"
#include "shell/shelltexts.h"

namespace tarnwick {

void offerConditionFigures(DataReport1* window, std::optional<report::ResultTable> table)
{
    if (window && table)
        window->offerSecondTable(shelltext::conditionFiguresButton(), std::move(*table));
}

} // namespace tarnwick
