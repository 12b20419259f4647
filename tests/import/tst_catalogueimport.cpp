#include "files/csv.h"
#include "store/calculations.h"
#include "store/database.h"
#include "store/import/catalogueio.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"
#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick::import;
using tarnwick::files::CsvRecord;
using tarnwick::files::parseCsv;
using tarnwick::files::csvRecord;
using tarnwick::testing::demoPump;
using tarnwick::testing::TestProgramFolder;
using tarnwick::testing::ToolRun;
using tarnwick::testing::runTool;
namespace names = tarnwick::store::names;

namespace {

const QByteArray kPumpHeader =
    "序号,水泵类型,水泵型号,转速,流量,扬程,轴功率,电动机功率,必需汽蚀余量,叶轮外径,重量,设备安装尺寸\n";
const QByteArray kPointHeader = "序号,流量,扬程,轴功率\n";

// Two pumps, the first with a two-line dimension text (lines 2-3), the second
// on line 4; their points on lines 2-5 and 6-9.
const QList<QByteArray> kPumpRows = {
    "1,IS型,IS50-32-125,2900,12.5,20,1.13,2.2,2.0,125,80,\"L=865\nB=325\"\n",
    "2,IS型,IS65-50-160,2900,25,32,3.35,5.5,2.0,160,110,\n",
};
const QList<QByteArray> kPointRows = {
    "1,7.5,22,0.96\n", "1,12.5,20,1.13\n", "1,15,18.5,1.26\n", "1,18,16,1.4\n",
    "2,15,35,2.6\n",   "2,25,32,3.35\n",   "2,30,30,3.71\n",   "2,36,26,4.1\n",
};

QByteArray joined(const QByteArray& header, const QList<QByteArray>& rows)
{
    QByteArray text = header;
    for (const QByteArray& row : rows)
        text += row;
    return text;
}

// The rows with row `index` replaced, or `row` added at the end.
QByteArray withRow(const QByteArray& header, QList<QByteArray> rows, int index, const QByteArray& row)
{
    if (index < rows.size())
        rows[index] = row;
    else
        rows.append(row);
    return joined(header, rows);
}

QByteArray pumpsWith(int index, const QByteArray& row)
{
    return withRow(kPumpHeader, kPumpRows, index, row);
}

QByteArray pointsWith(int index, const QByteArray& row)
{
    return withRow(kPointHeader, kPointRows, index, row);
}

using Run = ToolRun;

Run cli(const QStringList& arguments)
{
    return runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every stored value of a table in stored order, each with its storage class
// and floats written out to the last bit.
QStringList tableRows(const QString& databasePath, const QString& table)
{
    auto connection = tarnwick::store::Connection::open(databasePath);
    if (!connection)
        return {connection.error()};
    QSqlDatabase db = connection.value()->database();
    const QSqlRecord record = db.record(table);
    QStringList selected;
    for (int c = 0; c < record.count(); ++c) {
        const QString name = tarnwick::store::quotedName(record.fieldName(c));
        selected << QStringLiteral("typeof(%1)").arg(name) << name;
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                        .arg(selected.join(QLatin1Char(',')), tarnwick::store::quotedName(table))))
        return {QStringLiteral("cannot read ") + table};
    QStringList rows;
    while (query.next()) {
        QStringList row;
        for (int c = 0; c < record.count(); ++c) {
            const QString type = query.value(2 * c).toString();
            const QVariant value = query.value(2 * c + 1);
            row << type + QLatin1Char(':') +
                       (type == QStringLiteral("real") ? QString::number(value.toDouble(), 'g', 17) : value.toString());
        }
        rows.append(row.join(QLatin1Char('|')));
    }
    return rows;
}

QStringList strings(const char* joinedByBars)
{
    return QString::fromUtf8(joinedByBars).split(QLatin1Char('|'));
}

const QList<tarnwick::DutyTexts> kDuties = {
    {"19", "48", "0"}, {"30", "200", "2.5"}, {"11.6", "20.8", "0"}, {"24", "60.5", "2.5"}, {"28", "192", "2"},
};

// The design results of each duty on the database, written out in full so
// that two databases can be compared; the number of accepted pumps overall
// goes to *accepted.
QStringList designResults(const QString& databasePath, int* accepted)
{
    QStringList results;
    *accepted = 0;
    for (const tarnwick::DutyTexts& duty : kDuties) {
        auto catalogue = tarnwick::store::PumpCatalogue::openFile(databasePath);
        if (!catalogue)
            return {catalogue.error()};
        const auto run = tarnwick::store::runDesign(*catalogue.value(), duty);
        if (!run) {
            results.append(QString::fromStdString(run.error().stop.message) + run.error().databaseError);
            continue;
        }
        for (const std::string& entry : run->entries)
            results.append(QString::fromStdString(entry));
        for (const tarnwick::SelectionResult& row : run->rows) {
            results.append(QStringLiteral("%1 %2 %3 %4 %5 %6")
                               .arg(QString::fromStdString(row.model))
                               .arg(row.bestEfficiency, 0, 'g', 9)
                               .arg(row.operatingHead, 0, 'g', 17)
                               .arg(row.operatingFlow, 0, 'g', 17)
                               .arg(row.operatingEfficiency, 0, 'g', 17)
                               .arg(row.staticHead, 0, 'g', 9));
        }
        for (const tarnwick::DesignCandidate& candidate : run->candidates)
            results.append(QStringLiteral("%1 %2 %3")
                               .arg(candidate.operatingFlow, 0, 'g', 17)
                               .arg(candidate.operatingHead, 0, 'g', 17)
                               .arg(candidate.operatingPower, 0, 'g', 17));
        *accepted += static_cast<int>(run->candidates.size());
    }
    return results;
}

} // namespace

