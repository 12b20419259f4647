#pragma once

#include <QString>

// The catalogue maintenance window's own texts, kept together: they are data
// of the program and must read byte for byte as the user sees them. %n are
// filled in with QString::arg.
namespace tarnwick::editortext {

inline QString windowCaption()
{
    return QStringLiteral("水泵目录维护");
}
inline QString pumpsPage()
{
    return QStringLiteral("水泵");
}
inline QString undo()
{
    return QStringLiteral("撤销");
}
inline QString redo()
{
    return QStringLiteral("重做");
}
inline QString save()
{
    return QStringLiteral("保存");
}
inline QString discard()
{
    return QStringLiteral("放弃");
}
inline QString filterHint()
{
    return QStringLiteral("筛选：型号、类型或转速");
}
inline QString newPump()
{
    return QStringLiteral("新建");
}
inline QString duplicatePump()
{
    return QStringLiteral("复制…");
}
inline QString deletePump()
{
    return QStringLiteral("删除");
}
inline QString moveUp()
{
    return QStringLiteral("上移");
}
inline QString moveDown()
{
    return QStringLiteral("下移");
}
inline QString chooseSchematic()
{
    return QStringLiteral("示意图…");
}
inline QString sheetData()
{
    return QStringLiteral("样本数据（%1）");
}
inline QString flowAxis()
{
    return QStringLiteral("流量 m³/h");
}
inline QString headAxis()
{
    return QStringLiteral("扬程 m");
}
inline QString powerAxis()
{
    return QStringLiteral("轴功率 kW");
}
inline QString addPoint()
{
    return QStringLiteral("添加点");
}
inline QString removePoint()
{
    return QStringLiteral("删除点");
}
inline QString pastePoints()
{
    return QStringLiteral("粘贴点");
}
inline QString pastePointsHint()
{
    return QStringLiteral(
        "用剪贴板中的流量、扬程、轴功率替换这台水泵的全部性能点（制表符分隔，可带标题行，小数点或小数逗号）");
}
inline QString appendPoints()
{
    return QStringLiteral("追加粘贴");
}
inline QString appendPointsHint()
{
    return QStringLiteral("把剪贴板中的流量、扬程、轴功率加在这台水泵已有的性能点之后");
}
// %1 the pasted points, %2 the pump, %3 its points now.
inline QString confirmReplacePoints()
{
    return QStringLiteral("用剪贴板中的 %1 个点替换水泵“%2”现有的 %3 个性能点吗？\n\n"
                          "只想在已有的点之后添加时，请用“追加粘贴”。");
}
inline QString appendNeedsThreeColumns()
{
    return QStringLiteral("追加粘贴需要流量、扬程、轴功率三列数值，剪贴板中每行只有 %1 列。");
}
inline QString appendPointsEdit()
{
    return QStringLiteral("追加性能点");
}
inline QString pointsAppended()
{
    return QStringLiteral("已追加 %1 个性能点，共 %2 个。");
}
// A flow that does not rise: %1 its flow, %2 the flow before.
inline QString flowNotRising()
{
    return QStringLiteral("%1 不大于前一点的 %2：流量应逐点增大，保存时须确认。");
}
// %1 the pumps and points, one to a line.
inline QString confirmFlowsNotRising()
{
    return QStringLiteral("以下水泵的性能点流量没有逐点增大，曲线可能被打乱：\n%1\n\n"
                          "设计计算按保存的顺序拟合这些点。仍然保存吗？");
}
inline QString namedPump()
{
    return QStringLiteral("水泵“%1”");
}
// After the first points listed: %1 all of them.
inline QString morePoints()
{
    return QStringLiteral("……共 %1 处。");
}
// %1 the pump, %2 the point, %3 its flow, %4 the flow before.
inline QString flowNotRisingLine()
{
    return QStringLiteral("%1第 %2 点：%3 不大于 %4");
}
inline QString notSavedFlowsNotRising()
{
    return QStringLiteral("未保存：请先改正流量的顺序。");
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
    return QStringLiteral("更换%1…");
}
inline QString clearPicture()
{
    return QStringLiteral("清除%1");
}
inline QString editField()
{
    return QStringLiteral("修改%1");
}
inline QString choosePicture()
{
    return QStringLiteral("选择%1");
}
inline QString orphanPoints()
{
    return QStringLiteral("“%1”中有 %2 个性能点没有对应的水泵，保存时将被删除。");
}
inline QString unnamedPump()
{
    return QStringLiteral("（未命名 %1）");
}
inline QString pumpCount()
{
    return QStringLiteral("共 %1 台水泵");
}
inline QString shownPumpCount()
{
    return QStringLiteral("显示 %1 台，共 %2 台水泵");
}
inline QString noPointsToFit()
{
    return QStringLiteral("拟合质量\n没有性能点。");
}
inline QString noSchematicForType()
{
    return QStringLiteral("该类型没有示意图");
}
inline QString findingNote()
{
    return QStringLiteral("注意：");
}
inline QString findingStored()
{
    return QStringLiteral("✗（目录中原有）");
}
inline QString findingsElsewhere()
{
    return QStringLiteral("其他水泵还有 %1 处不符合规则，保存前须改正。");
}
inline QString storedFindingsElsewhere()
{
    return QStringLiteral("目录中原有 %1 处不符合规则（未改动的不妨碍保存）。");
}
inline QString noPicture()
{
    return QStringLiteral("（无图片）");
}
inline QString editPoints()
{
    return QStringLiteral("修改性能点");
}
inline QString newPumpEdit()
{
    return QStringLiteral("新建水泵");
}
inline QString duplicatePumpEdit()
{
    return QStringLiteral("复制水泵");
}
inline QString newModel()
{
    return QStringLiteral("新型号");
}
inline QString noScaling()
{
    return QStringLiteral("不换算");
}
inline QString scaleByImpeller()
{
    return QStringLiteral("按叶轮外径换算（相似定律）");
}
inline QString scaleBySpeed()
{
    return QStringLiteral("按转速换算（相似定律）");
}
inline QString pointsScaling()
{
    return QStringLiteral("性能点");
}
inline QString newValueHint()
{
    return QStringLiteral("新的叶轮外径 mm 或转速 r/min");
}
inline QString newValue()
{
    return QStringLiteral("新值");
}
inline QString cannotScaleWithout()
{
    return QStringLiteral("原水泵没有“%1”，无法按它换算。");
}
inline QString enterPositiveValue()
{
    return QStringLiteral("请输入大于 0 的新“%1”。");
}
inline QString impellerEnlarged()
{
    return QStringLiteral("新的叶轮外径 %1 mm 大于原水泵的 %2 mm：叶轮只能切削，不能加大。没有复制水泵。");
}
inline QString deepImpellerCut()
{
    return QStringLiteral("叶轮外径由 %1 mm 切削到 %2 mm，切削量 %3 %，超过 %4 %：切削越多，按相似定律换算的性能越不可靠，"
                          "请向厂家核对。仍然复制吗？");
}
inline QString npshFromOriginal()
{
    return QStringLiteral("必需汽蚀余量仍是原水泵（叶轮外径 %1 mm）的数值：切削叶轮后请填入厂家给出的数值。");
}
inline QString deletePumpEdit()
{
    return QStringLiteral("删除水泵");
}
inline QString movePumpEdit()
{
    return QStringLiteral("移动水泵");
}
inline QString addPointEdit()
{
    return QStringLiteral("添加性能点");
}
inline QString removePointEdit()
{
    return QStringLiteral("删除性能点");
}
inline QString pastePointsEdit()
{
    return QStringLiteral("粘贴性能点");
}
inline QString pointsPasted()
{
    return QStringLiteral("已粘贴 %1 个性能点。");
}
inline QString pictureFilter()
{
    return QStringLiteral("图片 (*.png *.jpg *.jpeg *.bmp *.gif)");
}
inline QString cannotReadFile()
{
    return QStringLiteral("无法读取文件 %1：%2");
}
inline QString notAPicture()
{
    return QStringLiteral("文件 %1 不是可以显示的图片。");
}
inline QString typeFirst()
{
    return QStringLiteral("请先填写“%1”：示意图按水泵类型指定。");
}
inline QString chooseSchematicFor()
{
    return QStringLiteral("选择“%1”的设备安装示意图");
}
inline QString retryingSave()
{
    return QStringLiteral("数据库正被其他程序使用，正在第 %1 次重试保存…");
}
inline QString notSaved()
{
    return QStringLiteral("未保存。");
}
inline QString saved()
{
    return QStringLiteral("已保存：新增 %1 台、修改 %2 台、删除 %3 台水泵的记录；性能点新增 %4、修改 %5、删除 %6 行。");
}
inline QString confirmDiscard()
{
    return QStringLiteral("放弃全部未保存的修改？");
}
inline QString discarded()
{
    return QStringLiteral("已放弃未保存的修改。");
}
inline QString confirmClose()
{
    return QStringLiteral("水泵目录有未保存的修改。关闭窗口前保存这些修改吗？");
}
inline QString confirmExit()
{
    return QStringLiteral("水泵目录有未保存的修改。退出前保存这些修改吗？");
}
// The answers to both: the last one keeps the window and the edits.
inline QString saveAnswer()
{
    return QStringLiteral("保存");
}
inline QString dontSaveAnswer()
{
    return QStringLiteral("不保存");
}
inline QString cancelAnswer()
{
    return QStringLiteral("取消");
}
inline QString pasteNotNumbers()
{
    return QStringLiteral("剪贴板第 %1 行不全是数值：“%2”。请复制流量、扬程、轴功率三列数值。");
}
inline QString pasteTooManyColumns()
{
    return QStringLiteral("剪贴板第 %1 行有 %2 列，性能点只有流量、扬程、轴功率三列。");
}
inline QString pasteUnevenColumns()
{
    return QStringLiteral("剪贴板第 %1 行有 %2 列，与前面各行的 %3 列不同。");
}
inline QString pasteNothing()
{
    return QStringLiteral("剪贴板中没有可以粘贴的性能点数值。");
}

// The chart's legend below it, in the curves' colours.
inline QString chartLegend()
{
    return QStringLiteral("<span style='color:#c00000'>■ 扬程</span>　"
                          "<span style='color:#a08000'>■ 轴功率</span>　"
                          "<span style='color:#606060'>□ 效率（0–100 %）</span>　"
                          "方块：样本点，线：拟合曲线");
}

} // namespace tarnwick::editortext
