// The windows started on a PostgreSQL server's database: the main window,
// the calculation window's catalogue, a design run and its report.

#include "calcwindow/frmcalculate.h"
#include "controls/messagebox.h"
#include "shell/mdiform1.h"
#include "shell/startup.h"
#include "store/database.h"
#include "store/databaselocation.h"
#include "store/dbcopy.h"
#include "tests/support/postgresserver.h"
#include "tests/support/testdatabase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTest>

using namespace tarnwick;

class TestServerWindows : public QObject
{
    Q_OBJECT

private slots:
    void windowsWorkOnTheServer();
};

void TestServerWindows::windowsWorkOnTheServer()
{
    QStringList messages;
    setMessageBoxInterceptor({[&messages](const QString& text) {
        messages.append(text);
        return true;
    }});
    testing::PostgresServer server;
    QVERIFY2(server.isRunning(), qPrintable(server.error()));
    QString error;
    QVERIFY2(server.createDatabase(QStringLiteral("office"), &error), qPrintable(error));
    testing::TestProgramFolder folder({testing::demoPump(1, QStringLiteral("P1"), 50, 20),
                                       testing::demoPump(2, QStringLiteral("P2"), 200, 32, 1450)});
    {
        auto file = store::Connection::open(folder.databasePath());
        auto office = store::Connection::open(server.socketUri(QStringLiteral("office")));
        QVERIFY(file && office);
        QVERIFY(store::copyDatabase(file.value()->database(), office.value()->database(), {}));
    }

    const QString uri = server.socketUri(QStringLiteral("office"));
    const auto window = startOn(startupDatabase({QStringLiteral("tarnwick"), QStringLiteral("--db"), uri}));
    QVERIFY2(window, qPrintable(messages.join(QLatin1Char('\n'))));
    QVERIFY2(window->statusBar()->toolTip().contains(QStringLiteral("postgresql://")), qPrintable(window->statusBar()->toolTip()));

    window->findChild<QAction*>(QStringLiteral("calculate1"))->trigger();
    frmcalculate* calc = window->calculationWindow();
    QVERIFY(calc);
    QCOMPARE(calc->findChild<QComboBox*>(QStringLiteral("Combo1"))->count(), 2);
    // Resistance, flow, static head.
    const QStringList texts = {QStringLiteral("19"), QStringLiteral("48"), QStringLiteral("0")};
    for (int i = 0; i < 3; ++i)
        calc->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(i))->setText(texts[i]);
    QTest::mouseClick(calc->findChild<QWidget*>(QStringLiteral("设计")), Qt::LeftButton);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
    auto storedRows = [&] {
        auto office = store::Connection::open(uri);
        QSqlQuery rows(office ? office.value()->database() : QSqlDatabase());
        return office && rows.exec(QStringLiteral("SELECT count(*) FROM \"水泵选型结果\"")) && rows.next() ? rows.value(0).toInt()
                                                                                                   : -1;
    };
    const int first = storedRows();
    QVERIFY(first >= 1);

    // The server restarts while the window is open: the next design opens
    // the window's connection again and stores its rows.
    QVERIFY(server.stopNow());
    QVERIFY2(server.start(), qPrintable(server.error()));
    QTest::mouseClick(calc->findChild<QWidget*>(QStringLiteral("设计")), Qt::LeftButton);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
    QCOMPARE(storedRows(), 2 * first);

    // The server is the started window's alone: a window loaded on a folder
    // in the same process still opens that folder's file.
    QCOMPARE(store::databasePath(folder.folder()), folder.databaseFile());
    MDIForm1 local;
    QVERIFY2(local.load(folder.folder(), &error), qPrintable(error));
    QCOMPARE(local.mainConnection()->path(), folder.databaseFile());
}

QTEST_MAIN(TestServerWindows)
#include "tst_serverwindows.moc"
