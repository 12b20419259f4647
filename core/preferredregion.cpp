#include "core/preferredregion.h"

#include <cmath>

namespace tarnwick {

namespace {

// Exact by definition (NIST SP 811, 2008 edition, Appendix B.8): the US
// gallon is 3.785411784 L and the foot 0.3048 m.
constexpr double kGpmPerCubicMetrePerHour = 1000.0 / 3.785411784 / 60.0;
constexpr double kFeetPerMetre = 1.0 / 0.3048;

} // namespace

double specificSpeedUs(double speed, double flow, double head)
{
    return speed * std::sqrt(flow * kGpmPerCubicMetrePerHour) / std::pow(head * kFeetPerMetre, 0.75);
}

PreferredRegion preferredRegion(double specificSpeedUs)
{
    if (specificSpeedUs > kHighSpecificSpeed)
        return {0.80, 1.20};
    return {0.70, 1.20};
}

} // namespace tarnwick
