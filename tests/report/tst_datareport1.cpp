#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "shell/reportwindow/datareport1.h"
#include "shell/reportwindow/reportdialogs.h"
#include "shell/reportwindow/reportpageview.h"
#include "tests/report/reportfixtures.h"
#include "tests/support/layoutfigures.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QDir>
#include <QStandardPaths>
#include <QTest>

using namespace tarnwick;
using namespace tarnwick::testing;

namespace {

const QString kLatest = store::names::latestResultsTable();
const QString kAll = store::names::allResultsTable();

QIcon testIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

void trigger(QWidget* window, const char* name)
{
    auto* action = window->findChild<QAction*>(QString::fromLatin1(name));
    QVERIFY2(action, name);
    action->trigger();
}

} // namespace

class TestDataReport1 : public QObject
{
    Q_OBJECT

private slots:
    // The export remembers its folder in the test's own settings.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();
    void opensSizedAndPlacedWithCaptionAndIcon();
    void choosingAViewAgainReplacesTheWindowWithFreshRows();
    void dataLayerErrorOpensNothing();
    void pagingThroughTheReport();
    void zoomResizesThePage();
    void exportThroughTheFileDialog_data();
    void exportThroughTheFileDialog();
    void cancelledOrFailedExport();
    void printsTheChosenPages();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<OpenRows> m_latest;
    std::unique_ptr<OpenRows> m_all;
    QStringList m_messages;
};

void TestDataReport1::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(m_folder->isValid());
    m_latest = openRows(*m_folder, kLatest);
    m_all = openRows(*m_folder, kAll);
    QVERIFY(m_latest->error.isEmpty() && m_all->error.isEmpty());
    m_messages.clear();
    setMessageBoxInterceptor({[this](const QString& text) {
        m_messages.append(text);
        return true;
    }});
}

void TestDataReport1::cleanup()
{
    closeResultReport();
    setMessageBoxInterceptor({});
}

void TestDataReport1::opensSizedAndPlacedWithCaptionAndIcon()
{
    QVERIFY(insertNumberedResults(*m_folder, kLatest, 2));
    QString error;
    DataReport1* window =
        showResultReport(QStringLiteral("本次选型计算结果"), testIcon(Qt::red), m_latest->rows, &error);
    QVERIFY2(window, qPrintable(error));
    QCOMPARE(window->objectName(), QStringLiteral("DataReport1"));
    QCOMPARE(openResultReport(), window);
    QCOMPARE(window->windowTitle(), QStringLiteral("本次选型计算结果"));
    QVERIFY(!window->windowIcon().isNull());
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindow());
    QCOMPARE(window->parentWidget(), nullptr);
    // 10816 x 6810 twips outside, centred across the screen at its top.
    QCOMPARE(window->frameGeometry().size(), twipsSize(10816, 6810));
    const QRect screen = window->screen()->geometry();
    QCOMPARE(window->frameGeometry().top(), screen.top());
    QCOMPARE(window->frameGeometry().left(), screen.left() + (screen.width() - twips(10816)) / 2);
    // The rows were re-read before binding: written through another connection.
    QCOMPARE(window->report()->table().rowCount(), 2);
    QCOMPARE(window->pageCount(), 1);
}

void TestDataReport1::choosingAViewAgainReplacesTheWindowWithFreshRows()
{
    QVERIFY(insertNumberedResults(*m_folder, kLatest, 1));
    QVERIFY(insertNumberedResults(*m_folder, kAll, 3));
    QString error;
    QPointer<DataReport1> latest =
        showResultReport(QStringLiteral("本次选型计算结果"), testIcon(Qt::red), m_latest->rows, &error);
    QVERIFY(latest);
    QCOMPARE(latest->report()->table().rowCount(), 1);

    // A row written later shows only when a view is chosen again.
    QVERIFY(insertResult(*m_folder, kLatest, StoredResult{}));
    QCOMPARE(latest->report()->table().rowCount(), 1);

    QPointer<DataReport1> all =
        showResultReport(QStringLiteral("全部选型计算结果"), testIcon(Qt::blue), m_all->rows, &error);
    QVERIFY(all);
    QVERIFY(latest.isNull());
    QCOMPARE(openResultReport(), all.data());
    QCOMPARE(all->windowTitle(), QStringLiteral("全部选型计算结果"));
    QCOMPARE(all->report()->table().rowCount(), 3);
    QCOMPARE(all->report()->table().source(), kAll);

    QPointer<DataReport1> again =
        showResultReport(QStringLiteral("本次选型计算结果"), testIcon(Qt::red), m_latest->rows, &error);
    QVERIFY(all.isNull());
    QCOMPARE(again->report()->table().rowCount(), 2);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(
        std::count_if(windows.begin(), windows.end(),
                      [](QWidget* w) { return w->objectName() == QStringLiteral("DataReport1") && w->isVisible(); }),
        1);
}

