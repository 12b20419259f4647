// The design selection over small in-memory catalogues.

#include "coretesting.h"
#include "referencevalues.h"

#include "core/numbers.h"
#include "core/selection.h"

#include <QTest>

#include <limits>

using namespace tarnwick;
using namespace coretesting;

namespace {

const double unchecked = std::numeric_limits<double>::quiet_NaN();

Points limitPump(float power)
{
    Points points;
    for (std::size_t k = 0; k < reference::kLimitFlows.size(); ++k)
        points.push_back({reference::kLimitFlows[k], reference::kLimitHeads[k], power});
    return points;
}

// Head 60 - Q^2/512 at the given flows, constant power.
Points spreadPump(std::initializer_list<float> flows, float power)
{
    Points points;
    for (float q : flows)
        points.push_back({q, 60.0f - q * q / 512.0f, power});
    return points;
}

// Four flows up to `top`.
Points windowPump(float top)
{
    return spreadPump({top / 4, top / 2, 3 * top / 4, top}, 20.0f);
}

QStringList modelsOf(const DesignSelection& selection)
{
    QStringList models;
    for (const DesignCandidate& c : selection.candidates)
        models << qs(c.model);
    return models;
}

QStringList texts(const std::vector<std::string>& list)
{
    QStringList result;
    for (const std::string& s : list)
        result << qs(s);
    return result;
}

// A stored row holds the request and the candidate's figures, rounded as stored.
void verifyRowOf(const SelectionResult& row, const DesignCandidate& candidate, const SelectionRequest& request)
{
    QCOMPARE(qs(row.method), QStringLiteral("设计"));
    QCOMPARE(qs(row.model), qs(candidate.model));
    COMPARE_EXACT(row.resistance, request.resistance);
    COMPARE_EXACT(row.flow, request.flow);
    COMPARE_EXACT(row.staticHead, request.staticHead);
    COMPARE_EXACT(row.bestEfficiency, std::floor(candidate.bestEfficiency) + 1.0f);
    COMPARE_EXACT(row.operatingHead, std::floor(10.0 * candidate.operatingHead + 0.5) / 10.0);
    COMPARE_EXACT(row.operatingFlow, std::floor(10.0 * candidate.operatingFlow + 0.5) / 10.0);
    COMPARE_EXACT(row.operatingEfficiency, std::floor(candidate.operatingEfficiency));
}

} // namespace

class TestDesign : public QObject
{
    Q_OBJECT

private slots:
    void acceptanceRules_data();
    void acceptanceRules();
    void acceptedPumpRecord();
    void progressCoversTheCatalogue();
    void entryText_data();
    void entryText();
    void catalogueOrderKept();
    void nothingFound_data();
    void nothingFound();
    void invalidDutyStops_data();
    void invalidDutyStops();
    void pointsReadAsRun();
    void nonFiniteValuesNeverStored();
};

