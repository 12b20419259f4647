#include "report/reportexport.h"
#include "report/varspeedreport.h"
#include "store/varspeedstore.h"
#include "tests/report/reportfixtures.h"
#include "tests/support/jsonschema.h"
#include "tests/support/toolrun.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick;
using namespace tarnwick::testing;
using tarnwick::testing::schemaFaults;

namespace {

using Run = ToolRun;

// The tool as a script would run it: no display, no platform chosen, no
// session's runtime folder.
Run cli(const QStringList& arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, 60000, env);
}

int csvRecords(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(file.readAll().count("\r\n"));
}

// The CSV file's tables: the runs, then any table that follows after an
// empty line. Each table is its lines, split into cells (no cell here holds a
// comma or a line break).
QList<QList<QStringList>> csvTables(const QByteArray& bytes)
{
    QList<QList<QStringList>> tables;
    const QString text = QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    for (const QString& block : text.split(QStringLiteral("\r\n\r\n"))) {
        QList<QStringList> lines;
        for (const QString& line : block.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            lines.append(line.split(QLatin1Char(',')));
        tables.append(lines);
    }
    return tables;
}

// The runs' report alone, written here through the exporter the report
// window uses: what the tool wrote before runs had any liquid or suction.
QByteArray runsAloneCsv(const TestProgramFolder& folder, bool variableSpeed, const QString& path)
{
    auto connection = store::Connection::open(folder.databasePath(), store::Connection::Access::ReadOnly);
    if (!connection)
        return {};
    std::optional<report::ResultTable> table;
    if (variableSpeed) {
        auto stored = store::readVarSpeedResults(connection.value()->database(), false);
        if (stored)
            table = report::varSpeedResultTable(stored.value(), false);
    } else {
        store::RowSet rows;
        if (rows.open(connection.value(), store::names::latestResultsTable())) {
            auto read = report::ResultTable::fromRows(rows);
            if (read)
                table = std::move(read).value();
        }
    }
    QString error;
    QFile file(path);
    if (!table || !report::exportCsv(*table, path, &error) || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class TestReportCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writesEveryFormatWithoutADisplay();
    void allTakesTheAllResultsTable();
    void usageAndDatabaseErrors_data();
    void usageAndDatabaseErrors();
    void liquidAndSuctionFiguresFollowTheRuns_data();
    void liquidAndSuctionFiguresFollowTheRuns();

private:
    QStringList db() const { return {QStringLiteral("--db"), m_folder->databasePath()}; }
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<QTemporaryDir> m_out;
};

void TestReportCommand::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(m_folder->isValid());
    QVERIFY(insertNumberedResults(*m_folder, store::names::latestResultsTable(), 2));
    QVERIFY(insertNumberedResults(*m_folder, store::names::allResultsTable(), 30));
    m_out = std::make_unique<QTemporaryDir>();
}

void TestReportCommand::writesEveryFormatWithoutADisplay()
{
    const QString pdf = m_out->filePath(QStringLiteral("r.pdf"));
    const QString csv = m_out->filePath(QStringLiteral("r.csv"));
    const QString xlsx = m_out->filePath(QStringLiteral("r.xlsx"));
    const Run run = cli(QStringList{QStringLiteral("report"), QStringLiteral("--pdf"), pdf, QStringLiteral("--csv"),
                                    csv, QStringLiteral("--xlsx"), xlsx} +
                        db());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.err, QString()); // nothing but the tool's own messages
    QCOMPARE(csvRecords(csv), 3);
    QVERIFY(QFileInfo(xlsx).size() > 0);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(run.out.contains(QStringLiteral("2 条记录，1 页")));
    const auto text = toolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (text)
        QVERIFY(text->contains(QStringLiteral("水泵选型结果报表")) && text->contains(QStringLiteral("P2")));
}

void TestReportCommand::allTakesTheAllResultsTable()
{
    const QString csv = m_out->filePath(QStringLiteral("all.csv"));
    const Run run =
        cli(QStringList{QStringLiteral("report"), QStringLiteral("--all"), QStringLiteral("--csv"), csv} + db());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(csvRecords(csv), 31);
    QVERIFY(run.out.contains(QStringLiteral("30 条记录，2 页")));
}

