// An office on one PostgreSQL server: maintainers saving the catalogue while
// others replace it, engineers running at once, rights that the server
// itself enforces, backups that keep who made each row, addresses read as
// libpq reads them. The server is the one the tests start themselves, with
// two engineer logins (zhang, li) and a maintainer login (wang).

#include "store/catalogueedit.h"
#include "store/database.h"
#include "store/databaselocation.h"
#include "store/varspeedstore.h"
#include "tests/support/postgresserver.h"
#include "tests/support/toolrun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>

#include <functional>

using namespace tarnwick;
using namespace tarnwick::testing;
using Run = ToolRun;

namespace {

Run cli(const QStringList& arguments)
{
    return runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, 300000);
}

QStringList duty(double flow, double resistance)
{
    return {QStringLiteral("--flow"), QString::number(flow), QStringLiteral("--resistance"), QString::number(resistance),
            QStringLiteral("--static-head"), QStringLiteral("0")};
}

// One value of a query run as `user` in the database (postgres: the owner).
QVariant scalar(const PostgresServer& server, const QString& database, const QString& sql,
                const QString& user = QStringLiteral("postgres"), QString* error = nullptr)
{
    const QString name = QStringLiteral("scalar-%1").arg(quintptr(QThread::currentThreadId()));
    QVariant result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(QUrlQuery(QUrl(server.socketUri(database))).queryItemValue(QStringLiteral("host")));
        db.setPort(server.port());
        db.setUserName(user);
        db.setDatabaseName(database);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql)) {
                if (query.next())
                    result = query.value(0);
                else
                    result = query.numRowsAffected();
            } else if (error) {
                *error = query.lastError().text();
            }
        } else if (error) {
            *error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

int count(const PostgresServer& server, const QString& database, const QString& sql)
{
    return scalar(server, database, sql).toInt();
}

// The invariants of a sound catalogue: every pump once, every pump with its points.
QString catalogueFault(const PostgresServer& server, const QString& database, int pumps, int points)
{
    const int rows = count(server, database, QStringLiteral("SELECT count(*) FROM \"水泵性能表\""));
    const int keys = count(server, database, QStringLiteral("SELECT count(DISTINCT \"序号\") FROM \"水泵性能表\""));
    const int bare = count(server, database,
                           QStringLiteral("SELECT count(*) FROM \"水泵性能表\" p WHERE NOT EXISTS "
                                          "(SELECT 1 FROM \"流扬功\" q WHERE q.\"序号\" = p.\"序号\")"));
    const int pointRows = count(server, database, QStringLiteral("SELECT count(*) FROM \"流扬功\""));
    if (rows != pumps || keys != pumps || bare != 0 || pointRows != points)
        return QStringLiteral("%1 pump rows, %2 keys, %3 pumps without points, %4 points; expected %5 pumps, %6 points")
            .arg(rows)
            .arg(keys)
            .arg(bare)
            .arg(pointRows)
            .arg(pumps)
            .arg(points);
    return QString();
}

// The catalogue as read, with two neighbouring pumps near the end swapped.
store::CatalogueEdits swapped(const store::EditableCatalogue& read, int fromEnd)
{
    store::CatalogueEdits edits;
    edits.pumps = read.pumps;
    const int i = int(edits.pumps.size()) - fromEnd;
    edits.pumps.swapItemsAt(i, i + 1);
    return edits;
}

bool waitForLockWaiters(const PostgresServer& server, const QString& database, int waiters)
{
    for (int i = 0; i < 600; ++i) {
        if (count(server, database,
                  QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock' AND datname = '%1'")
                      .arg(database)) >= waiters)
            return true;
        QThread::msleep(100);
    }
    return false;
}

} // namespace

class TestServerOffice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogueWritersTakeTurns_data();
    void catalogueWritersTakeTurns();
    void oneEngineersRunsKeepTheirRows();
    void variableSpeedRunsStaySeparate();
    void rightsAreTheServers_data();
    void rightsAreTheServers();
    void copiesKeepOwnersAndRights_data();
    void copiesKeepOwnersAndRights();
    void catalogueUpdateOnTheServer();
    void earlierDatabaseIsBroughtUpToDate();
    void addressesAsLibpqReadsThem_data();
    void addressesAsLibpqReadsThem();

private:
    // A new database with the shipped catalogue. With `roles` the rights
    // come from init-db --roles; without, every login may do everything,
    // which is how the faults of concurrency show on their own.
    QString office(const QString& name, bool roles);
    QString as(const QString& database, const QString& user) const { return m_server->socketUri(database, user); }

    std::unique_ptr<PostgresServer> m_server;
    QTemporaryDir m_dir;
    QString m_shipped;
    int m_pumps = 0;
    int m_points = 0;
};

