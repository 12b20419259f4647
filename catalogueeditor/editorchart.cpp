#include "catalogueeditor/editorchart.h"

#include "catalogueeditor/editortexts.h"
#include "controls/uimetrics.h"

#include <QPainter>

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
    m_surface.clear(QSize(twips(kChartWidthTwips), twips(kChartHeightTwips)));
    setMinimumSize(sizeHint());
}

QSize EditorChart::sizeHint() const
{
    const QSize area = m_surface.image().size();
    return QSize(area.width() + kLeftMargin + kRightMargin, area.height() + kTopMargin + kBottomMargin);
}

QRect EditorChart::plotRect() const
{
    return QRect(QPoint(kLeftMargin, kTopMargin), m_surface.image().size());
}

void EditorChart::showPoints(const CurvePoints& points)
{
    m_surface.clear(m_surface.image().size());
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
        m_ticks = drawCatalogueCurves(m_surface, input);
    }
    update();
}

void EditorChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect area = plotRect();
    painter.drawImage(area.topLeft(), m_surface.image());
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
    painter.drawText(area.left(), area.top() - 6, editortext::headAxis());
    const QString powerAxis = editortext::powerAxis();
    painter.drawText(area.right() - metrics.horizontalAdvance(powerAxis), area.top() - 6, powerAxis);
    const QString flowAxis = editortext::flowAxis();
    painter.drawText(area.right() - metrics.horizontalAdvance(flowAxis), area.bottom() + 2 * metrics.height(),
                     flowAxis);
}

} // namespace tarnwick
