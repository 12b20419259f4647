// The calculation window's data sheets, chart markers and tooltip, and the
// window of the pumps the design left out.

#include "calcwindow/calculationsheets.h"
#include "calcwindow/frmcalculate.h"
#include "calcwindow/performancechart.h"
#include "controls/messagebox.h"
#include "controls/sheetproduction.h"
#include "store/databaselocation.h"
#include "tests/calcwindow/calcwindowfixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <tuple>

using namespace tarnwick;
using namespace tarnwick::testing;

namespace {

std::optional<QString> popplerOutput(const QString& tool, const QStringList& arguments)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString figureOf(const QString& label)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("＝([0-9.]+)")).match(label);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

class TestCalculationSheets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void chartTellsFitQuality();
    void measuredPointsMarkedAfterTheCurves();
    void contextMenusOfListAndChart();
    void pickedSheetAsPdfWithRememberedHeader();
    void headerOfAnEarlierVersionIsTakenOverOnce();
    void allCandidatesPrintOnePageEach();
    void allSheetsOnlyWhileListed_data();
    void allSheetsOnlyWhileListed();
    void rejectedPumpsWindow();

private:
    template <typename T> T* child(const QString& name) const
    {
        T* found = m_window->findChild<T*>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }
    void design();
    void pick(int row);
    QString label21(int index) const { return child<QLabel>(QStringLiteral("Label21_%1").arg(index))->text(); }
    CalculationSheets* sheets() const { return m_window->findChild<CalculationSheets*>(); }

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<frmcalculate> m_window;
    QTemporaryDir m_out;
    QStringList m_messages;
    std::function<int(QDialog&)> m_modal;
};

void TestCalculationSheets::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TarnwickTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_calculationsheets"));
    QString error;
    m_folder = makeCalcWindowFolder(&error);
    QVERIFY2(m_folder, qPrintable(error));
    setMessageBoxInterceptor({[this](const QString& text) {
        m_messages.append(text);
        return true;
    }});
    setModalInterceptor([this](QDialog& dialog) { return m_modal ? m_modal(dialog) : 0; });
}

void TestCalculationSheets::init()
{
    m_messages.clear();
    m_modal = nullptr;
    m_window = std::make_unique<frmcalculate>();
    QString error;
    QVERIFY2(m_window->load(m_folder->folder(), &error), qPrintable(error));
    m_window->configureMode(CalculationMode::Design, QIcon());
    m_window->show();
}

void TestCalculationSheets::cleanup()
{
    m_window.reset();
}

void TestCalculationSheets::design()
{
    child<QLineEdit>(QStringLiteral("Text1_0"))->setText(QStringLiteral("20"));
    child<QLineEdit>(QStringLiteral("Text1_1"))->setText(QStringLiteral("50"));
    child<QLineEdit>(QStringLiteral("Text1_2"))->setText(QStringLiteral("0"));
    QWidget* button = child<QWidget>(QStringLiteral("设计"));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    QCOMPARE(child<QListWidget>(QStringLiteral("List1"))->count(), 3);
}

