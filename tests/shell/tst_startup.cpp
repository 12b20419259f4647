// Start-up with an Access database where the program's own should be: the
// offer to convert it, and that the user's file survives whatever happens.
#include "controls/messagebox.h"
#include "shell/mdiform1.h"
#include "shell/startup.h"
#include "store/database.h"
#include "store/databaselocation.h"
#include "tests/support/testdatabase.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tarnwick;

namespace {

QByteArray accessLikeFile()
{
    QByteArray bytes(4096, '\x5a');
    bytes.replace(0, 4, QByteArray("\x00\x01\x00\x00", 4));
    bytes.replace(4, 15, QByteArrayLiteral("Standard Jet DB"));
    return bytes;
}

bool writeAccessLikeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(accessLikeFile()) == accessLikeFile().size();
}

QByteArray digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void ownDatabaseNeedsNoConversion();
    void declinedConversionEndsAndKeepsTheFile();
    void failedConversionRestoresTheOriginal();
    void accessFileWithoutPumpTablesIsRefused();
    void startsOnTheLocatedDatabase_data();
    void conversionShowsProgress_data();
    void conversionShowsProgress();
    void startsOnTheLocatedDatabase();
    void unusableDatabaseOffersAWayOut_data();
    void unusableDatabaseOffersAWayOut();

private:
    QStringList m_questions;
    QStringList m_messages;
    bool m_answer = false;
};

void TestStartup::initTestCase()
{
    // The database chosen at start-up goes into the test's own settings.
    QStandardPaths::setTestModeEnabled(true);
}

void TestStartup::init()
{
    m_questions.clear();
    m_messages.clear();
    m_answer = false;
    setMessageBoxInterceptor({[this](const QString& text) {
        (text.contains(QStringLiteral("现在转换吗")) ? m_questions : m_messages) << text;
        return m_answer;
    }});
}

void TestStartup::cleanup()
{
    setMessageBoxInterceptor({});
}

void TestStartup::ownDatabaseNeedsNoConversion()
{
    testing::TestProgramFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(offerAccessConversion(folder.folder()));
    QVERIFY(m_questions.isEmpty());
    QVERIFY(m_messages.isEmpty());
}

void TestStartup::declinedConversionEndsAndKeepsTheFile()
{
    QTemporaryDir dir;
    const QString path = store::databasePath(dir.path());
    QVERIFY(writeAccessLikeFile(path));
    const QByteArray before = digest(path);

    m_answer = false;
    QVERIFY(!offerAccessConversion(dir.path()));
    QCOMPARE(m_questions.size(), 1);
    QVERIFY(m_questions.first().contains(QDir::toNativeSeparators(path)));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages.first().contains(QStringLiteral("无法启动")));
    QCOMPARE(digest(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

void TestStartup::failedConversionRestoresTheOriginal()
{
    // The folder has no command-line tool, so the conversion cannot run: the
    // user is told, and the Access file is back under its own name.
    QTemporaryDir dir;
    const QString path = store::databasePath(dir.path());
    QVERIFY(writeAccessLikeFile(path));
    const QByteArray before = digest(path);

    m_answer = true;
    QVERIFY(!offerAccessConversion(dir.path()));
    QCOMPARE(m_questions.size(), 1);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages.first().contains(QStringLiteral("无法启动")));
    QCOMPARE(digest(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("水泵数据库97.mdb")});
}

void TestStartup::accessFileWithoutPumpTablesIsRefused()
{
    // A real Access 97 file that is no pump database, converted by the real
    // command-line tool beside it: refused, naming what is missing.
    const QString sample = QStringLiteral(TARNWICK_MDB_SAMPLES "/testV1997.mdb");
    QTemporaryDir dir;
    const QString path = store::databasePath(dir.path());
    QVERIFY(QFile::copy(sample, path));
    QVERIFY(QFile::link(QStringLiteral(TARNWICK_CLI_PATH), dir.filePath(QStringLiteral("tarnwick-cli"))));
    const QByteArray before = digest(path);

    m_answer = true;
    QVERIFY(!offerAccessConversion(dir.path()));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().contains(QStringLiteral("水泵性能表")), qPrintable(m_messages.first()));
    QCOMPARE(digest(path), before);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("水泵数据库97-access97.mdb"))));
}

