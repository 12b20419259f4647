// Fitting the head and power curves, the best point efficiency and the
// operating point on the system curve.

#include "coretesting.h"
#include "referencevalues.h"

#include "core/curvefit.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <random>

using namespace tarnwick;
using coretesting::bitsOf;
using coretesting::fromBits;

namespace {

using FloatList = std::vector<float>;
using Bits = std::vector<std::uint32_t>;

template <std::size_t N> FloatList listOf(const std::array<float, N>& values)
{
    return FloatList(values.begin(), values.end());
}

template <std::size_t N> Bits bitsList(const std::array<std::uint32_t, N>& values)
{
    return Bits(values.begin(), values.end());
}

NormalEquations equationsFromBits(const Bits& matrix, const Bits& rhs)
{
    NormalEquations eq;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            eq.a[i][j] = fromBits(matrix[std::size_t(i * 4 + j)]);
        eq.b[i] = fromBits(rhs[std::size_t(i)]);
    }
    return eq;
}

QString coefficientBits(const CurveFit& fit)
{
    return coretesting::bitsText(Bits{bitsOf(fit.c[0]), bitsOf(fit.c[1]), bitsOf(fit.c[2]), bitsOf(fit.c[3])});
}

QString bitsText(const Bits& bits)
{
    return coretesting::bitsText(bits);
}

double cubicAt(const std::array<double, 4>& c, double q)
{
    return c[0] + c[1] * q + c[2] * q * q + c[3] * q * q * q;
}

const double notCompared = std::numeric_limits<double>::quiet_NaN();

} // namespace

Q_DECLARE_METATYPE(FloatList)
Q_DECLARE_METATYPE(Bits)
Q_DECLARE_METATYPE(OperatingPoint::Outcome)

class TestCurveFit : public QObject
{
    Q_OBJECT

private slots:
    void normalEquationBits_data();
    void normalEquationBits();
    void normalEquationsAsOnePowerCallPerTerm_data();
    void normalEquationsAsOnePowerCallPerTerm();
    void luSolveBits_data();
    void luSolveBits();
    void fitCurveBits();
    void cubicFromFourExactPoints_data();
    void cubicFromFourExactPoints();
    void reducedDegree_data();
    void reducedDegree();
    void failedFits_data();
    void failedFits();
    void failureMarkerLeavesOtherCoefficients();
    void curveEvaluation();
    void bestEfficiency_data();
    void bestEfficiency();
    void operatingPoint_data();
    void operatingPoint();
    void operatingPointBits();
};

void TestCurveFit::normalEquationBits_data()
{
    QTest::addColumn<FloatList>("flows");
    QTest::addColumn<FloatList>("values");
    QTest::addColumn<Bits>("matrix");
    QTest::addColumn<Bits>("rhs");

    using namespace reference;
    QTest::newRow("five points, heads") << listOf(kFlows5) << listOf(kHeads5) << bitsList(kMatrix5)
                                        << bitsList(kHeadRhs5);
    QTest::newRow("five points, powers") << listOf(kFlows5) << listOf(kPowers5) << bitsList(kMatrix5)
                                         << bitsList(kPowerRhs5);
    QTest::newRow("six points, heads") << listOf(kFlows6) << listOf(kHeads6) << bitsList(kMatrix6)
                                       << bitsList(kHeadRhs6);
    QTest::newRow("three distinct flows") << listOf(kFlows3) << listOf(kHeads3) << bitsList(kMatrix3)
                                          << bitsList(kHeadRhs3);
}

void TestCurveFit::normalEquationBits()
{
    QFETCH(FloatList, flows);
    QFETCH(FloatList, values);
    QFETCH(Bits, matrix);
    QFETCH(Bits, rhs);

    NormalEquations eq;
    eq.a[2][1] = 99.0f; // must be cleared first
    eq.b[3] = 99.0f;
    normalequations(eq, values, flows);
    QCOMPARE(eq.a[0][0], static_cast<float>(flows.size()));
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            QCOMPARE(bitsOf(eq.a[i][j]), matrix[std::size_t(i * 4 + j)]);
        QCOMPARE(bitsOf(eq.b[i]), rhs[std::size_t(i)]);
    }
}

