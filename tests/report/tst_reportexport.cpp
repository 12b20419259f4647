#include "report/reportexport.h"
#include "tests/report/reportfixtures.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace tarnwick;
using namespace tarnwick::testing;
using report::ResultReport;
using report::ResultTable;

namespace {

const QString kLatest = store::names::latestResultsTable();

QString collapsed(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

// RFC 4180 fields of one CSV text, record by record.
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record.append(field);
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

struct Cell
{
    QString type; // "s" shared, "inlineStr", "str" or empty for a number
    QString text;
};

// The cells of the first worksheet by reference ("A1"), shared strings resolved.
std::optional<QHash<QString, Cell>> xlsxCells(const QString& path)
{
    const auto sheet =
        toolOutput(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("xl/worksheets/sheet1.xml")});
    if (!sheet)
        return std::nullopt;
    QStringList shared;
    const auto strings =
        toolOutput(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("xl/sharedStrings.xml")});
    if (strings && !strings->isEmpty()) {
        // One string per <si>, possibly in several runs of <t>.
        QXmlStreamReader xml(*strings);
        QString current;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QStringLiteral("si"))
                current.clear();
            else if (xml.isStartElement() && xml.name() == QStringLiteral("t"))
                current += xml.readElementText();
            else if (xml.isEndElement() && xml.name() == QStringLiteral("si"))
                shared.append(current);
        }
    }
    QHash<QString, Cell> cells;
    QXmlStreamReader xml(*sheet);
    QString ref;
    Cell cell;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("c")) {
            ref = xml.attributes().value(QStringLiteral("r")).toString();
            cell = Cell{xml.attributes().value(QStringLiteral("t")).toString(), QString()};
        } else if (xml.isStartElement() && (xml.name() == QStringLiteral("v") || xml.name() == QStringLiteral("t"))) {
            cell.text += xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == QStringLiteral("c")) {
            if (cell.type == QStringLiteral("s"))
                cell.text = shared.value(cell.text.toInt());
            cells.insert(ref, cell);
        }
    }
    return cells;
}

} // namespace

class TestReportExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void formatFromFileName_data();
    void formatFromFileName();
    void pdfHoldsTheReportAsText();
    void pdfOfEmptyTableIsOnePage();
    void pdfPagesOfManyRows();
    void csvReadsBack();
    void xlsxHoldsHeadingsTextsAndNumbers();
    void stoppedExportLeavesTheTargetAlone_data();
    void stoppedExportLeavesTheTargetAlone();
    void unwritableTargetIsAMessage();

private:
    ResultReport reportOf(const QString& table);
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<QTemporaryDir> m_out;
};

void TestReportExport::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(m_folder->isValid());
    m_out = std::make_unique<QTemporaryDir>();
    QVERIFY(m_out->isValid());
}

ResultReport TestReportExport::reportOf(const QString& table)
{
    auto open = openRows(*m_folder, table);
    if (!open->error.isEmpty())
        qFatal("%s", qPrintable(open->error));
    auto rows = ResultTable::fromRows(open->rows);
    if (!rows)
        qFatal("%s", qPrintable(rows.error()));
    return ResultReport(rows.value(), QDate(2024, 5, 1));
}

void TestReportExport::formatFromFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format"); // -1: none
    QTest::newRow("pdf") << QStringLiteral("a/结果.pdf") << int(report::ExportFormat::Pdf);
    QTest::newRow("upper case") << QStringLiteral("R.CSV") << int(report::ExportFormat::Csv);
    QTest::newRow("xlsx") << QStringLiteral("r.xlsx") << int(report::ExportFormat::Xlsx);
    QTest::newRow("old excel") << QStringLiteral("r.xls") << -1;
    QTest::newRow("no suffix") << QStringLiteral("report") << -1;
}

void TestReportExport::formatFromFileName()
{
    QFETCH(QString, name);
    QFETCH(int, format);
    const auto found = report::exportFormatForFileName(name);
    QCOMPARE(found ? int(*found) : -1, format);
}

