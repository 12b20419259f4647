#include "calcwindow/performancechart.h"

#include "controls/uimetrics.h"

#include <QPaintEvent>
#include <QPainter>

namespace tarnwick {

PerformanceChart::PerformanceChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
}

void PerformanceChart::resizeEvent(QResizeEvent*)
{
    // The area has a fixed size; a new size starts a blank drawing.
    if (m_surface.image().size() != size())
        clearDrawing();
}

void PerformanceChart::clearDrawing()
{
    m_surface.clear(size());
    update();
}

bool PerformanceChart::setScale(double left, double top, double right, double bottom)
{
    return m_surface.setScale(left, top, right, bottom);
}

QPointF PerformanceChart::toPixel(double x, double y) const
{
    return m_surface.toPixel(x, y);
}

void PerformanceChart::plot(double x, double y, const QColor& color)
{
    m_surface.plot(x, y, color);
    update();
}

void PerformanceChart::circle(double x, double y, double radius, const QColor& color)
{
    m_surface.circle(x, y, radius, color);
    update();
}

void PerformanceChart::marker(double x, double y, const QColor& color)
{
    m_surface.marker(x, y, color);
    update();
}

void PerformanceChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface.image());
    painter.setPen(gridColor());
    for (int row : kChartGridRows)
        painter.drawLine(0, twips(row), width() - 1, twips(row));
    for (int column = 1; column <= kChartGridColumns; ++column) {
        const int x = twips(column * kChartGridColumnSpacing);
        painter.drawLine(x, 0, x, height() - 1);
    }
}

} // namespace tarnwick
