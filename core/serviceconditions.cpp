#include "core/serviceconditions.h"

#include "core/preferredregion.h"
#include "core/selection.h"
#include "core/varspeed.h"

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace {

double measuredBestFlow(const CurvePoints& points, const CurveFit& head, const CurveFit& power)
{
    const auto [lo, hi] = std::minmax_element(points.flow.begin(), points.flow.end());
    return bestEfficiencyFlow(head, power, static_cast<double>(*lo), static_cast<double>(*hi));
}

} // namespace

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

LiquidPoints liquidPointsOf(const CurvePoints& water, std::optional<double> speed, const ServiceConditions& conditions)
{
    LiquidPoints liquid;
    if (!conditions.fluid) {
        liquid.points = water;
        return liquid;
    }
    ViscosityCorrection correction;
    double bestFlow = 0.0;
    const CurveFit head = fitCurve(water.head, water.flow);
    const CurveFit power = fitCurve(water.power, water.flow);
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
    liquid.points = liquidPoints(water, correction, bestFlow, conditions.densityRatio());
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