void TestDesign::acceptanceRules_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<DutyTexts>("texts");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("operatingFlow");
    QTest::addColumn<double>("operatingHead");
    QTest::addColumn<double>("operatingEfficiency");
    QTest::addColumn<double>("bestEfficiency");

    const double u = unchecked;

    // Flow: more than the design flow, by at most 20 %.
    QTest::newRow("operating point at the design flow")
        << straightDifferencePump(82.4375) << standardDuty() << false << u << u << u << u;
    QTest::newRow("operating flow just above the design flow")
        << straightDifferencePump(82.4375 + 0.001953125) << standardDuty() << true << 40.0009765625 << u << u << u;

    // Head: more than the resistance, by at most 20 %.
    QTest::newRow("head exactly 20 % above the resistance")
        << straightDifferencePump(86.4375) << standardDuty() << true << 42.0 << 30.0 << u << u;
    QTest::newRow("head 20.0006 % above the resistance")
        << straightDifferencePump(86.4375 + 0.000244140625) << standardDuty() << false << u << u << u << u;
    QTest::newRow("head 20.1 % above the resistance")
        << straightDifferencePump(86.4765625) << standardDuty() << false << u << u << u << u;
    // Static head 10 m and resistance 20 m: the pump meets the system curve at
    // about 30.6 m, 2 % above 30 m, but the head is compared with 20 m.
    QTest::newRow("head compared with the resistance alone")
        << quadraticPump(75.0, -1.0, 5.0 / 1024.0, 6.0) << duty("20", "64", "10") << false << u << u << u << u;

    // Efficiency: within 15 points of the best point efficiency. The resistances
    // put the operating efficiency exactly on 65 % and on the value just below.
    QTest::newRow("operating efficiency exactly 15 below the best")
        << limitPump(reference::kPower80) << duty(reference::kDesignResistanceAt65, "52", "0") << true << u << u << 65.0
        << 80.0;
    QTest::newRow("operating efficiency just below 15 below the best")
        << limitPump(reference::kPower80) << duty(reference::kDesignResistanceBelow65, "52", "0") << false << u << u
        << u << u;
    QTest::newRow("operating efficiency 64.6 with best 80")
        << limitPump(reference::kPower80) << duty("40", "52", "0") << false << u << u << u << u;

    // Best efficiency above 15 %.
    QTest::newRow("best efficiency exactly 15") << limitPump(reference::kPower15) << duty("38", "52", "0") << false << u
                                                << u << u << u;
    QTest::newRow("best efficiency just above 15")
        << limitPump(reference::kPower15Up) << duty("38", "52", "0") << true << u << u << u
        << double(std::nextafter(15.0f, 16.0f));

    // A zero derivative after a step ends the iteration; its iterate is used.
    QTest::newRow("zero derivative after a step keeps the last iterate")
        << quadraticPump(72.5, -2.125, 5.0 / 256.0, 4.0) << duty("16", "64", "0") << true << 68.0 << 18.3125 << u << u;
    QTest::newRow("zero derivative at the start")
        << quadraticPump(40.0, 1.0, -1.0 / 256.0, 5.0) << duty("16", "64", "0") << false << u << u << u << u;
    QTest::newRow("no operating point") << quadraticPump(100.0, 0.0, 1.0 / 128.0, 4.0) << duty("16", "64", "0") << false
                                        << u << u << u << u;
    QTest::newRow("fit fails, all points at one flow")
        << Points{{50, 40, 5}, {50, 39, 5}, {50, 38, 5}} << duty("30", "50", "0") << false << u << u << u << u;

    // Points: at least three.
    const Points two = {{70, 42.5f, 10}, {110, 32.5f, 10}};
    QTest::newRow("two points never considered") << two << duty("30", "100", "0") << false << u << u << u << u;
    QTest::newRow("three points considered") << Points{{70, 42.5f, 10}, {110, 32.5f, 10}, {90, 37.5f, 10}}
                                             << duty("30", "100", "0") << true << u << u << u << u;
    QTest::newRow("three points at two flows considered") << Points{{70, 42.5f, 10}, {110, 32.5f, 10}, {110, 32.5f, 10}}
                                                          << duty("30", "100", "0") << true << u << u << u << u;

    // Flow window: 0.5 x smallest point flow <= design flow <= 1.5 x largest.
    QTest::newRow("largest flow 66 at design flow 100") << windowPump(66) << duty("34.5", "100", "0") << false << u
                                                        << u << u << u;
    QTest::newRow("largest flow 67 at design flow 100") << windowPump(67) << duty("34.5", "100", "0") << true << u << u
                                                        << u << u;
    QTest::newRow("design flow 1.5 x the largest flow") << windowPump(66) << duty("34.5", "99", "0") << true << u << u
                                                        << u << u;
    QTest::newRow("design flow just above 1.5 x the largest")
        << windowPump(66) << duty("34.5", "99.01", "0") << false << u << u << u << u;
    const Points low = spreadPump({40, 60, 80, 100}, 55.0f);
    QTest::newRow("design flow half the smallest flow") << low << duty("54", "20", "0") << true << u << u << u << u;
    QTest::newRow("design flow just below half the smallest")
        << low << duty("54", "19.99", "0") << false << u << u << u << u;
}

void TestDesign::acceptanceRules()
{
    QFETCH(Points, points);
    QFETCH(DutyTexts, texts);
    QFETCH(bool, accepted);
    QFETCH(double, operatingFlow);
    QFETCH(double, operatingHead);
    QFETCH(double, operatingEfficiency);
    QFETCH(double, bestEfficiency);

    const auto result = runDesignSelection(singlePump("PUMP-1", points), texts);
    QVERIFY(result.ok());
    const DesignSelection& selection = result.value();
    QCOMPARE(selection.candidates.size(), std::size_t(accepted ? 1 : 0));
    QCOMPARE(selection.rows.size(), selection.candidates.size());
    QCOMPARE(selection.listEnabled, accepted);
    if (!accepted)
        return;
    const DesignCandidate& candidate = selection.candidates.front();
    if (!std::isnan(operatingFlow))
        COMPARE_EXACT(candidate.operatingFlow, operatingFlow);
    if (!std::isnan(operatingHead))
        COMPARE_EXACT(candidate.operatingHead, operatingHead);
    if (!std::isnan(operatingEfficiency))
        COMPARE_EXACT(candidate.operatingEfficiency, operatingEfficiency);
    if (!std::isnan(bestEfficiency))
        COMPARE_EXACT(candidate.bestEfficiency, bestEfficiency);
    verifyRowOf(selection.rows.front(), candidate, selection.request);
}

