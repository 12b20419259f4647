// The tool's explanations, fit figures and data sheets on the shipped catalogue.

#include "data/dataset.h"
#include "store/pumpcatalogue.h"
#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"

#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = tarnwick::testing::ToolRun;

Run cli(const QStringList& arguments)
{
    return tarnwick::testing::runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, 120000);
}

const QStringList kRuleCodes = {
    QStringLiteral("too_few_points"),     QStringLiteral("flow_window"),   QStringLiteral("fit_failed"),
    QStringLiteral("no_operating_point"), QStringLiteral("zero_power"),    QStringLiteral("low_best_efficiency"),
    QStringLiteral("head_low"),           QStringLiteral("head_high"),     QStringLiteral("flow_low"),
    QStringLiteral("flow_high"),          QStringLiteral("efficiency_low")};

// A result row without its time, which differs between runs.
QJsonArray withoutTimes(QJsonArray rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QJsonObject row = rows[i].toObject();
        row.remove(QStringLiteral("计算时间"));
        row.remove(QStringLiteral("time")); // the same time in ISO 8601
        rows[i] = row;
    }
    return rows;
}

// The standard output of a poppler tool, or nothing when it is missing.
std::optional<QString> popplerOutput(const QString& tool, const QStringList& arguments)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The figure after a label's text, "水泵实际流量＝30.1 m3/h" -> "30.1".
QString figureOf(const QString& label)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("＝([0-9.]+)")).match(label);
    return m.hasMatch() ? m.captured(1) : QString();
}

QStringList dutyOptions(const char* flow, const char* resistance, const char* staticHead)
{
    return {QStringLiteral("--flow"),        QString::fromLatin1(flow),       QStringLiteral("--resistance"),
            QString::fromLatin1(resistance), QStringLiteral("--static-head"), QString::fromLatin1(staticHead)};
}

} // namespace

class TestCliSheets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void explainAccountsForEveryPump_data();
    void explainAccountsForEveryPump();
    void checkSheetShowsTheCheckFigures();
    void sheetsOfAllCandidates();
    void sheetUsageErrors();
    void catalogueCheckListsBadFits();

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
        return QStringList{QStringLiteral("--flow"),        QString::fromLatin1(flow),
                           QStringLiteral("--resistance"),  QString::fromLatin1(resistance),
                           QStringLiteral("--static-head"), QString::fromLatin1(staticHead)};
    };
    const char* const duties[][3] = {{"5", "10", "0"},    {"12", "20", "2"},   {"20", "32", "5"},   {"30", "15", "0"},
                                     {"45", "28", "3"},   {"60", "12", "0"},   {"80", "35", "10"},  {"100", "20", "5"},
                                     {"120", "44", "0"},  {"150", "18", "6"},  {"200", "32", "0"},  {"260", "50", "12"},
                                     {"300", "24", "4"},  {"400", "32", "10"}, {"550", "40", "0"},  {"700", "60", "20"},
                                     {"1000", "30", "5"}, {"1500", "80", "0"}, {"3000", "100", "0"}};
    for (const auto& duty : duties) {
        QTest::addRow("Q=%s R=%s Hst=%s", duty[0], duty[1], duty[2]) << d(duty[0], duty[1], duty[2]);
    }
    QTest::newRow("litres per second and bar") << QStringList{QStringLiteral("--flow"),
                                                              QStringLiteral("25"),
                                                              QStringLiteral("--flow-unit"),
                                                              QStringLiteral("L/s"),
                                                              QStringLiteral("--resistance"),
                                                              QStringLiteral("2.2"),
                                                              QStringLiteral("--resistance-unit"),
                                                              QStringLiteral("bar"),
                                                              QStringLiteral("--static-head"),
                                                              QStringLiteral("0.3"),
                                                              QStringLiteral("--static-head-unit"),
                                                              QStringLiteral("bar")};
}

