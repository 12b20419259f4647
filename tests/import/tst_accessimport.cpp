#include "files/csv.h"
#include "store/database.h"
#include "store/import/accessconversion.h"
#include "store/import/accessfile.h"
#include "store/import/accessimport.h"
#include "store/import/olepicture.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"
#include "tests/support/shareddata.h"
#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <QtEndian>

#include <cmath>

using namespace tarnwick::import;
using tarnwick::files::CsvRecord;
using tarnwick::files::parseCsv;
namespace names = tarnwick::store::names;
using tarnwick::testing::ToolRun;
using tarnwick::testing::runTool;

namespace {

const QString kNullMark = QStringLiteral("@@NULL@@");
const QString kDateFormat = QStringLiteral("%Y-%m-%d %H:%M:%S");

const QString kNorthwind = QStringLiteral("nwind.mdb");
const QString kJackcess = QStringLiteral("testV1997.mdb");

// The Apache-licensed sample is in the repository; Northwind, whose licence
// is not stated, only in the shared data folder.
QString samplePath(const QString& name)
{
    return (name == kNorthwind ? QStringLiteral(TARNWICK_SHARED_MDB_SAMPLES) : QStringLiteral(TARNWICK_MDB_SAMPLES)) +
           QLatin1Char('/') + name;
}

// The repository's sample must be there; the shared one may be missing
// outside CI, and the test is then skipped.
#define NEED_SAMPLE(name)                                                                                   \
    do {                                                                                                     \
        if ((name) == kNorthwind)                                                                            \
            TARNWICK_NEED_SHARED_FILE(samplePath(name));                                                     \
        else                                                                                                 \
            QVERIFY2(QFileInfo::exists(samplePath(name)), qPrintable(samplePath(name)));                     \
    } while (false)

#define NEED_MDB_EXPORT()                                                                                   \
    do {                                                                                                     \
        if (QStandardPaths::findExecutable(QStringLiteral("mdb-export")).isEmpty())                          \
            QSKIP("mdb-export is not installed");                                                            \
    } while (false)

QByteArray sha256(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

using Run = ToolRun;

Run run(const QString& program, const QStringList& arguments, int timeoutMs = 120000)
{
    return runTool(program, arguments, timeoutMs);
}

Run cli(const QStringList& arguments, int timeoutMs = 120000)
{
    return runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, timeoutMs);
}

class ScopedDatabase
{
public:
    explicit ScopedDatabase(const QString& path)
        : m_name(QStringLiteral("tst-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~ScopedDatabase() { QSqlDatabase::removeDatabase(m_name); }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Compares a copied table cell by cell with mdb-export's CSV of the same
// table (mdb-export decoding Jet 3 text with `charset` when given); returns
// what differs, empty when nothing does.
QString mismatchWithMdbExport(const QString& mdbFile, const QString& table, const QString& copyPath,
                              const QString& charset, qint64* rowCount)
{
    auto file = AccessFile::open(mdbFile, charset);
    if (!file)
        return file.error();
    const auto definition = file.value()->table(table);
    if (!definition)
        return definition.error();
    const QList<AccessColumn>& columns = definition->columns;

    QProcess exporter;
    if (!charset.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("MDB_JET3_CHARSET"), charset);
        exporter.setProcessEnvironment(environment);
    }
    exporter.start(QStringLiteral("mdb-export"),
                   {QStringLiteral("-0"), kNullMark, QStringLiteral("-b"), QStringLiteral("strip"),
                    QStringLiteral("-D"), kDateFormat, QStringLiteral("-T"), kDateFormat, mdbFile, table});
    exporter.waitForFinished(60000);
    if (exporter.exitCode() != 0)
        return QStringLiteral("mdb-export failed");
    QList<CsvRecord> records;
    QString error;
    if (!parseCsv(QString::fromUtf8(exporter.readAllStandardOutput()), &records, &error))
        return error;
    QStringList names;
    for (const AccessColumn& column : columns)
        names.append(column.name);
    if (records.isEmpty() || records.first().fields != names)
        return QStringLiteral("the header differs");
    records.removeFirst();

    ScopedDatabase copy(copyPath);
    QStringList selected;
    for (const QString& name : names)
        selected << QStringLiteral("typeof(\"%1\")").arg(name) << QStringLiteral("\"%1\"").arg(name);
    QSqlQuery query(copy.db());
    if (!query.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid").arg(selected.join(QLatin1Char(',')), table)))
        return query.lastError().text();

    int row = 0;
    while (query.next()) {
        if (row >= records.size())
            return QStringLiteral("more rows than mdb-export prints");
        const QStringList& theirs = records[row].fields;
        if (theirs.size() != columns.size())
            return QStringLiteral("row %1 has %2 fields in mdb-export").arg(row + 1).arg(theirs.size());
        for (int c = 0; c < columns.size(); ++c) {
            const QString storage = query.value(2 * c).toString();
            const QVariant ours = query.value(2 * c + 1);
            const QString& expected = theirs[c];
            const QString where = QStringLiteral("%1 row %2 column %3: ours %4 (%5), mdb-export %6")
                                      .arg(table)
                                      .arg(row + 1)
                                      .arg(columns[c].name, ours.toString(), storage, expected);
            if (expected == kNullMark) {
                if (storage != QStringLiteral("null"))
                    return where;
                continue;
            }
            bool same = false;
            switch (columns[c].type) {
            case AccessType::Boolean:
            case AccessType::Byte:
            case AccessType::Integer:
            case AccessType::Long:
                same = storage == QStringLiteral("integer") && ours.toLongLong() == expected.toLongLong();
                break;
            case AccessType::Single: {
                // The stored double must be a 32-bit value widened, and the
                // same 32-bit value mdb-export prints.
                const double value = ours.toDouble();
                same = storage == QStringLiteral("real") && static_cast<double>(static_cast<float>(value)) == value &&
                       static_cast<float>(value) == expected.toFloat();
                break;
            }
            case AccessType::Double:
                same = storage == QStringLiteral("real") && std::fabs(ours.toDouble() - expected.toDouble()) <=
                                                                1e-12 * std::max(1.0, std::fabs(ours.toDouble()));
                break;
            case AccessType::Currency:
                same = storage == QStringLiteral("real") && QString::number(ours.toDouble(), 'f', 4) == expected;
                break;
            case AccessType::DateTime:
            case AccessType::Text:
            case AccessType::Memo:
                same = storage == QStringLiteral("text") &&
                       ours.toString().replace(QChar::ReplacementCharacter, QLatin1Char('?')) == expected;
                break;
            case AccessType::OleObject:
                same = storage == QStringLiteral("blob");
                break;
            default:
                return QStringLiteral("no comparison for the type of ") + where;
            }
            if (!same)
                return where;
        }
        ++row;
    }
    if (row != records.size())
        return QStringLiteral("%1 rows copied, mdb-export prints %2").arg(row).arg(records.size());
    if (row != definition->rowCount)
        return QStringLiteral("%1 rows copied, the table definition says %2").arg(row).arg(definition->rowCount);
    *rowCount = row;
    return {};
}

// A file that passes for an Access file by its signature: enough for the
// steps around the conversion tool.
QByteArray accessLookalike(char jetByte = 0)
{
    QByteArray bytes(4096, 'x');
    bytes.replace(4, 15, "Standard Jet DB");
    bytes[0x14] = jetByte;
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return !executable || file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Access's own wrapper around an OLE 1 embedded object.
QByteArray accessOleValue(const QByteArray& oleClass, const QByteArray& native)
{
    const QByteArray name = oleClass + '\0';
    const QByteArray className = oleClass + '\0';
    QByteArray header;
    auto u16 = [](QByteArray& b, quint16 v) { b.append(reinterpret_cast<const char*>(&v), 2); };
    auto u32 = [](QByteArray& b, quint32 v) { b.append(reinterpret_cast<const char*>(&v), 4); };
    const quint16 size = static_cast<quint16>(20 + name.size() + className.size());
    u16(header, 0x1C15);
    u16(header, size);
    u32(header, 2);
    u16(header, static_cast<quint16>(name.size()));
    u16(header, static_cast<quint16>(className.size()));
    u16(header, 20);
    u16(header, static_cast<quint16>(20 + name.size()));
    u32(header, 0xFFFFFFFF);
    header += name + className;
    QByteArray ole;
    u32(ole, 0x0501);
    u32(ole, 2);
    u32(ole, static_cast<quint32>(className.size()));
    ole += className;
    u32(ole, 0);
    u32(ole, 0);
    u32(ole, static_cast<quint32>(native.size()));
    ole += native;
    ole += QByteArray("\x01\x05\x00\x00\x00\x00\x00\x00", 8);
    return header + ole;
}

QByteArray packagerData(const QByteArray& fileName, const QByteArray& contents)
{
    QByteArray data;
    auto u16 = [&](quint16 v) { data.append(reinterpret_cast<const char*>(&v), 2); };
    auto u32 = [&](quint32 v) { data.append(reinterpret_cast<const char*>(&v), 4); };
    const QByteArray temporary = "C:\\TEMP\\" + fileName + '\0';
    u16(2);
    data += fileName + '\0';
    data += "C:\\pictures\\" + fileName + '\0';
    u16(0);
    u16(3);
    u32(static_cast<quint32>(temporary.size()));
    data += temporary;
    u32(static_cast<quint32>(contents.size()));
    data += contents;
    return data;
}

QByteArray imageFile(const char* format)
{
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

class TestAccessImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void tablesMatchMdbExport_data();
    void tablesMatchMdbExport();
    void codePageOverrideMatchesMdbtools();
    void picturesAreImages_data();
    void picturesAreImages();
    void numericTypesKeepTheirValues();
    void singleKeepsItsFloat();
    void datesAsIsoText_data();
    void datesAsIsoText();
    void oleValuesUnwrap_data();
    void oleValuesUnwrap();

    void newFileAppearsWholeAndIsNeverReplaced_data();
    void newFileAppearsWholeAndIsNeverReplaced();
    void notAPumpDatabaseIsRefused_data();
    void notAPumpDatabaseIsRefused();
    void damagedFileGivesClearError_data();
    void damagedFileGivesClearError();
    void damagedBytesAreReadSafely_data();
    void damagedBytesAreReadSafely();
    void missingProgramTablesAreNamed_data();
    void missingProgramTablesAreNamed();
    void pumpViewIsRecreated();
    void namesFromTheFileStayNames();

    void accessFileIsRefusedByOtherCommands();
    void conversionKeepsOriginalWhenRefused_data();
    void conversionKeepsOriginalWhenRefused();
    void conversionRenamesOriginalWhenDone();
    void conversionSurvivesCrashingTool();
    void keptNameIsNumbered();

private:
    QString converted(const QString& sample) const { return m_workDir.filePath(sample + QStringLiteral(".sqlite")); }

    QTemporaryDir m_workDir;
    QHash<QString, AccessImportSummary> m_summaries;
};

void TestAccessImport::initTestCase()
{
    QVERIFY(m_workDir.isValid());
    // Each sample there is converted once, through the reading that does not
    // look for the program's tables; the tests below read the copies.
    for (const QString& sample : {kNorthwind, kJackcess}) {
        if (!QFileInfo::exists(samplePath(sample)))
            continue;
        ScopedDatabase target(converted(sample));
        const auto summary = copyAccessFile(samplePath(sample), target.db());
        QVERIFY2(summary, qPrintable(summary ? QString() : summary.error()));
        m_summaries.insert(sample, summary.value());
    }
}

void TestAccessImport::tablesMatchMdbExport_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("table");
    for (const char* table :
         {"Categories", "Customers", "Employees", "Order Details", "Orders", "Products", "Shippers", "Suppliers"})
        QTest::addRow("nwind %s", table) << QStringLiteral("nwind.mdb") << QString::fromLatin1(table);
    for (const char* table : {"Table1", "Table2", "Table3", "Table4"})
        QTest::addRow("testV1997 %s", table) << QStringLiteral("testV1997.mdb") << QString::fromLatin1(table);
}

// Every cell against what mdbtools' own exporter prints, with the number and
// date formats brought together and the SQLite storage class checked.
void TestAccessImport::tablesMatchMdbExport()
{
    QFETCH(QString, sample);
    QFETCH(QString, table);
    NEED_SAMPLE(sample);
    NEED_MDB_EXPORT();
    qint64 rows = -1;
    const QString mismatch = mismatchWithMdbExport(samplePath(sample), table, converted(sample), QString(), &rows);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    bool counted = false;
    for (const ImportedTable& imported : m_summaries.value(sample).tables) {
        if (imported.name == table) {
            QCOMPARE(imported.rows, rows);
            counted = true;
        }
    }
    QVERIFY(counted);
}

// Read as if it were a Chinese file, the texts decode as mdbtools decodes
// them with the same code page (an undefined byte is "?" there).
void TestAccessImport::codePageOverrideMatchesMdbtools()
{
    NEED_SAMPLE(kNorthwind);
    NEED_MDB_EXPORT();
    const QString path = m_workDir.filePath(QStringLiteral("nwind-936.sqlite"));
    AccessImportSummary summary;
    {
        ScopedDatabase target(path);
        const auto copied = copyAccessFile(samplePath(QStringLiteral("nwind.mdb")), target.db(), QStringLiteral("936"));
        QVERIFY(copied);
        summary = copied.value();
    }
    QCOMPARE(summary.textEncoding, QStringLiteral("CP936"));
    QVERIFY(summary.notes.undecodableCharacters > 0);
    for (const QString& table :
         {QStringLiteral("Customers"), QStringLiteral("Employees"), QStringLiteral("Suppliers")}) {
        qint64 rows = -1;
        const QString mismatch =
            mismatchWithMdbExport(samplePath(QStringLiteral("nwind.mdb")), table, path, QStringLiteral("CP936"), &rows);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    ScopedDatabase copy(path);
    QSqlQuery query(copy.db());
    QVERIFY(query.exec(QStringLiteral("SELECT City FROM Customers WHERE CustomerID = 'ANATR'")) && query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("M閤ico D.F."));
}

void TestAccessImport::picturesAreImages_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("heights");
    QTest::newRow("Categories pictures") << QStringLiteral("Categories") << QStringLiteral("Picture") << 8 << 172
                                         << QList<int>{120};
    QTest::newRow("Employees photos") << QStringLiteral("Employees") << QStringLiteral("Photo") << 9 << 192
                                      << QList<int>{223, 224};
}

// The Paint bitmaps inside Access's OLE wrapper come out as BMP files that
// load, cut at the bitmap's own size, and are the bytes the file holds.
void TestAccessImport::picturesAreImages()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(int, count);
    QFETCH(int, width);
    QFETCH(QList<int>, heights);
    NEED_SAMPLE(kNorthwind);
    const QString mdbExport = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    if (mdbExport.isEmpty())
        QSKIP("mdb-export is not installed");

    const Run hex =
        run(mdbExport, {QStringLiteral("-b"), QStringLiteral("hex"), samplePath(QStringLiteral("nwind.mdb")), table});
    const QByteArray rawValues = hex.outBytes;

    ScopedDatabase copy(converted(QStringLiteral("nwind.mdb")));
    QSqlQuery query(copy.db());
    QVERIFY(query.exec(QStringLiteral("SELECT \"%1\" FROM \"%2\" ORDER BY rowid").arg(column, table)));
    int pictures = 0;
    while (query.next()) {
        const QByteArray bytes = query.value(0).toByteArray();
        QCOMPARE(imageFormatOf(bytes), QStringLiteral("BMP"));
        QCOMPARE(static_cast<qsizetype>(qFromLittleEndian<quint32>(bytes.constData() + 2)), bytes.size());
        const QImage image = QImage::fromData(bytes, "BMP");
        QVERIFY(!image.isNull());
        QCOMPARE(image.width(), width);
        QVERIFY2(heights.contains(image.height()), qPrintable(QString::number(image.height())));
        QVERIFY(rawValues.contains(bytes.toHex().toUpper()));
        ++pictures;
    }
    QCOMPARE(pictures, count);
    for (const ImportedTable& imported : m_summaries.value(QStringLiteral("nwind.mdb")).tables) {
        if (imported.name == table) {
            QCOMPARE(imported.pictures, count);
            QCOMPARE(imported.otherObjects, 0);
        }
    }
}

// Every fixed-size type of the Jet 3 test file, by storage class and value,
// and the declared types the copy is created with.
void TestAccessImport::numericTypesKeepTheirValues()
{
    NEED_SAMPLE(kJackcess);
    ScopedDatabase copy(converted(QStringLiteral("testV1997.mdb")));
    QSqlQuery query(copy.db());

    QVERIFY(query.exec(QStringLiteral("PRAGMA table_info(\"Table1\")")));
    QStringList declared;
    while (query.next())
        declared.append(query.value(2).toString());
    QCOMPARE(declared,
             (QStringList{QStringLiteral("VARCHAR(50)"), QStringLiteral("VARCHAR(100)"), QStringLiteral("TINYINT"),
                          QStringLiteral("SMALLINT"), QStringLiteral("INTEGER"), QStringLiteral("DOUBLE"),
                          QStringLiteral("DATETIME"), QStringLiteral("REAL"), QStringLiteral("BOOLEAN")}));

    QVERIFY(query.exec(QStringLiteral(
        "SELECT typeof(A)||typeof(B)||typeof(C)||typeof(D)||typeof(E)||typeof(F)||typeof(G)||typeof(H)||typeof(I), "
        "A, B, C, D, E, F, G, H, I FROM Table1 ORDER BY rowid")));
    const QString storage = QStringLiteral("texttextintegerintegerintegerrealtextrealinteger");
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), storage);
    QCOMPARE(query.value(1).toString(), QStringLiteral("a"));
    QCOMPARE(query.value(2).toString(), QStringLiteral("b"));
    for (int c = 3; c <= 6; ++c)
        QCOMPARE(query.value(c).toLongLong(), 0LL);
    QCOMPARE(query.value(7).toString(), QStringLiteral("1981-12-12 00:00:00"));
    QCOMPARE(query.value(8).toDouble(), 0.0);
    QCOMPARE(query.value(9).toLongLong(), 0LL);
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), storage);
    QCOMPARE(query.value(1).toString(), QStringLiteral("abcdefg"));
    QCOMPARE(query.value(2).toString(), QStringLiteral("hijklmnop"));
    QCOMPARE(query.value(3).toLongLong(), 2LL);
    QCOMPARE(query.value(4).toLongLong(), 222LL);
    QCOMPARE(query.value(5).toLongLong(), 333333333LL);
    QCOMPARE(query.value(6).toDouble(), 444.555);
    QCOMPARE(query.value(7).toString(), QStringLiteral("1974-09-21 00:00:00"));
    QCOMPARE(query.value(8).toDouble(), 3.5);
    QCOMPARE(query.value(9).toLongLong(), 1LL);
    QVERIFY(!query.next());

    // The wide and the empty tables come over with every column and no rows.
    QVERIFY(query.exec(QStringLiteral("SELECT count(*) FROM pragma_table_info('Table2')")) && query.next());
    QCOMPARE(query.value(0).toInt(), 89);
    for (const char* table : {"Table2", "Table3", "Table4"}) {
        QVERIFY(query.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(QString::fromLatin1(table))) &&
                query.next());
        QCOMPARE(query.value(0).toInt(), 0);
    }
    QVERIFY(query.exec(QStringLiteral("SELECT type FROM pragma_table_info('Table4') WHERE name = 'data'")) &&
            query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("CHAR(38)"));
}

