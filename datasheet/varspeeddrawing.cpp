#include "datasheet/varspeeddrawing.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace {

// The chart's own texts.
// Curves of the running set are drawn over the total flow; one pump's
// efficiency is drawn at N times its flow, and the names say which is which.
QString fullSpeedHead(int pumps, double topSpeed)
{
    return topSpeed < 1.0 ? QCoreApplication::translate("tarnwick::datasheet", "%1台并联%2%转速扬程")
                                .arg(pumps)
                                .arg(std::round(topSpeed * 100.0))
                          : QCoreApplication::translate("tarnwick::datasheet", "%1台并联全速扬程").arg(pumps);
}

QString pumpEfficiency(int pumps)
{
    return QCoreApplication::translate("tarnwick::datasheet", "单台效率（按%1台流量）").arg(pumps);
}

QString loadSpeedCurve()
{
    return QCoreApplication::translate("tarnwick::datasheet", "%1%负荷转速");
}

QString controlCurve()
{
    return QCoreApplication::translate("tarnwick::datasheet", "控制曲线");
}

QString systemCurve()
{
    return QCoreApplication::translate("tarnwick::datasheet", "系统曲线");
}

QString headAxis()
{
    return QCoreApplication::translate("tarnwick::datasheet", "扬程 m");
}

QString efficiencyAxis()
{
    return QCoreApplication::translate("tarnwick::datasheet", "效率 %");
}

QString totalFlowAxis()
{
    return QCoreApplication::translate("tarnwick::datasheet", "总流量 m3/h");
}

QString loadSpeedSuffix()
{
    return QCoreApplication::translate("tarnwick::datasheet", "负荷转速");
}

QString loadSpeedLegend()
{
    return QCoreApplication::translate("tarnwick::datasheet", "负荷点转速（运行台数并联）");
}

QString loadPointsLegend()
{
    return QCoreApplication::translate("tarnwick::datasheet", "负荷点（方块为设计点）");
}

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

    // The top speed, all duty pumps in parallel, over the measured flows.
    const double topSpeed = request.maxSpeed;
    VarSpeedChartData::Curve full{fullSpeedHead(n, topSpeed), QColor(0, 0, 192), {}, false, false};
    VarSpeedChartData::Curve eta{pumpEfficiency(n), QColor(0, 140, 0), {}, true, false};
    for (int i = 0; i <= kSamples; ++i) {
        const double q = c.minFlow + (c.maxFlow - c.minFlow) * i / kSamples;
        full.points << QPointF(q * topSpeed * n, topSpeed * topSpeed * fitValue(c.headFit, q));
        const double p = fitValue(c.powerFit, q);
        if (p > 0.0)
            eta.points << QPointF(q * n, q * fitValue(c.headFit, q) / (3.672 * p));
    }
    data.curves << full;

    // Each load point's speed and running count: r^2 H(Q / (k r)).
    for (const VarSpeedPoint& p : pump.points) {
        VarSpeedChartData::Curve curve{
            loadSpeedCurve().arg(std::round(p.flowShare * 100.0)), QColor(90, 90, 220), {}, false, true};
        const double r = p.speedShare;
        for (int i = 0; i <= kSamples; ++i) {
            const double q = (c.minFlow + (c.maxFlow - c.minFlow) * i / kSamples) * r;
            curve.points << QPointF(q * p.running, r * r * fitValue(c.headFit, q / r));
        }
        data.curves << curve;
    }

    VarSpeedChartData::Curve control{controlCurve(), QColor(200, 0, 0), {}, false, false};
    VarSpeedChartData::Curve system{systemCurve(), QColor(128, 64, 0), {}, false, true};
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

