#pragma once

#include "core/expected.h"
#include "core/selection.h"
#include "store/pumpcatalogue.h"

#include <QString>

namespace tarnwick::store {

// Why a run ended without a result: one of the program's messages (with the
// control that takes the focus), or a database failure.
struct RunFailure
{
    enum class Kind { Message, Database };
    Kind kind = Kind::Message;
    CalculationStop stop;
    QString databaseError;
};

// The design selection as one routine that needs no window: empty the latest
// results, read and validate the duty, select over the catalogue, append both
// result rows per accepted pump, re-read both result tables. The skipped
// pumps are listed only when `list` asks for them.
Expected<DesignSelection, RunFailure> runDesign(PumpCatalogue& catalogue, const DutyTexts& texts,
                                                const SelectionProgress& progress = {},
                                                const ServiceConditions& conditions = {},
                                                RejectedList list = RejectedList::Omitted);

// The check calculation likewise: empty the latest results, check the model,
// and for a pump that passes append its row to all results (re-read), then to
// the latest results (re-read).
Expected<CheckedPump, RunFailure> runCheck(PumpCatalogue& catalogue, const DutyTexts& texts, const QString& model,
                                           const ServiceConditions& conditions = {});

} // namespace tarnwick::store
