#include "speedwindow/varspeedchart.h"

#include "calcwindow/panelparts.h"
#include "speedwindow/speedtexts.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace {

constexpr int kSamples = 60;

// A round axis end: 1, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a power of ten at or above v.
double niceCeiling(double v)
{
    if (!(v > 0.0))
        return 1.0;
    const double p = std::pow(10.0, std::floor(std::log10(v)));
    for (double m : {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        if (m * p >= v * 0.999999)
            return m * p;
    }
    return 10.0 * p;
}

} // namespace

VarSpeedChartData varSpeedChartData(const VarSpeedPump& pump, const VarSpeedRequest& request)
{
    VarSpeedChartData data;
    const SpeedPumpCurves& c = pump.curves;
    const int n = pump.dutyPumps;
    const double qTop = std::max(c.maxFlow * n, request.duty.flow) * 1.1;
    data.maxFlow = niceCeiling(qTop);

    // Full speed, all duty pumps in parallel, over the measured flows.
    VarSpeedChartData::Curve full{speedtext::fullSpeedHead(), QColor(0, 0, 192), {}, false, false};
    VarSpeedChartData::Curve eta{speedtext::pumpEfficiency(), QColor(0, 140, 0), {}, true, false};
    for (int i = 0; i <= kSamples; ++i) {
        const double q = c.minFlow + (c.maxFlow - c.minFlow) * i / kSamples;
        full.points << QPointF(q * n, fitValue(c.headFit, q));
        const double p = fitValue(c.powerFit, q);
        if (p > 0.0)
            eta.points << QPointF(q * n, q * fitValue(c.headFit, q) / (3.672 * p));
    }
    data.curves << full;

    // Each load point's speed and running count: r^2 H(Q / (k r)).
    for (const VarSpeedPoint& p : pump.points) {
        VarSpeedChartData::Curve curve{
            speedtext::loadSpeedCurve().arg(std::round(p.flowShare * 100.0)), QColor(90, 90, 220), {}, false, true};
        const double r = p.speedShare;
        for (int i = 0; i <= kSamples; ++i) {
            const double q = (c.minFlow + (c.maxFlow - c.minFlow) * i / kSamples) * r;
            curve.points << QPointF(q * p.running, r * r * fitValue(c.headFit, q / r));
        }
        data.curves << curve;
    }

    VarSpeedChartData::Curve control{speedtext::controlCurve(), QColor(200, 0, 0), {}, false, false};
    VarSpeedChartData::Curve system{speedtext::systemCurve(), QColor(128, 64, 0), {}, false, true};
    for (int i = 0; i <= kSamples; ++i) {
        const double q = request.duty.flow * 1.1 * i / kSamples;
        control.points << QPointF(q, controlHead(request, q));
        system.points << QPointF(q,
                                 static_cast<double>(request.duty.staticHead) + request.duty.systemCoefficient * q * q);
    }
    data.curves << control << system << eta;

    data.loadPoints << QPointF(pump.design.flow, pump.design.head);
    for (const VarSpeedPoint& p : pump.points)
        data.loadPoints << QPointF(p.flow, p.head);

    double top = 0.0;
    for (const auto& curve : data.curves) {
        if (curve.efficiency)
            continue;
        for (const QPointF& pt : curve.points) {
            if (pt.x() <= data.maxFlow && std::isfinite(pt.y()))
                top = std::max(top, pt.y());
        }
    }
    data.maxHead = niceCeiling(top * 1.05);
    return data;
}

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
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());
    const QRectF plot(fm.horizontalAdvance(QStringLiteral("000.0")) + 12, fm.height() + 10,
                      width() - 2 * (fm.horizontalAdvance(QStringLiteral("000.0")) + 12),
                      height() - 4.4 * fm.height() - 16);
    painter.setPen(panelBorder());
    painter.drawRect(plot);
    if (m_empty || plot.width() < 20 || plot.height() < 20)
        return;

    const double etaTop = 100.0;
    auto toPixel = [&](QPointF pt, bool efficiency) {
        const double top = efficiency ? etaTop : m_data.maxHead;
        return QPointF(plot.left() + plot.width() * pt.x() / m_data.maxFlow,
                       plot.bottom() - plot.height() * pt.y() / top);
    };

    // Grid and axis figures: five steps on each axis.
    painter.setPen(QColor(0, 0, 0));
    for (int i = 0; i <= 5; ++i) {
        const double x = plot.left() + plot.width() * i / 5.0;
        const double y = plot.bottom() - plot.height() * i / 5.0;
        painter.setPen(QPen(QColor(225, 225, 235), 1));
        if (i > 0 && i < 5) {
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
        painter.setPen(QColor(0, 0, 0));
        painter.drawText(QRectF(x - 40, plot.bottom() + 2, 80, fm.height()), Qt::AlignHCenter,
                         QString::number(m_data.maxFlow * i / 5.0, 'g', 4));
        painter.drawText(QRectF(0, y - fm.height() / 2.0, plot.left() - 4, fm.height()), Qt::AlignRight,
                         QString::number(m_data.maxHead * i / 5.0, 'g', 4));
        painter.drawText(QRectF(plot.right() + 4, y - fm.height() / 2.0, 60, fm.height()), Qt::AlignLeft,
                         QString::number(etaTop * i / 5.0, 'g', 3));
    }
    painter.drawText(QRectF(0, 0, plot.left() + 40, fm.height()), Qt::AlignLeft, speedtext::headAxis());
    painter.drawText(QRectF(plot.right() - 40, 0, width() - plot.right() + 40, fm.height()), Qt::AlignRight,
                     speedtext::efficiencyAxis());
    painter.drawText(QRectF(plot.left(), plot.bottom() + fm.height() + 2, plot.width(), fm.height()), Qt::AlignHCenter,
                     speedtext::totalFlowAxis());

    painter.save();
    painter.setClipRect(plot);
    for (const auto& curve : m_data.curves) {
        QPen pen(curve.color, curve.dashed ? 1.0 : 1.6);
        if (curve.dashed)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        QPainterPath path;
        bool first = true;
        for (const QPointF& pt : curve.points) {
            if (!std::isfinite(pt.y()))
                continue;
            const QPointF px = toPixel(pt, curve.efficiency);
            if (first)
                path.moveTo(px);
            else
                path.lineTo(px);
            first = false;
        }
        painter.drawPath(path);
    }
    painter.setPen(QPen(QColor(200, 0, 0), 1.2));
    painter.setBrush(QColor(255, 220, 0));
    for (int i = 0; i < m_data.loadPoints.size(); ++i) {
        const QPointF px = toPixel(m_data.loadPoints[i], false);
        if (i == 0)
            painter.drawRect(QRectF(px.x() - 4, px.y() - 4, 8, 8));
        else
            painter.drawEllipse(px, 4, 4);
    }
    painter.restore();

    // Legend along the foot: one sample of each kind of curve.
    double x = plot.left();
    const double y = height() - fm.height() - 2;
    QStringList seen;
    for (const auto& curve : m_data.curves) {
        const QString name =
            curve.name.endsWith(speedtext::loadSpeedSuffix()) ? speedtext::loadSpeedLegend() : curve.name;
        if (seen.contains(name))
            continue;
        seen << name;
        QPen pen(curve.color, 1.6);
        if (curve.dashed)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(QPointF(x, y + fm.height() / 2.0), QPointF(x + 22, y + fm.height() / 2.0));
        painter.setPen(QColor(0, 0, 0));
        painter.drawText(QPointF(x + 26, y + fm.ascent()), name);
        x += 34 + fm.horizontalAdvance(name);
    }
    painter.setPen(QPen(QColor(200, 0, 0), 1.2));
    painter.setBrush(QColor(255, 220, 0));
    painter.drawEllipse(QPointF(x + 6, y + fm.height() / 2.0), 4, 4);
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(QPointF(x + 14, y + fm.ascent()), speedtext::loadPointsLegend());
}

} // namespace tarnwick

namespace tarnwick {

QIcon varSpeedIcon()
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(QColor(255, 255, 255));
        p.drawRoundedRect(QRectF(2, 2, 28, 28), 4, 4);
        // Head curves at three speeds.
        const QColor colours[] = {QColor(0, 0, 192), QColor(90, 90, 220), QColor(150, 150, 240)};
        for (int i = 0; i < 3; ++i) {
            const double r = 1.0 - 0.22 * i;
            QPainterPath path;
            for (int k = 0; k <= 10; ++k) {
                const double x = 5.0 + 22.0 * r * k / 10.0;
                const double y = 27.0 - 20.0 * r * r * (1.0 - 0.8 * (k / 10.0) * (k / 10.0));
                if (k == 0)
                    path.moveTo(x, y);
                else
                    path.lineTo(x, y);
            }
            p.setPen(QPen(colours[i], 2.0));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        }
        p.setPen(QPen(QColor(200, 0, 0), 2.0));
        p.drawLine(QPointF(5, 24), QPointF(27, 9));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace tarnwick