class TestCatalogueImport : public QObject
{
    Q_OBJECT

private slots:
    void csvRecords_data();
    void csvRecords();
    void soundFilesAreRead();
    void validationErrors_data();
    void validationErrors();
    void gbkFileIsRead();
    void errorsWriteNothing();
    void appendKeepsWhatIsThere();
    void appendRefusesTakenKeys_data();
    void appendRefusesTakenKeys();
    void replaceSwapsOnlyTheCatalogue();
    void roundTripGivesIdenticalDesign();
    void shippedCatalogueRoundTrip();
};

void TestCatalogueImport::csvRecords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QStringList>>("records");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("plain, CR LF") << QStringLiteral("a,b\r\nc,d\r\n")
                                  << QList<QStringList>{strings("a|b"), strings("c|d")} << QList<int>{1, 2};
    QTest::newRow("quoted comma, quote and line break")
        << QStringLiteral("\"x,y\",\"say \"\"hi\"\"\",\"two\nlines\"\nnext,1")
        << QList<QStringList>{strings("x,y|say \"hi\"|two\nlines"), strings("next|1")} << QList<int>{1, 3};
    QTest::newRow("blank lines skipped, no final line end")
        << QStringLiteral("a\n\n\nb") << QList<QStringList>{strings("a"), strings("b")} << QList<int>{1, 4};
}

void TestCatalogueImport::csvRecords()
{
    QFETCH(QString, text);
    QFETCH(QList<QStringList>, records);
    QFETCH(QList<int>, lines);
    QList<CsvRecord> parsed;
    QString error;
    QVERIFY2(parseCsv(text, &parsed, &error), qPrintable(error));
    QCOMPARE(parsed.size(), records.size());
    for (int i = 0; i < parsed.size(); ++i) {
        QCOMPARE(parsed[i].fields, records[i]);
        QCOMPARE(parsed[i].line, lines[i]);
    }

    // An unquoted empty field is no value, a quoted one is empty text, and
    // writing gives the same back.
    QVERIFY(parseCsv(QStringLiteral("a,,\"\"\n"), &parsed, &error));
    QVERIFY(parsed[0].fields[1].isNull());
    QVERIFY(!parsed[0].fields[2].isNull() && parsed[0].fields[2].isEmpty());
    QCOMPARE(csvRecord(parsed[0].fields), QStringLiteral("a,,\"\"\r\n"));
}

