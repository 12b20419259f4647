#include "calcwindow/frmcalculate.h"
#include "calcwindow/pumpviewmodel.h"
#include "calcwindow/unitchooser.h"
#include "calcwindow/schematic.h"
#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "core/numbers.h"
#include "store/database.h"
#include "store/names.h"
#include "store/rowset.h"
#include "tests/calcwindow/calcwindowfixture.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QPainter>
#include <QDir>
#include <QAbstractItemView>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace tarnwick;
using namespace tarnwick::testing;

namespace {

const QString kLatest = QStringLiteral("水泵选型结果1");
const QString kAll = QStringLiteral("水泵选型结果");

// True when a pixel of the colour lies within `radius` pixels of p.
bool colourNear(const QImage& image, QPointF p, const QColor& color, int radius = 2)
{
    const int cx = static_cast<int>(std::floor(p.x()));
    const int cy = static_cast<int>(std::floor(p.y()));
    for (int y = cy - radius; y <= cy + radius; ++y) {
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if (image.valid(x, y) && (image.pixel(x, y) & 0xffffff) == (color.rgb() & 0xffffff))
                return true;
        }
    }
    return false;
}

// Types the characters one key press each, as a keyboard would deliver them
// (double-byte characters included).
void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        const int key = c.unicode() < 128 ? QChar(c).toUpper().unicode() : static_cast<int>(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// Pixel of a chart value: flow 0..X across, value from `top` at the top edge
// to 0 (or `bottom`) at the bottom edge.
QPointF chartPixel(const QSize& size, double x, double xRange, double y, double top, double bottom = 0.0)
{
    return QPointF(x / xRange * size.width(), (top - y) / (top - bottom) * size.height());
}

} // namespace

class TestFrmCalculate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadFillsWindow();
    void loadFailsWithoutDatabase();
    void keyFilter_data();
    void keyFilter();
    void focusSelectsWholeText();
    void designRun();
    void designRunFindsNothing();
    void designRunInvalidDuty();
    void measuredPointsGiveTheDuty_data();
    void measuredPointsGiveTheDuty();
    void candidateClickShowsPump();
    void candidateWithoutSchematic();
    void pageTabs();
    void checkPasses();
    void checkNotesFlowBeyondMeasured_data();
    void checkNotesFlowBeyondMeasured();
    void checkRejects_data();
    void checkRejects();
    void modelChoiceClearsDetails();
    void refreshRestoresDefaults();
    void modeLayout_data();
    void modeLayout();
    void textThreeHandsFocusToGrid();
    void scrollBarsMoveSchematic();
    void unitChoosersShowWholeTexts();
    void gridColumnsFitTheirTexts();
    void largeGridIsSizedFromSampleAndLongestTexts_data();
    void largeGridIsSizedFromSampleAndLongestTexts();

private:
    template <typename T> T* child(const QString& name) const
    {
        T* widget = m_window->findChild<T*>(name);
        if (!widget)
            qFatal("no child %s", qPrintable(name));
        return widget;
    }
    void click(const QString& buttonName);
    void enterDuty(const QString& resistance, const QString& flow, const QString& staticHead);
    QString label21(int index) const { return child<QLabel>(QStringLiteral("Label21_%1").arg(index))->text(); }
    int rows(const QString& table) const { return m_folder->rowCount(table); }
    QVariant latestValue(const QString& field, int row = 0) const;

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<frmcalculate> m_window;
    QStringList m_messages;
};

void TestFrmCalculate::initTestCase()
{
    QString error;
    m_folder = makeCalcWindowFolder(&error);
    QVERIFY2(m_folder, qPrintable(error));
    setMessageBoxInterceptor({[this](const QString& text) {
        m_messages.append(text);
        return true;
    }});
}

