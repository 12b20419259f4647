// Why the design skipped a pump: the first rule it failed, the failing
// figure, and that accepted and skipped pumps add up to the catalogue.

#include "coretesting.h"
#include "referencevalues.h"

#include "core/selection.h"

#include <QTest>

#include <limits>

using namespace tarnwick;
using namespace coretesting;

namespace {

const double none = std::numeric_limits<double>::quiet_NaN();

Points limitPump(float power)
{
    Points points;
    for (std::size_t k = 0; k < reference::kLimitFlows.size(); ++k)
        points.push_back({reference::kLimitFlows[k], reference::kLimitHeads[k], power});
    return points;
}

Points windowPump(float top)
{
    Points points;
    for (float q : {top / 4, top / 2, 3 * top / 4, top})
        points.push_back({q, 60.0f - q * q / 512.0f, 20.0f});
    return points;
}

// The side of its limit on which a rule's figure lies when the rule fails.
bool figureFailsItsRule(RejectionRule rule, double figure)
{
    switch (rule) {
    case RejectionRule::TooFewPoints:
        return figure < 3.0;
    case RejectionRule::FlowWindow:
        return figure > 1.5 || figure < 0.5;
    case RejectionRule::LowBestEfficiency:
        return figure <= 15.0;
    case RejectionRule::HeadLow:
    case RejectionRule::FlowLow:
        return figure <= 0.0;
    case RejectionRule::HeadHigh:
    case RejectionRule::FlowHigh:
        return figure > 20.0;
    case RejectionRule::EfficiencyLow:
        return figure > 15.0;
    default:
        return false;
    }
}

} // namespace

class TestRejection : public QObject
{
    Q_OBJECT

private slots:
    void firstFailedRule_data();
    void firstFailedRule();
    void listedOnlyWhenAsked_data() { firstFailedRule_data(); }
    void listedOnlyWhenAsked();
    void acceptedAndRejectedMakeTheCatalogue();
    void reasonTexts_data();
    void reasonTexts();
};

