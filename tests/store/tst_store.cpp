#include "store/calculations.h"
#include "store/conditionstore.h"
#include "store/schema.h"
#include "store/cataloguereader.h"
#include "store/database.h"
#include "store/databaselocation.h"
#include "store/names.h"
#include "store/preparedinsert.h"
#include "store/pumpcatalogue.h"
#include "store/results.h"
#include "store/rowset.h"
#include "store/varspeedstore.h"
#include "tests/support/testdatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <bit>
#include <span>
#include <cmath>
#include <unistd.h>

using namespace tarnwick;
using namespace tarnwick::store;
using tarnwick::testing::TestProgramFolder;
using tarnwick::testing::TestPump;
using tarnwick::testing::demoPump;

namespace {

DutyTexts duty(const char* flow, const char* resistance, const char* staticHead)
{
    DutyTexts texts;
    texts.flow = flow;
    texts.resistance = resistance;
    texts.staticHead = staticHead;
    return texts;
}

QList<TestPump> threePumps()
{
    return {demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
            demoPump(3, QStringLiteral("P3"), 51, 20.5)};
}

// Makes a file immutable for the duration of a test, where the file system
// allows it (root ignores plain permissions).
class ImmutableFile
{
public:
    explicit ImmutableFile(const QString& path) : m_path(path)
    {
        m_ok = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), m_path}) == 0;
        if (!m_ok && geteuid() != 0)
            m_ok = QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    }
    ~ImmutableFile()
    {
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    bool ok() const { return m_ok; }

private:
    QString m_path;
    bool m_ok = false;
};

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void rowSetNavigatesInStoredOrder();
    void runsKeepTheirExactMoment_data();
    void runsKeepTheirExactMoment();
    void olderTablesGainTheMoment();
    void rowSetReportsReadsPastTheEnd();
    void rowSetAppendsAndDeletesAtOnce();
    void onDemandSetBehavesAsReadAtOnce_data();
    void onDemandSetBehavesAsReadAtOnce();
    void onDemandSetReadsWhenFirstAsked();
    void viewRowsComeInCatalogueOrder();
    void rowSetHandsBackValuesAsTheDriverReadThem_data();
    void rowSetHandsBackValuesAsTheDriverReadThem();
    void dataSheetIsReadOnlyWhenShown();
    void calculationsReadOnlyTheirColumns();
    void missingDatabaseIsNotCreated();
    void databaseAtPlace_data();
    void databaseAtPlace();
    void accessFileIsRecognised();
    void catalogueKeepsStoredOrderOfScatteredPoints();
    void catalogueReadsBadValuesAsNotANumber();
    void catalogueTakesStoredValuesAsTheDriverMakesThem_data();
    void catalogueTakesStoredValuesAsTheDriverMakesThem();
    void preparedInsertStoresAndFailsAsTheDriver_data();
    void preparedInsertStoresAndFailsAsTheDriver();
    void clearingEmptyAndFullLatestTable();
    void appendStoresTheRoundedFigures();
    void calculationTimeHasDateAndSeconds();
    void secondDesignRunReplacesLatestRows();
    void rejectedCheckLeavesTablesAsTheyWere();
    void passedCheckStoresOneRow();
    void readOnlyDatabaseFailsClearlyAndWritesNothing();
    void missingFieldIsNamed();
    void variableSpeedTablesAreMadeAsStored_data();
    void variableSpeedTablesAreMadeAsStored();
};

void TestStore::rowSetNavigatesInStoredOrder()
{
    TestProgramFolder folder(threePumps());
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    auto connection = Connection::open(folder.databasePath());
    QVERIFY2(connection, qPrintable(connection.ok() ? QString() : connection.error()));

    RowSet pumps;
    QVERIFY(pumps.open(connection.value(), names::pumpTable()));
    QCOMPARE(pumps.recordCount(), 3);
    QCOMPARE(pumps.field(names::model()).value().toString(), QStringLiteral("P1"));
    pumps.moveNext();
    QCOMPARE(pumps.field(names::model()).value().toString(), QStringLiteral("P2"));
    pumps.moveLast();
    QCOMPARE(pumps.field(names::model()).value().toString(), QStringLiteral("P3"));
    pumps.moveNext();
    QVERIFY(pumps.eof());

    // Forward search starts at the current row.
    pumps.moveFirst();
    QVERIFY(pumps.findForward(names::key(), 2));
    QCOMPARE(pumps.field(names::model()).value().toString(), QStringLiteral("P2"));
    QVERIFY(pumps.findForward(names::key(), 2));
    QCOMPARE(pumps.position(), 1);
    QVERIFY(!pumps.findForward(names::key(), 1)); // behind the current row
    QVERIFY(pumps.eof());
    pumps.moveFirst();
    QVERIFY(pumps.findForward(names::model(), QStringLiteral("P3")));
    QCOMPARE(pumps.position(), 2);
    // Texts compare exactly, as the check matches its model: another case is
    // another model, and the search ends past the last row.
    pumps.moveFirst();
    QVERIFY(!pumps.findForward(names::model(), QStringLiteral("p3")));
    QVERIFY(pumps.eof());
}

void TestStore::rowSetReportsReadsPastTheEnd()
{
    TestProgramFolder folder;
    auto connection = Connection::open(folder.databasePath());
    QVERIFY(connection);
    RowSet pumps;
    QVERIFY(pumps.open(connection.value(), names::pumpTable()));
    QVERIFY(pumps.eof());
    const auto value = pumps.field(names::model());
    QVERIFY(!value.ok());
    QVERIFY(value.error().contains(names::model()));
    const auto unknown = pumps.field(QStringLiteral("no such field"));
    QVERIFY(!unknown.ok());
    QVERIFY(!pumps.deleteCurrent());
    QVERIFY(!pumps.lastError().isEmpty());
}

void TestStore::rowSetAppendsAndDeletesAtOnce()
{
    TestProgramFolder folder;
    auto connection = Connection::open(folder.databasePath());
    QVERIFY(connection);
    RowSet rows;
    QVERIFY(rows.open(connection.value(), names::latestResultsTable()));
    QVERIFY(rows.append({{names::selectedModel(), QStringLiteral("A")}}));
    QVERIFY(rows.append({{names::selectedModel(), QStringLiteral("B")}}));
    QCOMPARE(rows.recordCount(), 2);
    QCOMPARE(rows.field(names::selectedModel()).value().toString(), QStringLiteral("B"));
    QCOMPARE(folder.rowCount(names::latestResultsTable()), 2); // committed at once

    rows.moveFirst();
    QVERIFY(rows.deleteCurrent());
    QCOMPARE(folder.rowCount(names::latestResultsTable()), 1);
    QVERIFY(!rows.field(names::selectedModel()).ok()); // the deleted row stays until requery
    rows.moveNext();
    QCOMPARE(rows.field(names::selectedModel()).value().toString(), QStringLiteral("B"));
    QVERIFY(rows.requery());
    QCOMPARE(rows.snapshotSize(), 1);
    QVERIFY(!rows.append({{QStringLiteral("no such field"), 1}}));
}

