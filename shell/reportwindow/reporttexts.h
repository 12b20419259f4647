#pragma once

#include <QString>

// The report window's own texts, kept together: they are data of the program
// and must read byte for byte as the user sees them.
namespace tarnwick::reporttext {

inline QString firstPage()
{
    return QStringLiteral("首页");
}
inline QString previousPage()
{
    return QStringLiteral("上一页");
}
inline QString nextPage()
{
    return QStringLiteral("下一页");
}
inline QString lastPage()
{
    return QStringLiteral("末页");
}
inline QString pageCount()
{
    return QStringLiteral("共 %1 页");
}
inline QString print()
{
    return QStringLiteral("打印...");
}
inline QString exportReport()
{
    return QStringLiteral("导出...");
}
inline QString exportCaption()
{
    return QStringLiteral("导出报表");
}
inline QString pdfFilter()
{
    return QStringLiteral("PDF 文件 (*.pdf)");
}
inline QString csvFilter()
{
    return QStringLiteral("CSV 文件，UTF-8 (*.csv)");
}
inline QString xlsxFilter()
{
    return QStringLiteral("Excel 工作簿 (*.xlsx)");
}
inline QString exporting()
{
    return QStringLiteral("正在导出报表...");
}
inline QString printing()
{
    return QStringLiteral("正在打印报表...");
}
inline QString cancel()
{
    return QStringLiteral("取消");
}
inline QString exported()
{
    return QStringLiteral("已导出到 %1");
}
inline QString unknownFormat()
{
    return QStringLiteral("请以 .pdf、.csv 或 .xlsx 为导出文件的扩展名。");
}
inline QString fitWidth()
{
    return QStringLiteral("适合页宽");
}
inline QString wholePage()
{
    return QStringLiteral("整页");
}

} // namespace tarnwick::reporttext