void TestCatalogueImport::soundFilesAreRead()
{
    const auto files = parseCatalogueCsv(joined(kPumpHeader, kPumpRows), joined(kPointHeader, kPointRows));
    QVERIFY2(files, qPrintable(files ? QString() : files.error().join(QLatin1Char('\n'))));
    QCOMPARE(files->pumps.size(), 2);
    QCOMPARE(files->points.size(), 8);
    QCOMPARE(files->pumps[0].dimensions, QStringLiteral("L=865\nB=325"));
    QVERIFY(files->pumps[1].dimensions.isNull());
    QCOMPARE(files->pumps[1].line, 4);
    QCOMPARE(*files->pumps[0].motorPower, 2.2);
    QCOMPARE(files->points[7].power, 4.1);
    QCOMPARE(files->pumpsEncoding, QStringLiteral("UTF-8"));
}

void TestCatalogueImport::validationErrors_data()
{
    QTest::addColumn<QByteArray>("pumps");
    QTest::addColumn<QByteArray>("points");
    QTest::addColumn<QString>("problem");
    const QByteArray pumps = joined(kPumpHeader, kPumpRows);
    const QByteArray points = joined(kPointHeader, kPointRows);
    QTest::newRow("missing speed") << pumpsWith(1, "2,IS型,IS65-50-160,,25,32,3.35,5.5,2.0,160,110,\n") << points
                                   << QStringLiteral("pumps.csv 第 4 行，“转速”：缺少数值。");
    QTest::newRow("missing model") << pumpsWith(1, "2,IS型, ,2900,25,32,3.35,5.5,2.0,160,110,\n") << points
                                   << QStringLiteral("pumps.csv 第 4 行，“水泵型号”：缺少内容。");
    QTest::newRow("head not a number") << pumps << pointsWith(1, "1,12.5,abc,1.13\n")
                                       << QStringLiteral("points.csv 第 3 行，“扬程”：“abc”不是数字。");
    QTest::newRow("infinite power") << pumps << pointsWith(1, "1,12.5,20,inf\n")
                                    << QStringLiteral("points.csv 第 3 行，“轴功率”：“inf”不是数字。");
    QTest::newRow("key not a whole number") << pumpsWith(1, "2.5,IS型,IS65-50-160,2900,25,32,3.35,5.5,2.0,160,110,\n")
                                            << points << QStringLiteral("pumps.csv 第 4 行，“序号”：“2.5”不是整数。");
    QTest::newRow("zero flow") << pumps << pointsWith(0, "1,0,22,0.96\n")
                               << QStringLiteral("points.csv 第 2 行，“流量”：0 应大于 0。");
    QTest::newRow("negative shaft power") << pumps << pointsWith(5, "2,25,32,-3.35\n")
                                          << QStringLiteral("points.csv 第 7 行，“轴功率”：-3.35 应大于 0。");
    QTest::newRow("negative motor power on the data sheet")
        << pumpsWith(1, "2,IS型,IS65-50-160,2900,25,32,3.35,-5.5,2.0,160,110,\n") << points
        << QStringLiteral("pumps.csv 第 4 行，“电动机功率”：-5.5 应大于 0。");
    QTest::newRow("fewer than three points") << pumps << joined(kPointHeader, kPointRows.mid(0, 6))
                                             << QStringLiteral("pumps.csv 第 4 行，“序号”：水泵“IS65-50-160”（序号 "
                                                               "2）在 points.csv 中只有 2 个性能点，至少需要 3 个。");
    QTest::newRow("pump without points")
        << pumpsWith(2, "3,IS型,IS80,2900,50,32,6,7.5,2.5,160,130,\n") << points
        << QStringLiteral(
               "pumps.csv 第 5 行，“序号”：水泵“IS80”（序号 3）在 points.csv 中只有 0 个性能点，至少需要 3 个。");
    QList<QByteArray> split = kPointRows;
    split.move(3, 5);
    QTest::newRow("points not kept together")
        << pumps << joined(kPointHeader, split)
        << QStringLiteral("points.csv 第 7 行，“序号”：序号 1 的性能点没有连在一起（第 2 行起已有该序号的点）。");
    QTest::newRow("key without a pump") << pumps << pointsWith(8, "3,10,10,1\n")
                                        << QStringLiteral(
                                               "points.csv 第 10 行，“序号”：序号 3 在 pumps.csv 中没有对应的水泵。");
    QTest::newRow("duplicate pump key") << pumpsWith(1, "1,IS型,IS65-50-160,2900,25,32,3.35,5.5,2.0,160,110,\n")
                                        << points
                                        << QStringLiteral("pumps.csv 第 4 行，“序号”：序号 1 重复（第 2 行已有）。");
    QByteArray noWeight = pumps;
    noWeight.replace(",重量,", ",");
    QTest::newRow("missing column") << noWeight << points << QStringLiteral("pumps.csv 第 1 行：表头中缺少列“重量”。");
    QTest::newRow("unknown column") << pumps << QByteArray(points).replace("轴功率\n", "轴功率,备注\n")
                                    << QStringLiteral("points.csv 第 1 行：表头中有不认识的列“备注”。");
    QTest::newRow("too few fields") << pumps << pointsWith(2, "1,15,18.5\n")
                                    << QStringLiteral("points.csv 第 4 行：有 3 个字段，表头有 4 个。");
    QTest::newRow("unterminated quote") << pumpsWith(1, "2,IS型,IS65-50-160,2900,25,32,3.35,5.5,2.0,160,110,\"L=1\n")
                                        << points
                                        << QStringLiteral("pumps.csv：第 4 行：引号开始的字段直到文件结尾都没有结束。");
    QTest::newRow("neither UTF-8 nor GBK")
        << pumps << QByteArray(kPointHeader + "1,7.5,22\x81\x20,0.96\n")
        << QStringLiteral("points.csv：第 2 行：文件既不是 UTF-8 编码，也不是 GBK 编码。");
    QTest::newRow("empty points file") << pumps << QByteArray()
                                       << QStringLiteral(
                                              "points.csv：文件是空的，第一行应为表头：序号,流量,扬程,轴功率");
}

