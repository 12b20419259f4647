#pragma once

#include "core/curvefit.h"
#include "core/units.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>

namespace tarnwick {

// The plot area of the performance chart. It is a drawing surface with a
// user-defined scale, single-pixel plotting and circles, like a picture box:
// what is drawn stays in an image until the surface is cleared, so repaints
// keep it. The fixed light-grey grid lies on top of the drawing and is never
// erased by it.
class PerformanceChart : public QWidget
{
    Q_OBJECT
public:
    explicit PerformanceChart(QWidget* parent);

    static QColor background() { return QColor(192, 192, 255); }
    static QColor gridColor() { return QColor(224, 224, 224); }

    // Clears the drawing to the background colour.
    void clearDrawing();
    bool isBlank() const { return m_blank; }
    const QImage& drawing() const { return m_image; }

    // The user scale: x runs from `left` at the left edge to `right` at the
    // right edge, y from `top` at the top edge to `bottom` at the bottom edge.
    // A scale without extent in either direction is refused.
    bool setScale(double left, double top, double right, double bottom);
    // One pixel in the colour; points outside the area are clipped.
    void plot(double x, double y, const QColor& color);
    // A circle outline around (x, y) whose radius is given in x units.
    void circle(double x, double y, double radius, const QColor& color);

    // Where a point of the current scale falls, in pixels of the area.
    QPointF toPixel(double x, double y) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_image;
    bool m_blank = true;
    double m_left = 0.0, m_top = 0.0, m_right = 1.0, m_bottom = 0.0;
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
};

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

// The flow range X of the chart: floor(1.4 x largest flow + 0.5), usable only
// as a positive 16-bit number.
std::optional<int> chartFlowRange(float maxFlow);

// Draws the four curves and the two points of one pump onto the chart, which
// the caller has cleared, and returns the tick texts. Scales of zero extent
// (tiny pumps) or beyond range skip what depends on them.
ChartTicks drawPerformanceChart(PerformanceChart& chart, const ChartInput& input);

} // namespace tarnwick
