#pragma once

#include "core/selection.h"
#include "store/pumpcatalogue.h"

namespace tarnwick::store {

// The catalogue as the calculations read it, with the data-sheet fields of
// each pump ("流量", "扬程", "必需汽蚀余量", "叶轮外径") that the suction and
// impeller figures need, taken from the same snapshot of "水泵性能表".
Catalogue catalogueWithSheetFields(PumpCatalogue& catalogue);

} // namespace tarnwick::store
