// Damaged databases through the command-line tool: design, check of every
// model, results and report. Whatever the damage, the tool does not crash,
// shows and stores no number that is not finite, and where it cannot go on
// it names the table and field.

#include "store/names.h"
#include "tests/reliability/baddatacases.h"
#include "tests/reliability/reliabilitysupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick::testing;
namespace names = tarnwick::store::names;

Q_DECLARE_METATYPE(BadDataCase)

namespace {

bool hasTable(const ScopedDatabase& db, const QString& table)
{
    return !db.column(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = '%1'").arg(table))
                .isEmpty();
}

qint64 lastRowid(const ScopedDatabase& db, const QString& table)
{
    const QVariantList max = db.column(QStringLiteral("SELECT coalesce(max(rowid), 0) FROM \"%1\"").arg(table));
    return max.isEmpty() ? 0 : max.first().toLongLong();
}

} // namespace

class TestBadData : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void modelTextsAreValues();

private:
    // Runs the tool and checks what every run must give: a normal exit with
    // one of its statuses, no text of a number that is not finite.
    CliRun tool(const QStringList& arguments);
    QStringList m_db;
};

CliRun TestBadData::tool(const QStringList& arguments)
{
    const CliRun run = runCli(arguments + m_db, 60000);
    const QString command = arguments.join(QLatin1Char(' '));
    if (run.status != QProcess::NormalExit || run.exitCode < 0 || run.exitCode > 2)
        QTest::qFail(
            qPrintable(QStringLiteral("%1: crashed or ended with %2\n%3").arg(command).arg(run.exitCode).arg(run.err)),
            __FILE__, __LINE__);
    if (run.err.contains(QStringLiteral("Sanitizer")) || run.err.contains(QStringLiteral("runtime error")))
        QTest::qFail(qPrintable(command + QStringLiteral(": ") + run.err), __FILE__, __LINE__);
    const QStringList shown = nonFiniteTexts(run.out) + nonFiniteTexts(run.err);
    if (!shown.isEmpty())
        QTest::qFail(
            qPrintable(
                QStringLiteral("%1 shows %2:\n%3%4").arg(command, shown.join(QLatin1Char(' ')), run.out, run.err)),
            __FILE__, __LINE__);
    return run;
}

void TestBadData::commandLine_data()
{
    QTest::addColumn<BadDataCase>("badCase");
    for (const BadDataCase& c : badDataCases())
        QTest::newRow(qPrintable(c.name)) << c;
}

