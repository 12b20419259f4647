// What the data sheets take from the catalogue: the model's "水泵查询" row as
// the page prints it, the schematic of the right type, the catalogue's speed
// and, for a variable-speed set, the fit to the model's own points.

#include "store/database.h"
#include "store/pumpcatalogue.h"
#include "store/sheetdata.h"
#include "tests/support/testdatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <cmath>

using namespace tarnwick;
using namespace tarnwick::store;
using tarnwick::testing::demoPump;
using tarnwick::testing::TestProgramFolder;
using tarnwick::testing::TestPump;

namespace {

TestPump typed(TestPump pump, const QString& type)
{
    pump.type = type;
    return pump;
}

// A pump whose heads scatter about its curve: its fit is visibly rough.
TestPump scattered(TestPump pump)
{
    for (qsizetype i = 0; i < pump.points.size(); ++i)
        pump.points[i][1] *= i % 2 == 0 ? 1.15 : 0.85;
    return pump;
}

enum class Kind { Candidate, Check, VarSpeed };
enum class Fit { None, Close, Rough };

} // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Fit)

class TestSheetData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sheetDataOfEachKind_data();
    void sheetDataOfEachKind();
    void viewRowAsThePagePrintsIt();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<PumpCatalogue> m_catalogue;
};

void TestSheetData::initTestCase()
{
    m_folder = std::make_unique<TestProgramFolder>(
        QList<TestPump>{typed(demoPump(1, QStringLiteral("A-1"), 50, 20), QStringLiteral("T1")),
                        typed(scattered(demoPump(2, QStringLiteral("B-2"), 80, 30, 1450)), QStringLiteral("T2")),
                        typed(demoPump(3, QStringLiteral("C-3"), 120, 25), QString())});
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->error()));
    {
        auto connection = Connection::open(m_folder->databasePath());
        QVERIFY2(connection, qPrintable(connection.ok() ? QString() : connection.error()));
        QSqlQuery insert(connection.value()->database());
        QVERIFY(insert.prepare(QStringLiteral("UPDATE \"水泵性能表\" SET \"流量\" = ?, \"电动机功率\" = ?, "
                                              "\"设备安装尺寸\" = ? WHERE \"序号\" = 1")));
        insert.addBindValue(52.5);
        insert.addBindValue(7.5);
        insert.addBindValue(QStringLiteral("L=865\nB=325"));
        QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        // The first picture of a type is the one shown.
        const std::pair<const char*, const char*> pictures[] = {
            {"T1", "picture of T1"}, {"T1", "second picture of T1"}, {"T3", "picture of T3"}};
        for (const auto& [type, bytes] : pictures) {
            QVERIFY(insert.prepare(
                QStringLiteral("INSERT INTO \"设备安装示意图\" (\"水泵类型\", \"设备安装示意图\") VALUES (?, ?)")));
            insert.addBindValue(QString::fromLatin1(type));
            insert.addBindValue(QByteArray(bytes));
            QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        }
    }
    auto catalogue = PumpCatalogue::openFile(m_folder->databasePath());
    QVERIFY2(catalogue, qPrintable(catalogue.ok() ? QString() : catalogue.error()));
    m_catalogue = std::move(catalogue).value();
}

void TestSheetData::sheetDataOfEachKind_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("givenType"); // the check's, or the variable-speed curves'
    QTest::addColumn<int>("catalogueIndex");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("schematic");
    QTest::addColumn<double>("speed"); // NaN: none
    QTest::addColumn<Fit>("fit");

    const double none = std::nan("");
    QTest::newRow("candidate takes its view row's type")
        << Kind::Candidate << "A-1"
        << "" << 0 << "T1" << QByteArray("picture of T1") << 2900.0 << Fit::None;
    QTest::newRow("candidate of a type without a picture") << Kind::Candidate << "B-2"
                                                           << "" << 1 << "T2" << QByteArray() << 1450.0 << Fit::None;
    QTest::newRow("model without a row") << Kind::Candidate << "X-9"
                                         << "" << 0 << "" << QByteArray() << none << Fit::None;
    QTest::newRow("check takes the type it read")
        << Kind::Check << "A-1"
        << "T3" << 0 << "T3" << QByteArray("picture of T3") << 2900.0 << Fit::None;
    QTest::newRow("variable speed takes the view row's type")
        << Kind::VarSpeed << "A-1"
        << "T3" << 0 << "T1" << QByteArray("picture of T1") << 2900.0 << Fit::Close;
    QTest::newRow("variable speed falls back on the curves' type")
        << Kind::VarSpeed << "C-3"
        << "T3" << 2 << "T3" << QByteArray("picture of T3") << 2900.0 << Fit::Close;
    QTest::newRow("variable speed fit of its own scattered points")
        << Kind::VarSpeed << "B-2"
        << "" << 1 << "T2" << QByteArray() << 1450.0 << Fit::Rough;
    QTest::newRow("variable speed found by model at a stale place")
        << Kind::VarSpeed << "A-1"
        << "" << 1 << "T1" << QByteArray("picture of T1") << 2900.0 << Fit::Close;
    QTest::newRow("variable speed of a model gone from the catalogue")
        << Kind::VarSpeed << "X-9"
        << "T3" << 0 << "T3" << QByteArray("picture of T3") << none << Fit::None;
}