void TestStartup::startsOnTheLocatedDatabase_data()
{
    // How the database is given, and whether the window can open on it.
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("opens");
    QTest::newRow("--db FILE") << QStringLiteral("given") << true;
    QTest::newRow("--db=FILE under another name") << QStringLiteral("renamed") << false;
    QTest::newRow("first start of an installed program") << QStringLiteral("per-user") << true;
}

void TestStartup::startsOnTheLocatedDatabase()
{
    QFETCH(QString, how);
    QFETCH(bool, opens);
    testing::TestProgramFolder shipped;
    QVERIFY(shipped.isValid());
    QTemporaryDir dir;
    store::DatabaseLocation location;
    if (how == QStringLiteral("per-user")) {
        location.kind = store::DatabaseLocation::Kind::PerUser;
        location.path = dir.filePath(QStringLiteral("data/tarnwick/水泵数据库97.mdb"));
        location.shipped = shipped.databasePath();
    } else if (how == QStringLiteral("renamed")) {
        const QString other = dir.filePath(QStringLiteral("other.db"));
        QVERIFY(QFile::copy(shipped.databasePath(), other));
        location = startupDatabase({QStringLiteral("tarnwick"), QStringLiteral("--db=") + other});
    } else {
        location = startupDatabase({QStringLiteral("tarnwick"), QStringLiteral("--db"), shipped.databasePath()});
        QCOMPARE(location.path, shipped.databasePath());
    }
    const QByteArray shippedDigest = digest(shipped.databasePath());
    const auto window = startOn(location);
    QCOMPARE(window != nullptr, opens);
    QCOMPARE(m_messages.size(), opens ? 0 : 1);
    if (!opens)
        return;
    QVERIFY2(window->statusBar()->toolTip().contains(QDir::toNativeSeparators(location.path)),
             qPrintable(window->statusBar()->toolTip()));
    QVERIFY(QFile::exists(location.path));
    if (how == QStringLiteral("per-user")) {
        // The window writes to the copy; the shipped file stays as installed.
        QCOMPARE(digest(shipped.databasePath()), shippedDigest);
        QVERIFY(window->statusBar()->toolTip().contains(QStringLiteral("用户数据目录")));
    }
}

void TestStartup::conversionShowsProgress_data()
{
    // Whether the user cancels; a stand-in for the tool reports progress,
    // leaves a partial file under the target's name and, unless cancelled,
    // ends with a finished database.
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled") << true;
    QTest::newRow("finished") << false;
}

void TestStartup::conversionShowsProgress()
{
    QFETCH(bool, cancel);
    QTemporaryDir dir;
    const QString path = store::databasePath(dir.path());
    QVERIFY(writeAccessLikeFile(path));
    const QByteArray before = digest(path);
    testing::TestProgramFolder finished;
    QVERIFY(finished.isValid());
    QTemporaryDir tools;
    const QString tool = tools.filePath(QStringLiteral("slow-cli"));
    QFile script(tool);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho partial > \"$4\"\n"
                 "printf '\\r\\033[K\xe6\xad\xa3\xe5\x9c\xa8\xe8\xbd\xac\xe6\x8d\xa2 1000' >&2\n");
    script.write(cancel ? "exec sleep 30\n"
                        : QByteArray("sleep 1; cp '" + QFile::encodeName(finished.databasePath()) + "' \"$4\"\n"));
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));

    // The windows go on working: a timer keeps ticking during the conversion.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] { ++ticks; });
    ticker.start(20);
    QString shownText;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, &watcher, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QProgressDialog*>(widget);
            if (!dialog || dialog->objectName() != QStringLiteral("AccessConversionProgress") || !dialog->isVisible())
                continue;
            const QString text = dialog->findChild<QLabel*>()->text();
            // Cancelled only once the other timer has shown the loop alive.
            if (!text.contains(QStringLiteral("1000")) || ticks <= 5)
                continue;
            shownText = text;
            watcher.stop();
            if (cancel)
                dialog->findChild<QPushButton*>()->click();
        }
    });
    watcher.start(20);

    const import::AccessConversion result = convertWithProgress(dir.path(), tool);
    QVERIFY2(shownText.startsWith(QStringLiteral("正在转换 1000")), qPrintable(shownText));
    QVERIFY(ticks > 5);
    if (cancel) {
        QCOMPARE(result.outcome, import::AccessConversion::Outcome::Failed);
        QVERIFY2(result.message.contains(QStringLiteral("转换已取消")), qPrintable(result.message));
        QVERIFY(result.message.contains(QStringLiteral("原文件没有改动")));
        QCOMPARE(digest(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("水泵数据库97.mdb")});
    } else {
        QCOMPARE(result.outcome, import::AccessConversion::Outcome::Converted);
        QCOMPARE(digest(result.keptOriginal), before);
        QCOMPARE(digest(path), digest(finished.databasePath()));
    }
}

