#pragma once

#include "report/resulttable.h"

#include <optional>

namespace tarnwick {

class DataReport1;

// Offers the liquid, suction and impeller figures (report/conditionreport.h)
// in the open report window, when there is one and the runs had any.
void offerConditionFigures(DataReport1* window, std::optional<report::ResultTable> table);

} // namespace tarnwick
