#include "store/database.h"
#include "store/names.h"
#include "tests/cli/clitesting.h"
#include "tests/support/testdatabase.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

using namespace tarnwick::testing;

namespace {

using Run = ToolRun;

QStringList strings(const QJsonArray& array)
{
    QStringList list;
    for (const auto& v : array)
        list.append(v.toString());
    return list;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void serviceConditions_data();
    void serviceConditions();
    void serviceConditionFaults_data();
    void concurrentRunsStoreTheirConditionsApart();
    void serviceConditionFaults();
    void designStoresWhatItLists();
    void designWithConvertedUnits();
    void designFindingNothingExitsWithOne();
    void programMessagesExitWithOne_data();
    void programMessagesExitWithOne();
    void checkPrintsLabelsAndRow();
    void resultsPrintsEitherTable();
    void checkWarnsBeyondMeasuredFlows_data();
    void checkWarnsBeyondMeasuredFlows();
    void textShowsFiguresAsTheReport();
    void usageAndDatabaseErrorsExitWithTwo_data();
    void usageAndDatabaseErrorsExitWithTwo();
    void missingDatabaseIsNotCreated();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    QStringList db() const { return {QStringLiteral("--db"), m_folder->databasePath()}; }
};

void TestCli::init()
{
    m_folder = std::make_unique<TestProgramFolder>(QList<tarnwick::testing::TestPump>{
        demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
        demoPump(3, QStringLiteral("P3"), 51, 20.5)});
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->error()));
}

void TestCli::serviceConditions_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expect");
    const QStringList hot = hotWaterOptions();
    QTest::newRow("nothing new") << "design" << QStringList{} << 0 << "plain";
    // 95 °C water with 30 kPa gauge gives 4.95 m, enough for 3 m; 10 kPa gives
    // 2.83 m, too little.
    QTest::newRow("hot water, enough suction") << "design" << (hot + QStringList{QStringLiteral("0.03")}) << 0
                                               << "npsh ok";
    QTest::newRow("hot water, too little suction, design")
        << "design" << (hot + QStringList{QStringLiteral("0.01"), QStringLiteral("--explain")}) << 0
        << "npsh rejected";
    QTest::newRow("hot water, too little suction, check")
        << "check" << (hot + QStringList{QStringLiteral("0.01")}) << 1 << "npsh message";
    QTest::newRow("glycol") << "check" << glycolOptions() << 0 << "glycol";
    QTest::newRow("trim") << "check" << QStringList{QStringLiteral("--trim")} << 0 << "trim";
    QTest::newRow("measured") << "design"
                              << QStringList{QStringLiteral("--measured"), QStringLiteral("24:4.75,48:19,60:29.6875")}
                              << 0 << "measured";
}

