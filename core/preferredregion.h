#pragma once

namespace tarnwick {

// The preferred operating region of ANSI/HI 9.6.3-2012 (Rotodynamic Pumps -
// Guideline for Operating Regions): 70 % to 120 % of the best-efficiency flow,
// 80 % to 120 % for pumps whose specific speed in US units exceeds 4 500.
struct PreferredRegion
{
    double low = 0.0;  // share of the best-efficiency flow
    double high = 0.0;
    bool contains(double share) const { return share >= low && share <= high; }
};

inline constexpr double kHighSpecificSpeed = 4500.0;

// Specific speed in US units (r/min, US gpm, ft) at the best-efficiency point,
// from the flow in m3/h and the head in m.
double specificSpeedUs(double speed, double flow, double head);

PreferredRegion preferredRegion(double specificSpeedUs);

} // namespace tarnwick
