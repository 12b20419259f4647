#pragma once

#include "datasheet/varspeeddrawing.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>

namespace tarnwick {

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
