#include "store/catalogueedit.h"
#include "store/cataloguerules.h"
#include "store/database.h"
#include "store/names.h"
#include "tests/support/testdatabase.h"

#include <QSqlQuery>
#include <QTest>

#include <functional>

using namespace tarnwick;
using namespace tarnwick::store;
using tarnwick::testing::demoPump;
using tarnwick::testing::TestProgramFolder;

namespace {

using Edit = std::function<void(QList<EditablePump>&)>;

struct Fixture
{
    TestProgramFolder folder{{demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 200, 32),
                              demoPump(3, QStringLiteral("P3"), 80, 25), demoPump(4, QStringLiteral("P4"), 120, 40)}};
    std::shared_ptr<Connection> connection;

    bool open()
    {
        auto opened = Connection::open(folder.databasePath());
        if (!opened)
            return false;
        connection = opened.value();
        return true;
    }
    QSqlDatabase db() const { return connection->database(); }
};

// The points table as stored, one key per row, in stored order.
QList<qint64> storedPointKeys(QSqlDatabase db)
{
    QList<qint64> keys;
    QSqlQuery query(db);
    query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                   .arg(quotedName(names::key()), quotedName(names::pointTable())));
    while (query.next())
        keys.append(query.value(0).toLongLong());
    return keys;
}

QStringList refusalsOf(QSqlDatabase db)
{
    CatalogueRules rules(names::pumpTable(), names::pointTable());
    QString error;
    if (!checkStoredCatalogue(db, &rules, &error))
        return {error};
    return rules.refusals();
}

EditablePump newPump(qint64 key, const QString& model, int points)
{
    EditablePump pump = emptyPump(key);
    pump.setField(names::model(), model);
    pump.setField(names::pumpType(), QStringLiteral("IS"));
    pump.setField(names::speed(), 2900.0);
    for (int i = 1; i <= points; ++i)
        pump.points.append({10.0 * i, 30.0 - i * i * 0.5, 2.0 + 0.3 * i});
    return pump;
}

} // namespace

class TestCatalogueEdit : public QObject
{
    Q_OBJECT

private slots:
    void saveKeepsOrderAndRuns_data();
    void saveKeepsOrderAndRuns();
    void refusedEditWritesNothing();
    void storedRefusalsDoNotStopOtherEdits();
    void changedElsewhereWritesNothing();
    void busyDatabaseIsRetriedThenReported();
    void findingsArePlaced();
    void schematicAndCompanyAreSaved();
};

void TestCatalogueEdit::saveKeepsOrderAndRuns_data()
{
    QTest::addColumn<Edit>("edit");
    // Rows of each table updated in place, and rows rewritten from the first
    // that moved; anything else means a needless or missing rewrite.
    QTest::addColumn<int>("updatedPoints");
    QTest::addColumn<int>("pointTailKeptFromPump"); // points of pumps before this index keep their rows

    QTest::newRow("value changed in a middle pump")
        << Edit([](QList<EditablePump>& p) { p[2].points[1].head += 1.0; }) << 1 << 4;
    QTest::newRow("point added to a middle pump") << Edit([](QList<EditablePump>& p) {
        p[1].points.append({999.0, 1.0, 50.0});
    }) << 0 << 2;
    QTest::newRow("point removed from the first pump")
        << Edit([](QList<EditablePump>& p) { p[0].points.removeAt(1); }) << -1 << 0;
    QTest::newRow("new pump appended") << Edit([](QList<EditablePump>& p) {
        p.append(newPump(9, QStringLiteral("N9"), 7));
    }) << 0 << 4;
    QTest::newRow("pump inserted in the middle")
        << Edit([](QList<EditablePump>& p) { p.insert(1, newPump(7, QStringLiteral("N7"), 5)); }) << 0 << 1;
    QTest::newRow("middle pump deleted") << Edit([](QList<EditablePump>& p) { p.removeAt(2); }) << 0 << 2;
    QTest::newRow("last pump moved first") << Edit([](QList<EditablePump>& p) { p.move(3, 0); }) << -1 << 0;
    QTest::newRow("model renamed only") << Edit([](QList<EditablePump>& p) {
        p[1].setField(names::model(), QStringLiteral("P2a"));
    }) << 0 << 4;
}

