// What the tool must never do to the user's files: replace the database with
// an output, write two outputs over each other, hang on or swallow a source
// that is no file, fail to read a database it may not write, or hand a
// spreadsheet a formula.

#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using tarnwick::testing::TestProgramFolder;
using tarnwick::testing::demoPump;
using Run = tarnwick::testing::ToolRun;

namespace {

Run cli(const QStringList& arguments, int timeoutMs = 60000)
{
    return tarnwick::testing::runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, timeoutMs);
}

QByteArray digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QStringList designArguments()
{
    return {QStringLiteral("design"), QStringLiteral("--flow"), QStringLiteral("48"), QStringLiteral("--resistance"),
            QStringLiteral("19"), QStringLiteral("--static-head"), QStringLiteral("0")};
}

// Runs the tool as an unprivileged user (root may write anywhere).
Run cliAsNobody(const QStringList& arguments)
{
    return tarnwick::testing::runTool(QStringLiteral("setpriv"),
                                      QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                                  QStringLiteral("--clear-groups"), QStringLiteral("--"),
                                                  QStringLiteral(TARNWICK_CLI_PATH)} +
                                          arguments,
                                      60000);
}

bool startsWithChinese(const QString& text)
{
    return !text.isEmpty() && text.front().unicode() >= 0x4e00 && text.front().unicode() <= 0x9fff;
}

} // namespace

class TestCliSafety : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void outputsNeverReplaceTheDatabaseOrEachOther_data();
    void outputsNeverReplaceTheDatabaseOrEachOther();
    void badSourcesAndPathsAreRefused_data();
    void badSourcesAndPathsAreRefused();
    void readingWorksWhereNothingMayBeWritten();
    void csvTextNeverRunsAsFormula();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    QString path(const QString& name) const { return QDir(m_folder->folder()).filePath(name); }
};

void TestCliSafety::init()
{
    m_folder = std::make_unique<TestProgramFolder>(
        QList<tarnwick::testing::TestPump>{demoPump(1, QStringLiteral("P1"), 50, 20),
                                           demoPump(2, QStringLiteral("=1+2"), 51, 20.5)});
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->error()));
    QCOMPARE(cli(designArguments() << QStringLiteral("--db") << m_folder->databasePath()).exitCode, 0);
}

void TestCliSafety::outputsNeverReplaceTheDatabaseOrEachOther_data()
{
    QTest::addColumn<QStringList>("arguments"); // {db} stands for the database path, {dir} for its folder
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("untouched"); // files that must not appear
    const QString sameAsDatabase = QStringLiteral("就是正在使用的数据库文件");
    const QString twice = QStringLiteral("是同一个文件");
    QTest::newRow("report csv onto the database")
        << QStringList{QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("{db}")} << sameAsDatabase
        << QStringList{};
    QTest::newRow("report pdf through a symbolic link")
        << QStringList{QStringLiteral("report"), QStringLiteral("--pdf"), QStringLiteral("{dir}/link.pdf")}
        << sameAsDatabase << QStringList{};
    QTest::newRow("report xlsx through a hard link")
        << QStringList{QStringLiteral("report"), QStringLiteral("--all"), QStringLiteral("--xlsx"),
                       QStringLiteral("{dir}/hard.xlsx")}
        << sameAsDatabase << QStringList{};
    QTest::newRow("report csv by another spelling")
        << QStringList{QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("{dir}/./sub/../水泵数据库97.mdb")}
        << sameAsDatabase << QStringList{};
    QTest::newRow("report onto the journal")
        << QStringList{QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("{db}-journal")}
        << QStringLiteral("日志文件") << QStringList{QStringLiteral("水泵数据库97.mdb-journal")};
    QTest::newRow("two report outputs in one file")
        << QStringList{QStringLiteral("report"), QStringLiteral("--csv"), QStringLiteral("{dir}/r"),
                       QStringLiteral("--pdf"), QStringLiteral("{dir}/r")}
        << twice << QStringList{QStringLiteral("r")};
    QTest::newRow("catalogue export onto the database")
        << QStringList{QStringLiteral("export-catalogue"), QStringLiteral("{db}"), QStringLiteral("{dir}/points.csv")}
        << sameAsDatabase << QStringList{QStringLiteral("points.csv")};
    QTest::newRow("catalogue export into one file")
        << QStringList{QStringLiteral("export-catalogue"), QStringLiteral("{dir}/a.csv"), QStringLiteral("{dir}/a.csv")}
        << twice << QStringList{QStringLiteral("a.csv")};
}

void TestCliSafety::outputsNeverReplaceTheDatabaseOrEachOther()
{
    if (TestProgramFolder::onServer())
        QSKIP("a server database is no file an output could replace");
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QFETCH(QStringList, untouched);
    const QString database = m_folder->databasePath();
    QVERIFY(QFile::link(database, path(QStringLiteral("link.pdf"))));
    QCOMPARE(::link(QFile::encodeName(database).constData(), QFile::encodeName(path(QStringLiteral("hard.xlsx"))).constData()), 0);
    QVERIFY(QDir(m_folder->folder()).mkdir(QStringLiteral("sub")));
    const QByteArray before = digest(database);
    for (QString& argument : arguments)
        argument.replace(QStringLiteral("{db}"), database).replace(QStringLiteral("{dir}"), m_folder->folder());

    const Run run = cli(arguments << QStringLiteral("--db") << database);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(digest(database), before);
    for (const QString& name : untouched)
        QVERIFY2(!QFile::exists(path(name)), qPrintable(name));
    QCOMPARE(m_folder->rowCount(QStringLiteral("水泵选型结果")), 2);
}