void TestCli::serviceConditions()
{
    QFETCH(QString, command);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, expect);
    QVERIFY(m_folder->exec(QStringLiteral(
        "UPDATE \"水泵性能表\" SET \"流量\" = 50, \"必需汽蚀余量\" = 3, \"叶轮外径\" = 160 WHERE \"序号\" = 1")));
    QStringList arguments = {command, QStringLiteral("--flow"), QStringLiteral("48"), QStringLiteral("--static-head"),
                             QStringLiteral("0"), QStringLiteral("--json")};
    if (!options.contains(QStringLiteral("--measured")))
        arguments << QStringLiteral("--resistance") << QStringLiteral("19");
    if (command == QStringLiteral("check"))
        arguments << QStringLiteral("--model") << QStringLiteral("P1");
    const Run run = cli(arguments + options + db());
    QCOMPARE(run.exitCode, exitCode);
    const QJsonObject json = run.json();
    QJsonObject p1;
    for (const auto& v : json.value(QStringLiteral("pumps")).toArray()) {
        if (v.toObject().value(QStringLiteral("model")).toString() == QStringLiteral("P1"))
            p1 = v.toObject();
    }
    // The inputs and each listed pump's figures are stored in the program's
    // own tables beside the result tables; a run without them, or one that
    // stopped, stores nothing there.
    const int listed = json.value(QStringLiteral("pumps")).toArray().size();
    if (expect == QStringLiteral("plain") || exitCode != 0) {
        QVERIFY(m_folder->rowCount(QStringLiteral("选型工况")) <= 0);
        QVERIFY(m_folder->rowCount(QStringLiteral("选型附加结果")) <= 0);
    } else {
        QCOMPARE(m_folder->rowCount(QStringLiteral("选型工况")), 1);
        QCOMPARE(m_folder->rowCount(QStringLiteral("选型附加结果")), listed);
    }
    if (expect == QStringLiteral("npsh message")) {
        QCOMPARE(json.value(QStringLiteral("message")).toString(),
                 QStringLiteral("您选择的水泵汽蚀余量不足，请重新选择水泵！"));
        return;
    }
    if (expect == QStringLiteral("npsh rejected")) {
        QVERIFY(p1.isEmpty());
        bool found = false;
        for (const auto& v : json.value(QStringLiteral("rejected")).toArray()) {
            const QJsonObject r = v.toObject();
            if (r.value(QStringLiteral("model")).toString() == QStringLiteral("P1")) {
                QCOMPARE(r.value(QStringLiteral("rule")).toString(), QStringLiteral("npsh_insufficient"));
                QVERIFY(r.value(QStringLiteral("reason")).toString().contains(QStringLiteral("需要 3.60 m")));
                found = true;
            }
        }
        QVERIFY(found);
        return;
    }
    QVERIFY(!p1.isEmpty());
    // Every listed or checked pump: its best-efficiency flow and where it runs.
    const double share = p1.value(QStringLiteral("bestEfficiencyShare")).toDouble();
    QVERIFY(std::fabs(share * p1.value(QStringLiteral("bestEfficiencyFlow")).toDouble() -
                      p1.value(QStringLiteral("operatingFlow")).toDouble()) < 1e-9 ||
            expect == QStringLiteral("trim"));
    QCOMPARE(p1.value(QStringLiteral("inPreferredRegion")).toBool(), share >= 0.7 && share <= 1.2);
    QCOMPARE(json.contains(QStringLiteral("fluid")), options.contains(QStringLiteral("--fluid")));
    QCOMPARE(p1.contains(QStringLiteral("npshOk")), options.contains(QStringLiteral("--suction-pressure")));
    QCOMPARE(p1.contains(QStringLiteral("trim")), options.contains(QStringLiteral("--trim")));
    QCOMPARE(p1.contains(QStringLiteral("viscosityCorrection")), options.contains(QStringLiteral("--fluid")));
    if (expect == QStringLiteral("npsh ok")) {
        QVERIFY(p1.value(QStringLiteral("npshOk")).toBool());
        QVERIFY(std::fabs(p1.value(QStringLiteral("npshAvailable")).toDouble() - 4.95) < 0.01);
        QCOMPARE(p1.value(QStringLiteral("npshRequired")).toDouble(), 3.0);
        const QJsonObject fluid = json.value(QStringLiteral("fluid")).toObject();
        QCOMPARE(fluid.value(QStringLiteral("name")).toString(), QStringLiteral("water"));
        QVERIFY(std::fabs(fluid.value(QStringLiteral("vapourPressure")).toDouble() - 84.61) < 0.01);
    } else if (expect == QStringLiteral("glycol")) {
        const QJsonObject v = p1.value(QStringLiteral("viscosityCorrection")).toObject();
        QVERIFY(v.value(QStringLiteral("B")).toDouble() > 1.0);
        QVERIFY(v.value(QStringLiteral("Ceta")).toDouble() < 1.0);
        QCOMPARE(json.value(QStringLiteral("fluid")).toObject().value(QStringLiteral("concentration")).toDouble(), 40.0);
    } else if (expect == QStringLiteral("trim")) {
        const QJsonObject t = p1.value(QStringLiteral("trim")).toObject();
        const double ratio = t.value(QStringLiteral("ratio")).toDouble();
        QVERIFY(ratio < 1.0 && ratio > 0.85);
        QVERIFY(std::fabs(t.value(QStringLiteral("diameter")).toDouble() - 160.0 * ratio) < 1e-9);
        QCOMPARE(t.value(QStringLiteral("flow")).toDouble(), 48.0);
        QCOMPARE(t.value(QStringLiteral("head")).toDouble(), 19.0);
        QVERIFY(!t.value(QStringLiteral("limited")).toBool());
        QVERIFY(t.value(QStringLiteral("shaftPower")).toDouble() < p1.value(QStringLiteral("operatingPower")).toDouble());
        QVERIFY(t.value(QStringLiteral("efficiency")).toDouble() < 1.0);
    } else if (expect == QStringLiteral("measured")) {
        // H = 19 (Q / 48)^2 through the points: K = 19 / 48^2, no static head;
        // stored as typed, in centimetres.
        const QJsonObject m = json.value(QStringLiteral("measuredSystem")).toObject();
        QVERIFY(std::fabs(m.value(QStringLiteral("coefficient")).toDouble() - 19.0 / 2304.0) < 1e-12);
        QVERIFY(std::fabs(m.value(QStringLiteral("staticHead")).toDouble()) < 1e-9);
        QVERIFY(std::fabs(m.value(QStringLiteral("resistance")).toDouble() - 19.0) < 1e-9);
        const QJsonObject row = json.value(QStringLiteral("rows")).toArray().first().toObject();
        QCOMPARE(row.value(QStringLiteral("总扬程")).toDouble(), 19.0);
        QCOMPARE(row.value(QStringLiteral("系统静扬程")).toDouble(), 0.0);
    }
}