void TestCliSheets::explainAccountsForEveryPump()
{
    QFETCH(QStringList, duty);
    const Run plain = cli(QStringList{QStringLiteral("design")} + duty + db() + QStringList{QStringLiteral("--json")});
    // A design that finds nothing ends with exit status 1.
    QVERIFY2(plain.exitCode == 0 || plain.exitCode == 1, qPrintable(plain.err));
    const Run explained = cli(QStringList{QStringLiteral("design")} + duty + db() +
                              QStringList{QStringLiteral("--json"), QStringLiteral("--explain")});
    QCOMPARE(explained.exitCode, plain.exitCode);
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
    // Every listed pump carries its own fit quality.
    const QJsonArray listedPumps = b.value(QStringLiteral("pumps")).toArray();
    QCOMPARE(listedPumps.size(), rows.size());
    for (const QJsonValue& pump : listedPumps)
        QVERIFY(pump.toObject().value(QStringLiteral("fitQuality")).isObject());

    // The text output sums the skipped pumps up by rule.
    const Run text =
        cli(QStringList{QStringLiteral("design")} + duty + db() + QStringList{QStringLiteral("--explain")});
    QCOMPARE(text.exitCode, plain.exitCode);
    QVERIFY2(text.out.contains(QStringLiteral("未入选水泵：%1 台（入选 %2 台）").arg(rejected.size()).arg(rows.size())),
             qPrintable(text.out));
    QHash<QString, int> byRule;
    for (const QJsonValue& v : rejected)
        ++byRule[v.toObject().value(QStringLiteral("rule")).toString()];
    for (auto it = byRule.cbegin(); it != byRule.cend(); ++it)
        QVERIFY2(text.out.contains(QStringLiteral("（%1）：%2\n").arg(it.key()).arg(it.value())), qPrintable(it.key()));
}

void TestCliSheets::checkSheetShowsTheCheckFigures()
{
    // The duty as typed in other units: 8.5 L/s = 30.6 m3/h, 150 kPa-like 1.5 bar.
    const QStringList duty = {QStringLiteral("--flow"),
                              QStringLiteral("8.5"),
                              QStringLiteral("--flow-unit"),
                              QStringLiteral("L/s"),
                              QStringLiteral("--resistance"),
                              QStringLiteral("1.5"),
                              QStringLiteral("--resistance-unit"),
                              QStringLiteral("bar"),
                              QStringLiteral("--static-head"),
                              QStringLiteral("0")};
    // A pump that passes the check at this duty: the first the design lists.
    const Run design = cli(QStringList{QStringLiteral("design")} + duty + db() + QStringList{QStringLiteral("--json")});
    QCOMPARE(design.exitCode, 0);
    const QJsonArray rows = design.json().value(QStringLiteral("rows")).toArray();
    QVERIFY(!rows.isEmpty());
    const QString model = rows.first().toObject().value(QStringLiteral("所选型号")).toString();

    const QStringList modelOption = {QStringLiteral("--model"), model};
    const Run check =
        cli(QStringList{QStringLiteral("check")} + duty + modelOption + db() + QStringList{QStringLiteral("--json")});
    QCOMPARE(check.exitCode, 0);
    QStringList labels;
    for (const QJsonValue& v : check.json().value(QStringLiteral("labels")).toArray())
        labels.append(v.toString());
    QCOMPARE(labels.size(), 5);
    const QJsonObject fit = check.json().value(QStringLiteral("fitQuality")).toObject();
    QVERIFY(fit.value(QStringLiteral("headR2")).toDouble() > 0.9);
    QVERIFY(fit.value(QStringLiteral("headDeviationPercent")).toDouble() >= 0.0);

    const QString pdf = m_dir.filePath(QStringLiteral("资料单.pdf"));
    const Run sheet = cli(QStringList{QStringLiteral("sheet")} + duty + modelOption + db() +
                          QStringList{QStringLiteral("--pdf"), pdf, QStringLiteral("--project"),
                                      QStringLiteral("北区能源站"), QStringLiteral("--tag"), QStringLiteral("CHWP-1")});
    QCOMPARE(sheet.exitCode, 0);
    const auto text = popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    if (!text)
        QSKIP("pdftotext is not installed");
    const QStringList expected = {
        model,
        QStringLiteral("北区能源站"),
        QStringLiteral("CHWP-1"),
        QStringLiteral("校核"),
        QStringLiteral("8.5 L/s"),
        QStringLiteral("30.6 m3/h"),
        QStringLiteral("1.5 bar"),
        QStringLiteral("实际流量 ") + figureOf(labels[2]) + QStringLiteral(" m3/h"),
        QStringLiteral("实际扬程 ") + figureOf(labels[1]) + QStringLiteral(" m"),
        QStringLiteral("实际效率 ") + figureOf(labels[3]) + QStringLiteral("%"),
        QStringLiteral("水泵最高效率 ") + figureOf(labels[0]) + QStringLiteral("%"),
        QStringLiteral("水泵样本数据"),
        QStringLiteral("扬程 R²"),
    };
    for (const QString& piece : expected)
        QVERIFY2(text->contains(piece), qPrintable(piece + QStringLiteral(" not in:\n") + *text));

    // One A4 portrait page, the chart's lavender plot area drawn on it.
    const QString png = m_dir.filePath(QStringLiteral("page"));
    if (!popplerOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                                                    QStringLiteral("-singlefile"), pdf, png}))
        QSKIP("pdftoppm is not installed");
    const QImage page(png + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    QVERIFY(qAbs(page.height() * 210.0 / page.width() - 297.0) < 3.0);
    int lavender = 0;
    for (int yy = 0; yy < page.height(); ++yy) {
        for (int xx = 0; xx < page.width(); ++xx)
            lavender += page.pixelColor(xx, yy) == QColor(192, 192, 255) ? 1 : 0;
    }
    QVERIFY2(lavender > page.width() * page.height() / 20, qPrintable(QString::number(lavender)));
}

