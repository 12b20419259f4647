#pragma once

#include "core/curvefit.h"

namespace tarnwick {

// The correction of a pump's water curves for a more viscous liquid after
// ANSI/HI 9.6.7-2010 (Effects of Liquid Viscosity on Rotodynamic Pump
// Performance), taken at the pump's best-efficiency point on water.
struct ViscosityCorrection
{
    double b = 0.0;   // the parameter B
    double cq = 1.0;  // flow factor
    double ch = 1.0;  // head factor at the best-efficiency flow (equal to CQ there)
    double ceta = 1.0; // efficiency factor

    // B at most 1: the water curves hold as they are.
    bool needed() const { return b > kNoCorrectionLimit; }
    // B of 40 or more lies beyond the method.
    bool outOfRange() const { return !(b < kUpperLimit); }
    // The head factor at flow q of the water curve.
    double headFactor(double q, double bestEfficiencyFlow) const;

    static constexpr double kNoCorrectionLimit = 1.0;
    static constexpr double kUpperLimit = 40.0;
};

// nu in cSt, flow in m3/h, head in m (per stage), speed in r/min.
ViscosityCorrection viscosityCorrection(double nu, double bestEfficiencyFlow, double bestEfficiencyHead, double speed);

// The water points as the liquid's: flow x CQ, head x CH at the point's flow,
// efficiency x Ceta and the shaft power of the liquid's density,
// rho/1000 x CQ CH / Ceta x the water power. Each figure is rounded to 32-bit
// as the catalogue's are.
CurvePoints liquidPoints(const CurvePoints& water, const ViscosityCorrection& correction, double bestEfficiencyFlow,
                         double densityRatio);

} // namespace tarnwick