void TestFrmCalculate::init()
{
    m_messages.clear();
    resetBeepCount();
    m_window = std::make_unique<frmcalculate>();
    QString error;
    QVERIFY2(m_window->load(m_folder->folder(), &error), qPrintable(error));
    m_window->configureMode(CalculationMode::Design, QIcon());
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestFrmCalculate::cleanup()
{
    m_window.reset();
}

void TestFrmCalculate::click(const QString& buttonName)
{
    QWidget* button = child<QWidget>(buttonName);
    QVERIFY2(button->isVisible(), qPrintable(buttonName));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void TestFrmCalculate::enterDuty(const QString& resistance, const QString& flow, const QString& staticHead)
{
    child<QLineEdit>(QStringLiteral("Text1_0"))->setText(resistance);
    child<QLineEdit>(QStringLiteral("Text1_1"))->setText(flow);
    child<QLineEdit>(QStringLiteral("Text1_2"))->setText(staticHead);
}

QVariant TestFrmCalculate::latestValue(const QString& field, int row) const
{
    const QString name = QStringLiteral("tst-read");
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_folder->databasePath());
        db.open();
        QSqlQuery query(db);
        query.exec(QStringLiteral("SELECT \"%1\" FROM \"%2\" ORDER BY rowid").arg(field, kLatest));
        for (int i = 0; i <= row && query.next(); ++i)
            value = query.value(0);
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

void TestFrmCalculate::loadFillsWindow()
{
    auto* combo1 = child<QComboBox>(QStringLiteral("Combo1"));
    QCOMPARE(combo1->count(), calcWindowPumps().size());
    QCOMPARE(combo1->currentIndex(), 0);
    QCOMPARE(combo1->itemText(0), QStringLiteral("TW50-20A"));
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo2"))->currentText(), QStringLiteral("m3/h"));
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo3"))->currentText(), QStringLiteral("mH2O"));
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo4"))->currentText(), QStringLiteral("mH2O"));
    QVERIFY(!child<QWidget>(QStringLiteral("Command1"))->isEnabled());
    QVERIFY(!child<QWidget>(QStringLiteral("Command5"))->isEnabled());

    auto* grid = child<QTableView>(QStringLiteral("DataGrid1"));
    QCOMPARE(grid->model()->rowCount(), calcWindowPumps().size());
    QCOMPARE(grid->model()->columnCount(), 10);
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("   水泵型号"));
    QCOMPARE(grid->model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("电动机功  率(kW)"));
    QCOMPARE(grid->currentIndex().row(), 0);
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("TW50-20A"));
    QCOMPARE(grid->model()->index(0, 2).data().toString(), QStringLiteral("2900"));
    QCOMPARE(grid->model()->index(0, 4).data().toString(), QStringLiteral("21.75"));
    QCOMPARE(child<QPlainTextEdit>(QStringLiteral("Text3"))->toPlainText(),
             QStringLiteral("进口DN65\n出口DN50\n长 520mm"));

    // Scroll steps are taken at load from the bars' maxima.
    auto* vscroll = child<QScrollBar>(QStringLiteral("VScroll1"));
    QCOMPARE(vscroll->pageStep(), 3075);
    QCOMPARE(vscroll->singleStep(), 308); // 307.5 to the even neighbour
    auto* hscroll = child<QScrollBar>(QStringLiteral("HScroll1"));
    QCOMPARE(hscroll->pageStep(), 4980);
    QCOMPARE(hscroll->singleStep(), 498);

    QCOMPARE(m_window->size(), twipsSize(10785, 6330));
    QCOMPARE(m_window->palette().color(QPalette::Window), QColor(233, 233, 233));
    QCOMPARE(child<QWidget>(QStringLiteral("Picture1"))->geometry(), twipsRect(600, 360, 4600, 3200));
    QCOMPARE(child<QWidget>(QStringLiteral("Text1_1"))->geometry(), twipsRect(975, 915, 620, 220));
}

void TestFrmCalculate::loadFailsWithoutDatabase()
{
    QTemporaryDir empty;
    frmcalculate window;
    QString error;
    QVERIFY(!window.load(empty.path(), &error));
    QVERIFY(error.contains(QStringLiteral("水泵数据库97.mdb")));
    // Without a catalogue the buttons do nothing rather than fail.
    window.show();
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("设计")), Qt::LeftButton);
    QVERIFY(m_messages.isEmpty());
}

void TestFrmCalculate::keyFilter_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");
    QTest::newRow("minus dropped") << QStringLiteral("-5") << QStringLiteral("5") << 1;
    QTest::newRow("letter dropped") << QStringLiteral("1e3") << QStringLiteral("13") << 1;
    QTest::newRow("decimal point passes") << QStringLiteral("12.5") << QStringLiteral("12.5") << 0;
    QTest::newRow("blank and comma dropped") << QStringLiteral("1 ,2") << QStringLiteral("12") << 2;
    QTest::newRow("slash and colon dropped") << QStringLiteral("/9:") << QStringLiteral("9") << 2;
    QTest::newRow("wide characters pass") << QStringLiteral("3０") << QStringLiteral("3０") << 0;
}

void TestFrmCalculate::keyFilter()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, beeps);
    for (int i = 0; i < 3; ++i) {
        auto* box = child<QLineEdit>(QStringLiteral("Text1_%1").arg(i));
        box->clear();
        box->setFocus();
        resetBeepCount();
        typeText(box, keys);
        QCOMPARE(box->text(), text);
        QCOMPARE(beepCount(), beeps);
    }

    // Backspace passes; Enter and the copy key are dropped.
    auto* box = child<QLineEdit>(QStringLiteral("Text1_0"));
    box->setText(QStringLiteral("12"));
    box->setCursorPosition(2);
    resetBeepCount();
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("1"));
    QCOMPARE(beepCount(), 0);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("1"));
    QCOMPARE(beepCount(), 2);
}

void TestFrmCalculate::focusSelectsWholeText()
{
    auto* first = child<QLineEdit>(QStringLiteral("Text1_0"));
    auto* second = child<QLineEdit>(QStringLiteral("Text1_1"));
    first->setFocus();
    second->setText(QStringLiteral("123.5"));
    second->setCursorPosition(1);
    second->setFocus(Qt::OtherFocusReason);
    QCOMPARE(second->selectionStart(), 0);
    QCOMPARE(second->selectedText(), QStringLiteral("123.5"));
}

void TestFrmCalculate::designRun()
{
    const int allBefore = rows(kAll);
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("设计"));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));

    auto* list = child<QListWidget>(QStringLiteral("List1"));
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("TW50-20A型 转速2900r/min"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("TW65-22B型 转速1450r/min"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("TW50-21E型 转速2900r/min"));
    QVERIFY(list->isEnabled());
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(rows(kLatest), 3);
    QCOMPARE(rows(kAll), allBefore + 3);
    QCOMPARE(latestValue(QStringLiteral("所选型号"), 1).toString(), QStringLiteral("TW65-22B"));
    QCOMPARE(latestValue(QStringLiteral("选型方式")).toString(), QStringLiteral("设计"));
    for (int i = 1; i <= 5; ++i)
        QVERIFY(label21(i).isEmpty());
    QVERIFY(!child<QWidget>(QStringLiteral("Command1"))->isEnabled());

    // A second run replaces the latest rows and keeps adding to all rows.
    click(QStringLiteral("设计"));
    QCOMPARE(list->count(), 3);
    QCOMPARE(rows(kLatest), 3);
    QCOMPARE(rows(kAll), allBefore + 6);
}

