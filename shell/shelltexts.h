#pragma once

#include <QString>

// The main window's and the start-up's own texts, kept together: they are data
// of the program and must read byte for byte as the user sees them. The menu
// captions stand in the menu table of the main window, beside their commands.
namespace tarnwick::shelltext {

inline QString caption()
{
    return QStringLiteral("Tarnwick");
}

// Status bar panel 1, the mode or view chosen last; panels 2 and 3.
inline QString designMode()
{
    return QStringLiteral("设计计算");
}
inline QString checkMode()
{
    return QStringLiteral("校核计算");
}
inline QString latestResults()
{
    return QStringLiteral("本次计算结果显示");
}
inline QString allResults()
{
    return QStringLiteral("全部计算结果显示");
}
inline QString capsLock()
{
    return QStringLiteral("CAPS");
}
inline QString numLock()
{
    return QStringLiteral("NUM");
}

// The two result reports' captions.
inline QString latestReportCaption()
{
    return QStringLiteral("本次选型计算结果");
}
inline QString allReportCaption()
{
    return QStringLiteral("全部选型计算结果");
}
inline QString latestVarSpeedCaption()
{
    return QStringLiteral("本次变速选型结果");
}
inline QString allVarSpeedCaption()
{
    return QStringLiteral("全部变速选型结果");
}
inline QString varSpeedReportTitle()
{
    return QStringLiteral("变速节能选型结果报表");
}
inline QString allVarSpeedReportTitle()
{
    return QStringLiteral("全部变速节能选型结果报表");
}

// Beside the calculations: why the last design left the other pumps out.
inline QString rejectedPumps()
{
    return QStringLiteral("未入选水泵…");
}
inline QString designFirst()
{
    return QStringLiteral("请先进行设计计算。");
}
inline QString discardCatalogueEdits()
{
    return QStringLiteral("水泵目录有未保存的修改。退出将放弃这些修改，是否退出？");
}
// %1 the table, %2 what the database said.
inline QString resultTableUnopened()
{
    return QStringLiteral("无法打开结果表“%1”：%2");
}

// Start-up.
inline QString programFontFamily()
{
    return QStringLiteral("宋体");
}
// Follows every message that ends the start.
inline QString cannotStart()
{
    return QStringLiteral("\n\nTarnwick 无法启动。");
}
inline QString converting()
{
    return QStringLiteral("正在转换 Access 数据库……");
}
inline QString cancel()
{
    return QStringLiteral("取消");
}
inline QString conversionCancelled()
{
    return QStringLiteral("转换已取消。");
}
inline QString conversionTimedOut()
{
    return QStringLiteral("转换超时，已中止。");
}
// %1 the database file.
inline QString offerConversion()
{
    return QStringLiteral("程序目录中的数据库文件“%1”是 Access 格式，需要先转换为本程序的数据库才能使用。\n\n"
                          "转换时原文件将改名保留在同一目录中，不会丢失任何数据。现在转换吗？");
}
inline QString notConverted()
{
    return QStringLiteral("数据库文件“%1”未转换。");
}
// %1 the file name the windows need, %2 the file given.
inline QString wrongDatabaseName()
{
    return QStringLiteral("窗口程序使用的数据库文件必须名为“%1”：%2");
}

} // namespace tarnwick::shelltext