void TestRejection::firstFailedRule_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<DutyTexts>("texts");
    QTest::addColumn<QString>("rule");  // empty: accepted
    QTest::addColumn<double>("figure"); // NaN: the rule has none
    QTest::addColumn<double>("tolerance");

    const Points two = {{70, 42.5f, 10}, {110, 32.5f, 10}};
    QTest::newRow("two points") << two << duty("30", "100", "0") << "too_few_points" << 2.0 << 0.0;
    QTest::newRow("three points") << Points{{70, 42.5f, 10}, {110, 32.5f, 10}, {90, 37.5f, 10}}
                                  << duty("30", "100", "0") << "" << none << 0.0;

    QTest::newRow("design flow above 1.5 x largest flow")
        << windowPump(66) << duty("34.5", "100", "0") << "flow_window" << 100.0 / 66.0 << 1e-12;
    QTest::newRow("design flow 1.5 x largest flow") << windowPump(66) << duty("34.5", "99", "0") << "" << none << 0.0;
    const Points low = {{40, 57, 55}, {60, 53, 55}, {80, 47.5f, 55}, {100, 40.5f, 55}};
    QTest::newRow("design flow below half the smallest flow")
        << low << duty("54", "19.99", "0") << "flow_window" << 19.99 / 40.0 << 1e-12;

    QTest::newRow("all points at one flow")
        << Points{{50, 40, 5}, {50, 39, 5}, {50, 38, 5}} << duty("30", "50", "0") << "fit_failed" << none << 0.0;
    QTest::newRow("a shaft power below zero") << Points{{10, 30, 2}, {20, 28, -1}, {30, 25, 3}, {40, 20, 4}}
                                              << duty("20", "25", "0") << "fit_failed" << none << 0.0;
    QTest::newRow("zero derivative at the start")
        << quadraticPump(40.0, 1.0, -1.0 / 256.0, 5.0) << duty("16", "64", "0") << "no_operating_point" << none << 0.0;
    QTest::newRow("curve above the system curve")
        << quadraticPump(100.0, 0.0, 1.0 / 128.0, 4.0) << duty("16", "64", "0") << "no_operating_point" << none << 0.0;
    QTest::newRow("zero shaft power") << straightDifferencePump(86.4375, 0.0) << standardDuty() << "zero_power" << none
                                      << 0.0;

    QTest::newRow("best efficiency exactly 15")
        << limitPump(reference::kPower15) << duty("38", "52", "0") << "low_best_efficiency" << 15.0 << 0.0;
    QTest::newRow("best efficiency just above 15")
        << limitPump(reference::kPower15Up) << duty("38", "52", "0") << "" << none << 0.0;

    // Operating flow 38: the head is exactly the resistance, 25 m.
    QTest::newRow("head equal to the resistance")
        << straightDifferencePump(78.4375) << standardDuty() << "head_low" << 0.0 << 0.0;
    QTest::newRow("head exactly 20 % above") << straightDifferencePump(86.4375) << standardDuty() << "" << none << 0.0;
    // Operating flow 42.01953125, head 30.025641... m.
    QTest::newRow("head 20.1 % above") << straightDifferencePump(86.4765625) << standardDuty() << "head_high"
                                       << 20.102564 << 1e-5;

    // Operating flow exactly the design flow: the head is 9.75 % above, the flow 0 %.
    QTest::newRow("operating flow at the design flow")
        << straightDifferencePump(82.4375) << standardDuty() << "flow_low" << 0.0 << 0.0;
    QTest::newRow("operating flow just above the design flow")
        << straightDifferencePump(82.4375 + 0.001953125) << standardDuty() << "" << none << 0.0;

    // On the system curve (static head 0 or more) a flow 20 % above the design
    // flow always means a head over 20 % above the resistance. Only an
    // iteration stopped by a zero slope leaves its point off the system
    // curve: H = -156 + 30 Q - 1.25 Q^2 against 16 m at 8 m3/h steps from 8
    // to 10, where the slope of the difference is exactly 0; the head there is
    // 19 m (18.75 % above), the flow 25 % above.
    QTest::newRow("flow 25 % above after a zero slope")
        << Points{{0, -156, 0.5f}, {4, -56, 0.5f}, {4, -56, 0.5f}, {8, 4, 0.5f}} << duty("16", "8", "0") << "flow_high"
        << 25.0 << 0.0;

    QTest::newRow("operating efficiency exactly 15 below the best")
        << limitPump(reference::kPower80) << duty(reference::kDesignResistanceAt65, "52", "0") << "" << none << 0.0;
    QTest::newRow("operating efficiency just below 15 below the best")
        << limitPump(reference::kPower80) << duty(reference::kDesignResistanceBelow65, "52", "0") << "efficiency_low"
        << 15.0 << 1e-9;
}

void TestRejection::firstFailedRule()
{
    QFETCH(Points, points);
    QFETCH(DutyTexts, texts);
    QFETCH(QString, rule);
    QFETCH(double, figure);
    QFETCH(double, tolerance);

    const auto result = runDesignSelection(singlePump("PUMP-1", points), texts, ServiceConditions{}, {},
                                           RejectedList::Listed);
    QVERIFY(result.ok());
    const DesignSelection& selection = result.value();
    QCOMPARE(selection.candidates.size() + selection.rejected.size(), std::size_t(1));
    if (rule.isEmpty()) {
        QCOMPARE(selection.candidates.size(), std::size_t(1));
        return;
    }
    QCOMPARE(selection.rejected.size(), std::size_t(1));
    const RejectedPump& rejected = selection.rejected.front();
    QCOMPARE(rejected.pumpIndex, std::size_t(0));
    QCOMPARE(QString::fromUtf8(rejectionRuleCode(rejected.rule)), rule);
    if (std::isnan(figure)) {
        QVERIFY(!rejected.figure.has_value());
        QVERIFY(!rejected.margin.has_value());
        return;
    }
    QVERIFY(rejected.figure.has_value());
    QVERIFY2(std::fabs(*rejected.figure - figure) <= tolerance,
             qPrintable(QStringLiteral("figure %1, expected %2").arg(*rejected.figure, 0, 'g', 17).arg(figure)));
    QVERIFY2(figureFailsItsRule(rejected.rule, *rejected.figure),
             qPrintable(QStringLiteral("figure %1 does not fail its rule").arg(*rejected.figure, 0, 'g', 17)));
    if (rejected.rule != RejectionRule::TooFewPoints) {
        QVERIFY(rejected.margin.has_value());
        QVERIFY(*rejected.margin >= 0.0);
    }
    // The acceptance rules are applied to an operating point; it is kept.
    if (rejected.rule >= RejectionRule::LowBestEfficiency) {
        QVERIFY(rejected.operatingFlow && rejected.operatingHead && rejected.operatingEfficiency);
        QVERIFY(rejected.bestEfficiency.has_value());
    }
}