void TestServerOffice::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_server = std::make_unique<PostgresServer>();
    QVERIFY2(m_server->isRunning(), qPrintable(m_server->error()));
    m_shipped = m_dir.filePath(QStringLiteral("shipped.mdb"));
    QVERIFY(QFile::copy(QStringLiteral(TARNWICK_PROGRAM_DIR "/水泵数据库97.mdb"), m_shipped));
    QFile::setPermissions(m_shipped, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QString error;
    QVERIFY2(m_server->exec(QStringLiteral("postgres"),
                            QStringLiteral("CREATE ROLE zhang LOGIN; CREATE ROLE li LOGIN; CREATE ROLE wang LOGIN"), &error),
             qPrintable(error));
    const QString first = office(QStringLiteral("first"), false);
    QVERIFY(!first.isEmpty());
    m_pumps = count(*m_server, QStringLiteral("first"), QStringLiteral("SELECT count(*) FROM \"水泵性能表\""));
    m_points = count(*m_server, QStringLiteral("first"), QStringLiteral("SELECT count(*) FROM \"流扬功\""));
    QVERIFY(m_pumps > 100);
}

QString TestServerOffice::office(const QString& name, bool roles)
{
    QString error;
    if (!m_server->createDatabase(name, &error))
        return QString();
    const QString uri = m_server->socketUri(name);
    QStringList arguments = {QStringLiteral("init-db"), uri, QStringLiteral("--with-catalogue"), QStringLiteral("--from"),
                             m_shipped};
    if (roles)
        arguments << QStringLiteral("--roles");
    const Run init = cli(arguments);
    if (init.exitCode != 0) {
        qWarning("init-db: exit %d: %s %s", init.exitCode, qPrintable(init.err), qPrintable(init.out));
        return QString();
    }
    const QString grants =
        roles ? QStringLiteral("GRANT tarnwick_engineer TO zhang, li; GRANT tarnwick_maintainer TO wang")
              : QStringLiteral("GRANT ALL ON ALL TABLES IN SCHEMA public TO zhang, li, wang; "
                               "GRANT ALL ON ALL SEQUENCES IN SCHEMA public TO zhang, li, wang");
    if (!m_server->exec(name, grants, &error)) {
        qWarning("grants: %s", qPrintable(error));
        return QString();
    }
    return uri;
}

void TestServerOffice::catalogueWritersTakeTurns_data()
{
    QTest::addColumn<QString>("other"); // the second writer: a save, or a command of the tool
    QTest::newRow("two saves") << QStringLiteral("save");
    QTest::newRow("save and import-catalogue --replace") << QStringLiteral("import-catalogue");
    QTest::newRow("save and update-catalogue") << QStringLiteral("update-catalogue");
    QTest::newRow("save and copy-db --replace") << QStringLiteral("copy-db");
}

