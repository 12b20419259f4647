#pragma once

#include "datasheet/chartdrawing.h"

#include <QImage>
#include <QPointF>
#include <QSize>

namespace tarnwick {

// The chart surface of a window's picture box: what is drawn stays in an
// image until it is cleared, plotted pixel by pixel on the user scale.
class ImageChartSurface : public ChartSurface
{
public:
    // A blank image of this size in the chart's background colour.
    void clear(const QSize& size);
    const QImage& image() const { return m_image; }
    bool isBlank() const { return m_blank; }

    // x runs from `left` at the left edge to `right` at the right edge, y from
    // `top` at the top edge to `bottom` at the bottom edge. A scale without
    // extent in either direction is refused.
    bool setScale(double left, double top, double right, double bottom) override;
    // One pixel in the colour; points outside the area are clipped.
    void plot(double x, double y, const QColor& color) override;
    // A circle outline around (x, y) whose radius is given in x units.
    void circle(double x, double y, double radius, const QColor& color) override;
    // A square of 5 pixels around the point, clipped to the area.
    void marker(double x, double y, const QColor& color) override;

    // Where a point of the current scale falls, in pixels of the image.
    QPointF toPixel(double x, double y) const;

private:
    QImage m_image;
    bool m_blank = true;
    double m_left = 0.0, m_top = 0.0, m_right = 1.0, m_bottom = 0.0;
};

} // namespace tarnwick
