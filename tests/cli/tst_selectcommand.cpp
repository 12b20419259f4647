// tarnwick-cli select: the JSON that scripts read, the stored rows, and a bad
// entry that stores nothing.

#include "data/dataset.h"
#include "store/database.h"
#include "store/varspeedstore.h"
#include "tests/cli/clitesting.h"
#include "tests/support/testdatabase.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <map>
#include <memory>

using namespace tarnwick::testing;

namespace {

QStringList keysOf(const QJsonObject& o)
{
    QStringList keys = o.keys();
    keys.sort();
    return keys;
}

QStringList sorted(std::initializer_list<const char*> names)
{
    QStringList list;
    for (const char* n : names)
        list << QString::fromLatin1(n);
    list.sort();
    return list;
}

} // namespace

class TestSelectCommand : public QObject
{
    Q_OBJECT

private slots:
    void jsonRanksStoresAndExplains();
    void badEntryStoresNothing();
    void findingNoPumpEndsWithOne_data();
    void findingNoPumpEndsWithOne();
    void rankingsAnEngineerAccepts_data();
    void rankingsAnEngineerAccepts();
    void liquidAndSuction_data();
    void liquidAndSuction();
    void concurrentRunsKeepTheirSuctionApart();
    void viscousLiquidBeyondTheCorrection_data();
    void viscousLiquidBeyondTheCorrection();
};

