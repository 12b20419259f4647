#pragma once

#include "core/curvefit.h"

#include <optional>
#include <string>

namespace tarnwick {

// The smallest and the largest flow at which a pump was measured (m3/h).
struct MeasuredFlowRange
{
    float low = 0.0f;
    float high = 0.0f;
};

// Nothing for a pump without points.
std::optional<MeasuredFlowRange> measuredFlowRange(const CurvePoints& points);

// A note for the engineer when the operating flow lies outside the flows the
// pump was measured at: there its curves are extrapolated, not measured. The
// ends of the range count as inside. Nothing when it lies inside or the pump
// has no points. The note only tells: it never decides whether the check
// passes or rejects a pump.
std::optional<std::string> operatingFlowNote(const CurvePoints& points, double operatingFlow);

} // namespace tarnwick
