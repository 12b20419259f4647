// Fit quality against an independent least-squares fit in long double.

#include "coretesting.h"

#include "core/fitquality.h"

#include <QTest>

#include <array>
#include <cmath>

using namespace tarnwick;
using namespace coretesting;

namespace {

// Least-squares cubic by Gaussian elimination with partial pivoting on the
// normal equations, in long double.
std::array<long double, 4> referenceCubic(const std::vector<float>& x, const std::vector<float>& y)
{
    long double m[4][5] = {};
    for (std::size_t k = 0; k < x.size(); ++k) {
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j)
                m[i][j] += std::pow(static_cast<long double>(x[k]), i + j);
            m[i][4] += static_cast<long double>(y[k]) * std::pow(static_cast<long double>(x[k]), i);
        }
    }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r) {
            if (std::fabs(m[r][c]) > std::fabs(m[pivot][c]))
                pivot = r;
        }
        std::swap(m[c], m[pivot]);
        for (int r = c + 1; r < 4; ++r) {
            const long double f = m[r][c] / m[c][c];
            for (int j = c; j < 5; ++j)
                m[r][j] -= f * m[c][j];
        }
    }
    std::array<long double, 4> coefficients{};
    for (int i = 3; i >= 0; --i) {
        long double s = m[i][4];
        for (int j = i + 1; j < 4; ++j)
            s -= m[i][j] * coefficients[j];
        coefficients[i] = s / m[i][i];
    }
    return coefficients;
}

struct ReferenceQuality
{
    double deviationPercent;
    double r2;
};

ReferenceQuality referenceQuality(const std::vector<float>& x, const std::vector<float>& y)
{
    const auto c = referenceCubic(x, y);
    long double largest = y[0], mean = 0, deviation = 0, residual = 0, total = 0;
    for (float v : y) {
        largest = std::max<long double>(largest, v);
        mean += v;
    }
    mean /= y.size();
    for (std::size_t k = 0; k < x.size(); ++k) {
        const long double q = x[k];
        const long double e = c[0] + c[1] * q + c[2] * q * q + c[3] * q * q * q - y[k];
        deviation = std::max(deviation, std::fabs(e));
        residual += e * e;
        total += (y[k] - mean) * (y[k] - mean);
    }
    return {static_cast<double>(100 * deviation / largest), static_cast<double>(1 - residual / total)};
}

CurvePoints pointsOf(const Points& list)
{
    CurvePoints points;
    for (const Point& p : list)
        points.add(p.flow, p.head, p.power);
    return points;
}

} // namespace

class TestFitQuality : public QObject
{
    Q_OBJECT

private slots:
    void againstReference_data();
    void againstReference();
    void figuresThatCannotBeFormed();
};

void TestFitQuality::againstReference_data()
{
    QTest::addColumn<Points>("points");
    QTest::newRow("on a cubic") << Points{{10, 50, 4}, {20, 48.5f, 5}, {30, 45, 6}, {40, 39.5f, 7}};
    QTest::newRow("six catalogue-like points") << Points{{12, 34.1f, 3.2f}, {18, 33.6f, 3.9f}, {25, 32.2f, 4.7f},
                                                         {31, 30.9f, 5.1f}, {38, 27.4f, 5.9f}, {44, 24.8f, 6.1f}};
    QTest::newRow("one outlier") << Points{{10, 50, 4}, {20, 49, 5}, {30, 52, 6}, {40, 44, 7}, {50, 38, 8}};
}

void TestFitQuality::againstReference()
{
    QFETCH(Points, points);
    const CurvePoints p = pointsOf(points);
    const FitQuality quality = fitQuality(p, fitCurve(p.head, p.flow), fitCurve(p.power, p.flow));
    const ReferenceQuality head = referenceQuality(p.flow, p.head);
    const ReferenceQuality power = referenceQuality(p.flow, p.power);
    // The program's fit has 32-bit coefficients: allow their rounding.
    QVERIFY2(std::fabs(quality.headDeviationPercent - head.deviationPercent) < 0.01,
             qPrintable(QStringLiteral("%1 vs %2").arg(quality.headDeviationPercent).arg(head.deviationPercent)));
    QVERIFY2(std::fabs(quality.powerDeviationPercent - power.deviationPercent) < 0.01,
             qPrintable(QStringLiteral("%1 vs %2").arg(quality.powerDeviationPercent).arg(power.deviationPercent)));
    QVERIFY2(std::fabs(quality.headR2 - head.r2) < 1e-4, qPrintable(QString::number(quality.headR2)));
    QVERIFY2(std::fabs(quality.powerR2 - power.r2) < 1e-4, qPrintable(QString::number(quality.powerR2)));
}

void TestFitQuality::figuresThatCannotBeFormed()
{
    // Equal heads: R^2 has no meaning, the deviation is 0.
    const CurvePoints flat = pointsOf({{10, 30, 4}, {20, 30, 5}, {30, 30, 6}, {40, 30, 7}});
    FitQuality q = fitQuality(flat, fitCurve(flat.head, flat.flow), fitCurve(flat.power, flat.flow));
    QVERIFY(std::isnan(q.headR2));
    QVERIFY(q.headDeviationPercent < 1e-4);
    QVERIFY(std::fabs(q.powerR2 - 1.0) < 1e-6);

    // A failed fit: nothing can be said about it.
    const CurvePoints same = pointsOf({{50, 40, 5}, {50, 39, 5}, {50, 38, 5}});
    q = fitQuality(same, fitCurve(same.head, same.flow), fitCurve(same.power, same.flow));
    QVERIFY(std::isnan(q.headDeviationPercent));
    QVERIFY(std::isnan(q.headR2));
}

QTEST_APPLESS_MAIN(TestFitQuality)
#include "tst_fitquality.moc"