void TestSelectCommand::jsonRanksStoresAndExplains()
{
    auto twoPoints = demoPump(4, QStringLiteral("P4"), 50, 20);
    twoPoints.points = twoPoints.points.mid(0, 2);
    TestProgramFolder folder({demoPump(1, QStringLiteral("P1"), 50, 20),
                              demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
                              demoPump(3, QStringLiteral("P3"), 52, 21), twoPoints});
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    const auto run =
        cli({QStringLiteral("select"), QStringLiteral("--flow"), QStringLiteral("100"), QStringLiteral("--resistance"),
             QStringLiteral("15"), QStringLiteral("--static-head"), QStringLiteral("3"), QStringLiteral("--control"),
             QStringLiteral("proportional"), QStringLiteral("--profile"), QStringLiteral("100:10,60:60,30:30"),
             QStringLiteral("--json"), QStringLiteral("--explain"), QStringLiteral("--db"), folder.databasePath()});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QJsonObject json = run.json();
    const QJsonArray pumps = json.value(QStringLiteral("pumps")).toArray();
    const QJsonArray rejected = json.value(QStringLiteral("rejected")).toArray();
    QCOMPARE(pumps.size() + rejected.size(), 4);
    QVERIFY(pumps.size() >= 2);

    const QStringList pointKeys =
        sorted({"flowShare", "timeShare", "flow", "head", "running", "speedShare", "equivalentFlow",
                "bestEfficiencyShare", "pumpEfficiency", "shaftPower", "motorEfficiency", "driveEfficiency",
                "inputPower", "wireToWaterEfficiency", "warnings"});
    double previous = 0.0;
    for (const auto& value : pumps) {
        const QJsonObject pump = value.toObject();
        QCOMPARE(keysOf(pump),
                 sorted({"model", "speed", "dutyPumps", "standbyPumps", "bestEfficiencyFlow", "motorRating",
                         "motorSource", "topSpeedPower", "maxSpeed", "annualEnergy", "aboveBest", "annualCost",
                         "weightedEfficiency", "timeOutsidePreferredRegion", "design", "points"}));
        QCOMPARE(keysOf(pump.value(QStringLiteral("design")).toObject()), pointKeys);
        const QJsonArray points = pump.value(QStringLiteral("points")).toArray();
        QCOMPARE(points.size(), 3);
        // Profile order, shares as fractions, and the annual energy as the
        // time-weighted input power over 4000 h.
        double energy = 0.0;
        const double shares[3][2] = {{1.0, 0.1}, {0.6, 0.6}, {0.3, 0.3}};
        for (int i = 0; i < 3; ++i) {
            const QJsonObject p = points[i].toObject();
            QCOMPARE(keysOf(p), pointKeys);
            QCOMPARE(p.value(QStringLiteral("flowShare")).toDouble(), shares[i][0]);
            QCOMPARE(p.value(QStringLiteral("timeShare")).toDouble(), shares[i][1]);
            QCOMPARE(p.value(QStringLiteral("flow")).toDouble(), 100.0 * shares[i][0]);
            energy += 4000.0 * shares[i][1] * p.value(QStringLiteral("inputPower")).toDouble();
        }
        const double annual = pump.value(QStringLiteral("annualEnergy")).toDouble();
        QVERIFY(std::fabs(annual - energy) <= 1e-9 * annual);
        QVERIFY(annual >= previous);
        previous = annual;
        QCOMPARE(pump.value(QStringLiteral("dutyPumps")).toInt(), 2);
        QCOMPARE(pump.value(QStringLiteral("standbyPumps")).toInt(), 1);
    }
    QStringList rules;
    for (const auto& value : rejected) {
        const QJsonObject r = value.toObject();
        QCOMPARE(keysOf(r), sorted({"model", "rule", "figure", "reason"}));
        QVERIFY(!r.value(QStringLiteral("reason")).toString().isEmpty());
        rules << r.value(QStringLiteral("model")).toString() + QLatin1Char(':') +
                     r.value(QStringLiteral("rule")).toString();
    }
    QVERIFY2(rules.contains(QStringLiteral("P4:no_curve")), qPrintable(rules.join(QLatin1Char(' '))));

    // One result row per listed pump, one design plus three load points each;
    // the design's result tables are untouched.
    QCOMPARE(folder.rowCount(QStringLiteral("变速选型结果")), pumps.size());
    QCOMPARE(folder.rowCount(QStringLiteral("变速选型负荷点")), pumps.size() * 4);
    QCOMPARE(folder.rowCount(QStringLiteral("水泵选型结果")), 0);
    QCOMPARE(folder.rowCount(QStringLiteral("水泵选型结果1")), 0);

    // The stored rows carry the printed figures: per pump in ranking order,
    // then its design point and load points.
    auto connection = tarnwick::store::Connection::open(folder.databasePath());
    QVERIFY(connection);
    const auto results = tarnwick::store::readVarSpeedResults(connection.value()->database(), false);
    const auto points = tarnwick::store::readVarSpeedPoints(connection.value()->database(), false);
    QVERIFY(results && points);
    QCOMPARE(results->rows.size(), pumps.size());
    QCOMPARE(points->rows.size(), pumps.size() * 4);
    const int model = static_cast<int>(results->columns.indexOf(QStringLiteral("所选型号")));
    const int energy = static_cast<int>(results->columns.indexOf(QStringLiteral("年耗电量")));
    const int speedShare = static_cast<int>(points->columns.indexOf(QStringLiteral("转速比")));
    for (int i = 0; i < pumps.size(); ++i) {
        const QJsonObject pump = pumps[i].toObject();
        QCOMPARE(results->rows[i][model].toString(), pump.value(QStringLiteral("model")).toString());
        QCOMPARE(results->rows[i][energy].toDouble(), pump.value(QStringLiteral("annualEnergy")).toDouble());
        QCOMPARE(points->rows[4 * i][speedShare].toDouble(),
                 pump.value(QStringLiteral("design")).toObject().value(QStringLiteral("speedShare")).toDouble());
        for (int k = 0; k < 3; ++k)
            QCOMPARE(points->rows[4 * i + 1 + k][speedShare].toDouble(), pump.value(QStringLiteral("points"))
                                                                             .toArray()[k]
                                                                             .toObject()
                                                                             .value(QStringLiteral("speedShare"))
                                                                             .toDouble());
    }
}

