#include "report/resultreport.h"

#include "report/reportdefinition.h"

#include <QLocale>
#include <QPageSize>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarnwick::report {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerMillimetre = kTwipsPerInch / 25.4;

// The report's own margins above and below the sections. The grid (11338
// twips, 200 mm) would leave 5 mm a side on A4 portrait, less than many
// printers can reach, so the paper lies landscape and the grid is centred.
constexpr double kTopMargin = 720;
constexpr double kBottomMargin = 720;

// A long field is first set smaller and only then cut with an ellipsis, so
// that it never runs over the rules. Numbers may shrink further than texts:
// a cut number would read as a different number.
constexpr int kSmallestTextSize = twip::kTextSize * 2 / 3;
constexpr int kSmallestNumberSize = twip::kTextSize / 3;
// Room kept free between a field and the rules beside it.
constexpr double kFieldPadding = 60;

// The report's faces were laid out for fonts whose ideographs fill the em from
// the top of the text box; the CJK faces put the top of the ideographic em box
// 0.88 em above the baseline.
constexpr double kEmBoxAscent = 0.88;

double pageHeight()
{
    return ResultReport::pageSizeTwips().height();
}

double bodyHeight()
{
    return pageHeight() - kTopMargin - kBottomMargin;
}

} // namespace

ResultReport::ResultReport(ResultTable table, QDate printDate)
    : m_table(std::move(table)), m_printDate(QLocale::system().toString(printDate, QLocale::ShortFormat)),
      m_textFont(reportTextFont()), m_titleFont(reportTitleFont()), m_textMetrics(m_textFont)
{
}

QPageLayout ResultReport::pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

QSizeF ResultReport::pageSizeTwips()
{
    const QSizeF portrait = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return QSizeF(portrait.height() * kTwipsPerMillimetre, portrait.width() * kTwipsPerMillimetre);
}

double ResultReport::leftMarginTwips()
{
    return (pageSizeTwips().width() - twip::kGridWidth) / 2.0;
}

double ResultReport::topMarginTwips()
{
    return kTopMargin;
}

double ResultReport::bottomMarginTwips()
{
    return kBottomMargin;
}

int ResultReport::rowsOnFirstPage()
{
    const double room = bodyHeight() - twip::kReportHeaderHeight - twip::kPageHeaderHeight - twip::kPageFooterHeight;
    return static_cast<int>(std::floor(room / twip::kDetailHeight));
}

int ResultReport::rowsOnFollowingPages()
{
    const double room = bodyHeight() - twip::kPageHeaderHeight - twip::kPageFooterHeight;
    return static_cast<int>(std::floor(room / twip::kDetailHeight));
}

int ResultReport::pageCount() const
{
    const int rows = m_table.rowCount();
    const int first = rowsOnFirstPage();
    if (rows <= first)
        return 1;
    const int following = rowsOnFollowingPages();
    return 1 + (rows - first + following - 1) / following;
}

int ResultReport::firstRowOnPage(int page) const
{
    if (page <= 1)
        return 0;
    return std::min(m_table.rowCount(), rowsOnFirstPage() + (page - 2) * rowsOnFollowingPages());
}

int ResultReport::rowCountOnPage(int page) const
{
    if (page < 1 || page > pageCount())
        return 0;
    const int capacity = page == 1 ? rowsOnFirstPage() : rowsOnFollowingPages();
    return std::clamp(m_table.rowCount() - firstRowOnPage(page), 0, capacity);
}

PageText ResultReport::fieldText(PageText::Role role, const QRectF& box, const QString& text, Qt::Alignment alignment,
                                 bool isNumber) const
{
    PageText item;
    item.role = role;
    item.box = box;
    item.text = text;
    item.font = m_textFont;
    item.alignment = alignment;
    const double room = box.width() - 2 * kFieldPadding;
    const double width = m_textMetrics.horizontalAdvance(text);
    if (width > room) {
        const int fitted = static_cast<int>(std::floor(twip::kTextSize * room / width));
        const int smallest = isNumber ? kSmallestNumberSize : kSmallestTextSize;
        if (fitted >= smallest) {
            item.font.setPixelSize(fitted);
        } else {
            item.font.setPixelSize(smallest);
            item.text = QFontMetricsF(item.font).elidedText(text, Qt::ElideRight, room);
        }
    }
    return item;
}