// A Single read back as float is the stored 32-bit value itself.
void TestAccessImport::singleKeepsItsFloat()
{
    NEED_SAMPLE(kNorthwind);
    ScopedDatabase nwind(converted(QStringLiteral("nwind.mdb")));
    QSqlQuery discount(nwind.db());
    QVERIFY(discount.exec(
        QStringLiteral("SELECT Discount FROM \"Order Details\" WHERE OrderID = 10250 AND ProductID = 51")));
    QVERIFY(discount.next());
    QCOMPARE(discount.value(0).toDouble(), static_cast<double>(0.15f));
}

void TestAccessImport::datesAsIsoText_data()
{
    QTest::addColumn<double>("days");
    QTest::addColumn<QString>("text");
    QTest::newRow("day zero") << 0.0 << QStringLiteral("1899-12-30 00:00:00");
    QTest::newRow("noon") << 36526.5 << QStringLiteral("2000-01-01 12:00:00");
    QTest::newRow("before day zero keeps the time forward") << -1.25 << QStringLiteral("1899-12-29 06:00:00");
    QTest::newRow("a hair below midnight rounds up") << 36526.9999999999 << QStringLiteral("2000-01-02 00:00:00");
    QTest::newRow("first Access day") << -657434.0 << QStringLiteral("0100-01-01 00:00:00");
    QTest::newRow("last Access day") << 2958465.75 << QStringLiteral("9999-12-31 18:00:00");
    QTest::newRow("past the range") << 2958466.0 << QString();
    QTest::newRow("not a number") << std::nan("") << QString();
}