void TestDataReport1::dataLayerErrorOpensNothing()
{
    QString error;
    QVERIFY(showResultReport(QStringLiteral("本次选型计算结果"), QIcon(), m_latest->rows, &error));
    auto company = openRows(*m_folder, store::names::companyTable());
    QVERIFY(!showResultReport(QStringLiteral("本次选型计算结果"), QIcon(), company->rows, &error));
    QCOMPARE(error, QStringLiteral("“公司资料”中没有字段“计算时间”。"));
    QCOMPARE(openResultReport(), nullptr);
}

void TestDataReport1::pagingThroughTheReport()
{
    QVERIFY(insertNumberedResults(*m_folder, kAll, 50));
    QString error;
    DataReport1* window = showResultReport(QStringLiteral("全部选型计算结果"), QIcon(), m_all->rows, &error);
    QVERIFY(window);
    auto* pageNumber = window->findChild<QSpinBox*>(QStringLiteral("pageNumber"));
    auto* view = window->findChild<ReportPageView*>(QStringLiteral("reportPage"));
    QVERIFY(pageNumber && view);
    QCOMPARE(window->pageCount(), 3);
    QCOMPARE(pageNumber->maximum(), 3);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("pageCount"))->text(), QStringLiteral("共 3 页"));
    QVERIFY(!window->findChild<QAction*>(QStringLiteral("previousPage"))->isEnabled());

    trigger(window, "nextPage");
    QCOMPARE(window->currentPage(), 2);
    QCOMPARE(pageNumber->value(), 2);
    QCOMPARE(view->page(), 2);
    trigger(window, "lastPage");
    QCOMPARE(window->currentPage(), 3);
    QVERIFY(!window->findChild<QAction*>(QStringLiteral("nextPage"))->isEnabled());
    trigger(window, "nextPage");
    QCOMPARE(window->currentPage(), 3);
    pageNumber->setValue(1);
    QCOMPARE(window->currentPage(), 1);
    QCOMPARE(view->page(), 1);
    trigger(window, "previousPage");
    QCOMPARE(window->currentPage(), 1);
}

void TestDataReport1::zoomResizesThePage()
{
    QString error;
    DataReport1* window = showResultReport(QStringLiteral("本次选型计算结果"), QIcon(), m_latest->rows, &error);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* zoom = window->findChild<QComboBox*>(QStringLiteral("zoom"));
    auto* view = window->findChild<ReportPageView*>(QStringLiteral("reportPage"));
    // It opens with the page's width in sight: the last column and the footer too.
    QCOMPARE(zoom->currentText(), QStringLiteral("适合页宽"));
    QTRY_VERIFY(view->width() <= view->parentWidget()->width());
    QVERIFY(window->zoom() < 1.0);
    if (const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS"); !folder.isEmpty())
        window->grab().save(QDir(folder).filePath(QStringLiteral("report-open.png")));
    zoom->setCurrentIndex(zoom->findText(QStringLiteral("100%")));
    QCOMPARE(window->zoom(), 1.0);
    const int fullWidth = view->width();
    zoom->setCurrentIndex(zoom->findText(QStringLiteral("200%")));
    QCOMPARE(window->zoom(), 2.0);
    QVERIFY(std::abs(view->width() - 2 * ReportPageView::paperPixels(1.0).width() -
                     2 * tarnwick::testing::layout::reportwindow::kDeskMargin) <= 1);
    QVERIFY(view->width() > fullWidth);
    // The whole page fits the window's page area.
    zoom->setCurrentIndex(zoom->findText(QStringLiteral("整页")));
    QTRY_VERIFY(window->zoom() < 1.0);
    QWidget* viewport = view->parentWidget();
    QVERIFY(view->width() <= viewport->width() && view->height() <= viewport->height());
}

void TestDataReport1::exportThroughTheFileDialog_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("written");
    QTest::newRow("pdf") << QStringLiteral("r.pdf") << QStringLiteral("r.pdf");
    QTest::newRow("csv") << QStringLiteral("r.csv") << QStringLiteral("r.csv");
    QTest::newRow("xlsx") << QStringLiteral("r.xlsx") << QStringLiteral("r.xlsx");
    QTest::newRow("no suffix takes the chosen type") << QStringLiteral("r") << QStringLiteral("r.pdf");
}

