#pragma once

#include "datasheet/datasheet.h"

#include <QString>
#include <QStringList>

// The variable-speed selection window's own texts, kept together: they are
// data of the program and must read byte for byte as the user sees them.
namespace tarnwick::speedtext {

inline QString windowCaption()
{
    return QStringLiteral("变速节能选型");
}
inline QString inputsHeading()
{
    return QStringLiteral("输入参数");
}
inline QString resultsHeading()
{
    return QStringLiteral("选型结果");
}
inline QString acceptedTab()
{
    return QStringLiteral("入选水泵");
}
inline QString rejectedTab()
{
    return QStringLiteral("未入选水泵");
}
inline QString customFluid()
{
    return QStringLiteral("自定义");
}
inline QString resistance()
{
    return QStringLiteral("管路阻力");
}
inline QString designFlow()
{
    return QStringLiteral("设计流量");
}
inline QString staticHead()
{
    return QStringLiteral("静扬程");
}
inline QString controlMode()
{
    return QStringLiteral("控制方式");
}
inline QString proportionalStart()
{
    return QStringLiteral("比例压差起点 %");
}
inline QString setpointPlaceholder()
{
    return QStringLiteral("30%阻力");
}
inline QString setpointHint()
{
    return QStringLiteral("单位与管路阻力相同；不填则取管路阻力的30%");
}
inline QString setpoint()
{
    return QStringLiteral("末端压差设定值");
}
inline QString profileFlow()
{
    return QStringLiteral("流量 %");
}
inline QString profileTime()
{
    return QStringLiteral("时间 %");
}
inline QString loadProfile()
{
    return QStringLiteral("负荷分布");
}
inline QString addRow()
{
    return QStringLiteral("增加");
}
inline QString removeRow()
{
    return QStringLiteral("删除");
}
inline QString dutyPumps()
{
    return QStringLiteral("工作泵台数");
}
inline QString standbyPumps()
{
    return QStringLiteral("备用泵台数");
}
inline QString yearlyHours()
{
    return QStringLiteral("年运行时间 h");
}
inline QString electricityPrice()
{
    return QStringLiteral("电价 元/kWh");
}
inline QString fluid()
{
    return QStringLiteral("流体");
}
inline QString density()
{
    return QStringLiteral("密度 kg/m3");
}
inline QString minimumSpeed()
{
    return QStringLiteral("最低转速比 %");
}
inline QString maximumSpeed()
{
    return QStringLiteral("最高转速比 %");
}
inline QString maximumSpeedHint()
{
    return QStringLiteral("变频器的最高输出转速（占样本转速）；低于100%时按该转速的曲线选电机、校核各点");
}
inline QString profileSum()
{
    return QStringLiteral("时间合计 %1%");
}
inline QString profileSumWrong()
{
    return QStringLiteral("时间合计 %1%（应为100%）");
}
inline QString motorMargin()
{
    return QStringLiteral("电机功率储备系数");
}
inline QString selectButton()
{
    return QStringLiteral("选型");
}
inline QString evaluateButton()
{
    return QStringLiteral("评价");
}
inline QString singleModel()
{
    return QStringLiteral("单一型号");
}
inline QString modelHeading()
{
    return QStringLiteral("型号");
}
inline QString ruleHeading()
{
    return QStringLiteral("规则");
}
inline QString reasonHeading()
{
    return QStringLiteral("原因");
}
inline QString selecting()
{
    return QStringLiteral("正在进行变速节能选型……");
}
inline QString cancel()
{
    return QStringLiteral("取消");
}
inline QString summary()
{
    return QStringLiteral("%1：入选%2个型号，未入选%3个型号。");
}
inline QString pumpTitle()
{
    return QStringLiteral("%1型  %2用%3备  电机%4kW（%5）  最高效率点流量%6m3/h  %7  优先工作区外%8%时间");
}
inline QString catalogueMotor()
{
    return QStringLiteral("样本配用");
}
inline QString sizedMotor()
{
    return QStringLiteral("按%1曲线单台最大轴功率%2kW选配");
}
inline QString fullSpeed()
{
    return QStringLiteral("全速");
}
inline QString topSpeed()
{
    return QStringLiteral("最高转速%1%");
}
inline QString topSpeedLimit()
{
    return QStringLiteral("变频器最高转速%1%");
}
inline QString noSpeedLimit()
{
    return QStringLiteral("最高转速100%");
}
inline QString ruleName(SpeedRejectionRule rule)
{
    switch (rule) {
    case SpeedRejectionRule::NoCurve:
        return QStringLiteral("无性能曲线");
    case SpeedRejectionRule::TooSmall:
        return QStringLiteral("扬程不足");
    case SpeedRejectionRule::BeyondCurve:
        return QStringLiteral("超出性能曲线");
    case SpeedRejectionRule::OutsidePreferredRegion:
        return QStringLiteral("不在优先工作区");
    case SpeedRejectionRule::PartLoadInfeasible:
        return QStringLiteral("负荷点无法运行");
    case SpeedRejectionRule::NoMotor:
        return QStringLiteral("无合适电机");
    case SpeedRejectionRule::ViscosityOutOfRange:
        return QStringLiteral("粘度修正超出范围");
    case SpeedRejectionRule::NpshInsufficient:
        return QStringLiteral("汽蚀余量不足");
    }
    return {};
}
// The liquid's correction after the pump's title, and a load point's suction
// in its tooltip.
inline QString viscosityNote()
{
    return QStringLiteral("  粘度修正 B=%1 CQ=%2 CH=%3 Cη=%4");
}
inline QString suctionNote()
{
    return QStringLiteral("有效汽蚀余量 %1 m，必需 %2 m，需要 %3 m");
}
inline QString designPoint()
{
    return QStringLiteral("设计点");
}
inline QString weightedEfficiencyHint()
{
    return QStringLiteral("全年水力能量÷全年耗电量（Σt·ρgQH ÷ Σt·Pin）");
}
inline QString aboveBestHint()
{
    return QStringLiteral("年耗电量高出排名第一者的百分数；相差几个百分点在计算模型的不确定度之内");
}
inline QString warningHeading()
{
    return QStringLiteral("说明");
}

// The column headings of the accepted pumps and of the load points.
inline QStringList acceptedHeadings()
{
    return {QStringLiteral("型号"),
            QStringLiteral("转速\nr/min"),
            QStringLiteral("台数\nN+M"),
            QStringLiteral("电机\nkW"),
            QStringLiteral("设计转速比\n%"),
            QStringLiteral("设计点效率\n%"),
            QStringLiteral("加权综合效率\n%"),
            QStringLiteral("优先区外\n时间 %"),
            QStringLiteral("年耗电量\nkWh"),
            QStringLiteral("高出最优\n%"),
            QStringLiteral("年电费\n元")};
}
inline QStringList loadHeadings()
{
    return varSpeedLoadHeadings() << warningHeading();
}

} // namespace tarnwick::speedtext