PageContent ResultReport::layoutPage(int page) const
{
    PageContent content;
    const int pages = pageCount();
    if (page < 1 || page > pages)
        return content;

    const double left = leftMarginTwips();
    const double right = left + twip::kGridWidth;
    double y = kTopMargin;

    if (page == 1) {
        PageText title;
        title.role = PageText::Role::Title;
        title.box = QRectF(left + twip::kTitleLeft, y + twip::kTitleTop, twip::kTitleWidth, twip::kTitleHeight);
        title.text = m_table.title();
        title.font = m_titleFont;
        title.alignment = Qt::AlignHCenter;
        content.texts.append(title);
        for (const int top : twip::kTitleRuleTops) {
            const double x = left + twip::kTitleRuleLeft;
            content.rules.append(QLineF(x, y + top, x + twip::kTitleRuleLength, y + top));
        }
        const QRectF dateBox(left + twip::kDateLeft, y + twip::kDateTop, twip::kGridWidth - twip::kDateLeft,
                             twip::kFieldHeight);
        content.texts.append(fieldText(PageText::Role::PrintDate, dateBox,
                                       replaceReportCodes(text::printDate(), m_printDate, page, pages), Qt::AlignLeft));
        y += twip::kReportHeaderHeight;
    }

    // Page header: the heading grid.
    const double gridTop = y;
    content.rules.append(QLineF(left, y, right, y));
    content.rules.append(QLineF(left, y + twip::kPageHeaderHeight, right, y + twip::kPageHeaderHeight));
    const QList<ReportColumn>& columns = m_table.columns();
    for (int c = 0; c < columns.size(); ++c) {
        const ReportColumn& column = columns[c];
        PageText heading =
            fieldText(PageText::Role::Heading,
                      QRectF(left + column.left, y + twip::kHeadingNameTop, column.width, twip::kFieldHeight),
                      column.heading, Qt::AlignHCenter);
        heading.column = c;
        content.texts.append(heading);
        if (!column.unit.isEmpty()) {
            PageText unit =
                fieldText(PageText::Role::Unit,
                          QRectF(left + column.left, y + twip::kHeadingUnitTop, column.width, twip::kFieldHeight),
                          column.unit, Qt::AlignHCenter);
            unit.column = c;
            content.texts.append(unit);
        }
    }
    y += twip::kPageHeaderHeight;

    // Detail rows, each closed by a rule below it.
    const int first = firstRowOnPage(page);
    const int count = rowCountOnPage(page);
    for (int i = 0; i < count; ++i) {
        const int row = first + i;
        for (int c = 0; c < columns.size(); ++c) {
            const ReportColumn& column = columns[c];
            PageText field =
                fieldText(PageText::Role::Field,
                          QRectF(left + column.left, y + twip::kFieldTop, column.width, twip::kFieldHeight),
                          m_table.text(row, c), Qt::AlignHCenter, m_table.number(row, c).has_value());
            field.row = row;
            field.column = c;
            content.texts.append(field);
        }
        y += twip::kDetailHeight;
        content.rules.append(QLineF(left, y, right, y));
    }

    // The vertical rules run through the heading grid and the rows at once.
    content.rules.append(QLineF(left + twip::kGridLeft, gridTop, left + twip::kGridLeft, y));
    for (const int x : m_table.gridRules())
        content.rules.append(QLineF(left + x, gridTop, left + x, y));

    // Page footer at the foot of the page.
    const double footerTop = pageHeight() - kBottomMargin - twip::kPageFooterHeight;
    const QRectF footerBox(left + twip::kFooterLeft, footerTop + twip::kFooterTop,
                           pageSizeTwips().width() - left - twip::kFooterLeft, twip::kFieldHeight);
    content.texts.append(fieldText(PageText::Role::Footer, footerBox,
                                   replaceReportCodes(text::pageFooter(), m_printDate, page, pages), Qt::AlignLeft));
    return content;
}

void ResultReport::paintPage(QPainter& painter, int page) const
{
    const PageContent content = layoutPage(page);
    painter.save();
    // Rules stay at least one device pixel wide when the page is shown small.
    const double scale = std::abs(painter.worldTransform().m11());
    const double ruleWidth = scale > 0 ? std::max<double>(twip::kRuleWidth, 1.0 / scale) : twip::kRuleWidth;
    QPen pen(Qt::black, ruleWidth, Qt::SolidLine, Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLines(content.rules);

    for (const PageText& item : content.texts) {
        painter.setFont(item.font);
        const QFontMetricsF metrics(item.font);
        const double advance = metrics.horizontalAdvance(item.text);
        double x = item.box.left();
        if (item.alignment & Qt::AlignHCenter)
            x = item.box.center().x() - advance / 2.0;
        else if (item.alignment & Qt::AlignRight)
            x = item.box.right() - advance;
        // A field set smaller stays centred on the line of the full-size text.
        const int size = item.font.pixelSize();
        const double lowered = item.role == PageText::Role::Title ? 0.0 : std::max(0, twip::kTextSize - size) / 2.0;
        const double baseline = item.box.top() + lowered + kEmBoxAscent * size;
        painter.drawText(QPointF(x, baseline), item.text);
    }
    painter.restore();
}

void ResultReport::paintPageOn(QPainter& painter, int page, double dotsPerInch, double zoom) const
{
    painter.save();
    const double scale = dotsPerInch / kTwipsPerInch * zoom;
    painter.scale(scale, scale);
    paintPage(painter, page);
    painter.restore();
}

QImage ResultReport::renderPage(int page, double dotsPerInch) const
{
    const QSizeF size = pageSizeTwips() * (dotsPerInch / kTwipsPerInch);
    QImage image(static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height())),
                 QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintPageOn(painter, page, dotsPerInch);
    return image;
}

} // namespace tarnwick::report