// A run not asked for the skipped pumps neither fills nor allocates their
// list, and accepts, lists and stores exactly what the listing run does.
void TestRejection::listedOnlyWhenAsked()
{
    QFETCH(Points, points);
    QFETCH(DutyTexts, texts);
    QFETCH(QString, rule);

    const Catalogue catalogue = singlePump("PUMP-1", points);
    const auto plain = runDesignSelection(catalogue, texts);
    const auto listed = runDesignSelection(catalogue, texts, ServiceConditions{}, {}, RejectedList::Listed);
    QVERIFY(plain.ok() && listed.ok());
    QCOMPARE(plain->rejected.capacity(), std::size_t(0));
    QCOMPARE(listed->rejected.size(), std::size_t(rule.isEmpty() ? 0 : 1));
    if (!rule.isEmpty())
        QCOMPARE(QString::fromUtf8(rejectionRuleCode(listed->rejected.front().rule)), rule);

    QCOMPARE(plain->entries, listed->entries);
    QCOMPARE(plain->rows.size(), listed->rows.size());
    for (std::size_t i = 0; i < plain->rows.size(); ++i) {
        const SelectionResult& a = plain->rows[i];
        const SelectionResult& b = listed->rows[i];
        QCOMPARE(qs(a.model), qs(b.model));
        QVERIFY(sameValue(a.operatingFlow, b.operatingFlow) && sameValue(a.operatingHead, b.operatingHead) &&
                sameValue(a.operatingEfficiency, b.operatingEfficiency));
        QCOMPARE(bitsOf(a.bestEfficiency), bitsOf(b.bestEfficiency));
    }
}

void TestRejection::acceptedAndRejectedMakeTheCatalogue()
{
    Catalogue catalogue;
    addPump(catalogue, 1.0, "A", straightDifferencePump(82.4375));
    addPump(catalogue, 2.0, "B", straightDifferencePump(86.4375));
    addPump(catalogue, 3.0, "C", {{70, 42.5f, 10}, {110, 32.5f, 10}});
    addPump(catalogue, 4.0, "D", windowPump(20));
    addPump(catalogue, 5.0, "E", straightDifferencePump(86.0));
    addPump(catalogue, 6.0, "F", straightDifferencePump(86.4765625));
    catalogue.pumps.push_back({7.0, "G", "ISG", 2900.0}); // no points at all

    const auto result = runDesignSelection(catalogue, standardDuty(), ServiceConditions{}, {}, RejectedList::Listed);
    QVERIFY(result.ok());
    const DesignSelection& selection = result.value();
    QStringList accepted;
    for (const DesignCandidate& c : selection.candidates)
        accepted << qs(c.model);
    QCOMPARE(accepted, (QStringList{QStringLiteral("B"), QStringLiteral("E")}));

    QStringList rejected;
    std::size_t previous = 0;
    for (const RejectedPump& r : selection.rejected) {
        QVERIFY(rejected.isEmpty() || r.pumpIndex > previous); // catalogue order
        previous = r.pumpIndex;
        rejected << qs(catalogue.pumps.at(r.pumpIndex).model) + QLatin1Char(':') +
                        QString::fromUtf8(rejectionRuleCode(r.rule));
    }
    QCOMPARE(rejected, (QStringList{QStringLiteral("A:flow_low"), QStringLiteral("C:too_few_points"),
                                    QStringLiteral("D:flow_window"), QStringLiteral("F:head_high"),
                                    QStringLiteral("G:too_few_points")}));
    QCOMPARE(selection.candidates.size() + selection.rejected.size(), catalogue.pumps.size());
}