void TestCatalogueImport::validationErrors()
{
    QFETCH(QByteArray, pumps);
    QFETCH(QByteArray, points);
    QFETCH(QString, problem);
    const auto files = parseCatalogueCsv(pumps, points);
    QVERIFY(!files);
    QVERIFY2(files.error().contains(problem), qPrintable(files.error().join(QLatin1Char('\n'))));
}

// A pumps file saved by a Chinese spreadsheet program in GBK, read beside a
// points file in UTF-8 with a byte order mark.
void TestCatalogueImport::gbkFileIsRead()
{
    const QByteArray header = "\xd0\xf2\xba\xc5,\xcb\xae\xb1\xc3\xc0\xe0\xd0\xcd,\xcb\xae\xb1\xc3\xd0\xcd\xba\xc5,"
                              "\xd7\xaa\xcb\xd9,\xc1\xf7\xc1\xbf,\xd1\xef\xb3\xcc,\xd6\xe1\xb9\xa6\xc2\xca,"
                              "\xb5\xe7\xb6\xaf\xbb\xfa\xb9\xa6\xc2\xca,"
                              "\xb1\xd8\xd0\xe8\xc6\xfb\xca\xb4\xd3\xe0\xc1\xbf,\xd2\xb6\xc2\xd6\xcd\xe2\xbe\xb6,"
                              "\xd6\xd8\xc1\xbf,\xc9\xe8\xb1\xb8\xb0\xb2\xd7\xb0\xb3\xdf\xb4\xe7\r\n";
    const QByteArray pumps = header + "1,\xc7\xe5\xcb\xae\xb1\xc3,IS50\xd0\xcd,2900,12.5,20,1.13,2.2,2.0,125,80,"
                                      "\"\xb5\xa5\xce\xbb:mm\r\nL=865\"\r\n"
                                      "2,\xc7\xe5\xcb\xae\xb1\xc3,IS65,2900,25,32,3.35,5.5,2.0,160,110,\r\n";
    const QByteArray points = "\xEF\xBB\xBF" + joined(kPointHeader, kPointRows);
    const auto files = parseCatalogueCsv(pumps, points);
    QVERIFY2(files, qPrintable(files ? QString() : files.error().join(QLatin1Char('\n'))));
    QCOMPARE(files->pumpsEncoding, QStringLiteral("GBK"));
    QCOMPARE(files->pointsEncoding, QStringLiteral("UTF-8"));
    QCOMPARE(files->pumps[0].type, QStringLiteral("清水泵"));
    QCOMPARE(files->pumps[0].model, QStringLiteral("IS50型"));
    QCOMPARE(files->pumps[0].dimensions, QStringLiteral("单位:mm\r\nL=865"));
    QCOMPARE(files->pumps[1].line, 4);
}

