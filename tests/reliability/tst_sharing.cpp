// Two programs on one database, a file or (TARNWICK_TEST_ENGINE=postgresql)
// a server database: the windows' way of holding connections (the
// catalogue's two, then one more as the help window opens) beside the
// command-line tool, and designs that run while another program replaces the
// catalogue again and again.

#include "store/calculations.h"
#include "store/database.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"
#include "tests/reliability/reliabilitysupport.h"
#include "tests/support/testdatabase.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace tarnwick;
using namespace tarnwick::testing;
namespace names = tarnwick::store::names;

namespace {

constexpr int kPumps = 2000;
constexpr int kNearShare = 25;

DutyTexts duty()
{
    DutyTexts texts;
    texts.flow = std::string("100");
    texts.resistance = std::string("20");
    texts.staticHead = std::string("0");
    texts.flowUnit = std::string("m3/h");
    texts.resistanceUnit = std::string("mH2O");
    texts.staticHeadUnit = std::string("mH2O");
    return texts;
}

QStringList designArguments(const QString& database)
{
    return {QStringLiteral("design"), QStringLiteral("--flow"),        QStringLiteral("100"),
            QStringLiteral("--resistance"), QStringLiteral("20"),      QStringLiteral("--static-head"),
            QStringLiteral("0"),        QStringLiteral("--db"),        database};
}

QStringList updateCatalogue(const QString& database, const QString& from)
{
    return {QStringLiteral("update-catalogue"), QStringLiteral("--from"), from, QStringLiteral("--db"), database};
}

template<typename E>
QString failureText(const E& expected)
{
    return expected ? QString() : expected.error();
}

int storedRows(const QString& database, const QString& table)
{
    ScopedDatabase db(database);
    return db.column(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)).value(0).toInt();
}

// One design in this process, as the calculation window runs it; the number
// of rows it stored.
int designHere(store::PumpCatalogue& catalogue)
{
    auto run = store::runDesign(catalogue, duty());
    if (!run)
        return -1;
    return int(run->rows.size());
}

QStringList entriesOf(const QString& database)
{
    auto catalogue = store::PumpCatalogue::openFile(database);
    if (!catalogue)
        return {QStringLiteral("open failed: ") + catalogue.error()};
    // Only the reading matters here; the selection itself writes nothing.
    auto run = runDesignSelection(catalogue.value()->catalogue(), duty());
    if (!run)
        return {QStringLiteral("design failed")};
    QStringList entries;
    for (const std::string& e : run->entries)
        entries.append(QString::fromStdString(e));
    return entries;
}

} // namespace

class TestSharing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyRowOfBothProgramsLands_data();
    void everyRowOfBothProgramsLands();
    void designsSeeOneWholeCatalogue();

private:
    // A new database holding the template's rows: a file by that name, or
    // a database on the tests' server when they run there.
    QString freshCopy(const QString& name);

    QTemporaryDir m_dir;
    QString m_template;
};

void TestSharing::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_template = m_dir.filePath(QStringLiteral("template.mdb"));
    QString error;
    QVERIFY2(createSchemaDatabase(m_template, &error), qPrintable(error));
    QVERIFY2(writeLargeCatalogue(m_template, kPumps, kNearShare, 1, &error), qPrintable(error));
}

void TestSharing::everyRowOfBothProgramsLands_data()
{
    QTest::addColumn<bool>("toolEndsFirst");
    QTest::addColumn<int>("round");
    // The fault this guards against struck a file at random, so each order
    // runs several times there; a server keeps its writers apart itself, and
    // a few rounds show that every row lands there too.
    const int rounds = TestProgramFolder::onServer() ? 2 : 20;
    for (int round = 0; round < rounds; ++round) {
        QTest::addRow("tool ends first, round %d", round) << true << round;
        QTest::addRow("windows end first, round %d", round) << false << round;
    }
}

