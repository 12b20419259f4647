// The pump at the liquid and the plant: viscosity correction, NPSH, the
// preferred region, the impeller cut and the measured system curve.

#include "core/fluid.h"
#include "core/npsh.h"
#include "core/preferredregion.h"
#include "core/systemfit.h"
#include "core/trim.h"
#include "core/viscositycorrection.h"

#include <QTest>

#include <cmath>

using namespace tarnwick;

class TestPumpDuty : public QObject
{
    Q_OBJECT

private slots:
    void viscosityParameterInUsUnits_data();
    void viscosityParameterInUsUnits();
    void viscosityFactors_data();
    void viscosityFactors();
    void npsh_data();
    void npsh();
    void preferredRegion_data();
    void preferredRegion();
    void trim_data();
    void trim();
    void systemFit_data();
    void systemFit();
};

void TestPumpDuty::viscosityParameterInUsUnits_data()
{
    QTest::addColumn<double>("nu");   // cSt
    QTest::addColumn<double>("flow"); // m3/h
    QTest::addColumn<double>("head"); // m
    QTest::addColumn<double>("speed");
    // ANSI/HI 9.6.7-2010, Example 1 (water performance known): 110 m3/h,
    // 77 m, 2950 r/min, 120 cSt.
    QTest::newRow("HI 9.6.7 example 1") << 120.0 << 110.0 << 77.0 << 2950.0;
    QTest::newRow("40 % glycol, small pump") << 4.7 << 12.0 << 20.0 << 2900.0;
    QTest::newRow("cold water, large pump") << 1.57 << 400.0 << 30.0 << 1450.0;
}

void TestPumpDuty::viscosityParameterInUsUnits()
{
    QFETCH(double, nu);
    QFETCH(double, flow);
    QFETCH(double, head);
    QFETCH(double, speed);
    // The standard's US form, B = 26.6 nu^0.5 H^0.0625 / (Q^0.375 N^0.25) with
    // Q in US gpm and H in ft (as quoted in Engineered Software's knowledge
    // base, "Change in Viscosity Correction Formulas"), must give the same B
    // as the SI form to the rounding of its constants.
    const double gpm = flow * 1000.0 / 3.785411784 / 60.0;
    const double feet = head / 0.3048;
    const double us = 26.6 * std::sqrt(nu) * std::pow(feet, 0.0625) / (std::pow(gpm, 0.375) * std::pow(speed, 0.25));
    const ViscosityCorrection c = viscosityCorrection(nu, flow, head, speed);
    QVERIFY2(std::fabs(c.b - us) <= 0.005 * us, qPrintable(QStringLiteral("%1 %2").arg(c.b).arg(us)));
}

void TestPumpDuty::viscosityFactors_data()
{
    QTest::addColumn<double>("nu");
    QTest::newRow("water-like, B below 1") << 1.0;
    QTest::newRow("glycol") << 8.0;
    QTest::newRow("HI example viscosity") << 120.0;
    QTest::newRow("heavy oil, B beyond 40") << 4000.0;
}