void TestDesign::progressCoversTheCatalogue()
{
    // 1300 pumps, most of them skipped early: progress counts every pump,
    // rises, and ends at the total; the result is the same without it.
    Catalogue catalogue;
    for (int k = 0; k < 1300; ++k) {
        std::string model = std::to_string(k);
        model.insert(model.begin(), 'P');
        addPump(catalogue, k + 1.0, model, straightDifferencePump(k % 2 ? 86.4375 : 10.0), 2900.0);
    }
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    const auto told = runDesignSelection(catalogue, standardDuty(), [&](std::size_t done, std::size_t total) {
        calls.emplace_back(done, total);
    });
    const auto silent = runDesignSelection(catalogue, standardDuty());
    QVERIFY(told.ok() && silent.ok());
    QCOMPARE(told.value().entries, silent.value().entries);
    QVERIFY(calls.size() >= 3);
    QCOMPARE(calls.back(), std::make_pair(std::size_t(1300), std::size_t(1300)));
    for (std::size_t i = 1; i < calls.size(); ++i)
        QVERIFY(calls[i].first > calls[i - 1].first);
}

void TestDesign::acceptedPumpRecord()
{
    Catalogue catalogue;
    addPump(catalogue, 7.0, "ISG65-160", straightDifferencePump(86.4375), 2900.0);
    const auto result = runDesignSelection(catalogue, standardDuty());
    QVERIFY(result.ok());
    const DesignSelection& selection = result.value();

    QCOMPARE(texts(selection.entries), QStringList{QStringLiteral("ISG65-160型 转速2900r/min")});
    QVERIFY(selection.listEnabled);
    QCOMPARE(selection.candidates.size(), std::size_t(1));

    // Points (0, 86.4375), (32, 38.4375) twice, (64, 22.4375), 5 kW each; the
    // operating point is (42, 30) exactly.
    const DesignCandidate& c = selection.candidates.front();
    QCOMPARE(qs(c.model), QStringLiteral("ISG65-160"));
    COMPARE_EXACT(c.maxFlow, 64.0);
    COMPARE_EXACT(c.maxHead, 86.4375);
    COMPARE_EXACT(c.maxPower, 5.0);
    COMPARE_EXACT(c.operatingFlow, 42.0);
    COMPARE_EXACT(c.operatingHead, 30.0);
    COMPARE_EXACT(c.operatingPower, 5.0);
    COMPARE_EXACT(c.operatingEfficiency, (42.0 * 30.0) / (3.672 * 5.0)); // 68.6...
    COMPARE_EXACT(c.bestEfficiency, static_cast<float>((64.0 * 22.4375) / (5.0 * 3.672))); // 78.2...
    QVERIFY(c.speed.has_value());
    COMPARE_EXACT(*c.speed, 2900.0);
    // c3' = f32(1/64 - 1/64) = 0, so the chart's c3 is f32(0 + 1/64).
    QCOMPARE(floatsText(c.headFit.c), QStringLiteral("86.4375 -2 0.015625 0"));
    QCOMPARE(floatsText(c.powerFit.c), QStringLiteral("5 0 0 0"));

    QCOMPARE(selection.rows.size(), std::size_t(1));
    const SelectionResult& row = selection.rows.front();
    QCOMPARE(qs(row.method), QStringLiteral("设计"));
    QCOMPARE(qs(row.model), QStringLiteral("ISG65-160"));
    COMPARE_EXACT(row.resistance, 25.0);
    COMPARE_EXACT(row.flow, 40.0);
    COMPARE_EXACT(row.staticHead, 2.4375);
    COMPARE_EXACT(row.bestEfficiency, 79.0);
    COMPARE_EXACT(row.operatingHead, 30.0);
    COMPARE_EXACT(row.operatingFlow, 42.0);
    COMPARE_EXACT(row.operatingEfficiency, 68.0);

    const auto labels = operatingParameterLabels(c);
    QCOMPARE(qs(labels[0]), QStringLiteral("水泵最高效率＝79%"));
    QCOMPARE(qs(labels[1]), QStringLiteral("水泵实际扬程＝30mH2O"));
    QCOMPARE(qs(labels[2]), QStringLiteral("水泵实际流量＝42m3/h"));
    QCOMPARE(qs(labels[3]), QStringLiteral("水泵实际效率＝68%"));
    QCOMPARE(qs(labels[4]), QStringLiteral("ISG65-160型水泵1台"));
}

