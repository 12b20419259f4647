#include "tests/report/reportfixtures.h"
#include "tests/support/toolrun.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick;
using namespace tarnwick::testing;

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

QTEST_GUILESS_MAIN(TestReportCommand)
#include "tst_reportcommand.moc"
