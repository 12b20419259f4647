#pragma once

#include "core/expected.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick {

// The system curve H = Hst + K Q^2 fitted by least squares to points measured
// on the existing plant (Q in m3/h, H in m).
struct SystemFit
{
    double staticHead = 0.0;
    double coefficient = 0.0; // K, m/(m3/h)^2
    // The resistance K Qd^2 at the design flow.
    double resistanceAt(double flow) const { return coefficient * flow * flow; }
};

inline constexpr std::size_t kMinMeasuredPoints = 3;

// With a static head given only K is fitted. A message in Chinese when there
// are fewer than three points, the flows do not differ, or the fit gives a
// static head below 0 or a K not above 0.
Expected<SystemFit, std::string> fitSystemCurve(const std::vector<std::pair<double, double>>& points,
                                                std::optional<double> staticHead = std::nullopt);

} // namespace tarnwick
