#include "report/conditionreport.h"

#include "report/storedcolumns.h"
#include "store/conditionstore.h"
#include "store/database.h"
#include "store/varspeedstore.h"

#include <QCoreApplication>

namespace tarnwick::report {

namespace {

// Headings are texts of the report; the stored field names never change.
constexpr StoredColumn kDesignColumns[] = {
    {QT_TRANSLATE_NOOP("tarnwick::report", "计算时间"), "", u"计算时间", 1560, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "方式"), "", u"选型方式", 560, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "介质"), "", u"介质", 1000, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "浓度"), "(%)", u"浓度", 480, 0, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "温度"), "(℃)", u"温度", 480, 1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "入口绝压"), "(kPa)", u"吸入口绝对压力", 760, 1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "所选型号"), "", u"所选型号", 1500, -1, 1},
    {"Q/Qbep", "(%)", u"最高效率点流量比", 640, 0, 100},
    {QT_TRANSLATE_NOOP("tarnwick::report", "粘度参数B"), "", u"粘度参数B", 760, 2, 1},
    {"NPSHa", "(m)", u"有效汽蚀余量", 640, 2, 1},
    {"NPSHr", "(m)", u"必需汽蚀余量", 640, 2, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "切削比"), "(%)", u"叶轮切削比", 640, 1, 100},
    {QT_TRANSLATE_NOOP("tarnwick::report", "切削后外径"), "(mm)", u"切削后叶轮外径", 0, 1, 1},
};

constexpr StoredColumn kSpeedColumns[] = {
    {QT_TRANSLATE_NOOP("tarnwick::report", "所选型号"), "", u"所选型号", 1500, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "介质"), "", u"介质", 1000, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "温度"), "(℃)", u"温度", 560, 1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "密度"), "(kg/m3)", u"密度", 800, 1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "入口绝压"), "(kPa)", u"吸入口绝对压力", 900, 1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "负荷点"), "", u"负荷序号", 640, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "粘度参数B"), "", u"粘度参数B", 900, 2, 1},
    {"CQ", "", u"流量修正系数", 700, 3, 1},
    {"CH", "", u"扬程修正系数", 700, 3, 1},
    {"Cη", "", u"效率修正系数", 700, 3, 1},
    {"NPSHa", "(m)", u"有效汽蚀余量", 800, 2, 1},
    {"NPSHr", "(m)", u"必需汽蚀余量", 800, 2, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "满足"), "", u"汽蚀余量满足", 0, -1, 1},
};

} // namespace

QString conditionFiguresTitle()
{
    return QCoreApplication::translate("tarnwick::report", "介质、汽蚀与叶轮切削计算结果");
}

QString varSpeedSuctionTitle()
{
    return QCoreApplication::translate("tarnwick::report", "变速节能选型介质与汽蚀校核");
}

std::optional<ResultTable> conditionFiguresTable(const QSqlDatabase& db, bool allRuns, QString* error)
{
    auto figures = store::readConditionFigures(db, allRuns);
    if (!figures) {
        *error = figures.error();
        return std::nullopt;
    }
    if (figures->rows.isEmpty())
        return std::nullopt;
    return storedRowsTable(kDesignColumns, figures->columns, figures->rows, store::conditionnames::pumpTable(),
                           conditionFiguresTitle(), store::databaseFilePath(db));
}

std::optional<ResultTable> varSpeedSuctionTable(const QSqlDatabase& db, bool allRuns, QString* error)
{
    auto stored = store::readVarSpeedSuction(db, allRuns);
    if (!stored) {
        *error = stored.error();
        return std::nullopt;
    }
    if (stored->rows.isEmpty())
        return std::nullopt;
    return storedRowsTable(kSpeedColumns, stored->columns, stored->rows, stored->source, varSpeedSuctionTitle(),
                           stored->databasePath);
}

} // namespace tarnwick::report
