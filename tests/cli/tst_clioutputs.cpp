// What the tool reads after a crash and what it leaves behind when writing
// fails: a half-written transaction is rolled back before anything is read, a
// damaged file or a full disk or a lost standard output ends with exit 2 and
// no output, and new database files are the user's like any other new file.

#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace tarnwick::testing;
using Run = ToolRun;

namespace {

constexpr int kPumps = 120;

QList<TestPump> manyPumps()
{
    QList<TestPump> pumps;
    for (int i = 1; i <= kPumps; ++i)
        pumps.append(demoPump(i, QStringLiteral("P-%1").arg(i), 20 + i, 10 + i % 30));
    return pumps;
}

// Runs the tool in a shell that first sets a limit or a redirection:
// `prefix` is shell text put before the program, e.g. "ulimit -f 2;".
Run shell(const QString& prefix, const QStringList& arguments, const QString& stdoutFile = QString())
{
    QProcess process;
    // A file past the size limit gets an error, not the signal that would end the tool.
    QStringList shellArguments = {QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; %1 exec \"$0\" \"$@\"").arg(prefix),
                                  QStringLiteral(TARNWICK_CLI_PATH)};
    if (!stdoutFile.isEmpty())
        process.setStandardOutputFile(stdoutFile);
    process.start(QStringLiteral("bash"), shellArguments + arguments);
    process.waitForFinished(60000);
    Run run;
    run.status = process.exitStatus();
    run.exitCode = run.status == QProcess::NormalExit ? process.exitCode() : -1;
    run.outBytes = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.outBytes);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

Run cli(const QStringList& arguments)
{
    return runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, 60000);
}

Run cliAsNobody(const QStringList& arguments)
{
    return runTool(QStringLiteral("setpriv"),
                   QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                               QStringLiteral("--clear-groups"), QStringLiteral("--"), QStringLiteral(TARNWICK_CLI_PATH)} +
                       arguments);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int lineCount(const QString& path)
{
    return static_cast<int>(contents(path).count('\n'));
}

// A copy of the database as a crash in the middle of a large write leaves
// it: pages of the unfinished transaction in the file, the journal that
// undoes them beside it.
bool crashedCopy(const QString& database, const QString& folder, QString* error)
{
    QTemporaryDir work;
    const QString file = work.filePath(QStringLiteral("db.mdb"));
    if (!QFile::copy(database, file)) {
        *error = QStringLiteral("copy failed");
        return false;
    }
    const QString name = QStringLiteral("crash");
    bool made = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.open();
        QSqlQuery query(db);
        // A small cache makes SQLite write changed pages into the file
        // before the commit.
        query.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        query.exec(QStringLiteral("PRAGMA cache_size=2"));
        query.exec(QStringLiteral("BEGIN"));
        query.exec(QStringLiteral("UPDATE \"流扬功\" SET \"扬程\" = -1, \"轴功率\" = randomblob(200)"));
        query.exec(QStringLiteral("DELETE FROM \"水泵性能表\" WHERE \"序号\" % 3 = 0"));
        // The files as they are now, mid-transaction, are what a crash leaves.
        const QString target = QDir(folder).filePath(QStringLiteral("水泵数据库97.mdb"));
        made = QFile::exists(file + QStringLiteral("-journal")) && QFile::copy(file, target) &&
               QFile::copy(file + QStringLiteral("-journal"), target + QStringLiteral("-journal"));
        query.exec(QStringLiteral("ROLLBACK"));
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!made)
        *error = QStringLiteral("no journal was written");
    return made;
}

} // namespace

class TestCliOutputs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void halfWrittenTransactionIsUndoneFirst_data();
    void halfWrittenTransactionIsUndoneFirst();
    void damagedFileGivesNoOutput();
    void fullDiskLeavesNoFile_data();
    void fullDiskLeavesNoFile();
    void lostStandardOutputFails_data();
    void lostStandardOutputFails();
    void newDatabaseFiles();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<QTemporaryDir> m_out;
    QString out(const QString& name) const { return m_out->filePath(name); }
};

void TestCliOutputs::initTestCase()
{
    if (TestProgramFolder::onServer())
        QSKIP("these faults are those of files");
}