void TestCatalogueEdit::saveKeepsOrderAndRuns()
{
    QFETCH(Edit, edit);
    QFETCH(int, updatedPoints);
    QFETCH(int, pointTailKeptFromPump);
    Fixture f;
    QVERIFY2(f.folder.isValid(), qPrintable(f.folder.error()));
    QVERIFY(f.open());
    auto read = readEditableCatalogue(f.db());
    QVERIFY2(read.ok(), read.ok() ? "" : qPrintable(read.error()));
    QCOMPARE(read->pumps.size(), 4);

    QList<EditablePump> pumps = read->pumps;
    edit(pumps);
    auto saved = saveCatalogueEdits(f.db(), *read, {pumps, {}, {}});
    QVERIFY2(saved.ok(), saved.ok() ? "" : qPrintable(saved.error()));
    if (updatedPoints >= 0)
        QCOMPARE(saved->updatedPoints, updatedPoints);

    // Read back: the same pumps with the same points in the same order.
    auto again = readEditableCatalogue(f.db());
    QVERIFY(again.ok());
    QCOMPARE(again->pumps.size(), pumps.size());
    for (qsizetype i = 0; i < pumps.size(); ++i) {
        QCOMPARE(again->pumps[i].key, pumps[i].key);
        QCOMPARE(again->pumps[i].model(), pumps[i].model());
        QCOMPARE(again->pumps[i].points, pumps[i].points);
    }
    // The points table holds one run per pump in pump order, so the rules
    // and the calculations read it as edited.
    QList<qint64> expectedKeys;
    for (const EditablePump& pump : pumps)
        for (qsizetype k = 0; k < pump.points.size(); ++k)
            expectedKeys.append(pump.key);
    QCOMPARE(storedPointKeys(f.db()), expectedKeys);
    QCOMPARE(refusalsOf(f.db()), QStringList());

    // Rows of the untouched leading pumps keep their identities.
    qsizetype kept = 0;
    for (int i = 0; i < pointTailKeptFromPump; ++i)
        kept += read->pumps[i].points.size();
    for (qsizetype r = 0; r < kept; ++r)
        QCOMPARE(again->stored.points[r].rowKey, read->stored.points[r].rowKey);
}

void TestCatalogueEdit::refusedEditWritesNothing()
{
    Fixture f;
    QVERIFY(f.open());
    auto read = readEditableCatalogue(f.db());
    QVERIFY(read.ok());
    QList<EditablePump> pumps = read->pumps;
    pumps[1].points[2].power = -0.5;
    pumps.append(newPump(9, QStringLiteral("N9"), 7));
    auto saved = saveCatalogueEdits(f.db(), *read, {pumps, {}, {}});
    QVERIFY(!saved.ok());
    QVERIFY2(saved.error().contains(QStringLiteral("水泵“P2”（序号 2）第 3 点，“轴功率”：-0.5 应大于 0。")),
             qPrintable(saved.error()));
    auto again = readEditableCatalogue(f.db());
    QCOMPARE(again->stored, read->stored);
}

void TestCatalogueEdit::storedRefusalsDoNotStopOtherEdits()
{
    // A catalogue stored before the rules: a pump with two points.
    auto short_ = demoPump(5, QStringLiteral("S5"), 60, 20);
    short_.points = short_.points.mid(0, 2);
    TestProgramFolder folder({demoPump(1, QStringLiteral("P1"), 50, 20), short_});
    auto connection = Connection::open(folder.databasePath());
    QVERIFY(connection.ok());
    QSqlDatabase db = connection.value()->database();
    auto read = readEditableCatalogue(db);
    QVERIFY(read.ok());

    QList<EditablePump> pumps = read->pumps;
    pumps[0].points[0].head += 0.5;
    auto saved = saveCatalogueEdits(db, *read, {pumps, {}, {}});
    QVERIFY2(saved.ok(), saved.ok() ? "" : qPrintable(saved.error()));

    // A new fault in the old pump does stop the save.
    read = readEditableCatalogue(db);
    pumps = read->pumps;
    pumps[1].points[1].flow = -3.0;
    saved = saveCatalogueEdits(db, *read, {pumps, {}, {}});
    QVERIFY(!saved.ok());
    QVERIFY2(saved.error().contains(QStringLiteral("第 2 点，“流量”：-3 应大于 0。")), qPrintable(saved.error()));
    QVERIFY(!saved.error().contains(QStringLiteral("至少需要")));
}

