// The unit choosers, reading and validating the duty.

#include "coretesting.h"

#include "core/numbers.h"
#include "core/units.h"

#include <QTest>

using namespace tarnwick;
using coretesting::qs;

namespace {

const QString resistanceMessage = QStringLiteral("管路阻力应在0～2MPa之间！请重新输入。");
const QString flowMessage = QStringLiteral("流量应在0～10000m3/h之间！请重新输入。");
const QString staticHeadMessage = QStringLiteral("静扬程应在0～2MPa之间！请重新输入。");

QStringList itemTexts(const auto& items)
{
    QStringList texts;
    for (std::string_view item : items)
        texts << QString::fromUtf8(item.data(), qsizetype(item.size()));
    return texts;
}

} // namespace

class TestUnits : public QObject
{
    Q_OBJECT

private slots:
    void unitItems();
    void flowConversion_data();
    void flowConversion();
    void pressureConversion_data();
    void pressureConversion();
    void threeBarShownAs30_6();
    void validation_data();
    void validation();
    void convertedRequest_data();
    void convertedRequest();
    void staticHeadHeldIn32Bit();
    void systemCoefficient();
};

void TestUnits::unitItems()
{
    QCOMPARE(itemTexts(FlowUnit::items),
             QStringList({QStringLiteral("kg/h"), QStringLiteral("kg/s"), QStringLiteral("L/h"), QStringLiteral("L/s"),
                          QStringLiteral("m3/h"), QStringLiteral("m3/s"), QStringLiteral("t/h")}));
    QCOMPARE(itemTexts(PressureUnit::items),
             QStringList({QStringLiteral("atm"), QStringLiteral("bar"), QStringLiteral("kgf/cm2"), QStringLiteral("mH2O"),
                          QStringLiteral("mmH2O"), QStringLiteral("MPa"), QStringLiteral("Pa")}));
    QCOMPARE(itemTexts(FlowUnit::items).at(FlowUnit::defaultIndex), QStringLiteral("m3/h"));
    QCOMPARE(itemTexts(PressureUnit::items).at(PressureUnit::defaultIndex), QStringLiteral("mH2O"));
}

void TestUnits::flowConversion_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("expected");

    // 9 / 1000 and 9 * 0.001 differ in the last bit: the unit divides.
    QTest::newRow("kg/h") << 9.0 << QStringLiteral("kg/h") << 9.0 / 1000.0;
    QTest::newRow("kg/s: 50 gives 180") << 50.0 << QStringLiteral("kg/s") << 180.0;
    QTest::newRow("kg/s") << 7.0 << QStringLiteral("kg/s") << 7.0 * 3.6;
    QTest::newRow("L/h") << 9.0 << QStringLiteral("L/h") << 9.0 / 1000.0;
    QTest::newRow("L/s") << 7.0 << QStringLiteral("L/s") << 7.0 * 3.6;
    QTest::newRow("m3/h") << 7.0 << QStringLiteral("m3/h") << 7.0;
    QTest::newRow("m3/s") << 0.7 << QStringLiteral("m3/s") << 0.7 * 3600.0;
    QTest::newRow("t/h") << 7.0 << QStringLiteral("t/h") << 7.0;
    QTest::newRow("unknown text unchanged") << 7.0 << QStringLiteral("gpm") << 7.0;
    QTest::newRow("letter case matters") << 7.0 << QStringLiteral("l/s") << 7.0;
    QTest::newRow("trailing blank matters") << 7.0 << QStringLiteral("L/s ") << 7.0;
    QTest::newRow("empty unit") << 7.0 << QString() << 7.0;
}

void TestUnits::flowConversion()
{
    QFETCH(double, value);
    QFETCH(QString, unit);
    QFETCH(double, expected);
    COMPARE_EXACT(FlowUnit::toCubicMetresPerHour(value, unit.toStdString()), expected);
}

void TestUnits::pressureConversion_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("expected");

    QTest::newRow("atm") << 3.0 << QStringLiteral("atm") << 3.0 * 10.33;
    QTest::newRow("bar: 3 gives 30.6") << 3.0 << QStringLiteral("bar") << 3.0 * 10.2;
    QTest::newRow("kgf/cm2") << 3.0 << QStringLiteral("kgf/cm2") << 30.0;
    QTest::newRow("mH2O") << 3.5 << QStringLiteral("mH2O") << 3.5;
    QTest::newRow("mmH2O: 2500 gives 2.5") << 2500.0 << QStringLiteral("mmH2O") << 2.5;
    QTest::newRow("mmH2O divides") << 9.0 << QStringLiteral("mmH2O") << 9.0 / 1000.0;
    QTest::newRow("MPa") << 2.0 << QStringLiteral("MPa") << 204.0;
    QTest::newRow("Pa") << 2000000.0 << QStringLiteral("Pa") << 204.0;
    QTest::newRow("Pa factor") << 3.0 << QStringLiteral("Pa") << 3.0 * 0.000102;
    QTest::newRow("unknown text unchanged") << 3.0 << QStringLiteral("kPa") << 3.0;
    QTest::newRow("letter case matters") << 3.0 << QStringLiteral("mpa") << 3.0;
}