void TestCliOutputs::init()
{
    m_folder = std::make_unique<TestProgramFolder>(manyPumps());
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->error()));
    m_out = std::make_unique<QTemporaryDir>();
    // Outputs go where the unprivileged user may write too.
    QVERIFY(QFile::setPermissions(m_out->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                                     QFileDevice::ReadOther | QFileDevice::WriteOther |
                                                     QFileDevice::ExeOther));
    const Run design = cli({QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("50"),
                            QStringLiteral("--resistance"), QStringLiteral("30"), QStringLiteral("--static-head"),
                            QStringLiteral("0"), QStringLiteral("--db"), m_folder->databasePath()});
    QVERIFY2(design.exitCode == 0, qPrintable(design.err));
}

void TestCliOutputs::halfWrittenTransactionIsUndoneFirst_data()
{
    QTest::addColumn<bool>("writableFolder");
    QTest::newRow("folder that may be written") << true;
    QTest::newRow("folder that may not be written") << false;
}

void TestCliOutputs::halfWrittenTransactionIsUndoneFirst()
{
    QFETCH(bool, writableFolder);
    if (!writableFolder && ::geteuid() != 0)
        QSKIP("needs root to run the tool as another user");
    QTemporaryDir crashed;
    QVERIFY(QFile::setPermissions(crashed.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                                      QFileDevice::ReadOther | QFileDevice::ExeOther));
    QString error;
    QVERIFY2(crashedCopy(m_folder->databasePath(), crashed.path(), &error), qPrintable(error));
    const QString db = QStringLiteral("--db=") + QDir(crashed.path()).filePath(QStringLiteral("水泵数据库97.mdb"));
    const QStringList exportArguments = {QStringLiteral("export-catalogue"), out(QStringLiteral("pumps.csv")),
                                         out(QStringLiteral("points.csv")), db};
    const Run exported = writableFolder ? cli(exportArguments) : cliAsNobody(exportArguments);
    if (writableFolder) {
        // Read as the file was before the interrupted write: every pump,
        // every point, no figure of the unfinished transaction.
        QVERIFY2(exported.exitCode == 0, qPrintable(exported.err));
        QCOMPARE(lineCount(out(QStringLiteral("pumps.csv"))), kPumps + 1);
        QCOMPARE(lineCount(out(QStringLiteral("points.csv"))), 5 * kPumps + 1);
        QVERIFY(!contents(out(QStringLiteral("points.csv"))).contains(",-1,"));
        const Run results = cli({QStringLiteral("results"), QStringLiteral("--all"), db});
        QVERIFY2(results.exitCode == 0, qPrintable(results.err));
    } else {
        QCOMPARE(exported.exitCode, 2);
        QVERIFY2(exported.err.contains(QStringLiteral("中断")), qPrintable(exported.err));
        QVERIFY(!QFile::exists(out(QStringLiteral("pumps.csv"))));
        const Run results = cliAsNobody({QStringLiteral("results"), QStringLiteral("--all"), db});
        QCOMPARE(results.exitCode, 2);
    }
}

void TestCliOutputs::damagedFileGivesNoOutput()
{
    // One page in the middle of the points, overwritten as a bad sector or a
    // bit-flipping copy would leave it.
    const Run pages = runTool(QStringLiteral("sqlite3"),
                              {m_folder->databasePath(), QStringLiteral("SELECT pageno FROM dbstat WHERE name = '流扬功' "
                                                                        "AND pagetype = 'leaf' ORDER BY pageno")});
    const QStringList leaves = pages.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(leaves.size() >= 3, qPrintable(pages.out + pages.err));
    const Run size = runTool(QStringLiteral("sqlite3"), {m_folder->databasePath(), QStringLiteral("PRAGMA page_size")});
    const qint64 pageSize = size.out.trimmed().toLongLong();
    QFile file(m_folder->databasePath());
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek((leaves.at(leaves.size() / 2).toLongLong() - 1) * pageSize));
    file.write(QByteArray(pageSize, '\xa5'));
    file.close();

    const Run exported = cli({QStringLiteral("export-catalogue"), out(QStringLiteral("pumps.csv")),
                              out(QStringLiteral("points.csv")), QStringLiteral("--db"), m_folder->databasePath()});
    QCOMPARE(exported.exitCode, 2);
    QVERIFY2(exported.err.contains(QStringLiteral("损坏")), qPrintable(exported.err));
    QVERIFY(!QFile::exists(out(QStringLiteral("pumps.csv"))));
    QVERIFY(!QFile::exists(out(QStringLiteral("points.csv"))));
}