void TestSharing::everyRowOfBothProgramsLands()
{
    QFETCH(bool, toolEndsFirst);
    const QString database = freshCopy(QStringLiteral("shared.mdb"));
    QVERIFY(!database.isEmpty());
    const QString cli = QStringLiteral(TARNWICK_CLI_PATH);

    int expected = 0;
    if (toolEndsFirst) {
        auto catalogue = store::PumpCatalogue::openFile(database);
        QVERIFY2(catalogue, qPrintable(failureText(catalogue)));
        const int first = designHere(*catalogue.value());
        QVERIFY(first > 0);
        auto help = store::Connection::open(database);
        QVERIFY2(help, qPrintable(failureText(help)));
        const CliRun tool = runCli(designArguments(database));
        QCOMPARE(tool.exitCode, 0);
        expected = 2 * first;
    } else {
        QProcess tool;
        tool.start(cli, designArguments(database));
        QVERIFY(tool.waitForStarted());
        int here = 0;
        {
            auto catalogue = store::PumpCatalogue::openFile(database);
            QVERIFY2(catalogue, qPrintable(failureText(catalogue)));
            auto help = store::Connection::open(database);
            QVERIFY2(help, qPrintable(failureText(help)));
            here = designHere(*catalogue.value());
            QVERIFY(here > 0);
            auto again = store::Connection::open(database);
            QVERIFY2(again, qPrintable(failureText(again)));
            QCOMPARE(designHere(*catalogue.value()), here);
        }
        QVERIFY(tool.waitForFinished(120000));
        QCOMPARE(tool.exitCode(), 0);
        expected = 3 * here;
    }
    QCOMPARE(storedRows(database, names::allResultsTable()), expected);
}

