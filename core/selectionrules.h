#pragma once

#include <cstddef>

// The rules of the design and check runs, named once: the runs, the reasons
// given for a skipped pump and the charts all read them from here.
namespace tarnwick::rules {

// Q H / (3.672 N) is the efficiency in percent of water, Q in m3/h, H in m,
// N in kW.
inline constexpr double kEfficiencyPercentFactor = 3.672;

// Design: a pump needs this many measured points for a curve.
inline constexpr std::size_t kMinPoints = 3;
// Design: the duty flow lies between these multiples of the smallest and the
// largest measured flow.
inline constexpr double kMinFlowMultiple = 0.5;
inline constexpr double kMaxFlowMultiple = 1.5;
// Design: the best measured efficiency must exceed this, in percent.
inline constexpr float kLowestBestEfficiency = 15.0f;
// Design: the operating head and flow may exceed the duty by this fraction.
inline constexpr double kMaxExcess = 0.2;
// Design: the operating efficiency lies at most this many percentage points
// below the best.
inline constexpr double kDesignEfficiencyDrop = 15.0;

// Check: the operating flow and head lie between these multiples of the duty.
inline constexpr double kCheckMinRatio = 0.5;
inline constexpr double kCheckMaxRatio = 2.0;
// Check: the operating efficiency lies at most this many percentage points
// below the best.
inline constexpr double kCheckEfficiencyDrop = 30.0;

} // namespace tarnwick::rules
