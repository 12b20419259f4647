#pragma once

#include <QString>
#include <QStringList>

// The calculation window's own texts, kept together: they are data of the
// program and must read byte for byte as the user has always seen them.
namespace tarnwick::calctext {

// clang-format off

inline QString designCaption() { return QStringLiteral("水泵设计计算"); }
inline QString checkCaption() { return QStringLiteral("水泵校核计算"); }

// Panel headings.
inline QString inputHeading() { return QStringLiteral("用户参数"); }
inline QString pumpDataHeading() { return QStringLiteral("水泵主要数据"); }
inline QString candidatesHeading() { return QStringLiteral("满足用户要求的水泵"); }
inline QString operatingHeading() { return QStringLiteral("水泵运行参数"); }
inline QString dimensionsHeading() { return QStringLiteral("尺寸数据"); }

// The duty rows.
inline QString resistanceLabel() { return QStringLiteral("系统阻力="); }
inline QString flowLabel() { return QStringLiteral("流量="); }
inline QString staticHeadLabel() { return QStringLiteral("静扬程="); }
inline QString modelLabel() { return QStringLiteral("水泵型号:"); }

// Button names (also their objectNames) and the stored caption of the two
// calculation buttons.
inline QString designButton() { return QStringLiteral("设计"); }
inline QString checkButton() { return QStringLiteral("校核"); }
inline QString refreshButton() { return QStringLiteral("刷新"); }
inline QString fullScreenButton() { return QStringLiteral("全屏显示"); }
inline QString calculateCaption() { return QStringLiteral("计算"); }

// The page tabs.
inline QString curvesTab() { return QStringLiteral("水泵性能曲线"); }
inline QString schematicTab() { return QStringLiteral("水泵示意图"); }

// Chart axes and legend.
inline QString efficiencyAxis() { return QStringLiteral("η(％)"); }
inline QString powerAxis() { return QStringLiteral("N(kW)"); }
inline QString headAxis() { return QStringLiteral("H(mH O)"); }
inline QString flowAxis() { return QStringLiteral("G(m /h)"); }
inline QString legendHeading() { return QStringLiteral("图例"); }
inline QString pumpCurvesLegend() { return QStringLiteral("水泵特性曲线"); }
inline QString efficiencyLegend() { return QStringLiteral("η-G"); }
inline QString headLegend() { return QStringLiteral("H-G"); }
inline QString powerLegend() { return QStringLiteral("N-G"); }
inline QString systemCurveLegend() { return QStringLiteral("管路特性曲线"); }
inline QString dutyPointLegend() { return QStringLiteral("用户参数"); }
inline QString operatingPointLegend() { return QStringLiteral("实际运行点"); }

// The data grid's column captions; leading and inner blanks belong to them
// (the double blank is where a narrow column header breaks its line).
inline QStringList gridCaptions()
{
    return {QStringLiteral("水泵类型"),
            QStringLiteral("   水泵型号"),
            QStringLiteral("  转速(r/min)"),
            QStringLiteral(" 流量(m3/h)"),
            QStringLiteral("扬程 (m)"),
            QStringLiteral("轴功率  (kW)"),
            QStringLiteral("电动机功  率(kW)"),
            QStringLiteral("必需汽蚀  余量(m)"),
            QStringLiteral("叶轮外径(mm)"),
            QStringLiteral("重量(kg)")};
}

// Texts of our own beside the window's: the pumps the design left out.
inline QString notAcceptedModel(const QString& model) { return model + QStringLiteral("型水泵（未入选）"); }
inline QString notAcceptedNote(const QString& reason) { return QStringLiteral("未入选：") + reason; }
inline QString rejectedWithoutOperatingPoint() { return QStringLiteral("该水泵在此工况下没有工作点，无法绘制性能曲线。"); }

// The data sheets: %1 the pages, %2 the file.
// The measured points of the conditions group.
inline QString measuredPointNotNumber() { return QStringLiteral("实测管路点第%1行的流量和扬程应为数字！请重新输入。"); }
inline QString sheetsWritten() { return QStringLiteral("已写入选型资料单 %1 页：%2"); }

// clang-format on

} // namespace tarnwick::calctext