void TestBadData::commandLine()
{
    QFETCH(BadDataCase, badCase);
    QString error;
    const auto folder = badDataFolder(badCase, &error);
    QVERIFY2(folder, qPrintable(error));
    m_db = QStringList{QStringLiteral("--db"), folder->databasePath()};
    const QStringList duty = {QStringLiteral("--flow"),        dutyFlow(),
                              QStringLiteral("--resistance"),  dutyResistance(),
                              QStringLiteral("--static-head"), dutyStaticHead()};

    QStringList models;
    qint64 allBefore = 0;
    {
        ScopedDatabase db(folder->databasePath());
        for (const QVariant& model :
             db.column(QStringLiteral("SELECT \"水泵型号\" FROM \"水泵性能表\" ORDER BY rowid")))
            models.append(model.toString());
        if (hasTable(db, names::allResultsTable()))
            allBefore = lastRowid(db, names::allResultsTable());
    }
    auto broken = [&](const QString& table) {
        return badCase.outcome == BadDataCase::Outcome::Refused && badCase.named.contains(table);
    };

    auto expectNamed = [&](const CliRun& run, const char* what) {
        QVERIFY2(run.exitCode == 2,
                 qPrintable(QStringLiteral("%1: exit %2\n%3").arg(QLatin1String(what)).arg(run.exitCode).arg(run.out)));
        for (const QString& name : badCase.named)
            QVERIFY2(run.err.contains(QStringLiteral("“%1”").arg(name)),
                     qPrintable(QLatin1String(what) + QStringLiteral(": ") + run.err));
    };

    const CliRun design = tool(QStringList{QStringLiteral("design")} + duty);
    if (QTest::currentTestFailed())
        return;
    const CliRun checkGood = tool(QStringList{QStringLiteral("check"), QStringLiteral("--model"), goodModel()} + duty);
    if (QTest::currentTestFailed())
        return;
    switch (badCase.outcome) {
    case BadDataCase::Outcome::Usable:
        // A design that finds no pump ends with the program's entry, exit 1.
        QVERIFY2(design.exitCode == (design.out.contains(QStringLiteral("没有找到满足你需要的风机！")) ? 1 : 0),
                 qPrintable(design.err));
        if (badCase.goodPumpsFound) {
            QCOMPARE(design.exitCode, 0);
            QVERIFY2(design.out.contains(goodModel() + QStringLiteral("型 ")), qPrintable(design.out));
            QCOMPARE(checkGood.exitCode, 0);
        }
        // Every model the catalogue offers can be checked: a result or one of
        // the program's messages.
        for (const QString& model : models) {
            const CliRun check = tool(QStringList{QStringLiteral("check"), QStringLiteral("--model"), model} + duty);
            if (QTest::currentTestFailed())
                return;
            QVERIFY2(check.exitCode == 0 || check.exitCode == 1, qPrintable(model + QLatin1Char(' ') + check.err));
        }
        break;
    case BadDataCase::Outcome::Refused:
        expectNamed(design, "design");
        expectNamed(checkGood, "check");
        break;
    case BadDataCase::Outcome::WriteFails:
        expectNamed(design, "design");
        expectNamed(checkGood, "check");
        break;
    }

    // The results stay readable while their own tables are sound.
    for (const QString& table : {names::latestResultsTable(), names::allResultsTable()}) {
        QStringList command = {QStringLiteral("results")};
        if (table == names::allResultsTable())
            command.append(QStringLiteral("--all"));
        const CliRun results = tool(command);
        if (QTest::currentTestFailed())
            return;
        if (broken(table)) {
            QCOMPARE(results.exitCode, 2);
            QVERIFY2(results.err.contains(QStringLiteral("“%1”").arg(table)), qPrintable(results.err));
        } else {
            QVERIFY2(results.exitCode == 0, qPrintable(results.err));
        }
    }
    QTemporaryDir out;
    const QString csv = out.filePath(QStringLiteral("all.csv"));
    const CliRun report = tool({QStringLiteral("report"), QStringLiteral("--all"), QStringLiteral("--csv"), csv});
    if (QTest::currentTestFailed())
        return;
    if (!broken(names::allResultsTable())) {
        QVERIFY2(report.exitCode == 0, qPrintable(report.err));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList shown = nonFiniteTexts(QString::fromUtf8(file.readAll()));
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join(QLatin1Char(' '))));
    }

    // The file is sound, and every row the tool wrote is whole.
    ScopedDatabase db(folder->databasePath());
    QCOMPARE(integrityCheck(db), QStringLiteral("ok"));
    if (hasTable(db, names::allResultsTable())) {
        const QVariantList written = db.column(
            QStringLiteral("SELECT rowid FROM \"%1\" WHERE rowid > %2").arg(names::allResultsTable()).arg(allBefore));
        QStringList problems = incompleteResultRows(db, names::allResultsTable());
        // Rows stored before the tool ran may be broken; those it wrote may not.
        problems.erase(std::remove_if(problems.begin(), problems.end(),
                                      [&](const QString& p) {
                                          const qint64 rowid = p.section(QLatin1Char(' '), 2, 2).toLongLong();
                                          return rowid <= allBefore;
                                      }),
                       problems.end());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        if (badCase.outcome != BadDataCase::Outcome::Usable)
            QCOMPARE(written.size(), 0);
    }
}

// Values typed by the user never become part of a statement: a model text
// made of SQL is looked up as a text and leaves every table in place.
void TestBadData::modelTextsAreValues()
{
    QString error;
    const auto folder = badDataFolder(BadDataCase{}, &error);
    QVERIFY2(folder, qPrintable(error));
    m_db = QStringList{QStringLiteral("--db"), folder->databasePath()};
    const QStringList duty = {QStringLiteral("--flow"),        dutyFlow(),
                              QStringLiteral("--resistance"),  dutyResistance(),
                              QStringLiteral("--static-head"), dutyStaticHead()};
    const QStringList attempts = {
        QStringLiteral("P1' OR '1'='1"),
        QStringLiteral("P1\"; DROP TABLE \"水泵性能表\"; --"),
        QStringLiteral("'); DELETE FROM \"水泵选型结果\"; --"),
    };
    tool(QStringList{QStringLiteral("design")} + duty);
    for (const QString& model : attempts) {
        const CliRun check = tool(QStringList{QStringLiteral("check"), QStringLiteral("--model"), model} + duty);
        QCOMPARE(check.exitCode, 1);
        QCOMPARE(check.err.trimmed(), QStringLiteral("请从列表中选择水泵型号！"));
    }
    QCOMPARE(folder->rowCount(names::pumpTable()), 4);
    QVERIFY(folder->rowCount(names::allResultsTable()) > 0);
}

QTEST_GUILESS_MAIN(TestBadData)
#include "tst_baddata.moc"
