#include "report/varspeedreport.h"

#include "store/names.h"

#include <cmath>
#include <iterator>

namespace tarnwick::report {

namespace {

// A box of the report: heading, unit, the stored field, width in twips, and
// how its figure is shown. Boxes are laid side by side from the grid's left
// edge and fill the grid's width.
struct ColumnSpec
{
    const char16_t* heading;
    const char16_t* unit;
    const char16_t* field;
    int width;
    int decimals; // -1: the stored text or number as it is
    double scale;
};
constexpr ColumnSpec kResultColumns[] = {
    {u"计算时间", u"", u"计算时间", 1560, -1, 1},
    {u"控制方式", u"", u"控制方式", 760, -1, 1},
    {u"系统阻力", u"(m)", u"总扬程", 700, -1, 1},
    {u"流量", u"(m3/h)", u"流量", 700, -1, 1},
    {u"静扬程", u"(m)", u"系统静扬程", 620, 2, 1},
    {u"工作泵", u"(台)", u"工作泵台数", 560, -1, 1},
    {u"备用泵", u"(台)", u"备用泵台数", 560, -1, 1},
    {u"所选型号", u"", u"所选型号", 1500, -1, 1},
    {u"电机", u"(kW)", u"电机功率", 620, -1, 1},
    {u"设计转速比", u"(%)", u"设计转速比", 840, 1, 100},
    {u"年耗电量", u"(kWh)", u"年耗电量", 980, 0, 1},
    {u"年电费", u"(元)", u"年电费", 900, 0, 1},
    {u"加权效率", u"(%)", u"加权效率", 0, 1, 100},
};

} // namespace

QString varSpeedReportTitle(bool allRuns)
{
    return allRuns ? QStringLiteral("全部变速节能选型结果报表") : QStringLiteral("变速节能选型结果报表");
}

ResultTable varSpeedResultTable(const store::StoredTable& stored, bool allRuns)
{
    QList<ReportColumn> columns;
    QList<qsizetype> sources;
    int left = 10;
    const int count = static_cast<int>(std::size(kResultColumns));
    for (int c = 0; c < count; ++c) {
        const ColumnSpec& box = kResultColumns[c];
        // The last box takes what is left of the grid.
        const int width = c + 1 == count ? twip::kGridWidth - 10 - left : box.width;
        const QString field = QString::fromUtf16(box.field);
        columns.append({QString::fromUtf16(box.heading), QString::fromUtf16(box.unit), field, left, width, false});
        sources.append(stored.columns.indexOf(field));
        left += width + 20;
    }
    QList<QVariantList> rows;
    for (const QVariantList& storedRow : stored.rows) {
        QVariantList row;
        for (int c = 0; c < count; ++c) {
            const QVariant v = sources[c] >= 0 ? storedRow.value(sources[c]) : QVariant();
            const ColumnSpec& box = kResultColumns[c];
            if (box.decimals < 0 || v.isNull()) {
                row.append(v);
                continue;
            }
            const double p = std::pow(10.0, box.decimals);
            row.append(std::round(v.toDouble() * box.scale * p) / p);
        }
        rows.append(row);
    }
    return ResultTable::fromValues(stored.source, varSpeedReportTitle(allRuns), columns, rows, stored.databasePath);
}

} // namespace tarnwick::report
