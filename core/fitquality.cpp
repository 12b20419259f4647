#include "core/fitquality.h"

#include "core/catalogueindex.h"
#include "core/selection.h"

#include <cmath>
#include <limits>

namespace tarnwick {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct CurveQuality
{
    double deviationPercent = kNaN;
    double r2 = kNaN;
};

CurveQuality qualityOf(const std::vector<float>& values, const std::vector<float>& flows, const CurveFit& fit)
{
    CurveQuality quality;
    const std::size_t n = values.size();
    if (n == 0 || fit.failed() || !fit.finite())
        return quality;
    double largest = static_cast<double>(values[0]);
    double mean = 0.0;
    for (float v : values) {
        largest = std::fmax(largest, static_cast<double>(v));
        mean += static_cast<double>(v);
    }
    mean /= static_cast<double>(n);
    double deviation = 0.0;
    double residual = 0.0;
    double total = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const double y = static_cast<double>(values[k]);
        const double e = fit.valueAt(static_cast<double>(flows[k])) - y;
        deviation = std::fmax(deviation, std::fabs(e));
        residual += e * e;
        total += (y - mean) * (y - mean);
    }
    if (largest > 0.0)
        quality.deviationPercent = 100.0 * deviation / largest;
    if (total > 0.0)
        quality.r2 = 1.0 - residual / total;
    return quality;
}

} // namespace

FitQuality fitQuality(const CurvePoints& points, const CurveFit& headFit, const CurveFit& powerFit)
{
    const CurveQuality head = qualityOf(points.head, points.flow, headFit);
    const CurveQuality power = qualityOf(points.power, points.flow, powerFit);
    return {head.deviationPercent, power.deviationPercent, head.r2, power.r2};
}

std::optional<PumpCurves> pumpCurves(const Catalogue& catalogue, std::size_t pumpIndex)
{
    if (pumpIndex >= catalogue.pumps.size())
        return std::nullopt;
    const PointRun run = literalPointRun(catalogue.points, catalogue.pumps[pumpIndex].key);
    std::optional<CurvePoints> points = readPointRun(catalogue.points, run);
    if (!points)
        return std::nullopt;
    PumpCurves curves;
    const CurveFitPair fits = fitCurves(points->head, points->power, points->flow);
    curves.headFit = fits.head;
    curves.powerFit = fits.power;
    curves.points = std::move(*points);
    return curves;
}

} // namespace tarnwick
