#pragma once

#include "datasheet/chartdrawing.h"

#include <QImage>
#include <QWidget>

namespace tarnwick {

// The catalogue editor's chart of one pump: the measured points and the
// curves fitted to them, drawn by the same routine and on the same scales as
// the design's chart, with its tick texts around the plot area.
class EditorChart : public QWidget, public ChartSurface
{
    Q_OBJECT
public:
    explicit EditorChart(QWidget* parent = nullptr);

    // Redraws for these points; an empty set leaves the area blank.
    void showPoints(const CurvePoints& points);
    const QImage& plotImage() const { return m_image; }
    bool isBlank() const { return m_blank; }

    bool setScale(double left, double top, double right, double bottom) override;
    void plot(double x, double y, const QColor& color) override;
    void circle(double x, double y, double radius, const QColor& color) override;
    void marker(double x, double y, const QColor& color) override;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF toPixel(double x, double y) const;
    QRect plotRect() const;

    QImage m_image;
    ChartTicks m_ticks;
    bool m_blank = true;
    double m_left = 0.0;
    double m_top = 0.0;
    double m_right = 1.0;
    double m_bottom = 1.0;
};

} // namespace tarnwick
