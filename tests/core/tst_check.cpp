// The check calculation of one chosen model: each message, in the order of
// precedence, and what a passed check shows and stores.

#include "coretesting.h"
#include "referencevalues.h"

#include "core/selection.h"

#include <QTest>

#include <limits>

using namespace tarnwick;
using namespace coretesting;

namespace {

const QString resistanceMessage = QStringLiteral("管路阻力应在0～2MPa之间！请重新输入。");
const QString flowInputMessage = QStringLiteral("流量应在0～10000m3/h之间！请重新输入。");
const QString staticHeadMessage = QStringLiteral("静扬程应在0～2MPa之间！请重新输入。");
const QString chooseModel = QStringLiteral("请从列表中选择水泵型号！");
const QString noCurveData = QStringLiteral("该水泵没有性能曲线数据，请重新选择水泵！");
const QString flowUnsuitable = QStringLiteral("您选择的水泵流量不合适，请重新选择水泵！");
const QString pressureUnsuitable = QStringLiteral("您选择的水泵压力不合适，请重新选择水泵！");
const QString headUnsuitable = QStringLiteral("您选择的水泵扬程不合适，请重新选择水泵！");
const QString efficiencyTooLow = QStringLiteral("您选择的水泵效率太低，请重新选择水泵！");

const std::string model = "ISG65-160";

// The catalogue of one check: the chosen pump among two others, so that the
// look-up and the reading of points have something to pass over.
Catalogue catalogueWith(const Points& points)
{
    Catalogue catalogue;
    addPump(catalogue, 3.0, "IS50-32", quadraticPump(30.0, -0.25, 0.0, 2.0));
    addPump(catalogue, 7.0, model, points, 2900.0, "ISG");
    addPump(catalogue, 9.0, "IS80-65", quadraticPump(40.0, -0.25, 0.0, 3.0));
    return catalogue;
}

// The pump the passed-check tests use: against resistance 25 m at 40 m3/h
// and static head 6.9365234375 m (S = 1/64) the head curve
// H = 87.4365234375 - 2 Q + Q^2/64 meets the system curve at exactly
// Q = 40.25, H = 32.25.
Points labelPump(double power)
{
    return quadraticPump(87.4365234375, -2.0, 1.0 / 64.0, power);
}

DutyTexts labelDuty()
{
    return duty("25", "40", "6.9365234375");
}

Points limitPump()
{
    Points points;
    for (std::size_t k = 0; k < reference::kLimitFlows.size(); ++k)
        points.push_back({reference::kLimitFlows[k], reference::kLimitHeads[k], reference::kPower80});
    return points;
}

} // namespace

class TestCheck : public QObject
{
    Q_OBJECT

private slots:
    void messages_data();
    void messages();
    void passedCheck();
    void zeroPowerPointShowsBestEfficiencyOne();
    void firstModelRowIsThePump();
    void pointsReadAsRun();
};