// A file with a fault, through the command: exit 2, the fault named, the
// database as it was.
void TestCatalogueImport::errorsWriteNothing()
{
    TestProgramFolder folder({demoPump(1, QStringLiteral("P1"), 50, 20)});
    QVERIFY(folder.isValid());
    QTemporaryDir dir;
    const QString pumps = dir.filePath(QStringLiteral("pumps.csv"));
    const QString points = dir.filePath(QStringLiteral("points.csv"));
    QVERIFY(writeFile(pumps, pumpsWith(1, "2,IS型,IS65-50-160,2900,25,32,3.35,5.5,2.0,160,110,\n")));
    QVERIFY(writeFile(points, pointsWith(4, "2,-15,35,2.6\n")));
    const QStringList before = tableRows(folder.databasePath(), names::pumpTable());
    for (const QStringList& extra : {QStringList(), QStringList{QStringLiteral("--replace")}}) {
        const Run run = cli(QStringList{QStringLiteral("import-catalogue"), pumps, points, QStringLiteral("--db"),
                                        folder.databasePath()} +
                            extra);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("points.csv 第 6 行，“流量”：-15 应大于 0。")), qPrintable(run.err));
        QCOMPARE(tableRows(folder.databasePath(), names::pumpTable()), before);
        QCOMPARE(folder.rowCount(names::pointTable()), 5);
    }
}

void TestCatalogueImport::appendKeepsWhatIsThere()
{
    if (TestProgramFolder::onServer())
        QSKIP("reads the database file itself");
    TestProgramFolder folder({demoPump(5, QStringLiteral("P5"), 50, 20), demoPump(6, QStringLiteral("P6"), 80, 30)});
    QVERIFY(folder.isValid());
    QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"水泵选型结果\" (\"计算时间\") VALUES ('t')")));
    QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"水泵选型结果1\" (\"计算时间\") VALUES ('t')")));
    const auto files = parseCatalogueCsv(joined(kPumpHeader, kPumpRows), joined(kPointHeader, kPointRows));
    QVERIFY(files);
    {
        auto connection = tarnwick::store::Connection::open(folder.databasePath());
        QVERIFY(connection);
        const auto summary = importCatalogue(connection.value()->database(), files.value(), false);
        QVERIFY2(summary, qPrintable(summary ? QString() : summary.error().join(QLatin1Char('\n'))));
        QCOMPARE(summary->pumps, 2);
        QCOMPARE(summary->points, 8);
    }
    const QStringList pumps = tableRows(folder.databasePath(), names::pumpTable());
    QCOMPARE(pumps.size(), 4);
    QVERIFY(pumps[0].contains(QStringLiteral("|text:P5|")));
    QVERIFY(pumps[1].contains(QStringLiteral("|text:P6|")));
    QCOMPARE(pumps[2],
             QStringLiteral("integer:1|text:IS型|text:IS50-32-125|real:2900|real:12.5|real:20|real:1.1299999999999999|"
                            "real:2.2000000000000002|real:2|real:125|real:80|text:L=865\nB=325"));
    QVERIFY(pumps[3].endsWith(QStringLiteral("|null:")));
    QCOMPARE(folder.rowCount(names::pointTable()), 18);
    QCOMPARE(folder.rowCount(names::allResultsTable()), 1);
    QCOMPARE(folder.rowCount(names::latestResultsTable()), 1);
    auto catalogue = tarnwick::store::PumpCatalogue::openFile(folder.databasePath());
    QVERIFY(catalogue);
    QCOMPARE(catalogue.value()->modelList().size(), 4);
}

