#include "tests/support/testdatabase.h"

#include "data/dataset.h"
#include "store/database.h"
#include "store/dbcopy.h"
#include "tests/support/postgresserver.h"

#include <QCoreApplication>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace tarnwick::testing {

namespace {

class ScopedConnection
{
public:
    explicit ScopedConnection(const QString& path)
        : m_name(QStringLiteral("test-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~ScopedConnection() { QSqlDatabase::removeDatabase(m_name); }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

// One server for the whole test program, started when a test first needs it
// and stopped as the program ends.
PostgresServer* sharedServer(QString* error)
{
    static std::unique_ptr<PostgresServer> server;
    if (!server) {
        server = std::make_unique<PostgresServer>();
        qAddPostRoutine([] { server.reset(); });
    }
    if (!server->isRunning()) {
        *error = server->error();
        return nullptr;
    }
    return server.get();
}

} // namespace

QString serverCopy(const QString& file, QString* error)
{
    PostgresServer* server = sharedServer(error);
    if (!server)
        return QString();
    static int counter = 0;
    const QString name = QStringLiteral("test%1").arg(++counter);
    if (!server->createDatabase(name, error))
        return QString();
    const QString address = server->socketUri(name);
    auto from = store::Connection::open(file);
    auto to = store::Connection::open(address);
    if (!from || !to) {
        *error = from ? to.error() : from.error();
        return QString();
    }
    const auto copied = store::copyDatabase(from.value()->database(), to.value()->database(), {});
    if (!copied) {
        *error = copied.error();
        return QString();
    }
    return address;
}

bool createSchemaDatabase(const QString& path, QString* error)
{
    return dataset::createDatabaseFile(path, error);
}

TestProgramFolder::TestProgramFolder(const QList<TestPump>& pumps, bool interleaved)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    if (!createSchemaDatabase(databasePath(), &m_error))
        return;
    ScopedConnection connection(databasePath());
    QSqlDatabase db = connection.db();
    db.transaction();
    QSqlQuery query(db);
    for (const TestPump& pump : pumps) {
        query.prepare(QStringLiteral(
            "INSERT INTO \"水泵性能表\" (\"序号\", \"水泵类型\", \"水泵型号\", \"转速\") VALUES (?, ?, ?, ?)"));
        query.addBindValue(pump.key);
        query.addBindValue(pump.type);
        query.addBindValue(pump.model);
        query.addBindValue(pump.speed ? QVariant(*pump.speed) : QVariant());
        if (!query.exec())
            m_error = query.lastError().text();
    }
    auto insertPoint = [&](int key, const std::array<double, 3>& p) {
        query.prepare(QStringLiteral(
            "INSERT INTO \"流扬功\" (\"序号\", \"流量\", \"扬程\", \"轴功率\") VALUES (?, ?, ?, ?)"));
        query.addBindValue(key);
        query.addBindValue(p[0]);
        query.addBindValue(p[1]);
        query.addBindValue(p[2]);
        if (!query.exec())
            m_error = query.lastError().text();
    };
    if (interleaved) {
        qsizetype most = 0;
        for (const TestPump& pump : pumps)
            most = std::max(most, pump.points.size());
        for (qsizetype i = 0; i < most; ++i) {
            for (const TestPump& pump : pumps) {
                if (i < pump.points.size())
                    insertPoint(pump.key, pump.points[i]);
            }
        }
    } else {
        for (const TestPump& pump : pumps) {
            for (const auto& p : pump.points)
                insertPoint(pump.key, p);
        }
    }
    db.commit();
    if (onServer() && m_error.isEmpty())
        m_server = serverCopy(databaseFile(), &m_error);
}

bool TestProgramFolder::onServer()
{
    return qEnvironmentVariable("TARNWICK_TEST_ENGINE") == QLatin1String("postgresql");
}

QString TestProgramFolder::databaseFile() const
{
    return m_dir.filePath(QStringLiteral("水泵数据库97.mdb"));
}

QString TestProgramFolder::databasePath() const
{
    return m_server.isEmpty() ? databaseFile() : m_server;
}

int TestProgramFolder::rowCount(const QString& table) const
{
    auto connection = store::Connection::open(databasePath());
    if (!connection)
        return -1;
    QSqlQuery query(connection.value()->database());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)) || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool TestProgramFolder::exec(const QString& sql) const
{
    auto connection = store::Connection::open(databasePath());
    if (!connection)
        return false;
    QSqlQuery query(connection.value()->database());
    return query.exec(sql);
}

TestPump demoPump(int key, const QString& model, double bestFlow, double bestHead, double speed)
{
    // Head falls as a parabola from 1.2 times the best head at shut-off; the
    // efficiency peaks at 75 % at the best flow.
    TestPump pump;
    pump.key = key;
    pump.model = model;
    pump.type = QStringLiteral("IS型单级单吸离心泵");
    pump.speed = speed;
    for (double x : {0.5, 0.75, 1.0, 1.2, 1.35}) {
        const double q = bestFlow * x;
        const double h = bestHead * (1.2 - 0.2 * x * x);
        const double eta = 0.75 * (2.0 * x - x * x);
        const double n = q * h / (367.2 * eta);
        pump.points.append({q, h, n});
    }
    return pump;
}

} // namespace tarnwick::testing
