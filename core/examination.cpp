#include "core/examination.h"

#include "core/fitquality.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace tarnwick {

std::optional<CheckedPump> examinePump(const Catalogue& catalogue, const SelectionRequest& request,
                                       std::size_t pumpIndex)
{
    std::optional<PumpCurves> curves = pumpCurves(catalogue, pumpIndex);
    if (!curves || curves->headFit.failed() || curves->powerFit.failed() || !curves->headFit.finite() ||
        !curves->powerFit.finite())
        return std::nullopt;
    const OperatingPoint op =
        findOperatingPoint(curves->headFit, request.systemCoefficient, request.staticHead, request.flow);
    if (op.outcome != OperatingPoint::Outcome::Converged &&
        op.outcome != OperatingPoint::Outcome::ZeroDerivativeAfterStep)
        return std::nullopt;

    const CataloguePump& pump = catalogue.pumps[pumpIndex];
    const CurvePoints& points = curves->points;
    CheckedPump shown;
    shown.request = request;
    shown.model = pump.model;
    shown.pumpType = pump.type;
    shown.pointCount = static_cast<int>(points.size());
    shown.maxFlow = *std::max_element(points.flow.begin(), points.flow.end());
    shown.maxHead = *std::max_element(points.head.begin(), points.head.end());
    shown.maxPower = *std::max_element(points.power.begin(), points.power.end());
    shown.operatingFlow = op.flow;
    shown.operatingHead = operatingHeadAt(curves->headFit, op, request.systemCoefficient);
    shown.operatingPower = curves->powerFit.valueAt(op.flow);
    if (!std::isfinite(shown.operatingFlow) || !std::isfinite(shown.operatingHead) ||
        !std::isfinite(shown.operatingPower))
        return std::nullopt;
    shown.operatingEfficiency = shown.operatingPower != 0.0
                                    ? pointEfficiency(shown.operatingFlow, shown.operatingHead, shown.operatingPower)
                                    : 0.0;
    std::vector<float> work;
    shown.bestEfficiency = efficency(points.head, points.flow, points.power, work);
    shown.headFit = chartHeadFit(curves->headFit, op, request.systemCoefficient);
    shown.powerFit = curves->powerFit;
    shown.fitQuality = fitQuality(points, curves->headFit, curves->powerFit);
    shown.labels = {
        "水泵最高效率＝" + numberText(bestEfficiencyFigure(shown.bestEfficiency)) + "%",
        "水泵实际扬程＝" + numberText(roundedToTenth(shown.operatingHead)) + " m",
        "水泵实际流量＝" + numberText(roundedToTenth(shown.operatingFlow)) + " m3/h",
        "水泵实际效率＝" + numberText(wholePercent(shown.operatingEfficiency)) + "%",
        pump.model + "型水泵1台",
    };
    shown.points = points;
    return shown;
}

std::vector<std::size_t> closestRejected(const std::vector<RejectedPump>& rejected, std::size_t count)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < rejected.size(); ++i) {
        if (rejected[i].margin && std::isfinite(*rejected[i].margin))
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return *rejected[a].margin < *rejected[b].margin; });
    if (order.size() > count)
        order.resize(count);
    return order;
}

} // namespace tarnwick
