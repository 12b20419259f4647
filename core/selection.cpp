#include "core/selection.h"

#include "core/catalogueindex.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/preferredregion.h"
#include "core/pumpevaluation.h"
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

CalculationStop dutyStop(const ValidationFailure& failure)
{
    return {failure.message, CalculationStop::Focus::DutyBox, failure.focusIndex};
}

CalculationStop modelStop(const char* message)
{
    return {message, CalculationStop::Focus::ModelChooser, 0};
}

} // namespace

const PumpSheetFields& Catalogue::sheetFieldsOf(std::size_t pumpIndex) const
{
    static const PumpSheetFields none;
    return pumpIndex < sheetFields.size() ? sheetFields[pumpIndex] : none;
}

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
                                                              const ServiceConditions& conditions,
                                                              const SelectionProgress& progress, RejectedList list)
{
    if (auto request = readSelectionRequest(texts); !request)
        return Expected<DesignSelection, CalculationStop>::failure(dutyStop(request.error()));
    const CatalogueIndex index(catalogue.points);
    return runDesignSelection(
        catalogue, texts, conditions, [&index](double key) { return index.runOf(key); }, progress, list);
}

Expected<DesignSelection, CalculationStop> runDesignSelection(const Catalogue& catalogue, const DutyTexts& texts,
                                                              const PointRunFinder& findRun,
                                                              const SelectionProgress& progress)
{
    return runDesignSelection(catalogue, texts, ServiceConditions{}, findRun, progress);
}

