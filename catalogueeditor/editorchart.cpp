#include "catalogueeditor/editorchart.h"

#include "controls/uimetrics.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace {
// Room for the tick texts: head on the left, power on the right, flow below.
constexpr int kLeftMargin = 40;
constexpr int kRightMargin = 40;
constexpr int kTopMargin = 22;
constexpr int kBottomMargin = 38;
} // namespace

EditorChart::EditorChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("catalogueChart"));
    m_image = QImage(twips(kChartWidthTwips), twips(kChartHeightTwips), QImage::Format_RGB32);
    m_image.fill(chartBackground());
    setMinimumSize(sizeHint());
}

QSize EditorChart::sizeHint() const
{
    return QSize(m_image.width() + kLeftMargin + kRightMargin, m_image.height() + kTopMargin + kBottomMargin);
}

QRect EditorChart::plotRect() const
{
    return QRect(QPoint(kLeftMargin, kTopMargin), m_image.size());
}

void EditorChart::showPoints(const CurvePoints& points)
{
    m_image.fill(chartBackground());
    m_blank = true;
    m_ticks = ChartTicks();
    if (points.size() > 0) {
        ChartInput input;
        for (std::size_t k = 0; k < points.size(); ++k) {
            input.maxFlow = k == 0 ? points.flow[k] : std::fmax(input.maxFlow, points.flow[k]);
            input.maxHead = k == 0 ? points.head[k] : std::fmax(input.maxHead, points.head[k]);
            input.maxPower = k == 0 ? points.power[k] : std::fmax(input.maxPower, points.power[k]);
        }
        input.headFit = fitCurve(points.head, points.flow);
        input.powerFit = fitCurve(points.power, points.flow);
        input.headScale = checkHeadScale(input.maxHead);
        input.points = points;
        m_ticks = drawCatalogueCurves(*this, input);
    }
    update();
}

bool EditorChart::setScale(double left, double top, double right, double bottom)
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

QPointF EditorChart::toPixel(double x, double y) const
{
    return QPointF((x - m_left) / (m_right - m_left) * m_image.width(),
                   (y - m_top) / (m_bottom - m_top) * m_image.height());
}

void EditorChart::plot(double x, double y, const QColor& color)
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

void EditorChart::circle(double x, double y, double radius, const QColor& color)
{
    const QPointF centre = toPixel(x, y);
    const double r = std::fabs(radius / (m_right - m_left) * m_image.width());
    if (!std::isfinite(centre.x()) || !std::isfinite(centre.y()) || !std::isfinite(r))
        return;
    QPainter painter(&m_image);
    painter.setPen(color);
    painter.drawEllipse(centre, r, r);
    m_blank = false;
}

void EditorChart::marker(double x, double y, const QColor& color)
{
    const QPointF p = toPixel(x, y);
    if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
        return;
    const int column = static_cast<int>(std::floor(std::clamp(p.x(), -8.0, m_image.width() + 8.0)));
    const int row = static_cast<int>(std::floor(std::clamp(p.y(), -8.0, m_image.height() + 8.0)));
    QPainter painter(&m_image);
    // Dark outline so the white and yellow markers show on the light ground.
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(color);
    painter.drawRect(column - 3, row - 3, 6, 6);
    m_blank = false;
}

void EditorChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect area = plotRect();
    painter.drawImage(area.topLeft(), m_image);
    painter.setPen(chartGridColor());
    for (int row : kChartGridRows)
        painter.drawLine(area.left(), area.top() + twips(row), area.right(), area.top() + twips(row));
    for (int column = 1; column <= kChartGridColumns; ++column) {
        const int x = area.left() + twips(column * kChartGridColumnSpacing);
        painter.drawLine(x, area.top(), x, area.bottom());
    }
    painter.setPen(palette().windowText().color());
    painter.drawRect(area.adjusted(0, 0, -1, -1));

    // Ticks at fifths of each axis, as the design's chart labels them.
    const QFontMetrics metrics = painter.fontMetrics();
    for (int i = 0; i < 5; ++i) {
        const double fraction = (i + 1) / 5.0;
        const int x = area.left() + static_cast<int>(fraction * area.width());
        const QString flow = m_ticks.flow[static_cast<std::size_t>(i)];
        painter.drawText(x - metrics.horizontalAdvance(flow), area.bottom() + metrics.height(), flow);
        // Head runs over the whole height to 1.5 Hs: Hs/5 steps reach two thirds.
        const int yHead = area.bottom() - static_cast<int>(fraction / 1.5 * area.height());
        const QString head = m_ticks.head[static_cast<std::size_t>(i)];
        painter.setPen(headCurveColor().darker(150));
        painter.drawText(area.left() - 4 - metrics.horizontalAdvance(head), yHead + metrics.ascent() / 2, head);
        const int yPower = area.bottom() - static_cast<int>(fraction / 3.0 * area.height());
        painter.setPen(QColor(160, 128, 0));
        painter.drawText(area.right() + 4, yPower + metrics.ascent() / 2, m_ticks.power[static_cast<std::size_t>(i)]);
        painter.setPen(palette().windowText().color());
    }
    painter.drawText(area.left(), area.top() - 6, QStringLiteral("扬程 m"));
    const QString powerAxis = QStringLiteral("轴功率 kW");
    painter.drawText(area.right() - metrics.horizontalAdvance(powerAxis), area.top() - 6, powerAxis);
    const QString flowAxis = QStringLiteral("流量 m³/h");
    painter.drawText(area.right() - metrics.horizontalAdvance(flowAxis), area.bottom() + 2 * metrics.height(),
                     flowAxis);
}

} // namespace tarnwick
