#include "core/pumpevaluation.h"

#include <cmath>

namespace tarnwick {

CurveFit PumpEvaluation::chartHeadFit(const SelectionRequest& request) const
{
    return tarnwick::chartHeadFit(headFit, point, request.systemCoefficient);
}

PumpEvaluation evaluatePump(const CurvePoints& points, const SelectionRequest& request, std::vector<float>& work,
                            double efficiencyScale)
{
    using Stage = PumpEvaluation::Stage;
    PumpEvaluation e;
    const CurveFitPair fits = fitCurves(points.head, points.power, points.flow);
    e.headFit = fits.head;
    e.powerFit = fits.power;
    if (e.headFit.failed()) {
        e.stage = Stage::HeadFitFailed;
        return e;
    }
    if (e.powerFit.failed()) {
        e.stage = Stage::PowerFitFailed;
        return e;
    }
    if (!e.headFit.finite() || !e.powerFit.finite()) {
        e.stage = Stage::FitNotFinite;
        return e;
    }

    e.point = findOperatingPoint(e.headFit, request.systemCoefficient, request.staticHead, request.flow);
    if (e.point.outcome != OperatingPoint::Outcome::Converged &&
        e.point.outcome != OperatingPoint::Outcome::ZeroDerivativeAfterStep) {
        e.stage = Stage::NoOperatingPoint;
        return e;
    }
    e.operatingFlow = e.point.flow;
    e.operatingHead = operatingHeadAt(e.headFit, e.point, request.systemCoefficient);
    e.operatingPower = e.powerFit.valueAt(e.operatingFlow);
    e.bestEfficiency = efficency(points.head, points.flow, points.power, work);
    // Water's scale is 1, which leaves every figure as it is.
    if (efficiencyScale != 1.0)
        e.bestEfficiency = static_cast<float>(efficiencyScale * static_cast<double>(e.bestEfficiency));
    if (e.operatingPower == 0.0) {
        e.stage = Stage::ZeroPower;
        return e;
    }
    e.operatingEfficiency = pointEfficiency(e.operatingFlow, e.operatingHead, e.operatingPower);
    if (efficiencyScale != 1.0)
        e.operatingEfficiency *= efficiencyScale;
    const bool finite = std::isfinite(e.operatingFlow) && std::isfinite(e.operatingHead) &&
                        std::isfinite(e.operatingPower) && std::isfinite(e.operatingEfficiency);
    e.stage = finite ? Stage::Complete : Stage::FiguresNotFinite;
    return e;
}

} // namespace tarnwick
