// The database layer on a PostgreSQL server: the schema made there, a whole
// database copied over and back, and calculations whose rows land in stored
// order, each engineer with his own latest results.

#include "store/calculations.h"
#include "store/database.h"
#include "store/dbcopy.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"
#include "store/schema.h"
#include "tests/support/postgresserver.h"
#include "tests/support/testdatabase.h"

#include <QSqlQuery>
#include <QTest>

using namespace tarnwick;
using namespace tarnwick::testing;
namespace names = tarnwick::store::names;

namespace {

template<typename E>
QString failureText(const E& expected)
{
    return expected ? QString() : expected.error();
}

DutyTexts duty(const char* flow, const char* resistance)
{
    DutyTexts texts;
    texts.flow = std::string(flow);
    texts.resistance = std::string(resistance);
    texts.staticHead = std::string("0");
    texts.flowUnit = std::string("m3/h");
    texts.resistanceUnit = std::string("mH2O");
    texts.staticHeadUnit = std::string("mH2O");
    return texts;
}

} // namespace

class TestServerStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void schemaAndCopyBothWays();
    void calculationsOnTheServer();

private:
    std::unique_ptr<PostgresServer> m_server;
    std::unique_ptr<TestProgramFolder> m_folder;
};

void TestServerStore::initTestCase()
{
    m_server = std::make_unique<PostgresServer>();
    // Fails rather than skips: install-deps puts the server on every machine
    // that runs the tests.
    QVERIFY2(m_server->isRunning(), qPrintable(m_server->error()));
    m_folder = std::make_unique<TestProgramFolder>(QList<TestPump>{
        demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
        demoPump(3, QStringLiteral("P3"), 51, 20.5)});
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->error()));
}

void TestServerStore::schemaAndCopyBothWays()
{
    QString error;
    QVERIFY2(m_server->createDatabase(QStringLiteral("copied"), &error), qPrintable(error));
    auto file = store::Connection::open(m_folder->databasePath());
    auto server = store::Connection::open(m_server->socketUri(QStringLiteral("copied")));
    QVERIFY2(file, qPrintable(failureText(file)));
    QVERIFY2(server, qPrintable(failureText(server)));

    const auto there = store::copyDatabase(file.value()->database(), server.value()->database(), {});
    QVERIFY2(there, qPrintable(failureText(there)));
    // A second copy onto the same tables is refused unless replacing.
    const auto again = store::copyDatabase(file.value()->database(), server.value()->database(), {});
    QVERIFY(!again);
    QVERIFY2(again.error().contains(QStringLiteral("--replace")), qPrintable(again.error()));

    // And back into an empty file: every table equal to the original.
    QTemporaryDir dir;
    const QString back = dir.filePath(QStringLiteral("back.mdb"));
    {
        // A database with no tables yet (the program opens no empty file).
        QSqlDatabase make = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        make.setDatabaseName(back);
        QVERIFY(make.open());
        QSqlQuery(make).exec(QStringLiteral("PRAGMA user_version = 1"));
        make.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
    auto target = store::Connection::open(back);
    QVERIFY2(target, qPrintable(failureText(target)));
    const auto home = store::copyDatabase(server.value()->database(), target.value()->database(), {});
    QVERIFY2(home, qPrintable(failureText(home)));
    const auto tables = store::readTableInfo(file.value()->database());
    QVERIFY(tables);
    for (const store::TableInfo& table : tables.value()) {
        const auto a = store::tableDigest(file.value()->database(), table);
        const auto b = store::tableDigest(target.value()->database(), table);
        QVERIFY(a && b);
        QCOMPARE(b->rows, a->rows);
        QVERIFY2(a->sum == b->sum, qPrintable(table.name));
    }
    QVERIFY(store::viewNames(target.value()->database()).contains(names::pumpView()));
}

void TestServerStore::calculationsOnTheServer()
{
    QString error;
    QVERIFY2(m_server->createDatabase(QStringLiteral("office"), &error), qPrintable(error));
    {
        auto file = store::Connection::open(m_folder->databasePath());
        auto server = store::Connection::open(m_server->socketUri(QStringLiteral("office")));
        QVERIFY(file && server);
        QVERIFY(store::copyDatabase(file.value()->database(), server.value()->database(), {}));
    }
    QVERIFY2(m_server->exec(QStringLiteral("office"), QStringLiteral("CREATE ROLE engineer LOGIN; GRANT ALL ON ALL TABLES IN SCHEMA public TO engineer"), &error),
             qPrintable(error));

    // The same design through the file and through the server lists the same
    // pumps and stores the same rows, in the same order.
    auto local = store::PumpCatalogue::openFile(m_folder->databasePath());
    auto remote = store::PumpCatalogue::openFile(m_server->socketUri(QStringLiteral("office")));
    QVERIFY2(local, qPrintable(failureText(local)));
    QVERIFY2(remote, qPrintable(failureText(remote)));
    const auto a = store::runDesign(*local.value(), duty("48", "19"));
    const auto b = store::runDesign(*remote.value(), duty("48", "19"));
    QVERIFY(a && b);
    QCOMPARE(b->entries, a->entries);
    QCOMPARE(remote.value()->latestResultRows.recordCount(), int(b->rows.size()));

    // Another engineer's run leaves this one's latest results alone.
    auto colleague = store::PumpCatalogue::openFile(m_server->socketUri(QStringLiteral("office"), QStringLiteral("engineer")));
    QVERIFY2(colleague, qPrintable(failureText(colleague)));
    QVERIFY(store::runCheck(*colleague.value(), duty("48", "19"), QStringLiteral("P1")));
    QCOMPARE(colleague.value()->latestResultRows.recordCount(), 1);
    QVERIFY(remote.value()->latestResultRows.requery());
    QCOMPARE(remote.value()->latestResultRows.recordCount(), int(b->rows.size()));
    QVERIFY(remote.value()->allResultRows.requery());
    QCOMPARE(remote.value()->allResultRows.recordCount(), int(b->rows.size()) + 1);
}

QTEST_GUILESS_MAIN(TestServerStore)
#include "tst_serverstore.moc"