void TestPumpDuty::viscosityFactors()
{
    QFETCH(double, nu);
    const double qBep = 110.0, hBep = 77.0, speed = 2950.0;
    const ViscosityCorrection c = viscosityCorrection(nu, qBep, hBep, speed);
    if (!c.needed()) {
        QCOMPARE(c.cq, 1.0);
        QCOMPARE(c.ceta, 1.0);
        QCOMPARE(c.headFactor(0.5 * qBep, qBep), 1.0);
        return;
    }
    if (c.outOfRange()) {
        QVERIFY(c.b >= 40.0);
        return;
    }
    // Every factor reduces; the head factor equals CQ at the best-efficiency
    // flow and tends to 1 at shut-off; a thicker liquid reduces more.
    QVERIFY(c.cq < 1.0 && c.cq > 0.0);
    QVERIFY(c.ceta < 1.0 && c.ceta > 0.0);
    QCOMPARE(c.headFactor(qBep, qBep), c.cq);
    QCOMPARE(c.headFactor(0.0, qBep), 1.0);
    QVERIFY(c.headFactor(0.5 * qBep, qBep) > c.cq);
    const ViscosityCorrection thicker = viscosityCorrection(nu * 1.5, qBep, hBep, speed);
    QVERIFY(thicker.b > c.b && thicker.cq < c.cq && thicker.ceta < c.ceta);

    // The liquid's points: flow and head shrink, the shaft power of the
    // liquid follows rho g Q H / eta.
    CurvePoints water;
    water.add(60.0f, 85.0f, 24.0f);
    water.add(110.0f, 77.0f, 34.0f);
    water.add(150.0f, 62.0f, 40.0f);
    const double densityRatio = 0.9;
    const CurvePoints liquid = liquidPoints(water, c, qBep, densityRatio);
    for (std::size_t k = 0; k < water.size(); ++k) {
        const double q = water.flow[k], h = water.head[k], p = water.power[k];
        const double etaWater = q * h / (3.672 * p);
        const double etaLiquid = c.ceta * etaWater;
        const double expected = densityRatio * liquid.flow[k] * liquid.head[k] / (3.672 * etaLiquid);
        QVERIFY(std::fabs(liquid.power[k] - expected) <= 1e-5 * expected);
        QCOMPARE(liquid.flow[k], static_cast<float>(q * c.cq));
    }
}

void TestPumpDuty::npsh_data()
{
    QTest::addColumn<double>("gauge");   // kPa at the inlet
    QTest::addColumn<double>("celsius"); // water
    QTest::addColumn<double>("rated");   // NPSHr at the rated flow, m
    QTest::addColumn<double>("flowShare"); // operating / rated flow
    QTest::addColumn<double>("speedShare");
    QTest::addColumn<bool>("ok");
    QTest::newRow("hot water, low suction pressure") << 30.0 << 95.0 << 3.0 << 1.0 << 1.0 << true;
    QTest::newRow("hot water, pump beyond its rated flow") << 30.0 << 95.0 << 3.0 << 1.3 << 1.0 << false;
    QTest::newRow("near boiling") << 0.0 << 99.0 << 2.0 << 0.8 << 1.0 << false;
    QTest::newRow("cold water, large NPSHr") << 0.0 << 10.0 << 8.5 << 1.0 << 1.0 << true;
    QTest::newRow("half speed") << 30.0 << 95.0 << 6.0 << 1.0 << 0.5 << true;
}

void TestPumpDuty::npsh()
{
    QFETCH(double, gauge);
    QFETCH(double, celsius);
    QFETCH(double, rated);
    QFETCH(double, flowShare);
    QFETCH(double, speedShare);
    QFETCH(bool, ok);
    const auto water = fluidProperties({FluidKind::Water, 0.0, celsius});
    const double absolute = gauge + 101.325;
    const double available = npshAvailable(absolute, water->vapourPressure, water->density);
    // (p - pv) / (rho g) by hand, Pa over N/m3.
    QVERIFY(std::fabs(available - (absolute - water->vapourPressure) * 1e3 / (water->density * 9.80665)) < 1e-9);

    const double ratedFlow = 50.0;
    const std::optional<double> required = npshRequired(rated, ratedFlow, flowShare * ratedFlow, speedShare);
    QVERIFY(required);
    const double growth = flowShare > 1.0 ? flowShare * flowShare : 1.0;
    QVERIFY(std::fabs(*required - rated * growth * speedShare * speedShare) < 1e-12);
    const NpshCheck check = checkNpsh(available, *required);
    // ANSI/HI 9.6.1: at least 1.1 NPSHr and NPSHr + 0.6 m.
    QCOMPARE(check.needed, std::max(1.1 * *required, *required + 0.6));
    QCOMPARE(check.ok, ok);
    QVERIFY(!npshRequired(std::nullopt, ratedFlow, ratedFlow));
}

