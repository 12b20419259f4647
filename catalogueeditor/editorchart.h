#pragma once

#include "datasheet/chartdrawing.h"
#include "datasheet/imagechart.h"

#include <QWidget>

namespace tarnwick {

// The catalogue editor's chart of one pump: the measured points and the
// curves fitted to them, drawn by the same routine and on the same scales as
// the design's chart, with its tick texts around the plot area.
class EditorChart : public QWidget
{
    Q_OBJECT
public:
    explicit EditorChart(QWidget* parent = nullptr);

    // Redraws for these points; an empty set leaves the area blank.
    void showPoints(const CurvePoints& points);
    const QImage& plotImage() const { return m_surface.image(); }
    bool isBlank() const { return m_surface.isBlank(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect plotRect() const;

    ImageChartSurface m_surface;
    ChartTicks m_ticks;
};

} // namespace tarnwick
