#include "core/measuredrange.h"

#include "core/messages.h"
#include "core/numbers.h"

#include <algorithm>

namespace tarnwick {

std::optional<MeasuredFlowRange> measuredFlowRange(const CurvePoints& points)
{
    if (points.flow.empty())
        return std::nullopt;
    const auto [low, high] = std::minmax_element(points.flow.begin(), points.flow.end());
    return MeasuredFlowRange{*low, *high};
}

std::optional<std::string> operatingFlowNote(const CurvePoints& points, double operatingFlow)
{
    const std::optional<MeasuredFlowRange> range = measuredFlowRange(points);
    if (!range)
        return std::nullopt;
    if (operatingFlow >= static_cast<double>(range->low) && operatingFlow <= static_cast<double>(range->high))
        return std::nullopt;
    return std::string(text::kOperatingFlowOutsideMeasured1) + numberText(roundedToTenth(operatingFlow)) +
           text::kOperatingFlowOutsideMeasured2 + displayNumberText(static_cast<double>(range->low), true) + "～" +
           displayNumberText(static_cast<double>(range->high), true) + text::kOperatingFlowOutsideMeasured3;
}

} // namespace tarnwick
