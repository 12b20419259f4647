#pragma once

#include <QCoreApplication>
#include <QString>

// The report window's own texts, kept together: they are data of the program
// and must read byte for byte as the user sees them.
namespace tarnwick::reporttext {

inline QString firstPage()
{
    return QCoreApplication::translate("tarnwick::reporttext", "首页");
}
inline QString previousPage()
{
    return QCoreApplication::translate("tarnwick::reporttext", "上一页");
}
inline QString nextPage()
{
    return QCoreApplication::translate("tarnwick::reporttext", "下一页");
}
inline QString lastPage()
{
    return QCoreApplication::translate("tarnwick::reporttext", "末页");
}
inline QString pageCount()
{
    return QCoreApplication::translate("tarnwick::reporttext", "共 %1 页");
}
inline QString print()
{
    return QCoreApplication::translate("tarnwick::reporttext", "打印...");
}
inline QString exportReport()
{
    return QCoreApplication::translate("tarnwick::reporttext", "导出...");
}
inline QString exportCaption()
{
    return QCoreApplication::translate("tarnwick::reporttext", "导出报表");
}
inline QString pdfFilter()
{
    return QCoreApplication::translate("tarnwick::reporttext", "PDF 文件 (*.pdf)");
}
inline QString csvFilter()
{
    return QCoreApplication::translate("tarnwick::reporttext", "CSV 文件，UTF-8 (*.csv)");
}
inline QString xlsxFilter()
{
    return QCoreApplication::translate("tarnwick::reporttext", "Excel 工作簿 (*.xlsx)");
}
inline QString exporting()
{
    return QCoreApplication::translate("tarnwick::reporttext", "正在导出报表...");
}
inline QString printing()
{
    return QCoreApplication::translate("tarnwick::reporttext", "正在打印报表...");
}
inline QString cancel()
{
    return QCoreApplication::translate("tarnwick::reporttext", "取消");
}
inline QString exported()
{
    return QCoreApplication::translate("tarnwick::reporttext", "已导出到 %1");
}
inline QString unknownFormat()
{
    return QCoreApplication::translate("tarnwick::reporttext", "请以 .pdf、.csv 或 .xlsx 为导出文件的扩展名。");
}
inline QString fitWidth()
{
    return QCoreApplication::translate("tarnwick::reporttext", "适合页宽");
}
inline QString wholePage()
{
    return QCoreApplication::translate("tarnwick::reporttext", "整页");
}

} // namespace tarnwick::reporttext
