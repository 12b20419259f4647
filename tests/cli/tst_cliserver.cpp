// The tool on a PostgreSQL server that the test starts itself: the same
// commands give the same answers as on the file they were copied from, many
// engineers' runs land whole while the catalogue is replaced, and what goes
// wrong with a server is said in Chinese.

#include "tests/support/postgresserver.h"
#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>

using namespace tarnwick::testing;
using Run = ToolRun;

namespace {

Run cli(const QStringList& arguments, const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    return runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, 120000, environment);
}

QStringList duty(const char* flow, const char* resistance)
{
    return {QStringLiteral("--flow"), QString::fromLatin1(flow), QStringLiteral("--resistance"),
            QString::fromLatin1(resistance), QStringLiteral("--static-head"), QStringLiteral("0")};
}

// The JSON of a run without the clock's fields.
QJsonObject timeless(QJsonObject json)
{
    QJsonArray rows;
    for (const QJsonValue& row : json.value(QStringLiteral("rows")).toArray()) {
        QJsonObject r = row.toObject();
        r.remove(QStringLiteral("计算时间"));
        r.remove(QStringLiteral("time"));
        rows.append(r);
    }
    json.insert(QStringLiteral("rows"), rows);
    return json;
}

int count(const PostgresServer& server, const QString& database, const QString& sql)
{
    const QString name = QStringLiteral("count");
    int result = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        const QUrl url(server.socketUri(database));
        db.setHostName(QUrlQuery(url).queryItemValue(QStringLiteral("host")));
        db.setPort(server.port());
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(database);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql) && query.next())
                result = query.value(0).toInt();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

} // namespace

class TestCliServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameAnswersOnBothEngines_data();
    void sameAnswersOnBothEngines();
    void copiesComeBackWhole();
    void eightEngineersAtOnce();
    void faultsAreSaid_data();
    void faultsAreSaid();
    void serverStoppedDuringARun();

private:
    // A fresh server database holding a copy of the shipped catalogue.
    QString freshDatabase(const QString& name);

    std::unique_ptr<PostgresServer> m_server;
    QTemporaryDir m_dir;
    QString m_shipped; // a copy of the program's database file
};

void TestCliServer::initTestCase()
{
    m_server = std::make_unique<PostgresServer>();
    // Fails rather than skips: install-deps puts the server on every machine
    // that runs the tests.
    QVERIFY2(m_server->isRunning(), qPrintable(m_server->error()));
    m_shipped = m_dir.filePath(QStringLiteral("shipped.mdb"));
    QVERIFY(QFile::copy(QStringLiteral(TARNWICK_PROGRAM_DIR "/水泵数据库97.mdb"), m_shipped));
    QFile::setPermissions(m_shipped, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    {
        // Start from a file with no results, as a new office would.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("empty"));
        db.setDatabaseName(m_shipped);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("DELETE FROM \"水泵选型结果\"")));
        QVERIFY(query.exec(QStringLiteral("DELETE FROM \"水泵选型结果1\"")));
        query.exec(QStringLiteral("DROP TABLE IF EXISTS \"变速选型负荷点\""));
        query.exec(QStringLiteral("DROP TABLE IF EXISTS \"变速选型结果\""));
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("empty"));
}

QString TestCliServer::freshDatabase(const QString& name)
{
    QString error;
    if (!m_server->createDatabase(name, &error))
        return QString();
    const QString uri = m_server->socketUri(name);
    const Run init = cli({QStringLiteral("init-db"), uri, QStringLiteral("--with-catalogue"), QStringLiteral("--from"), m_shipped});
    return init.exitCode == 0 ? uri : QString();
}

void TestCliServer::sameAnswersOnBothEngines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("design") << (QStringList{QStringLiteral("design")} + duty("50", "20") << QStringLiteral("--explain"));
    QTest::newRow("design in other units")
        << (QStringList{QStringLiteral("design"), QStringLiteral("--flow-unit"), QStringLiteral("L/s")} + duty("14", "20"));
    QTest::newRow("design that finds nothing") << (QStringList{QStringLiteral("design")} + duty("5000", "100"));
    QTest::newRow("check") << (QStringList{QStringLiteral("check"), QStringLiteral("--model"), QStringLiteral("IS65-50-160")} +
                               duty("25", "32"));
    QTest::newRow("rejected check") << (QStringList{QStringLiteral("check"), QStringLiteral("--model"),
                                                    QStringLiteral("IS65-50-160")} +
                                        duty("250", "32"));
    QTest::newRow("variable speed") << (QStringList{QStringLiteral("select")} + duty("100", "20") << QStringLiteral("--explain"));
    QTest::newRow("catalogue check") << QStringList{QStringLiteral("catalogue-check")};
}