void TestStore::onDemandSetBehavesAsReadAtOnce_data()
{
    // Steps applied to two sets over one table, one reading its rows at once
    // and one on demand: "+X" appends X, "r" requeries, "f" "n" "l" move
    // first, next and last, "d" deletes the current row, "?X" searches
    // forward for X.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("earlier"); // rows the table holds before the sets open
    QTest::newRow("empty, then appends") << QStringLiteral("+A +B f n n") << QStringLiteral("");
    QTest::newRow("append on a set never read") << QStringLiteral("+C n f") << QStringLiteral("A B");
    QTest::newRow("requery, then append") << QStringLiteral("r +C r +D l") << QStringLiteral("A");
    QTest::newRow("delete marks until requery") << QStringLiteral("f d n d r f") << QStringLiteral("A B C");
    QTest::newRow("search") << QStringLiteral("?B ?B ?A f ?C") << QStringLiteral("A B C");
    QTest::newRow("search on a set never read") << QStringLiteral("?C") << QStringLiteral("A B C");
    QTest::newRow("delete everything") << QStringLiteral("f d n d r +E") << QStringLiteral("A B");
}

void TestStore::onDemandSetBehavesAsReadAtOnce()
{
    QFETCH(QString, steps);
    QFETCH(QString, earlier);
    TestProgramFolder folder;
    for (const QString& model : earlier.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QVERIFY(folder.exec(
            QStringLiteral("INSERT INTO \"水泵选型结果\" (\"所选型号\") VALUES ('%1')").arg(model)));
    }
    auto first = Connection::open(folder.databasePath());
    auto second = Connection::open(folder.databasePath());
    QVERIFY(first && second);
    // Two tables with the same rows, so that each set's appends and deletes
    // land in a table of its own.
    QVERIFY(folder.exec(QStringLiteral("CREATE TABLE shadow AS SELECT * FROM \"水泵选型结果\"")));
    RowSet atOnce;
    RowSet onDemand;
    QVERIFY(atOnce.open(first.value(), names::allResultsTable()));
    QVERIFY(onDemand.open(second.value(), QStringLiteral("shadow"), RowSet::ReadRows::OnDemand));

    auto state = [](const RowSet& rows) {
        QStringList s{QString::number(rows.recordCount()), QString::number(rows.snapshotSize()),
                      QString::number(rows.position()), rows.eof() ? QStringLiteral("eof") : QString()};
        const auto model = rows.field(names::selectedModel());
        s.append(model ? model.value().toString() : QStringLiteral("(none)"));
        return s.join(QLatin1Char(' '));
    };
    for (const QString& step : steps.split(QLatin1Char(' '))) {
        for (RowSet* rows : {&atOnce, &onDemand}) {
            const QString value = step.mid(1);
            switch (step.at(0).toLatin1()) {
            case '+':
                QVERIFY(rows->append({{names::selectedModel(), value}}));
                break;
            case 'r':
                QVERIFY(rows->requery());
                break;
            case 'f':
                rows->moveFirst();
                break;
            case 'n':
                rows->moveNext();
                break;
            case 'l':
                rows->moveLast();
                break;
            case 'd':
                rows->deleteCurrent();
                break;
            case '?':
                rows->findForward(names::selectedModel(), value);
                break;
            default:
                QFAIL(qPrintable(step));
            }
        }
        QCOMPARE(state(onDemand), state(atOnce));
    }
    QVERIFY(onDemand.ensureRows());
}

void TestStore::onDemandSetReadsWhenFirstAsked()
{
    TestProgramFolder folder;
    auto connection = Connection::open(folder.databasePath());
    QVERIFY(connection);
    RowSet rows;
    QVERIFY(rows.open(connection.value(), names::allResultsTable(), RowSet::ReadRows::OnDemand));
    // The field names are known at open; the rows are read on first use, so
    // rows stored since the requery are among them.
    QVERIFY(rows.fieldIndex(names::selectedModel()) >= 0);
    QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"水泵选型结果\" (\"所选型号\") VALUES ('later')")));
    QCOMPARE(rows.recordCount(), 1);
    QCOMPARE(rows.field(names::selectedModel()).value().toString(), QStringLiteral("later"));

    // A table that disappears: the requery says so at once.
    QVERIFY(folder.exec(QStringLiteral("ALTER TABLE \"水泵选型结果\" RENAME TO gone")));
    QVERIFY(!rows.requery());
    QVERIFY2(rows.lastError().contains(names::allResultsTable()), qPrintable(rows.lastError()));

    // One that goes after the requery but before the read: whoever shows the
    // whole set hears of the failure instead of seeing no rows.
    QVERIFY(folder.exec(QStringLiteral("ALTER TABLE gone RENAME TO \"水泵选型结果\"")));
    QVERIFY(rows.requery());
    QVERIFY(folder.exec(QStringLiteral("DROP TABLE \"水泵选型结果\"")));
    QVERIFY(!rows.ensureRows());
    QVERIFY2(rows.lastError().contains(names::allResultsTable()), qPrintable(rows.lastError()));
    QVERIFY(rows.eof());
    QCOMPARE(rows.recordCount(), 0);
}

void TestStore::viewRowsComeInCatalogueOrder()
{
    // Keys deliberately out of order: the view follows the stored order.
    QList<TestPump> pumps = {demoPump(9, QStringLiteral("Z"), 50, 20), demoPump(2, QStringLiteral("A"), 50, 20),
                             demoPump(5, QStringLiteral("M"), 50, 20)};
    TestProgramFolder folder(pumps);
    auto catalogue = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY2(catalogue, qPrintable(catalogue.ok() ? QString() : catalogue.error()));
    RowSet& view = catalogue.value()->viewRows;
    QStringList models;
    for (view.moveFirst(); !view.eof(); view.moveNext())
        models.append(view.field(names::model()).value().toString());
    QCOMPARE(models, (QStringList{QStringLiteral("Z"), QStringLiteral("A"), QStringLiteral("M")}));
    QCOMPARE(catalogue.value()->modelList(), models);
}

