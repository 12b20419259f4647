#include "core/examination.h"

#include "core/catalogueindex.h"
#include "core/fitquality.h"
#include "core/pumpevaluation.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace tarnwick {

std::optional<CheckedPump> examinePump(const Catalogue& catalogue, const SelectionRequest& request,
                                       std::size_t pumpIndex)
{
    if (pumpIndex >= catalogue.pumps.size())
        return std::nullopt;
    const CataloguePump& pump = catalogue.pumps[pumpIndex];
    const std::optional<CurvePoints> points =
        readPointRun(catalogue.points, literalPointRun(catalogue.points, pump.key));
    if (!points)
        return std::nullopt;
    std::vector<float> work;
    const PumpEvaluation ev = evaluatePump(*points, request, work);
    // A pump is shown with whatever point it has, also one of zero power or
    // an efficiency that is not a number.
    using Stage = PumpEvaluation::Stage;
    if (ev.stage != Stage::ZeroPower && ev.stage != Stage::FiguresNotFinite && ev.stage != Stage::Complete)
        return std::nullopt;
    if (!std::isfinite(ev.operatingFlow) || !std::isfinite(ev.operatingHead) || !std::isfinite(ev.operatingPower))
        return std::nullopt;

    CheckedPump shown;
    shown.request = request;
    shown.model = pump.model;
    shown.pumpType = pump.type;
    shown.pointCount = static_cast<int>(points->size());
    shown.maxFlow = *std::max_element(points->flow.begin(), points->flow.end());
    shown.maxHead = *std::max_element(points->head.begin(), points->head.end());
    shown.maxPower = *std::max_element(points->power.begin(), points->power.end());
    shown.operatingFlow = ev.operatingFlow;
    shown.operatingHead = ev.operatingHead;
    shown.operatingPower = ev.operatingPower;
    shown.operatingEfficiency = ev.operatingEfficiency;
    shown.bestEfficiency = ev.bestEfficiency;
    shown.headFit = ev.chartHeadFit(request);
    shown.powerFit = ev.powerFit;
    shown.fitQuality = fitQuality(*points, ev.headFit, ev.powerFit);
    shown.labels = {
        "水泵最高效率＝" + numberText(bestEfficiencyFigure(shown.bestEfficiency)) + "%",
        "水泵实际扬程＝" + numberText(roundedToTenth(shown.operatingHead)) + " m",
        "水泵实际流量＝" + numberText(roundedToTenth(shown.operatingFlow)) + " m3/h",
        "水泵实际效率＝" + numberText(wholePercent(shown.operatingEfficiency)) + "%",
        pump.model + "型水泵1台",
    };
    shown.points = *points;
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