void TestCatalogueImport::appendRefusesTakenKeys_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("problem");
    QTest::newRow("key of an existing pump")
        << QString() << QStringLiteral("pumps.csv 第 4 行，“序号”：序号 2 在数据库中已经使用");
    // Stray points under key 1 would join the new pump's run.
    QTest::newRow("key of stray points") << QStringLiteral("INSERT INTO \"流扬功\" VALUES (1, 1, 1, 1)")
                                         << QStringLiteral("pumps.csv 第 2 行，“序号”：序号 1 在数据库中已经使用");
}

void TestCatalogueImport::appendRefusesTakenKeys()
{
    if (TestProgramFolder::onServer())
        QSKIP("writes stray rows of SQLite types");
    QFETCH(QString, statement);
    QFETCH(QString, problem);
    TestProgramFolder folder({demoPump(2, QStringLiteral("P2"), 50, 20)});
    QVERIFY(folder.isValid());
    if (!statement.isEmpty())
        QVERIFY(folder.exec(statement));
    const int pointsBefore = folder.rowCount(names::pointTable());
    const auto files = parseCatalogueCsv(joined(kPumpHeader, kPumpRows), joined(kPointHeader, kPointRows));
    QVERIFY(files);
    auto connection = tarnwick::store::Connection::open(folder.databasePath());
    QVERIFY(connection);
    const auto summary = importCatalogue(connection.value()->database(), files.value(), false);
    QVERIFY(!summary);
    QVERIFY2(summary.error().join(QLatin1Char('\n')).contains(problem),
             qPrintable(summary.error().join(QLatin1Char('\n'))));
    QCOMPARE(folder.rowCount(names::pumpTable()), 1);
    QCOMPARE(folder.rowCount(names::pointTable()), pointsBefore);
}

void TestCatalogueImport::replaceSwapsOnlyTheCatalogue()
{
    TestProgramFolder folder({demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 80, 30),
                              demoPump(3, QStringLiteral("P3"), 20, 10)});
    QVERIFY(folder.isValid());
    QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"水泵选型结果\" (\"计算时间\") VALUES ('t')")));
    QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"设备安装示意图\" (\"水泵类型\") VALUES ('IS型')")));
    QTemporaryDir dir;
    const QString pumps = dir.filePath(QStringLiteral("pumps.csv"));
    const QString points = dir.filePath(QStringLiteral("points.csv"));
    QVERIFY(writeFile(pumps, joined(kPumpHeader, kPumpRows)));
    QVERIFY(writeFile(points, joined(kPointHeader, kPointRows)));
    const Run run = cli({QStringLiteral("import-catalogue"), pumps, points, QStringLiteral("--db"),
                         folder.databasePath(), QStringLiteral("--replace")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(QStringLiteral("原有的 3 台水泵、15 个性能点已被替换")), qPrintable(run.out));
    QCOMPARE(folder.rowCount(names::pumpTable()), 2);
    QCOMPARE(folder.rowCount(names::pointTable()), 8);
    QCOMPARE(folder.rowCount(names::allResultsTable()), 1);
    QCOMPARE(folder.rowCount(names::schematicTable()), 1);
}

