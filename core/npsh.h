#pragma once

#include <optional>

namespace tarnwick {

// The suction of a pump: what the plant offers at the inlet against what the
// pump needs, both in metres of the liquid.
struct NpshCheck
{
    double available = 0.0;
    double required = 0.0; // the pump's, at the operating flow and speed
    double needed = 0.0;   // with the margin: what `available` must reach
    bool ok = false;
};

// The margin on the pump's NPSH of ANSI/HI 9.6.1-2012 (Rotodynamic Pumps -
// Guideline for NPSH Margin) for building services: NPSHa at least 1.1 NPSHr
// and at least NPSHr + 0.6 m.
inline constexpr double kDefaultNpshMarginRatio = 1.1;
inline constexpr double kNpshMarginMetres = 0.6;

// NPSHa = (p_abs - p_vapour) / (rho g), the velocity head at the inlet left
// out (it would only add). Pressures in kPa, density in kg/m3.
double npshAvailable(double absolutePressure, double vapourPressure, double density);

// NPSHr at flow q from the catalogue's value at its rated flow: the rated
// value at and below the rated flow, growing with (q / rated)^2 above it, and
// with the square of the speed share r.
std::optional<double> npshRequired(std::optional<double> ratedNpsh, std::optional<double> ratedFlow, double q,
                                   double speedShare = 1.0);

NpshCheck checkNpsh(double available, double required, double marginRatio = kDefaultNpshMarginRatio);

} // namespace tarnwick