// The sums as first written, every term its own std::pow call: the fit's
// figures are stored, so forming each power once must not change one bit.
void TestCurveFit::normalEquationsAsOnePowerCallPerTerm_data()
{
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    QTest::addColumn<int>("fits");

    QTest::newRow("small pumps, 0.1 to 20 m3/h") << 0.1 << 20.0 << 50000;
    QTest::newRow("catalogue flows, 5 to 2000 m3/h") << 5.0 << 2000.0 << 50000;
    QTest::newRow("large pumps, 1000 to 30000 m3/h") << 1000.0 << 30000.0 << 50000;
    QTest::newRow("from 1e-4 to 1e5, zero included") << 1e-4 << 1e5 << 50000;
}

void TestCurveFit::normalEquationsAsOnePowerCallPerTerm()
{
    QFETCH(double, lowest);
    QFETCH(double, highest);
    QFETCH(int, fits);

    std::mt19937 random(20261207u);
    std::uniform_real_distribution<double> logFlow(std::log(lowest), std::log(highest));
    std::uniform_real_distribution<double> value(0.0, 120.0);
    std::uniform_int_distribution<int> count(3, 8);
    int different = 0;
    for (int fit = 0; fit < fits; ++fit) {
        FloatList flows;
        FloatList values;
        const int n = count(random);
        for (int k = 0; k < n; ++k) {
            flows.push_back(k == 0 && lowest < 1e-3 ? 0.0f : static_cast<float>(std::exp(logFlow(random))));
            values.push_back(static_cast<float>(value(random)));
        }
        NormalEquations literal;
        for (std::size_t k = 0; k < flows.size(); ++k) {
            const double x = static_cast<double>(flows[k]);
            for (int i = 0; i < 4; ++i) {
                for (int j = 0; j < 4; ++j)
                    literal.a[i][j] =
                        static_cast<float>(static_cast<double>(literal.a[i][j]) + std::pow(x, static_cast<double>(i + j)));
                literal.b[i] = static_cast<float>(static_cast<double>(literal.b[i]) +
                                                  static_cast<double>(values[k]) * std::pow(x, static_cast<double>(i)));
            }
        }
        NormalEquations eq;
        normalequations(eq, values, flows);
        bool same = true;
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j)
                same = same && bitsOf(eq.a[i][j]) == bitsOf(literal.a[i][j]);
            same = same && bitsOf(eq.b[i]) == bitsOf(literal.b[i]);
        }
        different += same ? 0 : 1;
    }
    QCOMPARE(different, 0);
}

void TestCurveFit::luSolveBits_data()
{
    QTest::addColumn<Bits>("matrix");
    QTest::addColumn<Bits>("rhs");
    QTest::addColumn<int>("order");
    QTest::addColumn<Bits>("expected");

    using namespace reference;
    QTest::newRow("cubic of five points, heads") << bitsList(kMatrix5) << bitsList(kHeadRhs5) << 4
                                                 << bitsList(kHeadFit5);
    QTest::newRow("cubic of five points, powers") << bitsList(kMatrix5) << bitsList(kPowerRhs5) << 4
                                                  << bitsList(kPowerFit5);
    QTest::newRow("cubic of six points") << bitsList(kMatrix6) << bitsList(kHeadRhs6) << 4 << bitsList(kHeadFit6);
    QTest::newRow("leading 3 x 3 block") << bitsList(kMatrix3) << bitsList(kHeadRhs3) << 3
                                         << bitsList(kQuadraticFit3);
    // Singular in exact arithmetic; the rounded factorisation still finds pivots.
    QTest::newRow("whole 4 x 4 of three flows") << bitsList(kMatrix3) << bitsList(kHeadRhs3) << 4
                                                << bitsList(kLiteralFit3);
}

void TestCurveFit::luSolveBits()
{
    QFETCH(Bits, matrix);
    QFETCH(Bits, rhs);
    QFETCH(int, order);
    QFETCH(Bits, expected);

    CurveFit fit;
    fit.c = {1.0f, 2.0f, 3.0f, 4.0f};
    lusolve(equationsFromBits(matrix, rhs), fit, order);
    QCOMPARE(coefficientBits(fit), bitsText(expected));
}