// Export, then import with --replace into another database: the same stored
// values and, for several duties, the same design results to the last bit.
void TestCatalogueImport::roundTripGivesIdenticalDesign()
{
    if (TestProgramFolder::onServer())
        QSKIP("compares the database files");
    TestProgramFolder original(
        {demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
         demoPump(3, QStringLiteral("P3"), 51, 20.5), demoPump(4, QStringLiteral("P4"), 21.7, 12.3),
         demoPump(5, QStringLiteral("P5"), 63.1, 27.9), demoPump(6, QStringLiteral("P6"), 149.9, 41.3)});
    QVERIFY(original.isValid());
    // Data-sheet values, a text that needs quoting, and an empty one.
    QVERIFY(original.exec(
        QStringLiteral("UPDATE \"水泵性能表\" SET \"流量\" = 0.1 + 0.2, \"扬程\" = 1e-7, \"重量\" = 123456789.125, "
                       "\"设备安装尺寸\" = 'L=865, \"B\"' || char(10) || 'H=365' WHERE \"序号\" = 1")));
    QVERIFY(original.exec(QStringLiteral("UPDATE \"水泵性能表\" SET \"设备安装尺寸\" = '' WHERE \"序号\" = 2")));
    TestProgramFolder copy({demoPump(9, QStringLiteral("old"), 30, 30)});
    QVERIFY(copy.isValid());

    QTemporaryDir dir;
    const QString pumps = dir.filePath(QStringLiteral("pumps.csv"));
    const QString points = dir.filePath(QStringLiteral("points.csv"));
    const Run exported =
        cli({QStringLiteral("export-catalogue"), pumps, points, QStringLiteral("--db"), original.databasePath()});
    QCOMPARE(exported.exitCode, 0);
    const Run imported = cli({QStringLiteral("import-catalogue"), pumps, points, QStringLiteral("--db"),
                              copy.databasePath(), QStringLiteral("--replace")});
    QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));

    QCOMPARE(tableRows(copy.databasePath(), names::pumpTable()),
             tableRows(original.databasePath(), names::pumpTable()));
    QCOMPARE(tableRows(copy.databasePath(), names::pointTable()),
             tableRows(original.databasePath(), names::pointTable()));
    int accepted = 0;
    const QStringList expected = designResults(original.databasePath(), &accepted);
    QVERIFY(accepted >= 5);
    int acceptedCopy = 0;
    QCOMPARE(designResults(copy.databasePath(), &acceptedCopy), expected);
}

// The demonstration catalogue shipped with the program, from its own CSV
// sources to a database, out again and back in.
void TestCatalogueImport::shippedCatalogueRoundTrip()
{
    const QString sourceDir = QStringLiteral(TARNWICK_CATALOGUE_DIR);
    if (!QFile::exists(sourceDir + QStringLiteral("/pumps.csv")))
        QSKIP("the shipped catalogue sources are not there");
    TestProgramFolder first;
    TestProgramFolder second({demoPump(1, QStringLiteral("P1"), 50, 20)});
    QVERIFY(first.isValid() && second.isValid());
    const Run loaded = cli({QStringLiteral("import-catalogue"), sourceDir + QStringLiteral("/pumps.csv"),
                            sourceDir + QStringLiteral("/points.csv"), QStringLiteral("--db"), first.databasePath()});
    QVERIFY2(loaded.exitCode == 0, qPrintable(loaded.err));
    QTemporaryDir dir;
    const QString pumps = dir.filePath(QStringLiteral("pumps.csv"));
    const QString points = dir.filePath(QStringLiteral("points.csv"));
    QCOMPARE(
        cli({QStringLiteral("export-catalogue"), pumps, points, QStringLiteral("--db"), first.databasePath()}).exitCode,
        0);
    const Run reloaded = cli({QStringLiteral("import-catalogue"), pumps, points, QStringLiteral("--db"),
                              second.databasePath(), QStringLiteral("--replace")});
    QVERIFY2(reloaded.exitCode == 0, qPrintable(reloaded.err));
    QCOMPARE(tableRows(second.databasePath(), names::pumpTable()), tableRows(first.databasePath(), names::pumpTable()));
    QCOMPARE(tableRows(second.databasePath(), names::pointTable()),
             tableRows(first.databasePath(), names::pointTable()));
    int accepted = 0;
    const QStringList expected = designResults(first.databasePath(), &accepted);
    QVERIFY(accepted > 0);
    int acceptedSecond = 0;
    QCOMPARE(designResults(second.databasePath(), &acceptedSecond), expected);
}

QTEST_GUILESS_MAIN(TestCatalogueImport)
#include "tst_catalogueimport.moc"
