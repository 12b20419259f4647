#pragma once

#include "datasheet/datasheet.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The variable-speed selection window's own texts, kept together: they are
// data of the program and must read byte for byte as the user sees them.
namespace tarnwick::speedtext {

inline QString windowCaption()
{
    return QCoreApplication::translate("tarnwick::speedtext", "变速节能选型");
}
inline QString inputsHeading()
{
    return QCoreApplication::translate("tarnwick::speedtext", "输入参数");
}
inline QString resultsHeading()
{
    return QCoreApplication::translate("tarnwick::speedtext", "选型结果");
}
inline QString acceptedTab()
{
    return QCoreApplication::translate("tarnwick::speedtext", "入选水泵");
}
inline QString rejectedTab()
{
    return QCoreApplication::translate("tarnwick::speedtext", "未入选水泵");
}
inline QString customFluid()
{
    return QCoreApplication::translate("tarnwick::speedtext", "自定义");
}
inline QString resistance()
{
    return QCoreApplication::translate("tarnwick::speedtext", "管路阻力");
}
inline QString designFlow()
{
    return QCoreApplication::translate("tarnwick::speedtext", "设计流量");
}
inline QString staticHead()
{
    return QCoreApplication::translate("tarnwick::speedtext", "静扬程");
}
inline QString controlMode()
{
    return QCoreApplication::translate("tarnwick::speedtext", "控制方式");
}
inline QString proportionalStart()
{
    return QCoreApplication::translate("tarnwick::speedtext", "比例压差起点 %");
}
inline QString setpointPlaceholder()
{
    return QCoreApplication::translate("tarnwick::speedtext", "30%阻力");
}
inline QString setpointHint()
{
    return QCoreApplication::translate("tarnwick::speedtext", "单位与管路阻力相同；不填则取管路阻力的30%");
}
inline QString setpoint()
{
    return QCoreApplication::translate("tarnwick::speedtext", "末端压差设定值");
}
inline QString profileFlow()
{
    return QCoreApplication::translate("tarnwick::speedtext", "流量 %");
}
inline QString profileTime()
{
    return QCoreApplication::translate("tarnwick::speedtext", "时间 %");
}
inline QString loadProfile()
{
    return QCoreApplication::translate("tarnwick::speedtext", "负荷分布");
}
inline QString addRow()
{
    return QCoreApplication::translate("tarnwick::speedtext", "增加");
}
inline QString removeRow()
{
    return QCoreApplication::translate("tarnwick::speedtext", "删除");
}
inline QString dutyPumps()
{
    return QCoreApplication::translate("tarnwick::speedtext", "工作泵台数");
}
inline QString standbyPumps()
{
    return QCoreApplication::translate("tarnwick::speedtext", "备用泵台数");
}
inline QString yearlyHours()
{
    return QCoreApplication::translate("tarnwick::speedtext", "年运行时间 h");
}
inline QString electricityPrice()
{
    return QCoreApplication::translate("tarnwick::speedtext", "电价 元/kWh");
}
inline QString fluid()
{
    return QCoreApplication::translate("tarnwick::speedtext", "流体");
}
inline QString density()
{
    return QCoreApplication::translate("tarnwick::speedtext", "密度 kg/m3");
}
inline QString minimumSpeed()
{
    return QCoreApplication::translate("tarnwick::speedtext", "最低转速比 %");
}
inline QString maximumSpeed()
{
    return QCoreApplication::translate("tarnwick::speedtext", "最高转速比 %");
}
inline QString maximumSpeedHint()
{
    return QCoreApplication::translate("tarnwick::speedtext",
                                       "变频器的最高输出转速（占样本转速）；低于100%时按该转速的曲线选电机、校核各点");
}
inline QString profileSum()
{
    return QCoreApplication::translate("tarnwick::speedtext", "时间合计 %1%");
}
inline QString profileSumWrong()
{
    return QCoreApplication::translate("tarnwick::speedtext", "时间合计 %1%（应为100%）");
}
inline QString motorMargin()
{
    return QCoreApplication::translate("tarnwick::speedtext", "电机功率储备系数");
}
inline QString selectButton()
{
    return QCoreApplication::translate("tarnwick::speedtext", "选型");
}
inline QString evaluateButton()
{
    return QCoreApplication::translate("tarnwick::speedtext", "评价");
}
inline QString singleModel()
{
    return QCoreApplication::translate("tarnwick::speedtext", "单一型号");
}
inline QString modelHeading()
{
    return QCoreApplication::translate("tarnwick::speedtext", "型号");
}
inline QString ruleHeading()
{
    return QCoreApplication::translate("tarnwick::speedtext", "规则");
}
inline QString reasonHeading()
{
    return QCoreApplication::translate("tarnwick::speedtext", "原因");
}
inline QString selecting()
{
    return QCoreApplication::translate("tarnwick::speedtext", "正在进行变速节能选型……");
}
inline QString cancel()
{
    return QCoreApplication::translate("tarnwick::speedtext", "取消");
}
inline QString summary()
{
    return QCoreApplication::translate("tarnwick::speedtext", "%1：入选%2个型号，未入选%3个型号。");
}
inline QString pumpTitle()
{
    return QCoreApplication::translate("tarnwick::speedtext",
                                       "%1型  %2用%3备  电机%4kW（%5）  最高效率点流量%6m3/h  %7  优先工作区外%8%时间");
}
inline QString catalogueMotor()
{
    return QCoreApplication::translate("tarnwick::speedtext", "样本配用");
}
inline QString sizedMotor()
{
    return QCoreApplication::translate("tarnwick::speedtext", "按%1曲线单台最大轴功率%2kW选配");
}
inline QString fullSpeed()
{
    return QCoreApplication::translate("tarnwick::speedtext", "全速");
}
inline QString topSpeed()
{
    return QCoreApplication::translate("tarnwick::speedtext", "最高转速%1%");
}
inline QString topSpeedLimit()
{
    return QCoreApplication::translate("tarnwick::speedtext", "变频器最高转速%1%");
}
inline QString noSpeedLimit()
{
    return QCoreApplication::translate("tarnwick::speedtext", "最高转速100%");
}
inline QString ruleName(SpeedRejectionRule rule)
{
    switch (rule) {
    case SpeedRejectionRule::NoCurve:
        return QCoreApplication::translate("tarnwick::speedtext", "无性能曲线");
    case SpeedRejectionRule::TooSmall:
        return QCoreApplication::translate("tarnwick::speedtext", "扬程不足");
    case SpeedRejectionRule::BeyondCurve:
        return QCoreApplication::translate("tarnwick::speedtext", "超出性能曲线");
    case SpeedRejectionRule::OutsidePreferredRegion:
        return QCoreApplication::translate("tarnwick::speedtext", "不在优先工作区");
    case SpeedRejectionRule::PartLoadInfeasible:
        return QCoreApplication::translate("tarnwick::speedtext", "负荷点无法运行");
    case SpeedRejectionRule::NoMotor:
        return QCoreApplication::translate("tarnwick::speedtext", "无合适电机");
    case SpeedRejectionRule::ViscosityOutOfRange:
        return QCoreApplication::translate("tarnwick::speedtext", "粘度修正超出范围");
    case SpeedRejectionRule::NpshInsufficient:
        return QCoreApplication::translate("tarnwick::speedtext", "汽蚀余量不足");
    }
    return {};
}
// The liquid's correction after the pump's title, and a load point's suction
// in its tooltip.
inline QString viscosityNote()
{
    return QCoreApplication::translate("tarnwick::speedtext", "  粘度修正 B=%1 CQ=%2 CH=%3 Cη=%4");
}
inline QString suctionNote()
{
    return QCoreApplication::translate("tarnwick::speedtext", "有效汽蚀余量 %1 m，必需 %2 m，需要 %3 m");
}
inline QString designPoint()
{
    return QCoreApplication::translate("tarnwick::speedtext", "设计点");
}
inline QString weightedEfficiencyHint()
{
    return QCoreApplication::translate("tarnwick::speedtext", "全年水力能量÷全年耗电量（Σt·ρgQH ÷ Σt·Pin）");
}
inline QString aboveBestHint()
{
    return QCoreApplication::translate("tarnwick::speedtext",
                                       "年耗电量高出排名第一者的百分数；相差几个百分点在计算模型的不确定度之内");
}
inline QString warningHeading()
{
    return QCoreApplication::translate("tarnwick::speedtext", "说明");
}

// The column headings of the accepted pumps and of the load points.
inline QStringList acceptedHeadings()
{
    return {QCoreApplication::translate("tarnwick::speedtext", "型号"),
            QCoreApplication::translate("tarnwick::speedtext", "转速\nr/min"),
            QCoreApplication::translate("tarnwick::speedtext", "台数\nN+M"),
            QCoreApplication::translate("tarnwick::speedtext", "电机\nkW"),
            QCoreApplication::translate("tarnwick::speedtext", "设计转速比\n%"),
            QCoreApplication::translate("tarnwick::speedtext", "设计点效率\n%"),
            QCoreApplication::translate("tarnwick::speedtext", "加权综合效率\n%"),
            QCoreApplication::translate("tarnwick::speedtext", "优先区外\n时间 %"),
            QCoreApplication::translate("tarnwick::speedtext", "年耗电量\nkWh"),
            QCoreApplication::translate("tarnwick::speedtext", "高出最优\n%"),
            QCoreApplication::translate("tarnwick::speedtext", "年电费\n元")};
}
inline QStringList loadHeadings()
{
    return varSpeedLoadHeadings() << warningHeading();
}

// The data sheets' commands in the context menu of the accepted pumps.
inline QString pickedSheetCommand()
{
    return QCoreApplication::translate("tarnwick::speedtext", "生成选型资料单…");
}
inline QString allSetsCommand()
{
    return QCoreApplication::translate("tarnwick::speedtext", "全部入选水泵…");
}

} // namespace tarnwick::speedtext