void TestStore::rowSetHandsBackValuesAsTheDriverReadThem_data()
{
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<bool>("fileOnly");

    const QString pumps = QStringLiteral("UPDATE \"水泵性能表\" SET ");
    QTest::newRow("numbers, texts and empty fields")
        << QStringList{pumps + QStringLiteral("\"重量\" = NULL, \"设备安装尺寸\" = '' WHERE \"序号\" = 1"),
                       pumps + QStringLiteral("\"设备安装尺寸\" = 'L=1200\nB=450', \"流量\" = 1e300, "
                                              "\"扬程\" = -0.0, \"叶轮外径\" = 0.1 WHERE \"序号\" = 2"),
                       pumps + QStringLiteral("\"水泵类型\" = NULL, \"水泵型号\" = '' WHERE \"序号\" = 3")}
        << false;
    QTest::newRow("the same text down a column")
        << QStringList{pumps + QStringLiteral("\"水泵类型\" = 'IS型单级单吸离心泵', \"设备安装尺寸\" = 'A'")}
        << false;
    QTest::newRow("texts and bytes in number columns")
        << QStringList{pumps + QStringLiteral("\"转速\" = 'abc', \"重量\" = x'00ff' WHERE \"序号\" = 1"),
                       pumps + QStringLiteral("\"流量\" = 7, \"序号\" = 9007199254740993 WHERE \"序号\" = 2")}
        << true;
}

void TestStore::rowSetHandsBackValuesAsTheDriverReadThem()
{
    QFETCH(QStringList, changes);
    QFETCH(bool, fileOnly);
    if (fileOnly && TestProgramFolder::onServer())
        QSKIP("a server's columns hold values of their own type only");
    TestProgramFolder folder(threePumps());
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    for (const QString& change : changes)
        QVERIFY2(folder.exec(change), qPrintable(change));
    auto connection = Connection::open(folder.databasePath());
    QVERIFY(connection);
    for (const QString& source : {names::pumpTable(), names::pumpView()}) {
        RowSet rows;
        QVERIFY2(rows.open(connection.value(), source), qPrintable(rows.lastError()));
        // The driver's own values, read as plainly as it gives them.
        const auto order = storedOrderQuery(connection.value()->database(), source);
        QVERIFY(order);
        QSqlQuery query(connection.value()->database());
        QVERIFY(query.exec(order->sql));
        const int first = order->hasRowKey ? 1 : 0;
        int row = 0;
        for (; query.next(); ++row) {
            QVERIFY(row < rows.snapshotSize());
            for (int column = 0; column < rows.fieldNames().size(); ++column) {
                const QVariant expected = query.value(column + first);
                const QVariant actual = rows.valueAt(row, column);
                const QString where = QStringLiteral("%1 row %2 %3").arg(source).arg(row).arg(rows.fieldNames()[column]);
                QVERIFY2(actual.typeId() == expected.typeId() && actual.isNull() == expected.isNull(), qPrintable(where));
                if (expected.typeId() == QMetaType::Double && !expected.isNull())
                    QVERIFY2(std::bit_cast<quint64>(actual.toDouble()) == std::bit_cast<quint64>(expected.toDouble()),
                             qPrintable(where));
                else
                    QVERIFY2(actual == expected, qPrintable(where));
            }
        }
        QCOMPARE(row, rows.snapshotSize());
    }
}

void TestStore::dataSheetIsReadOnlyWhenShown()
{
    if (TestProgramFolder::onServer())
        QSKIP("the view that fails while its rows are read is written for the file");
    // A data sheet whose rows cannot be read (an overflow while the rows
    // are made): its fields are there, so only reading the rows fails.
    TestProgramFolder folder(threePumps());
    QVERIFY(folder.exec(QStringLiteral("DROP VIEW \"水泵查询\"")));
    QVERIFY(folder.exec(QStringLiteral("CREATE VIEW \"水泵查询\" AS SELECT \"水泵型号\", \"水泵类型\", "
                                       "abs(-9223372036854775807 - \"序号\") AS \"重量\" FROM \"水泵性能表\"")));
    auto design = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY2(design, qPrintable(design.ok() ? QString() : design.error()));
    QVERIFY(runDesign(*design.value(), duty("50", "20", "0")));
    QVERIFY(runCheck(*design.value(), duty("50", "20", "0"), QStringLiteral("P1")));
    QVERIFY(!design.value()->viewRows.ensureRows());

    auto shown = PumpCatalogue::openFile(folder.databasePath(), PumpCatalogue::DataSheet::WithCatalogue);
    QVERIFY(!shown);
    QVERIFY2(shown.error().contains(names::pumpView()), qPrintable(shown.error()));
}

void TestStore::calculationsReadOnlyTheirColumns()
{
    // A column no calculation reads may hold anything; one it reads is
    // required, and every column of the list is.
    TestProgramFolder folder(threePumps());
    if (!TestProgramFolder::onServer())
        QVERIFY(folder.exec(QStringLiteral("UPDATE \"水泵性能表\" SET \"重量\" = x'00ff', \"电动机功率\" = 'abc'")));
    QVERIFY(folder.exec(QStringLiteral("ALTER TABLE \"流扬功\" ADD COLUMN \"备注\" TEXT")));
    auto connection = Connection::open(folder.databasePath());
    QVERIFY(connection);
    const auto catalogue = readCatalogueSnapshot(connection.value()->database());
    QVERIFY2(catalogue, qPrintable(catalogue.ok() ? QString() : catalogue.error()));
    QCOMPARE(catalogue->pumps.size(), std::size_t(3));
    QCOMPARE(catalogue->pumps[1].model, std::string("P2"));
    QCOMPARE(catalogue->pumps[1].speed, std::optional<double>(1450));
    QCOMPARE(catalogue->points.size(), std::size_t(3 * threePumps()[0].points.size()));

    for (const auto& column : cataloguePumpColumns())
        QCOMPARE(requiredPumpFields().contains(column.name()), column.required);
    for (const auto& column : cataloguePointColumns())
        QCOMPARE(requiredPointFields().contains(column.name()), column.required);
    QCOMPARE(requiredPointFields(), (QStringList{names::key(), names::flow(), names::head(), names::shaftPower()}));
}