void TestServerOffice::catalogueWritersTakeTurns()
{
    QFETCH(QString, other);
    static int round = 0;
    const QString database = QStringLiteral("saves%1").arg(++round);
    const QString uri = office(database, false);
    QVERIFY(!uri.isEmpty());
    QString error;
    if (other == QLatin1String("import-catalogue")) {
        const Run exported = cli({QStringLiteral("export-catalogue"), m_dir.filePath(QStringLiteral("pumps.csv")),
                                  m_dir.filePath(QStringLiteral("points.csv")), QStringLiteral("--db"), m_shipped});
        QVERIFY2(exported.exitCode == 0, qPrintable(exported.err));
    }

    // A third session holds the pumps' rows, so that both writers have
    // started and wait before either writes; then it lets go.
    const QString holderName = QStringLiteral("holder%1").arg(round);
    QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), holderName);
    holder.setHostName(QUrlQuery(QUrl(uri)).queryItemValue(QStringLiteral("host")));
    holder.setPort(m_server->port());
    holder.setUserName(QStringLiteral("postgres"));
    holder.setDatabaseName(database);
    QVERIFY(holder.open());
    QSqlQuery hold(holder);

    struct Save
    {
        QThread* thread = nullptr;
        bool read = false;
        bool saved = false;
        QString message;
    };
    auto startSave = [&](Save& save, int fromEnd) {
        save.thread = QThread::create([&save, fromEnd, uri = as(database, QStringLiteral("wang"))] {
            auto connection = store::Connection::open(uri);
            if (!connection) {
                save.message = connection.error();
                return;
            }
            auto read = store::readEditableCatalogue(connection.value()->database());
            if (!read) {
                save.message = read.error();
                return;
            }
            save.read = true;
            const auto saved = store::saveCatalogueEdits(connection.value()->database(), read.value(),
                                                         swapped(read.value(), fromEnd));
            save.saved = bool(saved);
            save.message = saved ? QString() : saved.error();
        });
        save.thread->start();
    };
    Save first;
    Save second;
    QProcess tool;
    // Both read the catalogue before either can write.
    QVERIFY(hold.exec(QStringLiteral("BEGIN")));
    QVERIFY(hold.exec(QStringLiteral("SELECT 1 FROM \"水泵性能表\" FOR UPDATE")));
    startSave(first, 4);
    if (other == QLatin1String("save")) {
        startSave(second, 2);
    } else {
        QStringList arguments;
        if (other == QLatin1String("import-catalogue"))
            arguments = {QStringLiteral("import-catalogue"), m_dir.filePath(QStringLiteral("pumps.csv")),
                         m_dir.filePath(QStringLiteral("points.csv")), QStringLiteral("--replace"), QStringLiteral("--db"), uri};
        else if (other == QLatin1String("update-catalogue"))
            arguments = {QStringLiteral("update-catalogue"), QStringLiteral("--from"), m_shipped, QStringLiteral("--db"), uri};
        else
            arguments = {QStringLiteral("copy-db"), m_shipped, uri, QStringLiteral("--replace")};
        tool.start(QStringLiteral(TARNWICK_CLI_PATH), arguments);
        QVERIFY(tool.waitForStarted());
    }
    const bool bothWaited = waitForLockWaiters(*m_server, database, 2);
    QVERIFY(hold.exec(QStringLiteral("COMMIT")));
    hold.finish();
    for (QThread* thread : {first.thread, second.thread}) {
        if (thread)
            thread->wait();
        delete thread;
    }
    tool.waitForFinished(300000);
    QVERIFY2(bothWaited, "both writers were to wait for the held rows");
    QVERIFY2(first.read, qPrintable(first.message));
    if (other == QLatin1String("save")) {
        QVERIFY2(second.read, qPrintable(second.message));
        // One save is written; the other had read what the first changed and is refused.
        QCOMPARE(int(first.saved) + int(second.saved), 1);
        const QString refused = first.saved ? second.message : first.message;
        QVERIFY2(refused.contains(QStringLiteral("已被其他程序修改")), qPrintable(refused));
    } else {
        QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0, tool.readAllStandardError().constData());
    }
    const QString fault = catalogueFault(*m_server, database, m_pumps, m_points);
    QVERIFY2(fault.isEmpty(), qPrintable(fault + QLatin1Char(' ') + first.message));
}

void TestServerOffice::oneEngineersRunsKeepTheirRows()
{
    const QString uri = office(QStringLiteral("onelogin"), false);
    QVERIFY(!uri.isEmpty());
    // Six programs of one engineer, five designs each, each run its own duty.
    struct Worker
    {
        QThread* thread = nullptr;
        QStringList faults;
        int runs = 0;
    };
    QList<Worker> workers(6);
    for (int w = 0; w < workers.size(); ++w) {
        Worker& worker = workers[w];
        worker.thread = QThread::create([&worker, w, uri] {
            for (int i = 0; i < 5; ++i) {
                const double flow = 40 + 7 * w + i;
                const Run run = cli(QStringList{QStringLiteral("design")} + duty(flow, 20) +
                                    QStringList{QStringLiteral("--json"), QStringLiteral("--db"), uri});
                if (run.exitCode != 0) {
                    worker.faults.append(run.err);
                    continue;
                }
                ++worker.runs;
                const QJsonObject json = run.json();
                const QJsonArray rows = json.value(QStringLiteral("rows")).toArray();
                // What the run printed are the rows it wrote: one per listed pump, all of its duty.
                if (rows.size() != json.value(QStringLiteral("pumps")).toArray().size())
                    worker.faults.append(QStringLiteral("flow %1: %2 rows for %3 pumps")
                                             .arg(flow)
                                             .arg(rows.size())
                                             .arg(json.value(QStringLiteral("pumps")).toArray().size()));
                for (const QJsonValue& row : rows) {
                    if (row.toObject().value(QStringLiteral("流量")).toDouble() != flow) {
                        worker.faults.append(QStringLiteral("flow %1 printed a row of flow %2")
                                                 .arg(flow)
                                                 .arg(row.toObject().value(QStringLiteral("流量")).toDouble()));
                        break;
                    }
                }
            }
        });
        worker.thread->start();
    }
    for (Worker& worker : workers) {
        worker.thread->wait();
        delete worker.thread;
    }
    for (const Worker& worker : workers) {
        QVERIFY2(worker.faults.isEmpty(), qPrintable(worker.faults.join(QLatin1Char('\n'))));
        QCOMPARE(worker.runs, 5);
    }
}