void TestCurveFit::fitCurveBits()
{
    using namespace reference;
    QCOMPARE(coefficientBits(fitCurve(listOf(kHeads5), listOf(kFlows5))), bitsText(bitsList(kHeadFit5)));
    QCOMPARE(coefficientBits(fitCurve(listOf(kPowers5), listOf(kFlows5))), bitsText(bitsList(kPowerFit5)));
    QCOMPARE(coefficientBits(fitCurve(listOf(kHeads6), listOf(kFlows6))), bitsText(bitsList(kHeadFit6)));
    // Three distinct flows: the quadratic, not the noise of the whole system.
    QCOMPARE(coefficientBits(fitCurve(listOf(kHeads3), listOf(kFlows3))), bitsText(bitsList(kQuadraticFit3)));
}

void TestCurveFit::cubicFromFourExactPoints_data()
{
    QTest::addColumn<FloatList>("flows");
    QTest::addColumn<double>("c1");
    QTest::addColumn<double>("c2");
    QTest::addColumn<double>("c3");
    QTest::addColumn<double>("c4");

    // Coefficients and points are exact binary fractions, so the points lie
    // exactly on the cubic.
    QTest::newRow("small flows") << FloatList{0, 1, 2, 3} << 2.0 << 0.5 << -0.25 << 0.125;
    QTest::newRow("pump-like, from zero flow") << FloatList{0, 8, 16, 24} << 48.0 << 0.25 << -0.0078125
                                               << -0.0001220703125;
    QTest::newRow("pump-like, away from zero") << FloatList{10, 30, 50, 70} << 40.0 << 0.125 << -0.001953125
                                               << -0.0000152587890625;
    QTest::newRow("points in falling order") << FloatList{70, 50, 30, 10} << 40.0 << 0.125 << -0.001953125
                                             << -0.0000152587890625;
}

void TestCurveFit::cubicFromFourExactPoints()
{
    QFETCH(FloatList, flows);
    QFETCH(double, c1);
    QFETCH(double, c2);
    QFETCH(double, c3);
    QFETCH(double, c4);

    const std::array<double, 4> exact = {c1, c2, c3, c4};
    FloatList heads;
    double largest = 0.0;
    for (float q : flows) {
        const double h = cubicAt(exact, double(q));
        QCOMPARE(static_cast<double>(static_cast<float>(h)), h);
        heads.push_back(static_cast<float>(h));
        largest = std::max(largest, std::abs(h));
    }

    const CurveFit fit = fitCurve(heads, flows);
    QVERIFY(!fit.failed());
    QVERIFY(fit.c[3] != 0.0f); // a true cubic, not a reduced one
    // Rounding in the normal equations is amplified by their condition; one part
    // in 100000 of the largest head is still far below a catalogue's precision.
    const auto [lowest, highest] = std::minmax_element(flows.begin(), flows.end());
    for (int k = 0; k <= 20; ++k) {
        const double q = double(*lowest) + (double(*highest) - double(*lowest)) * k / 20.0;
        QVERIFY2(std::abs(fit.valueAt(q) - cubicAt(exact, q)) <= 1e-5 * largest,
                 qPrintable(QStringLiteral("at %1: fit %2, cubic %3").arg(q).arg(fit.valueAt(q)).arg(cubicAt(exact, q))));
    }
}

void TestCurveFit::reducedDegree_data()
{
    QTest::addColumn<FloatList>("flows");
    QTest::addColumn<double>("c1");
    QTest::addColumn<double>("c2");
    QTest::addColumn<double>("c3");

    // Fewer than four distinct flows do not determine a cubic: the fit is the
    // polynomial of the degree the points do determine.
    QTest::newRow("three distinct flows: quadratic") << FloatList{20, 40, 60} << 50.0 << 0.0 << -0.001953125;
    QTest::newRow("three distinct flows, one twice") << FloatList{20, 40, 40, 60} << 50.0 << 0.0 << -0.001953125;
    QTest::newRow("three distinct flows, five points") << FloatList{60, 20, 40, 60, 20} << 30.0 << 0.25
                                                       << -0.00390625;
    QTest::newRow("two distinct flows: line") << FloatList{10, 30} << 25.0 << -0.5 << 0.0;
    QTest::newRow("two distinct flows, three points") << FloatList{10, 10, 30} << 25.0 << -0.5 << 0.0;
}

