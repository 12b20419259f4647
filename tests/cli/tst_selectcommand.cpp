// tarnwick-cli select: the JSON that scripts read, the stored rows, and a bad
// entry that stores nothing.

#include "store/database.h"
#include "store/varspeedstore.h"
#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

using tarnwick::testing::demoPump;
using tarnwick::testing::TestProgramFolder;

namespace {

tarnwick::testing::ToolRun cli(const QStringList& arguments)
{
    return tarnwick::testing::runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, 60000);
}

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
        sorted({"flowShare", "timeShare", "flow", "head", "running", "speedShare", "equivalentFlow", "pumpEfficiency",
                "shaftPower", "motorEfficiency", "driveEfficiency", "inputPower", "wireToWaterEfficiency", "warnings"});
    double previous = 0.0;
    for (const auto& value : pumps) {
        const QJsonObject pump = value.toObject();
        QCOMPARE(keysOf(pump),
                 sorted({"model", "speed", "dutyPumps", "standbyPumps", "bestEfficiencyFlow", "motorRating",
                         "annualEnergy", "annualCost", "weightedEfficiency", "design", "points"}));
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
        QCOMPARE(keysOf(r), sorted({"model", "rule", "figure"}));
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

QTEST_GUILESS_MAIN(TestSelectCommand)
#include "tst_selectcommand.moc"