void TestCheck::messages_data()
{
    QTest::addColumn<Catalogue>("catalogue");
    QTest::addColumn<DutyTexts>("texts");
    QTest::addColumn<QString>("modelText");
    QTest::addColumn<QString>("message"); // empty: the pump passes
    QTest::addColumn<int>("focus");       // Text1 index, or -1 for the model chooser

    const QString m = qs(model);
    const Catalogue ordinary = catalogueWith(labelPump(5.125));

    // Validation first: the model is not even looked up.
    QTest::newRow("invalid resistance") << ordinary << duty("", "40", "0") << m << resistanceMessage << 0;
    QTest::newRow("invalid flow and unknown model") << ordinary << duty("25", "0", "0") << QStringLiteral("NONE")
                                                    << flowInputMessage << 1;
    QTest::newRow("invalid static head") << ordinary << duty("25", "40", "00") << m << staticHeadMessage << 2;

    // The model text must equal a catalogue model exactly.
    QTest::newRow("model not in the catalogue") << ordinary << labelDuty() << QStringLiteral("ISG65-999") << chooseModel
                                                << -1;
    QTest::newRow("model in other letter case") << ordinary << labelDuty() << QStringLiteral("isg65-160") << chooseModel
                                                << -1;
    QTest::newRow("model with a trailing blank") << ordinary << labelDuty() << QStringLiteral("ISG65-160 ")
                                                 << chooseModel << -1;
    QTest::newRow("empty model text") << ordinary << labelDuty() << QString() << chooseModel << -1;

    Catalogue withoutPoints = ordinary;
    withoutPoints.pumps.push_back({42.0, "NP-1", "ISG", 2900.0});
    QTest::newRow("model without points") << withoutPoints << labelDuty() << QStringLiteral("NP-1") << noCurveData << -1;

    // Head fit, then power fit.
    QTest::newRow("head fit fails: all points at one flow")
        << catalogueWith({{50, 40, 5}, {50, 39, 5}, {50, 38, 5}}) << labelDuty() << m << flowUnsuitable << -1;
    QTest::newRow("power fit carries the marker value")
        << catalogueWith(quadraticPump(40.0, 1.0, -1.0 / 256.0, 10000000.0)) << duty("16", "64", "0") << m
        << pressureUnsuitable << -1;

    // Operating point. S = 16 / 64^2 = 2^-8 in these rows.
    QTest::newRow("zero derivative at the start")
        << catalogueWith(quadraticPump(40.0, 1.0, -1.0 / 256.0, 5.0)) << duty("16", "64", "0") << m << flowUnsuitable
        << -1;
    QTest::newRow("zero derivative after a step")
        << catalogueWith(quadraticPump(72.5, -2.125, 5.0 / 256.0, 4.0)) << duty("16", "64", "0") << m
        << pressureUnsuitable << -1;
    QTest::newRow("no operating point") << catalogueWith(quadraticPump(100.0, 0.0, 1.0 / 128.0, 4.0))
                                        << duty("16", "64", "0") << m << flowUnsuitable << -1;
    QTest::newRow("zero operating power") << catalogueWith(labelPump(0.0)) << labelDuty() << m << flowUnsuitable << -1;

    // Flow rule 0.5 <= Qop/Q <= 2. At twice the design flow the head is far
    // above twice the resistance: the head message shows the flow rule passed.
    QTest::newRow("operating flow twice the design flow")
        << catalogueWith(quadraticPump(64.0, -1.0, 1.0 / 64.0, 4.0)) << duty("16", "32", "0") << m << headUnsuitable
        << -1;
    QTest::newRow("operating flow just above twice the design flow")
        << catalogueWith(quadraticPump(64.0 + 0.0009765625, -1.0, 1.0 / 64.0, 4.0)) << duty("16", "32", "0") << m
        << flowUnsuitable << -1;
    QTest::newRow("operating flow half the design flow")
        << catalogueWith(quadraticPump(28.0, -0.5, 1.0 / 256.0, 4.0)) << duty("16", "64", "12") << m << QString() << -1;
    QTest::newRow("operating flow just below half the design flow")
        << catalogueWith(quadraticPump(28.0 - 0.00048828125, -0.5, 1.0 / 256.0, 4.0)) << duty("16", "64", "12") << m
        << flowUnsuitable << -1;

    // Head rule 0.5 <= Hop/R <= 2, with the resistance alone.
    QTest::newRow("operating head twice the resistance")
        << catalogueWith(quadraticPump(47.0, -0.5, 1.0 / 256.0, 8.0)) << duty("16", "64", "23") << m << QString() << -1;
    QTest::newRow("operating head just above twice the resistance")
        << catalogueWith(quadraticPump(47.0 + 0.0009765625, -0.5, 1.0 / 256.0, 8.0)) << duty("16", "64", "23") << m
        << headUnsuitable << -1;
    QTest::newRow("operating head half the resistance")
        << catalogueWith(quadraticPump(21.75, -0.5, 1.0 / 256.0, 4.0)) << duty("16", "64", "1.75") << m << QString()
        << -1;
    QTest::newRow("operating head just below half the resistance")
        << catalogueWith(quadraticPump(21.75 - 0.0009765625, -0.5, 1.0 / 256.0, 4.0)) << duty("16", "64", "1.75") << m
        << headUnsuitable << -1;

    // Efficiency rule: best 80 %, operating efficiency exactly 50 % and just below.
    QTest::newRow("operating efficiency exactly 30 below the best")
        << catalogueWith(limitPump()) << duty(reference::kCheckResistanceAt50, "40", "0") << m << QString() << -1;
    QTest::newRow("operating efficiency just below 30 below the best")
        << catalogueWith(limitPump()) << duty(reference::kCheckResistanceBelow50, "40", "0") << m << efficiencyTooLow
        << -1;

    // Values that are not numbers never reach a result.
    Points nanHead = labelPump(5.125);
    nanHead[1].head = std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("head that is not a number") << catalogueWith(nanHead) << labelDuty() << m << flowUnsuitable << -1;
    Points infFlow = labelPump(5.125);
    infFlow[3].flow = std::numeric_limits<float>::infinity();
    QTest::newRow("infinite flow") << catalogueWith(infFlow) << labelDuty() << m << flowUnsuitable << -1;
    Points nanPower = labelPump(5.125);
    nanPower[2].power = std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("power that is not a number") << catalogueWith(nanPower) << labelDuty() << m << noCurveData << -1;
    Points negativePower = labelPump(5.125);
    negativePower[2].power = -5.125f;
    QTest::newRow("negative power") << catalogueWith(negativePower) << labelDuty() << m << noCurveData << -1;
    Points infinitePower = labelPump(5.125);
    infinitePower[0].power = std::numeric_limits<float>::infinity();
    QTest::newRow("infinite power") << catalogueWith(infinitePower) << labelDuty() << m << noCurveData << -1;

    QTest::newRow("ordinary pump passes") << ordinary << labelDuty() << m << QString() << -1;
}

