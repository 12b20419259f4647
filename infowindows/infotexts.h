#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The information windows' own texts, kept together: they are data of the
// program and must read byte for byte as the user has always seen them.
namespace tarnwick::infotext {

// The developing organisation, as named in the help text and the about window.
inline QString organisation()
{
    return QCoreApplication::translate("tarnwick::infotext", "塔恩维克暖通软件研究室");
}

// The short notice at the bottom left of the splash window (855 twips wide).
inline QString splashNotice()
{
    return QCoreApplication::translate("tarnwick::infotext", "版权所有");
}

// The line above the splash window's title band.
inline QString splashSubtitle()
{
    return QCoreApplication::translate("tarnwick::infotext", "暖通空调水系统 · 离心水泵选型与校核");
}

// The legal warning under the separator of the about window.
inline QString legalWarning()
{
    return QCoreApplication::translate(
        "tarnwick::infotext",
        "警告：本软件受著作权法保护。未经授权，擅自复制、传播本软件的全部或部分，将依法追究其民事及刑事责任。");
}

// The help window's two fixed texts, lines joined by CR LF; both end with a
// CR LF. The help text names the developing organisation.
QString helpText();
QString principleText();

// Help window captions, in page order: contents, principle, company, products.
inline QString helpCaption()
{
    return QCoreApplication::translate("tarnwick::infotext", "帮助");
}
inline QString principleCaption()
{
    return QCoreApplication::translate("tarnwick::infotext", "选型原理");
}
inline QString companyCaption()
{
    return QCoreApplication::translate("tarnwick::infotext", "公司简介");
}
inline QString productsCaption()
{
    return QCoreApplication::translate("tarnwick::infotext", "产品介绍");
}

inline QString schematicCaption()
{
    return QCoreApplication::translate("tarnwick::infotext", "水泵示意图");
}

// Splash window.
inline QString productName()
{
    return QCoreApplication::translate("tarnwick::infotext", "Tarnwick软件");
}
inline QString enterHint()
{
    return QCoreApplication::translate("tarnwick::infotext", "点击进入");
}

// About window.
inline QString aboutCaption()
{
    return QCoreApplication::translate("tarnwick::infotext", "关于Tarnwick软件");
}
inline QString versionText()
{
    return QCoreApplication::translate("tarnwick::infotext", "版本1.0.0");
}
inline QString organisationPrefix()
{
    return QCoreApplication::translate("tarnwick::infotext", "开发单位：");
}
inline QString aboutDescription()
{
    return QCoreApplication::translate("tarnwick::infotext",
                                       "本软件用于帮助用户选择合适的水泵，给用户的设计计算带来方便。");
}
inline QString okButton()
{
    return QCoreApplication::translate("tarnwick::infotext", "确定");
}

// Background window: the title of the legend and one text per toolbar button,
// in toolbar order (design, check, latest results, all results, principle,
// company, products).
inline QString backgroundCaption()
{
    return QCoreApplication::translate("tarnwick::infotext", "背景");
}
inline QString legendTitle()
{
    return QCoreApplication::translate("tarnwick::infotext", "Tarnwick软件快捷键说明");
}
inline QStringList legendTexts()
{
    return {
        QCoreApplication::translate("tarnwick::infotext", "设计计算：用户输入已知参数，由软件计算出满足用户要求的水泵"),
        QCoreApplication::translate(
            "tarnwick::infotext",
            "校核计算：用户输入已知参数和拟选择的水泵，由软件来验证用户选择的水泵是否满足满足用户的要求"),
        QCoreApplication::translate("tarnwick::infotext", "显示最近一次选型计算的结果，还可打印或导出计算结果"),
        QCoreApplication::translate("tarnwick::infotext", "显示所有选型计算的结果，还可打印或导出计算结果"),
        QCoreApplication::translate("tarnwick::infotext", "Tarnwick的原理"),
        QCoreApplication::translate("tarnwick::infotext", "公司简介"),
        QCoreApplication::translate("tarnwick::infotext", "产品简介")};
}
// The eighth button, after a separator.
inline QString varSpeedLegendText()
{
    return QCoreApplication::translate("tarnwick::infotext",
                                       "变速节能选型：按全年的部分负荷比较变频调速的多台并联水泵，选出耗电最少的组合");
}

// The schematic window's table lacks a field it shows: %1 the table, %2 the field.
inline QString missingField()
{
    return QCoreApplication::translate("tarnwick::infotext", "“%1”中没有字段“%2”。");
}

} // namespace tarnwick::infotext