void TestStore::missingDatabaseIsNotCreated()
{
    QTemporaryDir dir;
    const QString path = databasePath(dir.path());
    auto catalogue = PumpCatalogue::open(dir.path());
    QVERIFY(!catalogue);
    QVERIFY(catalogue.error().contains(path));
    QVERIFY(catalogue.error().contains(QStringLiteral("找不到数据库文件")));
    QVERIFY(!QFileInfo::exists(path));
}

void TestStore::databaseAtPlace_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("database");
    QTest::newRow("folder") << QStringLiteral("/data/pumps") << QStringLiteral("/data/pumps/水泵数据库97.mdb");
    QTest::newRow("server address") << QStringLiteral("postgresql://engineer@db.example/office")
                                    << QStringLiteral("postgresql://engineer@db.example/office");
    QTest::newRow("server socket") << QStringLiteral("postgresql://engineer@/office?host=/run/postgresql")
                                   << QStringLiteral("postgresql://engineer@/office?host=/run/postgresql");
    QTest::newRow("folder named like an address")
        << QStringLiteral("/data/postgresql:") << QStringLiteral("/data/postgresql:/水泵数据库97.mdb");
}

void TestStore::databaseAtPlace()
{
    QFETCH(QString, place);
    QFETCH(QString, database);
    QCOMPARE(databasePath(place), database);
}

void TestStore::accessFileIsRecognised()
{
    QTemporaryDir dir;
    const QString path = databasePath(dir.path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray header(2048, '\0');
    header.replace(4, 15, QByteArrayLiteral("Standard Jet DB"));
    file.write(header);
    file.close();
    QCOMPARE(databaseFileKind(path), DatabaseFileKind::Access);
    auto connection = Connection::open(path);
    QVERIFY(!connection);
    QVERIFY(connection.error().contains(QStringLiteral("Access")));
    QCOMPARE(QFileInfo(path).size(), 2048); // untouched
}

void TestStore::catalogueKeepsStoredOrderOfScatteredPoints()
{
    TestProgramFolder folder(threePumps(), /*interleaved*/ true);
    auto catalogue = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY(catalogue);
    const Catalogue& c = catalogue.value()->catalogue();
    QCOMPARE(c.pumps.size(), size_t(3));
    QCOMPARE(c.points.size(), size_t(15));
    // Interleaved: keys 1, 2, 3, 1, 2, 3, ...
    for (size_t i = 0; i < c.points.size(); ++i)
        QCOMPARE(c.points[i].key, double(1 + i % 3));
    QCOMPARE(c.points[1].flow, static_cast<float>(200 * 0.5));
}

void TestStore::catalogueReadsBadValuesAsNotANumber()
{
    if (TestProgramFolder::onServer())
        QSKIP("a server's number columns hold no texts");
    TestProgramFolder folder({demoPump(1, QStringLiteral("P1"), 50, 20)});
    QVERIFY(folder.exec(QStringLiteral("UPDATE \"流扬功\" SET \"扬程\" = 'abc' WHERE rowid = 2")));
    QVERIFY(folder.exec(QStringLiteral("UPDATE \"流扬功\" SET \"轴功率\" = NULL WHERE rowid = 3")));
    QVERIFY(folder.exec(QStringLiteral("UPDATE \"水泵性能表\" SET \"转速\" = NULL")));
    auto catalogue = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY(catalogue);
    const Catalogue& c = catalogue.value()->catalogue();
    QVERIFY(std::isnan(c.points[1].head));
    QVERIFY(std::isnan(c.points[2].power));
    QVERIFY(!c.pumps[0].speed.has_value());
    // Such a pump is never selected, and nothing non-finite is stored.
    auto run = runDesign(*catalogue.value(), duty("48", "19", "0"));
    QVERIFY(run);
    QCOMPARE(run->entries, std::vector<std::string>{"没有找到满足你需要的风机！"});
    QCOMPARE(folder.rowCount(names::allResultsTable()), 0);
}

namespace {

// Every column of a table through the driver and the column's own `take`:
// the reading the catalogue reader must agree with, value for value.
template <class Row>
std::vector<Row> readThroughDriver(const QSqlDatabase& db, const QString& table,
                                   std::span<const CatalogueColumn<Row>> columns)
{
    std::vector<Row> rows;
    QSqlQuery query(db);
    QStringList fields;
    for (const auto& column : columns)
        fields << quotedName(column.name());
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(fields.join(QLatin1Char(',')), quotedName(table))))
        return rows;
    while (query.next()) {
        Row& row = rows.emplace_back();
        for (int i = 0; i < static_cast<int>(columns.size()); ++i)
            columns[static_cast<std::size_t>(i)].take(row, query.value(i));
    }
    return rows;
}

QString bits(double v)
{
    return QString::number(std::bit_cast<quint64>(v), 16);
}

QString bits(float v)
{
    return QString::number(std::bit_cast<quint32>(v), 16);
}

QString bits(const std::optional<double>& v)
{
    return v ? bits(*v) : QStringLiteral("none");
}

QString shown(const CataloguePump& p)
{
    return QStringList{bits(p.key), QString::fromLatin1(QByteArray::fromStdString(p.model).toHex()), QString::fromLatin1(QByteArray::fromStdString(p.type).toHex()),
                       bits(p.speed), bits(p.motorPower)}
        .join(QLatin1Char('|'));
}

QString shown(const CataloguePoint& p)
{
    return QStringList{bits(p.key), bits(p.flow), bits(p.head), bits(p.power)}.join(QLatin1Char('|'));
}

QString shown(const PumpSheetFields& f)
{
    return QStringList{bits(f.ratedFlow), bits(f.ratedHead), bits(f.npshRequired), bits(f.impellerDiameter)}.join(
        QLatin1Char('|'));
}

template <class Row>
QStringList shownRows(const std::vector<Row>& rows)
{
    QStringList list;
    for (const Row& row : rows)
        list << shown(row);
    return list;
}

} // namespace

