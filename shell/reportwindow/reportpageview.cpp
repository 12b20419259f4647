#include "shell/reportwindow/reportpageview.h"

#include "report/resultreport.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace tarnwick {

namespace {

// The preview shows the paper at its size on a 96 dpi screen, whatever the
// screen reports, so that 100% means the same everywhere.
constexpr double kScreenDotsPerInch = 96.0;

} // namespace

ReportPageView::ReportPageView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("reportPage"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

void ReportPageView::setReport(const report::ResultReport* report)
{
    m_report = report;
    m_page = 1;
    update();
}

void ReportPageView::setPage(int page)
{
    m_page = page;
    update();
}

void ReportPageView::setZoom(double zoom)
{
    m_zoom = zoom;
    resize(sizeHint());
    updateGeometry();
    update();
}

QSize ReportPageView::paperPixels(double zoom)
{
    const QSizeF twips = report::ResultReport::pageSizeTwips();
    const double scale = kScreenDotsPerInch / 1440.0 * zoom;
    return QSize(static_cast<int>(std::lround(twips.width() * scale)),
                 static_cast<int>(std::lround(twips.height() * scale)));
}

int ReportPageView::gridLeftPixels() const
{
    return kDeskMargin + static_cast<int>(std::lround(report::ResultReport::leftMarginTwips() * kScreenDotsPerInch /
                                                      1440.0 * m_zoom));
}

QSize ReportPageView::sizeHint() const
{
    return paperPixels(m_zoom) + QSize(2 * kDeskMargin, 2 * kDeskMargin);
}

void ReportPageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const QRect paper(QPoint(kDeskMargin, kDeskMargin), paperPixels(m_zoom));
    painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 80));
    painter.fillRect(paper, Qt::white);
    if (!m_report)
        return;
    painter.setClipRect(paper.intersected(event->rect()));
    painter.translate(paper.topLeft());
    painter.setRenderHint(QPainter::TextAntialiasing);
    m_report->paintPageOn(painter, m_page, kScreenDotsPerInch, m_zoom);
}

} // namespace tarnwick
