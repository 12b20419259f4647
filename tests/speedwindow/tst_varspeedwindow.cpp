#include "controls/messagebox.h"
#include "shell/mdiform1.h"
#include "shell/reportwindow/datareport1.h"
#include "speedwindow/speedsheets.h"
#include "speedwindow/varspeedwindow.h"
#include "speedwindow/varspeedchart.h"
#include "tests/support/testdatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPoint>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace tarnwick;
using testing::demoPump;
using testing::TestProgramFolder;

class TestVarSpeedWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void selectionFillsTablesChartAndStore();
    void badEntryShowsMessageAndFocus_data();
    void badEntryShowsMessageAndFocus();
    void singleModelShowsItsRule();
    void menuItemsAndReport();
    void acceptedMenuMakesSheets();
    void sheetAfterASecondRunIsOfThatRun();
    void inputsShowWhatTheyMean();
    void conditionsGroupChecksSuction_data();
    void conditionsGroupChecksSuction();
    void inputsNeverLieOverEachOther_data();
    void inputsNeverLieOverEachOther();

private:
    template <typename T> T* child(const QString& name)
    {
        T* w = m_window->findChild<T*>(name);
        if (!w)
            qFatal("no child %s", qPrintable(name));
        return w;
    }
    void setText(const QString& name, const QString& text) { child<QLineEdit>(name)->setText(text); }
    void click(const QString& name) { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton); }

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<VarSpeedWindow> m_window;
    QStringList m_messages;
};

void TestVarSpeedWindow::init()
{
    auto twoPoints = demoPump(4, QStringLiteral("P4"), 50, 20);
    twoPoints.points = twoPoints.points.mid(0, 2);
    m_folder = std::make_unique<TestProgramFolder>(QList<testing::TestPump>{
        demoPump(1, QStringLiteral("P1"), 50, 20), demoPump(2, QStringLiteral("P2"), 200, 32, 1450),
        demoPump(3, QStringLiteral("P3"), 52, 21), twoPoints});
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->error()));
    m_messages.clear();
    setMessageBoxInterceptor({[this](const QString& text) {
        m_messages << text;
        return true;
    }});
    m_window = std::make_unique<VarSpeedWindow>();
    QString error;
    QVERIFY2(m_window->load(m_folder->databasePath(), &error), qPrintable(error));
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    setText(QStringLiteral("dutyBox_0"), QStringLiteral("15"));
    setText(QStringLiteral("dutyBox_1"), QStringLiteral("100"));
    setText(QStringLiteral("dutyBox_2"), QStringLiteral("3"));
}

void TestVarSpeedWindow::cleanup()
{
    m_window.reset();
    setMessageBoxInterceptor({});
    setModalInterceptor({});
}

void TestVarSpeedWindow::selectionFillsTablesChartAndStore()
{
    click(QStringLiteral("选型"));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    auto* accepted = child<QTableWidget>(QStringLiteral("acceptedTable"));
    auto* rejected = child<QTableWidget>(QStringLiteral("rejectedTable"));
    QVERIFY(accepted->rowCount() >= 2);
    QCOMPARE(accepted->rowCount() + rejected->rowCount(), 4);
    QCOMPARE(m_folder->rowCount(QStringLiteral("变速选型结果")), accepted->rowCount());

    // Ranked by annual energy, the first row shown in chart and load table.
    for (int row = 1; row < accepted->rowCount(); ++row)
        QVERIFY(accepted->item(row - 1, 8)->data(Qt::UserRole).toDouble() <=
                accepted->item(row, 8)->data(Qt::UserRole).toDouble());
    QCOMPARE(child<QTableWidget>(QStringLiteral("loadTable"))->rowCount(), 5);
    QVERIFY(!child<VarSpeedChart>(QStringLiteral("varSpeedChart"))->data().curves.isEmpty());
    QCOMPARE(QString::fromStdString(m_window->shownPump()->curves.model), accepted->item(0, 0)->text());

    // Sorting by the motor column keeps each row's pump with it.
    accepted->sortByColumn(3, Qt::DescendingOrder);
    accepted->selectRow(accepted->rowCount() - 1);
    QCOMPARE(QString::fromStdString(m_window->shownPump()->curves.model),
             accepted->item(accepted->rowCount() - 1, 0)->text());

    QStringList rules;
    for (int row = 0; row < rejected->rowCount(); ++row)
        rules << rejected->item(row, 0)->text() + QLatin1Char(':') + rejected->item(row, 1)->text();
    QVERIFY2(rules.contains(QStringLiteral("P4:无性能曲线")), qPrintable(rules.join(QLatin1Char(' '))));
}

