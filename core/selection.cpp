#include "core/selection.h"

#include "core/catalogueindex.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/selectionrules.h"
#include "core/vectorstate.h"

#include <cmath>

namespace tarnwick {

namespace {

struct PointExtremes
{
    float minFlow = 0.0f;
    float maxFlow = 0.0f;
    float maxHead = 0.0f;
    float maxPower = 0.0f;
};

// Extremes over the points, starting from point 1.
PointExtremes extremesOf(const CurvePoints& points)
{
    PointExtremes e;
    if (points.size() == 0)
        return e;
    e.minFlow = e.maxFlow = points.flow[0];
    e.maxHead = points.head[0];
    e.maxPower = points.power[0];
    for (std::size_t k = 1; k < points.size(); ++k) {
        if (points.flow[k] < e.minFlow)
            e.minFlow = points.flow[k];
        if (points.flow[k] > e.maxFlow)
            e.maxFlow = points.flow[k];
        if (points.head[k] > e.maxHead)
            e.maxHead = points.head[k];
        if (points.power[k] > e.maxPower)
            e.maxPower = points.power[k];
    }
    return e;
}

SelectionResult resultRow(const char* method, const SelectionRequest& request, const std::string& model,
                          float bestEfficiency, double operatingHead, double operatingFlow, double operatingEfficiency)
{
    SelectionResult row;
    row.method = method;
    row.resistance = request.resistance;
    row.flow = request.flow;
    row.staticHead = request.staticHead;
    row.model = model;
    row.bestEfficiency = bestEfficiencyFigure(bestEfficiency);
    row.operatingHead = roundedToTenth(operatingHead);
    row.operatingFlow = roundedToTenth(operatingFlow);
    row.operatingEfficiency = wholePercent(operatingEfficiency);
    return row;
}

bool allFinite(std::initializer_list<double> values)
{
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

CalculationStop dutyStop(const ValidationFailure& failure)
{
    return {failure.message, CalculationStop::Focus::DutyBox, failure.focusIndex};
}

CalculationStop modelStop(const char* message)
{
    return {message, CalculationStop::Focus::ModelChooser, 0};
}

} // namespace

std::string designEntryText(const std::string& model, const std::optional<double>& speed)
{
    // A damaged speed field can hold an infinity; the list shows it like an
    // empty field rather than as "Infinity".
    const bool shown = speed && std::isfinite(*speed);
    return model + "型 " + "转速" + (shown ? numberText(*speed) : std::string()) + "r/min";
}

std::array<std::string, 5> operatingParameterLabels(const DesignCandidate& candidate)
{
    return {
        "水泵最高效率＝" + numberText(bestEfficiencyFigure(candidate.bestEfficiency)) + "%",
        "水泵实际扬程＝" + numberText(roundedToTenth(candidate.operatingHead)) + "mH2O",
        "水泵实际流量＝" + numberText(roundedToTenth(candidate.operatingFlow)) + "m3/h",
        "水泵实际效率＝" + numberText(wholePercent(candidate.operatingEfficiency)) + "%",
        candidate.model + "型水泵1台",
    };
}

Expected<DesignSelection, CalculationStop> runDesignSelection(const Catalogue& catalogue, const DutyTexts& texts,
                                                              const SelectionProgress& progress)
{
    // Validation comes before the index is built: a bad duty reads nothing.
    if (auto request = readSelectionRequest(texts); !request)
        return Expected<DesignSelection, CalculationStop>::failure(dutyStop(request.error()));
    const CatalogueIndex index(catalogue.points);
    return runDesignSelection(
        catalogue, texts, [&index](double key) { return index.runOf(key); }, progress);
}

Expected<DesignSelection, CalculationStop> runDesignSelection(const Catalogue& catalogue, const DutyTexts& texts,
                                                              const PointRunFinder& findRun,
                                                              const SelectionProgress& progress)
{
    using Result = Expected<DesignSelection, CalculationStop>;

    auto request = readSelectionRequest(texts);
    if (!request)
        return Result::failure(dutyStop(request.error()));

    DesignSelection selection;
    selection.request = request.value();
    const SelectionRequest& req = selection.request;
    const double q = req.flow;
    const double r = req.resistance;

    std::vector<float> work;
    selection.rejected.reserve(catalogue.pumps.size());

    releaseVectorState();
    // Progress is told every so many pumps: often enough for a display,
    // rarely enough to cost nothing.
    constexpr std::size_t kProgressStep = 512;
    const std::size_t total = catalogue.pumps.size();
    for (std::size_t index = 0; index < catalogue.pumps.size(); ++index) {
        if (progress && index % kProgressStep == 0)
            progress(index, total);
        const CataloguePump& pump = catalogue.pumps[index];
        // Keeps the first rule a skipped pump failed; the run itself goes on
        // exactly as it would without this record.
        RejectedPump* rejected = nullptr;
        auto reject = [&](RejectionRule rule, std::optional<double> figure = std::nullopt,
                          std::optional<double> margin = std::nullopt) {
            RejectedPump& r = selection.rejected.emplace_back();
            r.pumpIndex = index;
            r.rule = rule;
            r.figure = figure;
            r.margin = margin;
            rejected = &r;
        };

        const PointRun run = findRun(pump.key);
        if (run.count < rules::kMinPoints) {
            reject(RejectionRule::TooFewPoints, static_cast<double>(run.count));
            continue;
        }
        const std::optional<CurvePoints> points = readPointRun(catalogue.points, run);
        if (!points) {
            reject(RejectionRule::FitFailed);
            rejected->unusablePoints = true;
            continue;
        }

        const PointExtremes e = extremesOf(*points);
        if (q > rules::kMaxFlowMultiple * static_cast<double>(e.maxFlow)) {
            const double ratio = q / static_cast<double>(e.maxFlow);
            reject(RejectionRule::FlowWindow, ratio, ratio / rules::kMaxFlowMultiple - 1.0);
            continue;
        }
        if (q < rules::kMinFlowMultiple * static_cast<double>(e.minFlow)) {
            const double ratio = q / static_cast<double>(e.minFlow);
            reject(RejectionRule::FlowWindow, ratio, 1.0 - ratio / rules::kMinFlowMultiple);
            continue;
        }

        const CurveFit headFit = fitCurve(points->head, points->flow);
        const CurveFit powerFit = fitCurve(points->power, points->flow);
        if (headFit.failed() || powerFit.failed() || !headFit.finite() || !powerFit.finite()) {
            reject(RejectionRule::FitFailed);
            continue;
        }

        const OperatingPoint op = findOperatingPoint(headFit, req.systemCoefficient, req.staticHead, q);
        if (op.outcome != OperatingPoint::Outcome::Converged &&
            op.outcome != OperatingPoint::Outcome::ZeroDerivativeAfterStep) {
            reject(RejectionRule::NoOperatingPoint);
            continue;
        }
        const double qop = op.flow;
        const double hop = operatingHeadAt(headFit, op, req.systemCoefficient);
        const double nop = powerFit.valueAt(qop);
        if (nop == 0.0) {
            reject(RejectionRule::ZeroPower);
            rejected->operatingFlow = qop;
            rejected->operatingHead = hop;
            rejected->operatingPower = nop;
            continue;
        }
        const double etaOp = pointEfficiency(qop, hop, nop);
        if (!allFinite({qop, hop, nop, etaOp})) {
            reject(RejectionRule::NoOperatingPoint);
            continue;
        }

        const float etaMax = efficency(points->head, points->flow, points->power, work);
        const double best = static_cast<double>(etaMax);
        auto keepOperatingValues = [&] {
            rejected->operatingFlow = qop;
            rejected->operatingHead = hop;
            rejected->operatingEfficiency = etaOp;
            rejected->operatingPower = nop;
            if (std::isfinite(etaMax))
                rejected->bestEfficiency = best;
        };
        if (!(etaMax > rules::kLowestBestEfficiency) || !std::isfinite(etaMax)) {
            if (std::isfinite(etaMax))
                reject(RejectionRule::LowBestEfficiency, best,
                       (static_cast<double>(rules::kLowestBestEfficiency) - best) / 100.0);
            else
                reject(RejectionRule::LowBestEfficiency);
            keepOperatingValues();
            continue;
        }

        const double headExcess = (hop - r) / r;
        const double flowExcess = (qop - q) / q;
        if (headExcess <= 0.0) {
            reject(RejectionRule::HeadLow, 100.0 * headExcess, -headExcess);
            keepOperatingValues();
            continue;
        }
        if (headExcess > rules::kMaxExcess) {
            reject(RejectionRule::HeadHigh, 100.0 * headExcess, headExcess - rules::kMaxExcess);
            keepOperatingValues();
            continue;
        }
        if (flowExcess <= 0.0) {
            reject(RejectionRule::FlowLow, 100.0 * flowExcess, -flowExcess);
            keepOperatingValues();
            continue;
        }
        if (flowExcess > rules::kMaxExcess) {
            reject(RejectionRule::FlowHigh, 100.0 * flowExcess, flowExcess - rules::kMaxExcess);
            keepOperatingValues();
            continue;
        }
        if (best - rules::kDesignEfficiencyDrop > etaOp) {
            const double below = best - etaOp;
            reject(RejectionRule::EfficiencyLow, below, (below - rules::kDesignEfficiencyDrop) / 100.0);
            keepOperatingValues();
            continue;
        }

        selection.entries.push_back(designEntryText(pump.model, pump.speed));
        DesignCandidate candidate;
        candidate.model = pump.model;
        candidate.maxFlow = e.maxFlow;
        candidate.maxHead = e.maxHead;
        candidate.maxPower = e.maxPower;
        candidate.operatingFlow = qop;
        candidate.operatingHead = hop;
        candidate.operatingEfficiency = etaOp;
        candidate.bestEfficiency = etaMax;
        candidate.operatingPower = nop;
        candidate.speed = pump.speed;
        candidate.headFit = chartHeadFit(headFit, op, req.systemCoefficient);
        candidate.powerFit = powerFit;
        candidate.fitQuality = fitQuality(*points, headFit, powerFit);
        candidate.points = *points;
        selection.rows.push_back(resultRow(text::kMethodDesign, req, pump.model, etaMax, hop, qop, etaOp));
        selection.candidates.push_back(std::move(candidate));
    }
    if (progress)
        progress(total, total);

    if (selection.entries.empty()) {
        selection.entries.emplace_back(text::kNoPumpFound);
        selection.listEnabled = false;
    }
    return selection;
}

Expected<CheckedPump, CalculationStop> runCheckCalculation(const Catalogue& catalogue, const DutyTexts& texts,
                                                           const std::string& modelText)
{
    using Result = Expected<CheckedPump, CalculationStop>;

    auto request = readSelectionRequest(texts);
    if (!request)
        return Result::failure(dutyStop(request.error()));

    CheckedPump checked;
    checked.request = request.value();
    const SelectionRequest& req = checked.request;
    const double q = req.flow;
    const double r = req.resistance;

    const CataloguePump* pump = nullptr;
    for (const CataloguePump& candidate : catalogue.pumps) {
        if (candidate.model == modelText) {
            pump = &candidate;
            break;
        }
    }
    if (!pump)
        return Result::failure(modelStop(text::kChooseModelFromList));
    checked.model = modelText;
    checked.pumpType = pump->type;

    const PointRun run = literalPointRun(catalogue.points, pump->key);
    checked.pointCount = static_cast<int>(run.count);
    const std::optional<CurvePoints> points = readPointRun(catalogue.points, run);
    if (!points)
        return Result::failure(modelStop(text::kNoCurveData));

    const PointExtremes e = extremesOf(*points);
    checked.maxFlow = e.maxFlow;
    checked.maxHead = e.maxHead;
    checked.maxPower = e.maxPower;

    const CurveFit headFit = fitCurve(points->head, points->flow);
    const CurveFit powerFit = fitCurve(points->power, points->flow);
    if (headFit.failed())
        return Result::failure(modelStop(text::kFlowUnsuitable));
    if (powerFit.failed())
        return Result::failure(modelStop(text::kPressureUnsuitable));
    // A fit that is not finite gives no operating point.
    if (!headFit.finite() || !powerFit.finite())
        return Result::failure(modelStop(text::kFlowUnsuitable));

    const OperatingPoint op = findOperatingPoint(headFit, req.systemCoefficient, req.staticHead, q);
    switch (op.outcome) {
    case OperatingPoint::Outcome::Converged:
        break;
    case OperatingPoint::Outcome::ZeroDerivativeAfterStep:
        return Result::failure(modelStop(text::kPressureUnsuitable));
    case OperatingPoint::Outcome::ZeroDerivativeAtStart:
    case OperatingPoint::Outcome::NoSolution:
        return Result::failure(modelStop(text::kFlowUnsuitable));
    }

    const double qop = op.flow;
    const double hop = operatingHeadAt(headFit, op, req.systemCoefficient);
    const double nop = powerFit.valueAt(qop);
    if (nop == 0.0)
        return Result::failure(modelStop(text::kFlowUnsuitable));
    const double etaOp = pointEfficiency(qop, hop, nop);
    if (!allFinite({qop, hop, nop, etaOp}))
        return Result::failure(modelStop(text::kFlowUnsuitable));

    if (qop / q > rules::kCheckMaxRatio || qop / q < rules::kCheckMinRatio)
        return Result::failure(modelStop(text::kFlowUnsuitable));
    if (hop / r > rules::kCheckMaxRatio || hop / r < rules::kCheckMinRatio)
        return Result::failure(modelStop(text::kHeadUnsuitable));

    std::vector<float> work;
    const float etaMax = efficency(points->head, points->flow, points->power, work);
    if (static_cast<double>(etaMax) - rules::kCheckEfficiencyDrop > etaOp || !std::isfinite(etaMax))
        return Result::failure(modelStop(text::kEfficiencyTooLow));

    checked.headFit = chartHeadFit(headFit, op, req.systemCoefficient);
    checked.powerFit = powerFit;
    checked.fitQuality = fitQuality(*points, headFit, powerFit);
    checked.points = *points;
    checked.operatingFlow = qop;
    checked.operatingHead = hop;
    checked.operatingPower = nop;
    checked.operatingEfficiency = etaOp;
    checked.bestEfficiency = etaMax;
    checked.row = resultRow(text::kMethodCheck, req, modelText, etaMax, hop, qop, etaOp);
    checked.labels = {
        "水泵最高效率＝" + numberText(checked.row.bestEfficiency) + "%",
        "水泵实际扬程＝" + numberText(checked.row.operatingHead) + " m",
        "水泵实际流量＝" + numberText(checked.row.operatingFlow) + " m3/h",
        "水泵实际效率＝" + numberText(checked.row.operatingEfficiency) + "%",
        modelText + "型水泵1台",
    };
    return checked;
}

} // namespace tarnwick
