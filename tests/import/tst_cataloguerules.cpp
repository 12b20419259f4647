// The catalogue rules, applied the same way to catalogue files as they are
// read and to a catalogue a database already holds.

#include "store/cataloguerules.h"
#include "store/database.h"
#include "store/import/catalogueio.h"
#include "tests/support/testdatabase.h"

#include <QTest>

using tarnwick::testing::TestProgramFolder;
using tarnwick::testing::TestPump;

namespace {

struct Case
{
    QList<TestPump> pumps;
    bool interleaved = false;
};

TestPump pump(int key, const QString& model, const QList<std::array<double, 3>>& points)
{
    TestPump p;
    p.key = key;
    p.model = model;
    p.type = QStringLiteral("IS型");
    p.points = points;
    return p;
}

const QList<std::array<double, 3>> kGood = {{10, 30, 2}, {20, 28, 2.8}, {30, 24, 3.4}, {40, 18, 3.8}};

QByteArray pumpsCsv(const QList<TestPump>& pumps)
{
    QByteArray csv = "序号,水泵类型,水泵型号,转速,流量,扬程,轴功率,电动机功率,必需汽蚀余量,叶轮外径,重量,设备安装尺寸\n";
    for (const TestPump& p : pumps) {
        QString model = p.model;
        model.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        csv += QStringLiteral("%1,%2,\"%3\",2900,,,,,,,,\n").arg(p.key).arg(p.type, model).toUtf8();
    }
    return csv;
}

QByteArray pointsCsv(const QList<TestPump>& pumps, bool interleaved)
{
    QByteArray csv = "序号,流量,扬程,轴功率\n";
    auto row = [&csv](int key, const std::array<double, 3>& p) {
        csv += QStringLiteral("%1,%2,%3,%4\n").arg(key).arg(p[0]).arg(p[1]).arg(p[2]).toUtf8();
    };
    if (!interleaved) {
        for (const TestPump& p : pumps)
            for (const auto& point : p.points)
                row(p.key, point);
        return csv;
    }
    for (int i = 0;; ++i) {
        bool any = false;
        for (const TestPump& p : pumps) {
            if (i < p.points.size()) {
                row(p.key, p.points[i]);
                any = true;
            }
        }
        if (!any)
            return csv;
    }
}

} // namespace

class TestCatalogueRules : public QObject
{
    Q_OBJECT

private slots:
    void filesAndDatabasesAlike_data();
    void filesAndDatabasesAlike();
};

