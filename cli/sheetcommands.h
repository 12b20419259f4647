#pragma once

#include "core/units.h"

#include <QHash>
#include <QString>

namespace tarnwick::store {
class PumpCatalogue;
}

namespace tarnwick::cli {

// Data sheets for the duty: of the model given by --model (as the check shows
// it) or, with all, of every pump the design lists; written to --pdf. Nothing
// is stored: the sheets describe a calculation, they are not one.
int runSheetCommand(store::PumpCatalogue& catalogue, const DutyTexts& texts, const QHash<QString, QString>& values,
                    bool all, bool json);

// Every pump whose head fit strays more than 2 % of its largest head from a
// catalogue point, or that cannot be fitted at all.
int runCatalogueCheckCommand(store::PumpCatalogue& catalogue, bool json);

} // namespace tarnwick::cli