void TestSharing::designsSeeOneWholeCatalogue()
{
    // One replacement turns the catalogue into its other version: the pumps
    // take each other's names in reverse and the points each other's keys, so
    // that each name keeps its curve but the catalogue order changes. A design
    // that read the pumps of one version and the points of the other would
    // list names beside curves that neither version puts together.
    const QString flip =
        QStringLiteral("BEGIN IMMEDIATE; UPDATE \"%1\" SET \"%3\" = 'GEN-' || (%5 + 1 - CAST(substr(\"%3\", 5) AS INTEGER)); "
                       "UPDATE \"%2\" SET \"%4\" = %5 + 1 - \"%4\"; COMMIT;")
            .arg(names::pumpTable(), names::pointTable(), names::model(), names::key())
            .arg(kPumps);
    const QString other = m_dir.filePath(QStringLiteral("other.mdb"));
    QFile::remove(other);
    QVERIFY(QFile::copy(m_template, other));
    {
        ScopedDatabase db(other);
        for (const QString& statement : flip.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            QVERIFY(db.exec(statement.trimmed()));
    }
    const QString database = freshCopy(QStringLiteral("flipped.mdb"));
    QVERIFY(!database.isEmpty());

    // The programs that replace the catalogue while the designs run.
    std::vector<std::unique_ptr<QProcess>> replacers;
    QStringList first;
    QStringList second;
    const QString stopFile = m_dir.filePath(QStringLiteral("stop-replacing"));
    QFile::remove(stopFile);
    auto stopReplacing = [&] {
        QFile stop(stopFile);
        return stop.open(QIODevice::WriteOnly);
    };
    // A failed check ends the replacing loop too, after its replacement in
    // progress.
    const auto stopAtEnd = qScopeGuard([&] { stopReplacing(); });
    if (TestProgramFolder::onServer()) {
        // The versions as the server's designs list them: the tool replaces
        // the catalogue once to make the second.
        first = entriesOf(database);
        const CliRun update = runCli(updateCatalogue(database, other));
        QVERIFY2(update.exitCode == 0, qPrintable(update.err));
        second = entriesOf(database);
        // Another session replaces the catalogue through the tool, one server
        // transaction each time, with one version and then the other, until
        // told to stop, with a line for each; the start of each run lets the
        // readers in.
        const QString loop = QStringLiteral(
            "while [ ! -e \"$0\" ]; do \"$1\" update-catalogue --from \"$3\" --db \"$2\" > /dev/null || exit 1; "
            "echo; \"$1\" update-catalogue --from \"$4\" --db \"$2\" > /dev/null || exit 1; echo; done");
        auto replacer = std::make_unique<QProcess>();
        replacer->start(QStringLiteral("sh"), {QStringLiteral("-c"), loop, stopFile, QStringLiteral(TARNWICK_CLI_PATH),
                                               database, m_template, other});
        QVERIFY(replacer->waitForStarted());
        replacers.push_back(std::move(replacer));
    } else {
        first = entriesOf(m_template);
        second = entriesOf(other);
        // Another program replaces the catalogue in one transaction each
        // time, for as long as the designs run.
        QString script = QStringLiteral(".timeout 20000\n");
        // A pause between replacements lets the readers in; it prints its
        // count.
        const QString pause = QStringLiteral(
            "SELECT count(*) FROM (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 30000) "
            "SELECT x FROM c);\n");
        for (int i = 0; i < 20000; ++i)
            script += flip + QLatin1Char('\n') + pause;
        const QString scriptPath = m_dir.filePath(QStringLiteral("flip.sql"));
        {
            QFile file(scriptPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(script.toUtf8());
        }
        auto replacer = std::make_unique<QProcess>();
        replacer->start(QStringLiteral("sqlite3"),
                        {QStringLiteral("-bail"), database, QStringLiteral(".read ") + scriptPath});
        QVERIFY2(replacer->waitForStarted(), "sqlite3 is needed for this test");
        replacers.push_back(std::move(replacer));
    }
    auto replacing = [&] {
        return std::all_of(replacers.cbegin(), replacers.cend(),
                           [](const auto& replacer) { return replacer->state() == QProcess::Running; });
    };
    // Each replacing program writes a line after each replacement.
    qsizetype replaced = 0;
    auto countReplacements = [&] {
        for (const auto& replacer : replacers) {
            replacer->waitForReadyRead(0);
            replaced += replacer->readAllStandardOutput().count('\n');
        }
    };
    // A design mixes versions only when a replacement commits between its
    // reads of the pumps and of their points, so on a server, where each
    // replacement is a run of the tool that takes seconds, the test counts
    // replacements rather than time.
    const bool onServer = TestProgramFolder::onServer();
    const qsizetype enoughReplacements = onServer ? 20 : 0;
    const int enoughRuns = onServer ? 10 : 200;
    const qint64 longest = onServer ? 150000 : 30000;
    QVERIFY(first.size() > 10);
    QVERIFY(first != second);

    int mixed = 0;
    int runs = 0;
    bool seenFirst = false;
    bool seenSecond = false;
    QElapsedTimer clock;
    clock.start();
    while ((runs < enoughRuns || replaced < enoughReplacements) && clock.elapsed() < longest && replacing()) {
        const QStringList entries = entriesOf(database);
        ++runs;
        (entries == first ? seenFirst : seenSecond) = true;
        if (entries != first && entries != second) {
            ++mixed;
            qWarning("run %d listed %lld entries, neither version's list: %s", runs, qlonglong(entries.size()),
                     qPrintable(entries.value(0)));
        }
        countReplacements();
    }
    const bool stillReplacing = replacing();
    QVERIFY(stopReplacing());
    // The replacing loop ends after its replacement in progress; sqlite3
    // reads its script to the end unless stopped.
    QString stopped;
    for (const auto& replacer : replacers) {
        if (!replacer->waitForFinished(onServer ? 120000 : 0))
            replacer->kill();
        replacer->waitForFinished();
        stopped += QString::fromUtf8(replacer->readAllStandardError());
    }
    countReplacements();
    qInfo("%d designs, %d of them mixed, %lld replacements; the replacing programs %s", runs, mixed,
          qlonglong(replaced),
          stillReplacing ? "were still replacing" : qPrintable(QStringLiteral("had stopped: ") + stopped));
    QVERIFY2(runs >= 10 && seenFirst && seenSecond, "the catalogue was replaced too few times while designs ran");
    QCOMPARE(mixed, 0);
}

QString TestSharing::freshCopy(const QString& name)
{
    if (TestProgramFolder::onServer()) {
        QString error;
        const QString address = serverCopy(m_template, &error);
        if (address.isEmpty())
            qWarning("no server copy: %s", qPrintable(error));
        return address;
    }
    const QString database = m_dir.filePath(name);
    QFile::remove(database);
    return QFile::copy(m_template, database) ? database : QString();
}

QTEST_GUILESS_MAIN(TestSharing)
#include "tst_sharing.moc"