void TestCheck::messages()
{
    QFETCH(Catalogue, catalogue);
    QFETCH(DutyTexts, texts);
    QFETCH(QString, modelText);
    QFETCH(QString, message);
    QFETCH(int, focus);

    const auto result = runCheckCalculation(catalogue, texts, modelText.toStdString());
    if (message.isEmpty()) {
        QVERIFY2(result.ok(), qPrintable(result.ok() ? QString() : qs(result.error().message)));
        QCOMPARE(result->row.model, modelText.toStdString());
        return;
    }
    QVERIFY(!result.ok());
    QCOMPARE(qs(result.error().message), message);
    if (focus < 0) {
        QCOMPARE(int(result.error().focus), int(CalculationStop::Focus::ModelChooser));
    } else {
        QCOMPARE(int(result.error().focus), int(CalculationStop::Focus::DutyBox));
        QCOMPARE(result.error().dutyBox, focus);
    }
}

void TestCheck::passedCheck()
{
    // Qop = 40.25 and Hop = 32.25 exactly; 5.125 kW throughout. Best point:
    // 64 x 23.4365234375 / (5.125 x 3.672) = 79.7 %, operating efficiency
    // 40.25 x 32.25 / (3.672 x 5.125) = 68.97 %.
    const auto result = runCheckCalculation(catalogueWith(labelPump(5.125)), labelDuty(), model);
    QVERIFY(result.ok());
    const CheckedPump& pump = result.value();

    QCOMPARE(qs(pump.model), qs(model));
    QCOMPARE(qs(pump.pumpType), QStringLiteral("ISG"));
    QCOMPARE(pump.pointCount, 4);
    COMPARE_EXACT(pump.maxFlow, 64.0);
    COMPARE_EXACT(pump.maxHead, 87.4365234375);
    COMPARE_EXACT(pump.maxPower, 5.125);
    COMPARE_EXACT(pump.operatingFlow, 40.25);
    COMPARE_EXACT(pump.operatingHead, 32.25);
    COMPARE_EXACT(pump.operatingPower, 5.125);
    const double efficiency = (40.25 * 32.25) / (3.672 * 5.125);
    QVERIFY(efficiency > 68.9 && efficiency < 69.0);
    COMPARE_EXACT(pump.operatingEfficiency, efficiency);
    COMPARE_EXACT(pump.bestEfficiency, static_cast<float>((64.0 * 23.4365234375) / (5.125 * 3.672)));
    // The chart's head curve: c3 = f32(c3' + S) with c3' = f32(1/64 - 1/64) = 0.
    QCOMPARE(floatsText(pump.headFit.c), QStringLiteral("87.4365234 -2 0.015625 0"));
    QCOMPARE(floatsText(pump.powerFit.c), QStringLiteral("5.125 0 0 0"));

    QCOMPARE(qs(pump.labels[0]), QStringLiteral("水泵最高效率＝80%"));
    QCOMPARE(qs(pump.labels[1]), QStringLiteral("水泵实际扬程＝32.3 m"));
    QCOMPARE(qs(pump.labels[2]), QStringLiteral("水泵实际流量＝40.3 m3/h"));
    QCOMPARE(qs(pump.labels[3]), QStringLiteral("水泵实际效率＝68%"));
    QCOMPARE(qs(pump.labels[4]), QStringLiteral("ISG65-160型水泵1台"));

    const SelectionResult& row = pump.row;
    QCOMPARE(qs(row.method), QStringLiteral("校核"));
    QCOMPARE(qs(row.model), qs(model));
    COMPARE_EXACT(row.resistance, 25.0);
    COMPARE_EXACT(row.flow, 40.0);
    COMPARE_EXACT(row.staticHead, 6.9365234375);
    COMPARE_EXACT(row.bestEfficiency, 80.0);
    COMPARE_EXACT(row.operatingHead, 32.3);
    COMPARE_EXACT(row.operatingFlow, 40.3);
    COMPARE_EXACT(row.operatingEfficiency, 68.0);
}

