// The PDF writer: what reaches the target when painting succeeds, fails, is
// stopped, or the file cannot be made.
#include "pdfout/pdffile.h"
#include "files/filetargets.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

using tarnwick::pdfout::PdfSetup;

class TestPdfFile : public QObject
{
    Q_OBJECT
private slots:
    void targetIsWholeOrAsItWas_data();
    void targetIsWholeOrAsItWas();
};

namespace {

enum class Painting { Succeeds, Fails, Stopped };

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestPdfFile::targetIsWholeOrAsItWas_data()
{
    QTest::addColumn<int>("painting");
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<bool>("written");
    QTest::newRow("two pages written") << int(Painting::Succeeds) << true << true;
    QTest::newRow("painting fails") << int(Painting::Fails) << true << false;
    QTest::newRow("engineer stops") << int(Painting::Stopped) << true << false;
    QTest::newRow("folder missing") << int(Painting::Succeeds) << false << false;
}

void TestPdfFile::targetIsWholeOrAsItWas()
{
    QFETCH(int, painting);
    QFETCH(bool, folderExists);
    QFETCH(bool, written);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = folderExists ? dir.filePath(QStringLiteral("out.pdf"))
                                      : dir.filePath(QStringLiteral("missing/out.pdf"));
    const QByteArray earlier = "earlier output\n";
    if (folderExists) {
        QFile before(path);
        QVERIFY(before.open(QIODevice::WriteOnly));
        before.write(earlier);
    }

    PdfSetup setup;
    setup.pageLayout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    setup.title = QStringLiteral("Pump sheet");
    int pagesPainted = 0;
    QString error = QStringLiteral("untouched");
    const bool ok = tarnwick::pdfout::writePdf(
        path, setup,
        [&](QPdfWriter& writer, QString* why) {
            QPainter painter(&writer);
            painter.drawText(QPointF(100, 100), QStringLiteral("page 1"));
            ++pagesPainted;
            if (painting == int(Painting::Fails)) {
                *why = QStringLiteral("cannot paint");
                return false;
            }
            if (painting == int(Painting::Stopped))
                return false;
            writer.newPage();
            painter.drawText(QPointF(100, 100), QStringLiteral("page 2"));
            ++pagesPainted;
            return true;
        },
        &error);

    QCOMPARE(ok, written);
    if (written) {
        const QByteArray pdf = contents(path);
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 2);
        QCOMPARE(error, QStringLiteral("untouched"));
        return;
    }
    if (!folderExists) {
        // Said before any page is painted, in the one message for outputs.
        QCOMPARE(pagesPainted, 0);
        QVERIFY2(error.startsWith(tarnwick::files::cannotWriteFile(path, QString())), qPrintable(error));
        QVERIFY(!QFile::exists(path));
        return;
    }
    QCOMPARE(error, painting == int(Painting::Fails) ? QStringLiteral("cannot paint") : QStringLiteral("untouched"));
    QCOMPARE(contents(path), earlier);
    // No temporary file is left beside the target.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.pdf")});
}

QTEST_MAIN(TestPdfFile)
#include "tst_pdffile.moc"