void TestFrmCalculate::measuredPointsGiveTheDuty_data()
{
    QTest::addColumn<QStringList>("points"); // flow:head in m3/h and mH2O
    QTest::addColumn<QString>("staticHead"); // typed; empty: fitted
    QTest::addColumn<QString>("resistance"); // shown after the run; empty: the run stops
    QTest::addColumn<QString>("shownStaticHead");
    QTest::addColumn<QString>("message");
    // The pumps' duty system curve H = 0.008 Q^2 through three points.
    QTest::newRow("three points on the duty's curve") << QStringLiteral("25:5 50:20 60:28.8").split(QLatin1Char(' ')) << QString()
                                                      << "20.00" << "0" << QString();
    // A typed static head stays as typed.
    QTest::newRow("static head typed, the coefficient alone") << QStringLiteral("25:5 50:20 60:28.8").split(QLatin1Char(' ')) << "0"
                                                              << "20.00" << "0" << QString();
    QTest::newRow("two points are too few") << QStringLiteral("25:5 50:20").split(QLatin1Char(' ')) << QString() << QString() << QString()
                                            << "实测点至少需要3个（流量:扬程）！请重新输入。";
    QTest::newRow("a letter in the second row") << QStringLiteral("25:5 5o:20 60:28.8").split(QLatin1Char(' ')) << QString() << QString()
                                                << QString()
                                                << "实测管路点第2行的流量和扬程应为数字！请重新输入。";
}

void TestFrmCalculate::measuredPointsGiveTheDuty()
{
    QFETCH(QStringList, points);
    QFETCH(QString, staticHead);
    QFETCH(QString, resistance);
    QFETCH(QString, shownStaticHead);
    QFETCH(QString, message);
    const int allBefore = rows(kAll);
    const int conditionsBefore = std::max(0, rows(QStringLiteral("选型工况")));
    enterDuty(QString(), QStringLiteral("50"), staticHead);
    child<QToolButton>(QStringLiteral("ConditionsToggle"))->setChecked(true);
    auto* table = child<QTableWidget>(QStringLiteral("MeasuredTable"));
    QVERIFY(table->isVisible());
    for (int r = 0; r < points.size(); ++r) {
        const QStringList pair = points[r].split(QLatin1Char(':'));
        table->item(r, 0)->setText(pair[0]);
        table->item(r, 1)->setText(pair[1]);
    }
    click(QStringLiteral("设计"));
    if (!message.isEmpty()) {
        QCOMPARE(m_messages, QStringList{message});
        QCOMPARE(rows(kAll), allBefore);
        QVERIFY(child<QLineEdit>(QStringLiteral("Text1_0"))->text().isEmpty());
        return;
    }
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    // Shown and run as if typed: the three pumps of the typed duty.
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text1_0"))->text(), resistance);
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text1_2"))->text(), shownStaticHead);
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo3"))->currentText(), QStringLiteral("mH2O"));
    QCOMPARE(child<QListWidget>(QStringLiteral("List1"))->count(), 3);
    QCOMPARE(latestValue(QStringLiteral("总扬程")).toDouble(), 20.0);
    // The fitted curve is stored with the run.
    QCOMPARE(rows(QStringLiteral("选型工况")), conditionsBefore + 1);
    const QString name = QStringLiteral("tst-conditions");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_folder->databasePath());
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("SELECT \"实测阻力系数\", \"实测静扬程\" FROM \"选型工况\" ORDER BY rowid DESC")));
        QVERIFY(query.next());
        QVERIFY2(std::fabs(query.value(0).toDouble() - 0.008) < 1e-12,
                 qPrintable(QString::number(query.value(0).toDouble(), 'g', 17)));
        QVERIFY(std::fabs(query.value(1).toDouble()) < 1e-9);
    }
    QSqlDatabase::removeDatabase(name);
}

void TestFrmCalculate::designRunFindsNothing()
{
    enterDuty(QStringLiteral("100"), QStringLiteral("3000"), QStringLiteral("0"));
    click(QStringLiteral("设计"));
    auto* list = child<QListWidget>(QStringLiteral("List1"));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("没有找到满足你需要的风机！"));
    QVERIFY(!list->isEnabled());
    QCOMPARE(rows(kLatest), 0);

    // The next run with entries enables the list again.
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("设计"));
    QCOMPARE(list->count(), 3);
    QVERIFY(list->isEnabled());
}

void TestFrmCalculate::designRunInvalidDuty()
{
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("设计"));
    QCOMPARE(rows(kLatest), 3);

    enterDuty(QStringLiteral("20"), QStringLiteral(""), QStringLiteral("0"));
    child<QLineEdit>(QStringLiteral("Text1_0"))->setFocus();
    click(QStringLiteral("设计"));
    QCOMPARE(m_messages, QStringList{QStringLiteral("流量应在0～10000m3/h之间！请重新输入。")});
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(QStringLiteral("Text1_1")));
    // What ran before the validation stays done.
    QCOMPARE(child<QListWidget>(QStringLiteral("List1"))->count(), 0);
    QCOMPARE(rows(kLatest), 0);
}

