#include "store/coretext.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace tarnwick::store {

namespace {

// Every fixed text and every fixed piece of a composed text that the
// calculations give; the figures between the pieces stay as they are.
const char* const kPieces[] = {
    QT_TRANSLATE_NOOP("tarnwick::core", "水泵最高效率＝"),
    QT_TRANSLATE_NOOP("tarnwick::core", "水泵实际扬程＝"),
    QT_TRANSLATE_NOOP("tarnwick::core", "水泵实际流量＝"),
    QT_TRANSLATE_NOOP("tarnwick::core", "水泵实际效率＝"),
    QT_TRANSLATE_NOOP("tarnwick::core", "型水泵1台"),
    QT_TRANSLATE_NOOP("tarnwick::core", "水"),
    QT_TRANSLATE_NOOP("tarnwick::core", "乙二醇水溶液"),
    QT_TRANSLATE_NOOP("tarnwick::core", "丙二醇水溶液"),
    QT_TRANSLATE_NOOP("tarnwick::core", "乙二醇或丙二醇的浓度应在"),
    QT_TRANSLATE_NOOP("tarnwick::core", "%（质量）之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "的温度应在"),
    QT_TRANSLATE_NOOP("tarnwick::core", "℃之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "水 4℃"),
    QT_TRANSLATE_NOOP("tarnwick::core", "水 7℃"),
    QT_TRANSLATE_NOOP("tarnwick::core", "水 20℃"),
    QT_TRANSLATE_NOOP("tarnwick::core", "水 40℃"),
    QT_TRANSLATE_NOOP("tarnwick::core", "水 60℃"),
    QT_TRANSLATE_NOOP("tarnwick::core", "水 80℃"),
    QT_TRANSLATE_NOOP("tarnwick::core", "乙二醇溶液 30% 20℃"),
    QT_TRANSLATE_NOOP("tarnwick::core", "乙二醇溶液 40% 20℃"),
    QT_TRANSLATE_NOOP("tarnwick::core", "丙二醇溶液 30% 20℃"),
    QT_TRANSLATE_NOOP("tarnwick::core", "丙二醇溶液 40% 20℃"),
    QT_TRANSLATE_NOOP("tarnwick::core", "测点少于"),
    QT_TRANSLATE_NOOP("tarnwick::core", "个"),
    QT_TRANSLATE_NOOP("tarnwick::core", "设计流量超出测点流量范围"),
    QT_TRANSLATE_NOOP("tarnwick::core", "粘度修正超出范围"),
    QT_TRANSLATE_NOOP("tarnwick::core", "曲线拟合失败"),
    QT_TRANSLATE_NOOP("tarnwick::core", "没有工作点"),
    QT_TRANSLATE_NOOP("tarnwick::core", "工作点轴功率为0"),
    QT_TRANSLATE_NOOP("tarnwick::core", "最高效率不高于"),
    QT_TRANSLATE_NOOP("tarnwick::core", "扬程过低"),
    QT_TRANSLATE_NOOP("tarnwick::core", "扬程过高"),
    QT_TRANSLATE_NOOP("tarnwick::core", "流量过低"),
    QT_TRANSLATE_NOOP("tarnwick::core", "流量过高"),
    QT_TRANSLATE_NOOP("tarnwick::core", "效率过低"),
    QT_TRANSLATE_NOOP("tarnwick::core", "汽蚀余量不足"),
    QT_TRANSLATE_NOOP("tarnwick::core", "不在优先运行区内"),
    QT_TRANSLATE_NOOP("tarnwick::core", "测点数据不可用，无法拟合曲线"),
    QT_TRANSLATE_NOOP("tarnwick::core", "只有 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " 个测点，至少需要 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " 个"),
    QT_TRANSLATE_NOOP("tarnwick::core", "设计流量为最大测点流量的 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " 倍，超过 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " 倍"),
    QT_TRANSLATE_NOOP("tarnwick::core", "设计流量为最小测点流量的 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " 倍，不足 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "最高效率 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " %，不高于 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "扬程低于系统阻力 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "扬程未高出系统阻力"),
    QT_TRANSLATE_NOOP("tarnwick::core", "扬程高出 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "流量低于设计流量 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "流量未高出设计流量"),
    QT_TRANSLATE_NOOP("tarnwick::core", "流量高出 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "效率低于最高效率 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " 个百分点"),
    QT_TRANSLATE_NOOP("tarnwick::core", "粘度修正参数 B 为 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "，不小于 40"),
    QT_TRANSLATE_NOOP("tarnwick::core", "有效汽蚀余量 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " m，需要 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " m，不足"),
    QT_TRANSLATE_NOOP("tarnwick::core", "工作点流量为最高效率点流量的 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " %，不在 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "～120 % 之内"),
    QT_TRANSLATE_NOOP("tarnwick::core", "型 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "转速"),
    QT_TRANSLATE_NOOP("tarnwick::core", "工作点流量/最高效率点流量 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "在优先运行区内"),
    QT_TRANSLATE_NOOP("tarnwick::core", "；粘度修正 B="),
    QT_TRANSLATE_NOOP("tarnwick::core", "；有效汽蚀余量 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " m，必需 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "；目录中没有必需汽蚀余量，未校核汽蚀"),
    QT_TRANSLATE_NOOP("tarnwick::core", "；无需切削叶轮"),
    QT_TRANSLATE_NOOP("tarnwick::core", "；切削量超过 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " %，保留原叶轮"),
    QT_TRANSLATE_NOOP("tarnwick::core", "；叶轮切削至 "),
    QT_TRANSLATE_NOOP("tarnwick::core", "原外径"),
    QT_TRANSLATE_NOOP("tarnwick::core", " %），轴功率 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " kW，效率 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " %（按等效工作点）"),
    QT_TRANSLATE_NOOP("tarnwick::core", "实测点至少需要3个（流量:扬程）！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "实测点的流量和扬程应为不小于0的数！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "实测点的流量不能都为0！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "实测点的流量应各不相同！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "实测点拟合的管路阻力系数不大于0，扬程应随流量增大！请检查实测点。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "实测点拟合的静扬程小于0！请检查实测点，或同时输入静扬程。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "请输入负荷分布！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "负荷分布最多20行！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "负荷点流量比例应在0～100%之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "负荷点时间比例应在0～100%之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "各负荷点时间比例之和应为100%！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "工作泵台数应为1～4台！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "备用泵台数应为0～2台！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "年运行时间应在0～8760h之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "电价应在0～100元/kWh之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "流体密度应在500～2000kg/m3之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "最低转速比应在10～90%之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "最高转速比应在最低转速比～100%之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "电机功率储备系数应在1～2之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "比例压差起点应在0～100%之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "末端压差设定值应在0～管路阻力之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "负荷分布应写成“流量%:时间%”，各点以逗号分开，如 100:1,75:42,50:45,25:12。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "定压差"),
    QT_TRANSLATE_NOOP("tarnwick::core", "比例压差"),
    QT_TRANSLATE_NOOP("tarnwick::core", "末端压差"),
    QT_TRANSLATE_NOOP("tarnwick::core", "系统曲线"),
    QT_TRANSLATE_NOOP("tarnwick::core", "没有可用的性能曲线（"),
    QT_TRANSLATE_NOOP("tarnwick::core", "个性能点）"),
    QT_TRANSLATE_NOOP("tarnwick::core", "最高转速下扬程不足（H(Qd/N)＝"),
    QT_TRANSLATE_NOOP("tarnwick::core", "单台流量Qd/N＝"),
    QT_TRANSLATE_NOOP("tarnwick::core", "m3/h超出水泵性能曲线（实测流量"),
    QT_TRANSLATE_NOOP("tarnwick::core", "m3/h），扬程不足"),
    QT_TRANSLATE_NOOP("tarnwick::core", "设计点不在优先工作区（qe/Qbep＝"),
    QT_TRANSLATE_NOOP("tarnwick::core", "，应为0.70～1.20）"),
    QT_TRANSLATE_NOOP("tarnwick::core", "负荷点无法运行（流量比例"),
    QT_TRANSLATE_NOOP("tarnwick::core", "所需电机超过315kW（"),
    QT_TRANSLATE_NOOP("tarnwick::core", "管路阻力应在0～2MPa之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "流量应在0～10000m3/h之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "静扬程应在0～2MPa之间！请重新输入。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "请从列表中选择水泵型号！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "您选择的水泵流量不合适，请重新选择水泵！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "您选择的水泵压力不合适，请重新选择水泵！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "您选择的水泵扬程不合适，请重新选择水泵！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "您选择的水泵效率太低，请重新选择水泵！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "该水泵没有性能曲线数据，请重新选择水泵！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "您选择的水泵汽蚀余量不足，请重新选择水泵！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "您选择的水泵不适合输送该介质，请重新选择水泵！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "没有找到满足你需要的风机！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "注意：工作点流量 "),
    QT_TRANSLATE_NOOP("tarnwick::core", " m3/h 超出该水泵的实测流量范围（"),
    QT_TRANSLATE_NOOP("tarnwick::core", " m3/h），该处性能为曲线外推值。"),
    QT_TRANSLATE_NOOP("tarnwick::core", "～"),
    // Full-width punctuation left between the figures.
    QT_TRANSLATE_NOOP("tarnwick::core", " %（"),
    QT_TRANSLATE_NOOP("tarnwick::core", "（"),
    QT_TRANSLATE_NOOP("tarnwick::core", "）"),
    QT_TRANSLATE_NOOP("tarnwick::core", "，"),
    QT_TRANSLATE_NOOP("tarnwick::core", "；"),
    QT_TRANSLATE_NOOP("tarnwick::core", "："),
    QT_TRANSLATE_NOOP("tarnwick::core", "＝"),
    QT_TRANSLATE_NOOP("tarnwick::core", "！"),
    QT_TRANSLATE_NOOP("tarnwick::core", "。"),
};

bool hasChinese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

// Longest first, so that a piece inside a longer one is translated only where
// it stands alone.
const std::vector<QString>& piecesByLength()
{
    static const std::vector<QString> pieces = [] {
        std::vector<QString> list;
        for (const char* piece : kPieces)
            list.push_back(QString::fromUtf8(piece));
        std::stable_sort(list.begin(), list.end(),
                         [](const QString& a, const QString& b) { return a.size() > b.size(); });
        return list;
    }();
    return pieces;
}

} // namespace

QString coreText(std::string_view text)
{
    const QString chinese = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!hasChinese(chinese))
        return chinese;
    const QByteArray key = chinese.toUtf8();
    const QString whole = QCoreApplication::translate("tarnwick::core", key.constData());
    if (whole != chinese)
        return whole;
    QString shown = chinese;
    for (const QString& piece : piecesByLength()) {
        if (!shown.contains(piece))
            continue;
        const QByteArray pieceKey = piece.toUtf8();
        const QString translated = QCoreApplication::translate("tarnwick::core", pieceKey.constData());
        if (translated != piece)
            shown.replace(piece, translated);
    }
    return shown;
}

} // namespace tarnwick::store