void TestCalculationSheets::pick(int row)
{
    auto* list = child<QListWidget>(QStringLiteral("List1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QVERIFY(!label21(5).isEmpty());
}

void TestCalculationSheets::chartTellsFitQuality()
{
    design();
    auto* chart = child<PerformanceChart>(QStringLiteral("Picture1"));
    QVERIFY(chart->toolTip().isEmpty());
    pick(0);
    QVERIFY2(chart->toolTip().contains(QStringLiteral("拟合质量")), qPrintable(chart->toolTip()));
    QVERIFY(chart->toolTip().contains(QStringLiteral("R²")));
    // Picking another entry, or a new run, takes the tooltip away with the drawing.
    design();
    QVERIFY(chart->toolTip().isEmpty());
}

void TestCalculationSheets::measuredPointsMarkedAfterTheCurves()
{
    // H = 40 - 0.004 Q^2, N = 3 + 0.05 Q against 50 m3/h and 30 m; the
    // points lie off the fitted curves so their squares stand apart.
    ChartInput input;
    input.maxFlow = 80.0f;
    input.maxHead = 38.4f;
    input.maxPower = 7.0f;
    input.headFit.c = {40.0f, 0.0f, -0.004f, 0.0f};
    input.powerFit.c = {3.0f, 0.05f, 0.0f, 0.0f};
    input.request.flow = 50.0;
    input.request.resistance = 30.0;
    input.request.systemCoefficient = 30.0 / 2500.0;
    input.operatingFlow = std::sqrt(40.0 / (0.004 + 30.0 / 2500.0));
    input.operatingHead = 40.0 - 0.004 * input.operatingFlow * input.operatingFlow;
    input.headScale = designHeadScale(input.maxHead);
    auto render = [](const ChartInput& in) {
        PerformanceChart chart(nullptr);
        chart.resize(242, 168);
        chart.clearDrawing();
        drawPerformanceChart(chart, in);
        return chart.drawing();
    };
    const QImage bare = render(input);
    input.points.add(20.0f, 30.0f, 2.0f);
    input.points.add(60.0f, 20.0f, 4.5f);
    const QImage marked = render(input);
    const double x = 112.0; // floor(1.4 x 80 + 0.5)
    auto pixelOf = [&](double q, double value, double top, double bottom) {
        return QPoint(static_cast<int>(q / x * 242), static_cast<int>((top - value) / (top - bottom) * 168));
    };
    // A square's corner lies two pixels from the point, in the curve's colour.
    const std::tuple<double, double, double, double, QColor> points[] = {
        {20, 30, 1.5 * 38, 0, headCurveColor()},
        {60, 20, 1.5 * 38, 0, headCurveColor()},
        {20, 2, 3 * 8.0, 0, powerCurveColor()},
        {60, 4.5, 3 * 8.0, 0, powerCurveColor()},
        {20, 20 * 30 / (3.672 * 2), 100, -50, efficiencyCurveColor()},
    };
    for (const auto& [q, v, top, bottom, colour] : points) {
        const QPoint corner = pixelOf(q, v, top, bottom) - QPoint(2, 2);
        QCOMPARE(QColor(marked.pixel(corner)), colour);
        QVERIFY(QColor(bare.pixel(corner)) != colour);
    }
}

void TestCalculationSheets::contextMenusOfListAndChart()
{
    design();
    auto* list = child<QListWidget>(QStringLiteral("List1"));
    QStringList texts;
    QList<bool> enabled;
    auto readMenu = [&] {
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator()) {
                    texts << action->text();
                    enabled << action->isEnabled();
                }
            }
            menu->close();
        });
    };
    // A right click on an entry picks it, then offers the three commands.
    readMenu();
    emit list->customContextMenuRequested(list->visualItemRect(list->item(1)).center());
    QCOMPARE(texts, (QStringList{QStringLiteral("生成选型资料单…"), QStringLiteral("全部候选水泵…"),
                                 QStringLiteral("未入选水泵…")}));
    QCOMPARE(enabled, (QList<bool>{true, true, true}));
    QVERIFY(label21(5).startsWith(QStringLiteral("TW65-22B")));

    texts.clear();
    enabled.clear();
    auto* chart = child<PerformanceChart>(QStringLiteral("Picture1"));
    readMenu();
    emit chart->customContextMenuRequested(QPoint(10, 10));
    QCOMPARE(texts, (QStringList{QStringLiteral("生成选型资料单…"), QStringLiteral("全部候选水泵…")}));
    QCOMPARE(enabled, (QList<bool>{true, true}));
}

