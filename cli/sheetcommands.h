#pragma once

#include "core/serviceconditions.h"
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
                    bool all, bool json, const ServiceConditions& conditions = {});

// Data sheets of the variable-speed selection for the duty and the select
// command's options: of the model given by --model (evaluated alone) or, with
// all, of every accepted pump set in ranking order; written to --pdf. Nothing
// is stored.
int runVarSpeedSheetCommand(store::PumpCatalogue& catalogue, const DutyTexts& texts,
                            const QHash<QString, QString>& values, bool all, bool json);

// What the catalogue rules of the imports refuse in the stored catalogue, and
// every pump whose head fit strays more than 2 % of its largest head from a
// catalogue point, or that cannot be fitted at all.
int runCatalogueCheckCommand(store::PumpCatalogue& catalogue, bool json);

} // namespace tarnwick::cli
