#include "calcwindow/performancechart.h"
#include "calcwindow/schematic.h"
#include "controls/uimetrics.h"
#include "tests/calcwindow/calcwindowfixture.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace tarnwick;
using tarnwick::testing::countColour;

namespace {

// A pump with H = 40 - 0.004 Q^2 and N = 3 + 0.05 Q against the duty
// 50 m3/h, 30 m, no static head.
ChartInput samplePump()
{
    ChartInput input;
    input.maxFlow = 80.0f;
    input.maxHead = 38.4f;
    input.maxPower = 7.0f;
    input.headFit.c = {40.0f, 0.0f, -0.004f, 0.0f};
    input.powerFit.c = {3.0f, 0.05f, 0.0f, 0.0f};
    input.request.flow = 50.0;
    input.request.resistance = 30.0;
    input.request.systemCoefficient = 30.0 / 2500.0;
    input.operatingFlow = std::sqrt(40.0 / (0.004 + 30.0 / 2500.0));
    input.operatingHead = 40.0 - 0.004 * input.operatingFlow * input.operatingFlow;
    input.headScale = designHeadScale(input.maxHead);
    return input;
}

struct Drawn
{
    ChartTicks ticks;
    QImage image;
};

Drawn draw(const ChartInput& input)
{
    PerformanceChart chart(nullptr);
    chart.resize(twipsSize(4600, 3200));
    chart.clearDrawing();
    Drawn drawn;
    drawn.ticks = drawPerformanceChart(chart, input);
    drawn.image = chart.drawing();
    return drawn;
}

QStringList strings(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromLatin1(item));
    return list;
}

QStringList texts(const std::array<QString, 5>& ticks)
{
    return QStringList(ticks.begin(), ticks.end());
}

} // namespace

class TestChartAndFit : public QObject
{
    Q_OBJECT

private slots:
    void ticks_data();
    void ticks();
    void headScales();
    void curvesAndPoints();
    void degenerateScales_data();
    void degenerateScales();
    void zeroPowerSkipsEfficiencyOnly();
    void smallPumpPowerScale_data();
    void smallPumpPowerScale();
    void dutyBeyondTheFlowScale();
    void fitSchematic_data();
    void fitSchematic();
    void viewerSizes();
};

void TestChartAndFit::ticks_data()
{
    QTest::addColumn<float>("maxFlow");
    QTest::addColumn<float>("maxPower");
    QTest::addColumn<float>("maxHead");
    QTest::addColumn<QStringList>("flow");
    QTest::addColumn<QStringList>("power");
    QTest::addColumn<QStringList>("head");
    QTest::newRow("flow 102.1, power 15, head 32.9")
        << 102.1f << 15.0f << 32.9f << strings({"28.6", "57.2", "85.8", "114.4", "143"})
        << strings({"3.6", "7.2", "10.8", "14.4", "18"}) << strings({"6.4", "12.8", "19.2", "25.6", "32"});
    QTest::newRow("whole steps") << 50.0f << 4.0f << 10.0f << strings({"14", "28", "42", "56", "70"})
                                 << strings({"1", "2", "3", "4", "5"}) << strings({"2", "4", "6", "8", "10"});
}

void TestChartAndFit::ticks()
{
    QFETCH(float, maxFlow);
    QFETCH(float, maxPower);
    QFETCH(float, maxHead);
    QFETCH(QStringList, flow);
    QFETCH(QStringList, power);
    QFETCH(QStringList, head);
    ChartInput input = samplePump();
    input.maxFlow = maxFlow;
    input.maxPower = maxPower;
    input.maxHead = maxHead;
    input.headScale = designHeadScale(maxHead);
    const Drawn drawn = draw(input);
    QCOMPARE(texts(drawn.ticks.flow), flow);
    QCOMPARE(texts(drawn.ticks.power), power);
    QCOMPARE(texts(drawn.ticks.head), head);
}