void TestPumpDuty::preferredRegion_data()
{
    QTest::addColumn<double>("speed");
    QTest::addColumn<double>("flow");
    QTest::addColumn<double>("head");
    QTest::addColumn<double>("low");
    // Ns = N Q^0.5 / H^0.75 in r/min, US gpm and ft.
    QTest::newRow("radial HVAC pump") << 1450.0 << 100.0 << 20.0 << 0.70;
    QTest::newRow("high specific speed") << 2900.0 << 800.0 << 10.0 << 0.80;
}

void TestPumpDuty::preferredRegion()
{
    QFETCH(double, speed);
    QFETCH(double, flow);
    QFETCH(double, head);
    QFETCH(double, low);
    // 1 m3/s = 15 850.32 US gpm, 1 m = 3.28084 ft (rounded conversions).
    const double expected = speed * std::sqrt(flow / 3600.0 * 15850.32) / std::pow(head * 3.28084, 0.75);
    const double ns = specificSpeedUs(speed, flow, head);
    QVERIFY2(std::fabs(ns - expected) <= 1e-5 * expected, qPrintable(QString::number(ns)));
    const PreferredRegion region = tarnwick::preferredRegion(ns);
    QCOMPARE(region.low, low);
    QCOMPARE(region.high, 1.20);
    QVERIFY(region.contains(low) && region.contains(1.2) && !region.contains(low - 0.01) && !region.contains(1.21));
}

void TestPumpDuty::trim_data()
{
    QTest::addColumn<double>("dutyFlow");
    QTest::addColumn<double>("dutyHead");
    QTest::addColumn<double>("maxTrim");
    QTest::addColumn<bool>("limited");
    QTest::newRow("small cut") << 40.0 << 30.0 << 15.0 << false;
    QTest::newRow("cut of about 10 %") << 30.0 << 28.0 << 15.0 << false;
    QTest::newRow("cut beyond the largest") << 30.0 << 20.0 << 15.0 << true;
    QTest::newRow("the same cut allowed") << 30.0 << 20.0 << 30.0 << false;
}

void TestPumpDuty::trim()
{
    QFETCH(double, dutyFlow);
    QFETCH(double, dutyHead);
    QFETCH(double, maxTrim);
    QFETCH(bool, limited);
    // H = 40 - 0.004 Q^2, so r^2 H(Qd / r) = 40 r^2 - 0.004 Qd^2 and
    // r = sqrt((Hd + 0.004 Qd^2) / 40) in closed form. P = 2 + 0.05 Q.
    CurveFit head;
    head.c = {40.0f, 0.0f, -0.004f, 0.0f};
    CurveFit power;
    power.c = {2.0f, 0.05f, 0.0f, 0.0f};
    const double a = 40.0, b = static_cast<double>(-0.004f);
    const double r = std::sqrt((dutyHead - b * dutyFlow * dutyFlow) / a);
    const std::optional<TrimResult> t = trimToDuty(head, power, dutyFlow, dutyHead, maxTrim, 250.0);
    QVERIFY(t);
    QCOMPARE(t->limited, limited);
    if (limited) {
        QCOMPARE(t->ratio, 1.0);
        QCOMPARE(*t->diameter, 250.0);
        return;
    }
    QVERIFY2(std::fabs(t->ratio - r) < 1e-12, qPrintable(QStringLiteral("%1 %2").arg(t->ratio).arg(r)));
    QVERIFY(std::fabs(*t->diameter - 250.0 * r) < 1e-9);
    // Residual: the cut impeller meets the duty.
    QVERIFY(std::fabs(t->ratio * t->ratio * head.valueAt(dutyFlow / t->ratio) - dutyHead) < 1e-9);
    const double q = dutyFlow / r;
    QVERIFY(std::fabs(t->shaftPower - r * r * r * (2.0 + static_cast<double>(0.05f) * q)) < 1e-9);
    QVERIFY(std::fabs(t->efficiency - q * head.valueAt(q) / (3.672 * power.valueAt(q))) < 1e-9);
    // A cut saves power: less than the full impeller at its own operating point.
    QVERIFY(t->shaftPower < power.valueAt(dutyFlow));
}