void TestStore::catalogueTakesStoredValuesAsTheDriverMakesThem_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored");
    const QString pumps = names::pumpTable();
    const QString points = names::pointTable();
    auto row = [](const char* name, const QString& table, const QString& field, const char* stored) {
        QTest::newRow(name) << table << field << QString::fromUtf8(stored);
    };
    row("real speed", pumps, names::speed(), "1450.25");
    row("integer speed", pumps, names::speed(), "2900");
    row("integer beyond a double's integers", pumps, names::speed(), "9007199254740993");
    row("speed as padded text", pumps, names::speed(), "' 1450 '");
    row("speed as words", pumps, names::speed(), "'fast'");
    row("empty speed", pumps, names::speed(), "NULL");
    row("speed as bytes", pumps, names::speed(), "x'31343530'");
    row("infinite motor", pumps, names::motorPower(), "9e999");
    row("negative zero motor", pumps, names::motorPower(), "-0.0");
    row("real key", pumps, names::key(), "1.5");
    row("Chinese model", pumps, names::model(), "'单级泵-80'");
    row("four-byte model", pumps, names::model(), "CAST(x'50f09f9880' AS TEXT)");
    row("overlong model", pumps, names::model(), "CAST(x'50c0af' AS TEXT)");
    row("surrogate model", pumps, names::model(), "CAST(x'50eda080' AS TEXT)");
    row("cut model", pumps, names::model(), "CAST(x'50e4b8' AS TEXT)");
    row("above the last code point", pumps, names::pumpType(), "CAST(x'f4908080' AS TEXT)");
    row("numeric model", pumps, names::model(), "1200");
    row("model as bytes", pumps, names::model(), "x'5031'");
    row("empty type", pumps, names::pumpType(), "NULL");
    row("real NPSH", pumps, names::npshRequired(), "3.3");
    row("NPSH as text", pumps, names::npshRequired(), "'3.3'");
    row("float flow", points, names::flow(), "0.1");
    row("integer head", points, names::head(), "33");
    row("head beyond a float", points, names::head(), "1e300");
    row("power as text", points, names::shaftPower(), "'2.5e1'");
    row("empty power", points, names::shaftPower(), "NULL");
}

void TestStore::catalogueTakesStoredValuesAsTheDriverMakesThem()
{
    if (TestProgramFolder::onServer())
        QSKIP("a file's values come straight from SQLite; a server's through the driver");
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QString, stored);
    TestProgramFolder folder(threePumps());
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    QVERIFY(folder.exec(QStringLiteral("UPDATE %1 SET %2 = %3 WHERE rowid = (SELECT min(rowid) FROM %1)")
                            .arg(quotedName(table), quotedName(field), stored)));
    auto connection = Connection::open(folder.databasePath());
    QVERIFY(connection);
    const QSqlDatabase db = connection.value()->database();
    const auto catalogue = readCatalogueSnapshot(db);
    QVERIFY2(catalogue, qPrintable(catalogue.ok() ? QString() : catalogue.error()));
    QCOMPARE(shownRows(catalogue->pumps), shownRows(readThroughDriver(db, names::pumpTable(), cataloguePumpColumns())));
    QCOMPARE(shownRows(catalogue->points),
             shownRows(readThroughDriver(db, names::pointTable(), cataloguePointColumns())));
    QCOMPARE(shownRows(catalogue->sheetFields),
             shownRows(readThroughDriver(db, names::pumpTable(), catalogueSheetColumns())));
}

void TestStore::preparedInsertStoresAndFailsAsTheDriver_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::newRow("int") << QVariant(42);
    QTest::newRow("bool") << QVariant(true);
    QTest::newRow("uint") << QVariant(4000000000u);
    QTest::newRow("64-bit") << QVariant(qlonglong(9007199254740993LL));
    QTest::newRow("double") << QVariant(0.1 + 0.2);
    QTest::newRow("negative zero") << QVariant(-0.0);
    QTest::newRow("text") << QVariant(QStringLiteral("单级泵 P1"));
    QTest::newRow("empty text") << QVariant(QString(QLatin1String("")));
    QTest::newRow("null text") << QVariant(QString());
    QTest::newRow("empty double") << QVariant(QMetaType(QMetaType::Double));
    QTest::newRow("bytes, through the driver") << QVariant(QByteArray("\\x00\\xff", 2));
    QTest::newRow("float, through the driver") << QVariant(1.1f);
    QTest::newRow("refused by the table") << QVariant(-1);
}

void TestStore::preparedInsertStoresAndFailsAsTheDriver()
{
    if (TestProgramFolder::onServer())
        QSKIP("a file's inserts go straight to SQLite; a server's through the driver");
    QFETCH(QVariant, value);
    TestProgramFolder folder(threePumps());
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    QVERIFY(folder.exec(QStringLiteral("CREATE TABLE t (way TEXT, v CHECK (v IS NOT -1))")));
    auto connection = Connection::open(folder.databasePath());
    QVERIFY(connection);
    QSqlDatabase db = connection.value()->database();
    const QString sql = QStringLiteral("INSERT INTO t (way, v) VALUES (?, ?)");

    QSqlQuery driver(db);
    QVERIFY(driver.prepare(sql));
    driver.bindValue(0, QStringLiteral("driver"));
    driver.bindValue(1, value);
    const bool driverStored = driver.exec();
    const qint64 driverKey = driver.lastInsertId().toLongLong();

    PreparedInsert insert(db, sql);
    QVERIFY(insert.isPrepared());
    const bool stored = insert.exec({QStringLiteral("direct"), value});
    QCOMPARE(stored, driverStored);
    QCOMPARE(insert.lastError().text(), driver.lastError().text());
    QCOMPARE(insert.lastError().nativeErrorCode(), driver.lastError().nativeErrorCode());
    QCOMPARE(insert.lastError().type(), driver.lastError().type());
    if (stored)
        QCOMPARE(insert.insertedKey(), driverKey + 1);

    QSqlQuery read(db);
    QVERIFY(read.exec(QStringLiteral("SELECT way, quote(v), typeof(v) FROM t ORDER BY rowid")));
    QStringList rows;
    while (read.next())
        rows << read.value(1).toString() + QLatin1Char(' ') + read.value(2).toString();
    QCOMPARE(rows.size(), stored ? 2 : 0);
    if (stored)
        QCOMPARE(rows.at(1), rows.at(0));
}

void TestStore::clearingEmptyAndFullLatestTable()
{
    TestProgramFolder folder;
    auto connection = Connection::open(folder.databasePath());
    QVERIFY(connection);
    RowSet latest;
    QVERIFY(latest.open(connection.value(), names::latestResultsTable()));
    QString error;
    QVERIFY(clearCurrentResults(latest, &error));
    QVERIFY(latest.eof());

    SelectionResult row;
    row.method = "设计";
    for (int i = 0; i < 5; ++i)
        QVERIFY(appendResult(latest, row, &error));
    QCOMPARE(folder.rowCount(names::latestResultsTable()), 5);
    latest.moveFirst();
    QVERIFY(clearCurrentResults(latest, &error));
    QCOMPARE(folder.rowCount(names::latestResultsTable()), 0);
    QCOMPARE(latest.recordCount(), 0);
    QCOMPARE(latest.snapshotSize(), 0);
}

