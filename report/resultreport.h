#pragma once

#include "report/resulttable.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

namespace tarnwick::report {

// What one page shows, in twips from the paper's top left corner: the texts
// in their boxes and the rules. Computed apart from painting, so that what a
// page holds can be read without drawing it.
struct PageText
{
    enum class Role { Title, PrintDate, Heading, Unit, Field, Footer };
    Role role = Role::Field;
    QRectF box;
    QString text;
    QFont font; // the size may be reduced so that a long field fits its box
    Qt::Alignment alignment = Qt::AlignLeft;
    int row = -1;    // Field: the table row
    int column = -1; // Heading, Unit, Field: the report column
};

struct PageContent
{
    QList<PageText> texts;
    QList<QLineF> rules;
};

// The result report over one table: pages of A4 landscape. The first page
// carries the report header; every page the column headings and the page
// footer at its foot. Pages are laid out when asked for, so the page count of
// a large table is only arithmetic.
class ResultReport
{
public:
    explicit ResultReport(ResultTable table, QDate printDate = QDate::currentDate());

    const ResultTable& table() const { return m_table; }
    // The date that replaces "%D", in the system's short date format.
    const QString& printDateText() const { return m_printDate; }

    // Pages are numbered from 1. An empty table still has one page.
    int pageCount() const;
    int firstRowOnPage(int page) const;
    int rowCountOnPage(int page) const;
    // Rows that fit under the report header, and on every later page.
    static int rowsOnFirstPage();
    static int rowsOnFollowingPages();

    // The paper (A4 landscape, no printer margins: the report keeps its own)
    // and where the grid's left edge lies on it.
    static QPageLayout pageLayout();
    static QSizeF pageSizeTwips();
    static double leftMarginTwips();
    static double topMarginTwips();
    static double bottomMarginTwips();

    PageContent layoutPage(int page) const;

    // Paints a page with the painter's coordinates in twips from the paper's
    // top left corner.
    void paintPage(QPainter& painter, int page) const;
    // Sets the painter's transform for a device of that resolution (and a
    // zoom factor) and paints the page.
    void paintPageOn(QPainter& painter, int page, double dotsPerInch, double zoom = 1.0) const;
    // The page as an image of that resolution, on white.
    QImage renderPage(int page, double dotsPerInch) const;

private:
    PageText fieldText(PageText::Role role, const QRectF& box, const QString& text, Qt::Alignment alignment,
                       bool isNumber = false) const;

    ResultTable m_table;
    QString m_printDate;
    QFont m_textFont;
    QFont m_titleFont;
    QFontMetricsF m_textMetrics;
};

} // namespace tarnwick::report
