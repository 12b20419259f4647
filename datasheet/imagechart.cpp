#include "datasheet/imagechart.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarnwick {

void ImageChartSurface::clear(const QSize& size)
{
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_RGB32);
    m_image.fill(chartBackground());
    m_blank = true;
}

bool ImageChartSurface::setScale(double left, double top, double right, double bottom)
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

QPointF ImageChartSurface::toPixel(double x, double y) const
{
    return QPointF((x - m_left) / (m_right - m_left) * m_image.width(),
                   (y - m_top) / (m_bottom - m_top) * m_image.height());
}

void ImageChartSurface::plot(double x, double y, const QColor& color)
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
}

void ImageChartSurface::circle(double x, double y, double radius, const QColor& color)
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
}

void ImageChartSurface::marker(double x, double y, const QColor& color)
{
    const QPointF p = toPixel(x, y);
    if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
        return;
    const int column = static_cast<int>(std::floor(std::clamp(p.x(), -8.0, m_image.width() + 8.0)));
    const int row = static_cast<int>(std::floor(std::clamp(p.y(), -8.0, m_image.height() + 8.0)));
    QPainter painter(&m_image);
    painter.setPen(color);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(column - 2, row - 2, 4, 4);
    m_blank = false;
}

} // namespace tarnwick