void TestStore::appendStoresTheRoundedFigures()
{
    TestProgramFolder folder;
    auto connection = Connection::open(folder.databasePath());
    QVERIFY(connection);
    RowSet all;
    QVERIFY(all.open(connection.value(), names::allResultsTable()));

    SelectionResult row;
    row.method = "校核";
    row.resistance = 5.1;
    row.flow = 99.5;
    row.staticHead = static_cast<float>(5.1);
    row.model = "IS80-65-160";
    row.bestEfficiency = 72.0f;
    row.operatingHead = 32.3;
    row.operatingFlow = 100.0;
    row.operatingEfficiency = 68.0;
    QString error;
    QVERIFY(appendResult(all, row, &error));

    // Read back through a separate connection: what the file holds.
    auto other = Connection::open(folder.databasePath());
    QVERIFY(other);
    RowSet check;
    QVERIFY(check.open(other.value(), names::allResultsTable()));
    QCOMPARE(check.fieldNames().mid(0, 10), names::resultFields());
    QCOMPARE(check.field(names::staticHead()).value().toDouble(), 5.099999904632568);
    QCOMPARE(check.field(names::totalHead()).value().toDouble(), 5.1);
    QCOMPARE(check.field(names::method()).value().toString(), QStringLiteral("校核"));
    QCOMPARE(check.field(names::selectedModel()).value().toString(), QStringLiteral("IS80-65-160"));
    QCOMPARE(check.field(names::bestEfficiency()).value().toDouble(), 72.0);
    QCOMPARE(check.field(names::operatingHead()).value().toDouble(), 32.3);
    QCOMPARE(check.field(names::operatingFlow()).value().toDouble(), 100.0);
    QCOMPARE(check.field(names::operatingEfficiency()).value().toDouble(), 68.0);
    QVERIFY(!check.field(names::calculationTime()).value().toString().isEmpty());
}

namespace {

// Each stored row's calculation time and exact moment, in stored order.
QList<std::pair<QString, QVariant>> storedMoments(const QString& location, const QString& table)
{
    QList<std::pair<QString, QVariant>> moments;
    auto connection = Connection::open(location);
    if (!connection)
        return moments;
    QSqlQuery query(connection.value()->database());
    if (query.exec(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY rowid")
                       .arg(quotedName(names::calculationTime()), quotedName(names::calculationInstant()),
                            quotedName(table)))) {
        while (query.next())
            moments.append({query.value(0).toString(), query.value(1)});
    }
    return moments;
}

} // namespace

void TestStore::runsKeepTheirExactMoment_data()
{
    QTest::addColumn<QString>("model"); // checked; empty: a design
    QTest::addColumn<bool>("conditions");
    QTest::newRow("design") << QString() << false;
    QTest::newRow("check") << QStringLiteral("P1") << false;
    QTest::newRow("design in the preferred region") << QString() << true;
}

void TestStore::runsKeepTheirExactMoment()
{
    QFETCH(QString, model);
    QFETCH(bool, conditions);
    TestProgramFolder folder(threePumps());
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    auto catalogue = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY(catalogue);
    ServiceConditions service;
    service.preferredRegionOnly = conditions;
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const bool ran = model.isEmpty() ? bool(runDesign(*catalogue.value(), duty("50", "20", "0"), {}, service))
                                     : bool(runCheck(*catalogue.value(), duty("50", "20", "0"), model, service));
    QVERIFY(ran);
    const QDateTime after = QDateTime::currentDateTimeUtc();

    // Every row of the run, in every table that keeps the moment, has the
    // same one, in UTC to the millisecond, and its calculation time is that
    // moment's second in this computer's time.
    QStringList tables = {names::allResultsTable(), names::latestResultsTable()};
    if (conditions)
        tables << conditionnames::runTable();
    static const QRegularExpression utc(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$)"));
    QString moment;
    for (const QString& table : tables) {
        const auto rows = storedMoments(folder.databasePath(), table);
        QVERIFY2(!rows.isEmpty(), qPrintable(table));
        for (const auto& [text, instant] : rows) {
            const QString exact = instant.toString();
            QVERIFY2(utc.match(exact).hasMatch(), qPrintable(table + QLatin1Char(' ') + exact));
            if (moment.isEmpty())
                moment = exact;
            QCOMPARE(exact, moment);
            const QDateTime when = QDateTime::fromString(exact, Qt::ISODateWithMs);
            QVERIFY(when >= before && when <= after);
            QCOMPARE(text, calculationTimeText(when.toLocalTime()));
        }
    }
    // The row sets show the result fields alone and hand the moment over
    // beside them.
    for (RowSet* rows : {&catalogue.value()->allResultRows, &catalogue.value()->latestResultRows}) {
        QVERIFY(rows->requery());
        QCOMPARE(rows->fieldNames(), names::resultFields());
        QVERIFY(rows->hasInstant());
        QVERIFY(rows->snapshotSize() > 0);
        for (int row = 0; row < rows->snapshotSize(); ++row)
            QCOMPARE(rows->instantAt(row).toString(), moment);
    }
}

void TestStore::olderTablesGainTheMoment()
{
    // Result tables as an earlier version made them, with one row stored.
    TestProgramFolder folder(threePumps());
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    const QString legacy = QStringLiteral("2020/1/2 3:04:05");
    for (const QString& table : {names::allResultsTable(), names::latestResultsTable()}) {
        QVERIFY(folder.exec(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2")
                                .arg(quotedName(table), quotedName(names::calculationInstant()))));
        QVERIFY(folder.exec(QStringLiteral("INSERT INTO %1 (%2, %3, %4) VALUES ('%5', '设计', 1.25)")
                                .arg(quotedName(table), quotedName(names::calculationTime()), quotedName(names::method()),
                                     quotedName(names::totalHead()), legacy)));
    }
    auto catalogue = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY(catalogue);
    QVERIFY(!catalogue.value()->allResultRows.hasInstant());
    QVERIFY(runDesign(*catalogue.value(), duty("50", "20", "0")));
    const auto rows = storedMoments(folder.databasePath(), names::allResultsTable());
    if (TestProgramFolder::onServer()) {
        // An engineer on a server may not change the tables: the run is
        // stored without the moment until the owner's upgrade adds it.
        QVERIFY(rows.isEmpty());
        QCOMPARE(folder.rowCount(names::allResultsTable()), 1 + catalogue.value()->latestResultRows.recordCount());
        auto connection = Connection::open(folder.databasePath());
        QVERIFY(connection);
        QString error;
        QSqlDatabase db = connection.value()->database();
        QVERIFY2(inTransaction(db, [&] { return upgradeServerSchema(db, &error); }, &error), qPrintable(error));
        QVERIFY(runDesign(*catalogue.value(), duty("50", "20", "0")));
    }
    // The earlier row is as it was, without a moment; the new rows have one.
    const auto after = storedMoments(folder.databasePath(), names::allResultsTable());
    QVERIFY(after.size() > 1);
    QCOMPARE(after.first().first, legacy);
    QVERIFY(after.first().second.isNull());
    QVERIFY(!after.last().second.isNull());
    QVERIFY(catalogue.value()->allResultRows.hasInstant());
    QCOMPARE(catalogue.value()->allResultRows.fieldNames(), names::resultFields());
    QCOMPARE(catalogue.value()->allResultRows.valueAt(0, 2).toDouble(), 1.25);
}

