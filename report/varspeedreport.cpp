#include "report/varspeedreport.h"

#include "report/storedcolumns.h"

#include <QCoreApplication>

namespace tarnwick::report {

namespace {

// The report's boxes, each naming the stored field it shows.
constexpr StoredColumn kResultColumns[] = {
    {QT_TRANSLATE_NOOP("tarnwick::report", "计算时间"), "", u"计算时间", 1560, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "控制方式"), "", u"控制方式", 760, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "系统阻力"), "(m)", u"总扬程", 700, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "流量"), "(m3/h)", u"流量", 700, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "静扬程"), "(m)", u"系统静扬程", 620, 2, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "工作泵"), QT_TRANSLATE_NOOP("tarnwick::report", "(台)"), u"工作泵台数", 560,
     -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "备用泵"), QT_TRANSLATE_NOOP("tarnwick::report", "(台)"), u"备用泵台数", 560,
     -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "所选型号"), "", u"所选型号", 1500, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "电机"), "(kW)", u"电机功率", 620, -1, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "设计转速比"), "(%)", u"设计转速比", 840, 1, 100},
    {QT_TRANSLATE_NOOP("tarnwick::report", "年耗电量"), "(kWh)", u"年耗电量", 980, 0, 1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "年电费"), QT_TRANSLATE_NOOP("tarnwick::report", "(元)"), u"年电费", 900, 0,
     1},
    {QT_TRANSLATE_NOOP("tarnwick::report", "加权效率"), "(%)", u"加权效率", 0, 1, 100},
};

} // namespace

QString varSpeedReportTitle(bool allRuns)
{
    return allRuns ? QCoreApplication::translate("tarnwick::report", "全部变速节能选型结果报表")
                   : QCoreApplication::translate("tarnwick::report", "变速节能选型结果报表");
}

ResultTable varSpeedResultTable(const store::StoredTable& stored, bool allRuns)
{
    return storedRowsTable(kResultColumns, stored.columns, stored.rows, stored.source, varSpeedReportTitle(allRuns),
                           stored.databasePath);
}

} // namespace tarnwick::report