void TestCatalogueRules::filesAndDatabasesAlike_data()
{
    QTest::addColumn<QList<TestPump>>("pumps");
    QTest::addColumn<bool>("interleaved");
    QTest::addColumn<QString>("refusal"); // empty: accepted
    QTest::addColumn<QString>("warning"); // empty: none

    const auto good = [](int key, const QString& model) { return pump(key, model, kGood); };
    QTest::newRow("sound catalogue") << QList<TestPump>{good(1, QStringLiteral("A")), good(2, QStringLiteral("B"))}
                                     << false << QString() << QString();
    QTest::newRow("blank model") << QList<TestPump>{good(1, QStringLiteral("   "))} << false
                                 << QStringLiteral("“水泵型号”：缺少内容") << QString();
    QTest::newRow("same model after trimming")
        << QList<TestPump>{good(1, QStringLiteral("A")), good(2, QStringLiteral(" A "))} << false
        << QStringLiteral("型号“A”与") << QString();
    QTest::newRow("control character in model") << QList<TestPump>{good(1, QStringLiteral("A\tB"))} << false
                                                << QStringLiteral("控制字符") << QString();
    QTest::newRow("three points are enough")
        << QList<TestPump>{pump(1, QStringLiteral("A"), kGood.mid(0, 3))} << false << QString() << QString();
    QTest::newRow("two points are too few") << QList<TestPump>{pump(1, QStringLiteral("A"), kGood.mid(0, 2))} << false
                                            << QStringLiteral("只有 2 个性能点，至少需要 3 个") << QString();
    QTest::newRow("zero flow") << QList<TestPump>{pump(1, QStringLiteral("A"), {{0, 30, 2}, {20, 28, 2.8}, {30, 24, 3.4}})}
                               << false << QStringLiteral("“流量”：0 应大于 0") << QString();
    QTest::newRow("zero head at shut-off is fine")
        << QList<TestPump>{pump(1, QStringLiteral("A"), {{10, 30, 2}, {20, 28, 2.8}, {30, 0, 3.4}})} << false
        << QString() << QString();
    QTest::newRow("negative head") << QList<TestPump>{pump(1, QStringLiteral("A"), {{10, 30, 2}, {20, -1, 2.8}, {30, 24, 3.4}})}
                                   << false << QStringLiteral("“扬程”：-1 不能为负数") << QString();
    QTest::newRow("zero shaft power")
        << QList<TestPump>{pump(1, QStringLiteral("A"), {{10, 30, 0}, {20, 28, 2.8}, {30, 24, 3.4}})} << false
        << QStringLiteral("“轴功率”：0 应大于 0") << QString();
    QTest::newRow("points of two pumps interleaved")
        << QList<TestPump>{good(1, QStringLiteral("A")), good(2, QStringLiteral("B"))} << true
        << QStringLiteral("的性能点没有连在一起") << QString();
    QTest::newRow("falling flows are accepted with a warning")
        << QList<TestPump>{pump(1, QStringLiteral("A"), {{30, 24, 3.4}, {20, 28, 2.8}, {10, 30, 2}})} << false
        << QString() << QStringLiteral("的流量 20 不大于前一点的 30");
    QTest::newRow("a repeated flow too")
        << QList<TestPump>{pump(1, QStringLiteral("A"), {{10, 30, 2}, {20, 28, 2.8}, {20, 27, 2.9}, {30, 24, 3.4}})}
        << false << QString() << QStringLiteral("的流量 20 不大于前一点的 20");
}

void TestCatalogueRules::filesAndDatabasesAlike()
{
    QFETCH(QList<TestPump>, pumps);
    QFETCH(bool, interleaved);
    QFETCH(QString, refusal);
    QFETCH(QString, warning);

    // As files come in.
    const auto files = tarnwick::import::parseCatalogueCsv(pumpsCsv(pumps), pointsCsv(pumps, interleaved));
    if (refusal.isEmpty()) {
        QVERIFY2(files, qPrintable(files ? QString() : files.error().join(QLatin1Char('\n'))));
        QCOMPARE(files->warnings.join(QLatin1Char('\n')).contains(warning), true);
        QCOMPARE(files->warnings.isEmpty(), warning.isEmpty());
    } else {
        QVERIFY(!files);
        QVERIFY2(files.error().join(QLatin1Char('\n')).contains(refusal), qPrintable(files.error().join(QLatin1Char('\n'))));
    }

    // As a database holds them.
    TestProgramFolder folder(pumps, interleaved);
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    auto connection = tarnwick::store::Connection::open(folder.databasePath());
    QVERIFY(connection);
    tarnwick::store::CatalogueRules rules(QStringLiteral("水泵性能表"), QStringLiteral("流扬功"));
    QString error;
    QVERIFY2(tarnwick::store::checkStoredCatalogue(connection.value()->database(), &rules, &error), qPrintable(error));
    QCOMPARE(rules.refused(), !refusal.isEmpty());
    QVERIFY2(rules.refusals().join(QLatin1Char('\n')).contains(refusal), qPrintable(rules.refusals().join(QLatin1Char('\n'))));
    QVERIFY2(rules.warnings().join(QLatin1Char('\n')).contains(warning), qPrintable(rules.warnings().join(QLatin1Char('\n'))));
    QCOMPARE(rules.warnings().isEmpty(), warning.isEmpty());
}

QTEST_GUILESS_MAIN(TestCatalogueRules)
#include "tst_cataloguerules.moc"