void TestDesign::entryText_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<double>("speed"); // NaN: no value
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole speed") << QStringLiteral("ISG65-160") << 2900.0 << QStringLiteral("ISG65-160型 转速2900r/min");
    QTest::newRow("speed with a decimal") << QStringLiteral("IS80-50") << 1450.5 << QStringLiteral("IS80-50型 转速1450.5r/min");
    QTest::newRow("empty speed") << QStringLiteral("IS80-50") << unchecked << QStringLiteral("IS80-50型 转速r/min");
    QTest::newRow("speed zero") << QStringLiteral("X") << 0.0 << QStringLiteral("X型 转速0r/min");
    // A damaged "转速" field can read as an infinity; it shows like an empty one.
    QTest::newRow("infinite speed") << QStringLiteral("X") << std::numeric_limits<double>::infinity()
                                    << QStringLiteral("X型 转速r/min");
    QTest::newRow("negative infinite speed") << QStringLiteral("X") << -std::numeric_limits<double>::infinity()
                                             << QStringLiteral("X型 转速r/min");
}

void TestDesign::entryText()
{
    QFETCH(QString, model);
    QFETCH(double, speed);
    QFETCH(QString, expected);
    const std::optional<double> value = std::isnan(speed) ? std::nullopt : std::optional<double>(speed);
    QCOMPARE(qs(designEntryText(model.toStdString(), value)), expected);
}

void TestDesign::catalogueOrderKept()
{
    Catalogue catalogue;
    addPump(catalogue, 30.0, "ZB-3", straightDifferencePump(84.4375), 2900.0);   // Qop 41
    addPump(catalogue, 10.0, "AA-1", straightDifferencePump(82.4375), 2900.0);   // at the design flow
    addPump(catalogue, 20.0, "MC-2", straightDifferencePump(86.4375), 1450.5);   // Qop 42
    addPump(catalogue, 5.0, "KK-0", {{0, 84.4375f, 5}, {64, 20.4375f, 5}}, 960.0); // two points
    addPump(catalogue, 40.0, "AB-9", straightDifferencePump(82.4375 + 0.001953125), std::nullopt);

    const auto result = runDesignSelection(catalogue, standardDuty());
    QVERIFY(result.ok());
    const DesignSelection& selection = result.value();
    QCOMPARE(modelsOf(selection), (QStringList{QStringLiteral("ZB-3"), QStringLiteral("MC-2"), QStringLiteral("AB-9")}));
    QCOMPARE(texts(selection.entries),
             (QStringList{QStringLiteral("ZB-3型 转速2900r/min"), QStringLiteral("MC-2型 转速1450.5r/min"),
                          QStringLiteral("AB-9型 转速r/min")}));
    QVERIFY(selection.listEnabled);
    QCOMPARE(selection.rows.size(), std::size_t(3));
    for (std::size_t k = 0; k < selection.rows.size(); ++k)
        verifyRowOf(selection.rows[k], selection.candidates[k], selection.request);
    // Qop = 40 + 2^-10 is stored as 40, Hop = 2.4375 + Qop^2/64 = 27.4387... as 27.4.
    COMPARE_EXACT(selection.rows[2].operatingFlow, 40.0);
    COMPARE_EXACT(selection.rows[2].operatingHead, 27.4);
}

void TestDesign::nothingFound_data()
{
    QTest::addColumn<Catalogue>("catalogue");

    QTest::newRow("no pump passes") << singlePump("AA-1", straightDifferencePump(82.4375));
    QTest::newRow("empty catalogue") << Catalogue{};
    Catalogue noPoints;
    noPoints.pumps.push_back({1.0, "NP-1", "ISG", 2900.0});
    QTest::newRow("pump without points") << noPoints;
}

void TestDesign::nothingFound()
{
    QFETCH(Catalogue, catalogue);
    const auto result = runDesignSelection(catalogue, standardDuty());
    QVERIFY(result.ok());
    QCOMPARE(texts(result->entries), QStringList{QStringLiteral("没有找到满足你需要的风机！")});
    QVERIFY(!result->listEnabled);
    QVERIFY(result->candidates.empty());
    QVERIFY(result->rows.empty());
}