void TestCalculationSheets::pickedSheetAsPdfWithRememberedHeader()
{
    design();
    pick(0);
    const QString pdf = m_out.filePath(QStringLiteral("picked.pdf"));
    QStringList seen;
    m_modal = [&](QDialog& dialog) -> int {
        seen << dialog.objectName();
        if (dialog.objectName() == QStringLiteral("frmsheetheader")) {
            dialog.findChild<QLineEdit*>(QStringLiteral("projectName"))->setText(QStringLiteral("南区冷站"));
            dialog.findChild<QLineEdit*>(QStringLiteral("equipmentTag"))->setText(QStringLiteral("CWP-2"));
            dialog.findChild<QPushButton*>(QStringLiteral("pdf"))->click();
            return dialog.result();
        }
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files)
            return 0;
        files->selectFile(pdf);
        return int(QDialog::Accepted);
    };
    sheets()->producePickedSheet();
    QCOMPARE(seen, (QStringList{QStringLiteral("frmsheetheader"), QStringLiteral("sheetFileDialog")}));
    QVERIFY(m_messages.isEmpty());
    const auto text = popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    if (!text)
        QSKIP("pdftotext is not installed");
    for (const QString& piece : QStringList{
             QStringLiteral("TW50-20A"), QStringLiteral("南区冷站"), QStringLiteral("CWP-2"), QStringLiteral("设计"),
             QStringLiteral("50 m3/h"), QStringLiteral("实际流量 ") + figureOf(label21(3)) + QStringLiteral(" m3/h"),
             QStringLiteral("水泵最高效率 ") + figureOf(label21(1)) + QStringLiteral("%")})
        QVERIFY2(text->contains(piece), qPrintable(piece + QStringLiteral(" not in:\n") + *text));

    // The next dialog starts with what was entered; cancelling writes nothing.
    QString remembered;
    m_modal = [&](QDialog& dialog) {
        remembered = dialog.findChild<QLineEdit*>(QStringLiteral("projectName"))->text();
        return 0;
    };
    sheets()->producePickedSheet();
    QCOMPARE(remembered, QStringLiteral("南区冷站"));
}

void TestCalculationSheets::headerOfAnEarlierVersionIsTakenOverOnce()
{
    // An earlier version kept the header in a file named after the window alone.
    QFile::remove(store::userSettings().fileName());
    QSettings earlier(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Unknown Organization"),
                      QStringLiteral("Tarnwick"));
    earlier.setValue(QStringLiteral("datasheet/designer"), QStringLiteral("李工"));
    earlier.setValue(QStringLiteral("datasheet/projectName"), QStringLiteral("北区"));
    earlier.sync();
    {
        QSettings settings = store::userSettings();
        settings.setValue(QStringLiteral("datasheet/projectName"), QStringLiteral("南区"));
    }
    const SheetHeader header = SheetHeaderDialog::rememberedHeader();
    QCOMPARE(header.designer, QStringLiteral("李工"));
    QCOMPARE(header.projectName, QStringLiteral("南区")); // what the one file holds wins
    // Taken over once: a later change of the old file is not read again.
    earlier.setValue(QStringLiteral("datasheet/equipmentTag"), QStringLiteral("CWP-9"));
    earlier.sync();
    QCOMPARE(SheetHeaderDialog::rememberedHeader().equipmentTag, QString());
    earlier.clear();
    QFile::remove(store::userSettings().fileName());
}

void TestCalculationSheets::allCandidatesPrintOnePageEach()
{
    design();
    const QString pdf = m_out.filePath(QStringLiteral("printed.pdf"));
    QString pageCount;
    m_modal = [&](QDialog& dialog) -> int {
        if (dialog.objectName() == QStringLiteral("frmsheetheader")) {
            pageCount = dialog.findChild<QLabel*>(QStringLiteral("pageCount"))->text();
            dialog.findChild<QPushButton*>(QStringLiteral("print"))->click();
            return dialog.result();
        }
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        if (!print)
            return 0;
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    };
    sheets()->produceAllSheets();
    QCOMPARE(pageCount, QStringLiteral("共 3 页，每台水泵一页。"));
    const auto info = popplerOutput(QStringLiteral("pdfinfo"), {pdf});
    if (!info)
        QSKIP("pdfinfo is not installed");
    QVERIFY2(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))), qPrintable(*info));
    const auto text = popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    for (const QString& model : {QStringLiteral("TW50-20A"), QStringLiteral("TW65-22B"), QStringLiteral("TW50-21E")})
        QVERIFY2(text->contains(model), qPrintable(model));

    // The preview shows the same three pages.
    int previewPages = -1;
    m_modal = [&](QDialog& dialog) -> int {
        if (dialog.objectName() == QStringLiteral("frmsheetheader")) {
            dialog.findChild<QPushButton*>(QStringLiteral("preview"))->click();
            return dialog.result();
        }
        if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
            preview->updatePreview();
            previewPages = preview->pageCount();
        }
        return 0;
    };
    sheets()->produceAllSheets();
    QCOMPARE(previewPages, 3);
}