Expected<DesignSelection, CalculationStop> runDesignSelection(const Catalogue& catalogue, const DutyTexts& texts,
                                                              const ServiceConditions& conditions,
                                                              const PointRunFinder& findRun,
                                                              const SelectionProgress& progress, RejectedList list)
{
    using Result = Expected<DesignSelection, CalculationStop>;

    auto request = readSelectionRequest(texts);
    if (!request)
        return Result::failure(dutyStop(request.error()));

    DesignSelection selection;
    selection.request = request.value();
    selection.conditions = conditions;
    const SelectionRequest& req = selection.request;
    const double q = req.flow;
    const double r = req.resistance;

    std::vector<float> work;
    const bool listRejected = list == RejectedList::Listed;
    if (listRejected)
        selection.rejected.reserve(catalogue.pumps.size());
    // Unlisted, a skipped pump's record goes here and is overwritten by the next.
    RejectedPump unlisted;

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
            RejectedPump& r = listRejected ? selection.rejected.emplace_back() : unlisted;
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

        // Another liquid than the catalogue's water changes the points the
        // pump is judged by; the flow window above stays the catalogue's.
        const CurvePoints* judged = &*points;
        std::optional<LiquidPoints> liquid;
        if (conditions.fluid) {
            liquid = liquidPointsOf(*points, pump.speed, conditions);
            if (liquid->outOfRange) {
                const double b = liquid->correction ? liquid->correction->b : std::nan("");
                if (std::isfinite(b))
                    reject(RejectionRule::ViscosityOutOfRange, b,
                           b / ViscosityCorrection::kUpperLimit - 1.0);
                else
                    reject(RejectionRule::ViscosityOutOfRange);
                continue;
            }
            judged = &liquid->points;
        }

        const PumpEvaluation ev = evaluatePump(*judged, req, work, conditions.densityRatio());
        using Stage = PumpEvaluation::Stage;
        if (ev.stage == Stage::HeadFitFailed || ev.stage == Stage::PowerFitFailed || ev.stage == Stage::FitNotFinite) {
            reject(RejectionRule::FitFailed);
            continue;
        }
        if (ev.stage == Stage::NoOperatingPoint) {
            reject(RejectionRule::NoOperatingPoint);
            continue;
        }
        const double qop = ev.operatingFlow;
        const double hop = ev.operatingHead;
        const double nop = ev.operatingPower;
        if (ev.stage == Stage::ZeroPower) {
            reject(RejectionRule::ZeroPower);
            rejected->operatingFlow = qop;
            rejected->operatingHead = hop;
            rejected->operatingPower = nop;
            continue;
        }
        if (ev.stage == Stage::FiguresNotFinite) {
            reject(RejectionRule::NoOperatingPoint);
            continue;
        }
        const double etaOp = ev.operatingEfficiency;

        const float etaMax = ev.bestEfficiency;
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

        PumpExtras extras = pumpExtras(*judged, ev, pump, catalogue.sheetFieldsOf(index), req, conditions,
                                       liquid ? liquid->correction : std::optional<ViscosityCorrection>());
        if (extras.npsh && !extras.npsh->ok) {
            reject(RejectionRule::NpshInsufficient, extras.npsh->available,
                   (extras.npsh->needed - extras.npsh->available) / extras.npsh->needed);
            rejected->limit = extras.npsh->needed;
            keepOperatingValues();
            continue;
        }
        if (conditions.preferredRegionOnly && !extras.inPreferredRegion) {
            const PreferredRegion region = preferredRegion(extras.specificSpeed);
            const double share = extras.bestEfficiencyShare;
            reject(RejectionRule::OutsidePreferredRegion, 100.0 * share,
                   share < region.low ? region.low - share : share - region.high);
            rejected->limit = 100.0 * region.low;
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
        candidate.headFit = ev.chartHeadFit(req);
        candidate.powerFit = ev.powerFit;
        candidate.fitQuality = fitQuality(*judged, ev.headFit, ev.powerFit);
        candidate.points = *judged;
        candidate.extras = std::move(extras);
        candidate.conditions = conditions;
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
                                                           const std::string& modelText,
                                                           const ServiceConditions& conditions)
{
    using Result = Expected<CheckedPump, CalculationStop>;

    auto request = readSelectionRequest(texts);
    if (!request)
        return Result::failure(dutyStop(request.error()));

    CheckedPump checked;
    checked.request = request.value();
    checked.conditions = conditions;
    const SelectionRequest& req = checked.request;
    const double q = req.flow;
    const double r = req.resistance;

    const CataloguePump* pump = nullptr;
    std::size_t pumpIndex = 0;
    for (const CataloguePump& candidate : catalogue.pumps) {
        if (candidate.model == modelText) {
            pump = &candidate;
            break;
        }
        ++pumpIndex;
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

    const CurvePoints* judged = &*points;
    std::optional<LiquidPoints> liquid;
    if (conditions.fluid) {
        liquid = liquidPointsOf(*points, pump->speed, conditions);
        if (liquid->outOfRange)
            return Result::failure(modelStop(text::kViscosityUnsuitable));
        judged = &liquid->points;
    }

    std::vector<float> work;
    const PumpEvaluation ev = evaluatePump(*judged, req, work, conditions.densityRatio());
    using Stage = PumpEvaluation::Stage;
    switch (ev.stage) {
    case Stage::HeadFitFailed:
        return Result::failure(modelStop(text::kFlowUnsuitable));
    case Stage::PowerFitFailed:
        return Result::failure(modelStop(text::kPressureUnsuitable));
    // A fit that is not finite gives no operating point.
    case Stage::FitNotFinite:
    case Stage::NoOperatingPoint:
        return Result::failure(modelStop(text::kFlowUnsuitable));
    case Stage::ZeroPower:
    case Stage::FiguresNotFinite:
    case Stage::Complete:
        break;
    }
    // The design takes a point where the slope vanished after a step; the
    // check does not.
    if (ev.point.outcome == OperatingPoint::Outcome::ZeroDerivativeAfterStep)
        return Result::failure(modelStop(text::kPressureUnsuitable));
    if (!ev.complete())
        return Result::failure(modelStop(text::kFlowUnsuitable));

    const double qop = ev.operatingFlow;
    const double hop = ev.operatingHead;
    const double nop = ev.operatingPower;
    const double etaOp = ev.operatingEfficiency;

    if (qop / q > rules::kCheckMaxRatio || qop / q < rules::kCheckMinRatio)
        return Result::failure(modelStop(text::kFlowUnsuitable));
    if (hop / r > rules::kCheckMaxRatio || hop / r < rules::kCheckMinRatio)
        return Result::failure(modelStop(text::kHeadUnsuitable));

    const float etaMax = ev.bestEfficiency;
    if (static_cast<double>(etaMax) - rules::kCheckEfficiencyDrop > etaOp || !std::isfinite(etaMax))
        return Result::failure(modelStop(text::kEfficiencyTooLow));

    checked.extras = pumpExtras(*judged, ev, *pump, catalogue.sheetFieldsOf(pumpIndex), req, conditions,
                                liquid ? liquid->correction : std::optional<ViscosityCorrection>());
    if (checked.extras.npsh && !checked.extras.npsh->ok)
        return Result::failure(modelStop(text::kNpshInsufficient));

    checked.headFit = ev.chartHeadFit(req);
    checked.powerFit = ev.powerFit;
    checked.fitQuality = fitQuality(*judged, ev.headFit, ev.powerFit);
    checked.points = *judged;
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