void TestSelectCommand::badEntryStoresNothing()
{
    TestProgramFolder folder({demoPump(1, QStringLiteral("P1"), 50, 20)});
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    const auto run =
        cli({QStringLiteral("select"), QStringLiteral("--flow"), QStringLiteral("100"), QStringLiteral("--resistance"),
             QStringLiteral("15"), QStringLiteral("--static-head"), QStringLiteral("3"), QStringLiteral("--duty-pumps"),
             QStringLiteral("5"), QStringLiteral("--json"), QStringLiteral("--db"), folder.databasePath()});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.json().value(QStringLiteral("message")).toString(),
             QStringLiteral("工作泵台数应为1～4台！请重新输入。"));
    QCOMPARE(folder.rowCount(QStringLiteral("变速选型结果")), -1); // not even created
}

void TestSelectCommand::findingNoPumpEndsWithOne_data()
{
    QTest::addColumn<QStringList>("output");
    QTest::newRow("text") << QStringList{};
    QTest::newRow("json") << QStringList{QStringLiteral("--json")};
}

void TestSelectCommand::findingNoPumpEndsWithOne()
{
    // As a design that finds no pump: the run ends with the program's verdict.
    QFETCH(QStringList, output);
    TestProgramFolder folder({demoPump(1, QStringLiteral("P1"), 50, 20)});
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    const auto run =
        cli(QStringList{QStringLiteral("select"), QStringLiteral("--flow"), QStringLiteral("2000"),
                        QStringLiteral("--resistance"), QStringLiteral("80"), QStringLiteral("--static-head"),
                        QStringLiteral("3"), QStringLiteral("--db"), folder.databasePath()} +
            output);
    QCOMPARE(run.exitCode, 1);
    if (!output.isEmpty())
        QVERIFY(run.json().value(QStringLiteral("pumps")).toArray().isEmpty());
}

void TestSelectCommand::rankingsAnEngineerAccepts_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<bool>("minimumSpeed"); // some accepted set must run a point at the minimum speed
    QTest::newRow("README example")
        << QStringList{QStringLiteral("--flow"),          QStringLiteral("150"),
                       QStringLiteral("--resistance"),    QStringLiteral("24"),
                       QStringLiteral("--static-head"),   QStringLiteral("4"),
                       QStringLiteral("--control"),       QStringLiteral("proportional"),
                       QStringLiteral("--duty-pumps"),    QStringLiteral("2"),
                       QStringLiteral("--standby-pumps"), QStringLiteral("1"),
                       QStringLiteral("--profile"),       QStringLiteral("100:1,75:42,50:45,25:12"),
                       QStringLiteral("--hours"),         QStringLiteral("4000"),
                       QStringLiteral("--price"),         QStringLiteral("1.0")}
        << false;
    QTest::newRow("closed loop") << QStringList{QStringLiteral("--flow"),          QStringLiteral("60"),
                                                QStringLiteral("--resistance"),    QStringLiteral("20"),
                                                QStringLiteral("--static-head"),   QStringLiteral("0"),
                                                QStringLiteral("--control"),       QStringLiteral("system"),
                                                QStringLiteral("--duty-pumps"),    QStringLiteral("1"),
                                                QStringLiteral("--standby-pumps"), QStringLiteral("1")}
                                 << true;
}

