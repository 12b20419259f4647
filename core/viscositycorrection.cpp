#include "core/viscositycorrection.h"

#include <cmath>
#include <limits>

namespace tarnwick {

double ViscosityCorrection::headFactor(double q, double bestEfficiencyFlow) const
{
    if (!needed())
        return 1.0;
    // ANSI/HI 9.6.7-2010: CH = 1 - (1 - CQ) (Q / QBEP)^0.75.
    const double share = q > 0.0 ? q / bestEfficiencyFlow : 0.0;
    return 1.0 - (1.0 - cq) * std::pow(share, 0.75);
}

ViscosityCorrection viscosityCorrection(double nu, double bestEfficiencyFlow, double bestEfficiencyHead, double speed)
{
    ViscosityCorrection c;
    // ANSI/HI 9.6.7-2010, SI form: B = 16.5 nu^0.5 H^0.0625 / (Q^0.375 N^0.25).
    c.b = 16.5 * std::sqrt(nu) * std::pow(bestEfficiencyHead, 0.0625) /
          (std::pow(bestEfficiencyFlow, 0.375) * std::pow(speed, 0.25));
    if (!std::isfinite(c.b)) {
        c.b = std::numeric_limits<double>::infinity();
        return c;
    }
    if (!c.needed() || c.outOfRange())
        return c;
    const double logB = std::log10(c.b);
    // CQ = 2.71^(-0.165 (log10 B)^3.15); Ceta = B^(-0.0547 B^0.69).
    c.cq = std::pow(2.71, -0.165 * std::pow(logB, 3.15));
    c.ch = c.cq;
    c.ceta = std::pow(c.b, -0.0547 * std::pow(c.b, 0.69));
    return c;
}

CurvePoints liquidPoints(const CurvePoints& water, const ViscosityCorrection& correction, double bestEfficiencyFlow,
                         double densityRatio)
{
    CurvePoints liquid;
    const bool corrected = correction.needed();
    for (std::size_t k = 0; k < water.size(); ++k) {
        const double q = static_cast<double>(water.flow[k]);
        const double h = static_cast<double>(water.head[k]);
        const double p = static_cast<double>(water.power[k]);
        const double cq = corrected ? correction.cq : 1.0;
        const double ch = corrected ? correction.headFactor(q, bestEfficiencyFlow) : 1.0;
        const double ceta = corrected ? correction.ceta : 1.0;
        liquid.add(static_cast<float>(q * cq), static_cast<float>(h * ch),
                   static_cast<float>(p * densityRatio * cq * ch / ceta));
    }
    return liquid;
}

} // namespace tarnwick
