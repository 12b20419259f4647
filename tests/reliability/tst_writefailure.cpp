// A run whose write fails says so and leaves every table as it was, through
// the store, the command-line tool and the windows, for design, check and the
// variable-speed selection:
// - the disk refuses the write: a file-size limit on the process
//   (RLIMIT_FSIZE) stops the first write of the rollback journal;
// - the disk is full while the rows are written: the run's connection may not
//   grow the file (PRAGMA max_page_count), as on a full disk; only where the
//   test reaches the connection, in the store and the windows;
// - the commit is refused: another program keeps reading the file past the
//   busy timeout.
// On a server the server fails the same writes, through triggers.

#include "calcwindow/frmcalculate.h"
#include "controls/messagebox.h"
#include "speedwindow/varspeedwindow.h"
#include "store/calculations.h"
#include "store/database.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"
#include "store/varspeedstore.h"
#include "tests/support/testdatabase.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QUrl>
#include <QUuid>

#include <csignal>
#include <memory>
#include <optional>
#include <sys/resource.h>

using namespace tarnwick;
using testing::demoPump;
using testing::TestProgramFolder;
namespace names = tarnwick::store::names;

namespace {

enum class Path { Store, Tool, Window };
enum class Run { Design, Check, Select };
enum class Failure { WriteRefused, DiskFull, CommitBlocked };

const QString kWriteRefused = QStringLiteral("读写数据库文件时出错");
const QString kDiskFull = QStringLiteral("磁盘已满");
const QString kNotSaved = QStringLiteral("计算结果没有保存");
const QString kSpeedNotSaved = QStringLiteral("保存变速选型结果失败");

// Limits the size of every file this process writes while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    bool ok() const { return m_ok; }

private:
    rlimit m_saved{};
    bool m_ok = false;
};

// Not even the first page of the rollback journal fits.
constexpr rlim_t kFileSizeLimit = 1024;

// Every connection of this process to the file may not grow it by a page.
bool fillDisk(const QString& file)
{
    int limited = 0;
    for (const QString& name : QSqlDatabase::connectionNames()) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        // The program names its files as URIs (file:...?mode=rw).
        const QUrl uri(db.databaseName());
        const QString named = uri.isLocalFile() ? uri.toLocalFile() : db.databaseName();
        if (!db.isOpen() || db.driverName() != QStringLiteral("QSQLITE") ||
            QFileInfo(named).absoluteFilePath() != QFileInfo(file).absoluteFilePath())
            continue;
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("PRAGMA page_count")) || !query.next())
            return false;
        const qint64 pages = query.value(0).toLongLong();
        if (!query.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages)) || !query.next() ||
            query.value(0).toLongLong() != pages)
            return false;
        ++limited;
    }
    return limited > 0;
}

// Another program in the middle of reading the file: it holds the file's
// shared lock, so a writer can take its reserved lock and write into its
// cache, but cannot commit.
class Reader
{
public:
    explicit Reader(const QString& file)
        : m_name(QStringLiteral("reader-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(file);
        QSqlQuery query(db);
        m_ok = db.open() && db.transaction() &&
               query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(store::quotedName(names::allResultsTable()))) &&
               query.next();
    }
    ~Reader()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.rollback();
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    bool ok() const { return m_ok; }

private:
    QString m_name;
    bool m_ok = false;
};

// Every row of every table, read through a connection of its own: in stored
// order from a file, sorted from a server (whose tables have no stored order).
QMap<QString, QStringList> tableContents(const QString& database)
{
    auto connection = store::Connection::open(database);
    if (!connection)
        return {{QStringLiteral("error"), {connection.error()}}};
    QSqlDatabase db = connection.value()->database();
    const bool server = TestProgramFolder::onServer();
    QMap<QString, QStringList> contents;
    for (const QString& table : db.tables()) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT * FROM %1%2")
                            .arg(store::quotedName(table), server ? QString() : QStringLiteral(" ORDER BY rowid")))) {
            contents[table] = QStringList{query.lastError().text()};
            continue;
        }
        QStringList& rows = contents[table];
        while (query.next()) {
            QStringList values;
            for (int c = 0; c < query.record().count(); ++c)
                values << (query.isNull(c) ? QStringLiteral("NULL") : query.value(c).toString());
            rows << values.join(QLatin1Char('|'));
        }
        if (server)
            rows.sort();
    }
    if (!server) {
        QSqlQuery check(db);
        if (!check.exec(QStringLiteral("PRAGMA integrity_check")) || !check.next() ||
            check.value(0).toString() != QStringLiteral("ok"))
            contents[QStringLiteral("integrity")] = QStringList{check.value(0).toString()};
    }
    return contents;
}