void TestCliOutputs::fullDiskLeavesNoFile_data()
{
    QTest::addColumn<QStringList>("arguments"); // {out} is the output folder
    QTest::addColumn<QString>("file");          // the output that must not appear or change
    QTest::addColumn<bool>("existing");         // whether that file is there before
    QTest::newRow("report csv")
        << QStringList{QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("{out}/r.csv")}
        << QStringLiteral("r.csv") << false;
    QTest::newRow("report csv over an earlier one")
        << QStringList{QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("{out}/r.csv")}
        << QStringLiteral("r.csv") << true;
    QTest::newRow("catalogue export")
        << QStringList{QStringLiteral("export-catalogue"), QStringLiteral("{out}/pumps.csv"), QStringLiteral("{out}/points.csv")}
        << QStringLiteral("pumps.csv") << false;
}

void TestCliOutputs::fullDiskLeavesNoFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(bool, existing);
    const QByteArray earlier = "earlier output\n";
    if (existing) {
        QFile before(out(file));
        QVERIFY(before.open(QIODevice::WriteOnly));
        before.write(earlier);
    }
    for (QString& argument : arguments)
        argument.replace(QStringLiteral("{out}"), m_out->path());
    // No file may grow: every output fails, the database is only read.
    const Run run = shell(QStringLiteral("ulimit -f 0;"), arguments << QStringLiteral("--db") << m_folder->databasePath());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("无法写入")), qPrintable(run.err));
    QVERIFY2(!run.out.contains(QStringLiteral("已写入")), qPrintable(run.out));
    if (existing)
        QCOMPARE(contents(out(file)), earlier);
    else
        QVERIFY2(!QFile::exists(out(file)), qPrintable(file));
    QCOMPARE(QDir(m_out->path()).entryList(QDir::Files).size(), existing ? 1 : 0);
}

void TestCliOutputs::lostStandardOutputFails_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("all results as JSON") << QStringList{QStringLiteral("results"), QStringLiteral("--all"), QStringLiteral("--json")};
    QTest::newRow("catalogue check") << QStringList{QStringLiteral("catalogue-check")};
    QTest::newRow("help") << QStringList{QStringLiteral("help")};
}

void TestCliOutputs::lostStandardOutputFails()
{
    QFETCH(QStringList, arguments);
    if (arguments.first() != QLatin1String("help"))
        arguments << QStringLiteral("--db") << m_folder->databasePath();
    const Run run = shell(QString(), arguments, QStringLiteral("/dev/full"));
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("标准输出")), qPrintable(run.err));
}

void TestCliOutputs::newDatabaseFiles()
{
    // A copy killed before its end leaves its temporary file; the next run
    // for the same target takes it away.
    const QString target = out(QStringLiteral("copy.mdb"));
    const QString leftover = target + QStringLiteral(".Ab12Cd.part");
    {
        QFile file(leftover);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("half a database");
    }
    const Run copied = shell(QStringLiteral("umask 022;"), {QStringLiteral("copy-db"), m_folder->databasePath(), target});
    QVERIFY2(copied.exitCode == 0, qPrintable(copied.err));
    QVERIFY(!QFile::exists(leftover));
    QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList{QStringLiteral("copy.mdb")});
    // Made with the user's umask: colleagues may read it.
    struct stat info = {};
    QCOMPARE(::stat(QFile::encodeName(target).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0644));
    const Run results = cli({QStringLiteral("results"), QStringLiteral("--all"), QStringLiteral("--db"), target});
    QVERIFY2(results.exitCode == 0, qPrintable(results.err));
}

QTEST_GUILESS_MAIN(TestCliOutputs)
#include "tst_clioutputs.moc"
