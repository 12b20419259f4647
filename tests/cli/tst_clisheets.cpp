// The tool's explanations, fit figures and data sheets on the shipped catalogue.

#include "data/dataset.h"
#include "store/pumpcatalogue.h"
#include "tests/support/toolrun.h"

#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = tarnwick::testing::ToolRun;

Run cli(const QStringList& arguments)
{
    return tarnwick::testing::runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, 120000);
}

const QStringList kRuleCodes = {
    QStringLiteral("too_few_points"), QStringLiteral("flow_window"),         QStringLiteral("fit_failed"),
    QStringLiteral("no_operating_point"), QStringLiteral("zero_power"),  QStringLiteral("low_best_efficiency"),
    QStringLiteral("head_low"),       QStringLiteral("head_high"),           QStringLiteral("flow_low"),
    QStringLiteral("flow_high"),      QStringLiteral("efficiency_low")};

// A result row without its time, which differs between runs.
QJsonArray withoutTimes(QJsonArray rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QJsonObject row = rows[i].toObject();
        row.remove(QStringLiteral("计算时间"));
        rows[i] = row;
    }
    return rows;
}

} // namespace

class TestCliSheets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void explainAccountsForEveryPump_data();
    void explainAccountsForEveryPump();

private:
    QTemporaryDir m_dir;
    QString m_database;
    QStringList m_models; // catalogue order
    QStringList db() const { return {QStringLiteral("--db"), m_database}; }
};

void TestCliSheets::initTestCase()
{
    m_database = m_dir.filePath(QStringLiteral("水泵数据库97.mdb"));
    QString error;
    QVERIFY2(tarnwick::dataset::buildShippedDatabase(m_database, QStringLiteral(TARNWICK_DATA_SOURCE_DIR), &error),
             qPrintable(error));
    auto catalogue = tarnwick::store::PumpCatalogue::openFile(m_database);
    QVERIFY2(catalogue, qPrintable(catalogue ? QString() : catalogue.error()));
    for (const auto& pump : catalogue.value()->catalogue().pumps)
        m_models.append(QString::fromStdString(pump.model));
    QVERIFY(m_models.size() > 300);
}

void TestCliSheets::explainAccountsForEveryPump_data()
{
    QTest::addColumn<QStringList>("duty");
    const auto d = [](const char* flow, const char* resistance, const char* staticHead) {
        return QStringList{QStringLiteral("--flow"), QString::fromLatin1(flow), QStringLiteral("--resistance"),
                           QString::fromLatin1(resistance), QStringLiteral("--static-head"),
                           QString::fromLatin1(staticHead)};
    };
    const char* const duties[][3] = {{"5", "10", "0"},     {"12", "20", "2"},    {"20", "32", "5"},
                                     {"30", "15", "0"},    {"45", "28", "3"},    {"60", "12", "0"},
                                     {"80", "35", "10"},   {"100", "20", "5"},   {"120", "44", "0"},
                                     {"150", "18", "6"},   {"200", "32", "0"},   {"260", "50", "12"},
                                     {"300", "24", "4"},   {"400", "32", "10"},  {"550", "40", "0"},
                                     {"700", "60", "20"},  {"1000", "30", "5"},  {"1500", "80", "0"},
                                     {"3000", "100", "0"}};
    for (const auto& duty : duties) {
        QTest::addRow("Q=%s R=%s Hst=%s", duty[0], duty[1], duty[2]) << d(duty[0], duty[1], duty[2]);
    }
    QTest::newRow("litres per second and bar")
        << QStringList{QStringLiteral("--flow"), QStringLiteral("25"), QStringLiteral("--flow-unit"),
                       QStringLiteral("L/s"), QStringLiteral("--resistance"), QStringLiteral("2.2"),
                       QStringLiteral("--resistance-unit"), QStringLiteral("bar"), QStringLiteral("--static-head"),
                       QStringLiteral("0.3"), QStringLiteral("--static-head-unit"), QStringLiteral("bar")};
}

void TestCliSheets::explainAccountsForEveryPump()
{
    QFETCH(QStringList, duty);
    const Run plain = cli(QStringList{QStringLiteral("design")} + duty + db() + QStringList{QStringLiteral("--json")});
    QCOMPARE(plain.exitCode, 0);
    const Run explained = cli(QStringList{QStringLiteral("design")} + duty + db() +
                              QStringList{QStringLiteral("--json"), QStringLiteral("--explain")});
    QCOMPARE(explained.exitCode, 0);
    const QJsonObject a = plain.json();
    const QJsonObject b = explained.json();
    // The explanation changes nothing of the run.
    QCOMPARE(b.value(QStringLiteral("entries")), a.value(QStringLiteral("entries")));
    QCOMPARE(withoutTimes(b.value(QStringLiteral("rows")).toArray()),
             withoutTimes(a.value(QStringLiteral("rows")).toArray()));
    QVERIFY(!a.contains(QStringLiteral("rejected")));

    const QJsonArray rows = b.value(QStringLiteral("rows")).toArray();
    const QJsonArray rejected = b.value(QStringLiteral("rejected")).toArray();
    QCOMPARE(rows.size() + rejected.size(), m_models.size());

    // Accepted and rejected pumps merge into the catalogue in its order.
    qsizetype nextRow = 0, nextRejected = 0;
    for (const QString& model : m_models) {
        if (nextRejected < rejected.size() &&
            rejected[nextRejected].toObject().value(QStringLiteral("model")).toString() == model) {
            const QJsonObject r = rejected[nextRejected++].toObject();
            QVERIFY2(kRuleCodes.contains(r.value(QStringLiteral("rule")).toString()),
                     qPrintable(r.value(QStringLiteral("rule")).toString()));
            QVERIFY(r.contains(QStringLiteral("figure")));
            QVERIFY(r.contains(QStringLiteral("speed")));
            continue;
        }
        QVERIFY2(nextRow < rows.size(), qPrintable(model));
        QCOMPARE(rows[nextRow++].toObject().value(QStringLiteral("所选型号")).toString(), model);
    }
    QCOMPARE(nextRow, rows.size());
    QCOMPARE(nextRejected, rejected.size());
    QCOMPARE(b.value(QStringLiteral("fitQuality")).toArray().size(), rows.size());
}

int main(int argc, char** argv)
{
    // The shipped database's schematics are painted.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestCliSheets test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_clisheets.moc"