void TestReportExport::pdfHoldsTheReportAsText()
{
    QVERIFY(insertResult(*m_folder, kLatest, StoredResult{}));
    StoredResult check;
    check.method = QStringLiteral("校核");
    check.model = QStringLiteral("ISG100-160(I)A");
    QVERIFY(insertResult(*m_folder, kLatest, check));
    const ResultReport report = reportOf(kLatest);
    const QString pdf = m_out->filePath(QStringLiteral("结果.pdf"));
    QString error;
    QVERIFY2(report::exportPdf(report, pdf, &error), qPrintable(error));

    const auto text = toolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!text)
        QSKIP("pdftotext is not installed");
    // Searched exactly: the text layer holds the ideographs, not look-alike radicals.
    const QString all = collapsed(*text);
    for (const QString& expected :
         QStringList{QStringLiteral("水泵选型结果报表"), QString(QStringLiteral("打印日期：") + report.printDateText()),
                     QStringLiteral("计算时间"), QStringLiteral("计算方式"), QStringLiteral("系统阻力"),
                     QStringLiteral("静扬程"), QStringLiteral("所选型号"), QStringLiteral("最高效率"),
                     QStringLiteral("实际效率"), QStringLiteral("(m3/h)"), QStringLiteral("IS80-65-160"),
                     QStringLiteral("ISG100-160(I)A"), QStringLiteral("校核"), QStringLiteral("5.1"),
                     QStringLiteral("32.3"), QStringLiteral("第1页 共1页")})
        QVERIFY2(all.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + all));
    QVERIFY(!all.contains(QStringLiteral("5.09999")));

    const auto fonts = toolOutput(QStringLiteral("pdffonts"), {pdf});
    if (fonts) {
        // Every font is embedded ("emb" yes), none replaced by the viewer's.
        const QStringList lines = fonts->split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        QVERIFY(!lines.isEmpty());
        for (const QString& line : lines)
            QVERIFY2(line.contains(QStringLiteral(" yes ")), qPrintable(line));
    }
}

void TestReportExport::pdfOfEmptyTableIsOnePage()
{
    const ResultReport report = reportOf(kLatest);
    const QString pdf = m_out->filePath(QStringLiteral("empty.pdf"));
    QString error;
    QVERIFY2(report::exportPdf(report, pdf, &error), qPrintable(error));
    const auto info = toolOutput(QStringLiteral("pdfinfo"), {pdf});
    const auto text = toolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!info || !text)
        QSKIP("poppler's tools are not installed");
    QVERIFY2(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(*info));
    const QString all = collapsed(*text);
    QVERIFY(all.contains(QStringLiteral("水泵选型结果报表")));
    QVERIFY(all.contains(QStringLiteral("实际流量")));
    QVERIFY(all.contains(QStringLiteral("第1页 共1页")));
}

void TestReportExport::pdfPagesOfManyRows()
{
    QVERIFY(insertNumberedResults(*m_folder, kLatest, 50));
    const ResultReport report = reportOf(kLatest);
    QCOMPARE(report.pageCount(), 3);
    const QString pdf = m_out->filePath(QStringLiteral("many.pdf"));
    QString error;
    int calls = 0;
    QVERIFY(report::exportPdf(report, pdf, &error, [&calls](int done, int total) {
        ++calls;
        return done <= total;
    }));
    QCOMPARE(calls, 3);
    const auto info = toolOutput(QStringLiteral("pdfinfo"), {pdf});
    const auto last =
        toolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("3"), QStringLiteral("-l"),
                                                 QStringLiteral("3"), pdf, QStringLiteral("-")});
    if (!info || !last)
        QSKIP("poppler's tools are not installed");
    QVERIFY(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));
    const QString page3 = collapsed(*last);
    QVERIFY2(page3.contains(QStringLiteral("第3页 共3页")), qPrintable(page3));
    // Rows 46 to 50 are on the last page, under the headings; the title is not.
    QVERIFY(page3.contains(QStringLiteral("P46")) && page3.contains(QStringLiteral("P50")));
    QVERIFY(!page3.contains(QStringLiteral("P45")));
    QVERIFY(page3.contains(QStringLiteral("所选型号")));
    QVERIFY(!page3.contains(QStringLiteral("水泵选型结果报表")));
}

void TestReportExport::csvReadsBack()
{
    QVERIFY(insertResult(*m_folder, kLatest, StoredResult{}));
    StoredResult odd;
    odd.model = QStringLiteral("A,\"B\"");
    odd.time = QStringLiteral("2024/5/2 8:00:01");
    QVERIFY(insertResult(*m_folder, kLatest, odd));
    QVERIFY(m_folder->exec(QStringLiteral("INSERT INTO \"%1\" (\"所选型号\") VALUES ('空')").arg(kLatest)));
    const ResultReport report = reportOf(kLatest);
    const QString csv = m_out->filePath(QStringLiteral("r.csv"));
    QString error;
    QVERIFY2(report::exportCsv(report.table(), csv, &error), qPrintable(error));

    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> records = parseCsv(QString::fromUtf8(bytes.mid(3)));
    QCOMPARE(records.size(), 4);
    QCOMPARE(records[0],
             (QStringList{QStringLiteral("计算时间"), QStringLiteral("计算方式"), QStringLiteral("系统阻力(m)"),
                          QStringLiteral("流量(m3/h)"), QStringLiteral("静扬程(m)"), QStringLiteral("所选型号"),
                          QStringLiteral("最高效率(%)"), QStringLiteral("实际扬程(m)"),
                          QStringLiteral("实际流量(m3/h)"), QStringLiteral("实际效率(%)")}));
    QCOMPARE(records[1],
             (QStringList{QStringLiteral("2024/5/1 10:20:30"), QStringLiteral("设计"), QStringLiteral("20"),
                          QStringLiteral("100"), QStringLiteral("5.1"), QStringLiteral("IS80-65-160"),
                          QStringLiteral("72"), QStringLiteral("32.3"), QStringLiteral("99.9"), QStringLiteral("68")}));
    QCOMPARE(records[2][0], QStringLiteral("2024/5/2 8:00:01"));
    QCOMPARE(records[2][5], QStringLiteral("A,\"B\""));
    QCOMPARE(records[3], (QStringList{QString(), QString(), QString(), QString(), QString(), QStringLiteral("空"),
                                      QString(), QString(), QString(), QString()}));
}