void TestCli::serviceConditionFaults_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("concentration of water") << QStringList{QStringLiteral("--fluid=water"),
                                                           QStringLiteral("--concentration=30"),
                                                           QStringLiteral("--temperature=20")}
                                            << 2 << QStringLiteral("--concentration 只用于乙二醇或丙二醇");
    QTest::newRow("glycol without concentration")
        << QStringList{QStringLiteral("--fluid=propylene-glycol"), QStringLiteral("--temperature=20")} << 2
        << QStringLiteral("需要 --concentration");
    QTest::newRow("unknown fluid") << QStringList{QStringLiteral("--fluid=brine"), QStringLiteral("--temperature=20")}
                                   << 2 << QStringLiteral("未知的介质");
    QTest::newRow("max trim without trim") << QStringList{QStringLiteral("--max-trim=10")} << 2
                                           << QStringLiteral("--max-trim 需要 --trim");
    QTest::newRow("pressure unit not listed")
        << QStringList{QStringLiteral("--suction-pressure=30"), QStringLiteral("--suction-pressure-unit=kPa")} << 2
        << QStringLiteral("不在单位列表中");
    QTest::newRow("water too hot") << QStringList{QStringLiteral("--fluid=water"), QStringLiteral("--temperature=120")}
                                   << 1 << QStringLiteral("水的温度应在0.0～100.0℃之间！请重新输入。");
    QTest::newRow("glycol too strong")
        << QStringList{QStringLiteral("--fluid=ethylene-glycol"), QStringLiteral("--concentration=70"),
                       QStringLiteral("--temperature=20")}
        << 1 << QStringLiteral("浓度应在10.0～60.0%");
}

void TestCli::serviceConditionFaults()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run run = cli(QStringList{QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("48"),
                                    QStringLiteral("--resistance"), QStringLiteral("19"),
                                    QStringLiteral("--static-head"), QStringLiteral("0")} +
                        options + db());
    QCOMPARE(run.exitCode, exitCode);
    const QString output = run.out + run.err;
    QVERIFY2(output.contains(message), qPrintable(output));
    // Nothing was stored.
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果")), 0);
}

void TestCli::concurrentRunsStoreTheirConditionsApart()
{
    // Four designs with a liquid at once, on a database that has none of the
    // program's condition tables yet: each run's inputs and pumps land whole
    // and apart.
    constexpr int runs = 4;
    QList<QStringList> arguments;
    for (int i = 0; i < runs; ++i)
        arguments.append(QStringList{QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("48"),
                                     QStringLiteral("--resistance"), QStringLiteral("19"),
                                     QStringLiteral("--static-head"), QStringLiteral("0"), QStringLiteral("--fluid"),
                                     QStringLiteral("water"), QStringLiteral("--temperature"),
                                     QString::number(20 + 10 * i)} +
                         db());
    const QString failure = runAtOnce(arguments);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(m_folder->rowCount(QStringLiteral("选型工况")), runs);
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果")), m_folder->rowCount(QStringLiteral("选型附加结果")));
    QCOMPARE(
        firstNumber(*m_folder, QStringLiteral("SELECT count(*) FROM \"选型附加结果\" p WHERE NOT EXISTS "
                                              "(SELECT 1 FROM \"选型工况\" r WHERE r.\"计算标识\" = p.\"计算标识\")")),
        0);
}

