#pragma once

#include <QCoreApplication>
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
    return QCoreApplication::translate("tarnwick::shelltext", "设计计算");
}
inline QString checkMode()
{
    return QCoreApplication::translate("tarnwick::shelltext", "校核计算");
}
inline QString latestResults()
{
    return QCoreApplication::translate("tarnwick::shelltext", "本次计算结果显示");
}
inline QString allResults()
{
    return QCoreApplication::translate("tarnwick::shelltext", "全部计算结果显示");
}
inline QString varSpeedWindow()
{
    return QCoreApplication::translate("tarnwick::shelltext", "变速节能选型");
}
inline QString catalogueWindow()
{
    return QCoreApplication::translate("tarnwick::shelltext", "水泵目录维护");
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
    return QCoreApplication::translate("tarnwick::shelltext", "本次选型计算结果");
}
inline QString allReportCaption()
{
    return QCoreApplication::translate("tarnwick::shelltext", "全部选型计算结果");
}
inline QString latestVarSpeedCaption()
{
    return QCoreApplication::translate("tarnwick::shelltext", "本次变速选型结果");
}
inline QString allVarSpeedCaption()
{
    return QCoreApplication::translate("tarnwick::shelltext", "全部变速选型结果");
}
// The report window's button that turns to the liquid, suction and impeller
// figures beside the results, and back.
inline QString conditionFiguresButton()
{
    return QCoreApplication::translate("tarnwick::shelltext", "介质与吸入条件");
}

// Beside the calculations: why the last design left the other pumps out.
inline QString rejectedPumps()
{
    return QCoreApplication::translate("tarnwick::shelltext", "未入选水泵…");
}
inline QString designFirst()
{
    return QCoreApplication::translate("tarnwick::shelltext", "请先进行设计计算。");
}
// 结果显示 → 选型资料单… with nothing to put on a sheet.
inline QString noDataSheet()
{
    return QCoreApplication::translate("tarnwick::shelltext",
                                       "没有可生成选型资料单的水泵：请先在设计计算中选中一台候选水泵，或进行校核计算，"
                                       "或在变速节能选型的入选水泵中选中一组。");
}
inline QString chooseVarSpeedSetFirst()
{
    return QCoreApplication::translate("tarnwick::shelltext", "请先在变速节能选型的入选水泵中选中一组水泵。");
}
// %1 the table, %2 what the database said.
inline QString resultTableUnopened()
{
    return QCoreApplication::translate("tarnwick::shelltext", "无法打开结果表“%1”：%2");
}

// The 语言/Language menu: the window's texts change at the next start. Each
// message is also given in the other language, for the reader who chose it.
inline QString languageAtNextStart()
{
    return QCoreApplication::translate("tarnwick::shelltext",
                                       "下次启动程序时将使用所选的语言。\n"
                                       "The program will use the chosen language when it is next started.");
}
inline QString languageKept()
{
    return QCoreApplication::translate("tarnwick::shelltext", "程序正在使用所选的语言。");
}
// %1 the settings file.
inline QString languageNotKept()
{
    return QCoreApplication::translate("tarnwick::shelltext", "无法保存语言设置：%1");
}

// Start-up.
inline QString programFontFamily()
{
    return QStringLiteral("宋体");
}
// Follows every message that ends the start.
inline QString cannotStart()
{
    return QCoreApplication::translate("tarnwick::shelltext", "\n\nTarnwick 无法启动。");
}
inline QString converting()
{
    return QCoreApplication::translate("tarnwick::shelltext", "正在转换 Access 数据库……");
}
inline QString cancel()
{
    return QCoreApplication::translate("tarnwick::shelltext", "取消");
}
inline QString conversionCancelled()
{
    return QCoreApplication::translate("tarnwick::shelltext", "转换已取消。");
}
inline QString conversionTimedOut()
{
    return QCoreApplication::translate("tarnwick::shelltext", "转换超时，已中止。");
}
// %1 the database file.
inline QString offerConversion()
{
    return QCoreApplication::translate(
        "tarnwick::shelltext", "程序目录中的数据库文件“%1”是 Access 格式，需要先转换为本程序的数据库才能使用。\n\n"
                               "转换时原文件将改名保留在同一目录中，不会丢失任何数据。现在转换吗？");
}
inline QString notConverted()
{
    return QCoreApplication::translate("tarnwick::shelltext", "数据库文件“%1”未转换。");
}
// %1 the file name the windows need, %2 the file given.
inline QString wrongDatabaseName()
{
    return QCoreApplication::translate("tarnwick::shelltext", "窗口程序使用的数据库文件必须名为“%1”：%2");
}