void TestCurveFit::reducedDegree()
{
    QFETCH(FloatList, flows);
    QFETCH(double, c1);
    QFETCH(double, c2);
    QFETCH(double, c3);

    const std::array<double, 4> exact = {c1, c2, c3, 0.0};
    FloatList heads;
    for (float q : flows)
        heads.push_back(static_cast<float>(cubicAt(exact, double(q))));

    const CurveFit fit = fitCurve(heads, flows);
    QVERIFY(!fit.failed());
    QCOMPARE(fit.c[3], 0.0f);
    if (c3 == 0.0)
        QCOMPARE(fit.c[2], 0.0f);
    for (float q : flows)
        QVERIFY2(std::abs(fit.valueAt(double(q)) - cubicAt(exact, double(q))) <= 1e-4,
                 qPrintable(QStringLiteral("at %1: fit %2").arg(double(q)).arg(fit.valueAt(double(q)))));
    QVERIFY(std::abs(double(fit.c[0]) - c1) <= 1e-4);
    QVERIFY(std::abs(double(fit.c[1]) - c2) <= 1e-5);
    QVERIFY(std::abs(double(fit.c[2]) - c3) <= 1e-7);
}

void TestCurveFit::failedFits_data()
{
    QTest::addColumn<FloatList>("flows");

    QTest::newRow("all points at one flow") << FloatList{50, 50, 50, 50};
    QTest::newRow("three points at one flow") << FloatList{50, 50, 50};
    QTest::newRow("all points at zero flow") << FloatList{0, 0, 0};
    QTest::newRow("single point") << FloatList{50};
    QTest::newRow("no points") << FloatList{};
}

void TestCurveFit::failedFits()
{
    QFETCH(FloatList, flows);
    const FloatList heads(flows.size(), 30.0f);
    const CurveFit fit = fitCurve(heads, flows);
    QCOMPARE(fit.c[0], 10000000.0f);
    QVERIFY(fit.failed());
}

void TestCurveFit::failureMarkerLeavesOtherCoefficients()
{
    // The whole system of points at one flow: the second pivot is exactly 0.
    NormalEquations eq;
    normalequations(eq, FloatList{30, 31, 32}, FloatList{10, 10, 10});
    CurveFit fit;
    fit.c = {1.0f, 2.0f, 3.0f, 4.0f};
    lusolve(eq, fit);
    QCOMPARE(coretesting::floatsText(fit.c), QStringLiteral("10000000 2 3 4"));

    // Zero matrix: the first pivot is 0.
    CurveFit zero;
    zero.c = {5.0f, 6.0f, 7.0f, 8.0f};
    lusolve(NormalEquations{}, zero);
    QCOMPARE(coretesting::floatsText(zero.c), QStringLiteral("10000000 6 7 8"));
}

void TestCurveFit::curveEvaluation()
{
    // 3 * c4 needs more than 24 bits here: the slope uses it rounded to 32
    // bits, the value uses the coefficients as they are.
    CurveFit fit;
    fit.c = {40.0f, 0.5f, fromBits(0x3c7fffff), fromBits(0xb87fffff)};
    const double q = 37.5;
    const double c3 = double(fit.c[2]);
    const double c4 = double(fit.c[3]);
    const float twoC3 = static_cast<float>(2.0 * c3);
    const float threeC4 = static_cast<float>(3.0 * c4);
    QVERIFY(double(threeC4) != 3.0 * c4);
    COMPARE_EXACT(fit.valueAt(q), ((40.0 + 0.5 * q) + c3 * (q * q)) + c4 * std::pow(q, 3.0));
    COMPARE_EXACT(fit.slopeAt(q), (0.5 + double(twoC3) * q) + double(threeC4) * (q * q));
}