void TestCliSheets::sheetsOfAllCandidates()
{
    const QStringList duty = dutyOptions("30", "15", "0");
    const Run design = cli(QStringList{QStringLiteral("design")} + duty + db() + QStringList{QStringLiteral("--json")});
    const QJsonArray rows = design.json().value(QStringLiteral("rows")).toArray();
    QVERIFY(rows.size() > 1);
    const QString pdf = m_dir.filePath(QStringLiteral("all.pdf"));
    const Run sheet = cli(QStringList{QStringLiteral("sheet"), QStringLiteral("--all")} + duty + db() +
                          QStringList{QStringLiteral("--pdf"), pdf, QStringLiteral("--json")});
    QCOMPARE(sheet.exitCode, 0);
    const QJsonArray pages = sheet.json().value(QStringLiteral("pages")).toArray();
    QCOMPARE(pages.size(), rows.size());
    const auto info = popplerOutput(QStringLiteral("pdfinfo"), {pdf});
    if (!info)
        QSKIP("pdfinfo is not installed");
    QVERIFY2(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(rows.size()))), qPrintable(*info));
    // Page k is candidate k, with the figures stored in its row.
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const QJsonObject row = rows[k].toObject();
        const QJsonObject page = pages[k].toObject();
        QCOMPARE(page.value(QStringLiteral("model")).toString(), row.value(QStringLiteral("所选型号")).toString());
        QCOMPARE(page.value(QStringLiteral("operatingFlow")).toDouble(), row.value(QStringLiteral("实际流量")).toDouble());
        // A fraction on the page's JSON, whole percent in the table.
        QCOMPARE(page.value(QStringLiteral("operatingEfficiency")).toDouble() * 100.0,
                 row.value(QStringLiteral("实际效率")).toDouble());
    }
}