// The database dialog.
inline QString databaseToUse(bool now)
{
    return (now ? QCoreApplication::translate("tarnwick::shelltext", "使用的数据库")
                : QCoreApplication::translate("tarnwick::shelltext", "下次启动时使用的数据库")) +
           QCoreApplication::translate(
               "tarnwick::shelltext",
               "（数据库文件，或 PostgreSQL 地址，如\n"
               "postgresql://用户@服务器:5432/库名；留空则用程序目录或用户数据目录中的数据库）：");
}
inline QString passwordsNotKept()
{
    return QCoreApplication::translate(
        "tarnwick::shelltext",
        "密码不保存在设置中：请写在 PostgreSQL 的密码文件（~/.pgpass）中，或设在环境变量 PGPASSWORD 中。");
}
inline QString noDatabaseGiven()
{
    return QCoreApplication::translate("tarnwick::shelltext", "没有填写数据库。");
}
inline QString noProgramTables()
{
    return QCoreApplication::translate(
        "tarnwick::shelltext", "连接成功，但这个数据库中没有本程序的表。请先用 tarnwick-cli init-db 或 copy-db 建立。");
}
// %1 the database, %2 the number of tables.
inline QString connected()
{
    return QCoreApplication::translate("tarnwick::shelltext", "连接成功：%1 中有本程序的 %2 张表。");
}
// %1 the database, %2 why it cannot be used.
inline QString keepFailedDatabase()
{
    return QCoreApplication::translate("tarnwick::shelltext",
                                       "现在无法使用“%1”：\n%2\n\n仍然保存这个设置吗？如果下次启动时仍无法打开，"
                                       "程序会让您重试、另选数据库或使用本机的数据库文件。");
}
inline QString databaseDialogTitle()
{
    return QCoreApplication::translate("tarnwick::shelltext", "数据库连接");
}
// %1 the database in use when nothing else names one.
inline QString defaultDatabaseInUse()
{
    return QCoreApplication::translate("tarnwick::shelltext", "数据库：%1");
}
inline QString testConnectionButton()
{
    return QCoreApplication::translate("tarnwick::shelltext", "测试连接(&T)");
}
inline QString okButton()
{
    return QCoreApplication::translate("tarnwick::shelltext", "确定");
}
// Follows the reason the setting was refused.
inline QString databaseSettingUnchanged()
{
    return QCoreApplication::translate("tarnwick::shelltext", "\n数据库设置没有改变。");
}
inline QString addressPasswordNotKept()
{
    return QCoreApplication::translate("tarnwick::shelltext",
                                       "地址中的密码没有保存，请把它写在 PostgreSQL 的密码文件（~/.pgpass）中。\n");
}
inline QString databaseAtNextStart()
{
    return QCoreApplication::translate("tarnwick::shelltext", "新的数据库设置在下次启动程序时生效。");
}

// Start-up on a database that cannot be opened: %1 why, %2 the local file. The answers follow,
// the last ends the program.
inline QString databaseUnusable()
{
    return QCoreApplication::translate(
        "tarnwick::shelltext", "%1\n\n无法打开所选的数据库。请重试，或另选数据库，或本次使用本机的数据库文件（%2）。");
}
inline QString databaseUnusableNoLocal()
{
    return QCoreApplication::translate("tarnwick::shelltext", "%1\n\n无法打开数据库。请重试，或另选数据库。");
}
inline QString retryAnswer()
{
    return QCoreApplication::translate("tarnwick::shelltext", "重试");
}
inline QString chooseDatabaseAnswer()
{
    return QCoreApplication::translate("tarnwick::shelltext", "另选数据库…");
}
inline QString localDatabaseAnswer()
{
    return QCoreApplication::translate("tarnwick::shelltext", "使用本机数据库文件");
}
inline QString exitAnswer()
{
    return QCoreApplication::translate("tarnwick::shelltext", "退出");
}

} // namespace tarnwick::shelltext