void TestStartup::unusableDatabaseOffersAWayOut_data()
{
    // The database named at start and the answers given in turn to the
    // question that follows each failed try (0 retry, 1 choose another,
    // 2 the local file, 3 exit); choosing another enters `chosen` in the
    // database dialog ({good}: a sound test database; empty: cancelled).
    QTest::addColumn<QString>("named");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("reason"); // in every question
    QTest::addColumn<bool>("opens");
    QTest::newRow("retry, then exit") << QStringLiteral("{other}") << QList<int>{0, 3} << QString()
                                      << QStringLiteral("窗口程序使用的数据库文件必须名为") << false;
    QTest::newRow("server not there, choose a file that opens")
        << QStringLiteral("postgresql://engineer@127.0.0.1:1/office") << QList<int>{1} << QStringLiteral("{good}")
        << QStringLiteral("无法连接数据库服务器") << true;
    QTest::newRow("choose another, cancelled, then exit")
        << QStringLiteral("{other}") << QList<int>{1, 3} << QString() << QStringLiteral("必须名为") << false;
}

void TestStartup::unusableDatabaseOffersAWayOut()
{
    QFETCH(QString, named);
    QFETCH(QList<int>, answers);
    QFETCH(QString, chosen);
    QFETCH(QString, reason);
    QFETCH(bool, opens);
    testing::TestProgramFolder good;
    QVERIFY(good.isValid());
    QTemporaryDir dir;
    const QString other = dir.filePath(QStringLiteral("other.db"));
    QVERIFY(QFile::copy(good.databasePath(), other));
    named.replace(QStringLiteral("{other}"), other);
    chosen.replace(QStringLiteral("{good}"), good.databasePath());
    store::setSettingsDatabase(QString());

    QStringList questions;
    QList<QStringList> offered;
    qsizetype next = 0;
    setMessageBoxInterceptor({[this](const QString& text) {
                                  m_messages << text;
                                  return false;
                              },
                              [&](const QString& text, const QStringList& choices) {
                                  questions << text;
                                  offered << choices;
                                  return next < answers.size() ? answers.at(next++) : 3;
                              }});
    int dialogs = 0;
    setModalInterceptor([&](QDialog& dialog) {
        ++dialogs;
        if (dialog.objectName() != QStringLiteral("DatabaseDialog") || chosen.isEmpty())
            return int(QDialog::Rejected);
        dialog.findChild<QLineEdit*>(QStringLiteral("location"))->setText(chosen);
        dialog.findChild<QPushButton*>(QStringLiteral("keep"))->click();
        return dialog.result();
    });

    const auto window = startOn(store::locateDatabase(named));
    setModalInterceptor({});
    QCOMPARE(window != nullptr, opens);
    QCOMPARE(questions.size(), answers.size());
    QCOMPARE(dialogs, static_cast<int>(answers.count(1)));
    const QString local = QDir::toNativeSeparators(store::usualDatabaseLocation().path);
    for (qsizetype i = 0; i < questions.size(); ++i) {
        QVERIFY2(questions.at(i).contains(reason), qPrintable(questions.at(i)));
        // The local file is offered by its name, beside the other ways.
        QVERIFY2(questions.at(i).contains(local), qPrintable(questions.at(i)));
        QCOMPARE(offered.at(i), (QStringList{QStringLiteral("重试"), QStringLiteral("另选数据库…"),
                                             QStringLiteral("使用本机数据库文件"), QStringLiteral("退出")}));
    }
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    if (opens) {
        // On the database chosen, which is kept for the next start.
        QVERIFY2(window->statusBar()->toolTip().contains(QDir::toNativeSeparators(chosen)),
                 qPrintable(window->statusBar()->toolTip()));
        QCOMPARE(store::settingsDatabase(), chosen);
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
