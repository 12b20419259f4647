// The variable-speed data sheet from the tool on the shipped catalogue: its
// text against what the select command reports for the same pump set.

#include "data/dataset.h"
#include "tests/support/toolrun.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

tarnwick::testing::ToolRun cli(const QStringList& arguments)
{
    return tarnwick::testing::runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, 120000);
}

QString fixed(const QJsonObject& o, const char* key, int decimals, double scale = 1.0)
{
    return QString::number(o.value(QString::fromLatin1(key)).toDouble() * scale, 'f', decimals);
}

} // namespace

class TestSpeedSheet : public QObject
{
    Q_OBJECT

private slots:
    void sheetShowsTheSelectFigures();
};

void TestSpeedSheet::sheetShowsTheSelectFigures()
{
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("水泵数据库97.mdb"));
    QString error;
    QVERIFY2(tarnwick::dataset::buildShippedDatabase(database, QStringLiteral(TARNWICK_DATA_SOURCE_DIR), &error),
             qPrintable(error));
    // 33.3 L/s = 119.88 m3/h, proportional control, a profile of three rows.
    const QStringList inputs = {QStringLiteral("--flow"),        QStringLiteral("33.3"),
                                QStringLiteral("--flow-unit"),   QStringLiteral("L/s"),
                                QStringLiteral("--resistance"),  QStringLiteral("22"),
                                QStringLiteral("--static-head"), QStringLiteral("4"),
                                QStringLiteral("--control"),     QStringLiteral("proportional"),
                                QStringLiteral("--profile"),     QStringLiteral("100:10,70:50,40:40"),
                                QStringLiteral("--max-speed"),   QStringLiteral("95"),
                                QStringLiteral("--db"),          database};
    const auto select = cli(QStringList{QStringLiteral("select"), QStringLiteral("--json")} + inputs);
    QCOMPARE(select.exitCode, 0);
    const QJsonArray pumps = select.json().value(QStringLiteral("pumps")).toArray();
    QVERIFY(pumps.size() > 1);
    // The second of the ranking: not simply the first the catalogue offers.
    const QJsonObject pump = pumps[1].toObject();
    const QString model = pump.value(QStringLiteral("model")).toString();

    const QString pdf = dir.filePath(QStringLiteral("变速资料单.pdf"));
    const auto sheet = cli(QStringList{QStringLiteral("sheet"), QStringLiteral("--variable-speed"),
                                       QStringLiteral("--model"), model, QStringLiteral("--pdf"), pdf} +
                           inputs);
    QCOMPARE(sheet.exitCode, 0);

    // Never written over the database it reads.
    const auto refused = cli(QStringList{QStringLiteral("sheet"), QStringLiteral("--variable-speed"),
                                         QStringLiteral("--all"), QStringLiteral("--pdf"), database} +
                             inputs);
    QCOMPARE(refused.exitCode, 2);

    // --all: one page per accepted set, in the ranking's order.
    const auto all =
        cli(QStringList{QStringLiteral("sheet"), QStringLiteral("--variable-speed"), QStringLiteral("--all"),
                        QStringLiteral("--json"), QStringLiteral("--pdf"), dir.filePath(QStringLiteral("all.pdf"))} +
            inputs);
    QCOMPARE(all.exitCode, 0);
    const QJsonArray pages = all.json().value(QStringLiteral("pages")).toArray();
    QCOMPARE(pages.size(), pumps.size());
    QCOMPARE(pages[1].toObject().value(QStringLiteral("model")).toString(), model);

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(60000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());

    const QJsonObject point = pump.value(QStringLiteral("points")).toArray().at(1).toObject();
    // The point's warnings as the sheet marks them.
    QString marks;
    const QJsonArray warnings = point.value(QStringLiteral("warnings")).toArray();
    if (warnings.contains(QStringLiteral("below_measured_flows")) ||
        warnings.contains(QStringLiteral("above_measured_flows")))
        marks += QLatin1Char('a');
    if (warnings.contains(QStringLiteral("minimum_speed")))
        marks += QLatin1Char('b');
    if (warnings.contains(QStringLiteral("outside_preferred_region")))
        marks += QLatin1Char('c');
    const QString row = QStringList{marks.isEmpty() ? QStringLiteral("70%/50%") : QStringLiteral("70%/50% ") + marks,
                                    fixed(point, "flow", 1),
                                    fixed(point, "head", 2),
                                    QString::number(point.value(QStringLiteral("running")).toInt()),
                                    fixed(point, "speedShare", 1, 100.0),
                                    fixed(point, "bestEfficiencyShare", 2),
                                    fixed(point, "pumpEfficiency", 1, 100.0),
                                    fixed(point, "shaftPower", 2),
                                    fixed(point, "motorEfficiency", 1, 100.0),
                                    fixed(point, "driveEfficiency", 1, 100.0),
                                    fixed(point, "inputPower", 2),
                                    fixed(point, "wireToWaterEfficiency", 1, 100.0)}
                            .join(QLatin1Char(' '));
    const QStringList expected = {
        model,
        QStringLiteral("变速节能选型"),
        QStringLiteral("比例压差"),
        QStringLiteral("33.3 L/s"),
        QStringLiteral("%1+%2")
            .arg(pump.value(QStringLiteral("dutyPumps")).toInt())
            .arg(pump.value(QStringLiteral("standbyPumps")).toInt()),
        QStringLiteral("年耗电量 ") + fixed(pump, "annualEnergy", 0) + QStringLiteral(" kWh"),
        QStringLiteral("加权综合效率 ") + fixed(pump, "weightedEfficiency", 1, 100.0) + QStringLiteral(" %"),
        QStringLiteral("优先工作区外 ") + fixed(pump, "timeOutsidePreferredRegion", 0, 100.0) +
            QStringLiteral(" % 时间"),
        QStringLiteral("转速比范围 30"), // 30～95 %: the tilde comes back as another glyph
        QStringLiteral("单台最大轴功率 ") + fixed(pump, "topSpeedPower", 2) + QStringLiteral(" kW（95 %转速）"),
        QStringLiteral("单台轴功率"),
        QStringLiteral("合计输入功率"),
        // The data block: figures with their units, the whole dimension text.
        QStringLiteral("水泵样本数据"),
        QStringLiteral(" kW（%1）")
            .arg(pump.value(QStringLiteral("motorSource")).toString() == QStringLiteral("catalogue")
                     ? QStringLiteral("样本配用")
                     : QStringLiteral("按曲线选配")),
        QStringLiteral("r/min"),
        QStringLiteral(" mm"),
        QStringLiteral(" kg"),
        QStringLiteral("进口法兰"),
        QStringLiteral("地脚螺栓"),
        row,
    };
    for (const QString& piece : expected)
        QVERIFY2(text.contains(piece), qPrintable(piece + QStringLiteral(" not in:\n") + text));
    // Neither the view's nor the key's name is a caption.
    QVERIFY2(!text.contains(QStringLiteral("水泵查询")) && !text.contains(QStringLiteral("序号 ")), qPrintable(text));
}

QTEST_MAIN(TestSpeedSheet)
#include "tst_speedsheet.moc"