void TestSelectCommand::rankingsAnEngineerAccepts()
{
    QFETCH(QStringList, inputs);
    QFETCH(bool, minimumSpeed);
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("水泵数据库97.mdb"));
    QString error;
    QVERIFY2(tarnwick::dataset::buildShippedDatabase(database, QStringLiteral(TARNWICK_DATA_SOURCE_DIR), &error),
             qPrintable(error));
    // The catalogue's largest measured shaft power of each model, read here.
    std::map<QString, double> largestPower;
    {
        auto connection = tarnwick::store::Connection::open(database);
        QVERIFY(connection);
        QSqlQuery q(connection.value()->database());
        QVERIFY(q.exec(QStringLiteral("SELECT p.\"水泵型号\", max(f.\"轴功率\") FROM \"水泵性能表\" p "
                                      "JOIN \"流扬功\" f ON f.\"序号\" = p.\"序号\" GROUP BY p.\"水泵型号\"")));
        while (q.next())
            largestPower[q.value(0).toString()] = q.value(1).toDouble();
    }
    const auto run =
        cli(QStringList{QStringLiteral("select"), QStringLiteral("--json"), QStringLiteral("--db"), database} + inputs);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QJsonArray pumps = run.json().value(QStringLiteral("pumps")).toArray();
    QVERIFY2(pumps.size() >= 3, qPrintable(QString::number(pumps.size())));
    bool atMinimumSpeed = false;
    for (const auto& value : pumps) {
        const QJsonObject pump = value.toObject();
        const QString model = pump.value(QStringLiteral("model")).toString();
        // Non-overloading: the motor covers one pump's largest measured power
        // (the fitted curve may round a measured point off by a few percent).
        QVERIFY2(largestPower.count(model) == 1, qPrintable(model));
        const double motor = pump.value(QStringLiteral("motorRating")).toDouble();
        QVERIFY2(
            motor >= largestPower[model],
            qPrintable(
                QStringLiteral("%1: motor %2 kW, curve up to %3 kW").arg(model).arg(motor).arg(largestPower[model])));
        // Input power falls with the flow for the same running count.
        QList<QJsonObject> points = {pump.value(QStringLiteral("design")).toObject()};
        for (const auto& p : pump.value(QStringLiteral("points")).toArray())
            points << p.toObject();
        for (const QJsonObject& a : points) {
            for (const QJsonObject& b : points) {
                if (a.value(QStringLiteral("running")) == b.value(QStringLiteral("running")) &&
                    a.value(QStringLiteral("flow")).toDouble() < b.value(QStringLiteral("flow")).toDouble())
                    QVERIFY2(a.value(QStringLiteral("inputPower")).toDouble() <=
                                 b.value(QStringLiteral("inputPower")).toDouble(),
                             qPrintable(model));
            }
            atMinimumSpeed = atMinimumSpeed ||
                             a.value(QStringLiteral("warnings")).toArray().contains(QStringLiteral("minimum_speed"));
        }
        // The weighted efficiency is the year's hydraulic over its electrical energy.
        double hydraulic = 0.0, electric = 0.0;
        for (qsizetype i = 1; i < points.size(); ++i) {
            const double t = points[i].value(QStringLiteral("timeShare")).toDouble();
            hydraulic += t * points[i].value(QStringLiteral("flow")).toDouble() *
                         points[i].value(QStringLiteral("head")).toDouble() / 367.2;
            electric += t * points[i].value(QStringLiteral("inputPower")).toDouble();
        }
        QVERIFY(std::fabs(pump.value(QStringLiteral("weightedEfficiency")).toDouble() - hydraulic / electric) <= 1e-9);
        const double best = pumps[0].toObject().value(QStringLiteral("annualEnergy")).toDouble();
        QVERIFY(std::fabs(pump.value(QStringLiteral("aboveBest")).toDouble() -
                          (pump.value(QStringLiteral("annualEnergy")).toDouble() - best) / best) <= 1e-12);
    }
    if (minimumSpeed)
        QVERIFY2(atMinimumSpeed, "no point at the minimum speed");
}

namespace {

// Two pump models whose data sheets ask 3 m of NPSH at 50 m3/h; a set of two
// runs 50 m3/h each at the design point.
std::unique_ptr<TestProgramFolder> suctionFolder()
{
    auto folder = std::make_unique<TestProgramFolder>(QList<tarnwick::testing::TestPump>{
        demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 55, 22)});
    if (folder->isValid())
        folder->exec(QStringLiteral("UPDATE \"水泵性能表\" SET \"流量\" = 50, \"必需汽蚀余量\" = 3"));
    return folder;
}

