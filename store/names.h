#pragma once

#include <QString>
#include <QStringList>

// Table, view and field names of the database, used exactly. Every statement
// takes its names from here; values always go in as bound parameters.
namespace tarnwick::store::names {

inline QString databaseFileName() { return QStringLiteral("水泵数据库97.mdb"); }

inline QString pumpTable() { return QStringLiteral("水泵性能表"); }
inline QString pointTable() { return QStringLiteral("流扬功"); }
inline QString pumpView() { return QStringLiteral("水泵查询"); }
inline QString schematicTable() { return QStringLiteral("设备安装示意图"); }
inline QString companyTable() { return QStringLiteral("公司资料"); }
inline QString allResultsTable() { return QStringLiteral("水泵选型结果"); }
inline QString latestResultsTable() { return QStringLiteral("水泵选型结果1"); }

// Fields of the catalogue.
inline QString key() { return QStringLiteral("序号"); }
inline QString model() { return QStringLiteral("水泵型号"); }
inline QString pumpType() { return QStringLiteral("水泵类型"); }
inline QString speed() { return QStringLiteral("转速"); }
inline QString flow() { return QStringLiteral("流量"); }
inline QString head() { return QStringLiteral("扬程"); }
inline QString shaftPower() { return QStringLiteral("轴功率"); }
inline QString motorPower() { return QStringLiteral("电动机功率"); }
inline QString npshRequired() { return QStringLiteral("必需汽蚀余量"); }
inline QString impellerDiameter() { return QStringLiteral("叶轮外径"); }
inline QString weight() { return QStringLiteral("重量"); }
inline QString installationDimensions() { return QStringLiteral("设备安装尺寸"); }
inline QString schematicPicture() { return QStringLiteral("设备安装示意图"); }

// Every field of "水泵性能表" and of "流扬功", in table order.
inline QStringList pumpFields()
{
    return {key(),          pumpType(),         model(),  speed(),     flow(),
            head(),         shaftPower(),       motorPower(), npshRequired(), impellerDiameter(),
            weight(),       installationDimensions()};
}
inline QStringList pointFields()
{
    return {key(), flow(), head(), shaftPower()};
}

// Fields of "公司资料".
inline QString companyText() { return QStringLiteral("公司简介"); }
inline QString companyPicture() { return QStringLiteral("公司图片"); }
inline QString productText() { return QStringLiteral("产品简介"); }
inline QString productPicture() { return QStringLiteral("产品图片"); }

// Fields of a result row, in the order they are assigned.
inline QString calculationTime() { return QStringLiteral("计算时间"); }
inline QString method() { return QStringLiteral("选型方式"); }
inline QString totalHead() { return QStringLiteral("总扬程"); }
inline QString designFlow() { return QStringLiteral("流量"); }
inline QString staticHead() { return QStringLiteral("系统静扬程"); }
inline QString selectedModel() { return QStringLiteral("所选型号"); }
inline QString bestEfficiency() { return QStringLiteral("水泵最高效率"); }
inline QString operatingHead() { return QStringLiteral("实际扬程"); }
inline QString operatingFlow() { return QStringLiteral("实际流量"); }
inline QString operatingEfficiency() { return QStringLiteral("实际效率"); }

// The program's own column beside the calculation time of every stored run:
// the same moment in UTC with its milliseconds, as ISO 8601 text
// ("2026-12-07T13:56:54.123Z"), which sorts and compares as the moments do on
// either engine and reads the same whatever locale wrote it. It is not one of
// the result fields: reports, exports and copies of the fields leave it out.
inline QString calculationInstant() { return QStringLiteral("计算时刻"); }

inline QStringList resultFields()
{
    return {calculationTime(), method(), totalHead(), designFlow(), staticHead(), selectedModel(),
            bestEfficiency(), operatingHead(), operatingFlow(), operatingEfficiency()};
}

} // namespace tarnwick::store::names