void TestAccessImport::datesAsIsoText()
{
    QFETCH(double, days);
    QFETCH(QString, text);
    QCOMPARE(accessDateText(days), text);
}

void TestAccessImport::oleValuesUnwrap_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("isPicture");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray png = imageFile("PNG");
    const QByteArray bmp = imageFile("BMP");
    const QByteArray word = QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, 'w');
    QTest::newRow("raw png") << png << true << QStringLiteral("PNG") << png;
    QTest::newRow("package holding a png")
        << accessOleValue("Package", packagerData("pump.png", png)) << true << QStringLiteral("PNG") << png;
    QTest::newRow("paint bitmap cut at its size")
        << accessOleValue("PBrush", bmp + QByteArray(8, '\0')) << true << QStringLiteral("BMP") << bmp;
    const QByteArray document = accessOleValue("Word.Document.8", word);
    QTest::newRow("word document kept") << document << false << QString() << document;
    const QByteArray text = accessOleValue("Package", packagerData("notes.txt", "a note"));
    QTest::newRow("package holding text kept") << text << false << QString() << text;
    const QByteArray cut = accessOleValue("PBrush", bmp).left(60);
    QTest::newRow("cut-off wrapper kept") << cut << false << QString() << cut;
    const QByteArray lying = accessOleValue("PBrush", QByteArray("BM\xFF\xFF\xFF\x7F", 6) + QByteArray(40, '\0'));
    QTest::newRow("bitmap signature without a bitmap header") << lying << false << QString() << lying;
}