void TestVarSpeedWindow::conditionsGroupChecksSuction_data()
{
    QTest::addColumn<QString>("temperature"); // of water; empty: the group left closed
    QTest::addColumn<QString>("suction");     // MPa gauge
    QTest::addColumn<QString>("expect");
    // Every pump's sheet asks 3 m at 50 m3/h; 95 °C water with 0.03 MPa gauge
    // offers 4.95 m, with 0.01 MPa 2.83 m.
    QTest::newRow("left closed, runs without conditions") << QString() << QString() << "plain";
    QTest::newRow("hot water, enough suction") << "95"
                                               << "0.03"
                                               << "ok";
    QTest::newRow("hot water, too little suction") << "95"
                                                   << "0.01"
                                                   << "short";
    QTest::newRow("a temperature that is no number") << "9x5"
                                                     << "0.03"
                                                     << "温度应为数字！请重新输入。";
}

void TestVarSpeedWindow::conditionsGroupChecksSuction()
{
    QFETCH(QString, temperature);
    QFETCH(QString, suction);
    QFETCH(QString, expect);
    QVERIFY(m_folder->exec(QStringLiteral("UPDATE \"水泵性能表\" SET \"流量\" = 50, \"必需汽蚀余量\" = 3")));
    auto* toggle = child<QToolButton>(QStringLiteral("ConditionsToggle"));
    auto* group = child<QWidget>(QStringLiteral("介质与吸入条件"));
    QVERIFY(!group->isVisible());
    // The impeller cut and the preferred region are the constant-speed
    // windows' alone.
    QVERIFY(!child<QWidget>(QStringLiteral("TrimBox"))->isVisibleTo(group));
    QVERIFY(!child<QWidget>(QStringLiteral("PreferredRegionBox"))->isVisibleTo(group));
    if (!temperature.isEmpty()) {
        toggle->setChecked(true);
        QVERIFY(group->isVisible());
        child<QComboBox>(QStringLiteral("FluidChooser"))->setCurrentIndex(1);
        QVERIFY(!child<QLineEdit>(QStringLiteral("densityBox"))->isEnabled());
        setText(QStringLiteral("TemperatureBox"), temperature);
        setText(QStringLiteral("SuctionPressureBox"), suction);
        child<QComboBox>(QStringLiteral("SuctionUnitChooser"))->setCurrentText(QStringLiteral("MPa"));
    }
    click(QStringLiteral("选型"));
    auto* accepted = child<QTableWidget>(QStringLiteral("acceptedTable"));
    auto* rejected = child<QTableWidget>(QStringLiteral("rejectedTable"));
    if (expect.endsWith(QStringLiteral("！请重新输入。"))) {
        QCOMPARE(m_messages, QStringList{expect});
        QVERIFY(m_folder->rowCount(QStringLiteral("变速选型结果")) <= 0);
        return;
    }
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    QStringList rules;
    for (int row = 0; row < rejected->rowCount(); ++row)
        rules << rejected->item(row, 1)->text();
    if (expect == QStringLiteral("short")) {
        QCOMPARE(accepted->rowCount(), 0);
        QVERIFY2(rules.count(QStringLiteral("汽蚀余量不足")) >= 2, qPrintable(rules.join(QLatin1Char(' '))));
        QVERIFY(m_folder->rowCount(QStringLiteral("变速选型工况")) <= 0);
        return;
    }
    QVERIFY(accepted->rowCount() >= 2);
    QVERIFY(!rules.contains(QStringLiteral("汽蚀余量不足")));
    const QString tip = child<QTableWidget>(QStringLiteral("loadTable"))->item(0, 0)->toolTip();
    if (expect == QStringLiteral("plain")) {
        QVERIFY(tip.isEmpty());
        QVERIFY(m_folder->rowCount(QStringLiteral("变速选型工况")) <= 0);
        return;
    }
    QVERIFY2(tip.startsWith(QStringLiteral("有效汽蚀余量 4.95 m，必需 3.00 m，需要 3.60 m")), qPrintable(tip));
    QCOMPARE(m_folder->rowCount(QStringLiteral("变速选型工况")), 1);
    QCOMPARE(m_folder->rowCount(QStringLiteral("变速选型附加结果")),
             m_folder->rowCount(QStringLiteral("变速选型负荷点")));
}

