#pragma once

#include "core/curvefit.h"

#include <cstddef>
#include <optional>

namespace tarnwick {

struct Catalogue;

// How closely a pump's fitted curves follow its catalogue points: the
// largest deviation of the fit from a point, as a percentage of the largest
// catalogue value, and the coefficient of determination R^2. A figure that
// cannot be formed (no points, all values equal, a failed fit) is NaN.
struct FitQuality
{
    double headDeviationPercent = 0.0;
    double powerDeviationPercent = 0.0;
    double headR2 = 0.0;
    double powerR2 = 0.0;
};

FitQuality fitQuality(const CurvePoints& points, const CurveFit& headFit, const CurveFit& powerFit);

// One catalogue pump's points and fits, read as the check reads its pump.
struct PumpCurves
{
    CurvePoints points;
    CurveFit headFit;
    CurveFit powerFit;
};

// Nothing when the pump has no points.
std::optional<PumpCurves> pumpCurves(const Catalogue& catalogue, std::size_t pumpIndex);

} // namespace tarnwick
