// Reading numbers from the duty boxes, writing figures as text, and the
// rounding of shown and stored figures.

#include "coretesting.h"

#include "core/numbers.h"

#include <QTest>

#include <limits>

using namespace tarnwick;

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void numberText_data();
    void numberText();
    void displayNumberText_data();
    void displayNumberText();
    void roundedToTenth_data();
    void roundedToTenth();
    void wholePercent_data();
    void wholePercent();
    void bestEfficiencyFigure_data();
    void bestEfficiencyFigure();
};

void TestNumbers::val_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    const double inf = std::numeric_limits<double>::infinity();

    QTest::newRow("plain integer") << QByteArray("125") << 125.0;
    QTest::newRow("decimal") << QByteArray("12.5") << 12.5;
    QTest::newRow("second point ends the number") << QByteArray("12.5.3") << 12.5;
    QTest::newRow("blank inside the digits is dropped") << QByteArray("1 2") << 12.0;
    QTest::newRow("tab and line feed are dropped") << QByteArray("\t1\n2") << 12.0;
    QTest::newRow("carriage return ends the number") << QByteArray("1\r2") << 1.0;
    QTest::newRow("leading blanks") << QByteArray("   7") << 7.0;
    QTest::newRow("minus sign") << QByteArray("-3") << -3.0;
    QTest::newRow("plus sign") << QByteArray("+3") << 3.0;
    QTest::newRow("blank between sign and digits") << QByteArray("- 3") << -3.0;
    QTest::newRow("two signs") << QByteArray("--3") << 0.0;
    QTest::newRow("exponent e") << QByteArray("1e2") << 100.0;
    QTest::newRow("exponent E") << QByteArray("1E2") << 100.0;
    QTest::newRow("exponent D") << QByteArray("1D2") << 100.0;
    QTest::newRow("exponent d") << QByteArray("1d2") << 100.0;
    QTest::newRow("exponent with plus") << QByteArray("1e+2") << 100.0;
    QTest::newRow("negative exponent") << QByteArray("25e-1") << 2.5;
    QTest::newRow("exponent letter without digits") << QByteArray("1e") << 1.0;
    QTest::newRow("exponent sign without digits") << QByteArray("1e+") << 1.0;
    QTest::newRow("exponent ends at a point") << QByteArray("1e2.5") << 100.0;
    QTest::newRow("second exponent ignored") << QByteArray("1e1e1") << 10.0;
    QTest::newRow("other letter ends the number") << QByteArray("12x3") << 12.0;
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("only blanks") << QByteArray("  \t") << 0.0;
    QTest::newRow("letters") << QByteArray("abc") << 0.0;
    QTest::newRow("no hexadecimal prefix") << QByteArray("&H10") << 0.0;
    QTest::newRow("leading point") << QByteArray(".5") << 0.5;
    QTest::newRow("trailing point") << QByteArray("5.") << 5.0;
    QTest::newRow("lone point") << QByteArray(".") << 0.0;
    QTest::newRow("zero with decimals") << QByteArray("0.0") << 0.0;
    QTest::newRow("full-width digits are no digits") << QByteArray("１２") << 0.0;
    QTest::newRow("full-width digit ends the number") << QByteArray("1２") << 1.0;
    QTest::newRow("full-width point ends the number") << QByteArray("1．5") << 1.0;
    QTest::newRow("overflow gives infinity") << QByteArray("1e999") << inf;
    QTest::newRow("negative overflow") << QByteArray("-1e999") << -inf;
    QTest::newRow("underflow gives zero") << QByteArray("1e-999") << 0.0;
    QTest::newRow("subnormal kept") << QByteArray("1e-320") << 1e-320;
    QTest::newRow("400 digits overflow") << (QByteArray("1") + QByteArray(400, '0')) << inf;
    QTest::newRow("400 leading zeros underflow") << (QByteArray("0.") + QByteArray(400, '0') + "1") << 0.0;
    QTest::newRow("small mantissa, large exponent") << QByteArray("0.001e310") << 1e307;
    QTest::newRow("large mantissa, small exponent") << QByteArray("1000e-310") << 1e-307;
    QTest::newRow("huge exponent digits") << QByteArray("1e99999999999999999999") << inf;
    QTest::newRow("seventeen digits read exactly") << QByteArray("39.247747632346645") << 39.247747632346645;
}

void TestNumbers::val()
{
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    COMPARE_EXACT(Val(std::string_view(text.constData(), std::size_t(text.size()))), expected);
}