void TestStore::calculationTimeHasDateAndSeconds()
{
    const QDateTime when(QDate(2026, 12, 7), QTime(9, 5, 7));
    const QString text = calculationTimeText(when);
    QVERIFY2(text.contains(QStringLiteral("07")) || text.contains(QStringLiteral(":7")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("05")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("2026")) || text.contains(QStringLiteral("26")), qPrintable(text));
    QCOMPARE(text.count(QLatin1Char(' ')) >= 1, true);
    QVERIFY(!text.contains(QStringLiteral("UTC")));
}

void TestStore::secondDesignRunReplacesLatestRows()
{
    TestProgramFolder folder(threePumps());
    auto catalogue = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY(catalogue);

    auto first = runDesign(*catalogue.value(), duty("48", "19", "0"));
    QVERIFY(first);
    const int firstCount = static_cast<int>(first->rows.size());
    QVERIFY(firstCount >= 1);
    QCOMPARE(folder.rowCount(names::latestResultsTable()), firstCount);
    QCOMPARE(folder.rowCount(names::allResultsTable()), firstCount);

    auto second = runDesign(*catalogue.value(), duty("190", "31", "0"));
    QVERIFY(second);
    const int secondCount = static_cast<int>(second->rows.size());
    QVERIFY(secondCount >= 1);
    QCOMPARE(folder.rowCount(names::latestResultsTable()), secondCount);
    QCOMPARE(folder.rowCount(names::allResultsTable()), firstCount + secondCount);
    QCOMPARE(catalogue.value()->latestResultRows.recordCount(), secondCount);
    QCOMPARE(catalogue.value()->allResultRows.recordCount(), firstCount + secondCount);

    // A run with an invalid duty empties the latest table and adds nothing.
    auto invalid = runDesign(*catalogue.value(), duty("0", "19", "0"));
    QVERIFY(!invalid);
    QCOMPARE(invalid.error().kind, RunFailure::Kind::Message);
    QCOMPARE(invalid.error().stop.dutyBox, 1);
    QCOMPARE(folder.rowCount(names::latestResultsTable()), 0);
    QCOMPARE(folder.rowCount(names::allResultsTable()), firstCount + secondCount);
}

void TestStore::rejectedCheckLeavesTablesAsTheyWere()
{
    TestProgramFolder folder(threePumps());
    auto catalogue = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY(catalogue);
    QVERIFY(runDesign(*catalogue.value(), duty("48", "19", "0")));
    const int all = folder.rowCount(names::allResultsTable());

    auto rejected = runCheck(*catalogue.value(), duty("48", "19", "0"), QStringLiteral("no such model"));
    QVERIFY(!rejected);
    QCOMPARE(QString::fromStdString(rejected.error().stop.message), QStringLiteral("请从列表中选择水泵型号！"));
    QCOMPARE(rejected.error().stop.focus, CalculationStop::Focus::ModelChooser);
    QCOMPARE(folder.rowCount(names::latestResultsTable()), 0);
    QCOMPARE(folder.rowCount(names::allResultsTable()), all);
}

void TestStore::passedCheckStoresOneRow()
{
    TestProgramFolder folder(threePumps());
    auto catalogue = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY(catalogue);
    QVERIFY(runDesign(*catalogue.value(), duty("48", "19", "0")));
    const int all = folder.rowCount(names::allResultsTable());
    for (int run = 0; run < 2; ++run) {
        auto checked = runCheck(*catalogue.value(), duty("48", "19", "5.1"), QStringLiteral("P1"));
        QVERIFY(checked);
        QCOMPARE(folder.rowCount(names::latestResultsTable()), 1);
        QCOMPARE(folder.rowCount(names::allResultsTable()), all + run + 1);
        RowSet& latest = catalogue.value()->latestResultRows;
        latest.moveFirst();
        QCOMPARE(latest.field(names::method()).value().toString(), QStringLiteral("校核"));
        QCOMPARE(latest.field(names::staticHead()).value().toDouble(), 5.099999904632568);
        QCOMPARE(latest.field(names::operatingFlow()).value().toDouble(), checked->row.operatingFlow);
    }
}

void TestStore::readOnlyDatabaseFailsClearlyAndWritesNothing()
{
    TestProgramFolder folder(threePumps());
    {
        // One earlier result: a failed run must neither lose it nor add to it.
        QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"水泵选型结果\" (\"所选型号\") VALUES ('old')")));
    }
    ImmutableFile lock(folder.databasePath());
    if (!lock.ok())
        QSKIP("this file system cannot make the database read-only");
    auto catalogue = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY2(catalogue, qPrintable(catalogue.ok() ? QString() : catalogue.error()));
    auto run = runDesign(*catalogue.value(), duty("48", "19", "0"));
    QVERIFY(!run);
    QCOMPARE(run.error().kind, RunFailure::Kind::Database);
    QVERIFY2(run.error().databaseError.contains(names::allResultsTable()), qPrintable(run.error().databaseError));
    QCOMPARE(folder.rowCount(names::allResultsTable()), 1);
    QCOMPARE(catalogue.value()->allResultRows.recordCount(), 1);
}

void TestStore::missingFieldIsNamed()
{
    TestProgramFolder folder;
    QVERIFY(folder.exec(QStringLiteral("DROP TABLE \"流扬功\"")));
    QVERIFY(folder.exec(QStringLiteral("CREATE TABLE \"流扬功\" (\"序号\" INTEGER, \"流量\" REAL, \"扬程\" REAL)")));
    auto catalogue = PumpCatalogue::openFile(folder.databasePath());
    QVERIFY(!catalogue);
    QVERIFY2(catalogue.error().contains(QStringLiteral("轴功率")), qPrintable(catalogue.error()));
    QVERIFY(catalogue.error().contains(QStringLiteral("流扬功")));
}