void TestCli::designStoresWhatItLists()
{
    const Run run = cli(QStringList{QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("48"),
                                    QStringLiteral("--resistance"), QStringLiteral("19"),
                                    QStringLiteral("--static-head"), QStringLiteral("0"), QStringLiteral("--json")} +
                        db());
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = run.json();
    QVERIFY(json.value(QStringLiteral("message")).isNull());
    const QStringList entries = strings(json.value(QStringLiteral("entries")).toArray());
    QVERIFY(entries.contains(QStringLiteral("P1型 转速2900r/min")));
    QVERIFY(!entries.contains(QStringLiteral("P2型 转速1450r/min")));
    const QJsonArray rows = json.value(QStringLiteral("rows")).toArray();
    QCOMPARE(rows.size(), entries.size());
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果1")), entries.size());
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果")), entries.size());
    const QJsonObject first = rows.first().toObject();
    QCOMPARE(first.size(), 20); // the ten fields, and each under its English key
    QCOMPARE(first.value(QStringLiteral("选型方式")).toString(), QStringLiteral("设计"));
    QCOMPARE(first.value(QStringLiteral("流量")).toDouble(), 48.0);
    QCOMPARE(first.value(QStringLiteral("总扬程")).toDouble(), 19.0);
    QCOMPARE(first.value(QStringLiteral("所选型号")).toString(), QStringLiteral("P1"));

    // The readable form lists the same entries.
    const Run text = cli(QStringList{QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("48"),
                                     QStringLiteral("--resistance"), QStringLiteral("19"),
                                     QStringLiteral("--static-head"), QStringLiteral("0")} +
                         db());
    QCOMPARE(text.exitCode, 0);
    for (const QString& entry : entries)
        QVERIFY(text.out.contains(entry));
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果")), 2 * entries.size());
}

void TestCli::designWithConvertedUnits()
{
    // 13.3333 L/s is 48 m3/h; 0.1938 bar... keep it exact: 1.9 kgf/cm2 is 19 m.
    const Run run = cli(QStringList{QStringLiteral("design"), QStringLiteral("--flow=48000"),
                                    QStringLiteral("--flow-unit=L/h"), QStringLiteral("--resistance"),
                                    QStringLiteral("1.9"), QStringLiteral("--resistance-unit"),
                                    QStringLiteral("kgf/cm2"), QStringLiteral("--static-head"), QStringLiteral("0"),
                                    QStringLiteral("--json")} +
                        db());
    QCOMPARE(run.exitCode, 0);
    const QJsonArray rows = run.json().value(QStringLiteral("rows")).toArray();
    QVERIFY(!rows.isEmpty());
    QCOMPARE(rows.first().toObject().value(QStringLiteral("流量")).toDouble(), 48.0);
    QCOMPARE(rows.first().toObject().value(QStringLiteral("总扬程")).toDouble(), 1.9 * 10.0);
}

void TestCli::designFindingNothingExitsWithOne()
{
    const Run run = cli(QStringList{QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("5000"),
                                    QStringLiteral("--resistance"), QStringLiteral("100"),
                                    QStringLiteral("--static-head"), QStringLiteral("0"), QStringLiteral("--json")} +
                        db());
    // The run ends with the program's message in the list: a script sees it by the status.
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.json().value(QStringLiteral("status")).toString(), QStringLiteral("none-found"));
    QVERIFY(run.json().value(QStringLiteral("pumps")).toArray().isEmpty());
    QCOMPARE(strings(run.json().value(QStringLiteral("entries")).toArray()),
             QStringList{QStringLiteral("没有找到满足你需要的风机！")});
    QVERIFY(run.json().value(QStringLiteral("rows")).toArray().isEmpty());
}

