// The design and the check with the liquid, the suction, the impeller cut and
// the preferred region.

#include "coretesting.h"

#include "core/catalogueindex.h"
#include "core/messages.h"
#include "core/selection.h"

#include <QTest>

#include <cmath>

using namespace tarnwick;
using namespace coretesting;

namespace {

// H = 40 - 0.006 Q^2 and an efficiency of 75 % (2x - x^2), x = Q / best, at
// flows 10 to 80: against the standard duty it runs at 41.7 m3/h.
Points realisticPump(double bestFlow = 50.0)
{
    Points points;
    for (double q = 10.0; q <= 80.0; q += 10.0) {
        const double h = 40.0 - 0.006 * q * q;
        const double x = q / bestFlow;
        const double eta = 75.0 * (2.0 * x - x * x);
        points.push_back({static_cast<float>(q), static_cast<float>(h), static_cast<float>(q * h / (3.672 * eta))});
    }
    return points;
}

Catalogue sheetCatalogue(double bestFlow, double npshRequired)
{
    Catalogue catalogue;
    addPump(catalogue, 1.0, "P-1", realisticPump(bestFlow));
    catalogue.sheetFields.push_back({45.0, 30.0, npshRequired, 200.0});
    return catalogue;
}

ServiceConditions completed(ServiceConditions c)
{
    auto done = completeConditions(c);
    if (!done)
        qFatal("%s", done.error().c_str());
    return done.value();
}

ServiceConditions hotWater(double gauge)
{
    ServiceConditions c;
    c.fluid = FluidSpec{FluidKind::Water, 0.0, 95.0};
    c.suctionAbsolutePressure = gauge + 101.325;
    return completed(c);
}

PointRunFinder literal(const Catalogue& catalogue)
{
    return [&catalogue](double key) { return literalPointRun(catalogue.points, key); };
}

} // namespace

class TestServiceConditions : public QObject
{
    Q_OBJECT

private slots:
    void nothingGivenIsThePlainRun();
    void liquid_data();
    void liquid();
    void rules_data();
    void rules();
    void trimToTheDuty();
};

void TestServiceConditions::nothingGivenIsThePlainRun()
{
    const Catalogue catalogue = sheetCatalogue(50.0, 3.0);
    const auto plain = runDesignSelection(catalogue, standardDuty(), literal(catalogue));
    const auto none = runDesignSelection(catalogue, standardDuty(), ServiceConditions{}, literal(catalogue));
    QVERIFY(plain && none);
    QCOMPARE(none->candidates.size(), std::size_t(1));
    COMPARE_EXACT(none->candidates[0].operatingPower, plain->candidates[0].operatingPower);
    COMPARE_EXACT(none->rows[0].operatingEfficiency, plain->rows[0].operatingEfficiency);
    // The figures every listed pump carries: Qop / Qbep and the region.
    const PumpExtras& x = none->candidates[0].extras;
    QVERIFY2(std::fabs(x.bestEfficiencyFlow - 50.0) < 2.5, qPrintable(QString::number(x.bestEfficiencyFlow)));
    QVERIFY(std::fabs(x.bestEfficiencyShare - none->candidates[0].operatingFlow / x.bestEfficiencyFlow) < 1e-12);
    QVERIFY(x.inPreferredRegion);
    QVERIFY(!x.npsh && !x.trim && !x.viscosity);
}

void TestServiceConditions::liquid_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("share");
    QTest::addColumn<double>("celsius");
    QTest::newRow("water at 60 °C") << int(FluidKind::Water) << 0.0 << 60.0;
    QTest::newRow("40 % ethylene glycol at 4 °C") << int(FluidKind::EthyleneGlycol) << 40.0 << 4.0;
    QTest::newRow("50 % propylene glycol at 0 °C") << int(FluidKind::PropyleneGlycol) << 50.0 << 0.0;
}

void TestServiceConditions::liquid()
{
    QFETCH(int, kind);
    QFETCH(double, share);
    QFETCH(double, celsius);
    const Catalogue catalogue = sheetCatalogue(50.0, 3.0);
    ServiceConditions c;
    c.fluid = FluidSpec{static_cast<FluidKind>(kind), share, celsius};
    c = completed(c);
    const auto water = runCheckCalculation(catalogue, standardDuty(), "P-1");
    const auto liquid = runCheckCalculation(catalogue, standardDuty(), "P-1", c);
    QVERIFY(water && liquid);
    const std::optional<ViscosityCorrection>& v = liquid->extras.viscosity;
    QVERIFY(v);
    // Power follows the density; a thicker liquid costs flow, head and
    // efficiency, and the shaft power is rho g Q H / eta at the new point.
    const double ratio = c.properties.density / 1000.0;
    if (v->needed()) {
        QVERIFY(liquid->operatingFlow < water->operatingFlow);
        QVERIFY(liquid->operatingEfficiency < water->operatingEfficiency);
    } else {
        QVERIFY(std::fabs(liquid->operatingFlow - water->operatingFlow) < 1e-3);
        QVERIFY(std::fabs(liquid->operatingPower / water->operatingPower - ratio) < 1e-4);
    }
    const double power = ratio * liquid->operatingFlow * liquid->operatingHead / (3.672 * liquid->operatingEfficiency);
    QVERIFY(std::fabs(power - liquid->operatingPower) < 1e-9 * power);
}