void TestCliSheets::sheetUsageErrors()
{
    const QStringList duty = dutyOptions("30", "15", "0");
    const QString pdf = m_dir.filePath(QStringLiteral("none.pdf"));
    // Neither or both of --model and --all, or no file: usage error, no file.
    QCOMPARE(
        cli(QStringList{QStringLiteral("sheet")} + duty + db() + QStringList{QStringLiteral("--pdf"), pdf}).exitCode,
        2);
    QCOMPARE(cli(QStringList{QStringLiteral("sheet"), QStringLiteral("--all")} + duty + db()).exitCode, 2);
    // A model the catalogue does not hold: the check's own message.
    const Run missing = cli(QStringList{QStringLiteral("sheet"), QStringLiteral("--model"), QStringLiteral("NO-SUCH")} +
                            duty + db() + QStringList{QStringLiteral("--pdf"), pdf});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.contains(QStringLiteral("请从列表中选择水泵型号！")));
    QVERIFY(!QFileInfo::exists(pdf));
    // Never written over the database.
    const QByteArray before = [this] {
        QFile f(m_database);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const Run onDatabase = cli(QStringList{QStringLiteral("sheet"), QStringLiteral("--all")} + duty + db() +
                               QStringList{QStringLiteral("--pdf"), m_database});
    QCOMPARE(onDatabase.exitCode, 2);
    QFile after(m_database);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
}

void TestCliSheets::catalogueCheckListsBadFits()
{
    const Run run = cli(QStringList{QStringLiteral("catalogue-check"), QStringLiteral("--json")} + db());
    QVERIFY(run.exitCode == 0 || run.exitCode == 1);
    const QJsonObject json = run.json();
    QCOMPARE(json.value(QStringLiteral("pumpCount")).toInt(), m_models.size());
    const QJsonArray listed = json.value(QStringLiteral("listed")).toArray();
    // The shipped catalogue keeps the rules of its own imports.
    QCOMPARE(json.value(QStringLiteral("refusals")).toArray().size(), 0);
    QCOMPARE(run.exitCode, listed.isEmpty() ? 0 : 1);
    for (const QJsonValue& v : listed) {
        const QJsonObject pump = v.toObject();
        const QJsonValue deviation =
            pump.value(QStringLiteral("fitQuality")).toObject().value(QStringLiteral("headDeviationPercent"));
        // Listed for a fit beyond 2 %, or for having no usable fit at all.
        QVERIFY(deviation.isUndefined() || deviation.isNull() || deviation.toDouble() > 2.0);
    }

    // A catalogue with a smooth pump, one with a stray point and one without points.
    using tarnwick::testing::TestPump;
    TestPump stray{2,
                   QStringLiteral("STRAY"),
                   QStringLiteral("ISG"),
                   2900.0,
                   {{10, 50, 4}, {20, 49, 5}, {30, 40, 6}, {40, 44, 7}, {50, 38, 8}}};
    TestPump empty{3, QStringLiteral("EMPTY"), QStringLiteral("ISG"), 2900.0, {}};
    tarnwick::testing::TestProgramFolder folder(
        {tarnwick::testing::demoPump(1, QStringLiteral("SMOOTH"), 50, 20), stray, empty});
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    const Run small = cli(
        {QStringLiteral("catalogue-check"), QStringLiteral("--json"), QStringLiteral("--db"), folder.databasePath()});
    QCOMPARE(small.exitCode, 1);
    QStringList models;
    for (const QJsonValue& v : small.json().value(QStringLiteral("listed")).toArray())
        models.append(v.toObject().value(QStringLiteral("model")).toString());
    QCOMPARE(models, (QStringList{QStringLiteral("STRAY"), QStringLiteral("EMPTY")}));
    // The pump without points is refused by the catalogue rules as well.
    const QJsonArray refusals = small.json().value(QStringLiteral("refusals")).toArray();
    QVERIFY(!refusals.isEmpty());
    bool namesEmpty = false;
    for (const QJsonValue& v : refusals)
        namesEmpty = namesEmpty || v.toString().contains(QStringLiteral("序号 3"));
    QVERIFY2(namesEmpty, QJsonDocument(refusals).toJson().constData());
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