void TestReportCommand::usageAndDatabaseErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("withDatabase");
    QTest::newRow("no output file") << QStringList{QStringLiteral("report")} << true;
    QTest::newRow("output without a name") << QStringList{QStringLiteral("report"), QStringLiteral("--pdf")} << true;
    QTest::newRow("unknown option") << QStringList{QStringLiteral("report"), QStringLiteral("--html"),
                                                   QStringLiteral("x.html")}
                                    << true;
    QTest::newRow("missing database") << QStringList{QStringLiteral("report"), QStringLiteral("--csv"),
                                                     QStringLiteral("OUT"), QStringLiteral("--db"),
                                                     QStringLiteral("/nonexistent/水泵数据库97.mdb")}
                                      << false;
    QTest::newRow("unwritable file") << QStringList{QStringLiteral("report"), QStringLiteral("--xlsx"),
                                                    QStringLiteral("/nonexistent/r.xlsx")}
                                     << true;
}

void TestReportCommand::usageAndDatabaseErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, withDatabase);
    arguments.replaceInStrings(QStringLiteral("OUT"), m_out->filePath(QStringLiteral("r.csv")));
    const Run run = cli(withDatabase ? arguments + db() : arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(!run.err.isEmpty());
    QVERIFY(QDir(m_out->path()).isEmpty());
}

void TestReportCommand::liquidAndSuctionFiguresFollowTheRuns_data()
{
    QTest::addColumn<bool>("variableSpeed");
    QTest::addColumn<bool>("withConditions");
    QTest::addColumn<QString>("heading"); // the figures' heading of the stored inlet pressure
    QTest::newRow("design with a liquid and a suction pressure") << false << true << QStringLiteral("入口绝压(kPa)");
    QTest::newRow("design without") << false << false << QString();
    QTest::newRow("variable speed with a liquid and a suction pressure")
        << true << true << QStringLiteral("入口绝压(kPa)");
    QTest::newRow("variable speed without") << true << false << QString();
}