void TestRejection::reasonTexts_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<double>("figure");
    QTest::addColumn<double>("limit"); // NaN: none given
    QTest::addColumn<QString>("reason");
    const auto row = [](const char* name, RejectionRule rule, double figure, const QString& reason,
                        double limit = none) { QTest::newRow(name) << int(rule) << figure << limit << reason; };

    row("head high", RejectionRule::HeadHigh, 27.43, QStringLiteral("扬程高出 27.4 %"));
    row("efficiency low", RejectionRule::EfficiencyLow, 18.249, QStringLiteral("效率低于最高效率 18.2 个百分点"));
    row("head low", RejectionRule::HeadLow, -3.06, QStringLiteral("扬程低于系统阻力 3.1 %"));
    row("head at the resistance", RejectionRule::HeadLow, 0.0, QStringLiteral("扬程未高出系统阻力"));
    row("flow window high", RejectionRule::FlowWindow, 1.51522,
        QStringLiteral("设计流量为最大测点流量的 1.52 倍，超过 1.5 倍"));
    row("no figure", RejectionRule::FitFailed, none, QStringLiteral("曲线拟合失败"));
    row("too few points", RejectionRule::TooFewPoints, 2.0, QStringLiteral("只有 2 个测点，至少需要 3 个"));
    row("flow window low", RejectionRule::FlowWindow, 0.4449,
        QStringLiteral("设计流量为最小测点流量的 0.44 倍，不足 0.5 倍"));
    row("low best efficiency", RejectionRule::LowBestEfficiency, 14.96, QStringLiteral("最高效率 15.0 %，不高于 15 %"));
    row("flow low", RejectionRule::FlowLow, -12.34, QStringLiteral("流量低于设计流量 12.3 %"));
    row("flow at the design flow", RejectionRule::FlowLow, 0.0, QStringLiteral("流量未高出设计流量"));
    row("flow high", RejectionRule::FlowHigh, 31.06, QStringLiteral("流量高出 31.1 %"));
    row("viscosity out of range", RejectionRule::ViscosityOutOfRange, 41.26,
        QStringLiteral("粘度修正参数 B 为 41.3，不小于 40"));
    row("npsh without the needed figure", RejectionRule::NpshInsufficient, 2.346,
        QStringLiteral("有效汽蚀余量 2.35 m，不足"));
    row("outside the preferred region without a limit", RejectionRule::OutsidePreferredRegion, 131.6,
        QStringLiteral("工作点流量为最高效率点流量的 132 %，不在 70～120 % 之内"));
    row("no operating point", RejectionRule::NoOperatingPoint, none, QStringLiteral("没有工作点"));
    row("zero power", RejectionRule::ZeroPower, none, QStringLiteral("工作点轴功率为0"));
    row("too few points without a count", RejectionRule::TooFewPoints, none, QStringLiteral("测点少于3个"));
    row("npsh against the needed figure", RejectionRule::NpshInsufficient, 1.804,
        QStringLiteral("有效汽蚀余量 1.80 m，需要 2.50 m"), 2.5);
    row("outside a preferred region from 80 %", RejectionRule::OutsidePreferredRegion, 75.4,
        QStringLiteral("工作点流量为最高效率点流量的 75 %，不在 80～120 % 之内"), 80.0);
}

void TestRejection::reasonTexts()
{
    QFETCH(int, rule);
    QFETCH(double, figure);
    QFETCH(double, limit);
    QFETCH(QString, reason);
    RejectedPump rejected;
    rejected.rule = static_cast<RejectionRule>(rule);
    if (!std::isnan(figure))
        rejected.figure = figure;
    if (!std::isnan(limit))
        rejected.limit = limit;
    QCOMPARE(qs(rejectionReason(rejected)), reason);
}

QTEST_APPLESS_MAIN(TestRejection)
#include "tst_rejection.moc"
