// Properties of the liquids against published tables.

#include "core/fluid.h"

#include <QTest>

#include <cmath>

using namespace tarnwick;

class TestFluid : public QObject
{
    Q_OBJECT

private slots:
    void saturationPressure_data();
    void saturationPressure();
    void water_data();
    void water();
    void propyleneGlycol_data();
    void propyleneGlycol();
    void glycolsFollowConcentrationAndTemperature_data();
    void glycolsFollowConcentrationAndTemperature();
    void outsideTheTables_data();
    void outsideTheTables();
};

void TestFluid::saturationPressure_data()
{
    QTest::addColumn<double>("kelvin");
    QTest::addColumn<double>("megapascal");
    // IAPWS R7-97 (2012), Table 35: values from equation 30 for checking a
    // program, nine significant figures.
    QTest::newRow("300 K") << 300.0 << 0.353658941e-2;
    QTest::newRow("500 K") << 500.0 << 0.263889776e1;
    QTest::newRow("600 K") << 600.0 << 0.123443146e2;
}

void TestFluid::saturationPressure()
{
    QFETCH(double, kelvin);
    QFETCH(double, megapascal);
    const double p = waterSaturationPressure(kelvin);
    QVERIFY2(std::fabs(p - megapascal) <= 5e-9 * megapascal, qPrintable(QString::number(p, 'g', 12)));
}

void TestFluid::water_data()
{
    QTest::addColumn<double>("celsius");
    QTest::addColumn<double>("density");   // g/cm3
    QTest::addColumn<double>("viscosity"); // mPa s
    // Density and viscosity of water from the International Critical Tables
    // (1928, 1929), as tabulated in the Encyclopedia of Environmental Science
    // and Engineering (5th ed., 2005), Appendix, Table 2: temperatures between
    // the nodes of the program's own table.
    QTest::newRow("4 °C, densest") << 4.0 << 1.00000 << 1.5676;
    QTest::newRow("5 °C, largest interpolation span") << 5.0 << 0.99999 << 1.5188;
    QTest::newRow("15 °C") << 15.0 << 0.99913 << 1.1447;
    QTest::newRow("25 °C") << 25.0 << 0.99707 << 0.8949;
    QTest::newRow("37 °C") << 37.0 << 0.99336 << 0.6925;
}

void TestFluid::water()
{
    QFETCH(double, celsius);
    QFETCH(double, density);
    QFETCH(double, viscosity);
    const auto p = fluidProperties({FluidKind::Water, 0.0, celsius});
    QVERIFY(p);
    QVERIFY2(std::fabs(p->density / 1000.0 - density) <= 0.001 * density, qPrintable(QString::number(p->density)));
    const double dynamic = p->kinematicViscosity * p->density / 1000.0;
    QVERIFY2(std::fabs(dynamic - viscosity) <= 0.01 * viscosity, qPrintable(QString::number(dynamic)));
    QCOMPARE(p->vapourPressure, 1000.0 * waterSaturationPressure(celsius + 273.15));
}

void TestFluid::propyleneGlycol_data()
{
    QTest::addColumn<double>("share");
    QTest::addColumn<double>("celsius");
    QTest::addColumn<double>("density");  // kg/m3, 0 where the table gives none
    QTest::addColumn<double>("freezing"); // °C
    // Airedale DeltaChill chiller manual, "Glycol Design Data": propylene
    // glycol density and freezing point by mass share. Commercial fluids carry
    // inhibitors, which the pure mixture of the program's fit does not: the
    // densities agree to 0.6 %, the freezing points to 0.6 K.
    QTest::newRow("20 %, 0 °C") << 20.0 << 0.0 << 1025.8 << -7.1;
    QTest::newRow("25 %, 10 °C") << 25.0 << 10.0 << 1027.6 << -9.6;
    QTest::newRow("30 %, 20 °C") << 30.0 << 20.0 << 1028.4 << -12.7;
    QTest::newRow("35 %, 30 °C") << 35.0 << 30.0 << 1027.3 << -16.4;
    QTest::newRow("40 %, 45 °C") << 40.0 << 45.0 << 1022.2 << -21.1;
}