void TestCatalogueEdit::changedElsewhereWritesNothing()
{
    Fixture f;
    QVERIFY(f.open());
    auto read = readEditableCatalogue(f.db());
    QVERIFY(read.ok());
    QVERIFY(f.folder.exec(QStringLiteral("UPDATE \"流扬功\" SET \"扬程\" = 1 WHERE rowid = 3")));
    QList<EditablePump> pumps = read->pumps;
    pumps.append(newPump(9, QStringLiteral("N9"), 4));
    auto saved = saveCatalogueEdits(f.db(), *read, {pumps, {}, {}});
    QVERIFY(!saved.ok());
    QVERIFY2(saved.error().contains(QStringLiteral("已被其他程序修改")), qPrintable(saved.error()));
    QCOMPARE(f.folder.rowCount(names::pumpTable()), 4);
}

void TestCatalogueEdit::busyDatabaseIsRetriedThenReported()
{
    Fixture f;
    QVERIFY(f.open());
    auto read = readEditableCatalogue(f.db());
    QVERIFY(read.ok());
    QList<EditablePump> pumps = read->pumps;
    pumps.append(newPump(9, QStringLiteral("N9"), 4));

    // Another program holds the write lock.
    auto other = Connection::open(f.folder.databasePath());
    QVERIFY(other.ok());
    QSqlQuery hold(other.value()->database());
    QVERIFY(hold.exec(QStringLiteral("BEGIN IMMEDIATE")));

    QList<int> retries;
    SaveOptions options;
    options.attempts = 3;
    options.busyTimeoutMs = 50;
    options.beforeRetry = [&](int attempt) {
        retries.append(attempt);
        return true;
    };
    auto saved = saveCatalogueEdits(f.db(), *read, {pumps, {}, {}}, options);
    QVERIFY(!saved.ok());
    QCOMPARE(retries, QList<int>({2, 3}));
    QVERIFY2(saved.error().contains(QStringLiteral("已等待并重试 3 次仍未能保存")), qPrintable(saved.error()));

    // Once the other program lets go, the same edits are saved.
    QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
    saved = saveCatalogueEdits(f.db(), *read, {pumps, {}, {}}, options);
    QVERIFY2(saved.ok(), saved.ok() ? "" : qPrintable(saved.error()));
    QCOMPARE(saved->insertedPumps, 1);
    QCOMPARE(saved->insertedPoints, 4);
    QCOMPARE(saved->deletedPoints, 0);
}

void TestCatalogueEdit::findingsArePlaced()
{
    QList<EditablePump> pumps = {newPump(1, QStringLiteral("A"), 4), newPump(2, QStringLiteral("A "), 2)};
    pumps[0].points[3].flow = 0.0;
    const QList<CatalogueFinding> findings = checkEditedCatalogue(pumps);
    auto has = [&](int pump, int point, const QString& field) {
        for (const CatalogueFinding& f : findings)
            if (f.refusal && f.pump == pump && f.point == point && f.field == field)
                return true;
        return false;
    };
    QVERIFY(has(0, 3, names::flow()));   // flow not above 0
    QVERIFY(has(1, -1, names::model())); // model repeats after trimming
    QVERIFY(has(1, -1, names::key()));   // too few points
    QCOMPARE(findings.size(), 4);        // and the warning on the falling flow
}

void TestCatalogueEdit::schematicAndCompanyAreSaved()
{
    Fixture f;
    QVERIFY(f.open());
    auto read = readEditableCatalogue(f.db());
    QVERIFY(read.ok());
    CompanyInfo company{QStringLiteral("本公司"), QByteArray("\x89PNG-a", 6), QStringLiteral("产品"), QByteArray()};
    CatalogueEdits edits{read->pumps, {{QStringLiteral("IS"), QByteArray("png-1")}}, company};
    QVERIFY(saveCatalogueEdits(f.db(), *read, edits).ok());
    read = readEditableCatalogue(f.db());
    edits.schematics = {{QStringLiteral("IS"), QByteArray("png-2")}};
    QVERIFY(saveCatalogueEdits(f.db(), *read, edits).ok());

    auto again = readEditableCatalogue(f.db());
    QVERIFY(again.ok());
    QCOMPARE(again->company, company);
    QVERIFY(again->schematics.contains({QStringLiteral("IS"), QByteArray("png-2")}));
    QCOMPARE(f.folder.rowCount(names::companyTable()), 1);
    QSqlQuery query(f.db());
    QVERIFY(query.exec(QStringLiteral("SELECT \"设备安装示意图\" FROM \"设备安装示意图\" WHERE \"水泵类型\" = 'IS'")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toByteArray(), QByteArray("png-2"));
    QVERIFY(!query.next()); // the type's row was replaced, not a second one added
}

QTEST_GUILESS_MAIN(TestCatalogueEdit)
#include "tst_catalogueedit.moc"