void TestUnits::pressureConversion()
{
    QFETCH(double, value);
    QFETCH(QString, unit);
    QFETCH(double, expected);
    COMPARE_EXACT(PressureUnit::toMetresOfWater(value, unit.toStdString()), expected);
}

void TestUnits::threeBarShownAs30_6()
{
    // 3 x 10.2 is 30.599999999999998 in 64 bits; fifteen digits show 30.6.
    QCOMPARE(qs(numberText(PressureUnit::toMetresOfWater(3.0, "bar"))), QStringLiteral("30.6"));
}

void TestUnits::validation_data()
{
    QTest::addColumn<DutyTexts>("texts");
    QTest::addColumn<QString>("message"); // empty when the duty is accepted
    QTest::addColumn<int>("focus");

    using coretesting::duty;
    auto withUnits = [](DutyTexts t, const char* resistanceUnit, const char* flowUnit, const char* staticUnit) {
        t.resistanceUnit = resistanceUnit;
        t.flowUnit = flowUnit;
        t.staticHeadUnit = staticUnit;
        return t;
    };

    QTest::newRow("ordinary duty") << duty("20", "100", "10") << QString() << -1;

    // Flow limits, inclusive.
    QTest::newRow("flow 10000 accepted") << duty("20", "10000", "0") << QString() << -1;
    QTest::newRow("flow 10000.01 rejected") << duty("20", "10000.01", "0") << flowMessage << 1;
    QTest::newRow("flow 2777.78 L/s rejected") << withUnits(duty("20", "2777.78", "0"), "mH2O", "L/s", "mH2O")
                                               << flowMessage << 1;
    QTest::newRow("flow 2777.77 L/s accepted") << withUnits(duty("20", "2777.77", "0"), "mH2O", "L/s", "mH2O")
                                               << QString() << -1;
    QTest::newRow("flow 0 rejected") << duty("20", "0", "0") << flowMessage << 1;
    QTest::newRow("flow empty rejected") << duty("20", "", "0") << flowMessage << 1;
    QTest::newRow("negative flow rejected") << duty("20", "-5", "0") << flowMessage << 1;
    QTest::newRow("flow whose square underflows") << duty("20", "1e-200", "0") << flowMessage << 1;
    QTest::newRow("flow whose coefficient overflows") << duty("20", "1e-160", "0") << flowMessage << 1;
    QTest::newRow("flow overflowing to infinity") << duty("20", "1e999", "0") << flowMessage << 1;
    QTest::newRow("tiny flow still usable") << duty("20", "1e-100", "0") << QString() << -1;

    // Resistance limits: 2 MPa = 204 m, inclusive.
    QTest::newRow("resistance 2 MPa accepted") << withUnits(duty("2", "100", "0"), "MPa", "m3/h", "mH2O") << QString()
                                               << -1;
    QTest::newRow("resistance 2000000 Pa accepted") << withUnits(duty("2000000", "100", "0"), "Pa", "m3/h", "mH2O")
                                                    << QString() << -1;
    QTest::newRow("resistance 204 mH2O accepted") << duty("204", "100", "0") << QString() << -1;
    QTest::newRow("resistance 2.01 MPa rejected") << withUnits(duty("2.01", "100", "0"), "MPa", "m3/h", "mH2O")
                                                  << resistanceMessage << 0;
    QTest::newRow("resistance 205 rejected") << duty("205", "100", "0") << resistanceMessage << 0;
    QTest::newRow("resistance 204.0000001 rejected") << duty("204.0000001", "100", "0") << resistanceMessage << 0;
    QTest::newRow("resistance 0 rejected") << duty("0", "100", "0") << resistanceMessage << 0;
    QTest::newRow("resistance empty rejected") << duty("", "100", "0") << resistanceMessage << 0;
    QTest::newRow("resistance text 0 has no exception") << duty("0", "100", "5") << resistanceMessage << 0;
    QTest::newRow("negative resistance rejected") << duty("-5", "100", "0") << resistanceMessage << 0;
    QTest::newRow("resistance overflowing to infinity") << duty("1e999", "100", "0") << resistanceMessage << 0;
    QTest::newRow("resistance in unknown unit unchanged") << withUnits(duty("150", "100", "0"), "kPa", "m3/h", "mH2O")
                                                          << QString() << -1;

    // Static head: zero only as the exact text "0".
    QTest::newRow("static head text 0 accepted") << duty("20", "100", "0") << QString() << -1;
    QTest::newRow("static head 0.0 rejected") << duty("20", "100", "0.0") << staticHeadMessage << 2;
    QTest::newRow("static head 00 rejected") << duty("20", "100", "00") << staticHeadMessage << 2;
    QTest::newRow("static head blank 0 rejected") << duty("20", "100", " 0") << staticHeadMessage << 2;
    QTest::newRow("static head 0 blank rejected") << duty("20", "100", "0 ") << staticHeadMessage << 2;
    QTest::newRow("static head empty rejected") << duty("20", "100", "") << staticHeadMessage << 2;
    QTest::newRow("static head zero only in 32 bits") << duty("20", "100", "1e-50") << staticHeadMessage << 2;
    QTest::newRow("static head 0 MPa accepted") << withUnits(duty("20", "100", "0"), "mH2O", "m3/h", "MPa")
                                                << QString() << -1;
    QTest::newRow("static head 204 accepted") << duty("20", "100", "204") << QString() << -1;
    QTest::newRow("static head 2 MPa accepted") << withUnits(duty("20", "100", "2"), "mH2O", "m3/h", "MPa")
                                                << QString() << -1;
    QTest::newRow("static head 205 rejected") << duty("20", "100", "205") << staticHeadMessage << 2;
    QTest::newRow("negative static head rejected") << duty("20", "100", "-1") << staticHeadMessage << 2;

    // The first failing box wins: resistance, then flow, then static head.
    QTest::newRow("resistance and flow bad") << duty("0", "0", "5") << resistanceMessage << 0;
    QTest::newRow("all three bad") << duty("205", "10001", "00") << resistanceMessage << 0;
    QTest::newRow("flow and static head bad") << duty("20", "-1", "00") << flowMessage << 1;
    QTest::newRow("resistance and static head bad") << duty("", "100", "") << resistanceMessage << 0;
}

