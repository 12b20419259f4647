#pragma once

#include "core/curvefit.h"
#include "core/selection.h"
#include "core/units.h"

#include <QColor>
#include <QString>

#include <array>
#include <optional>

namespace tarnwick {

// What the performance chart is drawn on: a surface with a user-defined
// scale, single-point plotting and circles. The window's picture box plots
// pixels; a printed page draws the same calls as vector lines.
class ChartSurface
{
public:
    virtual ~ChartSurface() = default;
    // x runs from `left` at the left edge to `right` at the right edge, y from
    // `top` at the top edge to `bottom` at the bottom edge. A scale without
    // extent in either direction is refused.
    virtual bool setScale(double left, double top, double right, double bottom) = 0;
    virtual void plot(double x, double y, const QColor& color) = 0;
    // A circle outline around (x, y) whose radius is given in x units.
    virtual void circle(double x, double y, double radius, const QColor& color) = 0;
    // A small square marking a measured catalogue point.
    virtual void marker(double x, double y, const QColor& color) = 0;
};

// What a pump's chart is drawn from.
struct ChartInput
{
    float maxFlow = 0.0f;
    float maxHead = 0.0f;
    float maxPower = 0.0f;
    double operatingFlow = 0.0;
    double operatingHead = 0.0;
    CurveFit headFit;
    CurveFit powerFit;
    SelectionRequest request;
    // The head scale Hs, the top of the plot being 1.5 Hs. A design candidate
    // uses the integer part of its largest head; the check its own rule.
    double headScale = 0.0;
    // The catalogue points the curves were fitted to; marked after the
    // curves when given.
    CurvePoints points;
    // With the impeller cut to the duty: the cut's ratio r, whose head curve
    // r^2 H(Q / r) is drawn dotted beside the full one.
    std::optional<double> trimRatio;
};

// The chart of a design candidate, and of a checked pump (the check's head
// scale), for the duty `request`: the same input for the window and a page.
ChartInput chartInputFor(const DesignCandidate& candidate, const SelectionRequest& request);
ChartInput chartInputFor(const CheckedPump& pump, const SelectionRequest& request);

// The head scale of a design candidate's chart: the integer part of the
// largest head.
double designHeadScale(float maxHead);
// The check's head scale: floor(1.2 x largest head + 0.5).
double checkHeadScale(float maxHead);

// The tick texts the chart sets beside its plot area; an axis that cannot be
// drawn leaves its ticks empty.
struct ChartTicks
{
    std::array<QString, 5> flow;  // Label14(1..5)
    std::array<QString, 5> power; // Label12(12..16)
    std::array<QString, 5> head;  // Label12(18..22)
};

// The drawing colours, matching the legend.
inline QColor efficiencyCurveColor()
{
    return QColor(255, 255, 255);
}
inline QColor powerCurveColor()
{
    return QColor(255, 255, 0);
}
inline QColor headCurveColor()
{
    return QColor(255, 0, 0);
}
inline QColor systemCurveColor()
{
    return QColor(0, 255, 0);
}
inline QColor chartBackground()
{
    return QColor(192, 192, 255);
}
inline QColor chartGridColor()
{
    return QColor(224, 224, 224);
}

// The fixed grid of the plot area, in twips from its top and left edges; the
// area is 4600 x 3200 twips.
inline constexpr int kChartWidthTwips = 4600;
inline constexpr int kChartHeightTwips = 3200;
inline constexpr std::array<int, 14> kChartGridRows = {158,  376,  594,  812,  1030, 1248, 1466,
                                                       1684, 1902, 2120, 2338, 2556, 2774, 3000};
inline constexpr int kChartGridColumnSpacing = 454;
inline constexpr int kChartGridColumns = 9;

// The power scale P of the chart (the top of the plot being 3P):
// floor(1.2 x largest power + 0.5) kW, and for a pump so small that this is 0
// the same rounding in the first decimal place that gives more than 0. Zero
// only for a pump without power.
double chartPowerScale(float maxPower);

// The flow range X of the chart: floor(1.4 x largest flow + 0.5), usable only
// as a positive 16-bit number.
std::optional<int> chartFlowRange(float maxFlow);

// Draws the four curves and the two points of one pump onto the chart, which
// the caller has cleared, then the measured points, and returns the tick
// texts. Scales of zero extent (tiny pumps) or beyond range skip what
// depends on them.
ChartTicks drawPerformanceChart(ChartSurface& chart, const ChartInput& input);

// The chart of a pump without a duty, as the catalogue editor shows it: the
// head, power and efficiency curves over the flows of the measured points,
// on the scales of the design's chart, then the points. No system curve, no
// operating point; operatingFlow, operatingHead and request are not read.
ChartTicks drawCatalogueCurves(ChartSurface& chart, const ChartInput& input);

// The fit figures as the chart's tooltip shows them.
QString fitQualityText(double headDeviationPercent, double headR2, double powerDeviationPercent, double powerR2);

} // namespace tarnwick
