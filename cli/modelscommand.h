#pragma once

#include "core/selection.h"

#include <QHash>
#include <QString>

namespace tarnwick::cli {

// `models`: the pumps of the catalogue in stored order, narrowed by
// --type (the type as stored), --speed (r/min) and --text (a part of the
// model, any case), so that a script can find the model to check.
int runModelsCommand(const Catalogue& catalogue, const QHash<QString, QString>& values, bool json);

} // namespace tarnwick::cli
