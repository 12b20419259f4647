#pragma once

#include <QCoreApplication>
#include <QString>

// The catalogue maintenance window's own texts, kept together: they are data
// of the program and must read byte for byte as the user sees them. %n are
// filled in with QString::arg.
namespace tarnwick::editortext {

inline QString windowCaption()
{
    return QCoreApplication::translate("tarnwick::editortext", "水泵目录维护");
}
inline QString pumpsPage()
{
    return QCoreApplication::translate("tarnwick::editortext", "水泵");
}
inline QString undo()
{
    return QCoreApplication::translate("tarnwick::editortext", "撤销");
}
inline QString redo()
{
    return QCoreApplication::translate("tarnwick::editortext", "重做");
}
inline QString save()
{
    return QCoreApplication::translate("tarnwick::editortext", "保存");
}
inline QString discard()
{
    return QCoreApplication::translate("tarnwick::editortext", "放弃");
}
inline QString filterHint()
{
    return QCoreApplication::translate("tarnwick::editortext", "筛选：型号、类型或转速");
}
inline QString newPump()
{
    return QCoreApplication::translate("tarnwick::editortext", "新建");
}
inline QString duplicatePump()
{
    return QCoreApplication::translate("tarnwick::editortext", "复制…");
}
inline QString deletePump()
{
    return QCoreApplication::translate("tarnwick::editortext", "删除");
}
inline QString moveUp()
{
    return QCoreApplication::translate("tarnwick::editortext", "上移");
}
inline QString moveDown()
{
    return QCoreApplication::translate("tarnwick::editortext", "下移");
}
inline QString chooseSchematic()
{
    return QCoreApplication::translate("tarnwick::editortext", "示意图…");
}
inline QString sheetData()
{
    return QCoreApplication::translate("tarnwick::editortext", "样本数据（%1）");
}
inline QString flowAxis()
{
    return QCoreApplication::translate("tarnwick::editortext", "流量 m³/h");
}
inline QString headAxis()
{
    return QCoreApplication::translate("tarnwick::editortext", "扬程 m");
}
inline QString powerAxis()
{
    return QCoreApplication::translate("tarnwick::editortext", "轴功率 kW");
}
inline QString addPoint()
{
    return QCoreApplication::translate("tarnwick::editortext", "添加点");
}
inline QString removePoint()
{
    return QCoreApplication::translate("tarnwick::editortext", "删除点");
}
inline QString pastePoints()
{
    return QCoreApplication::translate("tarnwick::editortext", "粘贴点");
}
inline QString pastePointsHint()
{
    return QCoreApplication::translate(
        "tarnwick::editortext",
        "用剪贴板中的流量、扬程、轴功率替换这台水泵的全部性能点（制表符分隔，可带标题行，小数点或小数逗号）");
}
inline QString appendPoints()
{
    return QCoreApplication::translate("tarnwick::editortext", "追加粘贴");
}
inline QString appendPointsHint()
{
    return QCoreApplication::translate("tarnwick::editortext",
                                       "把剪贴板中的流量、扬程、轴功率加在这台水泵已有的性能点之后");
}
// %1 the pasted points, %2 the pump, %3 its points now.
inline QString confirmReplacePoints()
{
    return QCoreApplication::translate("tarnwick::editortext",
                                       "用剪贴板中的 %1 个点替换水泵“%2”现有的 %3 个性能点吗？\n\n"
                                       "只想在已有的点之后添加时，请用“追加粘贴”。");
}
inline QString appendNeedsThreeColumns()
{
    return QCoreApplication::translate("tarnwick::editortext",
                                       "追加粘贴需要流量、扬程、轴功率三列数值，剪贴板中每行只有 %1 列。");
}
inline QString appendPointsEdit()
{
    return QCoreApplication::translate("tarnwick::editortext", "追加性能点");
}
inline QString pointsAppended()
{
    return QCoreApplication::translate("tarnwick::editortext", "已追加 %1 个性能点，共 %2 个。");
}
// A flow that does not rise: %1 its flow, %2 the flow before.
inline QString flowNotRising()
{
    return QCoreApplication::translate("tarnwick::editortext", "%1 不大于前一点的 %2：流量应逐点增大，保存时须确认。");
}
// %1 the pumps and points, one to a line.
inline QString confirmFlowsNotRising()
{
    return QCoreApplication::translate("tarnwick::editortext",
                                       "以下水泵的性能点流量没有逐点增大，曲线可能被打乱：\n%1\n\n"
                                       "设计计算按保存的顺序拟合这些点。仍然保存吗？");
}
inline QString namedPump()
{
    return QCoreApplication::translate("tarnwick::editortext", "水泵“%1”");
}
// After the first points listed: %1 all of them.
inline QString morePoints()
{
    return QCoreApplication::translate("tarnwick::editortext", "……共 %1 处。");
}
// %1 the pump, %2 the point, %3 its flow, %4 the flow before.
inline QString flowNotRisingLine()
{
    return QCoreApplication::translate("tarnwick::editortext", "%1第 %2 点：%3 不大于 %4");
}
inline QString notSavedFlowsNotRising()
{
    return QCoreApplication::translate("tarnwick::editortext", "未保存：请先改正流量的顺序。");
}
// Units beside the fields.
inline QString speedUnit()
{
    return QStringLiteral("r/min");
}
inline QString flowUnit()
{
    return QStringLiteral("m³/h");
}
inline QString headUnit()
{
    return QStringLiteral("m");
}
inline QString powerUnit()
{
    return QStringLiteral("kW");
}
inline QString diameterUnit()
{
    return QStringLiteral("mm");
}
inline QString weightUnit()
{
    return QStringLiteral("kg");
}
inline QString changePicture()
{
    return QCoreApplication::translate("tarnwick::editortext", "更换%1…");
}
inline QString clearPicture()
{
    return QCoreApplication::translate("tarnwick::editortext", "清除%1");
}
inline QString editField()
{
    return QCoreApplication::translate("tarnwick::editortext", "修改%1");
}
inline QString choosePicture()
{
    return QCoreApplication::translate("tarnwick::editortext", "选择%1");
}
inline QString orphanPoints()
{
    return QCoreApplication::translate("tarnwick::editortext", "“%1”中有 %2 个性能点没有对应的水泵，保存时将被删除。");
}
inline QString unnamedPump()
{
    return QCoreApplication::translate("tarnwick::editortext", "（未命名 %1）");
}
inline QString pumpCount()
{
    return QCoreApplication::translate("tarnwick::editortext", "共 %1 台水泵");
}
inline QString shownPumpCount()
{
    return QCoreApplication::translate("tarnwick::editortext", "显示 %1 台，共 %2 台水泵");
}
inline QString noPointsToFit()
{
    return QCoreApplication::translate("tarnwick::editortext", "拟合质量\n没有性能点。");
}
inline QString noSchematicForType()
{
    return QCoreApplication::translate("tarnwick::editortext", "该类型没有示意图");
}
inline QString findingNote()
{
    return QCoreApplication::translate("tarnwick::editortext", "注意：");
}
inline QString findingStored()
{
    return QCoreApplication::translate("tarnwick::editortext", "✗（目录中原有）");
}
inline QString findingsElsewhere()
{
    return QCoreApplication::translate("tarnwick::editortext", "其他水泵还有 %1 处不符合规则，保存前须改正。");
}
inline QString storedFindingsElsewhere()
{
    return QCoreApplication::translate("tarnwick::editortext", "目录中原有 %1 处不符合规则（未改动的不妨碍保存）。");
}
inline QString noPicture()
{
    return QCoreApplication::translate("tarnwick::editortext", "（无图片）");
}
inline QString editPoints()
{
    return QCoreApplication::translate("tarnwick::editortext", "修改性能点");
}
inline QString newPumpEdit()
{
    return QCoreApplication::translate("tarnwick::editortext", "新建水泵");
}
inline QString duplicatePumpEdit()
{
    return QCoreApplication::translate("tarnwick::editortext", "复制水泵");
}
inline QString newModel()
{
    return QCoreApplication::translate("tarnwick::editortext", "新型号");
}
inline QString noScaling()
{
    return QCoreApplication::translate("tarnwick::editortext", "不换算");
}
inline QString scaleByImpeller()
{
    return QCoreApplication::translate("tarnwick::editortext", "按叶轮外径换算（相似定律）");
}
inline QString scaleBySpeed()
{
    return QCoreApplication::translate("tarnwick::editortext", "按转速换算（相似定律）");
}
inline QString pointsScaling()
{
    return QCoreApplication::translate("tarnwick::editortext", "性能点");
}
inline QString newValueHint()
{
    return QCoreApplication::translate("tarnwick::editortext", "新的叶轮外径 mm 或转速 r/min");
}
inline QString newValue()
{
    return QCoreApplication::translate("tarnwick::editortext", "新值");
}
inline QString cannotScaleWithout()
{
    return QCoreApplication::translate("tarnwick::editortext", "原水泵没有“%1”，无法按它换算。");
}
inline QString enterPositiveValue()
{
    return QCoreApplication::translate("tarnwick::editortext", "请输入大于 0 的新“%1”。");
}
inline QString impellerEnlarged()
{
    return QStringLiteral("新的叶轮外径 %1 mm 大于原水泵的 %2 mm：叶轮只能切削，不能加大。没有复制水泵。");
}
inline QString deepImpellerCut()
{
    return QStringLiteral(
        "叶轮外径由 %1 mm 切削到 %2 mm，切削量 %3 %，超过 %4 %：切削越多，按相似定律换算的性能越不可靠，"
        "请向厂家核对。仍然复制吗？");
}
inline QString npshFromOriginal()
{
    return QStringLiteral("必需汽蚀余量仍是原水泵（叶轮外径 %1 mm）的数值：切削叶轮后请填入厂家给出的数值。");
}
inline QString deletePumpEdit()
{
    return QCoreApplication::translate("tarnwick::editortext", "删除水泵");
}
inline QString movePumpEdit()
{
    return QCoreApplication::translate("tarnwick::editortext", "移动水泵");
}
inline QString addPointEdit()
{
    return QCoreApplication::translate("tarnwick::editortext", "添加性能点");
}
inline QString removePointEdit()
{
    return QCoreApplication::translate("tarnwick::editortext", "删除性能点");
}
inline QString pastePointsEdit()
{
    return QCoreApplication::translate("tarnwick::editortext", "粘贴性能点");
}
inline QString pointsPasted()
{
    return QCoreApplication::translate("tarnwick::editortext", "已粘贴 %1 个性能点。");
}
inline QString pictureFilter()
{
    return QCoreApplication::translate("tarnwick::editortext", "图片 (*.png *.jpg *.jpeg *.bmp *.gif)");
}
inline QString cannotReadFile()
{
    return QCoreApplication::translate("tarnwick::editortext", "无法读取文件 %1：%2");
}
inline QString notAPicture()
{
    return QCoreApplication::translate("tarnwick::editortext", "文件 %1 不是可以显示的图片。");
}
inline QString typeFirst()
{
    return QCoreApplication::translate("tarnwick::editortext", "请先填写“%1”：示意图按水泵类型指定。");
}
inline QString chooseSchematicFor()
{
    return QCoreApplication::translate("tarnwick::editortext", "选择“%1”的设备安装示意图");
}
inline QString retryingSave()
{
    return QCoreApplication::translate("tarnwick::editortext", "数据库正被其他程序使用，正在第 %1 次重试保存…");
}
inline QString notSaved()
{
    return QCoreApplication::translate("tarnwick::editortext", "未保存。");
}
inline QString saved()
{
    return QCoreApplication::translate(
        "tarnwick::editortext",
        "已保存：新增 %1 台、修改 %2 台、删除 %3 台水泵的记录；性能点新增 %4、修改 %5、删除 %6 行。");
}
inline QString confirmDiscard()
{
    return QCoreApplication::translate("tarnwick::editortext", "放弃全部未保存的修改？");
}
inline QString discarded()
{
    return QCoreApplication::translate("tarnwick::editortext", "已放弃未保存的修改。");
}
inline QString confirmClose()
{
    return QCoreApplication::translate("tarnwick::editortext", "水泵目录有未保存的修改。关闭窗口前保存这些修改吗？");
}
inline QString confirmExit()
{
    return QCoreApplication::translate("tarnwick::editortext", "水泵目录有未保存的修改。退出前保存这些修改吗？");
}
// The answers to both: the last one keeps the window and the edits.
inline QString saveAnswer()
{
    return QCoreApplication::translate("tarnwick::editortext", "保存");
}
inline QString dontSaveAnswer()
{
    return QCoreApplication::translate("tarnwick::editortext", "不保存");
}
inline QString cancelAnswer()
{
    return QCoreApplication::translate("tarnwick::editortext", "取消");
}
inline QString pasteNotNumbers()
{
    return QCoreApplication::translate("tarnwick::editortext",
                                       "剪贴板第 %1 行不全是数值：“%2”。请复制流量、扬程、轴功率三列数值。");
}
inline QString pasteTooManyColumns()
{
    return QCoreApplication::translate("tarnwick::editortext",
                                       "剪贴板第 %1 行有 %2 列，性能点只有流量、扬程、轴功率三列。");
}
inline QString pasteUnevenColumns()
{
    return QCoreApplication::translate("tarnwick::editortext", "剪贴板第 %1 行有 %2 列，与前面各行的 %3 列不同。");
}
inline QString pasteNothing()
{
    return QCoreApplication::translate("tarnwick::editortext", "剪贴板中没有可以粘贴的性能点数值。");
}

// The chart's legend below it, in the curves' colours.
inline QString chartLegend()
{
    return QCoreApplication::translate("tarnwick::editortext", "<span style='color:#c00000'>■ 扬程</span>　"
                                                               "<span style='color:#a08000'>■ 轴功率</span>　"
                                                               "<span style='color:#606060'>□ 效率（0–100 %）</span>　"
                                                               "方块：样本点，线：拟合曲线");
}

// A line of the pump list: %1 the model, %2 the type, %3 the speed.
inline QString pumpListEntry()
{
    return QCoreApplication::translate("tarnwick::editortext", "%1　%2　%3");
}

} // namespace tarnwick::editortext
