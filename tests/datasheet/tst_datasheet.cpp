// The data sheet on its own: the figures as shown, and a PDF that is either
// complete or not written at all.

#include "datasheet/datasheet.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick;

namespace {

DataSheet sampleSheet(const QString& model)
{
    DataSheet sheet;
    sheet.model = model;
    sheet.method = QStringLiteral("校核");
    sheet.duty = DutyTexts{"30", "100", "0"};
    sheet.request.flow = 100.0;
    sheet.request.resistance = 30.0;
    sheet.request.systemCoefficient = 30.0 / 10000.0;
    sheet.operatingFlow = 99.95;
    sheet.operatingHead = 32.25;
    sheet.operatingEfficiency = 68.97;
    sheet.operatingPower = 12.345;
    sheet.bestEfficiency = 71.0f;
    sheet.speed = 2900.0;
    ChartInput& chart = sheet.chart;
    chart.maxFlow = 150.0f;
    chart.maxHead = 40.0f;
    chart.maxPower = 15.0f;
    chart.headFit.c = {42.0f, 0.0f, -0.001f, 0.0f};
    chart.powerFit.c = {6.0f, 0.06f, 0.0f, 0.0f};
    chart.request = sheet.request;
    chart.operatingFlow = sheet.operatingFlow;
    chart.operatingHead = sheet.operatingHead;
    chart.headScale = checkHeadScale(chart.maxHead);
    return sheet;
}

} // namespace

class TestDataSheet : public QObject
{
    Q_OBJECT

private slots:
    void figuresAsTheWindowShowsThem();
    void stoppedExportWritesNothing();
};

void TestDataSheet::figuresAsTheWindowShowsThem()
{
    // The check's example: 99.95 m3/h, 32.25 m, 68.97 %, best 71.0 % show as
    // 100, 32.3, 68 and 72.
    const SheetFigures f = sheetFigures(sampleSheet(QStringLiteral("P1")));
    QCOMPARE(f.flow, QStringLiteral("100"));
    QCOMPARE(f.head, QStringLiteral("32.3"));
    QCOMPARE(f.efficiency, QStringLiteral("68"));
    QCOMPARE(f.bestEfficiency, QStringLiteral("72"));
    QCOMPARE(f.power, QStringLiteral("12.35"));
    QCOMPARE(f.speed, QStringLiteral("2900"));
}

void TestDataSheet::stoppedExportWritesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheets.pdf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("earlier file");
    old.close();

    const QList<DataSheet> sheets = {sampleSheet(QStringLiteral("P1")), sampleSheet(QStringLiteral("P2")),
                                     sampleSheet(QStringLiteral("P3"))};
    QString error;
    QList<int> told;
    const bool written = writeDataSheetsPdf(path, sheets, &error, [&](int done, int total) {
        told << done;
        return done < 2 || total != 3;
    });
    QVERIFY(!written);
    QVERIFY(error.isEmpty());
    QCOMPARE(told, (QList<int>{1, 2}));
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("earlier file"));
    kept.close();

    // Run to its end the file is replaced by the three pages.
    QVERIFY2(writeDataSheetsPdf(path, sheets, &error), qPrintable(error));
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 3);

    // A folder that does not exist: a clear message.
    QVERIFY(!writeDataSheetsPdf(dir.filePath(QStringLiteral("no/such/folder/x.pdf")), sheets, &error));
    QVERIFY2(error.startsWith(QStringLiteral("无法写入文件")), qPrintable(error));
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestDataSheet test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_datasheet.moc"
