// The cubic head fit on published pump curves (7 to 11 measured points per
// pump): the fit must follow every measured point closely. The file lies
// beside the source tree, outside the repository.

#include "core/curvefit.h"
#include "data/dataset.h"
#include "tests/support/shareddata.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QString kCurvesFile =
    QDir(QString::fromUtf8(TARNWICK_SHARED_DATA_DIR)).filePath(QStringLiteral("pump_catalogue_sources.csv"));

// The fit may miss a measured head by at most this share of the pump's
// largest head.
constexpr double kTolerance = 0.02;

} // namespace

class TestRealCurves : public QObject
{
    Q_OBJECT

private slots:
    void headFitFollowsMeasuredCurve_data();
    void headFitFollowsMeasuredCurve();
};

void TestRealCurves::headFitFollowsMeasuredCurve_data()
{
    QTest::addColumn<std::vector<float>>("flows");
    QTest::addColumn<std::vector<float>>("heads");

    // Without the file one row says so (a data function can only skip).
    if (!QFileInfo::exists(kCurvesFile)) {
        QTest::newRow("published curves") << std::vector<float>() << std::vector<float>();
        return;
    }
    QString error;
    const auto table = tarnwick::dataset::readCsvFile(kCurvesFile, &error);
    QVERIFY2(table, qPrintable(error));
    const qsizetype model = table->header.indexOf(QStringLiteral("model"));
    const qsizetype flow = table->header.indexOf(QStringLiteral("flow_m3h"));
    const qsizetype head = table->header.indexOf(QStringLiteral("head_m"));
    QVERIFY(model >= 0 && flow >= 0 && head >= 0);

    // One row per pump; the file keeps each pump's points together.
    QString current;
    std::vector<float> flows;
    std::vector<float> heads;
    auto addPump = [&] {
        if (!current.isEmpty())
            QTest::newRow(qPrintable(current)) << flows << heads;
        flows.clear();
        heads.clear();
    };
    int pumps = 0;
    for (const QStringList& row : table->rows) {
        if (row.value(model) != current) {
            addPump();
            current = row.value(model);
            ++pumps;
        }
        flows.push_back(static_cast<float>(row.value(flow).toDouble()));
        heads.push_back(static_cast<float>(row.value(head).toDouble()));
    }
    addPump();
    QCOMPARE(pumps, 19);
}

void TestRealCurves::headFitFollowsMeasuredCurve()
{
    QFETCH(std::vector<float>, flows);
    QFETCH(std::vector<float>, heads);
    TARNWICK_NEED_SHARED_FILE(kCurvesFile);
    QVERIFY(flows.size() >= 7);

    const tarnwick::CurveFit fit = tarnwick::fitCurve(heads, flows);
    QVERIFY(!fit.failed());
    QVERIFY(fit.finite());

    const double largestHead = static_cast<double>(*std::max_element(heads.begin(), heads.end()));
    double worst = 0.0;
    for (std::size_t k = 0; k < flows.size(); ++k) {
        const double miss = std::abs(fit.valueAt(static_cast<double>(flows[k])) - static_cast<double>(heads[k]));
        worst = std::max(worst, miss / largestHead);
    }
    QVERIFY2(worst <= kTolerance,
             qPrintable(QStringLiteral("largest miss %1 % of the largest head").arg(100.0 * worst, 0, 'f', 2)));
}

QTEST_GUILESS_MAIN(TestRealCurves)
#include "tst_realcurves.moc"