void TestStore::variableSpeedTablesAreMadeAsStored_data()
{
    // The tables as databases in use hold them: in a file the definition
    // SQLite keeps, on a server each column's type, nullability, identity,
    // expression and default.
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("server");
    const QString real = QStringLiteral(" double precision");
    const QString user = QStringLiteral(", 用户 text not null default CURRENT_USER");
    QTest::newRow("results") << QStringLiteral("变速选型结果")
                             << QStringLiteral("CREATE TABLE \"变速选型结果\" (\"序号\" INTEGER PRIMARY KEY AUTOINCREMENT, "
                                               "\"运行序号\" INTEGER NOT NULL, \"排名\" INTEGER NOT NULL, \"计算时间\" TEXT, "
                                               "\"控制方式\" TEXT, \"总扬程\" REAL, \"流量\" REAL, \"系统静扬程\" REAL, "
                                               "\"工作泵台数\" REAL, \"备用泵台数\" REAL, \"所选型号\" TEXT, \"电机功率\" REAL, "
                                               "\"设计转速比\" REAL, \"年耗电量\" REAL, \"年电费\" REAL, \"加权效率\" REAL, "
                                               "\"计算时刻\" TEXT)")
                             << QStringLiteral("序号 bigint not null identity, rowid bigint = \"序号\", 运行序号 integer not "
                                               "null, 排名 integer not null, 计算时间 text, 控制方式 text, 总扬程%1, 流量%1, "
                                               "系统静扬程%1, 工作泵台数%1, 备用泵台数%1, 所选型号 text, 电机功率%1, "
                                               "设计转速比%1, 年耗电量%1, 年电费%1, 加权效率%1, 计算时刻 text%2")
                                    .arg(real, user);
    QTest::newRow("points") << QStringLiteral("变速选型负荷点")
                            << QStringLiteral("CREATE TABLE \"变速选型负荷点\" (\"结果序号\" INTEGER NOT NULL REFERENCES "
                                              "\"变速选型结果\"(\"序号\"), \"负荷序号\" REAL, \"流量比例\" REAL, "
                                              "\"时间比例\" REAL, \"流量\" REAL, \"扬程\" REAL, \"运行台数\" REAL, "
                                              "\"转速比\" REAL, \"等效流量比\" REAL, \"水泵效率\" REAL, \"轴功率\" REAL, "
                                              "\"电机效率\" REAL, \"变频器效率\" REAL, \"输入功率\" REAL, \"综合效率\" REAL)")
                            << QStringLiteral("rowid bigint not null identity, 结果序号 integer not null, 负荷序号%1, "
                                              "流量比例%1, 时间比例%1, 流量%1, 扬程%1, 运行台数%1, 转速比%1, 等效流量比%1, "
                                              "水泵效率%1, 轴功率%1, 电机效率%1, 变频器效率%1, 输入功率%1, 综合效率%1%2")
                                   .arg(real, user);
    QTest::newRow("conditions") << QStringLiteral("变速选型工况")
                                << QStringLiteral("CREATE TABLE \"变速选型工况\" (\"运行序号\" INTEGER NOT NULL, \"介质\" TEXT, "
                                                  "\"浓度\" REAL, \"温度\" REAL, \"密度\" REAL, \"运动粘度\" REAL, "
                                                  "\"汽化压力\" REAL, \"吸入口绝对压力\" REAL, \"汽蚀余量系数\" REAL)")
                                << QStringLiteral("rowid bigint not null identity, 运行序号 bigint not null, 介质 text, "
                                                  "浓度%1, 温度%1, 密度%1, 运动粘度%1, 汽化压力%1, 吸入口绝对压力%1, "
                                                  "汽蚀余量系数%1%2")
                                       .arg(real, user);
    QTest::newRow("suction") << QStringLiteral("变速选型附加结果")
                             << QStringLiteral("CREATE TABLE \"变速选型附加结果\" (\"结果序号\" INTEGER NOT NULL REFERENCES "
                                               "\"变速选型结果\"(\"序号\"), \"负荷序号\" INTEGER, \"粘度参数B\" REAL, "
                                               "\"流量修正系数\" REAL, \"扬程修正系数\" REAL, \"效率修正系数\" REAL, "
                                               "\"有效汽蚀余量\" REAL, \"必需汽蚀余量\" REAL, \"汽蚀余量满足\" REAL)")
                             << QStringLiteral("rowid bigint not null identity, 结果序号 bigint not null, 负荷序号 bigint, "
                                               "粘度参数B%1, 流量修正系数%1, 扬程修正系数%1, 效率修正系数%1, "
                                               "有效汽蚀余量%1, 必需汽蚀余量%1, 汽蚀余量满足%1%2")
                                    .arg(real, user);
}

void TestStore::variableSpeedTablesAreMadeAsStored()
{
    QFETCH(QString, table);
    QFETCH(QString, file);
    QFETCH(QString, server);
    TestProgramFolder folder(threePumps());
    auto connection = Connection::open(folder.databasePath());
    QVERIFY2(connection, qPrintable(connection.ok() ? QString() : connection.error()));
    QSqlDatabase db = connection.value()->database();
    QString error;
    QVERIFY2(inTransaction(
                 db, [&] { return ensureVarSpeedTables(db, &error) && ensureVarSpeedConditionTables(db, &error); },
                 &error),
             qPrintable(error));
    QSqlQuery query(db);
    if (TestProgramFolder::onServer()) {
        query.prepare(QStringLiteral(
            "SELECT string_agg(column_name || ' ' || data_type || CASE WHEN is_nullable = 'NO' THEN ' not null' ELSE "
            "'' END || CASE WHEN is_identity = 'YES' THEN ' identity' ELSE '' END || CASE WHEN is_generated = "
            "'ALWAYS' THEN ' = ' || generation_expression ELSE '' END || coalesce(' default ' || column_default, ''), "
            "', ' ORDER BY ordinal_position) FROM information_schema.columns WHERE table_schema = current_schema() "
            "AND table_name = ?"));
    } else {
        query.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = ?"));
    }
    query.addBindValue(table);
    QVERIFY2(query.exec() && query.next(), qPrintable(query.lastError().text()));
    QCOMPARE(query.value(0).toString(), TestProgramFolder::onServer() ? server : file);
}

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