void TestCli::programMessagesExitWithOne_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString flow = QStringLiteral("流量应在0～10000m3/h之间！请重新输入。");
    QTest::newRow("flow too large") << QStringList{QStringLiteral("design"), QStringLiteral("--flow"),
                                                   QStringLiteral("20000"), QStringLiteral("--resistance"),
                                                   QStringLiteral("19"), QStringLiteral("--static-head"),
                                                   QStringLiteral("0")}
                                    << flow;
    QTest::newRow("resistance before flow")
        << QStringList{QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("0"),
                       QStringLiteral("--resistance"), QStringLiteral("3"), QStringLiteral("--resistance-unit"),
                       QStringLiteral("MPa"), QStringLiteral("--static-head"), QStringLiteral("0")}
        << QStringLiteral("管路阻力应在0～2MPa之间！请重新输入。");
    QTest::newRow("static head 0.0")
        << QStringList{QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("48"),
                       QStringLiteral("--resistance"), QStringLiteral("19"), QStringLiteral("--static-head"),
                       QStringLiteral("0.0")}
        << QStringLiteral("静扬程应在0～2MPa之间！请重新输入。");
    QTest::newRow("unknown model")
        << QStringList{QStringLiteral("check"), QStringLiteral("--model"), QStringLiteral("p1"),
                       QStringLiteral("--flow"), QStringLiteral("48"), QStringLiteral("--resistance"),
                       QStringLiteral("19"), QStringLiteral("--static-head"), QStringLiteral("0")}
        << QStringLiteral("请从列表中选择水泵型号！");
    QTest::newRow("head unsuitable")
        << QStringList{QStringLiteral("check"), QStringLiteral("--model"), QStringLiteral("P2"),
                       QStringLiteral("--flow"), QStringLiteral("200"), QStringLiteral("--resistance"),
                       QStringLiteral("8"), QStringLiteral("--static-head"), QStringLiteral("0")}
        << QStringLiteral("您选择的水泵扬程不合适，请重新选择水泵！");
}

void TestCli::programMessagesExitWithOne()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run run = cli(arguments + db());
    QCOMPARE(run.exitCode, 1);
    // The message goes to standard error; standard output stays for results.
    QCOMPARE(run.err.trimmed(), message);
    QVERIFY(run.out.isEmpty());
    const Run json = cli(arguments + db() + QStringList{QStringLiteral("--json")});
    QCOMPARE(json.exitCode, 1);
    QCOMPARE(json.json().value(QStringLiteral("message")).toString(), message);
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果1")), 0);
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果")), 0);
}

void TestCli::checkPrintsLabelsAndRow()
{
    const Run run = cli(QStringList{QStringLiteral("check"), QStringLiteral("--model"), QStringLiteral("P1"),
                                    QStringLiteral("--flow"), QStringLiteral("48"), QStringLiteral("--resistance"),
                                    QStringLiteral("19"), QStringLiteral("--static-head"), QStringLiteral("0"),
                                    QStringLiteral("--json")} +
                        db());
    QCOMPARE(run.exitCode, 0);
    const QStringList labels = strings(run.json().value(QStringLiteral("labels")).toArray());
    QCOMPARE(labels.size(), 5);
    QVERIFY(labels[0].startsWith(QStringLiteral("水泵最高效率＝")) && labels[0].endsWith(QLatin1Char('%')));
    QVERIFY(labels[1].startsWith(QStringLiteral("水泵实际扬程＝")) && labels[1].endsWith(QStringLiteral(" m")));
    QVERIFY(labels[2].startsWith(QStringLiteral("水泵实际流量＝")) && labels[2].endsWith(QStringLiteral(" m3/h")));
    QCOMPARE(labels[4], QStringLiteral("P1型水泵1台"));
    const QJsonArray rows = run.json().value(QStringLiteral("rows")).toArray();
    QCOMPARE(rows.size(), 1);
    // The label figures are the stored figures.
    const QJsonObject row = rows.first().toObject();
    QCOMPARE(labels[1], QStringLiteral("水泵实际扬程＝") + QString::number(row.value(QStringLiteral("实际扬程")).toDouble()) +
                            QStringLiteral(" m"));
    QCOMPARE(labels[3], QStringLiteral("水泵实际效率＝") +
                            QString::number(row.value(QStringLiteral("实际效率")).toDouble()) + QStringLiteral("%"));
}

void TestCli::resultsPrintsEitherTable()
{
    const QStringList design = {QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("48"),
                                QStringLiteral("--resistance"), QStringLiteral("19"), QStringLiteral("--static-head"),
                                QStringLiteral("0")};
    QCOMPARE(cli(design + db()).exitCode, 0);
    QCOMPARE(cli(design + db()).exitCode, 0);
    const Run latest = cli(QStringList{QStringLiteral("results"), QStringLiteral("--json")} + db());
    const Run all = cli(QStringList{QStringLiteral("results"), QStringLiteral("--all"), QStringLiteral("--json")} + db());
    QCOMPARE(latest.exitCode, 0);
    QCOMPARE(all.exitCode, 0);
    const int perRun = m_folder->rowCount(QStringLiteral("水泵选型结果1"));
    QVERIFY(perRun > 0);
    QCOMPARE(latest.json().value(QStringLiteral("rows")).toArray().size(), perRun);
    QCOMPARE(all.json().value(QStringLiteral("rows")).toArray().size(), 2 * perRun);
    const Run text = cli(QStringList{QStringLiteral("results"), QStringLiteral("--all")} + db());
    QVERIFY(text.out.contains(QStringLiteral("水泵选型结果")));
    QVERIFY(text.out.contains(QStringLiteral("计算时间")));
}