void TestFrmCalculate::candidateClickShowsPump()
{
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("设计"));
    auto* list = child<QListWidget>(QStringLiteral("List1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());

    // The labels carry the figures the result row stored.
    QCOMPARE(label21(5), QStringLiteral("TW65-22B型水泵1台"));
    const auto stored = [this](const char* field) {
        return QString::fromStdString(numberText(latestValue(QString::fromUtf8(field), 1).toDouble()));
    };
    QCOMPARE(label21(1), QStringLiteral("水泵最高效率＝") + stored("水泵最高效率") + QStringLiteral("%"));
    QCOMPARE(label21(2), QStringLiteral("水泵实际扬程＝") + stored("实际扬程") + QStringLiteral("mH2O"));
    QCOMPARE(label21(3), QStringLiteral("水泵实际流量＝") + stored("实际流量") + QStringLiteral("m3/h"));
    QCOMPARE(label21(4), QStringLiteral("水泵实际效率＝") + stored("实际效率") + QStringLiteral("%"));

    // Pump B: largest flow 80 gives X = 112; largest power 7.1 gives P = 9;
    // largest head 28.8 gives Hs = 28; ticks follow.
    QCOMPARE(child<QLabel>(QStringLiteral("Label14_1"))->text(), QStringLiteral("22.4"));
    QCOMPARE(child<QLabel>(QStringLiteral("Label14_5"))->text(), QStringLiteral("112"));
    QCOMPARE(child<QLabel>(QStringLiteral("Label12_12"))->text(), QStringLiteral("1.8"));
    QCOMPARE(child<QLabel>(QStringLiteral("Label12_22"))->text(), QStringLiteral("28"));

    // The curves lie where the pump's figures put them.
    auto* picture = child<QWidget>(QStringLiteral("Picture1"));
    const QImage image = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QSize size = image.size();
    const double x = 112.0;
    const double q = 60.0;
    const double head = 30.0 - 0.003 * q * q;
    const double power = 1.5 + 0.07 * q;
    QVERIFY(colourNear(image, chartPixel(size, q, x, head, 1.5 * 28), QColor(255, 0, 0)));
    QVERIFY(colourNear(image, chartPixel(size, q, x, power, 3 * 9), QColor(255, 255, 0)));
    QVERIFY(colourNear(image, chartPixel(size, q, x, q * head / (3.672 * power), 100, -50), QColor(255, 255, 255)));
    QVERIFY(colourNear(image, chartPixel(size, 20.0, x, 0.008 * 400, 1.5 * 28), QColor(0, 255, 0)));
    // Above the head curve at that flow lies only the plot area and its grid.
    const QPointF empty = chartPixel(size, q, x, 38.0, 1.5 * 28);
    const QRgb background = image.pixel(empty.toPoint()) & 0xffffff;
    QVERIFY(background == (QColor(192, 192, 255).rgb() & 0xffffff) ||
            background == (QColor(224, 224, 224).rgb() & 0xffffff));
    // The head curve is drawn only from 0.6 to 1.5 times the operating flow.
    QVERIFY(!colourNear(image, chartPixel(size, 5.0, x, 30.0 - 0.003 * 25, 1.5 * 28), QColor(255, 0, 0), 1));

    // The grid shows the pump's row, the page tabs open, the type is kept.
    auto* grid = child<QTableView>(QStringLiteral("DataGrid1"));
    QCOMPARE(grid->currentIndex().row(), 1);
    QCOMPARE(grid->selectionModel()->selectedRows().value(0).row(), 1);
    QCOMPARE(child<QPlainTextEdit>(QStringLiteral("Text3"))->toPlainText(),
             QStringLiteral("进口DN80\n出口DN65\n长 760mm"));
    QCOMPARE(child<QLabel>(QStringLiteral("Label9"))->text(), horizontalType());
    QVERIFY(child<QWidget>(QStringLiteral("Command1"))->isEnabled());
    QVERIFY(child<QWidget>(QStringLiteral("Command5"))->isEnabled());
    QVERIFY(child<QWidget>(QStringLiteral("Frame7"))->isVisible());

    // The 9960 x 9225 twips schematic fills the viewport's width.
    QCOMPARE(child<QScrollBar>(QStringLiteral("VScroll1"))->maximum(), 1538);
    QCOMPARE(child<QScrollBar>(QStringLiteral("HScroll1"))->maximum(), 0);
    QCOMPARE(child<QWidget>(QStringLiteral("OLE1"))->size(), QSize(332, 308));

    // Another entry replaces the whole chart: at 75 m3/h B's head curve lies
    // a few pixels below A's in A's scale, and is gone.
    const double q2 = 75.0;
    QVERIFY(colourNear(image, chartPixel(size, q2, x, 30.0 - 0.003 * q2 * q2, 1.5 * 28), QColor(255, 0, 0)));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QCOMPARE(label21(5), QStringLiteral("TW50-20A型水泵1台"));
    const QImage second = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(!colourNear(second, chartPixel(size, q2, x, 30.0 - 0.003 * q2 * q2, 1.5 * 28), QColor(255, 0, 0), 1));
    QVERIFY(colourNear(second, chartPixel(size, q2, x, 28.0 - 0.0025 * q2 * q2, 1.5 * 27), QColor(255, 0, 0)));
    QCOMPARE(child<QScrollBar>(QStringLiteral("VScroll1"))->maximum(), 3075);
    QCOMPARE(grid->currentIndex().row(), 0);
    QCOMPARE(child<QLabel>(QStringLiteral("Label9"))->text(), verticalType());

    // Repaints keep the drawing.
    picture->hide();
    picture->show();
    QCOMPARE(picture->grab().toImage().convertToFormat(QImage::Format_RGB32), second);
}

void TestFrmCalculate::candidateWithoutSchematic()
{
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("设计"));
    auto* list = child<QListWidget>(QStringLiteral("List1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QCOMPARE(child<QScrollBar>(QStringLiteral("VScroll1"))->maximum(), 1538);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    QCOMPARE(child<QLabel>(QStringLiteral("Label9"))->text(), noSchematicType());
    QCOMPARE(child<QScrollBar>(QStringLiteral("VScroll1"))->maximum(), 0);
    QCOMPARE(child<QScrollBar>(QStringLiteral("HScroll1"))->maximum(), 0);
    QVERIFY(child<SchematicViewer>(QStringLiteral("OLE1"))->picture().isNull());
    QVERIFY(child<QWidget>(QStringLiteral("Command5"))->isEnabled());
}

void TestFrmCalculate::pageTabs()
{
    auto* command1 = child<QWidget>(QStringLiteral("Command1"));
    auto* command5 = child<QWidget>(QStringLiteral("Command5"));
    auto* frame7 = child<QWidget>(QStringLiteral("Frame7"));
    auto* frame4 = child<QWidget>(QStringLiteral("Frame4"));
    // Disabled tabs ignore clicks.
    QTest::mouseClick(command5, Qt::LeftButton);
    QVERIFY(frame7->isVisible());

    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("设计"));
    auto* list = child<QListWidget>(QStringLiteral("List1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());

    QTest::mouseClick(command5, Qt::LeftButton);
    QVERIFY(!frame7->isVisible());
    QVERIFY(frame4->isVisible());
    QVERIFY(child<QWidget>(QStringLiteral("Line6"))->isVisible());
    QVERIFY(!child<QWidget>(QStringLiteral("Line5"))->isVisible());

    // The curves tab puts the chart in front without hiding the schematic.
    QTest::mouseClick(command1, Qt::LeftButton);
    QVERIFY(frame7->isVisible());
    QVERIFY(frame4->isVisible());
    QVERIFY(!child<QWidget>(QStringLiteral("Line6"))->isVisible());
    QVERIFY(child<QWidget>(QStringLiteral("Line5"))->isVisible());
    QWidget* hit = m_window->childAt(frame7->geometry().center());
    QVERIFY(hit == frame7 || frame7->isAncestorOf(hit));
}

void TestFrmCalculate::checkPasses()
{
    m_window->configureMode(CalculationMode::Check, QIcon());
    const int allBefore = rows(kAll);
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("校核"));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));

    QCOMPARE(rows(kLatest), 1);
    QCOMPARE(rows(kAll), allBefore + 1);
    QCOMPARE(latestValue(QStringLiteral("选型方式")).toString(), QStringLiteral("校核"));
    const auto stored = [this](const char* field) {
        return QString::fromStdString(numberText(latestValue(QString::fromUtf8(field)).toDouble()));
    };
    QCOMPARE(label21(1), QStringLiteral("水泵最高效率＝") + stored("水泵最高效率") + QStringLiteral("%"));
    QCOMPARE(label21(2), QStringLiteral("水泵实际扬程＝") + stored("实际扬程") + QStringLiteral(" m"));
    QCOMPARE(label21(3), QStringLiteral("水泵实际流量＝") + stored("实际流量") + QStringLiteral(" m3/h"));
    QCOMPARE(label21(4), QStringLiteral("水泵实际效率＝") + stored("实际效率") + QStringLiteral("%"));
    QCOMPARE(label21(5), QStringLiteral("TW50-20A型水泵1台"));

    // The check's head scale: floor(1.2 x 27 + 0.5) = 32, the top at 48.
    QCOMPARE(child<QLabel>(QStringLiteral("Label12_22"))->text(), QStringLiteral("32"));
    QCOMPARE(child<QLabel>(QStringLiteral("Label12_18"))->text(), QStringLiteral("6.4"));
    const QImage image =
        child<QWidget>(QStringLiteral("Picture1"))->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(colourNear(image, chartPixel(image.size(), 60.0, 112.0, 28.0 - 0.0025 * 3600, 48.0), QColor(255, 0, 0)));

    QCOMPARE(child<QLabel>(QStringLiteral("Label9"))->text(), verticalType());
    QVERIFY(child<QWidget>(QStringLiteral("Command1"))->isEnabled());
    QVERIFY(child<QWidget>(QStringLiteral("Command5"))->isEnabled());
    QCOMPARE(child<QTableView>(QStringLiteral("DataGrid1"))->currentIndex().row(), 0);
    // The 2490 x 3075 twips schematic becomes 4980 x 6150.
    QCOMPARE(child<QScrollBar>(QStringLiteral("VScroll1"))->maximum(), 3075);
    QCOMPARE(child<QScrollBar>(QStringLiteral("HScroll1"))->maximum(), 0);
    QCOMPARE(child<QWidget>(QStringLiteral("OLE1"))->size(), QSize(332, 410));
}