void paintVarSpeedChart(QPainter& painter, const QRectF& bounds, const VarSpeedChartData& data, bool empty,
                        const QColor& frame, double pixel)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(bounds.topLeft());
    const double px = pixel;
    const QFontMetricsF fm(painter.font(), painter.device());
    const double width = bounds.width();
    const double height = bounds.height();
    const double side = fm.horizontalAdvance(QStringLiteral("000.0")) + 12 * px;
    const QRectF plot(side, fm.height() + 10 * px, width - 2 * side, height - 4.4 * fm.height() - 16 * px);
    painter.setPen(QPen(frame, px));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    if (empty || plot.width() < 20 * px || plot.height() < 20 * px) {
        painter.restore();
        return;
    }

    const double etaTop = 100.0;
    auto toPixel = [&](QPointF pt, bool efficiency) {
        const double top = efficiency ? etaTop : data.maxHead;
        return QPointF(plot.left() + plot.width() * pt.x() / data.maxFlow,
                       plot.bottom() - plot.height() * pt.y() / top);
    };

    // Grid and axis figures: five steps on each axis.
    for (int i = 0; i <= 5; ++i) {
        const double x = plot.left() + plot.width() * i / 5.0;
        const double y = plot.bottom() - plot.height() * i / 5.0;
        painter.setPen(QPen(QColor(225, 225, 235), px));
        if (i > 0 && i < 5) {
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
        painter.setPen(QColor(0, 0, 0));
        painter.drawText(QRectF(x - 40 * px, plot.bottom() + 2 * px, 80 * px, fm.height()), Qt::AlignHCenter,
                         QString::number(data.maxFlow * i / 5.0, 'g', 4));
        painter.drawText(QRectF(0, y - fm.height() / 2.0, plot.left() - 4 * px, fm.height()), Qt::AlignRight,
                         QString::number(data.maxHead * i / 5.0, 'g', 4));
        painter.drawText(QRectF(plot.right() + 4 * px, y - fm.height() / 2.0, 60 * px, fm.height()), Qt::AlignLeft,
                         QString::number(etaTop * i / 5.0, 'g', 3));
    }
    painter.drawText(QRectF(0, 0, plot.left() + 40 * px, fm.height()), Qt::AlignLeft, headAxis());
    painter.drawText(QRectF(plot.right() - 40 * px, 0, width - plot.right() + 40 * px, fm.height()), Qt::AlignRight,
                     efficiencyAxis());
    painter.drawText(QRectF(plot.left(), plot.bottom() + fm.height() + 2 * px, plot.width(), fm.height()),
                     Qt::AlignHCenter, totalFlowAxis());

    painter.save();
    painter.setClipRect(plot);
    for (const auto& curve : data.curves) {
        QPen pen(curve.color, (curve.dashed ? 1.0 : 1.6) * px);
        if (curve.dashed)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        QPainterPath path;
        bool first = true;
        for (const QPointF& pt : curve.points) {
            if (!std::isfinite(pt.y()))
                continue;
            const QPointF at = toPixel(pt, curve.efficiency);
            if (first)
                path.moveTo(at);
            else
                path.lineTo(at);
            first = false;
        }
        painter.drawPath(path);
    }
    painter.setPen(QPen(QColor(200, 0, 0), 1.2 * px));
    painter.setBrush(QColor(255, 220, 0));
    for (int i = 0; i < data.loadPoints.size(); ++i) {
        const QPointF at = toPixel(data.loadPoints[i], false);
        if (i == 0)
            painter.drawRect(QRectF(at.x() - 4 * px, at.y() - 4 * px, 8 * px, 8 * px));
        else
            painter.drawEllipse(at, 4 * px, 4 * px);
    }
    painter.restore();

    // Legend along the foot: one sample of each kind of curve.
    double x = plot.left();
    const double y = height - fm.height() - 2 * px;
    QStringList seen;
    for (const auto& curve : data.curves) {
        const QString name = curve.name.endsWith(loadSpeedSuffix()) ? loadSpeedLegend() : curve.name;
        if (seen.contains(name))
            continue;
        seen << name;
        QPen pen(curve.color, 1.6 * px);
        if (curve.dashed)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(QPointF(x, y + fm.height() / 2.0), QPointF(x + 22 * px, y + fm.height() / 2.0));
        painter.setPen(QColor(0, 0, 0));
        painter.drawText(QPointF(x + 26 * px, y + fm.ascent()), name);
        x += 34 * px + fm.horizontalAdvance(name);
    }
    painter.setPen(QPen(QColor(200, 0, 0), 1.2 * px));
    painter.setBrush(QColor(255, 220, 0));
    painter.drawEllipse(QPointF(x + 6 * px, y + fm.height() / 2.0), 4 * px, 4 * px);
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(QPointF(x + 14 * px, y + fm.ascent()), loadPointsLegend());
    painter.restore();
}

} // namespace tarnwick
