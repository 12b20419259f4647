// The window program started through its own main(), driven by the start
// driver: the splash window, entering the main window on the database named,
// and the ways a start ends without one.

#include "tests/support/testdatabase.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestMainStart : public QObject
{
    Q_OBJECT

private slots:
    void startsThroughTheSplash_data();
    void startsThroughTheSplash();
};

void TestMainStart::startsThroughTheSplash_data()
{
    QTest::addColumn<QString>("drive");    // enter, or close the splash
    QTest::addColumn<QString>("database"); // {good}: the test database; {other}: a copy under another name
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("seen"); // lines of the driver's report, in order
    QTest::newRow("entered on --db FILE")
        << QStringLiteral("enter") << QStringLiteral("{good}") << 0
        << QStringList{QStringLiteral("splash"), QStringLiteral("main window: Tarnwick"),
                       QStringLiteral("database: 数据库：{good}（由 --db 指定）")};
    QTest::newRow("splash closed: no main window")
        << QStringLiteral("close") << QStringLiteral("{good}") << 0 << QStringList{QStringLiteral("splash")};
    QTest::newRow("database under another name, exit chosen")
        << QStringLiteral("enter") << QStringLiteral("{other}") << 1
        << QStringList{QStringLiteral("splash"), QStringLiteral("question: ")};
}

void TestMainStart::startsThroughTheSplash()
{
    QFETCH(QString, drive);
    QFETCH(QString, database);
    QFETCH(int, status);
    QFETCH(QStringList, seen);
    tarnwick::testing::TestProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString other = home.filePath(QStringLiteral("other.db"));
    QVERIFY(QFile::copy(folder.databaseFile(), other));
    const QString good = folder.databaseFile();
    database.replace(QStringLiteral("{good}"), good).replace(QStringLiteral("{other}"), other);

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TARNWICK_DRIVE"), drive);
    // Settings and data of this run stay in its own home.
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.remove(QStringLiteral("TARNWICK_DB"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TARNWICK_START_DRIVER), {QStringLiteral("--db"), database});
    QVERIFY(program.waitForFinished(90000));
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == status, qPrintable(out + err));

    const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    qsizetype at = 0;
    for (QString expected : seen) {
        expected.replace(QStringLiteral("{good}"), good);
        while (at < lines.size() && !lines.at(at).startsWith(expected))
            ++at;
        QVERIFY2(at < lines.size(), qPrintable(expected + QStringLiteral(" not in:\n") + out + err));
        ++at;
    }
    if (!seen.contains(QStringLiteral("main window: Tarnwick")))
        QVERIFY2(!out.contains(QStringLiteral("main window")), qPrintable(out));
}

QTEST_GUILESS_MAIN(TestMainStart)
#include "tst_mainstart.moc"