void TestFrmCalculate::checkNotesFlowBeyondMeasured_data()
{
    QTest::addColumn<QString>("resistance");
    QTest::addColumn<QString>("flow");
    QTest::addColumn<bool>("beyond");
    // TW50-20A was measured from 20 to 80 m3/h; the second duty meets its
    // extrapolated curve at about 85 m3/h and still passes.
    QTest::newRow("inside") << u"20"_qs << u"50"_qs << false;
    QTest::newRow("beyond the largest measured flow") << u"5.8"_qs << u"65"_qs << true;
}

void TestFrmCalculate::checkNotesFlowBeyondMeasured()
{
    QFETCH(QString, resistance);
    QFETCH(QString, flow);
    QFETCH(bool, beyond);
    m_window->configureMode(CalculationMode::Check, QIcon());
    QSignalSpy notes(m_window.get(), &frmcalculate::statusNote);
    enterDuty(resistance, flow, u"0"_qs);
    click(u"校核"_qs);
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n')))); // passed, nothing modal
    QCOMPARE(rows(kLatest), 1);
    QVERIFY(!notes.isEmpty());
    const QString last = notes.constLast().constFirst().toString();
    QCOMPARE(last.contains(u"超出该水泵的实测流量范围（20～80 m3/h）"_qs), beyond);
    QCOMPARE(last.isEmpty(), !beyond);
    // A new mode takes the note away.
    m_window->configureMode(CalculationMode::Check, QIcon());
    QVERIFY(notes.constLast().constFirst().toString().isEmpty());
}

