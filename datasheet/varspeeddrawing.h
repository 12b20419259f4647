#pragma once

#include "core/varspeed.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace tarnwick {

// What the chart of one variable-speed pump set shows, computed apart from
// painting: curves as polylines in (total flow m3/h, head m) or (total flow,
// efficiency %).
struct VarSpeedChartData
{
    struct Curve
    {
        QString name;
        QColor color;
        QList<QPointF> points;
        bool efficiency = false; // on the right axis
        bool dashed = false;
    };
    QList<Curve> curves;
    QList<QPointF> loadPoints; // (Q, Hc) of the design point and the load points
    double maxFlow = 1.0;
    double maxHead = 1.0;
};

VarSpeedChartData varSpeedChartData(const VarSpeedPump& pump, const VarSpeedRequest& request);

// Paints the chart into `bounds` with the painter's font: head on the left
// axis, efficiency on the right, the legend along the foot. `pixel` is the
// size of a screen pixel in device units (1 on the window, more on a printed
// page), for pens and marks. An empty chart paints only its frame.
void paintVarSpeedChart(QPainter& painter, const QRectF& bounds, const VarSpeedChartData& data, bool empty,
                        const QColor& frame, double pixel = 1.0);

} // namespace tarnwick
