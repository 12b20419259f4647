#include "infowindows/infotexts.h"

#include <QCoreApplication>

namespace tarnwick::infotext {

namespace {

// Lines of a fixed text box, separated by CR LF as the box stores them.
QString joinLines(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString helpText()
{
    // The leading blanks indent the lines; blanks at a line's end belong to it.
    return joinLines({
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "                    Tarnwick——帮助"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", " 开发单位："),
        QString(),
        QStringLiteral("     ") + organisation(),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", " 主要功能： "),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "     1 根据用户提供的参数，选择出满足客户要求的水泵，供"),
        QCoreApplication::translate("tarnwick::infotext", "       用户选择。"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "     2 将选型结果打印输出。"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", " 各功能安钮介绍： "),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "     1 计算：根据用户提供的参数计算出满足其要求的水泵"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "     2 刷新：将当前窗口中的所有数据清除"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "     3 打印：将用户参数、计算结果、所选设备参数打印输出"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "     4 上一步：返回到上一窗口"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "     5 产品介绍：对本公司生产的各类型水泵进行介绍"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "     6 公司简介：对本公司的各方面进行介绍"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "     7 退出：退出Tarnwick软件"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "     8 帮助：在线提供各种帮助及其它有用信息"),
        QString(), // the text ends with CR LF
    });
}

QString principleText()
{
    return joinLines({
        QStringLiteral("          "),
        QCoreApplication::translate("tarnwick::infotext", "                    Tarnwick原理"),
        QString(),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "1.利用数据库中的数据拟和出水泵性能曲线，形式如公式(1)。"),
        QString(),
        QStringLiteral("    H=a0+a1G+a2G2+a3G3               (1)"),
        QCoreApplication::translate("tarnwick::infotext", "    式中：H--扬程，m。G--流量，m3/h。"),
        QCoreApplication::translate("tarnwick::infotext", "          a0、a1、a2、a3--系数。"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "2.利用用户输入的参数得到管路性能曲线，形式如公式(2)。"),
        QString(),
        QStringLiteral("    H=sG2                           (2)"),
        QCoreApplication::translate("tarnwick::infotext", "    式中：H--扬程，m。G--流量，m3/h。"),
        QCoreApplication::translate("tarnwick::infotext", "          s--管路特性阻力系数。"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "3.联合公式（1）和公式（2）求交点，得到水泵工作点。如果"),
        QCoreApplication::translate("tarnwick::infotext", "工作点满足以下要求，则认为这个型号的水泵可选。"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "    ①工作点参数能满足用户要求，且富余量在20％以内；"),
        QString(),
        QCoreApplication::translate("tarnwick::infotext", "    ②工作点处于水泵的高效区，即ηmax-15≤η≤ηmax。"),
        QCoreApplication::translate("tarnwick::infotext", "    其中：ηmax--水泵最高效率。η--水泵实际运行效率。"),
        QString(), // the text ends with CR LF
    });
}

} // namespace tarnwick::infotext