void TestDataReport1::exportThroughTheFileDialog()
{
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QVERIFY(insertNumberedResults(*m_folder, kLatest, 3));
    QString error;
    DataReport1* window = showResultReport(QStringLiteral("本次选型计算结果"), QIcon(), m_latest->rows, &error);
    QTemporaryDir out;
    ReportFileDialog::setNextFileName(out.filePath(answer));
    trigger(window, "export");
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    QFile file(out.filePath(written));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(written));
    const QByteArray head = file.read(8);
    if (written.endsWith(QStringLiteral(".pdf")))
        QVERIFY(head.startsWith("%PDF-"));
    else if (written.endsWith(QStringLiteral(".csv")))
        QVERIFY(head.startsWith("\xEF\xBB\xBF"));
    else
        QVERIFY(head.startsWith("PK"));
}

void TestDataReport1::cancelledOrFailedExport()
{
    QString error;
    DataReport1* window = showResultReport(QStringLiteral("本次选型计算结果"), QIcon(), m_latest->rows, &error);
    QTemporaryDir out;
    ReportFileDialog::setNextFileName(QString());
    trigger(window, "export");
    QVERIFY(QDir(out.path()).isEmpty());
    QVERIFY(m_messages.isEmpty());

    ReportFileDialog::setNextFileName(out.filePath(QStringLiteral("missing/r.csv")));
    trigger(window, "export");
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages[0].startsWith(QStringLiteral("无法写入文件")), qPrintable(m_messages[0]));

    QVERIFY(!window->exportTo(out.filePath(QStringLiteral("r.xls"))));
    QCOMPARE(m_messages.size(), 2);
    QVERIFY(QDir(out.path()).isEmpty());
}

void TestDataReport1::printsTheChosenPages()
{
    QVERIFY(insertNumberedResults(*m_folder, kAll, 50));
    QString error;
    DataReport1* window = showResultReport(QStringLiteral("全部选型计算结果"), QIcon(), m_all->rows, &error);
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("printed.pdf"));
    int offeredLast = 0;
    ReportPrintDialog::setNextAnswer([&](QPrinter& printer) {
        offeredLast = printer.toPage();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        return true;
    });
    trigger(window, "print");
    QCOMPARE(offeredLast, 3);
    QVERIFY(QFileInfo::exists(pdf));
    const auto info = toolOutput(QStringLiteral("pdfinfo"), {pdf});
    const auto text = toolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!info || !text)
        QSKIP("poppler's tools are not installed");
    QVERIFY2(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(*info));
    QVERIFY(text->contains(QStringLiteral("P22")) && text->contains(QStringLiteral("P50")));
    QVERIFY(!text->contains(QStringLiteral("P21")));

    // A dialog answered with Cancel prints nothing.
    QFile::remove(pdf);
    ReportPrintDialog::setNextAnswer([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return false;
    });
    trigger(window, "print");
    QVERIFY(!QFileInfo::exists(pdf));
}

QTEST_MAIN(TestDataReport1)
#include "tst_datareport1.moc"