void TestChartAndFit::headScales()
{
    QCOMPARE(designHeadScale(32.9f), 32.0);
    QCOMPARE(checkHeadScale(32.9f), 39.0); // 1.2 x 32.9 + 0.5 = 39.98
    QCOMPARE(checkHeadScale(27.0f), 32.0);
    QCOMPARE(chartFlowRange(102.1f).value_or(-1), 143);
    QVERIFY(!chartFlowRange(0.2f));
    QVERIFY(!chartFlowRange(30000.0f)); // 42000 is beyond 16 bits
    QVERIFY(!chartFlowRange(std::numeric_limits<float>::quiet_NaN()));
}

void TestChartAndFit::curvesAndPoints()
{
    const ChartInput input = samplePump();
    const Drawn drawn = draw(input);
    const QImage& image = drawn.image;
    // X = 112, P = 8, Hs = 38: the head top is 57.
    const double w = image.width();
    const double h = image.height();
    auto pixel = [&](double q, double value, double top, double bottom) {
        return QPoint(static_cast<int>(std::floor(q / 112.0 * w)),
                      static_cast<int>(std::floor((top - value) / (top - bottom) * h)));
    };
    auto colourAt = [&](QPoint p) { return QColor(image.pixel(p)); };
    const double q = 60.0;
    QCOMPARE(colourAt(pixel(q, 40.0 - 0.004 * q * q, 57.0, 0.0)), headCurveColor());
    QCOMPARE(colourAt(pixel(q, 3.0 + 0.05 * q, 24.0, 0.0)), powerCurveColor());
    const double eta = q * (40.0 - 0.004 * q * q) / (3.672 * (3.0 + 0.05 * q));
    QCOMPARE(colourAt(pixel(q, eta, 100.0, -50.0)), efficiencyCurveColor());
    QCOMPARE(colourAt(pixel(10.0, 0.012 * 100.0, 57.0, 0.0)), systemCurveColor());

    // The pump curves run from 0.6 to 1.5 times the operating flow only.
    const double qop = input.operatingFlow;
    QCOMPARE(colourAt(pixel(0.5 * qop, 40.0 - 0.004 * 0.25 * qop * qop, 57.0, 0.0)), PerformanceChart::background());
    QCOMPARE(colourAt(pixel(1.4 * qop, 40.0 - 0.004 * 1.96 * qop * qop, 57.0, 0.0)), headCurveColor());

    // The duty point's circle: its rim one radius (X/100 flow units) left of
    // the centre, in green.
    const QPoint duty = pixel(50.0, 30.0, 57.0, 0.0);
    const int radius = static_cast<int>(std::lround(w / 100.0));
    bool rim = false;
    for (int dx = -1; dx <= 1; ++dx)
        rim = rim || colourAt(duty + QPoint(-radius + dx, 0)) == systemCurveColor();
    QVERIFY(rim);
    QVERIFY(countColour(image, headCurveColor()) > 100);
}

void TestChartAndFit::degenerateScales_data()
{
    QTest::addColumn<float>("maxFlow");
    QTest::addColumn<float>("maxPower");
    QTest::addColumn<float>("maxHead");
    QTest::addColumn<double>("operatingFlow");
    QTest::addColumn<bool>("flowTicks");
    QTest::addColumn<bool>("powerCurve");
    QTest::addColumn<bool>("headCurves");
    // The sample's power curve (3 kW and more) lies above this small scale's top.
    QTest::newRow("power below 0.42 kW") << 80.0f << 0.3f << 38.4f << -1.0 << true << false << true;
    QTest::newRow("head below 1 m") << 80.0f << 7.0f << 0.6f << -1.0 << true << true << false;
    QTest::newRow("flow range 0") << 0.2f << 7.0f << 38.4f << -1.0 << false << false << false;
    QTest::newRow("flow range beyond 16 bits") << 30000.0f << 7.0f << 38.4f << -1.0 << false << false << false;
    QTest::newRow("no operating flow") << 80.0f << 7.0f << 38.4f << std::numeric_limits<double>::quiet_NaN() << true
                                       << false << false;
}