void TestServerOffice::variableSpeedRunsStaySeparate()
{
    const QString database = QStringLiteral("speeds");
    const QString uri = office(database, false);
    QVERIFY(!uri.isEmpty());
    // Two engineers, eight runs each, every run its own flow.
    const QStringList users = {QStringLiteral("zhang"), QStringLiteral("li")};
    QList<QThread*> threads;
    QStringList faults[2];
    for (int u = 0; u < users.size(); ++u) {
        threads.append(QThread::create([&, u] {
            for (int i = 0; i < 8; ++i) {
                const Run run = cli(QStringList{QStringLiteral("select")} + duty(80 + 10 * u + 4 * i, 20) +
                                    QStringList{QStringLiteral("--db"), as(database, users[u])});
                if (run.exitCode != 0)
                    faults[u].append(run.err);
            }
        }));
        threads.last()->start();
    }
    for (QThread* thread : threads) {
        thread->wait();
        delete thread;
    }
    QVERIFY2(faults[0].isEmpty() && faults[1].isEmpty(), qPrintable(faults[0].join(QLatin1Char('\n')) + faults[1].join(QLatin1Char('\n'))));
    // Every run its own number: one duty, each rank once.
    QCOMPARE(count(*m_server, database, QStringLiteral("SELECT count(DISTINCT \"运行序号\") FROM \"变速选型结果\"")), 16);
    QCOMPARE(count(*m_server, database,
                   QStringLiteral("SELECT count(*) FROM (SELECT \"运行序号\" FROM \"变速选型结果\" GROUP BY \"运行序号\" "
                                  "HAVING count(DISTINCT \"流量\") > 1 OR count(DISTINCT \"排名\") < count(*)) merged")),
             0);
    // Each engineer's latest run is his own.
    for (int u = 0; u < users.size(); ++u) {
        auto connection = store::Connection::open(as(database, users[u]));
        QVERIFY2(connection, qPrintable(connection ? QString() : connection.error()));
        const auto latest = store::readVarSpeedResults(connection.value()->database(), false);
        QVERIFY2(latest, qPrintable(latest ? QString() : latest.error()));
        QVERIFY(!latest->rows.isEmpty());
        const int flow = int(latest->columns.indexOf(QStringLiteral("流量")));
        QVERIFY(flow >= 0);
        for (const QVariantList& row : latest->rows)
            QCOMPARE(row.at(flow).toDouble(), double(80 + 10 * u + 4 * 7));
    }
}

void TestServerOffice::rightsAreTheServers_data()
{
    QTest::addColumn<QString>("statement");  // run by zhang from his own connection
    QTest::addColumn<QString>("untouched");  // counted as the owner before and after
    QTest::newRow("delete everyone's history")
        << QStringLiteral("DELETE FROM \"水泵选型结果\"") << QStringLiteral("SELECT count(*) FROM \"水泵选型结果\"");
    QTest::newRow("delete another's latest results")
        << QStringLiteral("DELETE FROM \"水泵选型结果1\" WHERE \"用户\" = 'li'")
        << QStringLiteral("SELECT count(*) FROM \"水泵选型结果1\" WHERE \"用户\" = 'li'");
    QTest::newRow("store a result in another's name")
        << QStringLiteral("INSERT INTO \"水泵选型结果\" (\"所选型号\", \"用户\") VALUES ('X', 'li')")
        << QStringLiteral("SELECT count(*) FROM \"水泵选型结果\"");
    QTest::newRow("latest results in another's name")
        << QStringLiteral("INSERT INTO \"水泵选型结果1\" (\"所选型号\", \"用户\") VALUES ('X', 'li')")
        << QStringLiteral("SELECT count(*) FROM \"水泵选型结果1\"");
    QTest::newRow("delete the variable-speed history")
        << QStringLiteral("DELETE FROM \"变速选型负荷点\"") << QStringLiteral("SELECT count(*) FROM \"变速选型负荷点\"");
    QTest::newRow("variable-speed run in another's name")
        << QStringLiteral("INSERT INTO \"变速选型结果\" (\"运行序号\", \"排名\", \"用户\") VALUES (999, 1, 'li')")
        << QStringLiteral("SELECT count(*) FROM \"变速选型结果\"");
    QTest::newRow("liquid and suction of a run in another's name")
        << QStringLiteral("INSERT INTO \"选型工况\" (\"计算标识\", \"用户\") VALUES ('x', 'li')")
        << QStringLiteral("SELECT count(*) FROM \"选型工况\"");
    QTest::newRow("pump figures under another's run")
        << QStringLiteral("INSERT INTO \"选型附加结果\" (\"计算标识\", \"序次\", \"所选型号\") "
                          "SELECT \"计算标识\", 99, 'X' FROM \"选型工况\" WHERE \"用户\" = 'li'")
        << QStringLiteral("SELECT count(*) FROM \"选型附加结果\"");
    QTest::newRow("delete the liquid and suction history")
        << QStringLiteral("DELETE FROM \"选型附加结果\"") << QStringLiteral("SELECT count(*) FROM \"选型附加结果\"");
    QTest::newRow("variable-speed liquid of another's run")
        << QStringLiteral("INSERT INTO \"变速选型工况\" (\"运行序号\") SELECT \"运行序号\" FROM \"变速选型结果\" "
                          "WHERE \"用户\" = 'li' LIMIT 1")
        << QStringLiteral("SELECT count(*) FROM \"变速选型工况\"");
    QTest::newRow("suction figures under another's load point")
        << QStringLiteral("INSERT INTO \"变速选型附加结果\" (\"结果序号\", \"负荷序号\") SELECT \"序号\", 9 FROM "
                          "\"变速选型结果\" WHERE \"用户\" = 'li' LIMIT 1")
        << QStringLiteral("SELECT count(*) FROM \"变速选型附加结果\"");
    QTest::newRow("delete the variable-speed suction history")
        << QStringLiteral("DELETE FROM \"变速选型附加结果\"")
        << QStringLiteral("SELECT count(*) FROM \"变速选型附加结果\"");
    QTest::newRow("change the moment of a stored run")
        << QStringLiteral("UPDATE \"水泵选型结果\" SET \"计算时刻\" = '2000-01-01T00:00:00.000Z'")
        << QStringLiteral("SELECT count(*) FROM \"水泵选型结果\" WHERE \"计算时刻\" LIKE '2000%'");
    QTest::newRow("engineer changes the catalogue")
        << QStringLiteral("UPDATE \"流扬功\" SET \"扬程\" = 0") << QStringLiteral("SELECT count(*) FROM \"流扬功\" WHERE \"扬程\" = 0");
}