void TestVarSpeedWindow::badEntryShowsMessageAndFocus_data()
{
    QTest::addColumn<QString>("box");    // a line edit, or "profileTable"
    QTest::addColumn<int>("profileRow"); // the profile cell typed into, or -1
    QTest::addColumn<int>("profileColumn");
    QTest::addColumn<QString>("control"); // the control mode chosen first, or empty
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QPoint>("focusCell"); // the profile cell made current, or (-1, -1)
    const QPoint none(-1, -1);
    const auto row = [&](const char* name, const char* box, const char* text, const char* message,
                         const char* control = "") {
        QTest::newRow(name) << QString::fromUtf8(box) << -1 << -1 << QString::fromUtf8(control)
                            << QString::fromUtf8(text) << QString::fromUtf8(message) << none;
    };
    const auto profileRow = [&](const char* name, int row, int column, const char* text, const char* message,
                                QPoint focusCell) {
        QTest::newRow(name) << QStringLiteral("profileTable") << row << column << QString() << QString::fromUtf8(text)
                            << QString::fromUtf8(message) << focusCell;
    };
    row("resistance", "dutyBox_0", "0", "管路阻力应在0～2MPa之间！请重新输入。");
    row("flow", "dutyBox_1", "0", "流量应在0～10000m3/h之间！请重新输入。");
    row("static head", "dutyBox_2", "", "静扬程应在0～2MPa之间！请重新输入。");
    row("duty pumps", "dutyPumpsBox", "5", "工作泵台数应为1～4台！请重新输入。");
    row("standby pumps: a letter", "standbyPumpsBox", "x", "备用泵台数应为0～2台！请重新输入。");
    row("hours past a year", "hoursBox", "8761", "年运行时间应在0～8760h之间！请重新输入。");
    row("price", "priceBox", "101", "电价应在0～100元/kWh之间！请重新输入。");
    row("density", "densityBox", "100", "流体密度应在500～2000kg/m3之间！请重新输入。");
    row("minimum speed", "minSpeedBox", "5", "最低转速比应在10～90%之间！请重新输入。");
    row("top speed below the minimum", "maxSpeedBox", "25", "最高转速比应在最低转速比～100%之间！请重新输入。");
    row("motor margin", "motorMarginBox", "0.9", "电机功率储备系数应在1～2之间！请重新输入。");
    row("proportional start", "proportionalShareBox", "120", "比例压差起点应在0～100%之间！请重新输入。", "比例压差");
    row("critical-circuit setpoint above the resistance", "setpointBox", "16",
        "末端压差设定值应在0～管路阻力之间！请重新输入。", "末端压差");
    // A profile entry takes the focus to its own cell.
    profileRow("profile flow of the third row", 2, 0, "0", "负荷点流量比例应在0～100%之间！请重新输入。", QPoint(2, 0));
    profileRow("profile time of the second row", 1, 1, "101", "负荷点时间比例应在0～100%之间！请重新输入。",
               QPoint(1, 1));
    profileRow("times not adding up", 3, 1, "10", "各负荷点时间比例之和应为100%！请重新输入。", QPoint(0, 1));
}

void TestVarSpeedWindow::badEntryShowsMessageAndFocus()
{
    QFETCH(QString, box);
    QFETCH(int, profileRow);
    QFETCH(int, profileColumn);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QPoint, focusCell);
    if (!control.isEmpty())
        child<QComboBox>(QStringLiteral("controlCombo"))->setCurrentText(control);
    auto* profile = child<QTableWidget>(QStringLiteral("profileTable"));
    if (profileRow >= 0) {
        profile->item(profileRow, profileColumn)->setText(text);
        profile->setCurrentCell(3, 0);
    } else {
        setText(box, text);
    }
    // The focus starts elsewhere, so that the message has to move it.
    child<QWidget>(QStringLiteral("hoursBox") == box ? QStringLiteral("priceBox") : QStringLiteral("hoursBox"))
        ->setFocus();
    click(QStringLiteral("选型"));
    QCOMPARE(m_messages, QStringList{message});
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(box));
    if (focusCell.x() >= 0)
        QCOMPARE(QPoint(profile->currentRow(), profile->currentColumn()), focusCell);
    QCOMPARE(m_folder->rowCount(QStringLiteral("变速选型结果")), -1);
}