void TestPumpDuty::systemFit_data()
{
    QTest::addColumn<QList<double>>("flows");
    QTest::addColumn<QList<double>>("heads");
    QTest::addColumn<double>("staticHead"); // NaN: fitted
    QTest::addColumn<double>("expectedStatic");
    QTest::addColumn<double>("expectedK");
    QTest::addColumn<QString>("message");
    const double nan = std::nan("");
    // H = 5 + 0.002 Q^2 exactly.
    QTest::newRow("exact points") << QList<double>{50, 100, 150} << QList<double>{10, 25, 50} << nan << 5.0 << 0.002
                                  << QString();
    // Symmetric errors of +-0.5 m about H = 4 + 0.001 Q^2 at x = Q^2 of
    // 10 000, 20 000 (twice, +0.5 and -0.5) and 30 000 leave the line as it is.
    QTest::newRow("scattered points")
        << QList<double>{100, std::sqrt(20000.0), std::sqrt(20000.0), std::sqrt(30000.0)}
        << QList<double>{14.0, 24.5, 23.5, 34.0} << nan << 4.0 << 0.001 << QString();
    QTest::newRow("static head given") << QList<double>{100, 200, 300} << QList<double>{13, 43, 93} << 3.0 << 3.0
                                       << 0.001 << QString();
    // H = 0.008 Q^2: 0.008 has no exact binary form and the fitted static
    // head comes out a rounding below 0; it is 0, not an error.
    QTest::newRow("closed loop, no exact binary coefficient")
        << QList<double>{25, 50, 60} << QList<double>{5, 20, 28.8} << nan << 0.0 << 0.008 << QString();
    QTest::newRow("static head clearly below 0") << QList<double>{100, 200, 300} << QList<double>{9, 39, 89} << nan
                                                 << 0.0 << 0.0 << QStringLiteral("静扬程小于0");
    QTest::newRow("two points") << QList<double>{100, 200} << QList<double>{13, 43} << nan << 0.0 << 0.0
                                << QStringLiteral("至少需要3个");
    QTest::newRow("one flow") << QList<double>{100, 100, 100} << QList<double>{13, 14, 15} << nan << 0.0 << 0.0
                              << QStringLiteral("各不相同");
    QTest::newRow("head falls with flow") << QList<double>{100, 200, 300} << QList<double>{30, 20, 10} << nan << 0.0
                                          << 0.0 << QStringLiteral("不大于0");
}

void TestPumpDuty::systemFit()
{
    QFETCH(QList<double>, flows);
    QFETCH(QList<double>, heads);
    QFETCH(double, staticHead);
    QFETCH(double, expectedStatic);
    QFETCH(double, expectedK);
    QFETCH(QString, message);
    std::vector<std::pair<double, double>> points;
    for (qsizetype i = 0; i < flows.size(); ++i)
        points.emplace_back(flows[i], heads[i]);
    const auto fit = fitSystemCurve(points, std::isnan(staticHead) ? std::nullopt : std::optional<double>(staticHead));
    if (!message.isEmpty()) {
        QVERIFY(!fit);
        QVERIFY2(QString::fromStdString(fit.error()).contains(message), fit.error().c_str());
        return;
    }
    QVERIFY(fit);
    QVERIFY2(std::fabs(fit->staticHead - expectedStatic) < 1e-9, qPrintable(QString::number(fit->staticHead, 'g', 17)));
    QVERIFY2(std::fabs(fit->coefficient - expectedK) < 1e-12, qPrintable(QString::number(fit->coefficient, 'g', 17)));
    QVERIFY(std::fabs(fit->resistanceAt(120.0) - expectedK * 14400.0) < 1e-8);
}

QTEST_APPLESS_MAIN(TestPumpDuty)
#include "tst_pumpduty.moc"