// On a server the same failures come from the server: a trigger that fails
// the first row written as a full disk does, and one that fails the commit.
bool serverFailure(const TestProgramFolder& folder, Failure failure, const QString& table)
{
    const QString function =
        QStringLiteral("CREATE OR REPLACE FUNCTION tw_test_failure() RETURNS trigger "
                       "LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'test failure' "
                       "USING ERRCODE = '%1'; END $$")
            .arg(failure == Failure::DiskFull ? QStringLiteral("disk_full") : QStringLiteral("serialization_failure"));
    const QString trigger =
        failure == Failure::DiskFull
            ? QStringLiteral("CREATE TRIGGER tw_test_failure BEFORE INSERT ON %1 FOR EACH ROW "
                             "EXECUTE FUNCTION tw_test_failure()")
            : QStringLiteral("CREATE CONSTRAINT TRIGGER tw_test_failure AFTER INSERT ON %1 DEFERRABLE INITIALLY "
                             "DEFERRED FOR EACH ROW EXECUTE FUNCTION tw_test_failure()");
    return folder.exec(function) && folder.exec(trigger.arg(store::quotedName(table)));
}

bool removeServerFailure(const TestProgramFolder& folder, const QString& table)
{
    return folder.exec(QStringLiteral("DROP TRIGGER tw_test_failure ON %1").arg(store::quotedName(table))) &&
           folder.exec(QStringLiteral("DROP FUNCTION tw_test_failure()"));
}

DutyTexts designDuty()
{
    DutyTexts texts;
    texts.resistance = "20";
    texts.flow = "50";
    texts.staticHead = "0";
    return texts;
}

VarSpeedTexts selectTexts()
{
    VarSpeedTexts texts;
    texts.duty.resistance = "15";
    texts.duty.flow = "100";
    texts.duty.staticHead = "3";
    return texts;
}

// The run through the store; empty when it stored its rows.
QString storeRun(const QString& file, Run run, bool fullDisk = false)
{
    if (run == Run::Select) {
        auto connection = store::Connection::open(file);
        if (!connection)
            return connection.error();
        if (fullDisk && !fillDisk(file))
            return QStringLiteral("the connection was not limited");
        auto result = store::runVarSpeed(*connection.value(), selectTexts());
        if (result)
            return result->runNumber > 0 ? QString() : QStringLiteral("nothing stored");
        return result.error().kind == store::VarSpeedFailure::Kind::Database ? result.error().databaseError
                                                                             : QStringLiteral("not a database failure");
    }
    auto catalogue = store::PumpCatalogue::openFile(file);
    if (!catalogue)
        return catalogue.error();
    if (fullDisk && !fillDisk(file))
        return QStringLiteral("the connection was not limited");
    store::RunFailure failure;
    if (run == Run::Design) {
        auto result = store::runDesign(*catalogue.value(), designDuty());
        if (result)
            return {};
        failure = result.error();
    } else {
        auto result = store::runCheck(*catalogue.value(), designDuty(), QStringLiteral("P1"));
        if (result)
            return {};
        failure = result.error();
    }
    return failure.kind == store::RunFailure::Kind::Database ? failure.databaseError
                                                             : QStringLiteral("not a database failure");
}