void TestCalculationSheets::allSheetsOnlyWhileListed_data()
{
    QTest::addColumn<QString>("after"); // what follows a design of three candidates
    QTest::addColumn<int>("offered"); // sheets of all candidates
    QTest::newRow("nothing") << "" << 3;
    QTest::newRow("an entry picked") << "pick" << 3;
    QTest::newRow("refresh") << "refresh" << 0;
    QTest::newRow("a design stopped by a bad duty") << "bad duty" << 0;
    QTest::newRow("the check mode chosen") << "check mode" << 0;
    QTest::newRow("the catalogue read afresh") << "reload" << 0;
}

void TestCalculationSheets::allSheetsOnlyWhileListed()
{
    // The window's last run keeps its candidates after the list is emptied,
    // but their sheets are offered only while the list shows them.
    QFETCH(QString, after);
    QFETCH(int, offered);
    design();
    if (after == QStringLiteral("pick")) {
        pick(1);
    } else if (after == QStringLiteral("refresh")) {
        QWidget* button = child<QWidget>(QStringLiteral("刷新"));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    } else if (after == QStringLiteral("bad duty")) {
        child<QLineEdit>(QStringLiteral("Text1_1"))->setText(QStringLiteral("x"));
        QWidget* button = child<QWidget>(QStringLiteral("设计"));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QCOMPARE(m_messages.size(), 1);
    } else if (after == QStringLiteral("check mode")) {
        m_window->configureMode(CalculationMode::Check, QIcon());
    } else if (after == QStringLiteral("reload")) {
        QString error;
        QVERIFY2(m_window->reloadCatalogue(&error), qPrintable(error));
    }
    QCOMPARE(m_window->lastRun().candidatesListed, offered > 0);
    QCOMPARE(sheets()->sheetsOfAllCandidates({}).size(), offered);
}

void TestCalculationSheets::rejectedPumpsWindow()
{
    // Before any design there is nothing to explain.
    m_window->showRejectedPumps();
    QCOMPARE(m_messages, QStringList{QStringLiteral("请先进行设计计算。")});

    design();
    m_window->showRejectedPumps();
    auto* window = m_window->findChild<RejectedPumpsWindow*>(QStringLiteral("frmrejected"));
    QVERIFY(window);
    QTableWidget* table = window->table();
    QVERIFY(table->rowCount() > 0);
    QVERIFY(table->rowCount() <= 30);
    // Closest first.
    for (int row = 1; row < table->rowCount(); ++row)
        QVERIFY(table->item(row - 1, 4)->data(Qt::DisplayRole).toDouble() <=
                table->item(row, 4)->data(Qt::DisplayRole).toDouble());
    // Sortable by any column.
    table->sortByColumn(0, Qt::AscendingOrder);
    for (int row = 1; row < table->rowCount(); ++row)
        QVERIFY(table->item(row - 1, 0)->text() <= table->item(row, 0)->text());

    // The pump whose head is too high is shown as a check would show it,
    // marked as not chosen.
    int headHigh = -1;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == QStringLiteral("TW80-64D"))
            headHigh = row;
    }
    QVERIFY(headHigh >= 0);
    QVERIFY(table->item(headHigh, 3)->text().startsWith(QStringLiteral("扬程高出 ")));
    table->setCurrentCell(headHigh, 0);
    window->findChild<QPushButton*>(QStringLiteral("showOnChart"))->click();
    QCOMPARE(label21(5), QStringLiteral("TW80-64D型水泵（未入选）"));
    QVERIFY(label21(2).startsWith(QStringLiteral("水泵实际扬程＝")));
    auto* chart = child<PerformanceChart>(QStringLiteral("Picture1"));
    QVERIFY(!chart->isBlank());
    QVERIFY2(chart->toolTip().startsWith(QStringLiteral("未入选：扬程高出")), qPrintable(chart->toolTip()));
    // A pump that was not chosen gets no data sheet.
    QVERIFY(sheets()->sheetOfPickedPump({}).isEmpty());

    // A new design closes the list, which belongs to the design before it.
    QPointer<RejectedPumpsWindow> open = window;
    design();
    QTRY_VERIFY(!open || !open->isVisible());
}

QTEST_MAIN(TestCalculationSheets)
#include "tst_calculationsheets.moc"