void TestServerOffice::rightsAreTheServers()
{
    QFETCH(QString, statement);
    QFETCH(QString, untouched);
    const QString database = QStringLiteral("rights");
    static bool prepared = false;
    if (!prepared) {
        QVERIFY(!office(database, true).isEmpty());
        // What the roles are for works: engineers store their runs, the
        // maintainer keeps the catalogue.
        for (const QString& user : {QStringLiteral("zhang"), QStringLiteral("li")}) {
            for (const QString& command : {QStringLiteral("design"), QStringLiteral("select")}) {
                const Run run = cli(QStringList{command} + duty(100, 20) + QStringList{QStringLiteral("--db"), as(database, user)});
                QVERIFY2(run.exitCode == 0, qPrintable(user + QLatin1Char(' ') + command + QLatin1Char(' ') + run.err));
            }
            const Run hot = cli(QStringList{QStringLiteral("design")} + duty(100, 20) +
                                QStringList{QStringLiteral("--temperature"), QStringLiteral("80"), QStringLiteral("--db"),
                                            as(database, user)});
            QVERIFY2(hot.exitCode == 0, qPrintable(user + QStringLiteral(" design at 80 °C ") + hot.err));
            const Run suction = cli(QStringList{QStringLiteral("select")} + duty(100, 20) +
                                    QStringList{QStringLiteral("--suction-pressure"), QStringLiteral("5"),
                                                QStringLiteral("--db"), as(database, user)});
            QVERIFY2(suction.exitCode == 0, qPrintable(user + QStringLiteral(" select with suction ") + suction.err));
        }
        QVERIFY(count(*m_server, database, QStringLiteral("SELECT count(*) FROM \"变速选型工况\"")) == 2);
        // Every run the engineers stored keeps its moment.
        for (const char* table : {"水泵选型结果", "水泵选型结果1", "变速选型结果", "选型工况"}) {
            const QString sql = QStringLiteral("SELECT count(*) FILTER (WHERE \"计算时刻\" IS NULL) * 1000 + count(*) FROM \"%1\"")
                                    .arg(QString::fromUtf8(table));
            const int counted = count(*m_server, database, sql);
            QVERIFY2(counted > 0 && counted < 1000, table);
        }
        QString error;
        QVERIFY(scalar(*m_server, database, QStringLiteral("UPDATE \"水泵性能表\" SET \"重量\" = 1 WHERE \"序号\" = 1"),
                       QStringLiteral("wang"), &error)
                    .isValid());
        QVERIFY2(error.isEmpty(), qPrintable(error));
        prepared = true;
    }
    const int before = count(*m_server, database, untouched);
    QString error;
    scalar(*m_server, database, statement, QStringLiteral("zhang"), &error);
    QCOMPARE(count(*m_server, database, untouched), before);
}

void TestServerOffice::copiesKeepOwnersAndRights_data()
{
    QTest::addColumn<bool>("roles");
    QTest::newRow("rights granted by hand") << false;
    QTest::newRow("rights of init-db --roles") << true;
}