void TestAccessImport::oleValuesUnwrap()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, isPicture);
    QFETCH(QString, format);
    QFETCH(QByteArray, expected);
    const OleContent content = unwrapOleObject(value);
    QCOMPARE(content.isPicture, isPicture);
    QCOMPARE(content.imageFormat, format);
    QCOMPARE(content.bytes, expected);
    if (isPicture)
        QVERIFY(!QImage::fromData(content.bytes).isNull());
}

void TestAccessImport::newFileAppearsWholeAndIsNeverReplaced_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("tables");
    QTest::addColumn<int>("pictures");
    QTest::addColumn<QString>("tableLine");
    QTest::addColumn<QString>("otherSample"); // converted second onto the same target
    QTest::newRow("nwind") << kNorthwind << 8 << 17 << QStringLiteral("表“Employees”：9 行，9 幅图片") << kJackcess;
    QTest::newRow("testV1997") << kJackcess << 4 << 0 << QStringLiteral("表“Table1”：2 行\n") << kJackcess;
}

// Without the check for the program's tables the conversion writes the
// whole file under its name and nothing else; a second one never replaces it.
void TestAccessImport::newFileAppearsWholeAndIsNeverReplaced()
{
    QFETCH(QString, sample);
    QFETCH(int, tables);
    QFETCH(int, pictures);
    QFETCH(QString, tableLine);
    QFETCH(QString, otherSample);
    NEED_SAMPLE(sample);
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("copy.db"));
    AccessImportOptions options;
    options.requireProgramTables = false;
    const auto summary = importAccessDatabase(samplePath(sample), target, options);
    QVERIFY2(summary, qPrintable(summary ? QString() : summary.error()));
    QCOMPARE(folderEntries(out.path()), QStringList{QStringLiteral("copy.db")});
    QCOMPARE(summary->tables.size(), tables);
    QCOMPARE(summary->pictures(), pictures);
    QVERIFY(!summary->pumpViewCreated);
    const QString text = summaryText(summary.value());
    QVERIFY2(text.contains(tableLine), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("共 %1 张表，%2 行，%3 幅图片").arg(tables).arg(summary->rows()).arg(pictures)),
             qPrintable(text));
    {
        ScopedDatabase copy(target);
        QCOMPARE(copy.db().tables().size(), tables);
    }

    const QByteArray hash = sha256(target);
    const auto again = importAccessDatabase(samplePath(otherSample), target, options);
    QVERIFY(!again);
    QVERIFY2(again.error().contains(QStringLiteral("已存在")), qPrintable(again.error()));
    QCOMPARE(sha256(target), hash);
    QCOMPARE(folderEntries(out.path()), QStringList{QStringLiteral("copy.db")});
}

