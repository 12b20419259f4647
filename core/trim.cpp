#include "core/trim.h"

#include "core/selectionrules.h"

#include <cmath>
#include <limits>

namespace tarnwick {

namespace {

// The cut is sought down to half the diameter; a real impeller is never cut
// so far, and a larger search interval would only find spurious roots.
constexpr double kSmallestRatio = 0.5;
constexpr int kBisectionSteps = 200;

double trimmedHead(const CurveFit& headFit, double dutyFlow, double r)
{
    return r * r * headFit.valueAt(dutyFlow / r);
}

} // namespace

std::optional<TrimResult> trimToDuty(const CurveFit& headFit, const CurveFit& powerFit, double dutyFlow,
                                     double dutyHead, double maxTrimPercent, std::optional<double> fullDiameter,
                                     double efficiencyScale)
{
    if (!(dutyFlow > 0.0) || !(dutyHead > 0.0))
        return std::nullopt;
    const double full = trimmedHead(headFit, dutyFlow, 1.0) - dutyHead;
    if (!(full > 0.0))
        return std::nullopt;
    // r^2 H(Qd / r) falls as r falls on a stable curve: bisect for the root
    // between the smallest ratio and the full impeller.
    double lo = kSmallestRatio;
    double hi = 1.0;
    if (!(trimmedHead(headFit, dutyFlow, lo) - dutyHead < 0.0))
        return std::nullopt;
    for (int i = 0; i < kBisectionSteps && hi - lo > std::numeric_limits<double>::epsilon(); ++i) {
        const double mid = 0.5 * (lo + hi);
        if (trimmedHead(headFit, dutyFlow, mid) - dutyHead < 0.0)
            lo = mid;
        else
            hi = mid;
    }
    const double r = 0.5 * (lo + hi);

    TrimResult t;
    t.flow = dutyFlow;
    t.head = dutyHead;
    if (r < 1.0 - maxTrimPercent / 100.0) {
        t.limited = true;
        t.ratio = 1.0;
        if (fullDiameter)
            t.diameter = *fullDiameter;
        return t;
    }
    t.ratio = r;
    if (fullDiameter)
        t.diameter = r * *fullDiameter;
    const double equivalent = dutyFlow / r;
    t.shaftPower = r * r * r * powerFit.valueAt(equivalent);
    const double p = powerFit.valueAt(equivalent);
    t.efficiency = efficiencyScale * equivalent * headFit.valueAt(equivalent) / (rules::kEfficiencyPercentFactor * p);
    return t;
}

} // namespace tarnwick
