// Killed and concurrent design runs of the command-line tool on a large
// catalogue. The number of kills and of concurrent pairs comes from the
// environment (TARNWICK_CRASH_KILLS, TARNWICK_CRASH_PAIRS), the seed of the
// kill moments from TARNWICK_CRASH_SEED (printed, so a failure can be re-run).
// With TARNWICK_TEST_ENGINE=postgresql the runs write to a server database
// holding the same catalogue.

#include "store/names.h"
#include "tests/reliability/reliabilitysupport.h"
#include "tests/support/testdatabase.h"

#include <QElapsedTimer>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tarnwick::testing;
namespace names = tarnwick::store::names;

namespace {

constexpr int kPumps = 20000;
constexpr int kNearShare = 25; // one pump in 25 suits the duty

int environmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value >= 0 ? value : fallback;
}

QHash<ResultKey, int> counted(const QList<ResultKey>& keys)
{
    QHash<ResultKey, int> counts;
    for (const ResultKey& key : keys)
        ++counts[key];
    return counts;
}

} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void killedDesignsLeaveWholeRuns();
    void concurrentDesignsBothLand();

private:
    QStringList designArguments() const;
    // Checks the file after a kill or a pair of runs: a sound file, whole
    // rows, the latest table empty or one whole run, the all-results table
    // whole runs only. Returns how many runs the all-results table holds.
    int verifyDatabase(const QString& when);

    QTemporaryDir m_dir;
    QString m_database;
    QHash<ResultKey, int> m_run; // the rows of one design run
    int m_runRows = 0;
    qint64 m_runMs = 0;
};

QStringList TestCrashSafety::designArguments() const
{
    return {QStringLiteral("design"),
            QStringLiteral("--flow"),
            QStringLiteral("100"),
            QStringLiteral("--resistance"),
            QStringLiteral("20"),
            QStringLiteral("--static-head"),
            QStringLiteral("0"),
            QStringLiteral("--db"),
            m_database};
}

void TestCrashSafety::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_database = m_dir.filePath(names::databaseFileName());
    QString error;
    QVERIFY2(createSchemaDatabase(m_database, &error), qPrintable(error));
    QVERIFY2(writeLargeCatalogue(m_database, kPumps, kNearShare, 20240607u, &error), qPrintable(error));
    if (TestProgramFolder::onServer()) {
        m_database = serverCopy(m_database, &error);
        QVERIFY2(!m_database.isEmpty(), qPrintable(error));
    }

    // One undisturbed run gives the rows every run writes and how long a run
    // takes; the kills are spread over that time.
    QElapsedTimer timer;
    timer.start();
    const CliRun run = runCli(designArguments());
    m_runMs = timer.elapsed();
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

    ScopedDatabase db(m_database);
    const QList<ResultKey> latest = resultKeys(db, names::latestResultsTable());
    m_run = counted(latest);
    m_runRows = static_cast<int>(latest.size());
    // The write phase must be long enough to be hit: hundreds of pumps.
    QVERIFY2(m_runRows >= 300, qPrintable(QString::number(m_runRows)));
    QCOMPARE(resultKeys(db, names::allResultsTable()), latest);
    qInfo("one design run: %d pumps accepted, %lld ms", m_runRows, static_cast<long long>(m_runMs));
}

int TestCrashSafety::verifyDatabase(const QString& when)
{
    ScopedDatabase db(m_database);
    if (!db.isOpen()) {
        QTest::qFail(qPrintable(when + QStringLiteral(": the file does not open")), __FILE__, __LINE__);
        return -1;
    }
    const QString integrity = integrityCheck(db);
    if (integrity != QStringLiteral("ok")) {
        QTest::qFail(qPrintable(when + QStringLiteral(": ") + integrity), __FILE__, __LINE__);
        return -1;
    }
    for (const QString& table : {names::allResultsTable(), names::latestResultsTable()}) {
        const QStringList problems = incompleteResultRows(db, table);
        if (!problems.isEmpty()) {
            QTest::qFail(qPrintable(when + QStringLiteral(": ") + problems.mid(0, 5).join(QLatin1Char('\n'))), __FILE__,
                         __LINE__);
            return -1;
        }
    }

    const QList<ResultKey> latest = resultKeys(db, names::latestResultsTable());
    if (!latest.isEmpty() && counted(latest) != m_run) {
        QTest::qFail(qPrintable(when + QStringLiteral(": the latest table holds %1 rows, not one whole run of %2")
                                           .arg(latest.size())
                                           .arg(m_runRows)),
                     __FILE__, __LINE__);
        return -1;
    }

    // Every run writes the same rows, so the all-results table must hold
    // each of them equally often: whole runs, never part of one.
    const QList<ResultKey> all = resultKeys(db, names::allResultsTable());
    const int runs = static_cast<int>(all.size()) / m_runRows;
    QHash<ResultKey, int> expected;
    for (auto it = m_run.cbegin(); it != m_run.cend(); ++it)
        expected.insert(it.key(), it.value() * runs);
    if (all.size() % m_runRows != 0 || counted(all) != expected) {
        QTest::qFail(qPrintable(when + QStringLiteral(": the all-results table holds %1 rows, not whole runs of %2")
                                           .arg(all.size())
                                           .arg(m_runRows)),
                     __FILE__, __LINE__);
        return -1;
    }
    return runs;
}