// The run through the tool, its file size limited when `limit` is set; empty
// when it succeeded, else what it printed.
QString toolRun(const QString& file, Run run, bool limit = false)
{
    QStringList arguments;
    switch (run) {
    case Run::Design:
        arguments = {QStringLiteral("design")};
        break;
    case Run::Check:
        arguments = {QStringLiteral("check"), QStringLiteral("--model"), QStringLiteral("P1")};
        break;
    case Run::Select:
        arguments = {QStringLiteral("select")};
        break;
    }
    const DutyTexts duty = run == Run::Select ? selectTexts().duty : designDuty();
    arguments << QStringLiteral("--flow") << QString::fromStdString(duty.flow) << QStringLiteral("--resistance")
              << QString::fromStdString(duty.resistance) << QStringLiteral("--static-head")
              << QString::fromStdString(duty.staticHead) << QStringLiteral("--db") << file;
    QProcess tool;
    if (limit) {
        tool.setChildProcessModifier([] {
            rlimit limited{};
            getrlimit(RLIMIT_FSIZE, &limited);
            limited.rlim_cur = kFileSizeLimit;
            setrlimit(RLIMIT_FSIZE, &limited);
        });
    }
    tool.start(QStringLiteral(TARNWICK_CLI_PATH), arguments);
    if (!tool.waitForFinished(120000))
        return QStringLiteral("the tool did not finish");
    const QString err = QString::fromUtf8(tool.readAllStandardError());
    if (tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        return {};
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 2)
        return QStringLiteral("exit %1: %2").arg(tool.exitCode()).arg(err);
    return err;
}

void typeDuty(QWidget& window, const QString& prefix, const DutyTexts& duty)
{
    window.findChild<QLineEdit*>(prefix + QStringLiteral("0"))->setText(QString::fromStdString(duty.resistance));
    window.findChild<QLineEdit*>(prefix + QStringLiteral("1"))->setText(QString::fromStdString(duty.flow));
    window.findChild<QLineEdit*>(prefix + QStringLiteral("2"))->setText(QString::fromStdString(duty.staticHead));
}

void click(QWidget& window, const QString& name)
{
    QWidget* button = window.findChild<QWidget*>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

} // namespace

class TestWriteFailure : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void failedWriteKeepsTables_data();
    void failedWriteKeepsTables();

private:
    // The run through a window; the window's messages are collected.
    QString windowRun(const TestProgramFolder& folder, Run run, Failure failure = Failure::CommitBlocked);

    QStringList m_messages;
};

void TestWriteFailure::initTestCase()
{
    // Past the limit a write fails instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    setMessageBoxInterceptor({[this](const QString& text) {
        m_messages << text;
        return true;
    }});
    setModalInterceptor([](QDialog&) { return 0; });
}

void TestWriteFailure::cleanupTestCase()
{
    setMessageBoxInterceptor({});
    setModalInterceptor({});
}

QString TestWriteFailure::windowRun(const TestProgramFolder& folder, Run run, Failure failure)
{
    m_messages.clear();
    std::unique_ptr<QWidget> window;
    QString error;
    if (run == Run::Select) {
        auto speed = std::make_unique<VarSpeedWindow>();
        if (!speed->load(folder.databaseFile(), &error))
            return error;
        window = std::move(speed);
    } else {
        auto calculation = std::make_unique<frmcalculate>();
        if (!calculation->load(folder.folder(), &error))
            return error;
        calculation->configureMode(run == Run::Design ? CalculationMode::Design : CalculationMode::Check, QIcon());
        window = std::move(calculation);
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return QStringLiteral("the window did not show");
    if (run == Run::Select) {
        typeDuty(*window, QStringLiteral("dutyBox_"), selectTexts().duty);
    } else {
        typeDuty(*window, QStringLiteral("Text1_"), designDuty());
        if (run == Run::Check)
            window->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("P1"));
    }
    if (failure == Failure::DiskFull && !fillDisk(folder.databaseFile()))
        return QStringLiteral("the window's connection was not limited");
    std::optional<FileSizeLimit> limited;
    if (failure == Failure::WriteRefused)
        limited.emplace(kFileSizeLimit);
    click(*window, run == Run::Select ? QStringLiteral("选型")
                                      : (run == Run::Design ? QStringLiteral("设计") : QStringLiteral("校核")));
    return m_messages.join(QLatin1Char('\n'));
}

