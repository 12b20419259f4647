#pragma once

#include <QString>
#include <QStringList>

// The information windows' own texts, kept together: they are data of the
// program and must read byte for byte as the user has always seen them.
namespace tarnwick::infotext {

// The developing organisation, as named in the help text and the about window.
inline QString organisation()
{
    return QStringLiteral("塔恩维克暖通软件研究室");
}

// The short notice at the bottom left of the splash window (855 twips wide).
inline QString splashNotice()
{
    return QStringLiteral("版权所有");
}

// The legal warning under the separator of the about window.
inline QString legalWarning()
{
    return QStringLiteral(
        "警告：本软件受著作权法保护。未经授权，擅自复制、传播本软件的全部或部分，将依法追究其民事及刑事责任。");
}

// The help window's two fixed texts, lines joined by CR LF; both end with a
// CR LF. The help text names the developing organisation.
QString helpText();
QString principleText();

// Help window captions, in page order: contents, principle, company, products.
inline QString helpCaption()
{
    return QStringLiteral("帮助");
}
inline QString principleCaption()
{
    return QStringLiteral("选型原理");
}
inline QString companyCaption()
{
    return QStringLiteral("公司简介");
}
inline QString productsCaption()
{
    return QStringLiteral("产品介绍");
}

inline QString schematicCaption()
{
    return QStringLiteral("水泵示意图");
}

// Splash window.
inline QString productName()
{
    return QStringLiteral("Tarnwick软件");
}
inline QString enterHint()
{
    return QStringLiteral("点击进入");
}

// About window.
inline QString aboutCaption()
{
    return QStringLiteral("关于Tarnwick软件");
}
inline QString versionText()
{
    return QStringLiteral("版本1.0.0");
}
inline QString organisationPrefix()
{
    return QStringLiteral("开发单位：");
}
inline QString aboutDescription()
{
    return QStringLiteral("本软件用于帮助用户选择合适的水泵，给用户的设计计算带来方便。");
}
inline QString okButton()
{
    return QStringLiteral("确定");
}

// Background window: the title of the legend and one text per toolbar button,
// in toolbar order (design, check, latest results, all results, principle,
// company, products).
inline QString backgroundCaption()
{
    return QStringLiteral("背景");
}
inline QString legendTitle()
{
    return QStringLiteral("Tarnwick软件快捷键说明");
}
inline QStringList legendTexts()
{
    return {
        QStringLiteral("设计计算：用户输入已知参数，由软件计算出满足用户要求的水泵"),
        QStringLiteral("校核计算：用户输入已知参数和拟选择的水泵，由软件来验证用户选择的水泵是否满足满足用户的要求"),
        QStringLiteral("显示最近一次选型计算的结果，还可打印或导出计算结果"),
        QStringLiteral("显示所有选型计算的结果，还可打印或导出计算结果"),
        QStringLiteral("Tarnwick的原理"),
        QStringLiteral("公司简介"),
        QStringLiteral("产品简介")};
}
// The eighth button, after a separator.
inline QString varSpeedLegendText()
{
    return QStringLiteral("变速节能选型：按全年的部分负荷比较变频调速的多台并联水泵，选出耗电最少的组合");
}

} // namespace tarnwick::infotext