void TestFluid::propyleneGlycol()
{
    QFETCH(double, share);
    QFETCH(double, celsius);
    QFETCH(double, density);
    QFETCH(double, freezing);
    const auto p = fluidProperties({FluidKind::PropyleneGlycol, share, celsius});
    QVERIFY(p);
    QVERIFY2(std::fabs(p->density - density) <= 0.006 * density, qPrintable(QString::number(p->density)));
    const double low = temperatureRange(FluidKind::PropyleneGlycol, share).low;
    QVERIFY2(std::fabs(low - freezing) <= 0.6, qPrintable(QString::number(low)));
    // The mixture's vapour pressure is taken as water's.
    QCOMPARE(p->vapourPressure, 1000.0 * waterSaturationPressure(celsius + 273.15));
}

void TestFluid::glycolsFollowConcentrationAndTemperature_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("ethylene glycol") << static_cast<int>(FluidKind::EthyleneGlycol);
    QTest::newRow("propylene glycol") << static_cast<int>(FluidKind::PropyleneGlycol);
}

void TestFluid::glycolsFollowConcentrationAndTemperature()
{
    QFETCH(int, kind);
    const auto k = static_cast<FluidKind>(kind);
    // More glycol: denser, more viscous, freezing lower. Warmer: lighter and
    // thinner. Everywhere denser and more viscous than water.
    for (double t : {0.0, 20.0, 60.0, 95.0}) {
        double lastDensity = 0.0, lastViscosity = 0.0, lastFreezing = 1.0;
        for (double w = 10.0; w <= 60.0; w += 10.0) {
            const auto p = fluidProperties({k, w, t});
            QVERIFY(p);
            const auto water = fluidProperties({FluidKind::Water, 0.0, t});
            QVERIFY(p->density > water->density);
            QVERIFY(p->kinematicViscosity > water->kinematicViscosity);
            QVERIFY(p->density > lastDensity);
            QVERIFY(p->kinematicViscosity * p->density > lastViscosity);
            const double freezing = temperatureRange(k, w).low;
            QVERIFY(freezing < lastFreezing);
            lastDensity = p->density;
            lastViscosity = p->kinematicViscosity * p->density;
            lastFreezing = freezing;
            const auto warmer = fluidProperties({k, w, t + 5.0});
            QVERIFY(warmer->density < p->density);
            QVERIFY(warmer->kinematicViscosity < p->kinematicViscosity);
        }
    }
}

void TestFluid::outsideTheTables_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("share");
    QTest::addColumn<double>("celsius");
    QTest::addColumn<QString>("message");
    QTest::newRow("water below 0 °C") << 0 << 0.0 << -1.0 << QStringLiteral("水的温度应在0.0～100.0℃之间！请重新输入。");
    QTest::newRow("water above 100 °C") << 0 << 0.0 << 100.5 << QStringLiteral("水的温度应在0.0～100.0℃之间");
    QTest::newRow("glycol too weak") << 1 << 5.0 << 20.0 << QStringLiteral("浓度应在10.0～60.0%（质量）之间");
    QTest::newRow("glycol too strong") << 2 << 65.0 << 20.0 << QStringLiteral("浓度应在10.0～60.0%");
    QTest::newRow("glycol below its freezing point") << 1 << 20.0 << -9.0 << QStringLiteral("乙二醇水溶液的温度应在-7.9～100.0℃之间");
}

void TestFluid::outsideTheTables()
{
    QFETCH(int, kind);
    QFETCH(double, share);
    QFETCH(double, celsius);
    QFETCH(QString, message);
    const auto p = fluidProperties({static_cast<FluidKind>(kind), share, celsius});
    QVERIFY(!p);
    QVERIFY2(QString::fromStdString(p.error()).contains(message), p.error().c_str());
}

QTEST_APPLESS_MAIN(TestFluid)
#include "tst_fluid.moc"