void TestAccessImport::notAPumpDatabaseIsRefused_data()
{
    QTest::addColumn<QString>("sample");
    QTest::newRow("nwind") << kNorthwind;
    QTest::newRow("testV1997") << kJackcess;
}

// Neither sample holds the program's tables: the command names each missing
// one and leaves nothing behind.
void TestAccessImport::notAPumpDatabaseIsRefused()
{
    QFETCH(QString, sample);
    NEED_SAMPLE(sample);
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("converted.db"));
    const Run result = cli({QStringLiteral("import-mdb"), samplePath(sample), QStringLiteral("--db"), target});
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 2);
    for (const QString& table : {names::pumpTable(), names::pointTable(), names::schematicTable(),
                                 names::companyTable(), names::allResultsTable(), names::latestResultsTable()})
        QVERIFY2(result.err.contains(QStringLiteral("缺少表“%1”").arg(table)), qPrintable(result.err));
    QVERIFY(result.err.contains(QStringLiteral("未写入任何文件")));
    QCOMPARE(folderEntries(out.path()), QStringList());
}

void TestAccessImport::damagedFileGivesClearError_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<qint64>("keepBytes");  // truncate to this many bytes, or -1
    QTest::addColumn<int>("scrambledPage"); // invert every byte of this 2 KB page, or -1
    QTest::addColumn<QString>("message");
    const QString damaged = QStringLiteral("已损坏");
    const QString cut = QStringLiteral("不完整");
    const QString notAccess = QStringLiteral("不是 Access 数据库");
    QTest::newRow("nwind cut inside a page") << kNorthwind << qint64(774244) << -1 << cut;
    QTest::newRow("nwind cut at a page boundary") << kNorthwind << qint64(300 * 2048) << -1 << damaged;
    QTest::newRow("nwind only the first pages") << kNorthwind << qint64(20 * 2048) << -1 << damaged;
    QTest::newRow("nwind header scrambled") << kNorthwind << qint64(-1) << 0 << notAccess;
    QTest::newRow("nwind system catalogue scrambled") << kNorthwind << qint64(-1) << 2 << damaged;
    // Pages of "Order Details" in this file: its definition, and a page of rows.
    QTest::newRow("nwind table definition scrambled") << kNorthwind << qint64(-1) << 415 << damaged;
    QTest::newRow("nwind data page scrambled") << kNorthwind << qint64(-1) << 420 << damaged;
    QTest::newRow("testV1997 cut inside a page") << kJackcess << qint64(50000) << -1 << cut;
    QTest::newRow("testV1997 only the first pages") << kJackcess << qint64(20 * 2048) << -1 << damaged;
    QTest::newRow("testV1997 header scrambled") << kJackcess << qint64(-1) << 0 << notAccess;
    QTest::newRow("testV1997 system catalogue scrambled") << kJackcess << qint64(-1) << 2 << damaged;
    // Pages of "Table1" in this file: its definition, and the page of its two rows.
    QTest::newRow("testV1997 table definition scrambled") << kJackcess << qint64(-1) << 29 << damaged;
    QTest::newRow("testV1997 data page scrambled") << kJackcess << qint64(-1) << 31 << damaged;
}