void TestCli::checkWarnsBeyondMeasuredFlows_data()
{
    QTest::addColumn<QString>("flow");
    QTest::addColumn<QString>("resistance");
    QTest::addColumn<bool>("beyond");
    // P1 was measured from 25 to 67.5 m3/h.
    QTest::newRow("inside the measured flows") << u"48"_qs << u"19"_qs << false;
    QTest::newRow("beyond the largest measured flow") << u"60"_qs << u"9.6"_qs << true;
}

void TestCli::checkWarnsBeyondMeasuredFlows()
{
    QFETCH(QString, flow);
    QFETCH(QString, resistance);
    QFETCH(bool, beyond);
    const QStringList check = QStringList{u"check"_qs,        u"--model"_qs, u"P1"_qs,
                                          u"--flow"_qs,       flow,          u"--resistance"_qs,
                                          resistance,         u"--static-head"_qs, u"0"_qs} +
                              db();
    const Run run = cli(check + QStringList{u"--json"_qs});
    QCOMPARE(run.exitCode, 0); // told, never refused
    const QJsonObject json = run.json();
    const QJsonArray rows = json.value(u"rows"_qs).toArray();
    QCOMPARE(rows.size(), 1);
    const double operatingFlow = rows.first().toObject().value(u"实际流量"_qs).toDouble();
    QCOMPARE(operatingFlow > 67.5, beyond);
    QVERIFY(json.value(u"warnings"_qs).isArray());
    const QStringList warnings = strings(json.value(u"warnings"_qs).toArray());
    QCOMPARE(warnings.size(), beyond ? 1 : 0);
    if (beyond)
        QVERIFY2(warnings.first().contains(u"（25～67.5 m3/h）"_qs), qPrintable(warnings.first()));

    // The readable form tells it apart from the figures, on the error stream.
    const Run text = cli(check);
    QCOMPARE(text.exitCode, 0);
    QCOMPARE(text.err.contains(u"实测流量范围"_qs), beyond);
    QVERIFY(!text.out.contains(u"实测流量范围"_qs));
}

void TestCli::textShowsFiguresAsTheReport()
{
    // The static head is stored in 32 bits: 2.1 is held as 2.0999999046325684.
    const QStringList check = {u"check"_qs, u"--model"_qs,      u"P1"_qs,  u"--flow"_qs,        u"48"_qs,
                               u"--resistance"_qs, u"19"_qs, u"--static-head"_qs, u"2.1"_qs};
    QCOMPARE(cli(check + db()).exitCode, 0);
    const Run json = cli(QStringList{u"results"_qs, u"--json"_qs} + db());
    const QJsonObject row = json.json().value(u"rows"_qs).toArray().first().toObject();
    QCOMPARE(row.value(u"系统静扬程"_qs).toDouble(), static_cast<double>(2.1f)); // full number for scripts
    const Run text = cli(QStringList{u"results"_qs} + db());
    QVERIFY2(text.out.contains(QRegularExpression(u"(^|\\s)2\\.1(\\s|$)"_qs)), qPrintable(text.out));
    QVERIFY2(!text.out.contains(u"2.0999"_qs), qPrintable(text.out));
}