void TestCliSafety::badSourcesAndPathsAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty database path")
        << QStringList{QStringLiteral("results"), QStringLiteral("--db"), QString()} << QStringLiteral("--db");
    QTest::newRow("empty database path with =")
        << (designArguments() << QStringLiteral("--db=")) << QStringLiteral("--db");
    QTest::newRow("missing Access source")
        << QStringList{QStringLiteral("import-mdb"), QStringLiteral("{dir}/none.mdb"), QStringLiteral("--db"),
                       QStringLiteral("{dir}/new.mdb")}
        << QStringLiteral("找不到文件");
    QTest::newRow("a device as catalogue")
        << QStringList{QStringLiteral("import-catalogue"), QStringLiteral("/dev/zero"), QStringLiteral("{dir}/p.csv"),
                       QStringLiteral("--db"), QStringLiteral("{db}")}
        << QStringLiteral("不是普通文件");
    QTest::newRow("a pipe as catalogue")
        << QStringList{QStringLiteral("import-catalogue"), QStringLiteral("{dir}/fifo"), QStringLiteral("{dir}/p.csv"),
                       QStringLiteral("--db"), QStringLiteral("{db}")}
        << QStringLiteral("不是普通文件");
    QTest::newRow("a folder as Access source")
        << QStringList{QStringLiteral("import-mdb"), QStringLiteral("{dir}"), QStringLiteral("--db"),
                       QStringLiteral("{dir}/new.mdb")}
        << QStringLiteral("不是普通文件");
}

void TestCliSafety::badSourcesAndPathsAreRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QCOMPARE(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo"))).constData(), 0600), 0);
    for (QString& argument : arguments)
        argument.replace(QStringLiteral("{db}"), m_folder->databasePath()).replace(QStringLiteral("{dir}"), m_folder->folder());
    const Run run = cli(arguments, 20000);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(path(QStringLiteral("new.mdb"))));
}

void TestCliSafety::readingWorksWhereNothingMayBeWritten()
{
    if (TestProgramFolder::onServer())
        QSKIP("file permissions");
    if (::geteuid() != 0)
        QSKIP("needs root to run the tool as another user");
    // A database left in write-ahead-log mode, in a folder that the user may
    // read but not write.
    QTemporaryDir outputs;
    QVERIFY(outputs.isValid());
    QVERIFY(QFile::setPermissions(outputs.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                      QFileDevice::WriteOther | QFileDevice::ExeOther));
    const Run wal = tarnwick::testing::runTool(
        QStringLiteral("sqlite3"), {m_folder->databasePath(), QStringLiteral("PRAGMA journal_mode=WAL;")});
    QCOMPARE(wal.out.trimmed(), QStringLiteral("wal"));
    QVERIFY(QFile::setPermissions(m_folder->folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                          QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                          QFileDevice::ExeOther));
    const QByteArray before = digest(m_folder->databasePath());
    const QString db = QStringLiteral("--db=") + m_folder->databasePath();

    const Run results = cliAsNobody({QStringLiteral("results"), QStringLiteral("--all"), db});
    QVERIFY2(results.exitCode == 0, qPrintable(results.err));
    QVERIFY(results.out.contains(QStringLiteral("P1")));
    const QString csv = QDir(outputs.path()).filePath(QStringLiteral("r.csv"));
    const Run report = cliAsNobody({QStringLiteral("report"), QStringLiteral("--csv"), csv, db});
    QVERIFY2(report.exitCode == 0, qPrintable(report.err));
    QVERIFY(QFile::exists(csv));
    const Run exported = cliAsNobody({QStringLiteral("export-catalogue"), QDir(outputs.path()).filePath(QStringLiteral("a.csv")),
                                      QDir(outputs.path()).filePath(QStringLiteral("b.csv")), db});
    QVERIFY2(exported.exitCode == 0, qPrintable(exported.err));

    // Writing cannot work there; it says so in Chinese first.
    const Run design = cliAsNobody(designArguments() << db);
    QCOMPARE(design.exitCode, 2);
    QVERIFY2(startsWithChinese(design.err), qPrintable(design.err));
    QCOMPARE(digest(m_folder->databasePath()), before);
}

void TestCliSafety::csvTextNeverRunsAsFormula()
{
    const QString csv = path(QStringLiteral("r.csv"));
    const Run run = cli({QStringLiteral("report"), QStringLiteral("--csv"), csv, QStringLiteral("--db"),
                         m_folder->databasePath()});
    QCOMPARE(run.exitCode, 0);
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY2(text.contains(QStringLiteral(",'=1+2,")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral(",P1,")), qPrintable(text));
    // The figures stay plain numbers.
    QVERIFY2(text.contains(QStringLiteral(",48,")), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestCliSafety)
#include "tst_clisafety.moc"