QStringList selectDuty(const QString& database)
{
    return {QStringLiteral("select"),
            QStringLiteral("--flow"),
            QStringLiteral("100"),
            QStringLiteral("--resistance"),
            QStringLiteral("15"),
            QStringLiteral("--static-head"),
            QStringLiteral("3"),
            QStringLiteral("--profile"),
            QStringLiteral("100:10,60:60,30:30"),
            QStringLiteral("--json"),
            QStringLiteral("--explain"),
            QStringLiteral("--db"),
            database};
}

} // namespace

void TestSelectCommand::liquidAndSuction_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expect");
    // 95 °C water with 30 kPa gauge gives 4.95 m; 10 kPa gives 2.83 m, short
    // of the 3.6 m the design point needs (3 m and the 0.6 m margin).
    const QStringList hot = hotWaterOptions();
    QTest::newRow("nothing new") << QStringList{} << 0 << "plain";
    QTest::newRow("hot water, enough suction") << (hot + QStringList{QStringLiteral("0.03")}) << 0 << "npsh ok";
    QTest::newRow("hot water, too little suction")
        << (hot + QStringList{QStringLiteral("0.01")}) << 1 << "npsh rejected";
    QTest::newRow("glycol") << glycolOptions() << 0 << "glycol";
    QTest::newRow("density beside a liquid")
        << QStringList{QStringLiteral("--fluid"), QStringLiteral("water"),     QStringLiteral("--temperature"),
                       QStringLiteral("20"),      QStringLiteral("--density"), QStringLiteral("1000")}
        << 2 << "usage";
    QTest::newRow("trim is not for select") << QStringList{QStringLiteral("--trim")} << 2 << "usage";
}