void TestSheetData::sheetDataOfEachKind()
{
    QFETCH(Kind, kind);
    QFETCH(QString, model);
    QFETCH(QString, givenType);
    QFETCH(int, catalogueIndex);
    QFETCH(QString, type);
    QFETCH(QByteArray, schematic);
    QFETCH(double, speed);
    QFETCH(Fit, fit);
    QVERIFY(m_catalogue);

    SheetData data;
    if (kind == Kind::Candidate) {
        DesignCandidate candidate;
        candidate.model = model.toStdString();
        data = candidateSheetData(*m_catalogue, candidate);
    } else if (kind == Kind::Check) {
        CheckedPump pump;
        pump.model = model.toStdString();
        pump.pumpType = givenType.toStdString();
        data = checkedSheetData(*m_catalogue, pump);
    } else {
        VarSpeedPump pump;
        pump.curves.model = model.toStdString();
        pump.curves.type = givenType.toStdString();
        pump.curves.catalogueIndex = static_cast<std::size_t>(catalogueIndex);
        data = varSpeedSheetData(*m_catalogue, pump);
    }
    QCOMPARE(data.model, model);
    QCOMPARE(data.pumpType, type);
    QCOMPARE(data.schematic, schematic);
    QCOMPARE(data.speed.has_value(), !std::isnan(speed));
    if (data.speed)
        QCOMPARE(*data.speed, speed);
    QCOMPARE(data.dimensions.caption, QStringLiteral("设备安装尺寸"));
    QCOMPARE(data.fitQuality.has_value(), fit != Fit::None);
    if (fit == Fit::Close)
        QVERIFY2(data.fitQuality->headR2 > 0.999, qPrintable(QString::number(data.fitQuality->headR2)));
    if (fit == Fit::Rough)
        QVERIFY2(data.fitQuality->headR2 < 0.99, qPrintable(QString::number(data.fitQuality->headR2)));
    if (!TestProgramFolder::onServer())
        QCOMPARE(data.databaseFile, QStringLiteral("水泵数据库97.mdb"));
}

void TestSheetData::viewRowAsThePagePrintsIt()
{
    QVERIFY(m_catalogue);
    DesignCandidate candidate;
    candidate.model = "A-1";
    const SheetData data = candidateSheetData(*m_catalogue, candidate);
    // The view's columns in its order, without the key; the dimensions apart;
    // figures with their units, empty fields empty.
    const QList<std::pair<QString, QString>> expected = {
        {QStringLiteral("水泵类型"), QStringLiteral("T1")},
        {QStringLiteral("水泵型号"), QStringLiteral("A-1")},
        {QStringLiteral("转速"), QStringLiteral("2900 r/min")},
        {QStringLiteral("流量"), QStringLiteral("52.5 m3/h")},
        {QStringLiteral("扬程"), QString()},
        {QStringLiteral("轴功率"), QString()},
        {QStringLiteral("电动机功率"), QStringLiteral("7.5 kW")},
        {QStringLiteral("必需汽蚀余量"), QString()},
        {QStringLiteral("叶轮外径"), QString()},
        {QStringLiteral("重量"), QString()},
    };
    QList<std::pair<QString, QString>> fields;
    for (const SheetField& field : data.viewFields)
        fields.append({field.caption, field.value});
    QCOMPARE(fields, expected);
    QCOMPARE(data.dimensions.value, QStringLiteral("L=865\nB=325"));
}

QTEST_GUILESS_MAIN(TestSheetData)
#include "tst_sheetdata.moc"
