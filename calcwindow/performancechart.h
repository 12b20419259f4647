#pragma once

#include "datasheet/chartdrawing.h"
#include "datasheet/imagechart.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>


namespace tarnwick {

// The plot area of the performance chart. It is a drawing surface with a
// user-defined scale, single-pixel plotting and circles, like a picture box:
// what is drawn stays in an image until the surface is cleared, so repaints
// keep it. The fixed light-grey grid lies on top of the drawing and is never
// erased by it.
class PerformanceChart : public QWidget, public ChartSurface
{
    Q_OBJECT
public:
    explicit PerformanceChart(QWidget* parent);

    static QColor background() { return chartBackground(); }
    static QColor gridColor() { return chartGridColor(); }

    // Clears the drawing to the background colour.
    void clearDrawing();
    bool isBlank() const { return m_surface.isBlank(); }
    const QImage& drawing() const { return m_surface.image(); }

    // The user scale: x runs from `left` at the left edge to `right` at the
    // right edge, y from `top` at the top edge to `bottom` at the bottom edge.
    // A scale without extent in either direction is refused.
    bool setScale(double left, double top, double right, double bottom) override;
    // One pixel in the colour; points outside the area are clipped.
    void plot(double x, double y, const QColor& color) override;
    // A circle outline around (x, y) whose radius is given in x units.
    void circle(double x, double y, double radius, const QColor& color) override;
    // A square of 5 pixels around the point, clipped to the area.
    void marker(double x, double y, const QColor& color) override;

    // Where a point of the current scale falls, in pixels of the area.
    QPointF toPixel(double x, double y) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ImageChartSurface m_surface;
};

} // namespace tarnwick