void TestSelectCommand::liquidAndSuction()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, expect);
    const auto folder = suctionFolder();
    QVERIFY2(folder->isValid(), qPrintable(folder->error()));
    const auto run = cli(selectDuty(folder->databasePath()) + options);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.out + run.err));
    if (expect == QStringLiteral("usage")) {
        QVERIFY(folder->rowCount(QStringLiteral("变速选型结果")) <= 0);
        return;
    }
    const QJsonObject json = run.json();
    const QJsonArray pumps = json.value(QStringLiteral("pumps")).toArray();
    // The inputs and each stored point's figures go to the program's own
    // tables; a run without them makes none of those tables.
    if (expect == QStringLiteral("plain") || exitCode != 0) {
        QVERIFY(folder->rowCount(QStringLiteral("变速选型工况")) <= 0);
        QVERIFY(folder->rowCount(QStringLiteral("变速选型附加结果")) <= 0);
    } else {
        QCOMPARE(folder->rowCount(QStringLiteral("变速选型工况")), 1);
        QCOMPARE(folder->rowCount(QStringLiteral("变速选型附加结果")),
                 folder->rowCount(QStringLiteral("变速选型负荷点")));
    }
    QCOMPARE(json.contains(QStringLiteral("fluid")), options.contains(QStringLiteral("--fluid")));
    if (expect == QStringLiteral("npsh rejected")) {
        QVERIFY(pumps.isEmpty());
        const QJsonArray rejected = json.value(QStringLiteral("rejected")).toArray();
        QCOMPARE(rejected.size(), 2);
        for (const auto& v : rejected) {
            const QJsonObject r = v.toObject();
            QCOMPARE(r.value(QStringLiteral("rule")).toString(), QStringLiteral("npsh_insufficient"));
            QCOMPARE(r.value(QStringLiteral("reason")).toString(),
                     QStringLiteral("设计点汽蚀余量不足（有效2.83m，需要3.6m）"));
        }
        return;
    }
    QVERIFY(!pumps.isEmpty());
    for (const auto& value : pumps) {
        const QJsonObject pump = value.toObject();
        QCOMPARE(pump.contains(QStringLiteral("viscosityCorrection")), options.contains(QStringLiteral("--fluid")));
        QJsonArray points = pump.value(QStringLiteral("points")).toArray();
        points.prepend(pump.value(QStringLiteral("design")));
        for (const auto& pv : points) {
            const QJsonObject p = pv.toObject();
            QCOMPARE(p.contains(QStringLiteral("npshOk")), options.contains(QStringLiteral("--suction-pressure")));
            if (expect != QStringLiteral("npsh ok"))
                continue;
            // NPSHr at one pump's flow q: 3 m at and below 50 m3/h, growing
            // with (q/50)^2 above, whatever the speed.
            const double q = p.value(QStringLiteral("flow")).toDouble() / p.value(QStringLiteral("running")).toInt();
            const double qe = p.value(QStringLiteral("equivalentFlow")).toDouble();
            const double r = p.value(QStringLiteral("speedShare")).toDouble();
            const double required = qe > 50.0 ? 3.0 * (q / 50.0) * (q / 50.0) : 3.0 * r * r;
            QVERIFY2(std::fabs(p.value(QStringLiteral("npshRequired")).toDouble() - required) < 1e-9 * required,
                     qPrintable(QString::number(p.value(QStringLiteral("npshRequired")).toDouble(), 'g', 17)));
            QVERIFY(std::fabs(p.value(QStringLiteral("npshAvailable")).toDouble() - 4.95) < 0.01);
            QVERIFY(p.value(QStringLiteral("npshOk")).toBool());
        }
    }
    if (expect == QStringLiteral("glycol")) {
        const QJsonObject fluid = json.value(QStringLiteral("fluid")).toObject();
        QCOMPARE(fluid.value(QStringLiteral("concentration")).toDouble(), 40.0);
        QVERIFY(fluid.value(QStringLiteral("density")).toDouble() > 1040.0);
        const QJsonObject v = pumps.first().toObject().value(QStringLiteral("viscosityCorrection")).toObject();
        QCOMPARE(keysOf(v), sorted({"B", "CQ", "CH", "Ceta"}));
    }
    if (expect == QStringLiteral("plain")) {
        // Without the new options the keys are the ones scripts knew before.
        QCOMPARE(keysOf(json), sorted({"status", "message", "pumps", "rejected"}));
        QCOMPARE(keysOf(pumps.first().toObject().value(QStringLiteral("design")).toObject()).size(), 15);
    }
}

void TestSelectCommand::concurrentRunsKeepTheirSuctionApart()
{
    // Four runs with a suction pressure at once, on a database without the
    // program's variable-speed condition tables: each run's inputs and points
    // land whole, and every suction row belongs to a stored load point.
    const auto folder = suctionFolder();
    QVERIFY2(folder->isValid(), qPrintable(folder->error()));
    constexpr int runs = 4;
    QList<QStringList> arguments;
    for (int i = 0; i < runs; ++i)
        arguments.append(selectDuty(folder->databasePath()) +
                         QStringList{QStringLiteral("--suction-pressure"), QString::number(3 + i)});
    const QString failure = runAtOnce(arguments);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(folder->rowCount(QStringLiteral("变速选型工况")), runs);
    QCOMPARE(folder->rowCount(QStringLiteral("变速选型附加结果")), folder->rowCount(QStringLiteral("变速选型负荷点")));
    QCOMPARE(firstNumber(*folder,
                         QStringLiteral(
                             "SELECT count(DISTINCT c.\"吸入口绝对压力\") FROM \"变速选型工况\" c "
                             "WHERE EXISTS (SELECT 1 FROM \"变速选型结果\" r WHERE r.\"运行序号\" = c.\"运行序号\")")),
             runs);
    QCOMPARE(
        firstNumber(*folder, QStringLiteral("SELECT count(*) FROM \"变速选型附加结果\" s WHERE NOT EXISTS "
                                            "(SELECT 1 FROM \"变速选型负荷点\" p WHERE p.\"结果序号\" = s.\"结果序号\" "
                                            "AND p.\"负荷序号\" = s.\"负荷序号\")")),
        0);
}