void TestVarSpeedWindow::singleModelShowsItsRule()
{
    child<QComboBox>(QStringLiteral("modelCombo"))->setCurrentText(QStringLiteral("P4"));
    click(QStringLiteral("评价"));
    QCOMPARE(child<QTabWidget>(QStringLiteral("resultTabs"))->currentIndex(), 1);
    auto* rejected = child<QTableWidget>(QStringLiteral("rejectedTable"));
    QCOMPARE(rejected->rowCount(), 1);
    QCOMPARE(rejected->item(0, 1)->text(), QStringLiteral("无性能曲线"));
    QCOMPARE(rejected->item(0, 2)->text(), QStringLiteral("没有可用的性能曲线（2个性能点）"));
    QCOMPARE(child<QTableWidget>(QStringLiteral("acceptedTable"))->rowCount(), 0);
}

void TestVarSpeedWindow::menuItemsAndReport()
{
    MDIForm1 form;
    QString error;
    QVERIFY2(form.load(m_folder->folder(), &error), qPrintable(error));
    // The original items keep their places; the new ones follow a separator.
    auto texts = [&](const QString& menu) {
        QStringList list;
        for (QAction* a : form.findChild<QMenu*>(menu)->actions())
            list << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return list;
    };
    QCOMPARE(texts(QStringLiteral("calculate")),
             (QStringList{QStringLiteral("设计计算(&S)"), QStringLiteral("校核计算(&T)"), QStringLiteral("-"),
                          QStringLiteral("变速节能选型(&V)"), QStringLiteral("-"), QStringLiteral("未入选水泵…")}));
    QCOMPARE(texts(QStringLiteral("result")),
             (QStringList{QStringLiteral("本次计算结果显示(&B)"), QStringLiteral("全部计算结果显示(&Q)"),
                          QStringLiteral("-"), QStringLiteral("本次变速选型结果显示(&V)"),
                          QStringLiteral("全部变速选型结果显示(&A)"), QStringLiteral("-"),
                          QStringLiteral("选型资料单(&S)…")}));
    QVERIFY(form.findChild<QToolBar*>(QStringLiteral("Toolbar1"))->findChild<QWidget*>(QStringLiteral("calculate3")));

    form.findChild<QAction*>(QStringLiteral("calculate3"))->trigger();
    QMdiSubWindow* sub = form.findChild<QMdiSubWindow*>(QStringLiteral("frmvarspeedSubWindow"));
    QVERIFY(sub);
    auto* window = qobject_cast<VarSpeedWindow*>(sub->widget());
    QVERIFY(window);
    window->findChild<QLineEdit*>(QStringLiteral("dutyBox_0"))->setText(QStringLiteral("15"));
    window->findChild<QLineEdit*>(QStringLiteral("dutyBox_1"))->setText(QStringLiteral("100"));
    window->findChild<QLineEdit*>(QStringLiteral("dutyBox_2"))->setText(QStringLiteral("3"));
    window->runSelection();
    const int stored = static_cast<int>(window->lastRun().run->selection.accepted.size());
    QVERIFY(stored > 0);
    window->runSelection();

    // The latest run's rows, then every run's.
    form.findChild<QAction*>(QStringLiteral("result3"))->trigger();
    QVERIFY(openResultReport());
    QCOMPARE(openResultReport()->report()->table().rowCount(), stored);
    QCOMPARE(openResultReport()->report()->table().fieldCount(), 13);
    form.findChild<QAction*>(QStringLiteral("result4"))->trigger();
    QCOMPARE(openResultReport()->report()->table().rowCount(), 2 * stored);

    // Exported with its own headings, one line per stored pump.
    const QString csv = m_folder->folder() + QStringLiteral("/varspeed.csv");
    QVERIFY(openResultReport()->exportTo(csv));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 2 * stored);
    QVERIFY2(lines[0].contains(QStringLiteral("年耗电量")) && lines[0].contains(QStringLiteral("控制方式")),
             qPrintable(lines[0]));
    closeResultReport();
}