void TestCrashSafety::killedDesignsLeaveWholeRuns()
{
    const int kills = environmentNumber("TARNWICK_CRASH_KILLS", 10);
    bool seeded = false;
    const quint32 seed = static_cast<quint32>(qEnvironmentVariableIntValue("TARNWICK_CRASH_SEED", &seeded));
    const quint32 usedSeed = seeded ? seed : QRandomGenerator::global()->generate();
    qInfo("kills: %d, seed: %u (TARNWICK_CRASH_SEED)", kills, usedSeed);
    QRandomGenerator random(usedSeed);

    int runsBefore = verifyDatabase(QStringLiteral("before the kills"));
    QVERIFY(runsBefore >= 0);
    // Where each kill landed, told by what the tables show afterwards.
    int beforeCommit = 0;  // this run's rows not committed
    int afterCommit = 0;   // committed; killed while re-reading, printing or closing
    int finishedFirst = 0; // the run ended before its kill
    // Half the kills spread evenly over a whole run, start-up included; the
    // other half over its last quarter, where the rows are written and the
    // log is copied into the file.
    const quint32 span = static_cast<quint32>(m_runMs + m_runMs / 10);
    for (int i = 0; i < kills; ++i) {
        const qint64 delay = i % 2 == 0 ? random.bounded(span + 1) : span - random.bounded(span / 4 + 1);
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral(TARNWICK_CLI_PATH), designArguments());
        QVERIFY(process.waitForStarted());
        if (!process.waitForFinished(static_cast<int>(delay)) || process.state() != QProcess::NotRunning) {
            process.kill(); // SIGKILL
            QVERIFY(process.waitForFinished(30000));
        }
        const bool killed = process.exitStatus() == QProcess::CrashExit;
        if (!killed) {
            ++finishedFirst;
            QCOMPARE(process.exitCode(), 0);
        }

        const int runs = verifyDatabase(QStringLiteral("after kill %1 at %2 ms").arg(i + 1).arg(delay));
        if (QTest::currentTestFailed())
            return;
        if (killed)
            ++(runs > runsBefore ? afterCommit : beforeCommit);
        runsBefore = runs;
    }
    qInfo("kills before the run's rows were committed: %d, after: %d; runs that ended before their kill: %d",
          beforeCommit, afterCommit, finishedFirst);
}

void TestCrashSafety::concurrentDesignsBothLand()
{
    const int pairs = environmentNumber("TARNWICK_CRASH_PAIRS", 5);
    qInfo("concurrent pairs: %d", pairs);
    int runs = verifyDatabase(QStringLiteral("before the pairs"));
    QVERIFY(runs >= 0);
    for (int i = 0; i < pairs; ++i) {
        std::unique_ptr<QProcess> processes[2];
        for (auto& process : processes) {
            process = std::make_unique<QProcess>();
            process->setStandardOutputFile(QProcess::nullDevice());
            process->start(QStringLiteral(TARNWICK_CLI_PATH), designArguments());
        }
        for (auto& process : processes) {
            if (!process->waitForFinished(120000))
                process->kill();
        }
        for (auto& process : processes) {
            QVERIFY(process->state() == QProcess::NotRunning || process->waitForFinished(30000));
            const QString err = QString::fromUtf8(process->readAllStandardError());
            QVERIFY2(process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0,
                     qPrintable(QStringLiteral("pair %1: exit %2: %3").arg(i + 1).arg(process->exitCode()).arg(err)));
            QVERIFY2(err.isEmpty(), qPrintable(err));
        }
        const int after = verifyDatabase(QStringLiteral("after pair %1").arg(i + 1));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(after, runs + 2);
        ScopedDatabase db(m_database);
        QCOMPARE(static_cast<int>(resultKeys(db, names::latestResultsTable()).size()), m_runRows);
        runs = after;
    }
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