void TestServiceConditions::rules_data()
{
    QTest::addColumn<double>("bestFlow");
    QTest::addColumn<double>("npshRequired");
    QTest::addColumn<double>("gauge");       // kPa at the inlet, 95 °C water
    QTest::addColumn<bool>("preferredOnly");
    QTest::addColumn<QString>("rule");       // empty: listed
    QTest::addColumn<QString>("checkMessage");
    // NPSHa at 95 °C: 30 kPa gauge gives 4.95 m, 10 kPa 2.83 m.
    QTest::newRow("enough suction") << 50.0 << 3.0 << 30.0 << false << QString() << QString();
    QTest::newRow("too little suction") << 50.0 << 3.0 << 10.0 << false << QStringLiteral("npsh_insufficient")
                                        << QString::fromUtf8(text::kNpshInsufficient);
    QTest::newRow("margin of 0.6 m decides") << 50.0 << 4.4 << 30.0 << false << QStringLiteral("npsh_insufficient")
                                             << QString::fromUtf8(text::kNpshInsufficient);
    QTest::newRow("far left of its best flow, region asked")
        << 70.0 << 3.0 << 30.0 << true << QStringLiteral("outside_preferred_region") << QString();
    QTest::newRow("far left of its best flow, region not asked") << 70.0 << 3.0 << 30.0 << false << QString()
                                                                 << QString();
}

void TestServiceConditions::rules()
{
    QFETCH(double, bestFlow);
    QFETCH(double, npshRequired);
    QFETCH(double, gauge);
    QFETCH(bool, preferredOnly);
    QFETCH(QString, rule);
    QFETCH(QString, checkMessage);
    const Catalogue catalogue = sheetCatalogue(bestFlow, npshRequired);
    ServiceConditions c = hotWater(gauge);
    c.preferredRegionOnly = preferredOnly;
    const auto design = runDesignSelection(catalogue, standardDuty(), c, literal(catalogue), {}, RejectedList::Listed);
    QVERIFY(design);
    if (rule.isEmpty()) {
        QCOMPARE(design->candidates.size(), std::size_t(1));
        QVERIFY(design->candidates[0].extras.npsh->ok);
    } else {
        QCOMPARE(design->candidates.size(), std::size_t(0));
        QCOMPARE(design->rejected.size(), std::size_t(1));
        QCOMPARE(QString::fromUtf8(rejectionRuleCode(design->rejected[0].rule)), rule);
        QVERIFY(design->rejected[0].margin && *design->rejected[0].margin > 0.0);
    }
    // Not asked for, the skipped pumps are not listed; the run is the same.
    const auto plain = runDesignSelection(catalogue, standardDuty(), c, literal(catalogue));
    QVERIFY(plain);
    QCOMPARE(plain->rejected.capacity(), std::size_t(0));
    QCOMPARE(plain->entries, design->entries);
    const auto check = runCheckCalculation(catalogue, standardDuty(), "P-1", c);
    if (checkMessage.isEmpty()) {
        QVERIFY(check);
        QCOMPARE(check->extras.inPreferredRegion, bestFlow == 50.0);
    } else {
        QVERIFY(!check);
        QCOMPARE(QString::fromStdString(check.error().message), checkMessage);
    }
}

void TestServiceConditions::trimToTheDuty()
{
    const Catalogue catalogue = sheetCatalogue(50.0, 3.0);
    ServiceConditions c;
    c.trim = true;
    const auto design = runDesignSelection(catalogue, standardDuty(), c, literal(catalogue));
    QVERIFY(design && design->candidates.size() == 1);
    const DesignCandidate& pump = design->candidates[0];
    const std::optional<TrimResult>& t = pump.extras.trim;
    QVERIFY(t && !t->limited);
    // Duty head 2.4375 + 25: r^2 H(40 / r) = 40 r^2 - 0.006 x 1600 on the
    // fitted curve, which is the parabola itself to 32-bit precision.
    const double r = std::sqrt((27.4375 + 9.6) / 40.0);
    QVERIFY2(std::fabs(t->ratio - r) < 1e-5, qPrintable(QString::number(t->ratio, 'g', 10)));
    QVERIFY(std::fabs(*t->diameter - 200.0 * t->ratio) < 1e-9);
    QVERIFY(t->shaftPower < pump.operatingPower);
    // The stored row keeps the full impeller's figures.
    COMPARE_EXACT(design->rows[0].operatingFlow, std::floor(10.0 * pump.operatingFlow + 0.5) / 10.0);
}

QTEST_APPLESS_MAIN(TestServiceConditions)
#include "tst_serviceconditions.moc"