void TestCurveFit::bestEfficiency_data()
{
    QTest::addColumn<FloatList>("flows");
    QTest::addColumn<FloatList>("heads");
    QTest::addColumn<FloatList>("powers");
    QTest::addColumn<float>("expected");
    QTest::addColumn<FloatList>("work"); // empty: not compared

    using namespace reference;
    QTest::newRow("62, 71.5, 71.5, 68") << listOf(kEfficiencyFlows) << listOf(kEfficiencyHeads)
                                        << listOf(kEfficiencyPowers) << 71.5f << FloatList{62.0f, 71.5f, 71.5f, 68.0f};
    FloatList thirdZero = listOf(kEfficiencyPowers);
    thirdZero[2] = 0.0f;
    QTest::newRow("zero power at the third point") << listOf(kEfficiencyFlows) << listOf(kEfficiencyHeads)
                                                   << thirdZero << 0.0f << FloatList{};
    FloatList firstZero = listOf(kEfficiencyPowers);
    firstZero[0] = 0.0f;
    QTest::newRow("zero power at the first point") << listOf(kEfficiencyFlows) << listOf(kEfficiencyHeads)
                                                   << firstZero << 0.0f << FloatList{};
    FloatList lastZero = listOf(kEfficiencyPowers);
    lastZero[3] = 0.0f;
    QTest::newRow("zero power at the last point") << listOf(kEfficiencyFlows) << listOf(kEfficiencyHeads)
                                                  << lastZero << 0.0f << FloatList{};
    // The largest of the point efficiencies, even when all are negative.
    QTest::newRow("all efficiencies negative")
        << FloatList{10, 10} << FloatList{-36.72f, -18.36f} << FloatList{1, 1}
        << static_cast<float>((10.0 * double(-18.36f)) / (1.0 * 3.672)) << FloatList{};
}

void TestCurveFit::bestEfficiency()
{
    QFETCH(FloatList, flows);
    QFETCH(FloatList, heads);
    QFETCH(FloatList, powers);
    QFETCH(float, expected);
    QFETCH(FloatList, work);

    std::vector<float> pointEfficiencies;
    COMPARE_FLOAT_BITS(efficency(heads, flows, powers, pointEfficiencies), bitsOf(expected));
    if (!work.empty())
        QCOMPARE(coretesting::floatsText(pointEfficiencies), coretesting::floatsText(work));
}

