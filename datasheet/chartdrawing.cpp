#include "datasheet/chartdrawing.h"

#include "core/curvefit.h"
#include "core/numbers.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace {

// The curves are drawn point by point in flow steps of 0.01 m3/h, the flow
// held in 32 bits as it always has been, so the last step depends on the
// 32-bit sum.
constexpr float kFlowStep = 0.01f;

template <typename Plot> void stepFlows(float from, float to, Plot&& plot)
{
    for (float q = from; q <= to;) {
        plot(q);
        const float next = q + kFlowStep;
        if (!(next > q))
            break; // flows so large that the step no longer counts
        q = next;
    }
}

QString tickText(double value)
{
    return QString::fromStdString(numberText(value));
}

bool usableScale(double extent)
{
    return std::isfinite(extent) && extent > 0.0;
}

// The catalogue points, each on the scale of its curve and in its colour:
// efficiency, shaft power, head. Drawn after the curves so none hides them.
void drawMeasuredPoints(ChartSurface& chart, const ChartInput& input, double x, double p, double hs)
{
    const CurvePoints& points = input.points;
    if (points.size() == 0 || !usableScale(x))
        return;
    if (chart.setScale(0.0, 100.0, x, -50.0)) {
        for (std::size_t k = 0; k < points.size(); ++k) {
            const double n = static_cast<double>(points.power[k]);
            if (n != 0.0)
                chart.marker(static_cast<double>(points.flow[k]),
                             pointEfficiency(static_cast<double>(points.flow[k]), static_cast<double>(points.head[k]), n),
                             efficiencyCurveColor());
        }
    }
    if (usableScale(p) && chart.setScale(0.0, 3.0 * p, x, 0.0)) {
        for (std::size_t k = 0; k < points.size(); ++k)
            chart.marker(static_cast<double>(points.flow[k]), static_cast<double>(points.power[k]), powerCurveColor());
    }
    if (usableScale(hs) && chart.setScale(0.0, 1.5 * hs, x, 0.0)) {
        for (std::size_t k = 0; k < points.size(); ++k)
            chart.marker(static_cast<double>(points.flow[k]), static_cast<double>(points.head[k]), headCurveColor());
    }
}

// A point beyond the plot's flow or head range is drawn on the border it
// crosses, with a chevron pointing out of the plot, so the engineer sees that
// it lies off the chart rather than not at all.
void drawPoint(ChartSurface& chart, double flow, double head, double x, double top, const QColor& color)
{
    const bool beyondFlow = flow > x;
    const bool beyondHead = head > top;
    const double cx = beyondFlow ? x : std::max(flow, 0.0);
    const double cy = beyondHead ? top : std::max(head, 0.0);
    chart.circle(cx, cy, x / 100.0, color);
    if (!beyondFlow && !beyondHead)
        return;
    // The chevron's arms, drawn dot by dot: a few hundredths of each axis.
    const double dx = x / 40.0;
    const double dy = top / 28.0;
    const double ux = beyondFlow ? 1.0 : 0.0;
    const double uy = beyondHead ? 1.0 : 0.0;
    auto arm = [&](double fromX, double fromY) {
        constexpr int kDots = 24;
        for (int i = 0; i <= kDots; ++i) {
            const double t = static_cast<double>(i) / kDots;
            chart.plot(fromX + (cx - fromX) * t, fromY + (cy - fromY) * t, color);
        }
    };
    // The tip lies on the border; the arms open back into the plot.
    if (ux != 0.0 && uy == 0.0) {
        arm(cx - dx, cy + dy);
        arm(cx - dx, cy - dy);
    } else if (uy != 0.0 && ux == 0.0) {
        arm(cx - dx, cy - dy);
        arm(cx + dx, cy - dy);
    } else {
        arm(cx - 2.0 * dx, cy);
        arm(cx, cy - 2.0 * dy);
    }
}

} // namespace

