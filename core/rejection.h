#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The design's rules in the order the design applies them; a skipped pump
// records the first one it failed.
enum class RejectionRule {
    TooFewPoints,
    FlowWindow,
    ViscosityOutOfRange,
    FitFailed,
    NoOperatingPoint,
    ZeroPower,
    LowBestEfficiency,
    HeadLow,
    HeadHigh,
    FlowLow,
    FlowHigh,
    EfficiencyLow,
    NpshInsufficient,
    OutsidePreferredRegion,
};

inline constexpr std::size_t kRejectionRuleCount = 14;

// Whether a run lists the pumps it skipped. Only a window that shows them or
// an explained run needs the list; a plain run neither builds nor allocates it.
enum class RejectedList { Omitted, Listed };

// The machine-readable code of a rule (too_few_points ...).
std::string_view rejectionRuleCode(RejectionRule rule);
// The rule in words, for summaries and the window's reason column.
std::string_view rejectionRuleName(RejectionRule rule);

// One catalogue pump that the design skipped, with the rule and the figure
// that failed it, and the operating values reached before the rule applied.
struct RejectedPump
{
    std::size_t pumpIndex = 0; // position in the catalogue's pump list
    RejectionRule rule = RejectionRule::TooFewPoints;
    // The failing figure in the unit the reason names: the point count; the
    // design flow as a multiple of the largest or smallest point flow; the
    // best efficiency in percent; (Hop - R) / R and (Qop - Q) / Q in percent;
    // the percentage points below the best efficiency; B of the viscosity
    // correction; the NPSH available in m; Qop / Qbep in percent. None for the
    // rules without one.
    std::optional<double> figure;
    // How far past its limit the pump fell, as a fraction comparable between
    // rules (percentage points count as hundredths). None for the rules that
    // have no limit to come close to.
    std::optional<double> margin;
    // The limit the figure was held against where it is not a fixed rule:
    // the NPSH needed; the lower end of the preferred region in percent.
    std::optional<double> limit;
    std::optional<double> operatingFlow;
    std::optional<double> operatingHead;
    std::optional<double> operatingEfficiency;
    std::optional<double> operatingPower;
    std::optional<double> bestEfficiency;
    // The pump has enough points, but they cannot be read as a curve (a
    // shaft power below zero or not a number, a run past the table's end).
    bool unusablePoints = false;
};

// The reason as a sentence with its figure, e.g. "扬程高出 27.4 %".
std::string rejectionReason(const RejectedPump& rejected);

} // namespace tarnwick