void TestFrmCalculate::checkRejects_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("flow");
    QTest::addColumn<QString>("resistance");
    QTest::addColumn<QString>("message");
    QTest::newRow("model not in the catalogue") << QStringLiteral("TW50-20A ") << QStringLiteral("50")
                                                << QStringLiteral("20") << QStringLiteral("请从列表中选择水泵型号！");
    QTest::newRow("no head fit") << QStringLiteral("TW-ONEQ") << QStringLiteral("50") << QStringLiteral("20")
                                 << QStringLiteral("您选择的水泵流量不合适，请重新选择水泵！");
    QTest::newRow("zero slope during the iteration")
        << QStringLiteral("TW-FLAT") << QStringLiteral("1") << QStringLiteral("1")
        << QStringLiteral("您选择的水泵压力不合适，请重新选择水泵！");
    QTest::newRow("head too high") << QStringLiteral("TW80-64D") << QStringLiteral("50") << QStringLiteral("20")
                                   << QStringLiteral("您选择的水泵扬程不合适，请重新选择水泵！");
    QTest::newRow("efficiency too low") << QStringLiteral("TW50-LOW") << QStringLiteral("50") << QStringLiteral("20")
                                        << QStringLiteral("您选择的水泵效率太低，请重新选择水泵！");
    QTest::newRow("no points") << QStringLiteral("TW-NOPTS") << QStringLiteral("50") << QStringLiteral("20")
                               << QStringLiteral("该水泵没有性能曲线数据，请重新选择水泵！");
}

void TestFrmCalculate::checkRejects()
{
    QFETCH(QString, model);
    QFETCH(QString, flow);
    QFETCH(QString, resistance);
    QFETCH(QString, message);
    m_window->configureMode(CalculationMode::Check, QIcon());
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("校核"));
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(rows(kLatest), 1);
    const int allBefore = rows(kAll);

    auto* combo1 = child<QComboBox>(QStringLiteral("Combo1"));
    int index = combo1->findText(model, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        // A text the list does not hold, as a damaged list would carry it.
        combo1->addItem(model);
        index = combo1->count() - 1;
    }
    combo1->setCurrentIndex(index);
    enterDuty(resistance, flow, QStringLiteral("0"));
    child<QLineEdit>(QStringLiteral("Text1_0"))->setFocus();
    click(QStringLiteral("校核"));

    QCOMPARE(m_messages, QStringList{message});
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(combo1));
    QCOMPARE(rows(kLatest), 0);
    QCOMPARE(rows(kAll), allBefore);
    for (int i = 1; i <= 5; ++i)
        QVERIFY(label21(i).isEmpty());
    QVERIFY(!child<QWidget>(QStringLiteral("Command1"))->isEnabled());
    const QImage image =
        child<QWidget>(QStringLiteral("Picture1"))->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(countColour(image, QColor(255, 0, 0)), 0);
}

void TestFrmCalculate::modelChoiceClearsDetails()
{
    m_window->configureMode(CalculationMode::Check, QIcon());
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("校核"));
    QVERIFY(!label21(5).isEmpty());

    auto* combo1 = child<QComboBox>(QStringLiteral("Combo1"));
    combo1->setFocus();
    QTest::keyClick(combo1, Qt::Key_Down);
    // Choosing by keyboard in the closed list counts as a choice, as a click does.
    QCOMPARE(combo1->currentIndex(), 1);
    for (int i = 1; i <= 5; ++i)
        QVERIFY(label21(i).isEmpty());
    QVERIFY(!child<QWidget>(QStringLiteral("Command1"))->isEnabled());
    const QImage image =
        child<QWidget>(QStringLiteral("Picture1"))->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(countColour(image, QColor(255, 0, 0)), 0);
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text1_1"))->text(), QStringLiteral("50"));
}

