#pragma once

#include "core/curvefit.h"

#include <optional>

namespace tarnwick {

// The impeller cut to the duty at constant speed: the affinity laws for a
// trimmed impeller take the full curve's point (Q, H) to (r Q, r^2 H) and its
// shaft power P to r^3 P, so the duty (Qd, Hd) is met where
// r^2 H(Qd / r) = Hd.
struct TrimResult
{
    double ratio = 1.0;
    std::optional<double> diameter; // mm, ratio x the catalogue's impeller diameter
    double flow = 0.0;              // the duty flow
    double head = 0.0;              // the duty head
    double shaftPower = 0.0;        // r^3 P(Qd / r), kW
    double efficiency = 0.0;        // percent, held at the equivalent point Qd / r
    // The cut would exceed the largest allowed; the full impeller is kept.
    bool limited = false;
};

inline constexpr double kDefaultMaxTrimPercent = 15.0;

// Nothing when the full impeller does not reach the duty (nothing to cut) or
// no ratio above 1 - maxTrim / 100 meets it within the curve. powerScale turns
// the power fit into the liquid's efficiency (rho / 1000; 1 for water).
std::optional<TrimResult> trimToDuty(const CurveFit& headFit, const CurveFit& powerFit, double dutyFlow,
                                     double dutyHead, double maxTrimPercent, std::optional<double> fullDiameter,
                                     double efficiencyScale = 1.0);

} // namespace tarnwick