void TestNumbers::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole number") << 72.0 << QStringLiteral("72");
    QTest::newRow("one decimal") << 32.3 << QStringLiteral("32.3");
    QTest::newRow("hundred") << 100.0 << QStringLiteral("100");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("negative") << -2.5 << QStringLiteral("-2.5");
    // The flow ticks of a chart 143 m3/h wide: i * (143 / 5).
    QTest::newRow("tick 1 of 143") << 1 * (143 / 5.0) << QStringLiteral("28.6");
    QTest::newRow("tick 2 of 143") << 2 * (143 / 5.0) << QStringLiteral("57.2");
    QTest::newRow("tick 3 of 143 (85.80000000000001)") << 3 * (143 / 5.0) << QStringLiteral("85.8");
    QTest::newRow("tick 4 of 143") << 4 * (143 / 5.0) << QStringLiteral("114.4");
    QTest::newRow("tick 5 of 143") << 5 * (143 / 5.0) << QStringLiteral("143");
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << QStringLiteral("0.3");
    QTest::newRow("a third has 15 digits") << 1 / 3.0 << QStringLiteral("0.333333333333333");
    QTest::newRow("two thirds rounds the 15th digit") << 2 / 3.0 << QStringLiteral("0.666666666666667");
    QTest::newRow("fifteen integer digits") << 999999999999999.0 << QStringLiteral("999999999999999");
    QTest::newRow("sixteen digits cut to fifteen") << 123456.7890123456 << QStringLiteral("123456.789012346");
    QTest::newRow("no thousands separator") << 1234567.0 << QStringLiteral("1234567");
}

void TestNumbers::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(coretesting::qs(tarnwick::numberText(value)), expected);
}

void TestNumbers::displayNumberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("stored32Bit");
    QTest::addColumn<QString>("expected");

    // A 32-bit 2.1 read as a double is 2.0999999046325684.
    const double stored = static_cast<double>(2.1f);
    QTest::newRow("32-bit 2.1 shows as typed") << stored << true << QStringLiteral("2.1");
    QTest::newRow("the same double held in 64 bits") << stored << false << QStringLiteral("2.09999990463257");
    QTest::newRow("32-bit 0.3") << static_cast<double>(0.3f) << true << QStringLiteral("0.3");
    QTest::newRow("32-bit whole percent") << 81.0 << true << QStringLiteral("81");
    QTest::newRow("not a 32-bit value stays") << 28.6 << true << QStringLiteral("28.6");
    QTest::newRow("64-bit flow") << 48.25 << false << QStringLiteral("48.25");
}

void TestNumbers::displayNumberText()
{
    QFETCH(double, value);
    QFETCH(bool, stored32Bit);
    QFETCH(QString, expected);
    QCOMPARE(coretesting::qs(tarnwick::displayNumberText(value, stored32Bit)), expected);
}

void TestNumbers::roundedToTenth_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("half goes up") << 32.25 << 32.3;
    QTest::newRow("below half goes down") << 32.249 << 32.2;
    QTest::newRow("99.95 becomes 100") << 99.95 << 100.0;
    QTest::newRow("whole number stays") << 40.0 << 40.0;
    QTest::newRow("zero") << 0.0 << 0.0;
    // Half up, not away from zero: floor(10x + 0.5) / 10.
    QTest::newRow("negative half goes up") << -0.25 << -0.2;
    QTest::newRow("negative below half") << -0.26 << -0.3;
}

void TestNumbers::roundedToTenth()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    COMPARE_EXACT(tarnwick::roundedToTenth(value), expected);
}

void TestNumbers::wholePercent_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("68.97 is cut to 68") << 68.97 << 68.0;
    QTest::newRow("whole number stays") << 65.0 << 65.0;
    QTest::newRow("just below a whole number") << 64.99999999999999 << 64.0;
    QTest::newRow("negative goes down, not toward zero") << -0.5 << -1.0;
}

void TestNumbers::wholePercent()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    COMPARE_EXACT(tarnwick::wholePercent(value), expected);
}

void TestNumbers::bestEfficiencyFigure_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("expected");

    QTest::newRow("71.2 gives 72") << 71.2f << 72.0f;
    QTest::newRow("71.0 gives 72 as well") << 71.0f << 72.0f;
    QTest::newRow("71.9 gives 72") << 71.9f << 72.0f;
    QTest::newRow("zero gives 1") << 0.0f << 1.0f;
    QTest::newRow("80 gives 81") << 80.0f << 81.0f;
}

void TestNumbers::bestEfficiencyFigure()
{
    QFETCH(float, value);
    QFETCH(float, expected);
    COMPARE_EXACT(tarnwick::bestEfficiencyFigure(value), expected);
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