void TestCliServer::sameAnswersOnBothEngines()
{
    QFETCH(QStringList, arguments);
    static int round = 0;
    ++round;
    const QString file = m_dir.filePath(QStringLiteral("file-%1.mdb").arg(round));
    QVERIFY(QFile::copy(m_shipped, file));
    const QString server = freshDatabase(QStringLiteral("same_%1").arg(round));
    QVERIFY(!server.isEmpty());

    const Run onFile = cli(arguments + QStringList{QStringLiteral("--json"), QStringLiteral("--db"), file});
    const Run onServer = cli(arguments + QStringList{QStringLiteral("--json"), QStringLiteral("--db"), server});
    QVERIFY2(onFile.exitCode == 0 || onFile.exitCode == 1, qPrintable(onFile.err));
    QCOMPARE(onServer.exitCode, onFile.exitCode);
    QCOMPARE(timeless(onServer.json()), timeless(onFile.json()));
    // And what each stored, read back.
    const Run storedFile = cli({QStringLiteral("results"), QStringLiteral("--all"), QStringLiteral("--json"), QStringLiteral("--db"), file});
    const Run storedServer = cli({QStringLiteral("results"), QStringLiteral("--all"), QStringLiteral("--json"), QStringLiteral("--db"), server});
    QCOMPARE(timeless(storedServer.json()), timeless(storedFile.json()));
}

void TestCliServer::copiesComeBackWhole()
{
    const QString server = freshDatabase(QStringLiteral("roundtrip"));
    QVERIFY(!server.isEmpty());
    QVERIFY(cli(QStringList{QStringLiteral("design")} + duty("50", "20") + QStringList{QStringLiteral("--db"), server}).exitCode == 0);
    QVERIFY(cli(QStringList{QStringLiteral("select")} + duty("100", "20") + QStringList{QStringLiteral("--db"), server}).exitCode == 0);
    const QString back = m_dir.filePath(QStringLiteral("back.mdb"));
    const Run copied = cli({QStringLiteral("copy-db"), server, back});
    QVERIFY2(copied.exitCode == 0, qPrintable(copied.err));
    QVERIFY(copied.out.contains(QStringLiteral("变速选型负荷点")));
    // A target that holds the tables already is left alone without --replace.
    const Run refused = cli({QStringLiteral("copy-db"), back, server});
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.err.contains(QStringLiteral("--replace")), qPrintable(refused.err));
    const Run replaced = cli({QStringLiteral("copy-db"), back, server, QStringLiteral("--replace")});
    QVERIFY2(replaced.exitCode == 0, qPrintable(replaced.err));
    // The server goes on numbering after the copied runs.
    QVERIFY(cli(QStringList{QStringLiteral("select")} + duty("100", "20") + QStringList{QStringLiteral("--db"), server}).exitCode == 0);
    QCOMPARE(count(*m_server, QStringLiteral("roundtrip"), QStringLiteral("SELECT count(DISTINCT \"运行序号\") FROM \"变速选型结果\"")), 2);
}

