#pragma once

#include "core/selection.h"
#include "core/units.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace tarnwick {

namespace store {
class PumpCatalogue;
}

// What the calculation window's last runs leave for its data sheets and its
// list of left-out pumps: the last design's duty, candidates and skipped
// pumps, the last passed check, and which pump the chart shows. The window
// keeps it and alone changes it; the sheets read it and nothing else of the
// window.
struct LastCalculation
{
    enum class Shown { None, Candidate, Check, Rejected };

    // The catalogue the runs read (null before the window is loaded). The
    // sheets read the pumps' data sheet rows and schematics from it.
    const store::PumpCatalogue* catalogue = nullptr;

    SelectionRequest designRequest;
    DutyTexts designDuty;                    // as typed for the last design
    std::vector<DesignCandidate> candidates; // List1 entry k-1 is candidate k
    std::vector<RejectedPump> rejected;
    // Whether List1 shows the last design's candidates: enabled, one entry
    // per candidate. A list emptied or disabled since has no sheets to offer.
    bool candidatesListed = false;

    std::optional<CheckedPump> check;
    DutyTexts checkDuty; // as typed for the last check

    Shown shown = Shown::None;
    std::size_t shownCandidate = 0; // while a candidate is shown
};

} // namespace tarnwick