void TestServerOffice::copiesKeepOwnersAndRights()
{
    QFETCH(bool, roles);
    const QString database = roles ? QStringLiteral("backup_roles") : QStringLiteral("backup");
    const QString uri = office(database, roles);
    QVERIFY(!uri.isEmpty());
    for (const QString& user : {QStringLiteral("zhang"), QStringLiteral("li"), QStringLiteral("postgres")}) {
        const Run run = cli(QStringList{QStringLiteral("design")} + duty(user.size() * 10 + 30, 20) +
                            QStringList{QStringLiteral("--db"), as(database, user)});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const Run speed = cli(QStringList{QStringLiteral("select")} + duty(100, 20) + QStringList{QStringLiteral("--db"), as(database, user)});
        QVERIFY2(speed.exitCode == 0, qPrintable(speed.err));
        const Run hot = cli(QStringList{QStringLiteral("design")} + duty(user.size() * 10 + 30, 20) +
                            QStringList{QStringLiteral("--temperature"), QStringLiteral("80"), QStringLiteral("--db"),
                                        as(database, user)});
        QVERIFY2(hot.exitCode == 0, qPrintable(hot.err));
    }
    // Each row's owner and its run's moment (a row without one drops out).
    const QString owners = QStringLiteral(
        "SELECT string_agg(\"用户\" || ':' || \"所选型号\" || ':' || \"计算时刻\", ',' ORDER BY rowid) FROM \"水泵选型结果1\"");
    const QString speedOwners = QStringLiteral(
        "SELECT string_agg(\"用户\" || ':' || \"运行序号\" || ':' || \"计算时刻\", ',' ORDER BY rowid) FROM \"变速选型结果\"");
    const QString conditionOwners = QStringLiteral(
        "SELECT string_agg(r.\"用户\" || ':' || r.\"温度\" || ':' || p.\"用户\" || ':' || p.\"所选型号\" || ':' || "
        "r.\"计算时刻\", ',' ORDER BY p.rowid) FROM \"选型附加结果\" p JOIN \"选型工况\" r USING (\"计算标识\")");
    const QString conditionsBefore = scalar(*m_server, database, conditionOwners).toString();
    QVERIFY(conditionsBefore.contains(QStringLiteral("li:80:li:")));
    const QString before = scalar(*m_server, database, owners).toString();
    QCOMPARE(count(*m_server, database, QStringLiteral("SELECT count(*) FROM \"水泵选型结果1\" WHERE \"计算时刻\" IS NULL")), 0);
    const QString speedBefore = scalar(*m_server, database, speedOwners).toString();
    const QString rights = QStringLiteral("SELECT (SELECT count(*) FROM pg_policies) || ' ' || "
                                          "(SELECT string_agg(relname || relacl::text, ' ' ORDER BY relname) FROM pg_class "
                                          "WHERE relkind IN ('r', 'v') AND relnamespace = 'public'::regnamespace)");
    const QString rightsBefore = scalar(*m_server, database, rights).toString();

    // To a file and back over the same database.
    const QString file = m_dir.filePath(database + QStringLiteral(".mdb"));
    const Run saved = cli({QStringLiteral("copy-db"), uri, file});
    QVERIFY2(saved.exitCode == 0, qPrintable(saved.err));
    const Run inFile = runTool(QStringLiteral("sqlite3"),
                               {file, QStringLiteral("SELECT count(DISTINCT \"用户\") FROM \"水泵选型结果1\"")});
    QCOMPARE(inFile.out.trimmed(), QStringLiteral("3"));
    const Run conditionsInFile = runTool(QStringLiteral("sqlite3"),
                                         {file, QStringLiteral("SELECT count(DISTINCT \"用户\") FROM \"选型附加结果\"")});
    QCOMPARE(conditionsInFile.out.trimmed(), QStringLiteral("3"));
    const Run momentsInFile = runTool(QStringLiteral("sqlite3"),
                                      {file, QStringLiteral("SELECT count(DISTINCT \"计算时刻\") FROM \"水泵选型结果1\"")});
    QCOMPARE(momentsInFile.out.trimmed(), QStringLiteral("3"));
    const Run restored = cli({QStringLiteral("copy-db"), file, uri, QStringLiteral("--replace")});
    QVERIFY2(restored.exitCode == 0, qPrintable(restored.err));
    QCOMPARE(scalar(*m_server, database, owners).toString(), before);
    QCOMPARE(scalar(*m_server, database, speedOwners).toString(), speedBefore);
    QCOMPARE(scalar(*m_server, database, conditionOwners).toString(), conditionsBefore);
    QCOMPARE(scalar(*m_server, database, rights).toString(), rightsBefore);
    // The engineers keep working, and cannot delete the history.
    const Run again = cli(QStringList{QStringLiteral("design")} + duty(50, 20) + QStringList{QStringLiteral("--db"), as(database, QStringLiteral("zhang"))});
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    if (!roles)
        return;
    const int all = count(*m_server, database, QStringLiteral("SELECT count(*) FROM \"水泵选型结果\""));
    scalar(*m_server, database, QStringLiteral("DELETE FROM \"水泵选型结果\""), QStringLiteral("zhang"));
    QCOMPARE(count(*m_server, database, QStringLiteral("SELECT count(*) FROM \"水泵选型结果\"")), all);
}