double chartPowerScale(float maxPower)
{
    // floor(1.2 N + 0.5) kW, as the chart has always scaled its power axis;
    // a pump too small for that (under about 0.42 kW) gets the same rounding
    // in tenths, hundredths, ... of a kW, so its power curve is drawn.
    const double scaled = 1.2 * static_cast<double>(maxPower);
    if (!std::isfinite(scaled) || scaled <= 0.0)
        return 0.0;
    double unit = 1.0;
    for (int digits = 0; digits <= 6; ++digits, unit *= 10.0) {
        const double p = std::floor(scaled * unit + 0.5) / unit;
        if (p > 0.0)
            return p;
    }
    return 0.0;
}

namespace {

template<typename Pump>
ChartInput chartInputOf(const Pump& pump, const SelectionRequest& request, double headScale)
{
    ChartInput input;
    input.maxFlow = pump.maxFlow;
    input.maxHead = pump.maxHead;
    input.maxPower = pump.maxPower;
    input.operatingFlow = pump.operatingFlow;
    input.operatingHead = pump.operatingHead;
    input.headFit = pump.headFit;
    input.powerFit = pump.powerFit;
    input.request = request;
    input.headScale = headScale;
    input.points = pump.points;
    if (pump.extras.trim && !pump.extras.trim->limited && pump.extras.trim->ratio < 1.0)
        input.trimRatio = pump.extras.trim->ratio;
    return input;
}

} // namespace

ChartInput chartInputFor(const DesignCandidate& candidate, const SelectionRequest& request)
{
    return chartInputOf(candidate, request, designHeadScale(candidate.maxHead));
}

ChartInput chartInputFor(const CheckedPump& pump, const SelectionRequest& request)
{
    return chartInputOf(pump, request, checkHeadScale(pump.maxHead));
}

double designHeadScale(float maxHead)
{
    return std::floor(static_cast<double>(maxHead));
}

double checkHeadScale(float maxHead)
{
    return std::floor(1.2 * static_cast<double>(maxHead) + 0.5);
}

std::optional<int> chartFlowRange(float maxFlow)
{
    const double x = std::floor(1.4 * static_cast<double>(maxFlow) + 0.5);
    if (!std::isfinite(x) || x < 1.0 || x > 32767.0)
        return std::nullopt;
    return static_cast<int>(x);
}

ChartTicks drawPerformanceChart(ChartSurface& chart, const ChartInput& input)
{
    ChartTicks ticks;
    const std::optional<int> flowRange = chartFlowRange(input.maxFlow);
    const double x = flowRange ? *flowRange : 0.0;
    const double p = chartPowerScale(input.maxPower);
    const double hs = input.headScale;

    const double qop = input.operatingFlow;
    const float from = static_cast<float>(0.6 * qop);
    const float to = static_cast<float>(1.5 * qop);
    // Without a flow axis there is nothing to plot against.
    const bool curves = flowRange.has_value() && std::isfinite(from) && std::isfinite(to);

    if (flowRange) {
        for (int i = 1; i <= 5; ++i)
            ticks.flow[i - 1] = tickText(i * (x / 5.0));
    }

    // Efficiency: 100 at the top, -50 at the bottom.
    if (curves && chart.setScale(0.0, 100.0, x, -50.0)) {
        stepFlows(from, to, [&](float q) {
            const double flow = static_cast<double>(q);
            const double head = input.headFit.valueAt(flow);
            const double power = input.powerFit.valueAt(flow);
            if (power != 0.0)
                chart.plot(flow, pointEfficiency(flow, head, power), efficiencyCurveColor());
        });
    }

    // Shaft power: 0 at the bottom, 3P at the top.
    if (usableScale(p)) {
        for (int i = 1; i <= 5; ++i)
            ticks.power[i - 1] = tickText(i * (p / 5.0));
        if (curves && chart.setScale(0.0, 3.0 * p, x, 0.0)) {
            stepFlows(from, to, [&](float q) {
                const double flow = static_cast<double>(q);
                chart.plot(flow, input.powerFit.valueAt(flow), powerCurveColor());
            });
        }
    }

    // Head: 0 at the bottom, 1.5 Hs at the top; the system curve and both
    // points share this scale.
    if (usableScale(hs)) {
        for (int i = 1; i <= 5; ++i)
            ticks.head[i - 1] = tickText(i * (hs / 5.0));
        if (curves && chart.setScale(0.0, 1.5 * hs, x, 0.0)) {
            stepFlows(from, to, [&](float q) {
                const double flow = static_cast<double>(q);
                chart.plot(flow, input.headFit.valueAt(flow), headCurveColor());
            });
            if (input.trimRatio) {
                // The cut impeller's curve, every third step: dotted.
                const double r = *input.trimRatio;
                int step = 0;
                stepFlows(static_cast<float>(r * from), static_cast<float>(r * to), [&](float q) {
                    const double flow = static_cast<double>(q);
                    if (step++ % 3 == 0)
                        chart.plot(flow, r * r * input.headFit.valueAt(flow / r), headCurveColor());
                });
            }
            const SelectionRequest& request = input.request;
            const double staticHead = static_cast<double>(request.staticHead);
            stepFlows(0.0f, to, [&](float q) {
                const double flow = static_cast<double>(q);
                chart.plot(flow, request.systemCoefficient * flow * flow + staticHead, systemCurveColor());
            });
            drawPoint(chart, qop, input.operatingHead, x, 1.5 * hs, headCurveColor());
            drawPoint(chart, request.flow, request.resistance + staticHead, x, 1.5 * hs, systemCurveColor());
        }
    }
    drawMeasuredPoints(chart, input, x, p, hs);
    return ticks;
}