// Run through the real command in a child process, so that a crash of the
// reader would show as one instead of taking the test down.
void TestAccessImport::damagedFileGivesClearError()
{
    QFETCH(QString, sample);
    QFETCH(qint64, keepBytes);
    QFETCH(int, scrambledPage);
    QFETCH(QString, message);
    NEED_SAMPLE(sample);
    QFile original(samplePath(sample));
    QVERIFY(original.open(QIODevice::ReadOnly));
    QByteArray bytes = original.readAll();
    if (keepBytes >= 0)
        bytes.truncate(keepBytes);
    if (scrambledPage >= 0) {
        for (qsizetype i = scrambledPage * 2048; i < (scrambledPage + 1) * 2048; ++i)
            bytes[i] = static_cast<char>(~bytes[i]);
    }
    QTemporaryDir in;
    QTemporaryDir out;
    const QString damagedFile = in.filePath(QStringLiteral("damaged.mdb"));
    QVERIFY(writeFile(damagedFile, bytes));

    const Run result = cli({QStringLiteral("import-mdb"), damagedFile, QStringLiteral("--db"),
                            out.filePath(QStringLiteral("converted.db"))});
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY2(result.out.isEmpty(), qPrintable(result.out));
    QCOMPARE(folderEntries(out.path()), QStringList());
}

// Damage found by fuzzing the reader: a few bytes of a sample changed. The
// command must finish promptly with its own message, whatever libmdb would
// have made of the bytes.
void TestAccessImport::damagedBytesAreReadSafely_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QByteArray>("bytes"); // written over the sample at offset
    QTest::addColumn<QString>("message");
    const QString notOurs = QStringLiteral("缺少表");
    const QString damaged = QStringLiteral("已损坏");
    // libmdb's property parser loops forever on a record of length 0; the
    // properties are not needed and not parsed.
    QTest::newRow("table property record of length 0")
        << kJackcess << qint64(94769) << QByteArray::fromHex("000000000000000c") << notOurs;
    // The system table's usage map pointing at a row its page does not have:
    // libmdb keeps no map and then reads through a null pointer.
    QTest::newRow("usage map of the system table missing")
        << kNorthwind << qint64(2 * 2048 + 0x23) << QByteArray::fromHex("f3") << damaged;
}

void TestAccessImport::damagedBytesAreReadSafely()
{
    QFETCH(QString, sample);
    QFETCH(qint64, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    NEED_SAMPLE(sample);
    QFile original(samplePath(sample));
    QVERIFY(original.open(QIODevice::ReadOnly));
    QByteArray data = original.readAll();
    QVERIFY(offset + bytes.size() <= data.size());
    data.replace(offset, bytes.size(), bytes);
    QTemporaryDir in;
    QTemporaryDir out;
    const QString damagedFile = in.filePath(QStringLiteral("damaged.mdb"));
    QVERIFY(writeFile(damagedFile, data));

    const Run result = cli({QStringLiteral("import-mdb"), damagedFile, QStringLiteral("--db"),
                            out.filePath(QStringLiteral("converted.db"))},
                           30000);
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(folderEntries(out.path()), QStringList());
}

void TestAccessImport::missingProgramTablesAreNamed_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QStringList>("missing");
    QTest::newRow("complete") << QStringList() << QStringList();
    QTest::newRow("no points table") << QStringList{QStringLiteral("DROP TABLE \"流扬功\"")}
                                     << QStringList{QStringLiteral("缺少表“流扬功”")};
    QTest::newRow("company without its picture")
        << QStringList{QStringLiteral("ALTER TABLE \"公司资料\" DROP COLUMN \"公司图片\"")}
        << QStringList{QStringLiteral("表“公司资料”缺少字段“公司图片”")};
    QTest::newRow("pump table without two data-sheet fields")
        << QStringList{QStringLiteral("DROP VIEW \"水泵查询\""),
                       QStringLiteral("ALTER TABLE \"水泵性能表\" DROP COLUMN \"重量\""),
                       QStringLiteral("ALTER TABLE \"水泵性能表\" DROP COLUMN \"设备安装尺寸\"")}
        << QStringList{QStringLiteral("表“水泵性能表”缺少字段“重量”、“设备安装尺寸”")};
    QTest::newRow("latest results without the time and both schematics gone")
        << QStringList{QStringLiteral("ALTER TABLE \"水泵选型结果1\" DROP COLUMN \"计算时间\""),
                       QStringLiteral("DROP TABLE \"设备安装示意图\"")}
        << QStringList{QStringLiteral("缺少表“设备安装示意图”"), QStringLiteral("表“水泵选型结果1”缺少字段“计算时间”")};
}

