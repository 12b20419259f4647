#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The calculation window's own texts, kept together: they are data of the
// program and must read byte for byte as the user has always seen them.
namespace tarnwick::calctext {

// clang-format off

inline QString designCaption() { return QCoreApplication::translate("tarnwick::calctext", "水泵设计计算"); }
inline QString checkCaption() { return QCoreApplication::translate("tarnwick::calctext", "水泵校核计算"); }

// Panel headings.
inline QString inputHeading() { return QCoreApplication::translate("tarnwick::calctext", "用户参数"); }
inline QString pumpDataHeading() { return QCoreApplication::translate("tarnwick::calctext", "水泵主要数据"); }
inline QString candidatesHeading() { return QCoreApplication::translate("tarnwick::calctext", "满足用户要求的水泵"); }
inline QString operatingHeading() { return QCoreApplication::translate("tarnwick::calctext", "水泵运行参数"); }
inline QString dimensionsHeading() { return QCoreApplication::translate("tarnwick::calctext", "尺寸数据"); }

// The duty rows.
inline QString resistanceLabel() { return QCoreApplication::translate("tarnwick::calctext", "系统阻力="); }
inline QString flowLabel() { return QCoreApplication::translate("tarnwick::calctext", "流量="); }
inline QString staticHeadLabel() { return QCoreApplication::translate("tarnwick::calctext", "静扬程="); }
inline QString modelLabel() { return QCoreApplication::translate("tarnwick::calctext", "水泵型号:"); }

// Button names (also their objectNames) and the stored caption of the two
// calculation buttons.
inline QString designButton() { return QStringLiteral("设计"); }
inline QString checkButton() { return QStringLiteral("校核"); }
inline QString refreshButton() { return QStringLiteral("刷新"); }
inline QString fullScreenButton() { return QStringLiteral("全屏显示"); }
inline QString refreshCaption() { return QCoreApplication::translate("tarnwick::calctext", "刷新"); }
inline QString fullScreenCaption() { return QCoreApplication::translate("tarnwick::calctext", "全屏显示"); }
inline QString calculateCaption() { return QCoreApplication::translate("tarnwick::calctext", "计算"); }

// The page tabs.
inline QString curvesTab() { return QCoreApplication::translate("tarnwick::calctext", "水泵性能曲线"); }
inline QString schematicTab() { return QCoreApplication::translate("tarnwick::calctext", "水泵示意图"); }

// Chart axes and legend.
inline QString efficiencyAxis() { return QCoreApplication::translate("tarnwick::calctext", "η(％)"); }
inline QString powerAxis() { return QStringLiteral("N(kW)"); }
inline QString headAxis() { return QStringLiteral("H(mH O)"); }
inline QString flowAxis() { return QStringLiteral("G(m /h)"); }
inline QString legendHeading() { return QCoreApplication::translate("tarnwick::calctext", "图例"); }
inline QString pumpCurvesLegend() { return QCoreApplication::translate("tarnwick::calctext", "水泵特性曲线"); }
inline QString efficiencyLegend() { return QStringLiteral("η-G"); }
inline QString headLegend() { return QStringLiteral("H-G"); }
inline QString powerLegend() { return QStringLiteral("N-G"); }
inline QString systemCurveLegend() { return QCoreApplication::translate("tarnwick::calctext", "管路特性曲线"); }
inline QString dutyPointLegend() { return QCoreApplication::translate("tarnwick::calctext", "用户参数"); }
inline QString operatingPointLegend() { return QCoreApplication::translate("tarnwick::calctext", "实际运行点"); }

// The data grid's column captions; leading and inner blanks belong to them
// (the double blank is where a narrow column header breaks its line).
inline QStringList gridCaptions()
{
    return {QCoreApplication::translate("tarnwick::calctext", "水泵类型"),
            QCoreApplication::translate("tarnwick::calctext", "   水泵型号"),
            QCoreApplication::translate("tarnwick::calctext", "  转速(r/min)"),
            QCoreApplication::translate("tarnwick::calctext", " 流量(m3/h)"),
            QCoreApplication::translate("tarnwick::calctext", "扬程 (m)"),
            QCoreApplication::translate("tarnwick::calctext", "轴功率  (kW)"),
            QCoreApplication::translate("tarnwick::calctext", "电动机功  率(kW)"),
            QCoreApplication::translate("tarnwick::calctext", "必需汽蚀  余量(m)"),
            QCoreApplication::translate("tarnwick::calctext", "叶轮外径(mm)"),
            QCoreApplication::translate("tarnwick::calctext", "重量(kg)")};
}

// Texts of our own beside the window's: the pumps the design left out.
inline QString notAcceptedModel(const QString& model) { return model + QCoreApplication::translate("tarnwick::calctext", "型水泵（未入选）"); }
inline QString notAcceptedNote(const QString& reason) { return QCoreApplication::translate("tarnwick::calctext", "未入选：") + reason; }
inline QString rejectedWithoutOperatingPoint() { return QCoreApplication::translate("tarnwick::calctext", "该水泵在此工况下没有工作点，无法绘制性能曲线。"); }

// The data sheets' commands in the context menus of List1 and the chart, and
// the window of the pumps the last design left out.
inline QString pickedSheetCommand() { return QCoreApplication::translate("tarnwick::calctext", "生成选型资料单…"); }
inline QString allCandidatesCommand() { return QCoreApplication::translate("tarnwick::calctext", "全部候选水泵…"); }
inline QString rejectedPumpsCommand() { return QCoreApplication::translate("tarnwick::calctext", "未入选水泵…"); }
inline QString noDesignYet() { return QCoreApplication::translate("tarnwick::calctext", "请先进行设计计算。"); }
inline QString noRejectedPump() { return QCoreApplication::translate("tarnwick::calctext", "上次设计计算中所有水泵均已入选。"); }
// %1 the number of pumps listed.
inline QString rejectedPumpsCaption() { return QCoreApplication::translate("tarnwick::calctext", "未入选水泵（最接近入选的 %1 台）"); }
inline QString rejectedPumpsNote() { return QCoreApplication::translate("tarnwick::calctext", "按未满足规则的差距从小到大排列；双击或按“在曲线图上显示”查看该水泵。"); }
inline QStringList rejectedPumpsColumns()
{
    return {QCoreApplication::translate("tarnwick::calctext", "水泵型号"),
            QCoreApplication::translate("tarnwick::calctext", "转速(r/min)"),
            QCoreApplication::translate("tarnwick::calctext", "未满足的规则"),
            QCoreApplication::translate("tarnwick::calctext", "原因"),
            QCoreApplication::translate("tarnwick::calctext", "差距(%)"),
            QCoreApplication::translate("tarnwick::calctext", "实际流量(m3/h)"),
            QCoreApplication::translate("tarnwick::calctext", "实际扬程(m)"),
            QCoreApplication::translate("tarnwick::calctext", "实际效率(%)")};
}
inline QString showOnChartButton() { return QCoreApplication::translate("tarnwick::calctext", "在曲线图上显示(&S)"); }
inline QString closeButton() { return QCoreApplication::translate("tarnwick::calctext", "关闭"); }

// The measured points of the conditions group.
inline QString measuredPointNotNumber() { return QCoreApplication::translate("tarnwick::calctext", "实测管路点第%1行的流量和扬程应为数字！请重新输入。"); }

// clang-format on

} // namespace tarnwick::calctext