void TestUnits::validation()
{
    QFETCH(DutyTexts, texts);
    QFETCH(QString, message);
    QFETCH(int, focus);

    const auto request = readSelectionRequest(texts);
    if (message.isEmpty()) {
        QVERIFY2(request.ok(), qPrintable(qs(request.ok() ? std::string() : request.error().message)));
        QVERIFY(std::isfinite(request->systemCoefficient));
        QVERIFY(request->systemCoefficient > 0.0);
    } else {
        QVERIFY(!request.ok());
        QCOMPARE(qs(request.error().message), message);
        QCOMPARE(request.error().focusIndex, focus);
    }
}

void TestUnits::convertedRequest_data()
{
    QTest::addColumn<DutyTexts>("texts");
    QTest::addColumn<double>("resistance");
    QTest::addColumn<double>("flow");
    QTest::addColumn<float>("staticHead");

    using coretesting::duty;
    DutyTexts units = duty("3", "50", "2500");
    units.resistanceUnit = "bar";
    units.flowUnit = "kg/s";
    units.staticHeadUnit = "mmH2O";
    QTest::newRow("bar, kg/s, mmH2O") << units << 3.0 * 10.2 << 180.0 << 2.5f;

    // The static head is rounded to 32 bits when read and again after converting.
    DutyTexts atm = duty("20", "100", "0.3");
    atm.staticHeadUnit = "atm";
    const float once = static_cast<float>(0.3);
    QTest::newRow("static head rounded twice")
        << atm << 20.0 << 100.0 << static_cast<float>(static_cast<double>(once) * 10.33);

    QTest::newRow("pasted texts") << duty(" 2 0", "1e2", "12.5.3") << 20.0 << 100.0 << 12.5f;
}

void TestUnits::convertedRequest()
{
    QFETCH(DutyTexts, texts);
    QFETCH(double, resistance);
    QFETCH(double, flow);
    QFETCH(float, staticHead);

    const auto request = readSelectionRequest(texts);
    QVERIFY(request.ok());
    COMPARE_EXACT(request->resistance, resistance);
    COMPARE_EXACT(request->flow, flow);
    COMPARE_FLOAT_BITS(request->staticHead, coretesting::bitsOf(staticHead));
    QCOMPARE(qs(request->staticHeadText), qs(texts.staticHead));
}

void TestUnits::staticHeadHeldIn32Bit()
{
    const auto request = readSelectionRequest(coretesting::duty("5.1", "100", "5.1"));
    QVERIFY(request.ok());
    COMPARE_EXACT(request->staticHead, 5.099999904632568);
    COMPARE_EXACT(request->resistance, 5.1);

    // Single rounding of 0.3 atm would give 3.0989999771118164.
    DutyTexts atm = coretesting::duty("20", "100", "0.3");
    atm.staticHeadUnit = "atm";
    const auto twice = readSelectionRequest(atm);
    QVERIFY(twice.ok());
    COMPARE_EXACT(twice->staticHead, 3.0990002155303955);
}

void TestUnits::systemCoefficient()
{
    const auto request = readSelectionRequest(coretesting::duty("20", "100", "10"));
    QVERIFY(request.ok());
    COMPARE_EXACT(request->systemCoefficient, 0.002);
    // The system curve passes through static head + resistance at the design flow.
    COMPARE_EXACT(static_cast<double>(request->staticHead) + request->systemCoefficient * 100.0 * 100.0, 30.0);
}

QTEST_APPLESS_MAIN(TestUnits)
#include "tst_units.moc"