void TestServerOffice::catalogueUpdateOnTheServer()
{
    const QString database = QStringLiteral("updated");
    const QString uri = office(database, false);
    QVERIFY(!uri.isEmpty());
    QVERIFY(cli(QStringList{QStringLiteral("design")} + duty(50, 20) + QStringList{QStringLiteral("--db"), uri}).exitCode == 0);
    const int results = count(*m_server, database, QStringLiteral("SELECT count(*) FROM \"水泵选型结果\""));
    // A newer catalogue: the shipped one without its last ten pumps.
    const QString newer = m_dir.filePath(QStringLiteral("newer.mdb"));
    QFile::remove(newer);
    QVERIFY(QFile::copy(m_shipped, newer));
    const Run trimmed = runTool(QStringLiteral("sqlite3"),
                                {newer, QStringLiteral("DELETE FROM \"流扬功\" WHERE \"序号\" IN (SELECT \"序号\" FROM \"水泵性能表\" "
                                                       "ORDER BY rowid DESC LIMIT 10); DELETE FROM \"水泵性能表\" WHERE rowid IN "
                                                       "(SELECT rowid FROM \"水泵性能表\" ORDER BY rowid DESC LIMIT 10);")});
    QCOMPARE(trimmed.exitCode, 0);
    const Run update = cli({QStringLiteral("update-catalogue"), QStringLiteral("--from"), newer, QStringLiteral("--db"), uri});
    QVERIFY2(update.exitCode == 0, qPrintable(update.err));
    QVERIFY2(update.out.contains(QStringLiteral("postgresql://")), qPrintable(update.out));
    QCOMPARE(count(*m_server, database, QStringLiteral("SELECT count(*) FROM \"水泵性能表\"")), m_pumps - 10);
    QCOMPARE(count(*m_server, database, QStringLiteral("SELECT count(*) FROM \"水泵选型结果\"")), results);
    // A source that is no database is refused, naming the file.
    const Run refused = cli({QStringLiteral("update-catalogue"), QStringLiteral("--from"), m_dir.filePath(QStringLiteral("none.mdb")),
                             QStringLiteral("--db"), uri});
    QCOMPARE(refused.exitCode, 2);
    QCOMPARE(count(*m_server, database, QStringLiteral("SELECT count(*) FROM \"水泵性能表\"")), m_pumps - 10);
}

void TestServerOffice::earlierDatabaseIsBroughtUpToDate()
{
    // Variable-speed tables as an earlier version made them: no engineer's
    // name, runs numbered by the table itself.
    const QString database = QStringLiteral("earlier");
    const QString uri = office(database, false);
    QVERIFY(!uri.isEmpty());
    const QStringList select = QStringList{QStringLiteral("select")} + duty(100, 20);
    QVERIFY(cli(select + QStringList{QStringLiteral("--db"), uri}).exitCode == 0);
    QString error;
    QVERIFY2(m_server->exec(database,
                            QStringLiteral("ALTER TABLE \"变速选型结果\" DROP COLUMN \"用户\"; "
                                           "ALTER TABLE \"变速选型负荷点\" DROP COLUMN \"用户\"; DROP SEQUENCE \"变速选型运行序号\"; "
                                           "ALTER TABLE \"变速选型结果\" DROP COLUMN \"计算时刻\"; "
                                           "ALTER TABLE \"水泵选型结果\" DROP COLUMN \"计算时刻\"; "
                                           "ALTER TABLE \"水泵选型结果1\" DROP COLUMN \"计算时刻\""),
                            &error),
             qPrintable(error));
    // Designs go on being stored, without the moment, until the upgrade.
    QVERIFY(cli(QStringList{QStringLiteral("design")} + duty(50, 20) + QStringList{QStringLiteral("--db"), uri}).exitCode == 0);
    const Run refused = cli(select + QStringList{QStringLiteral("--db"), as(database, QStringLiteral("zhang"))});
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.err.contains(QStringLiteral("--roles")), qPrintable(refused.err));
    const Run upgraded = cli({QStringLiteral("init-db"), uri, QStringLiteral("--roles")});
    QVERIFY2(upgraded.exitCode == 0, qPrintable(upgraded.err));
    QVERIFY(m_server->exec(database, QStringLiteral("GRANT tarnwick_engineer TO zhang"), &error));
    const Run after = cli(select + QStringList{QStringLiteral("--db"), as(database, QStringLiteral("zhang"))});
    QVERIFY2(after.exitCode == 0, qPrintable(after.err));
    // The new run follows the one stored before, in the engineer's name.
    QCOMPARE(scalar(*m_server, database, QStringLiteral("SELECT string_agg(DISTINCT \"运行序号\" || \"用户\", ',') FROM \"变速选型结果\"")).toString(),
             QStringLiteral("1postgres,2zhang"));
    // The upgrade gave the tables of runs the moment: the new run has it,
    // the design stored before has none.
    QCOMPARE(scalar(*m_server, database, QStringLiteral("SELECT string_agg(DISTINCT \"运行序号\" || (\"计算时刻\" IS NULL)::text, ',') "
                                                       "FROM \"变速选型结果\"")).toString(),
             QStringLiteral("1true,2false"));
    QCOMPARE(count(*m_server, database, QStringLiteral("SELECT count(*) FROM \"水泵选型结果\" WHERE \"计算时刻\" IS NOT NULL")), 0);
}