ChartTicks drawCatalogueCurves(ChartSurface& chart, const ChartInput& input)
{
    ChartTicks ticks;
    const std::optional<int> flowRange = chartFlowRange(input.maxFlow);
    const double x = flowRange ? *flowRange : 0.0;
    const double p = chartPowerScale(input.maxPower);
    const double hs = input.headScale;
    if (!flowRange || input.points.size() == 0)
        return ticks;
    for (int i = 1; i <= 5; ++i)
        ticks.flow[i - 1] = tickText(i * (x / 5.0));

    float from = input.points.flow[0];
    float to = input.points.flow[0];
    for (float q : input.points.flow) {
        from = std::fmin(from, q);
        to = std::fmax(to, q);
    }
    const bool curves = std::isfinite(from) && std::isfinite(to) && to > from &&
                        !input.headFit.failed() && !input.powerFit.failed();

    if (curves && chart.setScale(0.0, 100.0, x, -50.0)) {
        stepFlows(from, to, [&](float q) {
            const double flow = static_cast<double>(q);
            const double power = input.powerFit.valueAt(flow);
            if (power != 0.0)
                chart.plot(flow, pointEfficiency(flow, input.headFit.valueAt(flow), power), efficiencyCurveColor());
        });
    }
    if (usableScale(p)) {
        for (int i = 1; i <= 5; ++i)
            ticks.power[i - 1] = tickText(i * (p / 5.0));
        if (curves && chart.setScale(0.0, 3.0 * p, x, 0.0))
            stepFlows(from, to, [&](float q) {
                chart.plot(static_cast<double>(q), input.powerFit.valueAt(static_cast<double>(q)), powerCurveColor());
            });
    }
    if (usableScale(hs)) {
        for (int i = 1; i <= 5; ++i)
            ticks.head[i - 1] = tickText(i * (hs / 5.0));
        if (curves && chart.setScale(0.0, 1.5 * hs, x, 0.0))
            stepFlows(from, to, [&](float q) {
                chart.plot(static_cast<double>(q), input.headFit.valueAt(static_cast<double>(q)), headCurveColor());
            });
    }
    drawMeasuredPoints(chart, input, x, p, hs);
    return ticks;
}

QString fitQualityText(double headDeviationPercent, double headR2, double powerDeviationPercent, double powerR2)
{
    auto figure = [](double v, int decimals) {
        return std::isfinite(v) ? QString::number(v, 'f', decimals) : QStringLiteral("—");
    };
    return QCoreApplication::translate(
               "tarnwick::datasheet",
               "拟合质量\n扬程：最大偏差 %1 %（占最大扬程），R² = %2\n轴功率：最大偏差 %3 %（占最大轴功率），R² = %4")
        .arg(figure(headDeviationPercent, 2), figure(headR2, 4), figure(powerDeviationPercent, 2), figure(powerR2, 4));
}

} // namespace tarnwick