void TestChartAndFit::degenerateScales()
{
    QFETCH(float, maxFlow);
    QFETCH(float, maxPower);
    QFETCH(float, maxHead);
    QFETCH(double, operatingFlow);
    QFETCH(bool, flowTicks);
    QFETCH(bool, powerCurve);
    QFETCH(bool, headCurves);
    ChartInput input = samplePump();
    input.maxFlow = maxFlow;
    input.maxPower = maxPower;
    input.maxHead = maxHead;
    input.headScale = designHeadScale(maxHead);
    if (operatingFlow >= 0.0 || std::isnan(operatingFlow))
        input.operatingFlow = operatingFlow;
    const Drawn drawn = draw(input);
    QCOMPARE(!drawn.ticks.flow[0].isEmpty(), flowTicks);
    QCOMPARE(countColour(drawn.image, powerCurveColor()) > 0, powerCurve);
    QCOMPARE(countColour(drawn.image, headCurveColor()) > 0, headCurves);
    QCOMPARE(countColour(drawn.image, systemCurveColor()) > 0, headCurves);
    if (maxPower < 0.4f) // a finer step, never a power scale of 0
        QCOMPARE(texts(drawn.ticks.power), strings({"0.08", "0.16", "0.24", "0.32", "0.4"}));
    if (maxHead < 1.0f)
        QVERIFY(drawn.ticks.head[0].isEmpty());
}

void TestChartAndFit::zeroPowerSkipsEfficiencyOnly()
{
    ChartInput input = samplePump();
    input.powerFit.c = {0.0f, 0.0f, 0.0f, 0.0f};
    const Drawn drawn = draw(input);
    QCOMPARE(countColour(drawn.image, efficiencyCurveColor()), 0);
    QVERIFY(countColour(drawn.image, headCurveColor()) > 0);
    // The zero power curve runs along the bottom edge, just outside the area.
    QVERIFY(countColour(drawn.image, systemCurveColor()) > 0);
}

void TestChartAndFit::smallPumpPowerScale_data()
{
    QTest::addColumn<float>("maxPower");
    QTest::addColumn<double>("scale");
    // floor(1.2 N + 0.5) in whole kW while that is above 0, else in the first
    // decimal place that gives more than 0.
    QTest::newRow("7 kW: whole kW") << 7.0f << 8.0;
    QTest::newRow("0.42 kW: still 1") << 0.42f << 1.0;
    QTest::newRow("0.3 kW: tenths") << 0.3f << 0.4;
    QTest::newRow("0.28 kW: tenths") << 0.28f << 0.3;
    QTest::newRow("0.05 kW: tenths, rounded up") << 0.05f << 0.1;
    QTest::newRow("0.03 kW: hundredths") << 0.03f << 0.04;
    QTest::newRow("0.004 kW: thousandths") << 0.004f << 0.005;
    QTest::newRow("no power") << 0.0f << 0.0;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 0.0;
}

void TestChartAndFit::smallPumpPowerScale()
{
    QFETCH(float, maxPower);
    QFETCH(double, scale);
    QVERIFY2(std::abs(chartPowerScale(maxPower) - scale) <= 1e-12 * std::max(1.0, scale),
             qPrintable(QString::number(chartPowerScale(maxPower), 'g', 17)));
    if (scale <= 0.0)
        return;
    // The pump's power curve is drawn on that scale: N = 0.8 P + 0.001 Q
    // stays between 0.8 P and 3 P over the drawn flows.
    ChartInput input = samplePump();
    input.maxPower = maxPower;
    input.powerFit.c = {static_cast<float>(0.8 * scale), static_cast<float>(0.001 * scale), 0.0f, 0.0f};
    const Drawn drawn = draw(input);
    QVERIFY(countColour(drawn.image, powerCurveColor()) > 50);
    QVERIFY(!drawn.ticks.power[4].isEmpty());
}