void TestReportCommand::liquidAndSuctionFiguresFollowTheRuns()
{
    QFETCH(bool, variableSpeed);
    QFETCH(bool, withConditions);
    QFETCH(QString, heading);
    TestProgramFolder folder({demoPump(1, QStringLiteral("P1"), 50, 20),
                              demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
                              demoPump(3, QStringLiteral("P3"), 51, 20.5)});
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    QVERIFY(folder.exec(QStringLiteral("UPDATE \"水泵性能表\" SET \"必需汽蚀余量\" = 3")));
    const QStringList db = {QStringLiteral("--db"), folder.databasePath()};
    // 60 °C water, 30 kPa gauge at the inlet: NPSHa = (131.325 − 19.95) kPa
    // / (983.2 kg/m³ · g), about 11.5 m, well above the 3 m the pumps need.
    const QStringList conditions = {QStringLiteral("--fluid"),
                                    QStringLiteral("water"),
                                    QStringLiteral("--temperature"),
                                    QStringLiteral("60"),
                                    QStringLiteral("--suction-pressure"),
                                    QStringLiteral("0.03"),
                                    QStringLiteral("--suction-pressure-unit"),
                                    QStringLiteral("MPa")};
    const QStringList duty = variableSpeed ? QStringList{QStringLiteral("select"), QStringLiteral("--flow"),
                                                         QStringLiteral("90"),     QStringLiteral("--resistance"),
                                                         QStringLiteral("20"),     QStringLiteral("--static-head"),
                                                         QStringLiteral("0")}
                                           : QStringList{QStringLiteral("design"), QStringLiteral("--flow"),
                                                         QStringLiteral("48"),     QStringLiteral("--resistance"),
                                                         QStringLiteral("19"),     QStringLiteral("--static-head"),
                                                         QStringLiteral("0")};
    const Run stored = cli(duty + (withConditions ? conditions : QStringList{}) + db);
    QVERIFY2(stored.exitCode == 0, qPrintable(stored.out + stored.err));

    const QString pdf = m_out->filePath(QStringLiteral("r.pdf"));
    const QString csv = m_out->filePath(QStringLiteral("r.csv"));
    const QString xlsx = m_out->filePath(QStringLiteral("r.xlsx"));
    const QStringList which = variableSpeed ? QStringList{QStringLiteral("--variable-speed")} : QStringList{};
    const Run run = cli(QStringList{QStringLiteral("report"), QStringLiteral("--json"), QStringLiteral("--pdf"), pdf,
                                    QStringLiteral("--csv"), csv, QStringLiteral("--xlsx"), xlsx} +
                        which + db);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QJsonObject json = run.json();
    QFile schemaFile(QStringLiteral(TARNWICK_SCHEMA_DIR "/report.schema.json"));
    QVERIFY(schemaFile.open(QIODevice::ReadOnly));
    const QStringList faults = schemaFaults(json, QJsonDocument::fromJson(schemaFile.readAll()).object());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QCOMPARE(json.contains(QStringLiteral("conditions")), withConditions);
    const int runRows = json.value(QStringLiteral("rowCount")).toInt();
    QVERIFY(runRows > 0);

    QFile csvFile(csv);
    QVERIFY(csvFile.open(QIODevice::ReadOnly));
    const QByteArray csvBytes = csvFile.readAll();
    const QList<QList<QStringList>> tables = csvTables(csvBytes);
    QCOMPARE(tables.first().size(), runRows + 1);
    const auto unzipped = toolOutput(QStringLiteral("unzip"), {QStringLiteral("-Z1"), xlsx});
    const auto pages = toolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!withConditions) {
        // Nothing more than the runs' report, byte for byte.
        QCOMPARE(tables.size(), 1);
        QCOMPARE(csvBytes, runsAloneCsv(folder, variableSpeed, m_out->filePath(QStringLiteral("alone.csv"))));
        if (unzipped)
            QVERIFY2(!unzipped->contains(QStringLiteral("sheet2.xml")), qPrintable(*unzipped));
        if (pages)
            QVERIFY2(!pages->contains(QStringLiteral("NPSH")), qPrintable(*pages));
        return;
    }

    // The figures' table follows its title, one row for each listed pump (or
    // each load point of each pump set), with that run's liquid and suction.
    const QJsonObject figures = json.value(QStringLiteral("conditions")).toObject();
    const int figureRows = figures.value(QStringLiteral("rowCount")).toInt();
    QCOMPARE(tables.size(), 2);
    const QList<QStringList>& second = tables.at(1);
    QCOMPARE(second.size(), figureRows + 2);
    const QString title = second.at(0).value(0);
    QCOMPARE(title, variableSpeed ? QStringLiteral("变速节能选型介质与汽蚀校核")
                                  : QStringLiteral("介质、汽蚀与叶轮切削计算结果"));
    const QStringList headings = second.at(1);
    const qsizetype npsha = headings.indexOf(QStringLiteral("NPSHa(m)"));
    const qsizetype temperature = headings.indexOf(QStringLiteral("温度(℃)"));
    const qsizetype pressure = headings.indexOf(heading);
    const qsizetype model = headings.indexOf(QStringLiteral("所选型号"));
    QVERIFY2(npsha >= 0 && temperature >= 0 && pressure >= 0 && model >= 0, qPrintable(headings.join(u'|')));
    QStringList runModels;
    const qsizetype runModel = tables.first().first().indexOf(QStringLiteral("所选型号"));
    QVERIFY(runModel >= 0);
    for (qsizetype r = 1; r < tables.first().size(); ++r)
        runModels.append(tables.first().at(r).value(runModel));
    if (!variableSpeed)
        QCOMPARE(figureRows, runRows);
    else
        QVERIFY(figureRows >= runRows);
    for (qsizetype r = 2; r < second.size(); ++r) {
        const QStringList& row = second.at(r);
        QCOMPARE(row.value(temperature), QStringLiteral("60"));
        QCOMPARE(row.value(pressure), QStringLiteral("131.3"));
        const double available = row.value(npsha).toDouble();
        QVERIFY2(available > 11.0 && available < 12.0, qPrintable(row.join(u',')));
        QVERIFY2(runModels.contains(row.value(model)), qPrintable(row.value(model)));
    }
    // A second sheet in the workbook, named after the figures' table; more
    // pages in the PDF, under the figures' title.
    if (unzipped) {
        QVERIFY2(unzipped->contains(QStringLiteral("xl/worksheets/sheet2.xml")), qPrintable(*unzipped));
        const auto sheet = toolOutput(QStringLiteral("unzip"),
                                      {QStringLiteral("-p"), xlsx, QStringLiteral("xl/worksheets/sheet2.xml")});
        const auto workbook =
            toolOutput(QStringLiteral("unzip"), {QStringLiteral("-p"), xlsx, QStringLiteral("xl/workbook.xml")});
        QVERIFY(sheet && sheet->contains(QStringLiteral("NPSHa(m)")) && sheet->contains(heading));
        QVERIFY(workbook && workbook->contains(figures.value(QStringLiteral("table")).toString()));
    }
    if (pages) {
        QVERIFY2(pages->contains(title) && pages->contains(QStringLiteral("NPSHa")), qPrintable(*pages));
        QCOMPARE(pages->count(QLatin1Char('\f')),
                 json.value(QStringLiteral("pageCount")).toInt() + figures.value(QStringLiteral("pageCount")).toInt());
    }
}

QTEST_GUILESS_MAIN(TestReportCommand)
#include "tst_reportcommand.moc"
