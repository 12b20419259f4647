#include "core/serviceconditions.h"

#include "core/preferredregion.h"
#include "core/selection.h"
#include "core/varspeed.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tarnwick {

namespace {

double measuredBestFlow(const CurvePoints& points, const CurveFit& head, const CurveFit& power)
{
    const auto [lo, hi] = std::minmax_element(points.flow.begin(), points.flow.end());
    return bestEfficiencyFlow(head, power, static_cast<double>(*lo), static_cast<double>(*hi));
}

std::string fixed(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

} // namespace

std::string pumpExtrasText(const PumpExtras& x, const ServiceConditions& c)
{
    std::string text = "工作点流量/最高效率点流量 " + fixed(100.0 * x.bestEfficiencyShare, 0) + " %（" +
                       (x.inPreferredRegion ? "在优先运行区内" : "不在优先运行区内") + "）";
    if (c.fluid && x.viscosity && x.viscosity->needed())
        text += "；粘度修正 B=" + fixed(x.viscosity->b, 2) + " CQ=" + fixed(x.viscosity->cq, 3) +
                " CH=" + fixed(x.viscosity->ch, 3) + " Cη=" + fixed(x.viscosity->ceta, 3);
    if (c.suctionAbsolutePressure) {
        if (x.npsh)
            text += "；有效汽蚀余量 " + fixed(x.npsh->available, 2) + " m，必需 " + fixed(x.npsh->required, 2) + " m";
        else
            text += "；目录中没有必需汽蚀余量，未校核汽蚀";
    }
    if (c.trim) {
        if (!x.trim)
            text += "；无需切削叶轮";
        else if (x.trim->limited)
            text += "；切削量超过 " + fixed(c.maxTrimPercent, 0) + " %，保留原叶轮";
        else
            text += "；叶轮切削至 " + (x.trim->diameter ? fixed(*x.trim->diameter, 1) + " mm" : std::string("原外径")) +
                    "（" + fixed(100.0 * x.trim->ratio, 1) + " %），轴功率 " + fixed(x.trim->shaftPower, 2) +
                    " kW，效率 " + fixed(x.trim->efficiency, 1) + " %（按等效工作点）";
    }
    return text;
}

Expected<ServiceConditions, std::string> completeConditions(ServiceConditions conditions)
{
    using Result = Expected<ServiceConditions, std::string>;
    if (conditions.fluid) {
        auto properties = fluidProperties(*conditions.fluid);
        if (!properties)
            return Result::failure(properties.error());
        conditions.properties = properties.value();
    } else {
        // The suction alone: the catalogue's water at room temperature.
        auto properties = fluidProperties({FluidKind::Water, 0.0, kDefaultWaterTemperature});
        conditions.properties = properties.value();
        conditions.properties.density = ServiceConditions::kCatalogueWaterDensity;
    }
    return conditions;
}

LiquidPoints liquidPointsOf(const CurvePoints& water, std::optional<double> speed, const ServiceConditions& conditions,
                            bool withDensity)
{
    LiquidPoints liquid;
    if (!conditions.fluid) {
        liquid.points = water;
        return liquid;
    }
    ViscosityCorrection correction;
    double bestFlow = 0.0;
    const auto [head, power] = fitCurves(water.head, water.power, water.flow);
    if (!head.failed() && !power.failed() && head.finite() && power.finite() && water.size() > 0) {
        bestFlow = measuredBestFlow(water, head, power);
        if (speed && std::isfinite(*speed) && *speed > 0.0 && bestFlow > 0.0)
            correction = viscosityCorrection(conditions.properties.kinematicViscosity, bestFlow,
                                             head.valueAt(bestFlow), *speed);
        else
            correction.b = std::numeric_limits<double>::infinity();
    } else {
        // Without curves the pump fails on its fit later; the points stay.
        liquid.points = water;
        return liquid;
    }
    liquid.correction = correction;
    if (correction.outOfRange()) {
        liquid.outOfRange = true;
        liquid.points = water;
        return liquid;
    }
    liquid.points = liquidPoints(water, correction, bestFlow, withDensity ? conditions.densityRatio() : 1.0);
    return liquid;
}

PumpExtras pumpExtras(const CurvePoints& points, const PumpEvaluation& evaluation, const CataloguePump& pump,
                      const PumpSheetFields& sheet,
                      const SelectionRequest& request, const ServiceConditions& conditions,
                      const std::optional<ViscosityCorrection>& viscosity)
{
    PumpExtras x;
    x.viscosity = viscosity;
    x.bestEfficiencyFlow = measuredBestFlow(points, evaluation.headFit, evaluation.powerFit);
    double operatingFlow = evaluation.operatingFlow;

    if (conditions.trim) {
        const double dutyHead = static_cast<double>(request.staticHead) + request.resistance;
        x.trim = trimToDuty(evaluation.headFit, evaluation.powerFit, request.flow, dutyHead,
                            conditions.maxTrimPercent, sheet.impellerDiameter, conditions.densityRatio());
        if (x.trim && !x.trim->limited)
            operatingFlow = request.flow / x.trim->ratio; // the equivalent point on the full impeller
    }
    x.bestEfficiencyShare = operatingFlow / x.bestEfficiencyFlow;
    if (pump.speed && std::isfinite(*pump.speed) && *pump.speed > 0.0)
        x.specificSpeed = specificSpeedUs(*pump.speed, x.bestEfficiencyFlow, evaluation.headFit.valueAt(x.bestEfficiencyFlow));
    x.inPreferredRegion = preferredRegion(x.specificSpeed).contains(x.bestEfficiencyShare);

    if (conditions.suctionAbsolutePressure) {
        const double flowAtPump =
            x.trim && !x.trim->limited ? request.flow : evaluation.operatingFlow;
        const std::optional<double> required = npshRequired(sheet.npshRequired, sheet.ratedFlow, flowAtPump);
        if (required) {
            const double available = npshAvailable(*conditions.suctionAbsolutePressure,
                                                   conditions.properties.vapourPressure, conditions.properties.density);
            x.npsh = checkNpsh(available, *required, conditions.npshMarginRatio);
        } else {
            x.npshUnknown = true;
        }
    }
    return x;
}

} // namespace tarnwick