void TestChartAndFit::dutyBeyondTheFlowScale()
{
    // X = 112: a duty of 150 m3/h lies beyond the right border.
    ChartInput input = samplePump();
    input.request.flow = 150.0;
    input.request.systemCoefficient = 30.0 / (150.0 * 150.0);
    input.operatingFlow = std::sqrt(40.0 / (0.004 + input.request.systemCoefficient));
    input.operatingHead = 40.0 - 0.004 * input.operatingFlow * input.operatingFlow;
    const Drawn drawn = draw(input);
    const QImage& image = drawn.image;
    // At the border, at the duty's head (30 of 57), in the duty's colour:
    // the clipped circle and its chevron. The system curve meets the border
    // far below, at 0.00133 x 112^2 = 16.7.
    const int row = static_cast<int>(std::floor((57.0 - 30.0) / 57.0 * image.height()));
    int atBorder = 0;
    for (int x = image.width() - 12; x < image.width(); ++x) {
        for (int y = row - 12; y <= row + 12; ++y)
            atBorder += QColor(image.pixel(x, y)) == systemCurveColor() ? 1 : 0;
    }
    QVERIFY2(atBorder > 10, qPrintable(QString::number(atBorder)));
}

void TestChartAndFit::fitSchematic_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<float>("fittedWidth");
    QTest::addColumn<float>("fittedHeight");
    QTest::addColumn<int>("vMax");
    QTest::addColumn<int>("hMax");
    QTest::newRow("half as wide") << 2490.0f << 3075.0f << true << 4980.0f << 6150.0f << 3075 << 0;
    QTest::newRow("twice as wide") << 9960.0f << 3075.0f << true << 9960.0f << 3075.0f << 0 << 4980;
    QTest::newRow("viewport proportions") << 9960.0f << 6150.0f << true << 4980.0f << 3075.0f << 0 << 0;
    QTest::newRow("larger both ways, half to even") << 9960.0f << 9225.0f << true << 4980.0f << 4612.5f << 1538 << 0;
    QTest::newRow("no picture") << 0.0f << 0.0f << false << 0.0f << 0.0f << 0 << 0;
    QTest::newRow("no height") << 4980.0f << 0.0f << false << 0.0f << 0.0f << 0 << 0;
    QTest::newRow("very tall picture held at 16 bits")
        << 77.8125f << 3075.0f << true << 4980.0f << 196800.0f << 32767 << 0;
}

void TestChartAndFit::fitSchematic()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(bool, picture);
    QFETCH(float, fittedWidth);
    QFETCH(float, fittedHeight);
    QFETCH(int, vMax);
    QFETCH(int, hMax);
    const SchematicFit fit = tarnwick::fitSchematic(width, height);
    QCOMPARE(fit.hasPicture, picture);
    QCOMPARE(fit.width, fittedWidth);
    QCOMPARE(fit.height, fittedHeight);
    QCOMPARE(fit.verticalMaximum, vMax);
    QCOMPARE(fit.horizontalMaximum, hMax);
}

void TestChartAndFit::viewerSizes()
{
    SchematicViewer viewer(nullptr);
    viewer.setSizeMode(SchematicViewer::SizeMode::Natural);
    QImage picture(166, 205, QImage::Format_RGB32);
    picture.fill(Qt::white);
    viewer.setPicture(picture);
    QCOMPARE(viewer.widthTwips(), 2490.0f);
    QCOMPARE(viewer.heightTwips(), 3075.0f);
    // In stretch mode a new picture keeps the viewer's size.
    viewer.setSizeMode(SchematicViewer::SizeMode::Stretch);
    viewer.setSizeTwips(4980.0f, 6150.0f);
    viewer.setPicture(QImage(10, 10, QImage::Format_RGB32));
    QCOMPARE(viewer.size(), QSize(332, 410));
}

QTEST_MAIN(TestChartAndFit)
#include "tst_chartandfit.moc"
