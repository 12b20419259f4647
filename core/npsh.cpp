#include "core/npsh.h"

#include "core/fluid.h"

#include <algorithm>
#include <cmath>

namespace tarnwick {

double npshAvailable(double absolutePressure, double vapourPressure, double density)
{
    return 1000.0 * (absolutePressure - vapourPressure) / (density * kStandardGravity);
}

std::optional<double> npshRequired(std::optional<double> ratedNpsh, std::optional<double> ratedFlow, double q,
                                   double speedShare)
{
    if (!ratedNpsh || !std::isfinite(*ratedNpsh) || *ratedNpsh < 0.0)
        return std::nullopt;
    double required = *ratedNpsh;
    if (ratedFlow && std::isfinite(*ratedFlow) && *ratedFlow > 0.0 && q > *ratedFlow) {
        const double share = q / *ratedFlow;
        required *= share * share;
    }
    return required * speedShare * speedShare;
}

NpshCheck checkNpsh(double available, double required, double marginRatio)
{
    NpshCheck c;
    c.available = available;
    c.required = required;
    c.needed = std::max(marginRatio * required, required + kNpshMarginMetres);
    c.ok = available >= c.needed;
    return c;
}

} // namespace tarnwick