void TestAccessImport::missingProgramTablesAreNamed()
{
    QFETCH(QStringList, statements);
    QFETCH(QStringList, missing);
    tarnwick::testing::TestProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    for (const QString& statement : statements)
        QVERIFY2(folder.exec(statement), qPrintable(statement));
    ScopedDatabase database(folder.databasePath());
    QCOMPARE(missingProgramTables(database.db()), missing);
}

// The view built over an imported pump table gives the rows the program's
// own view gives, and the catalogue opens on it.
void TestAccessImport::pumpViewIsRecreated()
{
    using tarnwick::testing::demoPump;
    tarnwick::testing::TestProgramFolder folder({demoPump(3, QStringLiteral("P3"), 50, 20),
                                                 demoPump(1, QStringLiteral("P1"), 80, 32, 1450),
                                                 demoPump(2, QStringLiteral("P2"), 20, 12)});
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    auto readView = [&] {
        ScopedDatabase database(folder.databasePath());
        QSqlQuery query(database.db());
        QList<QVariantList> rows;
        if (!query.exec(QStringLiteral("SELECT * FROM \"水泵查询\"")))
            return rows;
        while (query.next()) {
            QVariantList row;
            for (int c = 0; c < query.record().count(); ++c)
                row.append(query.value(c));
            rows.append(row);
        }
        return rows;
    };
    const QList<QVariantList> before = readView();
    QCOMPARE(before.size(), 3);
    QVERIFY(folder.exec(QStringLiteral("DROP VIEW \"水泵查询\"")));
    QVERIFY(folder.exec(QStringLiteral("DROP INDEX \"流扬功_序号\"")));
    {
        ScopedDatabase database(folder.databasePath());
        QString error;
        QVERIFY2(createPumpView(database.db(), &error), qPrintable(error));
    }
    QCOMPARE(readView(), before);
    auto catalogue = tarnwick::store::PumpCatalogue::openFile(folder.databasePath());
    QVERIFY2(catalogue, qPrintable(catalogue ? QString() : catalogue.error()));
    QCOMPARE(catalogue.value()->viewRows.recordCount(), 3);
}

// Where the tools expect the program's database, an Access file is named as
// such and nothing is changed.
void TestAccessImport::accessFileIsRefusedByOtherCommands()
{
    NEED_SAMPLE(kJackcess);
    QTemporaryDir folder;
    const QString database = folder.filePath(names::databaseFileName());
    QVERIFY(QFile::copy(samplePath(kJackcess), database));
    const QByteArray hash = sha256(database);
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("results")},
          QStringList{QStringLiteral("export-catalogue"), folder.filePath(QStringLiteral("p.csv")),
                      folder.filePath(QStringLiteral("q.csv"))}}) {
        const Run result = cli(arguments + QStringList{QStringLiteral("--db"), database});
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(QStringLiteral("是 Access 格式")), qPrintable(result.err));
    }
    QCOMPARE(sha256(database), hash);
    QCOMPARE(folderEntries(folder.path()), QStringList{names::databaseFileName()});
}

void TestAccessImport::conversionKeepsOriginalWhenRefused_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<qint64>("keepBytes");
    QTest::addColumn<QString>("reason");
    for (const QString& sample : {kNorthwind, kJackcess}) {
        QTest::addRow("%s not a pump database", qPrintable(sample))
            << sample << qint64(-1) << QStringLiteral("缺少表“水泵性能表”");
        QTest::addRow("%s truncated", qPrintable(sample)) << sample << qint64(20 * 2048) << QStringLiteral("已损坏");
    }
}

void TestAccessImport::conversionKeepsOriginalWhenRefused()
{
    QFETCH(QString, sample);
    QFETCH(qint64, keepBytes);
    QFETCH(QString, reason);
    NEED_SAMPLE(sample);
    QTemporaryDir folder;
    const QString database = folder.filePath(names::databaseFileName());
    QVERIFY(QFile::copy(samplePath(sample), database));
    if (keepBytes >= 0)
        QVERIFY(QFile::resize(database, keepBytes));
    const QByteArray hash = sha256(database);
    QVERIFY(programFolderHoldsAccessFile(folder.path()));

    const AccessConversion conversion = convertProgramFolderDatabase(folder.path(), QStringLiteral(TARNWICK_CLI_PATH));
    QCOMPARE(conversion.outcome, AccessConversion::Outcome::Failed);
    QVERIFY2(conversion.message.contains(reason), qPrintable(conversion.message));
    QVERIFY(conversion.message.contains(QStringLiteral("原文件没有改动")));
    QCOMPARE(sha256(database), hash);
    QCOMPARE(folderEntries(folder.path()), QStringList{names::databaseFileName()});
}

