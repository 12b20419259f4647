#include "calcwindow/performancechart.h"

#include "controls/uimetrics.h"
#include "core/numbers.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace tarnwick {

namespace {

// The fixed grid of the plot area, in twips from its top and left edges.
constexpr std::array<int, 14> kGridRows = {158,  376,  594,  812,  1030, 1248, 1466,
                                           1684, 1902, 2120, 2338, 2556, 2774, 3000};
constexpr int kGridColumnSpacing = 454;
constexpr int kGridColumns = 9;

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

} // namespace

PerformanceChart::PerformanceChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
}

void PerformanceChart::resizeEvent(QResizeEvent*)
{
    // The area has a fixed size; a new size starts a blank drawing.
    if (m_image.size() != size()) {
        m_image = QImage(size(), QImage::Format_RGB32);
        clearDrawing();
    }
}

void PerformanceChart::clearDrawing()
{
    if (m_image.size() != size())
        m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(background());
    m_blank = true;
    update();
}

bool PerformanceChart::setScale(double left, double top, double right, double bottom)
{
    const double width = right - left;
    const double height = bottom - top;
    if (!std::isfinite(width) || !std::isfinite(height) || width == 0.0 || height == 0.0)
        return false;
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    return true;
}

QPointF PerformanceChart::toPixel(double x, double y) const
{
    return QPointF((x - m_left) / (m_right - m_left) * m_image.width(),
                   (y - m_top) / (m_bottom - m_top) * m_image.height());
}

void PerformanceChart::plot(double x, double y, const QColor& color)
{
    const QPointF p = toPixel(x, y);
    if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
        return;
    const double column = std::floor(p.x());
    const double row = std::floor(p.y());
    if (column < 0.0 || row < 0.0 || column >= m_image.width() || row >= m_image.height())
        return;
    m_image.setPixel(static_cast<int>(column), static_cast<int>(row), color.rgb());
    m_blank = false;
    update();
}

void PerformanceChart::circle(double x, double y, double radius, const QColor& color)
{
    const QPointF centre = toPixel(x, y);
    // The radius is measured along the flow axis; the circle stays round.
    const double r = std::fabs(radius / (m_right - m_left) * m_image.width());
    if (!std::isfinite(centre.x()) || !std::isfinite(centre.y()) || !std::isfinite(r))
        return;
    // Far outside the area nothing shows; keep the painter away from huge values.
    const double reach = m_image.width() + m_image.height() + r;
    if (std::fabs(centre.x()) > 4.0 * reach || std::fabs(centre.y()) > 4.0 * reach)
        return;
    QPainter painter(&m_image);
    painter.setPen(color);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, r, r);
    m_blank = false;
    update();
}

void PerformanceChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
    painter.setPen(gridColor());
    for (int row : kGridRows)
        painter.drawLine(0, twips(row), width() - 1, twips(row));
    for (int column = 1; column <= kGridColumns; ++column) {
        const int x = twips(column * kGridColumnSpacing);
        painter.drawLine(x, 0, x, height() - 1);
    }
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

ChartTicks drawPerformanceChart(PerformanceChart& chart, const ChartInput& input)
{
    ChartTicks ticks;
    const std::optional<int> flowRange = chartFlowRange(input.maxFlow);
    const double x = flowRange ? *flowRange : 0.0;
    const double p = std::floor(1.2 * static_cast<double>(input.maxPower) + 0.5);
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
                chart.plot(flow, flow * head / (3.672 * power), efficiencyCurveColor());
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
            const SelectionRequest& request = input.request;
            const double staticHead = static_cast<double>(request.staticHead);
            stepFlows(0.0f, to, [&](float q) {
                const double flow = static_cast<double>(q);
                chart.plot(flow, request.systemCoefficient * flow * flow + staticHead, systemCurveColor());
            });
            const double radius = x / 100.0;
            chart.circle(qop, input.operatingHead, radius, headCurveColor());
            chart.circle(request.flow, request.resistance + staticHead, radius, systemCurveColor());
        }
    }
    return ticks;
}

} // namespace tarnwick
