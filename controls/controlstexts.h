#pragma once

#include <QCoreApplication>
#include <QString>

// Texts of the window pieces several windows share, kept together.
namespace tarnwick::controlstext {

// clang-format off

// The data sheets' header dialog.
inline QString sheetHeaderTitle() { return QCoreApplication::translate("tarnwick::controls", "选型资料单"); }
// %1 the pages.
inline QString sheetPageCount() { return QCoreApplication::translate("tarnwick::controls", "共 %1 页，每台水泵一页。"); }
inline QString projectNameField() { return QCoreApplication::translate("tarnwick::controls", "项目名称："); }
inline QString projectNumberField() { return QCoreApplication::translate("tarnwick::controls", "项目编号："); }
inline QString designerField() { return QCoreApplication::translate("tarnwick::controls", "设计人："); }
inline QString equipmentTagField() { return QCoreApplication::translate("tarnwick::controls", "设备位号："); }
inline QString dateField() { return QCoreApplication::translate("tarnwick::controls", "日期："); }
inline QString previewButton() { return QCoreApplication::translate("tarnwick::controls", "打印预览(&V)…"); }
inline QString printButton() { return QCoreApplication::translate("tarnwick::controls", "打印(&P)…"); }
inline QString pdfButton() { return QCoreApplication::translate("tarnwick::controls", "保存为PDF(&S)…"); }
inline QString cancel() { return QCoreApplication::translate("tarnwick::controls", "取消"); }

// Making, printing and writing the sheets.
inline QString makingSheets() { return QCoreApplication::translate("tarnwick::controls", "正在生成选型资料单…"); }
inline QString saveSheetsTitle() { return QCoreApplication::translate("tarnwick::controls", "保存选型资料单"); }
inline QString pdfFilter() { return QCoreApplication::translate("tarnwick::controls", "PDF 文件 (*.pdf)"); }
inline QString sheetsFileName() { return QCoreApplication::translate("tarnwick::controls", "选型资料单.pdf"); }
inline QString printingSheetsFailed() { return QCoreApplication::translate("tarnwick::controls", "打印选型资料单失败。"); }
// %1 the pages, %2 the file.
inline QString sheetsWritten() { return QCoreApplication::translate("tarnwick::controls", "已写入选型资料单 %1 页：%2"); }

// clang-format on

} // namespace tarnwick::controlstext