void TestSelectCommand::viscousLiquidBeyondTheCorrection_data()
{
    // A small pump at its best point (its best flow, 20 m) in 60 % propylene
    // glycol at -20 °C (about 130 cSt); the parameter B grows as the flow
    // and the speed fall.
    QTest::addColumn<double>("bestFlow");
    QTest::addColumn<double>("speed");
    QTest::addColumn<bool>("beyond");
    QTest::newRow("0.3 m3/h at 2900 r/min: B about 49") << 0.3 << 2900.0 << true;
    QTest::newRow("0.45 m3/h at 2900 r/min: B about 42") << 0.45 << 2900.0 << true;
    QTest::newRow("0.45 m3/h at 1450 r/min: B about 50") << 0.45 << 1450.0 << true;
    QTest::newRow("0.6 m3/h at 2900 r/min: B about 37, corrected") << 0.6 << 2900.0 << false;
    QTest::newRow("2 m3/h at 2900 r/min: B about 24, corrected") << 2.0 << 2900.0 << false;
}

void TestSelectCommand::viscousLiquidBeyondTheCorrection()
{
    QFETCH(double, bestFlow);
    QFETCH(double, speed);
    QFETCH(bool, beyond);
    TestProgramFolder folder(
        {demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("T1"), bestFlow, 20, speed)});
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    const auto run =
        cli({QStringLiteral("select"), QStringLiteral("--flow"), QStringLiteral("90"), QStringLiteral("--resistance"),
             QStringLiteral("20"), QStringLiteral("--static-head"), QStringLiteral("0"), QStringLiteral("--fluid"),
             QStringLiteral("propylene-glycol"), QStringLiteral("--concentration"), QStringLiteral("60"),
             QStringLiteral("--temperature"), QStringLiteral("-20"), QStringLiteral("--explain"),
             QStringLiteral("--json"), QStringLiteral("--db"), folder.databasePath()});
    QVERIFY2(run.exitCode == 0 || run.exitCode == 1, qPrintable(run.out + run.err));
    const QJsonObject json = run.json();
    const double viscosity =
        json.value(QStringLiteral("fluid")).toObject().value(QStringLiteral("viscosity")).toDouble();
    QVERIFY2(viscosity > 100.0 && viscosity < 200.0, qPrintable(run.out));
    // ANSI/HI 9.6.7: B = 16.5 ν^0.5 H^0.0625 / (Q^0.375 N^0.25) at the best
    // point of the water curves (ν cSt, H m, Q m3/h, N r/min).
    const double b =
        16.5 * std::sqrt(viscosity) * std::pow(20.0, 0.0625) / (std::pow(bestFlow, 0.375) * std::pow(speed, 0.25));
    QJsonObject rejection;
    for (const auto& value : json.value(QStringLiteral("rejected")).toArray()) {
        if (value.toObject().value(QStringLiteral("model")).toString() == QStringLiteral("T1"))
            rejection = value.toObject();
    }
    const bool outOfRange =
        rejection.value(QStringLiteral("rule")).toString() == QStringLiteral("viscosity_out_of_range");
    QCOMPARE(outOfRange, beyond);
    QCOMPARE(b >= 40.0, beyond);
    if (!beyond)
        return;
    // The fitted best point lies within a percent of the points' own; B
    // moves with its flow to the power 0.375.
    const double figure = rejection.value(QStringLiteral("figure")).toDouble();
    QVERIFY2(std::fabs(figure - b) < 0.01 * b, qPrintable(QStringLiteral("B %1, expected %2").arg(figure).arg(b)));
    QCOMPARE(rejection.value(QStringLiteral("reason")).toString(),
             QStringLiteral("粘度修正参数B＝%1，不小于40").arg(std::round(figure * 10.0) / 10.0));
}

int main(int argc, char** argv)
{
    // Building the shipped database paints its schematics.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestSelectCommand test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_selectcommand.moc"