void TestFrmCalculate::refreshRestoresDefaults()
{
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("设计"));
    auto* list = child<QListWidget>(QStringLiteral("List1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QVERIFY(child<QWidget>(QStringLiteral("Command1"))->isEnabled());
    child<QComboBox>(QStringLiteral("Combo2"))->setCurrentIndex(0);
    child<QComboBox>(QStringLiteral("Combo3"))->setCurrentIndex(6);
    child<QComboBox>(QStringLiteral("Combo4"))->setCurrentIndex(1);
    const int latest = rows(kLatest);

    click(QStringLiteral("刷新"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(child<QLineEdit>(QStringLiteral("Text1_%1").arg(i))->text().isEmpty());
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo2"))->currentText(), QStringLiteral("m3/h"));
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo3"))->currentText(), QStringLiteral("mH2O"));
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo4"))->currentText(), QStringLiteral("mH2O"));
    QCOMPARE(child<QComboBox>(QStringLiteral("Combo1"))->currentIndex(), 0);
    QCOMPARE(list->count(), 0);
    QVERIFY(list->isEnabled());
    for (int i = 1; i <= 5; ++i)
        QVERIFY(label21(i).isEmpty());
    QVERIFY(!child<QWidget>(QStringLiteral("Command1"))->isEnabled());
    QVERIFY(!child<QWidget>(QStringLiteral("Command5"))->isEnabled());
    QCOMPARE(child<QTableView>(QStringLiteral("DataGrid1"))->currentIndex().row(), 0);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(QStringLiteral("Text1_0")));
    QCOMPARE(rows(kLatest), latest); // results are not touched
}

void TestFrmCalculate::modeLayout_data()
{
    QTest::addColumn<bool>("design");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("frame1Height");
    QTest::addColumn<int>("shape6Height");
    QTest::addColumn<int>("line42");
    QTest::addColumn<int>("refreshTop");
    QTest::addColumn<int>("frame2Top");
    QTest::addColumn<int>("frame2Height");
    QTest::addColumn<int>("shape9Height");
    QTest::newRow("design") << true << QStringLiteral("水泵设计计算") << 2175 << 2070 << 1620 << 1720 << 3900 << 2325
                            << 2220;
    QTest::newRow("check") << false << QStringLiteral("水泵校核计算") << 2655 << 2550 << 2040 << 2160 << 2670 << 3550
                           << 3450;
}

void TestFrmCalculate::modeLayout()
{
    QFETCH(bool, design);
    QFETCH(QString, caption);
    QFETCH(int, frame1Height);
    QFETCH(int, shape6Height);
    QFETCH(int, line42);
    QFETCH(int, refreshTop);
    QFETCH(int, frame2Top);
    QFETCH(int, frame2Height);
    QFETCH(int, shape9Height);

    // Start from the other mode with a pump shown, so the switch has work to do.
    m_window->configureMode(design ? CalculationMode::Check : CalculationMode::Design, QIcon());
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(design ? QStringLiteral("校核") : QStringLiteral("设计"));
    QVERIFY(m_messages.isEmpty());

    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    const QIcon icon(pixmap);
    m_window->configureMode(design ? CalculationMode::Design : CalculationMode::Check, icon);
    QCOMPARE(m_window->mode(), design ? CalculationMode::Design : CalculationMode::Check);
    QCOMPARE(m_window->windowTitle(), caption);
    QVERIFY(!m_window->windowIcon().isNull());

    QCOMPARE(child<QWidget>(QStringLiteral("Frame1"))->geometry(), twipsRect(110, 0, 2760, frame1Height));
    QCOMPARE(child<QWidget>(QStringLiteral("Shape6"))->height(), twips(shape6Height));
    QCOMPARE(child<QWidget>(QStringLiteral("Line42"))->y(), twips(line42));
    QCOMPARE(child<QWidget>(QStringLiteral("刷新"))->geometry(), twipsRect(960, refreshTop, 705, 345));
    QCOMPARE(child<QWidget>(QStringLiteral("Frame2"))->geometry(), twipsRect(110, frame2Top, 2760, frame2Height));
    QCOMPARE(child<QWidget>(QStringLiteral("Shape9"))->height(), twips(shape9Height));
    QCOMPARE(child<QWidget>(QStringLiteral("设计"))->isVisible(), design);
    QCOMPARE(child<QWidget>(QStringLiteral("校核"))->isVisible(), !design);
    QCOMPARE(child<QWidget>(QStringLiteral("Label12_0"))->isVisible(), !design);
    QCOMPARE(child<QWidget>(QStringLiteral("Combo1"))->isVisible(), !design);
    QCOMPARE(child<QWidget>(QStringLiteral("Frame5"))->isVisible(), design);

    // The switch empties what the other mode showed.
    QCOMPARE(child<QListWidget>(QStringLiteral("List1"))->count(), 0);
    for (int i = 1; i <= 5; ++i)
        QVERIFY(label21(i).isEmpty());
    QVERIFY(!child<QWidget>(QStringLiteral("Command1"))->isEnabled());
    QVERIFY(!child<QWidget>(QStringLiteral("Command5"))->isEnabled());
    QVERIFY(child<QWidget>(QStringLiteral("Frame7"))->isVisible());
    const QImage image =
        child<QWidget>(QStringLiteral("Picture1"))->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(countColour(image, QColor(255, 0, 0)), 0);
}

void TestFrmCalculate::textThreeHandsFocusToGrid()
{
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("设计"));
    auto* list = child<QListWidget>(QStringLiteral("List1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(child<QWidget>(QStringLiteral("Command5")), Qt::LeftButton);

    auto* text3 = child<QPlainTextEdit>(QStringLiteral("Text3"));
    QTest::mouseClick(text3->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(QStringLiteral("DataGrid1")));
}

void TestFrmCalculate::scrollBarsMoveSchematic()
{
    enterDuty(QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("0"));
    click(QStringLiteral("设计"));
    auto* list = child<QListWidget>(QStringLiteral("List1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    auto* ole = child<QWidget>(QStringLiteral("OLE1"));
    auto* vscroll = child<QScrollBar>(QStringLiteral("VScroll1"));
    vscroll->setValue(1500);
    QCOMPARE(ole->pos(), QPoint(0, -100));
    vscroll->setValue(vscroll->maximum());
    QCOMPARE(ole->y(), -twips(3075));
    // The bottom of the picture meets the bottom of the viewport.
    QCOMPARE(ole->y() + ole->height(), twips(3075));
}

namespace {

// With TARNWICK_SCREENSHOTS naming a folder: the window with an open list
// painted where it opens, for looking at.
void saveWithPopup(QWidget* window, QWidget* popup, const QString& name)
{
    const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QImage image = window->grab().toImage();
    {
        QPainter painter(&image);
        painter.drawPixmap(window->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
    }
    image.save(QDir(folder).filePath(name));
}

} // namespace

void TestFrmCalculate::unitChoosersShowWholeTexts()
{
    for (const QString& name : {u"Combo2"_qs, u"Combo3"_qs, u"Combo4"_qs}) {
        auto* chooser = child<UnitChooser>(name);
        // The box keeps its place and width.
        QCOMPARE(chooser->width(), twips(900));
        // Closed: every unit fits whole between the frame and the arrow.
        const QFontMetrics closed(chooser->fittingFont());
        QVERIFY(chooser->fittingFont().pointSizeF() >= 6.0);
        for (int i = 0; i < chooser->count(); ++i)
            QVERIFY2(closed.horizontalAdvance(chooser->itemText(i)) <= chooser->textArea().width(),
                     qPrintable(name + u": "_qs + chooser->itemText(i)));
        // Open: the list is wide enough for every unit with the row's margins.
        const int mmH2O = chooser->findText(u"mmH2O"_qs);
        if (mmH2O >= 0)
            chooser->setCurrentIndex(mmH2O);
        chooser->showPopup();
        QAbstractItemView* list = chooser->view();
        QTRY_VERIFY(list->isVisible());
        const QFontMetrics open(list->font());
        for (int i = 0; i < chooser->count(); ++i)
            QVERIFY2(open.horizontalAdvance(chooser->itemText(i)) + 8 <= list->viewport()->width(),
                     qPrintable(name + u" list: "_qs + chooser->itemText(i)));
        if (name == u"Combo3"_qs)
            saveWithPopup(m_window.get(), list->window(), u"unitchooser-open-mmH2O.png"_qs);
        chooser->hidePopup();
    }
}

void TestFrmCalculate::gridColumnsFitTheirTexts()
{
    // Every cell's text fits its column (the model column above all); the
    // tooltip holds the whole text.
    auto* grid = child<QTableView>(u"DataGrid1"_qs);
    QAbstractItemModel* model = grid->model();
    QVERIFY(model->rowCount() > 0);
    const QFontMetrics metrics(grid->font());
    // The cell's text margins as the style draws them, and the grid line.
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex cell = model->index(row, column);
            const QString text = cell.data().toString();
            QCOMPARE(cell.data(Qt::ToolTipRole).toString(), text);
            QVERIFY2(metrics.horizontalAdvance(text) + margins <= grid->columnWidth(column),
                     qPrintable(QStringLiteral("%1/%2: %3").arg(row).arg(column).arg(text)));
        }
    }
    // None narrower than its place in the layout.
    const int layoutWidths[] = {810, 1050, 690, 690, 600, 600, 750, 780, 750, 480};
    for (int column = 0; column < model->columnCount(); ++column)
        QVERIFY(grid->columnWidth(column) >= twips(layoutWidths[column]));
    QCOMPARE(grid->geometry().size(), twipsSize(7700, 1340));
    const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS");
    if (!folder.isEmpty())
        child<QWidget>(u"Frame3"_qs)->grab().save(QDir(folder).filePath(u"grid.png"_qs));
}

void TestFrmCalculate::largeGridIsSizedFromSampleAndLongestTexts_data()
{
    QTest::addColumn<int>("sample");
    QTest::addColumn<bool>("everyRow");

    QTest::newRow("every row of a catalogue within the sample") << 1500 << true;
    QTest::newRow("a sample and the longest texts of a larger one") << 200 << false;
}

void TestFrmCalculate::largeGridIsSizedFromSampleAndLongestTexts()
{
    QFETCH(int, sample);
    QFETCH(bool, everyRow);
    // A long model far from any sampled row still decides its column.
    QList<TestPump> pumps;
    for (int i = 1; i <= 1200; ++i)
        pumps.append(demoPump(i, QStringLiteral("P%1").arg(i), 50, 20));
    constexpr int kLongRow = 777;
    pumps[kLongRow].model = QStringLiteral("ISG-LONG-MODEL-%1").arg(QString(40, QLatin1Char('W')));
    TestProgramFolder folder(pumps);
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    auto connection = store::Connection::open(folder.databasePath());
    QVERIFY(connection);
    store::RowSet view;
    QVERIFY(view.open(connection.value(), store::names::pumpView()));
    PumpViewModel model;
    model.setRowSet(&view);
    constexpr int kModelColumn = 1;
    const std::vector<int> rows = model.widthRows(kModelColumn, sample);
    QVERIFY(std::find(rows.begin(), rows.end(), kLongRow) != rows.end());
    QCOMPARE(rows.size() == std::size_t(1200), everyRow);
    if (!everyRow) {
        QVERIFY(rows.size() < std::size_t(sample + 100));
        QCOMPARE(rows.front(), 0);
        QVERIFY(std::find(rows.begin(), rows.end(), 1199) != rows.end());
    }
    model.setRowSet(nullptr);
}

QTEST_MAIN(TestFrmCalculate)
#include "tst_frmcalculate.moc"