void TestServerOffice::addressesAsLibpqReadsThem_data()
{
    QTest::addColumn<QString>("address"); // {socket} is the test server's socket folder, {port} its port
    QTest::addColumn<bool>("usable");
    QTest::addColumn<QString>("kept");    // in the settings; empty: refused, the setting unchanged
    QTest::addColumn<QString>("shows");   // a setting of the session that the address must give
    QTest::newRow("password with an unencoded @ and /")
        << QStringLiteral("postgresql://zhang:p@ss/w0rd7@localhost:{port}/first") << false << QString() << QString();
    QTest::newRow("option value with blanks")
        << QStringLiteral("postgresql://zhang@/first?host={socket}&port={port}&options=-c%20work_mem%3D7MB") << true
        << QStringLiteral("postgresql://zhang@/first?host={socket}&port={port}&options=-c%20work_mem%3D7MB")
        << QStringLiteral("SHOW work_mem=7MB");
    QTest::newRow("keyword smuggled in a value")
        << QStringLiteral("postgresql://zhang@/first?host={socket}&port={port}&application_name=x%20password%3Dsecret")
        << true << QStringLiteral("postgresql://zhang@/first?host={socket}&port={port}&application_name=x%20password%3Dsecret")
        << QStringLiteral("SHOW application_name=x password=secret");
    QTest::newRow("scheme in capitals")
        << QStringLiteral("POSTGRESQL://zhang@/first?host={socket}&port={port}") << true
        << QStringLiteral("postgresql://zhang@/first?host={socket}&port={port}") << QString();
    QTest::newRow("password in the query")
        << QStringLiteral("postgresql://zhang@/first?host={socket}&port={port}&password=secret") << true
        << QStringLiteral("postgresql://zhang@/first?host={socket}&port={port}") << QString();
}

void TestServerOffice::addressesAsLibpqReadsThem()
{
    QFETCH(QString, address);
    QFETCH(bool, usable);
    QFETCH(QString, kept);
    QFETCH(QString, shows);
    const QString socketFolder = QUrlQuery(QUrl(m_server->socketUri(QStringLiteral("first")))).queryItemValue(QStringLiteral("host"));
    for (QString* text : {&address, &kept}) {
        text->replace(QStringLiteral("{socket}"), socketFolder);
        text->replace(QStringLiteral("{port}"), QString::number(m_server->port()));
    }
    QVERIFY(store::isServerLocation(address));
    store::setSettingsDatabase(QStringLiteral("/earlier/choice.mdb"));
    store::setSettingsDatabase(address);
    QCOMPARE(store::settingsDatabase(), kept.isEmpty() ? QStringLiteral("/earlier/choice.mdb") : kept);
    // Nothing of a password is kept or shown.
    for (const QString& seen : {store::settingsDatabase(), store::shownLocation(address)}) {
        QVERIFY2(!seen.contains(QStringLiteral("w0rd7")) && !seen.contains(QStringLiteral("ss/")) &&
                     !seen.contains(QStringLiteral("password=secret")),
                 qPrintable(seen));
    }
    auto connection = store::Connection::open(address);
    QCOMPARE(bool(connection), usable);
    if (!connection) {
        QVERIFY2(!connection.error().contains(QStringLiteral("w0rd7")), qPrintable(connection.error()));
        return;
    }
    if (!shows.isEmpty()) {
        QSqlQuery query(connection.value()->database());
        QVERIFY(query.exec(shows.section(QLatin1Char('='), 0, 0)));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), shows.section(QLatin1Char('='), 1));
    }
}

QTEST_GUILESS_MAIN(TestServerOffice)
#include "tst_serveroffice.moc"
