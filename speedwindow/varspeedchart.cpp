#include "speedwindow/varspeedchart.h"

#include "controls/panelparts.h"

#include <QPainter>

namespace tarnwick {

VarSpeedChart::VarSpeedChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("varSpeedChart"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, listBackground());
    setPalette(p);
    setMinimumSize(360, 260);
}

void VarSpeedChart::setData(const VarSpeedChartData& data)
{
    m_data = data;
    m_empty = false;
    update();
}

void VarSpeedChart::clear()
{
    m_data = {};
    m_empty = true;
    update();
}

void VarSpeedChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    paintVarSpeedChart(painter, QRectF(rect()), m_data, m_empty, panelBorder());
}

} // namespace tarnwick