void TestVarSpeedWindow::acceptedMenuMakesSheets()
{
    click(QStringLiteral("选型"));
    auto* accepted = child<QTableWidget>(QStringLiteral("acceptedTable"));
    QVERIFY(accepted->rowCount() >= 2);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sets.pdf"));
    QStringList seen;
    setModalInterceptor([&](QDialog& dialog) -> int {
        seen << dialog.objectName();
        if (dialog.objectName() == QStringLiteral("frmsheetheader")) {
            dialog.findChild<QPushButton*>(QStringLiteral("pdf"))->click();
            return dialog.result();
        }
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files)
            return 0;
        files->selectFile(pdf);
        return int(QDialog::Accepted);
    });
    // A right click on the second row picks it and offers both commands; the
    // second writes one page per row.
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
            texts << action->text();
        menu->close();
        menu->actions().at(1)->trigger();
    });
    emit accepted->customContextMenuRequested(accepted->visualItemRect(accepted->item(1, 0)).center());
    QCOMPARE(texts, (QStringList{QStringLiteral("生成选型资料单…"), QStringLiteral("全部入选水泵…")}));
    QCOMPARE(QString::fromStdString(m_window->shownPump()->curves.model), accepted->item(1, 0)->text());
    QCOMPARE(seen, (QStringList{QStringLiteral("frmsheetheader"), QStringLiteral("sheetFileDialog")}));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    QVERIFY(QFile::exists(pdf));
    // The picked set alone, as the first command makes it.
    const QList<DataSheet> picked = m_window->sheets()->sheetOfPickedSet({});
    QCOMPARE(picked.size(), 1);
    QCOMPARE(picked.first().model, accepted->item(1, 0)->text());
    QCOMPARE(picked.first().method, QStringLiteral("变速节能选型"));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(60000));
    const QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    QCOMPARE(pages.size() - 1, accepted->rowCount()); // a form feed ends each page
    for (int row = 0; row < accepted->rowCount(); ++row) {
        QVERIFY2(pages[row].contains(accepted->item(row, 0)->text()), qPrintable(pages[row]));
        QVERIFY(
            pages[row].contains(QStringLiteral("年耗电量 ") + accepted->item(row, 8)->text() + QStringLiteral(" kWh")));
    }
}

void TestVarSpeedWindow::sheetAfterASecondRunIsOfThatRun()
{
    // 选型, 选型 again without touching the table, then the picked set's
    // sheet from the first row's menu: the sheet is of the second run.
    click(QStringLiteral("选型"));
    click(QStringLiteral("选型"));
    auto* accepted = child<QTableWidget>(QStringLiteral("acceptedTable"));
    QVERIFY(accepted->rowCount() >= 2);
    const auto& run = m_window->lastRun().run->selection.accepted;
    const VarSpeedPump* shown = m_window->shownPump();
    QVERIFY2(shown >= run.data() && shown < run.data() + run.size(), "the detail shows a set of an earlier run");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("set.pdf"));
    setModalInterceptor([&](QDialog& dialog) -> int {
        if (dialog.objectName() == QStringLiteral("frmsheetheader")) {
            dialog.findChild<QPushButton*>(QStringLiteral("pdf"))->click();
            return dialog.result();
        }
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files)
            return 0;
        files->selectFile(pdf);
        return int(QDialog::Accepted);
    });
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->close();
        menu->actions().at(0)->trigger();
    });
    emit accepted->customContextMenuRequested(accepted->visualItemRect(accepted->item(0, 0)).center());
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    QVERIFY(QFile::exists(pdf));
    const QList<DataSheet> picked = m_window->sheets()->sheetOfPickedSet({});
    QCOMPARE(picked.size(), 1);
    QCOMPARE(picked.first().model, accepted->item(0, 0)->text());
    QCOMPARE(picked.first().varSpeed->pump.annualEnergy, run.front().annualEnergy);
}

void TestVarSpeedWindow::inputsNeverLieOverEachOther_data()
{
    QTest::addColumn<int>("height"); // of the window, pixels
    QTest::newRow("default") << 0;
    QTest::newRow("low, as in a small main window") << 500;
    QTest::newRow("very low") << 250;
}

