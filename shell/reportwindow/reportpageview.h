#pragma once

#include <QWidget>

namespace tarnwick {

namespace report {
class ResultReport;
}

// One page of the report on a grey desk, drawn when it is shown: paging
// through a large report costs one page's drawing.
class ReportPageView : public QWidget
{
    Q_OBJECT

public:
    explicit ReportPageView(QWidget* parent = nullptr);

    void setReport(const report::ResultReport* report);
    void setPage(int page);
    int page() const { return m_page; }
    // 1.0 shows the paper at its real size on a 96 dpi screen.
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }

    // The paper in widget pixels at a zoom, and the space around it.
    static QSize paperPixels(double zoom);
    static constexpr int kDeskMargin = 12;
    // Where the grid's left edge lies in the widget.
    int gridLeftPixels() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const report::ResultReport* m_report = nullptr;
    int m_page = 1;
    double m_zoom = 1.0;
};

} // namespace tarnwick