void TestCli::usageAndDatabaseErrorsExitWithTwo_data()
{
    // The arguments, and a part of the message that must name the fault.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    const QString d = QStringLiteral("design");
    const QStringList duty = {QStringLiteral("--flow"), QStringLiteral("48"), QStringLiteral("--resistance"),
                              QStringLiteral("19"), QStringLiteral("--static-head"), QStringLiteral("0")};
    QTest::newRow("no command") << QStringList{} << QStringLiteral("缺少命令");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("optimise")} << QStringLiteral("未知的命令：optimise");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("results"), QStringLiteral("--everything")}
                                    << QStringLiteral("没有选项 --everything");
    QTest::newRow("missing value") << QStringList{d, QStringLiteral("--flow")} << QStringLiteral("--flow 缺少取值");
    QTest::newRow("plain argument") << QStringList{d, QStringLiteral("48")} + duty << QStringLiteral("多余的参数：48");
    QTest::newRow("flag with a value") << QStringList{d, QStringLiteral("--json=1")} + duty
                                       << QStringLiteral("没有选项 --json");
    QTest::newRow("--all where it means nothing") << QStringList{d, QStringLiteral("--all")} + duty
                                                  << QStringLiteral("没有选项 --all");
    QTest::newRow("unit not in the list")
        << QStringList{d, QStringLiteral("--flow-unit"), QStringLiteral("gpm")} + duty << QStringLiteral("gpm");
    QTest::newRow("check without model")
        << QStringList{QStringLiteral("check"), QStringLiteral("--flow"), QStringLiteral("48")}
        << QStringLiteral("--model");
    QTest::newRow("import with one file of two")
        << QStringList{QStringLiteral("import-catalogue"), QStringLiteral("pumps.csv")}
        << QStringLiteral("缺少文件名");
    QTest::newRow("import with a file too many")
        << QStringList{QStringLiteral("import-mdb"), QStringLiteral("a.mdb"), QStringLiteral("b.mdb")}
        << QStringLiteral("多余的参数：b.mdb");
    // Figures are read strictly; the windows' keys keep such text out of their boxes.
    QTest::newRow("letters for a figure") << QStringList{d, QStringLiteral("--flow"), QStringLiteral("abc"),
                                                         QStringLiteral("--resistance"), QStringLiteral("19"),
                                                         QStringLiteral("--static-head"), QStringLiteral("0")}
                                          << QStringLiteral("--flow 的取值“abc”不是数字");
    QTest::newRow("decimal comma") << QStringList{d, QStringLiteral("--flow"), QStringLiteral("25,5"),
                                                  QStringLiteral("--resistance"), QStringLiteral("19"),
                                                  QStringLiteral("--static-head"), QStringLiteral("0")}
                                   << QStringLiteral("--flow 的取值“25,5”不是数字");
    QTest::newRow("unit in the figure") << QStringList{d, QStringLiteral("--resistance"), QStringLiteral("25m3/h"),
                                                       QStringLiteral("--flow"), QStringLiteral("48"),
                                                       QStringLiteral("--static-head"), QStringLiteral("0")}
                                        << QStringLiteral("--resistance 的取值“25m3/h”");
    QTest::newRow("letters after an exponent")
        << QStringList{d, QStringLiteral("--static-head=2.5e1x"), QStringLiteral("--flow"), QStringLiteral("48"),
                       QStringLiteral("--resistance"), QStringLiteral("19")}
        << QStringLiteral("--static-head 的取值“2.5e1x”");
    QTest::newRow("a variable-speed figure")
        << QStringList{QStringLiteral("select"), QStringLiteral("--hours"), QStringLiteral("4000h")} + duty
        << QStringLiteral("--hours 的取值“4000h”");
    QTest::newRow("-- ends the options")
        << QStringList{d} + duty + QStringList{QStringLiteral("--"), QStringLiteral("--json")}
        << QStringLiteral("多余的参数：--json");
    QTest::newRow("export option of another command")
        << QStringList{QStringLiteral("export-catalogue"), QStringLiteral("p.csv"), QStringLiteral("q.csv"),
                       QStringLiteral("--replace")}
        << QStringLiteral("没有选项 --replace");
}

void TestCli::usageAndDatabaseErrorsExitWithTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    // --db goes before a "--".
    const qsizetype end = arguments.contains(QStringLiteral("--")) ? arguments.indexOf(QStringLiteral("--"))
                                                                  : arguments.size();
    const Run run = cli(arguments.mid(0, end) + (arguments.isEmpty() ? QStringList{} : db()) + arguments.mid(end));
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(expected), qPrintable(run.err));
    // The fault on one line, then where the usage is: not the usage itself.
    const QStringList lines = run.err.trimmed().split(QLatin1Char('\n'));
    QVERIFY2(lines.size() == 2 && lines[1].contains(QStringLiteral("tarnwick-cli help")), qPrintable(run.err));
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果")), 0);
}

void TestCli::missingDatabaseIsNotCreated()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("水泵数据库97.mdb"));
    const Run run = cli({QStringLiteral("results"), QStringLiteral("--db"), path});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(path), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
