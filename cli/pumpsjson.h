#pragma once

#include "core/selection.h"

#include <QJsonArray>

namespace tarnwick::cli {

// One object per listed pump, for scripts: the operating figures as
// calculated (unrounded) and, under "stored", the figures as the result row
// stores them, keyed by field name.
QJsonArray designPumpsJson(const DesignSelection& selection);
QJsonArray checkedPumpJson(const CheckedPump& pump, const Catalogue& catalogue);

} // namespace tarnwick::cli
