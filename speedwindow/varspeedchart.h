#pragma once

#include "core/varspeed.h"

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>

namespace tarnwick {

// What the chart of one pump set shows, computed apart from painting: curves
// as polylines in (total flow m3/h, head m) or (total flow, efficiency %).
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

// The chart: head on the left axis, efficiency on the right.
class VarSpeedChart : public QWidget
{
    Q_OBJECT
public:
    explicit VarSpeedChart(QWidget* parent = nullptr);
    void setData(const VarSpeedChartData& data);
    void clear();
    const VarSpeedChartData& data() const { return m_data; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    VarSpeedChartData m_data;
    bool m_empty = true;
};

} // namespace tarnwick

namespace tarnwick {
// The icon of the window and of its toolbar button: a falling head curve
// under a speed dial, drawn rather than stored.
QIcon varSpeedIcon();
} // namespace tarnwick