void TestDesign::invalidDutyStops_data()
{
    QTest::addColumn<DutyTexts>("texts");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("box");

    QTest::newRow("resistance") << duty("0", "0", "") << QStringLiteral("管路阻力应在0～2MPa之间！请重新输入。") << 0;
    QTest::newRow("flow") << duty("25", "10000.01", "") << QStringLiteral("流量应在0～10000m3/h之间！请重新输入。") << 1;
    QTest::newRow("static head") << duty("25", "40", "0.0") << QStringLiteral("静扬程应在0～2MPa之间！请重新输入。") << 2;
}

void TestDesign::invalidDutyStops()
{
    QFETCH(DutyTexts, texts);
    QFETCH(QString, message);
    QFETCH(int, box);

    const auto result = runDesignSelection(singlePump("MC-2", straightDifferencePump(86.4375)), texts);
    QVERIFY(!result.ok());
    QCOMPARE(qs(result.error().message), message);
    QCOMPARE(int(result.error().focus), int(CalculationStop::Focus::DutyBox));
    QCOMPARE(result.error().dutyBox, box);
}

void TestDesign::pointsReadAsRun()
{
    // Pump A's rows are 0, 1, 2 and 5; pump B's are 3, 4 and 6. Each pump reads
    // as many rows as it has, from its first row on: A gets B's first row, B
    // gets A's last. All points lie on one curve, so both pumps pass either
    // way, and the largest flow tells which rows were read.
    auto head = [](float q) { return 84.4375f - 2.0f * q + q * q / 64.0f; };
    Catalogue catalogue;
    catalogue.pumps = {{1.0, "RUN-A", "ISG", 2900.0}, {2.0, "RUN-B", "ISG", 2900.0}, {3.0, "NO-ROWS", "ISG", 2900.0},
                       {std::numeric_limits<double>::quiet_NaN(), "NO-KEY", "ISG", 2900.0}};
    const std::pair<double, float> rows[] = {{1, 0}, {1, 32}, {1, 32}, {2, 48}, {2, 16}, {1, 64}, {2, 24}};
    for (const auto& [key, q] : rows)
        catalogue.points.push_back({key, q, head(q), 5.0f});

    const auto result = runDesignSelection(catalogue, standardDuty());
    QVERIFY(result.ok());
    QCOMPARE(modelsOf(result.value()), (QStringList{QStringLiteral("RUN-A"), QStringLiteral("RUN-B")}));
    COMPARE_EXACT(result->candidates[0].maxFlow, 48.0);
    COMPARE_EXACT(result->candidates[1].maxFlow, 64.0);
}

void TestDesign::nonFiniteValuesNeverStored()
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Points good = straightDifferencePump(86.4375);
    auto spoilt = [&good](std::size_t index, float Point::*field, float value) {
        Points points = good;
        points[index].*field = value;
        return points;
    };

    Catalogue catalogue;
    addPump(catalogue, 1.0, "NAN-HEAD", spoilt(1, &Point::head, nan));
    addPump(catalogue, 2.0, "INF-HEAD", spoilt(3, &Point::head, inf));
    addPump(catalogue, 3.0, "NAN-FLOW", spoilt(2, &Point::flow, nan));
    addPump(catalogue, 4.0, "INF-FLOW", spoilt(3, &Point::flow, inf));
    addPump(catalogue, 5.0, "NAN-POWER", spoilt(0, &Point::power, nan));
    addPump(catalogue, 6.0, "INF-POWER", spoilt(3, &Point::power, inf));
    addPump(catalogue, 7.0, "HUGE-FLOW", spoilt(0, &Point::flow, 1e30f));
    addPump(catalogue, 8.0, "GOOD", good);
    Points negative = good;
    for (Point& point : negative)
        point.power = -point.power;
    addPump(catalogue, 9.0, "NEGATIVE-POWER", negative);

    const auto result = runDesignSelection(catalogue, standardDuty());
    QVERIFY(result.ok());
    QCOMPARE(modelsOf(result.value()), QStringList{QStringLiteral("GOOD")});
    for (const SelectionResult& row : result->rows) {
        QVERIFY(std::isfinite(row.bestEfficiency));
        QVERIFY(std::isfinite(row.operatingHead));
        QVERIFY(std::isfinite(row.operatingFlow));
        QVERIFY(std::isfinite(row.operatingEfficiency));
    }
}

QTEST_APPLESS_MAIN(TestDesign)
#include "tst_design.moc"