void TestCheck::zeroPowerPointShowsBestEfficiencyOne()
{
    // Power Q/8: zero at the first point, so the best point efficiency is 0
    // and the efficiency rule passes; 40.25/8 kW at the operating point.
    Points points = labelPump(0.0);
    for (Point& p : points)
        p.power = p.flow / 8.0f;
    const auto result = runCheckCalculation(catalogueWith(points), labelDuty(), model);
    QVERIFY(result.ok());
    COMPARE_EXACT(result->bestEfficiency, 0.0);
    COMPARE_EXACT(result->operatingPower, 5.03125);
    QCOMPARE(qs(result->labels[0]), QStringLiteral("水泵最高效率＝1%"));
    QCOMPARE(qs(result->labels[3]), QStringLiteral("水泵实际效率＝70%"));
    COMPARE_EXACT(result->row.bestEfficiency, 1.0);
}

void TestCheck::firstModelRowIsThePump()
{
    Catalogue catalogue = catalogueWith(labelPump(5.125));
    addPump(catalogue, 11.0, model, {{50, 40, 5}, {50, 39, 5}, {50, 38, 5}}, 2900.0, "OTHER");
    const auto result = runCheckCalculation(catalogue, labelDuty(), model);
    QVERIFY(result.ok());
    QCOMPARE(qs(result->pumpType), QStringLiteral("ISG"));
}

void TestCheck::pointsReadAsRun()
{
    // The chosen pump's rows are 0, 1, 2 and 5 of the points table: its four
    // points are read from row 0 on, so row 3 (another pump's, on the same
    // curve at flow 48) is read and row 5 (flow 64) is not.
    auto head = [](float q) { return 87.4365234375f - 2.0f * q + q * q / 64.0f; };
    Catalogue catalogue;
    catalogue.pumps = {{7.0, model, "ISG", 2900.0}, {8.0, "OTHER", "ISG", 2900.0}};
    const std::pair<double, float> rows[] = {{7, 0}, {7, 32}, {7, 32}, {8, 48}, {8, 16}, {7, 64}, {8, 24}};
    for (const auto& [key, q] : rows)
        catalogue.points.push_back({key, q, head(q), 5.125f});

    const auto result = runCheckCalculation(catalogue, labelDuty(), model);
    QVERIFY2(result.ok(), qPrintable(result.ok() ? QString() : qs(result.error().message)));
    QCOMPARE(result->pointCount, 4);
    COMPARE_EXACT(result->maxFlow, 48.0);
}

QTEST_APPLESS_MAIN(TestCheck)
#include "tst_check.moc"
