#include "shell/conditionreports.h"

#include "report/reportdefinition.h"
#include "shell/reportwindow/datareport1.h"
#include "shell/shelltexts.h"
#include "store/conditionstore.h"
#include "store/varspeedstore.h"

#include <cmath>

namespace tarnwick {

namespace {

// A column of the figures' reports: the stored field, heading, unit, width in
// twips (0: what is left of the grid), decimals (-1: as stored) and scale.
struct FigureColumn
{
    const char16_t* field;
    const char16_t* heading;
    const char16_t* unit;
    int width;
    int decimals;
    double scale;
};

constexpr FigureColumn kDesignColumns[] = {
    {u"计算时间", u"计算时间", u"", 1560, -1, 1},
    {u"选型方式", u"方式", u"", 560, -1, 1},
    {u"介质", u"介质", u"", 1000, -1, 1},
    {u"浓度", u"浓度", u"(%)", 480, 0, 1},
    {u"温度", u"温度", u"(℃)", 480, 1, 1},
    {u"吸入口绝对压力", u"入口绝压", u"(kPa)", 760, 1, 1},
    {u"所选型号", u"所选型号", u"", 1500, -1, 1},
    {u"最高效率点流量比", u"Q/Qbep", u"(%)", 640, 0, 100},
    {u"粘度参数B", u"粘度参数B", u"", 760, 2, 1},
    {u"有效汽蚀余量", u"NPSHa", u"(m)", 640, 2, 1},
    {u"必需汽蚀余量", u"NPSHr", u"(m)", 640, 2, 1},
    {u"叶轮切削比", u"切削比", u"(%)", 640, 1, 100},
    {u"切削后叶轮外径", u"切削后外径", u"(mm)", 0, 1, 1},
};

constexpr FigureColumn kSpeedColumns[] = {
    {u"所选型号", u"所选型号", u"", 1500, -1, 1},
    {u"介质", u"介质", u"", 1000, -1, 1},
    {u"温度", u"温度", u"(℃)", 560, 1, 1},
    {u"密度", u"密度", u"(kg/m3)", 800, 1, 1},
    {u"吸入口绝对压力", u"入口绝压", u"(kPa)", 900, 1, 1},
    {u"负荷序号", u"负荷点", u"", 640, -1, 1},
    {u"粘度参数B", u"粘度参数B", u"", 900, 2, 1},
    {u"流量修正系数", u"CQ", u"", 700, 3, 1},
    {u"扬程修正系数", u"CH", u"", 700, 3, 1},
    {u"效率修正系数", u"Cη", u"", 700, 3, 1},
    {u"有效汽蚀余量", u"NPSHa", u"(m)", 800, 2, 1},
    {u"必需汽蚀余量", u"NPSHr", u"(m)", 800, 2, 1},
    {u"汽蚀余量满足", u"满足", u"", 0, -1, 1},
};

template <std::size_t N>
report::ResultTable figuresTable(const FigureColumn (&layout)[N], const QStringList& storedColumns,
                                 const QList<QVariantList>& storedRows, const QString& source, const QString& title,
                                 const QString& databasePath)
{
    QList<report::ReportColumn> columns;
    QList<int> at;
    int left = 10;
    for (std::size_t c = 0; c < N; ++c) {
        const FigureColumn& box = layout[c];
        const int width = c + 1 == N ? report::twip::kGridWidth - 10 - left : box.width;
        columns.append({QString::fromUtf16(box.heading), QString::fromUtf16(box.unit), QString::fromUtf16(box.field),
                        left, width, false});
        at.append(static_cast<int>(storedColumns.indexOf(QString::fromUtf16(box.field))));
        left += width + 20;
    }
    QList<QVariantList> rows;
    for (const QVariantList& stored : storedRows) {
        QVariantList row;
        for (std::size_t c = 0; c < N; ++c) {
            const QVariant v = at[static_cast<qsizetype>(c)] >= 0 ? stored.value(at[static_cast<qsizetype>(c)]) : QVariant();
            if (layout[c].decimals < 0 || v.isNull()) {
                row.append(v);
                continue;
            }
            const double p = std::pow(10.0, layout[c].decimals);
            row.append(std::round(v.toDouble() * layout[c].scale * p) / p);
        }
        rows.append(row);
    }
    return report::ResultTable::fromValues(source, title, columns, rows, databasePath);
}

} // namespace

std::optional<report::ResultTable> conditionFiguresTable(const QSqlDatabase& db, bool allRuns, QString* error)
{
    auto figures = store::readConditionFigures(db, allRuns);
    if (!figures) {
        *error = figures.error();
        return std::nullopt;
    }
    if (figures->rows.isEmpty())
        return std::nullopt;
    return figuresTable(kDesignColumns, figures->columns, figures->rows, store::conditionnames::pumpTable(),
                        shelltext::conditionFiguresTitle(), store::databaseFilePath(db));
}

std::optional<report::ResultTable> varSpeedSuctionTable(const QSqlDatabase& db, bool allRuns, QString* error)
{
    auto stored = store::readVarSpeedSuction(db, allRuns);
    if (!stored) {
        *error = stored.error();
        return std::nullopt;
    }
    if (stored->rows.isEmpty())
        return std::nullopt;
    return figuresTable(kSpeedColumns, stored->columns, stored->rows, stored->source,
                        shelltext::varSpeedSuctionTitle(), stored->databasePath);
}

void offerConditionFigures(DataReport1* window, std::optional<report::ResultTable> table)
{
    if (window && table)
        window->offerSecondTable(shelltext::conditionFiguresButton(), std::move(*table));
}

} // namespace tarnwick