// However low the window, the inputs keep the room they need (the panel
// scrolls): the profile table, its buttons and the boxes below never overlap.
void TestVarSpeedWindow::inputsNeverLieOverEachOther()
{
    QFETCH(int, height);
    // In the main window's area, as the program shows it.
    QMdiArea area;
    area.resize(m_window->width() + 40, height > 0 ? height : m_window->height() + 60);
    QMdiSubWindow* sub = area.addSubWindow(m_window.get());
    // The window goes back to the fixture, which deletes it, however the test ends.
    const std::unique_ptr<QMdiSubWindow, void (*)(QMdiSubWindow*)> giveBack(sub, [](QMdiSubWindow* s) {
        QWidget* window = s->widget();
        s->setWidget(nullptr);
        window->setParent(nullptr);
    });
    area.show();
    sub->resize(m_window->width() + 8, area.height() - 20);
    QCoreApplication::processEvents();
    const QWidget* panel = child<QWidget>(QStringLiteral("inputPanel"));
    QList<const QWidget*> inputs;
    for (const QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->isHidden() && !w->geometry().isEmpty())
            inputs.append(w);
    QVERIFY(inputs.size() > 20);
    for (int i = 0; i < inputs.size(); ++i)
        for (int j = i + 1; j < inputs.size(); ++j)
            QVERIFY2(!inputs[i]->geometry().intersects(inputs[j]->geometry()),
                     qPrintable(inputs[i]->objectName() + QStringLiteral(" over ") + inputs[j]->objectName()));
}

void TestVarSpeedWindow::inputsShowWhatTheyMean()
{
    // The setpoint box names the resistance's unit; the profile its sum.
    child<QComboBox>(QStringLiteral("unitCombo_0"))->setCurrentText(QStringLiteral("Pa"));
    QCOMPARE(child<QLabel>(QStringLiteral("setpointUnitLabel"))->text(), QStringLiteral("Pa"));
    auto* profile = child<QTableWidget>(QStringLiteral("profileTable"));
    QCOMPARE(child<QLabel>(QStringLiteral("profileSumLabel"))->text(), QStringLiteral("时间合计 100%"));
    profile->item(3, 1)->setText(QStringLiteral("10"));
    QCOMPARE(child<QLabel>(QStringLiteral("profileSumLabel"))->text(), QStringLiteral("时间合计 98%（应为100%）"));
    profile->item(3, 1)->setText(QStringLiteral("12"));
    child<QComboBox>(QStringLiteral("unitCombo_0"))->setCurrentText(QStringLiteral("mH2O"));

    // A closed loop: a static head typed as 0.0.
    setText(QStringLiteral("dutyBox_2"), QStringLiteral("0.0"));
    click(QStringLiteral("选型"));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    auto* accepted = child<QTableWidget>(QStringLiteral("acceptedTable"));
    QVERIFY(accepted->rowCount() >= 1);

    // At the window's default size the ranking shows at least eight rows.
    const int rowHeight = accepted->verticalHeader()->defaultSectionSize();
    QVERIFY2(accepted->viewport()->height() >= 8 * rowHeight,
             qPrintable(QStringLiteral("%1 px for rows of %2 px").arg(accepted->viewport()->height()).arg(rowHeight)));

    // The chart says which curves are one pump's and which the running set's.
    QStringList names;
    for (const auto& curve : child<VarSpeedChart>(QStringLiteral("varSpeedChart"))->data().curves)
        names << curve.name;
    QVERIFY2(names.filter(QStringLiteral("单台")).size() == 1 && names.filter(QStringLiteral("并联")).size() >= 1,
             qPrintable(names.join(QLatin1Char(' '))));
    // Shaft power per pump, input power of the set.
    auto* loads = child<QTableWidget>(QStringLiteral("loadTable"));
    QCOMPARE(loads->horizontalHeaderItem(7)->text(), QStringLiteral("单台轴功率\nkW"));
    QCOMPARE(loads->horizontalHeaderItem(10)->text(), QStringLiteral("合计输入功率\nkW"));
}

QTEST_MAIN(TestVarSpeedWindow)
#include "tst_varspeedwindow.moc"
