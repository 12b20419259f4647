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

// The liquid, suction and impeller group.
inline QString fluidLabel() { return QCoreApplication::translate("tarnwick::controls", "介质"); }
inline QString catalogueWater() { return QCoreApplication::translate("tarnwick::controls", "目录中的清水（不修正）"); }
inline QString concentrationLabel() { return QCoreApplication::translate("tarnwick::controls", "浓度（质量%）"); }
inline QString temperatureLabel() { return QCoreApplication::translate("tarnwick::controls", "温度（℃）"); }
inline QString suctionLabel() { return QCoreApplication::translate("tarnwick::controls", "入口表压"); }
inline QString suctionNotChecked() { return QCoreApplication::translate("tarnwick::controls", "不校核"); }
inline QString atmosphericLabel() { return QCoreApplication::translate("tarnwick::controls", "大气压（kPa）"); }
inline QString trimBox() { return QCoreApplication::translate("tarnwick::controls", "切削叶轮至设计工况，最多"); }
inline QString preferredRegionBox() { return QCoreApplication::translate("tarnwick::controls", "只列出在优先运行区内的水泵"); }
inline QString measuredCaption() { return QCoreApplication::translate("tarnwick::controls", "实测管路点（至少三点，代替管路阻力）"); }
inline QString measuredFlowHeading() { return QCoreApplication::translate("tarnwick::controls", "流量"); }
inline QString measuredHeadHeading() { return QCoreApplication::translate("tarnwick::controls", "扬程"); }

// The fields its messages name, and the messages.
inline QString concentrationField() { return QCoreApplication::translate("tarnwick::controls", "浓度"); }
inline QString temperatureField() { return QCoreApplication::translate("tarnwick::controls", "温度"); }
inline QString suctionField() { return QCoreApplication::translate("tarnwick::controls", "入口表压"); }
inline QString atmosphericField() { return QCoreApplication::translate("tarnwick::controls", "大气压"); }
inline QString maxTrimField() { return QCoreApplication::translate("tarnwick::controls", "最大切削量"); }
// %1 the field.
inline QString notANumber() { return QCoreApplication::translate("tarnwick::controls", "%1应为数字！请重新输入。"); }
inline QString suctionNotAboveZero() { return QCoreApplication::translate("tarnwick::controls", "入口绝对压力应大于0！请重新输入。"); }
inline QString maxTrimOutOfRange() { return QCoreApplication::translate("tarnwick::controls", "最大切削量应在0～50%之间！请重新输入。"); }

// The kinds of file in the file dialogs.
inline QString folderKind() { return QCoreApplication::translate("tarnwick::controls", "文件夹"); }
inline QString fileKind() { return QCoreApplication::translate("tarnwick::controls", "文件"); }
// %1 the suffix, in capitals.
inline QString suffixFileKind() { return QCoreApplication::translate("tarnwick::controls", "%1 文件"); }

// clang-format on

} // namespace tarnwick::controlstext