void TestWriteFailure::failedWriteKeepsTables_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<Run>("run");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("message"); // a part of what the run reports
    const QList<std::pair<Path, const char*>> paths = {
        {Path::Store, "store"}, {Path::Tool, "tool"}, {Path::Window, "window"}};
    const QList<std::pair<Run, const char*>> runs = {
        {Run::Design, "design"}, {Run::Check, "check"}, {Run::Select, "variable-speed select"}};
    // On a server the windows are not tried, nor a file-size limit; on the
    // file the tool's connection cannot be limited to the file's pages, and a
    // check's one row may fit in a page the file has.
    const bool server = TestProgramFolder::onServer();
    for (const auto& [path, pathName] : paths) {
        for (const auto& [run, runName] : runs) {
            if (server && path == Path::Window)
                continue;
            if (!server) {
                QTest::addRow("%s %s, write refused by the disk", pathName, runName)
                    << path << run << Failure::WriteRefused << kWriteRefused;
            }
            if (server || (path != Path::Tool && run != Run::Check))
                QTest::addRow("%s %s, disk full", pathName, runName) << path << run << Failure::DiskFull << kDiskFull;
            QTest::addRow("%s %s, commit blocked", pathName, runName)
                << path << run << Failure::CommitBlocked << (run == Run::Select ? kSpeedNotSaved : kNotSaved);
        }
    }
}

void TestWriteFailure::failedWriteKeepsTables()
{
    QFETCH(Path, path);
    QFETCH(Run, run);
    QFETCH(Failure, failure);
    QFETCH(QString, message);
    // Enough pumps near the duty that a design's or a selection's rows do not
    // fit in the pages the file has.
    QList<testing::TestPump> pumps = {demoPump(1, QStringLiteral("P1"), 50, 20),
                                      demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
                                      demoPump(3, QStringLiteral("P3"), 52, 21)};
    for (int k = 4; k < 64; ++k)
        pumps.append(demoPump(k, QStringLiteral("Q%1").arg(k), 50 + 0.05 * k, 20 + 0.02 * k));
    TestProgramFolder folder(pumps);
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    const bool server = TestProgramFolder::onServer();
    const QString file = folder.databasePath();

    // Earlier results that a failed run must neither lose nor add to. The
    // latest results are empty (as after a run that stopped with a message),
    // so that the run's first write is its rows.
    QCOMPARE(storeRun(file, run), QString());
    QVERIFY(folder.exec(QStringLiteral("DELETE FROM %1").arg(store::quotedName(names::latestResultsTable()))));
    const QMap<QString, QStringList> before = tableContents(file);
    QVERIFY(!before.contains(QStringLiteral("integrity")));
    const QString results = run == Run::Select ? store::varspeednames::resultsTable() : names::allResultsTable();
    QVERIFY(!before.value(results).isEmpty());

    if (server)
        QVERIFY(serverFailure(folder, failure, results));
    QString reported;
    {
        std::optional<Reader> reader;
        if (failure == Failure::CommitBlocked && !server) {
            reader.emplace(file);
            QVERIFY(reader->ok());
        }
        const bool fullDisk = failure == Failure::DiskFull && !server;
        const bool refused = failure == Failure::WriteRefused;
        switch (path) {
        case Path::Store: {
            std::optional<FileSizeLimit> limited;
            if (refused)
                limited.emplace(kFileSizeLimit);
            reported = storeRun(file, run, fullDisk);
            break;
        }
        case Path::Tool:
            reported = toolRun(file, run, refused);
            break;
        case Path::Window:
            reported = windowRun(folder, run, failure);
            break;
        }
    }
    if (server)
        QVERIFY(removeServerFailure(folder, results));
    QVERIFY2(reported.contains(message), qPrintable(reported));
    QCOMPARE(tableContents(file), before);

    // With room on the disk and no reader the same run stores its rows.
    switch (path) {
    case Path::Store:
        QCOMPARE(storeRun(file, run), QString());
        break;
    case Path::Tool:
        QCOMPARE(toolRun(file, run), QString());
        break;
    case Path::Window:
        QCOMPARE(windowRun(folder, run), QString());
        break;
    }
    QVERIFY(folder.rowCount(results) > before.value(results).size());
}

QTEST_MAIN(TestWriteFailure)
#include "tst_writefailure.moc"