void TestCliServer::eightEngineersAtOnce()
{
    const QString server = freshDatabase(QStringLiteral("office"));
    QVERIFY(!server.isEmpty());
    const QStringList design = QStringList{QStringLiteral("design")} + duty("50", "20");
    auto entriesNow = [&] {
        const Run run = cli(design + QStringList{QStringLiteral("--json"), QStringLiteral("--db"), server});
        QStringList entries;
        for (const QJsonValue& v : run.json().value(QStringLiteral("entries")).toArray())
            entries.append(v.toString());
        return entries;
    };
    // One replacement turns the catalogue into its other version: the pumps
    // take each other's names in reverse and the points each other's keys, so
    // that each name keeps its curve but the order and the speeds beside the
    // names change. A design that read the pumps of one version and the
    // points of the other would list what neither version does.
    const int pumps = count(*m_server, QStringLiteral("office"), QStringLiteral("SELECT max(\"序号\") FROM \"水泵性能表\""));
    const QString flip = QStringLiteral("BEGIN; UPDATE \"水泵性能表\" p SET \"水泵型号\" = o.\"水泵型号\" FROM \"水泵性能表\" o "
                                        "WHERE o.\"序号\" = %1 - p.\"序号\"; UPDATE \"流扬功\" SET \"序号\" = %1 - \"序号\"; COMMIT;\n")
                             .arg(pumps + 1);
    const QStringList first = entriesNow();
    QString error;
    QVERIFY2(m_server->exec(QStringLiteral("office"), flip, &error), qPrintable(error));
    const QStringList second = entriesNow();
    QVERIFY(first.size() > 3);
    QVERIFY(first != second);
    const int before = count(*m_server, QStringLiteral("office"), QStringLiteral("SELECT count(*) FROM \"水泵选型结果\""));

    QString script;
    for (int i = 0; i < 4000; ++i)
        script += flip;
    const QString scriptFile = m_dir.filePath(QStringLiteral("replace.sql"));
    {
        QFile file(scriptFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
    }
    const QUrl url(server);
    QProcess replacer;
    replacer.start(QStringLiteral("psql"), {QStringLiteral("-q"), QStringLiteral("-h"), QUrlQuery(url).queryItemValue(QStringLiteral("host")),
                                            QStringLiteral("-p"), QString::number(m_server->port()), QStringLiteral("-U"),
                                            QStringLiteral("postgres"), QStringLiteral("-d"), QStringLiteral("office"),
                                            QStringLiteral("-f"), scriptFile});
    QVERIFY(replacer.waitForStarted());

    // Eight engineers, twenty runs each, designs and checks in turn.
    struct Engineer
    {
        QThread* thread = nullptr;
        int rows = 0;
        QStringList faults;
    };
    QList<Engineer> engineers(8);
    for (int e = 0; e < engineers.size(); ++e) {
        Engineer& engineer = engineers[e];
        engineer.thread = QThread::create([&engineer, e, design, server, first, second] {
            for (int i = 0; i < 20; ++i) {
                const bool check = (i + e) % 2 == 1;
                const QStringList arguments =
                    check ? QStringList{QStringLiteral("check"), QStringLiteral("--model"), QStringLiteral("IS80-65-160B")} + duty("50", "20")
                          : design;
                const Run run = cli(arguments + QStringList{QStringLiteral("--json"), QStringLiteral("--db"), server});
                if (run.exitCode != 0) {
                    engineer.faults.append(run.err);
                    continue;
                }
                const QJsonObject json = run.json();
                // What the run appended: one row per listed pump.
                engineer.rows += int(json.value(QStringLiteral("pumps")).toArray().size());
                if (!check) {
                    QStringList entries;
                    for (const QJsonValue& v : json.value(QStringLiteral("entries")).toArray())
                        entries.append(v.toString());
                    if (entries != first && entries != second)
                        engineer.faults.append(QStringLiteral("a design listed other pumps: ") + entries.join(QLatin1Char(',')));
                }
            }
        });
        engineer.thread->start();
    }
    int rows = 0;
    for (Engineer& engineer : engineers) {
        QVERIFY(engineer.thread->wait(600000));
        delete engineer.thread;
        QVERIFY2(engineer.faults.isEmpty(), qPrintable(engineer.faults.join(QLatin1Char('\n'))));
        rows += engineer.rows;
    }
    const bool replacing = replacer.state() == QProcess::Running;
    replacer.kill();
    replacer.waitForFinished();
    QVERIFY2(replacing, "the catalogue was not being replaced while the engineers worked");
    // Every row once, none lost, none twice.
    QCOMPARE(count(*m_server, QStringLiteral("office"), QStringLiteral("SELECT count(*) FROM \"水泵选型结果\"")), before + rows);
}

void TestCliServer::faultsAreSaid_data()
{
    QTest::addColumn<QString>("database"); // which address: wrong-password, missing, read-only
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong password") << QStringLiteral("wrong-password") << QStringLiteral("用户名或密码不对");
    QTest::newRow("missing database") << QStringLiteral("missing") << QStringLiteral("服务器上没有这个数据库");
    QTest::newRow("read-only role writing") << QStringLiteral("read-only") << QStringLiteral("没有进行这项操作的权限");
}

void TestCliServer::faultsAreSaid()
{
    QFETCH(QString, database);
    QFETCH(QString, message);
    QString error;
    static bool prepared = false;
    if (!prepared) {
        QVERIFY(!freshDatabase(QStringLiteral("faults")).isEmpty());
        QVERIFY2(m_server->exec(QStringLiteral("faults"),
                                QStringLiteral("CREATE ROLE engineer LOGIN PASSWORD 'right'; CREATE ROLE reader LOGIN; "
                                               "GRANT SELECT ON ALL TABLES IN SCHEMA public TO reader"),
                                &error),
                 qPrintable(error));
        prepared = true;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString uri;
    if (database == QLatin1String("wrong-password")) {
        uri = m_server->tcpUri(QStringLiteral("faults"), QStringLiteral("engineer"));
        environment.insert(QStringLiteral("PGPASSWORD"), QStringLiteral("wrong"));
    } else if (database == QLatin1String("missing")) {
        uri = m_server->socketUri(QStringLiteral("nowhere"));
    } else {
        uri = m_server->socketUri(QStringLiteral("faults"), QStringLiteral("reader"));
    }
    const Run run = cli(QStringList{QStringLiteral("design")} + duty("50", "20") + QStringList{QStringLiteral("--db"), uri}, environment);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY2(!run.err.contains(QStringLiteral("right")), "no password is ever shown");
    // The right password through the environment works.
    if (database == QLatin1String("wrong-password")) {
        environment.insert(QStringLiteral("PGPASSWORD"), QStringLiteral("right"));
        QVERIFY(m_server->exec(QStringLiteral("faults"), QStringLiteral("GRANT ALL ON ALL TABLES IN SCHEMA public TO engineer"), &error));
        const Run right = cli(QStringList{QStringLiteral("results")} + QStringList{QStringLiteral("--db"), uri}, environment);
        QVERIFY2(right.exitCode == 0, qPrintable(right.err));
    }
}

void TestCliServer::serverStoppedDuringARun()
{
    const QString server = freshDatabase(QStringLiteral("stopped"));
    QVERIFY(!server.isEmpty());
    // The run waits for a lock held here, inside its own transaction, when
    // the server goes away.
    const QString name = QStringLiteral("holder");
    QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    holder.setHostName(QUrlQuery(QUrl(server)).queryItemValue(QStringLiteral("host")));
    holder.setPort(m_server->port());
    holder.setUserName(QStringLiteral("postgres"));
    holder.setDatabaseName(QStringLiteral("stopped"));
    QVERIFY(holder.open());
    QSqlQuery lock(holder);
    QVERIFY(lock.exec(QStringLiteral("BEGIN")));
    QVERIFY(lock.exec(QStringLiteral("LOCK TABLE \"水泵选型结果\" IN ACCESS EXCLUSIVE MODE")));

    QProcess tool;
    tool.start(QStringLiteral(TARNWICK_CLI_PATH), QStringList{QStringLiteral("design")} + duty("50", "20") +
                                                      QStringList{QStringLiteral("--db"), server});
    QVERIFY(tool.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(count(*m_server, QStringLiteral("stopped"),
                                   QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock'")) > 0,
                             30000);
    QVERIFY(m_server->stopNow());
    QVERIFY(tool.waitForFinished(60000));
    const QString err = QString::fromUtf8(tool.readAllStandardError());
    QCOMPARE(tool.exitCode(), 2);
    QVERIFY2(err.contains(QStringLiteral("数据库服务器")), qPrintable(err));
    lock.finish();
    holder.close();
    holder = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);

    QVERIFY2(m_server->start(), qPrintable(m_server->error()));
    QCOMPARE(count(*m_server, QStringLiteral("stopped"), QStringLiteral("SELECT count(*) FROM \"水泵选型结果\"")), 0);
    QCOMPARE(count(*m_server, QStringLiteral("stopped"), QStringLiteral("SELECT count(*) FROM \"水泵选型结果1\"")), 0);
}

QTEST_GUILESS_MAIN(TestCliServer)
#include "tst_cliserver.moc"