// The success path with a stand-in for the tool that writes a finished
// database where it is told to.
void TestAccessImport::conversionRenamesOriginalWhenDone()
{
    QTemporaryDir folder;
    const QString database = folder.filePath(names::databaseFileName());
    const QByteArray access = accessLookalike();
    QVERIFY(writeFile(database, access));
    tarnwick::testing::TestProgramFolder finished;
    QVERIFY(finished.isValid());
    QTemporaryDir tools;
    const QString tool = tools.filePath(QStringLiteral("fake-cli"));
    QVERIFY(writeFile(tool,
                      "#!/bin/sh\n[ \"$1\" = import-mdb ] && [ \"$3\" = --db ] || exit 3\ncp '" +
                          QFile::encodeName(finished.databasePath()) + "' \"$4\" && echo done\n",
                      true));

    const AccessConversion conversion = convertProgramFolderDatabase(folder.path(), tool);
    QCOMPARE(conversion.outcome, AccessConversion::Outcome::Converted);
    const QString kept = folder.filePath(QStringLiteral("水泵数据库97-access97.mdb"));
    QCOMPARE(conversion.keptOriginal, kept);
    QCOMPARE(sha256(kept), QCryptographicHash::hash(access, QCryptographicHash::Sha256));
    QVERIFY(conversion.message.contains(QStringLiteral("水泵数据库97-access97.mdb")));
    QVERIFY(conversion.details.contains(QStringLiteral("done")));
    QVERIFY(!programFolderHoldsAccessFile(folder.path()));
    QVERIFY(tarnwick::store::PumpCatalogue::open(folder.path()));
}

void TestAccessImport::conversionSurvivesCrashingTool()
{
    QTemporaryDir folder;
    const QString database = folder.filePath(names::databaseFileName());
    const QByteArray access = accessLookalike();
    QVERIFY(writeFile(database, access));
    QTemporaryDir tools;
    const QString tool = tools.filePath(QStringLiteral("crashing-cli"));
    // Leaves a half-written file under the target's name, then dies.
    QVERIFY(writeFile(tool, "#!/bin/sh\necho partial > \"$4\"\nkill -SEGV $$\n", true));

    const AccessConversion conversion = convertProgramFolderDatabase(folder.path(), tool);
    QCOMPARE(conversion.outcome, AccessConversion::Outcome::Failed);
    QVERIFY2(conversion.message.contains(QStringLiteral("异常终止")), qPrintable(conversion.message));
    QCOMPARE(sha256(database), QCryptographicHash::hash(access, QCryptographicHash::Sha256));
    QCOMPARE(folderEntries(folder.path()), QStringList{names::databaseFileName()});

    const AccessConversion missingTool =
        convertProgramFolderDatabase(folder.path(), tools.filePath(QStringLiteral("no-such-tool")));
    QCOMPARE(missingTool.outcome, AccessConversion::Outcome::Failed);
    QCOMPARE(sha256(database), QCryptographicHash::hash(access, QCryptographicHash::Sha256));
}

void TestAccessImport::keptNameIsNumbered()
{
    QTemporaryDir folder;
    const QString database = folder.filePath(names::databaseFileName());
    QVERIFY(writeFile(database, accessLookalike(1)));
    QCOMPARE(keptOriginalPath(database), folder.filePath(QStringLiteral("水泵数据库97-access2000.mdb")));
    for (const char* taken : {"水泵数据库97-access2000.mdb", "水泵数据库97-access2000-2.mdb"})
        QVERIFY(writeFile(folder.filePath(QString::fromUtf8(taken)), QByteArray()));
    QCOMPARE(keptOriginalPath(database), folder.filePath(QStringLiteral("水泵数据库97-access2000-3.mdb")));
}

// Table and field names come from the file and go into the statements that
// build the copy: one with a double quote, a semicolon and a "%1" lands
// under exactly that name, with its rows, and reads back in the summary.
void TestAccessImport::namesFromTheFileStayNames()
{
    NEED_SAMPLE(kJackcess);
    QFile sample(samplePath(kJackcess));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QByteArray bytes = sample.readAll();
    // Renamed in place, with names of the same length, so that the file keeps
    // its layout: the table in the catalogue and wherever else it is named,
    // one column in the table definition (its length byte first).
    const QByteArray table("T\"%1;x");
    const QByteArray column("c\"ol;umn");
    const QByteArray oldColumn = QByteArray("column12").prepend('\x08');
    QCOMPARE(bytes.count("Table1"), 8);
    QCOMPARE(bytes.count(oldColumn), 2);
    bytes.replace("Table1", table);
    bytes.replace(oldColumn, QByteArray(column).prepend('\x08'));
    QTemporaryDir dir;
    const QString patched = dir.filePath(QStringLiteral("names.mdb"));
    QVERIFY(writeFile(patched, bytes));

    ScopedDatabase target(dir.filePath(QStringLiteral("names.sqlite")));
    const auto summary = copyAccessFile(patched, target.db());
    QVERIFY2(summary, qPrintable(summary ? QString() : summary.error()));
    const QString tableName = QString::fromLatin1(table);
    const QString columnName = QString::fromLatin1(column);
    QCOMPARE(target.db().tables(),
             (QStringList{tableName, QStringLiteral("Table2"), QStringLiteral("Table3"), QStringLiteral("Table4")}));
    QSqlQuery query(target.db());
    QVERIFY(query.exec(
        QStringLiteral("SELECT \"A\", \"E\" FROM %1 ORDER BY rowid").arg(tarnwick::store::quotedName(tableName))));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("a"));
    QVERIFY(query.next());
    QCOMPARE(query.value(1).toLongLong(), 333333333);
    QVERIFY(!query.next());
    const QSqlRecord wide = target.db().record(QStringLiteral("Table2"));
    QCOMPARE(wide.count(), 89);
    QCOMPARE(wide.fieldName(11), columnName);

    const QString text = summaryText(summary.value());
    QVERIFY2(text.contains(QStringLiteral("表“%1”：2 行").arg(tableName)), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestAccessImport)
#include "tst_accessimport.moc"