void TestCurveFit::operatingPoint_data()
{
    QTest::addColumn<FloatList>("fit");
    QTest::addColumn<double>("systemCoefficient");
    QTest::addColumn<float>("staticHead");
    QTest::addColumn<double>("designFlow");
    QTest::addColumn<OperatingPoint::Outcome>("outcome");
    QTest::addColumn<double>("flow");   // NaN: not compared
    QTest::addColumn<int>("updates");   // -1: not compared

    using O = OperatingPoint::Outcome;
    const float inf = std::numeric_limits<float>::infinity();
    const float fnan = std::numeric_limits<float>::quiet_NaN();

    // H = 50 - Q^2/256 meets H = 34/4096 Q^2 at 64 exactly: F(Q0) = 0.
    QTest::newRow("exact intersection at the design flow")
        << FloatList{50, 0, -0.00390625f, 0} << 34.0 / 4096.0 << 0.0f << 64.0 << O::Converged << 64.0 << 1;
    // c3 equal to S leaves a straight difference: one step to the root, one to confirm.
    QTest::newRow("straight difference") << FloatList{86.4375f, -2, 0.015625f, 0} << 0.015625 << 2.4375f << 40.0
                                         << O::Converged << 42.0 << 2;
    // F' = 0.5 + 2 (-2^-9 - 2^-9) 64 = 0: the slope uses c3 - S, not c3.
    QTest::newRow("zero derivative at the start")
        << FloatList{50, 0.5f, -0.001953125f, 0} << 0.001953125 << 0.0f << 64.0 << O::ZeroDerivativeAtStart << 64.0
        << 0;
    // F = -4 - (Q - 8)^2 from Q0 = 10: the step lands on the vertex where F' = 0.
    QTest::newRow("zero derivative after a step") << FloatList{-68, 16, -1, 0} << 0.0 << 0.0f << 10.0
                                                  << O::ZeroDerivativeAfterStep << 8.0 << 1;
    QTest::newRow("zero derivative after a step, with S and static head")
        << FloatList{72.5f, -2.125f, 0.01953125f, 0} << 0.00390625 << 0.0f << 64.0 << O::ZeroDerivativeAfterStep
        << 68.0 << 1;
    // F = (Q - 10)^3 - 2 (Q - 10) + 2: Newton cycles 10, 11, 10, ... in exact arithmetic.
    QTest::newRow("endless cycle stops at the bound") << FloatList{-978, 298, -30, 1} << 0.0 << 0.0f << 10.0
                                                      << O::NoSolution << notCompared << 1000;
    // No root: pump curve above the system curve everywhere.
    QTest::newRow("no root wanders to the bound") << FloatList{100, 0, 0.0078125f, 0} << 0.00390625 << 0.0f << 64.0
                                                  << O::NoSolution << notCompared << 1000;
    // A tiny start slope throws the iterate to -3e199, where the cubic overflows.
    QTest::newRow("diverging to infinity") << FloatList{1, 0, 0, 1} << 0.0 << 0.0f << 1e-100 << O::NoSolution << notCompared
                                           << 1;
    QTest::newRow("NaN constant term") << FloatList{fnan, -1, 0, 0} << 0.001 << 0.0f << 50.0 << O::NoSolution << notCompared
                                       << -1;
    QTest::newRow("NaN slope term") << FloatList{40, fnan, 0, 0} << 0.001 << 0.0f << 50.0 << O::NoSolution << notCompared << -1;
    QTest::newRow("infinite cubic term") << FloatList{40, -1, 0, inf} << 0.001 << 0.0f << 50.0 << O::NoSolution << notCompared
                                         << -1;
}

void TestCurveFit::operatingPoint()
{
    QFETCH(FloatList, fit);
    QFETCH(double, systemCoefficient);
    QFETCH(float, staticHead);
    QFETCH(double, designFlow);
    QFETCH(OperatingPoint::Outcome, outcome);
    QFETCH(double, flow);
    QFETCH(int, updates);

    CurveFit head;
    std::copy(fit.begin(), fit.end(), head.c.begin());
    const OperatingPoint point = findOperatingPoint(head, systemCoefficient, staticHead, designFlow);
    QCOMPARE(int(point.outcome), int(outcome));
    if (!std::isnan(flow))
        COMPARE_EXACT(point.flow, flow);
    if (updates >= 0)
        QCOMPARE(point.updates, updates);
}

void TestCurveFit::operatingPointBits()
{
    using namespace reference;
    CurveFit head;
    for (int i = 0; i < 4; ++i)
        head.c[std::size_t(i)] = fromBits(kHeadFit5[std::size_t(i)]);
    const double s = 30.0 / (45.0 * 45.0);
    const OperatingPoint point = findOperatingPoint(head, s, 2.0f, 45.0);
    QCOMPARE(int(point.outcome), int(OperatingPoint::Outcome::Converged));
    QCOMPARE(point.updates, kOperatingUpdates5);
    COMPARE_EXACT(point.flow, kOperatingFlow5);
    QCOMPARE(bitsOf(point.adjustedC3), kOperatingC3Adjusted5);
    COMPARE_EXACT(operatingHeadAt(head, point, s), kOperatingHead5);

    // The chart's head curve has c3 = f32(c3' + S), which is not the fitted c3.
    const CurveFit chart = chartHeadFit(head, point, s);
    QCOMPARE(bitsOf(chart.c[2]), kChartC3_5);
    QVERIFY(bitsOf(chart.c[2]) != bitsOf(head.c[2]));
    QCOMPARE(chart.c[0], head.c[0]);
    QCOMPARE(chart.c[1], head.c[1]);
    QCOMPARE(chart.c[3], head.c[3]);
}

QTEST_APPLESS_MAIN(TestCurveFit)
#include "tst_curvefit.moc"