void TestReportExport::xlsxHoldsHeadingsTextsAndNumbers()
{
    QVERIFY(insertResult(*m_folder, kLatest, StoredResult{}));
    StoredResult second;
    second.model = QStringLiteral("IS100-80-160 <甲&乙>");
    second.resistance = QStringLiteral("10.197162129779283");
    QVERIFY(insertResult(*m_folder, kLatest, second));
    const ResultReport report = reportOf(kLatest);
    const QString xlsx = m_out->filePath(QStringLiteral("r.xlsx"));
    QString error;
    QVERIFY2(report::exportXlsx(report.table(), xlsx, &error), qPrintable(error));
    QVERIFY(QFileInfo(xlsx).size() > 0);

    const auto cells = xlsxCells(xlsx);
    if (!cells)
        QSKIP("unzip is not installed");
    QCOMPARE(cells->value(QStringLiteral("A1")).text, QStringLiteral("计算时间"));
    QCOMPARE(cells->value(QStringLiteral("C1")).text, QStringLiteral("系统阻力(m)"));
    QCOMPARE(cells->value(QStringLiteral("J1")).text, QStringLiteral("实际效率(%)"));
    QCOMPARE(cells->value(QStringLiteral("A2")).text, QStringLiteral("2024/5/1 10:20:30"));
    QCOMPARE(cells->value(QStringLiteral("F3")).text, QStringLiteral("IS100-80-160 <甲&乙>"));
    // Numbers are numbers (no type attribute), with the values the report shows.
    for (const QString& ref : {QStringLiteral("C2"), QStringLiteral("E2"), QStringLiteral("G2"), QStringLiteral("H2")})
        QVERIFY2(cells->value(ref).type.isEmpty(), qPrintable(ref));
    QCOMPARE(cells->value(QStringLiteral("E2")).text.toDouble(), 5.1);
    QCOMPARE(cells->value(QStringLiteral("H2")).text.toDouble(), 32.3);
    QCOMPARE(cells->value(QStringLiteral("C3")).text.toDouble(), 10.197162129779283);
    QVERIFY(!cells->value(QStringLiteral("B2")).type.isEmpty());
    QVERIFY(!cells->contains(QStringLiteral("A4")));
}

void TestReportExport::stoppedExportLeavesTheTargetAlone_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("pdf") << int(report::ExportFormat::Pdf);
    QTest::newRow("csv") << int(report::ExportFormat::Csv);
    QTest::newRow("xlsx") << int(report::ExportFormat::Xlsx);
}

void TestReportExport::stoppedExportLeavesTheTargetAlone()
{
    QFETCH(int, format);
    QVERIFY(insertNumberedResults(*m_folder, kLatest, 30));
    const ResultReport report = reportOf(kLatest);
    const auto exportFormat = static_cast<report::ExportFormat>(format);
    const QString target = m_out->filePath(QStringLiteral("old.") + report::exportSuffix(exportFormat));
    {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QString error = QStringLiteral("unset");
    QVERIFY(!report::exportReport(report, exportFormat, target, &error, [](int, int) { return false; }));
    QVERIFY(error.isEmpty());
    QFile old(target);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList{QFileInfo(target).fileName()});
}

void TestReportExport::unwritableTargetIsAMessage()
{
    const ResultReport report = reportOf(kLatest);
    const QString target = m_out->filePath(QStringLiteral("no/such/folder/r.xlsx"));
    for (const auto format : {report::ExportFormat::Pdf, report::ExportFormat::Csv, report::ExportFormat::Xlsx}) {
        QString error;
        QVERIFY(!report::exportReport(report, format, target, &error));
        QVERIFY2(error.startsWith(QStringLiteral("无法写入文件“") + QDir::toNativeSeparators(target)),
                 qPrintable(error));
    }
}

QTEST_MAIN(TestReportExport)
#include "tst_reportexport.moc"
