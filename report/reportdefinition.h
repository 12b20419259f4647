#pragma once

#include <QCoreApplication>
#include <QFont>
#include <QList>
#include <QString>

// The definition of the result report: its sections, boxes and rules in twips
// measured from the left page margin, its texts and its fonts. The two result
// views share it and differ only in the rows they show.
namespace tarnwick::report {

namespace twip {
// Sections, in print order.
constexpr int kReportHeaderHeight = 1230;
constexpr int kPageHeaderHeight = 570;
constexpr int kDetailHeight = 378;
constexpr int kPageFooterHeight = 568;

// Report header.
constexpr int kTitleLeft = 4400;
constexpr int kTitleTop = 220;
constexpr int kTitleWidth = 2730;
constexpr int kTitleHeight = 375;
constexpr int kTitleRuleLeft = 4379;
constexpr int kTitleRuleLength = 2775;
constexpr int kTitleRuleTops[] = {661, 690};
constexpr int kDateLeft = 94;
constexpr int kDateTop = 945;

// Page header: the names on the upper row of the grid, the units below them.
constexpr int kHeadingNameTop = 80;
constexpr int kHeadingUnitTop = 300;

// Detail: every field box has the same height and top.
constexpr int kFieldTop = 94;
constexpr int kFieldHeight = 195;

// The grid's vertical rules; the last one is the right edge of the grid. The
// rule at 0 closes the grid on the left.
constexpr int kGridLeft = 0;
constexpr int kGridRules[] = {1890, 2930, 3969, 4819, 5669, 7181, 8220, 9259, 10299, 11338};
constexpr int kGridWidth = 11338;

// Page footer.
constexpr int kFooterLeft = 9921;
constexpr int kFooterTop = 283;

// Font sizes: 9 pt and 15.75 pt.
constexpr int kTextSize = 180;
constexpr int kTitleSize = 315;

// Rules are drawn 15 twips wide: one pixel on a 96 dpi screen at full size.
constexpr int kRuleWidth = 15;
} // namespace twip

// One column of the grid: its heading and unit line, the field its detail box
// shows, and the box.
struct ReportColumn
{
    QString heading;
    QString unit; // empty: no unit line
    QString field;
    int left = 0;
    int width = 0;
    // The field is stored from a 32-bit value (see reportNumberText).
    bool stored32Bit = false;

    // The heading and unit as one text, for the exported tables.
    QString headingWithUnit() const { return heading + unit; }
};

// The ten columns in report order.
const QList<ReportColumn>& reportColumns();

namespace text {
inline QString title()
{
    return QCoreApplication::translate("tarnwick::report", "水泵选型结果报表");
}
// "%D" is the date the report is produced.
inline QString printDate()
{
    return QCoreApplication::translate("tarnwick::report", "打印日期：%D");
}
// "%p" is the page, "%P" the number of pages.
inline QString pageFooter()
{
    return QCoreApplication::translate("tarnwick::report", "第%p页  共%P页");
}
} // namespace text

// Replaces the report codes "%D", "%p" and "%P" in a text; any other "%"
// stays as it is.
QString replaceReportCodes(const QString& text, const QString& date, int page, int pageCount);

// The report's fonts by their traditional names ("宋体", "华文中宋"), mapped to
// an installed CJK face. Sizes are in twips, the unit the report is painted in.
QFont reportFont(const QString& traditionalName, int sizeTwips, bool bold = false);
QFont reportTextFont();  // "宋体" 9 pt
QFont reportTitleFont(); // "华文中宋" 15.75 pt bold

} // namespace tarnwick::report
