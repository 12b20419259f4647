#include "calcwindow/frmcalculate.h"
#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "infowindows/frmbackground.h"
#include "shell/mdiarrangement.h"
#include "shell/mdiform1.h"
#include "shell/reportwindow/datareport1.h"
#include "shell/shellicons.h"
#include "shell/startup.h"
#include "store/names.h"
#include "tests/support/testdatabase.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace tarnwick;

namespace {

// What a user can see of the main window after a command.
struct ShellState
{
    QString status;
    bool hasCalculation = false;
    int mode = -1;
    QString calculationCaption;
    QStringList shownChildren;
    QString activeChild;

    bool operator==(const ShellState&) const = default;
};

QString describe(const ShellState& s)
{
    return QStringLiteral("status=%1 calc=%2 mode=%3 caption=%4 children=[%5] active=%6")
        .arg(s.status)
        .arg(s.hasCalculation)
        .arg(s.mode)
        .arg(s.calculationCaption, s.shownChildren.join(QLatin1Char(',')), s.activeChild);
}

ShellState stateOf(MDIForm1& form)
{
    ShellState state;
    state.status = form.statusText();
    if (frmcalculate* calc = form.calculationWindow()) {
        state.hasCalculation = true;
        state.mode = static_cast<int>(calc->mode());
        state.calculationCaption = calc->windowTitle();
    }
    for (QMdiSubWindow* child : form.mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
        if (child->isVisible())
            state.shownChildren << child->windowTitle();
    }
    if (QMdiSubWindow* active = form.mdiArea()->activeSubWindow())
        state.activeChild = active->windowTitle();
    return state;
}

QAction* menuItem(MDIForm1& form, const QString& name)
{
    const QList<QAction*> found = form.findChildren<QAction*>(name);
    return found.size() == 1 ? found.first() : nullptr;
}

QToolButton* toolbarButton(MDIForm1& form, const QString& key)
{
    auto* toolbar = form.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    return toolbar ? toolbar->findChild<QToolButton*>(key) : nullptr;
}

QLabel* panel(MDIForm1& form, int n)
{
    return form.statusBar()->findChild<QLabel*>(QStringLiteral("Panel%1").arg(n));
}

} // namespace

class TestMDIForm1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadEmptiesLatestResults_data();
    void loadEmptiesLatestResults();
    void loadFailsWithMessage_data();
    void loadFailsWithMessage();
    void startWithoutDatabase();

    void menuBarStructure();
    void toolbarButtons();
    void statusBarPanels();
    void statusTextAfterCommand_data();
    void statusTextAfterCommand();
    void toolbarAndMenuLeaveSameState_data();
    void toolbarAndMenuLeaveSameState();
    void unknownToolbarKeyDoesNothing();
    void commandsOpenTheirWindows();

    void modeSwitchReconfiguresSameWindow();
    void modeSwitchEmptiesResults();
    void resultReportOffersConditionFigures_data();
    void resultReportOffersConditionFigures();
    void calculationNotesInStatusBar();
    void calculationWindowPlacement();
    void closedCalculationWindowIsCreatedAgain();
    void windowMenuListsChildren();
    void arrangementCommands_data();
    void arrangementCommands();
    void lockIndicatorsFollowKeys();
    void screenshots();

    void exitEndsAtOnce();

private:
    // A fresh program folder with two pumps and the given result rows.
    bool makeFolder(int allRows, int latestRows);
    std::unique_ptr<MDIForm1> loadedForm(int allRows = 0, int latestRows = 0);

    std::unique_ptr<testing::TestProgramFolder> m_folder;
    QStringList m_messages;
    QStringList m_dialogs;
};

void TestMDIForm1::initTestCase()
{
    setMessageBoxInterceptor({[this](const QString& text) {
        m_messages << text;
        return true;
    }});
    // Modal windows are recorded, never run.
    setModalInterceptor([this](QDialog& dialog) {
        m_dialogs << dialog.windowTitle();
        return int(QDialog::Accepted);
    });
}

void TestMDIForm1::init()
{
    m_messages.clear();
    m_dialogs.clear();
}

void TestMDIForm1::cleanup()
{
    m_folder.reset();
}

bool TestMDIForm1::makeFolder(int allRows, int latestRows)
{
    m_folder = std::make_unique<testing::TestProgramFolder>(QList<testing::TestPump>{
        testing::demoPump(1, u"IS50-32-160"_qs, 12.5, 32), testing::demoPump(2, u"IS65-50-160"_qs, 25, 32)});
    if (!m_folder->isValid()) {
        qWarning() << "test database:" << m_folder->error();
        return false;
    }
    const auto insertRows = [this](const QString& table, int count, const QString& method) {
        for (int i = 0; i < count; ++i) {
            const QString sql = QStringLiteral("INSERT INTO \"%1\" (\"%4\") VALUES ('2024-01-02 10:00:%2', '%3', 20, 50, 0, "
                                               "'IS65-50-160', 76, 32.2, 51.3, 74)")
                                    .arg(table)
                                    .arg(i % 60, 2, 10, QLatin1Char('0'))
                                    .arg(method)
                                    .arg(store::names::resultFields().join(QStringLiteral("\", \"")));
            if (!m_folder->exec(sql))
                return false;
        }
        return true;
    };
    return insertRows(store::names::allResultsTable(), allRows, u"设计"_qs) &&
           insertRows(store::names::latestResultsTable(), latestRows, u"校核"_qs);
}

std::unique_ptr<MDIForm1> TestMDIForm1::loadedForm(int allRows, int latestRows)
{
    if (!makeFolder(allRows, latestRows))
        return nullptr;
    QString error;
    auto form = std::make_unique<MDIForm1>();
    if (!form->load(m_folder->folder(), &error)) {
        qWarning() << "load:" << error;
        return nullptr;
    }
    form->show();
    return form;
}

void TestMDIForm1::loadEmptiesLatestResults_data()
{
    QTest::addColumn<int>("allRows");
    QTest::addColumn<int>("latestRows");
    QTest::newRow("both empty") << 0 << 0;
    QTest::newRow("latest left by last run") << 5 << 3;
    QTest::newRow("one latest row") << 1 << 1;
    QTest::newRow("only all results") << 4 << 0;
}

void TestMDIForm1::loadEmptiesLatestResults()
{
    QFETCH(int, allRows);
    QFETCH(int, latestRows);
    QVERIFY(makeFolder(allRows, latestRows));
    QCOMPARE(m_folder->rowCount(store::names::latestResultsTable()), latestRows);

    MDIForm1 form;
    QString error;
    QVERIFY2(form.load(m_folder->folder(), &error), qPrintable(error));
    QCOMPARE(m_folder->rowCount(store::names::latestResultsTable()), 0);
    QCOMPARE(m_folder->rowCount(store::names::allResultsTable()), allRows);
    // The main window's own row sets see the same.
    QCOMPARE(form.latestResults().recordCount(), 0);
    QVERIFY(form.latestResults().eof());
    QCOMPARE(form.allResults().recordCount(), allRows);
    QVERIFY(m_messages.isEmpty());
}

void TestMDIForm1::loadFailsWithMessage_data()
{
    QTest::addColumn<QStringList>("damage");
    QTest::addColumn<bool>("removeFile");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing file") << QStringList() << true << store::names::databaseFileName();
    QTest::newRow("not a database") << QStringList{u"garbage"_qs} << false << u"不是本程序的数据库文件"_qs;
    QTest::newRow("no latest results table")
        << QStringList{QStringLiteral("DROP TABLE \"水泵选型结果1\"")} << false << store::names::latestResultsTable();
    QTest::newRow("no all results table")
        << QStringList{QStringLiteral("DROP TABLE \"水泵选型结果\"")} << false << store::names::allResultsTable();
}

void TestMDIForm1::loadFailsWithMessage()
{
    QFETCH(QStringList, damage);
    QFETCH(bool, removeFile);
    QFETCH(QString, expected);
    QVERIFY(makeFolder(2, 2));
    const QString path = m_folder->databasePath();
    if (removeFile)
        QVERIFY(QFile::remove(path));
    if (damage == QStringList{u"garbage"_qs}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("This is a text file, not a database.\n");
    } else {
        for (const QString& statement : damage)
            QVERIFY(m_folder->exec(statement));
    }

    MDIForm1 form;
    QString error;
    QVERIFY(!form.load(m_folder->folder(), &error));
    QVERIFY2(error.contains(expected), qPrintable(error));
    // A Chinese sentence first; the driver's own words may follow.
    QVERIFY2(!error.isEmpty() && error.at(0) >= QChar(0x4E00) && error.at(0) <= QChar(0x9FFF), qPrintable(error));
    QVERIFY(!form.isVisible());
    // A missing file is never created by trying to open it.
    QCOMPARE(QFile::exists(path), !removeFile);
}

void TestMDIForm1::startWithoutDatabase()
{
    QVERIFY(makeFolder(0, 0));
    QVERIFY(QFile::remove(m_folder->databasePath()));
    const auto form = openMainWindow(m_folder->folder());
    QVERIFY(!form);
    QCOMPARE(m_messages.size(), 1);
    const QString expectedPath = QDir::toNativeSeparators(m_folder->databasePath());
    QVERIFY2(m_messages.first().contains(expectedPath), qPrintable(m_messages.first()));
    QVERIFY(m_messages.first().contains(QStringLiteral("找不到数据库文件")));
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
}

void TestMDIForm1::menuBarStructure()
{
    MDIForm1 form;
    // level, name, caption
    const QList<std::tuple<int, QString, QString>> expected = {
        {1, u"calculate"_qs, u"选型计算(&C)"_qs},
        {2, u"calculate1"_qs, u"设计计算(&S)"_qs},
        {2, u"calculate2"_qs, u"校核计算(&T)"_qs},
        {2, u"calculate3"_qs, u"变速节能选型(&V)"_qs},
        {2, u"rejectedPumps"_qs, u"未入选水泵…"_qs},
        {1, u"result"_qs, u"结果显示(&R)"_qs},
        {2, u"result1"_qs, u"本次计算结果显示(&B)"_qs},
        {2, u"result2"_qs, u"全部计算结果显示(&Q)"_qs},
        {2, u"result3"_qs, u"本次变速选型结果显示(&V)"_qs},
        {2, u"result4"_qs, u"全部变速选型结果显示(&A)"_qs},
        {2, u"dataSheet"_qs, u"选型资料单(&S)…"_qs},
        {1, u"principle"_qs, u"选型原理(&P)"_qs},
        {1, u"introduction"_qs, u"公司及产品介绍(&I)"_qs},
        {2, u"introduction1"_qs, u"公司简介(&C)"_qs},
        {2, u"introduction2"_qs, u"产品简介(&P)"_qs},
        {1, u"data"_qs, u"数据(&D)"_qs},
        {2, u"catalogueMaintenance"_qs, u"水泵目录维护(&M)…"_qs},
        {2, u"databaseConnection"_qs, u"数据库连接(&B)…"_qs},
        {1, u"window"_qs, u"窗口(&W)"_qs},
        {2, u"cascade"_qs, u"层叠(&C)"_qs},
        {2, u"tile"_qs, u"平铺(&T)"_qs},
        {3, u"horizontal"_qs, u"水平平铺(&H)"_qs},
        {3, u"vertical"_qs, u"垂直平铺(&V)"_qs},
        {2, u"array"_qs, u"排列图标(&A)"_qs},
        {1, u"language"_qs, u"语言/Language(&L)"_qs},
        {2, u"languageChinese"_qs, u"中文"_qs},
        {2, u"languageEnglish"_qs, u"English"_qs},
        {1, u"help"_qs, u"帮助(&H)"_qs},
        {2, u"content"_qs, u"内容(&C)"_qs},
        {2, u"about"_qs, u"关于本软件(&A)"_qs},
        {1, u"exit"_qs, u"退出(&E)"_qs},
    };
    QList<std::tuple<int, QString, QString>> actual;
    std::function<void(const QList<QAction*>&, int)> walk = [&](const QList<QAction*>& actions, int level) {
        for (QAction* action : actions) {
            if (action->isSeparator())
                continue;
            actual.append({level, action->objectName(), action->text()});
            if (action->menu())
                walk(action->menu()->actions(), level + 1);
        }
    };
    walk(form.menuBar()->actions(), 1);
    QCOMPARE(actual, expected);
    // The added items each stand after a separator, below the two calculations.
    const QList<QAction*> calculate = menuItem(form, u"calculate"_qs)->menu()->actions();
    QCOMPARE(calculate.size(), 6);
    QVERIFY(calculate[2]->isSeparator());
    QVERIFY(calculate[4]->isSeparator());
    m_messages.clear();
    calculate[5]->trigger();
    QCOMPARE(m_messages, QStringList{u"请先进行设计计算。"_qs});

    // Submenus carry the item name too, and only the two plain top-level items
    // act from the menu bar itself.
    for (const auto& [level, name, caption] : expected) {
        QAction* action = menuItem(form, name);
        QVERIFY2(action, qPrintable(name));
        if (action->menu())
            QCOMPARE(action->menu()->objectName(), name);
    }
    QVERIFY(!menuItem(form, u"principle"_qs)->menu());
    QVERIFY(!menuItem(form, u"exit"_qs)->menu());
}

void TestMDIForm1::toolbarButtons()
{
    MDIForm1 form;
    form.show();
    auto* toolbar = form.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    QVERIFY(toolbar);
    const QList<std::pair<QString, QString>> expected = {
        {u"calculate1"_qs, u"设计计算"_qs},      {u"calculate2"_qs, u"校核计算"_qs},
        {u"result1"_qs, u"本次计算结果显示"_qs}, {u"result2"_qs, u"全部计算结果显示"_qs},
        {u"principle"_qs, u"选型原理"_qs},       {u"introduction1"_qs, u"公司简介"_qs},
        {u"introduction2"_qs, u"产品简介"_qs},   {u"calculate3"_qs, u"变速节能选型"_qs},
    };
    QList<std::pair<QString, QString>> actual;
    int lastX = -1;
    QSet<size_t> images;
    for (QAction* action : toolbar->actions()) {
        if (action->isSeparator())
            continue;
        auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
        QVERIFY(button);
        actual.append({button->objectName(), button->toolTip()});
        // The button is the menu item's own action, not a copy of it.
        QCOMPARE(button->defaultAction(), menuItem(form, button->objectName()));
        // The menus, the menu bar's own items too, show captions, no pictures.
        QVERIFY(action->icon().isNull());
        QVERIFY2(button->x() > lastX, "buttons left to right");
        lastX = button->x();
        const QPixmap pixmap = button->icon().pixmap(32, 32);
        QCOMPARE(pixmap.size(), QSize(32, 32));
        const QImage image = pixmap.toImage();
        images.insert(qHash(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes())));
    }
    QCOMPARE(actual, expected);
    QCOMPARE(images.size(), 8); // every button its own picture
    // A change of the action (here: its tooltip) leaves the button its picture.
    QToolButton* principle = toolbarButton(form, u"principle"_qs);
    principle->defaultAction()->setToolTip(u"选型原理"_qs + u" "_qs);
    QVERIFY(!principle->icon().isNull());
    QCOMPARE(toolbar->height(), twips(600));
}

void TestMDIForm1::statusBarPanels()
{
    auto form = loadedForm();
    QVERIFY(form);
    QStatusBar* bar = form->findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    QVERIFY(bar);
    QVERIFY(panel(*form, 1)->text().isEmpty());
    QCOMPARE(panel(*form, 2)->text(), u"CAPS"_qs);
    QCOMPARE(panel(*form, 3)->text(), u"NUM"_qs);
    QCOMPARE(panel(*form, 4)->text(), QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    QVERIFY(!panel(*form, 5)->text().isEmpty());
    // Left to right in the stated order, the text panel the widest.
    for (int n = 2; n <= 5; ++n) {
        QVERIFY(panel(*form, n)->x() > panel(*form, n - 1)->x());
        QVERIFY(panel(*form, 1)->width() > 2 * panel(*form, n)->width());
    }
    // The clock is kept current: a changed panel is rewritten within a second.
    panel(*form, 5)->setText(QString());
    QTRY_VERIFY_WITH_TIMEOUT(!panel(*form, 5)->text().isEmpty(), 2500);
}

void TestMDIForm1::statusTextAfterCommand_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("expected");
    QTest::newRow("design") << QStringList{u"calculate1"_qs} << u"设计计算"_qs;
    QTest::newRow("check") << QStringList{u"calculate2"_qs} << u"校核计算"_qs;
    QTest::newRow("latest results") << QStringList{u"result1"_qs} << u"本次计算结果显示"_qs;
    QTest::newRow("all results") << QStringList{u"result2"_qs} << u"全部计算结果显示"_qs;
    QTest::newRow("check then design") << QStringList{u"calculate2"_qs, u"calculate1"_qs} << u"设计计算"_qs;
    QTest::newRow("design then all results") << QStringList{u"calculate1"_qs, u"result2"_qs} << u"全部计算结果显示"_qs;
    QTest::newRow("help pages keep the text") << QStringList{u"result1"_qs,       u"principle"_qs, u"introduction1"_qs,
                                                             u"introduction2"_qs, u"content"_qs,   u"about"_qs}
                                              << u"本次计算结果显示"_qs;
    QTest::newRow("arrangement keeps the text")
        << QStringList{u"calculate2"_qs, u"cascade"_qs, u"horizontal"_qs, u"vertical"_qs, u"array"_qs}
        << u"校核计算"_qs;
}

void TestMDIForm1::statusTextAfterCommand()
{
    QFETCH(QStringList, commands);
    QFETCH(QString, expected);
    auto form = loadedForm();
    QVERIFY(form);
    for (const QString& command : commands) {
        QAction* action = menuItem(*form, command);
        QVERIFY2(action, qPrintable(command));
        action->trigger();
    }
    QCOMPARE(form->statusText(), expected);
    QCOMPARE(panel(*form, 1)->text(), expected);
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
}

void TestMDIForm1::toolbarAndMenuLeaveSameState_data()
{
    QTest::addColumn<QStringList>("keys");
    const QStringList all = {u"calculate1"_qs, u"calculate2"_qs,    u"result1"_qs,      u"result2"_qs,
                             u"principle"_qs,  u"introduction1"_qs, u"introduction2"_qs};
    for (const QString& key : all)
        QTest::newRow(qPrintable(key)) << QStringList{key};
    QTest::newRow("design, check, design") << QStringList{u"calculate1"_qs, u"calculate2"_qs, u"calculate1"_qs};
    QTest::newRow("check, latest, all") << QStringList{u"calculate2"_qs, u"result1"_qs, u"result2"_qs};
}

void TestMDIForm1::toolbarAndMenuLeaveSameState()
{
    QFETCH(QStringList, keys);
    auto byMenu = loadedForm();
    QVERIFY(byMenu);
    const ShellState initial = stateOf(*byMenu);
    for (const QString& key : keys)
        menuItem(*byMenu, key)->trigger();
    const ShellState menuState = stateOf(*byMenu);
    byMenu.reset();

    auto byToolbar = loadedForm();
    QVERIFY(byToolbar);
    QCOMPARE(stateOf(*byToolbar), initial);
    for (const QString& key : keys) {
        QToolButton* button = toolbarButton(*byToolbar, key);
        QVERIFY2(button, qPrintable(key));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    const ShellState toolbarState = stateOf(*byToolbar);
    QVERIFY2(toolbarState == menuState,
             qPrintable(describe(toolbarState) + QStringLiteral("\n  vs ") + describe(menuState)));
    if (keys.contains(u"calculate1"_qs) || keys.contains(u"calculate2"_qs))
        QVERIFY(toolbarState.hasCalculation);
}

void TestMDIForm1::unknownToolbarKeyDoesNothing()
{
    auto form = loadedForm();
    QVERIFY(form);
    form->OpenCheckMode();
    const ShellState before = stateOf(*form);
    for (const QString& key : {u""_qs, u"Calculate1"_qs, u"calculate1 "_qs, u"exit"_qs, u"content"_qs, u"about"_qs})
        form->Toolbar1_ButtonClick(key);
    QCOMPARE(stateOf(*form), before);
    QVERIFY(form->isVisible());
}

void TestMDIForm1::modeSwitchReconfiguresSameWindow()
{
    auto form = loadedForm();
    QVERIFY(form);
    QVERIFY(!form->calculationWindow());

    menuItem(*form, u"calculate2"_qs)->trigger();
    QPointer<frmcalculate> calc = form->calculationWindow();
    QVERIFY(calc);
    auto visible = [&](const QString& name) {
        QWidget* widget = calc->findChild<QWidget*>(name);
        return widget && !widget->isHidden();
    };
    auto frame1Height = [&] { return calc->findChild<QWidget*>(u"Frame1"_qs)->height(); };

    QCOMPARE(calc->mode(), CalculationMode::Check);
    QCOMPARE(calc->windowTitle(), u"水泵校核计算"_qs);
    QVERIFY(visible(u"校核"_qs));
    QVERIFY(!visible(u"设计"_qs));
    QVERIFY(visible(u"Combo1"_qs));
    QVERIFY(!visible(u"Frame5"_qs));
    QCOMPARE(frame1Height(), twips(2655));

    menuItem(*form, u"calculate1"_qs)->trigger();
    QCOMPARE(form->calculationWindow(), calc.data());
    QCOMPARE(calc->mode(), CalculationMode::Design);
    QCOMPARE(calc->windowTitle(), u"水泵设计计算"_qs);
    QVERIFY(!visible(u"校核"_qs));
    QVERIFY(visible(u"设计"_qs));
    QVERIFY(!visible(u"Combo1"_qs));
    QVERIFY(visible(u"Frame5"_qs));
    QCOMPARE(frame1Height(), twips(2175));

    // Never a second calculation window, whichever way it is opened.
    QTest::mouseClick(toolbarButton(*form, u"calculate2"_qs), Qt::LeftButton);
    QTest::mouseClick(toolbarButton(*form, u"calculate1"_qs), Qt::LeftButton);
    QCOMPARE(form->findChildren<frmcalculate*>().size(), 1);
    QCOMPARE(form->mdiArea()->subWindowList().size(), 2); // with the background window
    QCOMPARE(form->calculationWindow(), calc.data());
    QVERIFY(calc->isVisible());
    QCOMPARE(form->mdiArea()->activeSubWindow()->widget(), calc.data());
    // The subwindow shows the mode's caption and the mode's image of the
    // toolbar's list, never the main window's icon.
    QCOMPARE(form->mdiArea()->activeSubWindow()->windowTitle(), u"水泵设计计算"_qs);
    auto image = [](const QIcon& icon) { return icon.pixmap(32, 32).toImage(); };
    QMdiSubWindow* sub = form->mdiArea()->activeSubWindow();
    QCOMPARE(image(sub->windowIcon()), image(imageListIcon(1)));
    QVERIFY(image(sub->windowIcon()) != image(form->windowIcon()));
    menuItem(*form, u"calculate2"_qs)->trigger();
    QCOMPARE(image(sub->windowIcon()), image(imageListIcon(2)));
}

void TestMDIForm1::calculationNotesInStatusBar()
{
    auto form = loadedForm();
    QVERIFY(form);
    form->OpenCheckMode();
    frmcalculate* calc = form->calculationWindow();
    QVERIFY(calc);
    // A note shows without a box and without taking the mode's text.
    const QString note = u"注意：工作点流量 85 m3/h 超出该水泵的实测流量范围（20～80 m3/h），该处性能为曲线外推值。"_qs;
    emit calc->statusNote(note);
    QCOMPARE(form->statusBar()->currentMessage(), note);
    QCOMPARE(form->statusText(), u"校核计算"_qs);
    QVERIFY(m_messages.isEmpty());
    form->OpenDesignMode(); // the window takes its note away on a new mode
    QVERIFY(form->statusBar()->currentMessage().isEmpty());
}

void TestMDIForm1::resultReportOffersConditionFigures_data()
{
    QTest::addColumn<QString>("temperature"); // of water; empty: the conditions left alone
    QTest::addColumn<QString>("earlier");     // of a run just before, usually within the same second
    QTest::newRow("a run without the liquid: the report as it was") << QString() << QString();
    QTest::newRow("a run with hot water: its figures one button away") << u"80"_qs << QString();
    QTest::newRow("two runs in a second: the latest shows the last one's") << u"80"_qs << u"60"_qs;
}

void TestMDIForm1::resultReportOffersConditionFigures()
{
    QFETCH(QString, temperature);
    QFETCH(QString, earlier);
    auto form = loadedForm();
    QVERIFY(form);
    form->OpenDesignMode();
    frmcalculate* calc = form->calculationWindow();
    QVERIFY(calc);
    // The second demo pump's best point: it is listed.
    const QStringList duty = {u"32"_qs, u"25"_qs, u"0"_qs};
    for (int i = 0; i < 3; ++i)
        calc->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(i))->setText(duty.at(i));
    QWidget* design = calc->findChild<QWidget*>(u"设计"_qs);
    QStringList runs = {temperature};
    if (!earlier.isEmpty())
        runs.prepend(earlier);
    for (const QString& t : std::as_const(runs)) {
        if (!t.isEmpty()) {
            calc->findChild<QComboBox*>(u"FluidChooser"_qs)->setCurrentIndex(1);
            calc->findChild<QLineEdit*>(u"TemperatureBox"_qs)->setText(t);
        }
        QTest::mouseClick(design, Qt::LeftButton, {}, design->rect().center());
    }
    auto* list = calc->findChild<QListWidget*>(u"List1"_qs);
    QVERIFY2(list->isEnabled() && list->count() > 0, qPrintable(m_messages.join(QLatin1Char('\n'))));
    for (const QString& item : {u"result1"_qs, u"result2"_qs}) {
        menuItem(*form, item)->trigger();
        DataReport1* report = openResultReport();
        QVERIFY(report);
        const int results = report->report()->table().rowCount();
        auto* second = report->findChild<QAction*>(u"secondTable"_qs);
        QCOMPARE(second != nullptr, !temperature.isEmpty());
        if (!second)
            continue;
        // The pumps of the one run with the liquid, each with its
        // temperature; and back.
        const QString title = report->report()->table().title();
        second->trigger();
        const report::ResultTable& figures = report->report()->table();
        QCOMPARE(figures.title(), u"介质、汽蚀与叶轮切削计算结果"_qs);
        if (item == u"result1"_qs) {
            QCOMPARE(figures.rowCount(), list->count());
            for (int row = 0; row < figures.rowCount(); ++row)
                QCOMPARE(figures.text(row, 4), temperature);
        } else {
            QCOMPARE(figures.rowCount(), list->count() * (earlier.isEmpty() ? 1 : 2));
            QCOMPARE(figures.text(figures.rowCount() - 1, 4), temperature);
        }
        second->trigger();
        QCOMPARE(report->report()->table().rowCount(), results);
        QCOMPARE(report->report()->table().title(), title);
    }
    closeResultReport();
    QVERIFY(m_messages.isEmpty());
}

void TestMDIForm1::modeSwitchEmptiesResults()
{
    auto form = loadedForm();
    QVERIFY(form);
    form->OpenDesignMode();
    frmcalculate* calc = form->calculationWindow();
    QVERIFY(calc);
    // A design run that lists the second demo pump: 20 m resistance at 25 m3/h.
    const QStringList duty = {u"20"_qs, u"25"_qs, u"0"_qs};
    for (int i = 0; i < 3; ++i) {
        auto* box = calc->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(i));
        QVERIFY(box);
        box->setText(duty.at(i));
    }
    auto* list = calc->findChild<QListWidget*>(u"List1"_qs);
    QVERIFY(list);
    QWidget* design = calc->findChild<QWidget*>(u"设计"_qs);
    QTest::mouseClick(design, Qt::LeftButton, {}, design->rect().center());
    QVERIFY2(list->count() > 0, qPrintable(m_messages.join(QLatin1Char('\n'))));
    // Whatever the figures show of the last run goes with the mode change.
    for (int i = 1; i <= 5; ++i) {
        auto* figure = calc->findChild<QLabel*>(QStringLiteral("Label21_%1").arg(i));
        QVERIFY(figure);
        figure->setText(u"42"_qs);
    }

    // The other mode starts clean, in the same window.
    form->OpenCheckMode();
    QCOMPARE(form->calculationWindow(), calc);
    QCOMPARE(list->count(), 0);
    for (int i = 1; i <= 5; ++i)
        QVERIFY(calc->findChild<QLabel*>(QStringLiteral("Label21_%1").arg(i))->text().isEmpty());
}

void TestMDIForm1::calculationWindowPlacement()
{
    auto form = loadedForm();
    QVERIFY(form);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    form->OpenDesignMode();
    QMdiSubWindow* sub = form->mdiArea()->activeSubWindow();
    QVERIFY(sub);
    // The keyboard goes to the calculation window.
    QTRY_VERIFY(form->calculationWindow()->isAncestorOf(QApplication::focusWidget()));
    const int screenWidth = form->screen()->geometry().width();
    const int room = std::max(0, form->mdiArea()->viewport()->width() - sub->width());
    QCOMPARE(sub->y(), 0);
    QCOMPARE(sub->x(), std::clamp((screenWidth - sub->width()) / 2, 0, room));

    // Moved away, the next mode command puts it back.
    sub->move(37, 41);
    form->OpenCheckMode();
    QCOMPARE(sub->y(), 0);
    QCOMPARE(sub->x(), std::clamp((screenWidth - sub->width()) / 2, 0, room));
}

void TestMDIForm1::closedCalculationWindowIsCreatedAgain()
{
    auto form = loadedForm();
    QVERIFY(form);
    form->OpenCheckMode();
    QPointer<frmcalculate> first = form->calculationWindow();
    QVERIFY(first);
    form->mdiArea()->activeSubWindow()->close();
    QTRY_VERIFY(!first);
    QVERIFY(!form->calculationWindow());

    form->OpenDesignMode();
    QVERIFY(form->calculationWindow());
    QCOMPARE(form->calculationWindow()->mode(), CalculationMode::Design);
    QVERIFY(form->calculationWindow()->isVisible());
    QCOMPARE(form->mdiArea()->subWindowList().size(), 2); // with the background window
}

void TestMDIForm1::commandsOpenTheirWindows()
{
    auto form = loadedForm(3, 0);
    QVERIFY(form);
    // The help pages and the about window are modal: the interceptor sees them.
    const QList<std::pair<QString, QString>> modal = {
        {u"content"_qs, u"帮助"_qs},
        {u"principle"_qs, u"选型原理"_qs},
        {u"introduction1"_qs, u"公司简介"_qs},
        {u"introduction2"_qs, u"产品介绍"_qs},
    };
    for (const auto& [item, caption] : modal) {
        m_dialogs.clear();
        menuItem(*form, item)->trigger();
        QCOMPARE(m_dialogs, QStringList{caption});
    }
    m_dialogs.clear();
    menuItem(*form, u"about"_qs)->trigger();
    QCOMPARE(m_dialogs.size(), 1);

    // The result views open one report window, outside the main window.
    menuItem(*form, u"result1"_qs)->trigger();
    QPointer<DataReport1> latest = openResultReport();
    QVERIFY(latest);
    QCOMPARE(latest->windowTitle(), u"本次选型计算结果"_qs);
    QVERIFY(latest->isVisible());
    QVERIFY(!form->isAncestorOf(latest));
    QCOMPARE(latest->report()->table().rowCount(), 0);
    // A row another program stores while the window is open is in the
    // report of all results: it is read when the report is asked for.
    QVERIFY(m_folder->exec(u"INSERT INTO \"水泵选型结果\" (\"所选型号\") VALUES ('other')"_qs));
    menuItem(*form, u"result2"_qs)->trigger();
    QTRY_VERIFY(!latest);
    QVERIFY(openResultReport());
    QCOMPARE(openResultReport()->windowTitle(), u"全部选型计算结果"_qs);
    QCOMPARE(openResultReport()->report()->table().rowCount(), 4);
    closeResultReport();
    QVERIFY(m_messages.isEmpty());
}

void TestMDIForm1::windowMenuListsChildren()
{
    auto form = loadedForm();
    QVERIFY(form);
    auto* menu = form->findChild<QMenu*>(u"window"_qs);
    QVERIFY(menu);
    const int fixed = static_cast<int>(menu->actions().size());

    // The background window is the first child from the start, at its own size.
    auto* background = form->findChild<frmbackground*>();
    QVERIFY(background);
    QCOMPARE(form->mdiArea()->subWindowList(QMdiArea::CreationOrder).first()->widget(), background);
    QCOMPARE(background->size(), twipsSize(12000, 9000));
    emit menu->aboutToShow();
    QList<QAction*> entries = menu->actions().mid(fixed);
    QCOMPARE(entries.size(), 2);
    QVERIFY(entries.at(0)->isSeparator());
    QCOMPARE(entries.at(1)->text(), u"&1 背景"_qs);

    form->OpenCheckMode();
    auto* other = form->mdiArea()->addSubWindow(new QWidget);
    other->setWindowTitle(u"R&D"_qs);
    other->show();
    form->mdiArea()->setActiveSubWindow(other);

    emit menu->aboutToShow();
    entries = menu->actions().mid(fixed);
    QCOMPARE(entries.size(), 4);
    QVERIFY(entries.at(0)->isSeparator());
    QCOMPARE(entries.at(2)->text(), u"&2 水泵校核计算"_qs);
    QCOMPARE(entries.at(3)->text(), u"&3 R&&D"_qs);
    QVERIFY(!entries.at(2)->isChecked());
    QVERIFY(entries.at(3)->isChecked());

    entries.at(2)->trigger();
    QCOMPARE(form->mdiArea()->activeSubWindow()->widget(), form->calculationWindow());

    // Re-opening rebuilds the list instead of adding to it.
    emit menu->aboutToShow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    entries = menu->actions().mid(fixed);
    QCOMPARE(entries.size(), 4);
    QVERIFY(entries.at(2)->isChecked());
}

void TestMDIForm1::arrangementCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("children");
    for (const QString& command : {u"cascade"_qs, u"horizontal"_qs, u"vertical"_qs, u"array"_qs}) {
        for (int n : {0, 1, 2})
            QTest::addRow("%s, %d children", qPrintable(command), n) << command << n;
    }
}

void TestMDIForm1::arrangementCommands()
{
    QFETCH(QString, command);
    QFETCH(int, children);
    auto form = loadedForm();
    QVERIFY(form);
    if (children >= 1)
        form->OpenDesignMode();
    if (children >= 2) {
        auto* other = form->mdiArea()->addSubWindow(new QWidget);
        other->resize(300, 200);
        other->show();
    }
    const QList<QMdiSubWindow*> windows = form->mdiArea()->subWindowList();
    QCOMPARE(windows.size(), children + 1); // the background window is always there
    // Arrange icons acts on minimised children.
    if (command == u"array"_qs) {
        for (QMdiSubWindow* w : windows)
            w->showMinimized();
    }

    menuItem(*form, command)->trigger();
    QCoreApplication::processEvents();

    const QRect area = form->mdiArea()->viewport()->rect();
    for (QMdiSubWindow* w : windows)
        QVERIFY2(area.intersects(w->geometry()), "every child stays reachable");
    if (command == u"horizontal"_qs || command == u"vertical"_qs) {
        // Each child starts at its tile (a child of fixed size keeps its size).
        const QList<QRect> tiles =
            tileRects(area.size(), static_cast<int>(windows.size()), command == u"horizontal"_qs);
        for (int i = 0; i < windows.size(); ++i)
            QCOMPARE(windows.at(i)->pos(), tiles.at(i).topLeft());
        if (windows.size() == 2) {
            if (command == u"horizontal"_qs)
                QVERIFY(windows.at(1)->y() > 0 && windows.at(1)->x() == 0);
            else
                QVERIFY(windows.at(1)->x() > 0 && windows.at(1)->y() == 0);
        }
    }
    if (command == u"array"_qs) {
        for (QMdiSubWindow* w : windows) {
            QVERIFY(w->isMinimized());
            QCOMPARE(w->geometry().bottom(), area.bottom());
        }
    }
}

void TestMDIForm1::lockIndicatorsFollowKeys()
{
    auto form = loadedForm();
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QLabel* caps = panel(*form, 2);
    QLabel* num = panel(*form, 3);
    QWindow* window = form->windowHandle();
    QVERIFY(window);
    QVERIFY(!caps->isEnabled());
    QVERIFY(!num->isEnabled());

    QTest::keyClick(window, Qt::Key_CapsLock);
    QVERIFY(caps->isEnabled());
    QTest::keyClick(window, Qt::Key_CapsLock);
    QVERIFY(!caps->isEnabled());
    QTest::keyClick(window, Qt::Key_NumLock);
    QVERIFY(num->isEnabled());
    QTest::keyClick(window, Qt::Key_NumLock);
    QVERIFY(!num->isEnabled());
    QVERIFY(caps->text() == u"CAPS"_qs && num->text() == u"NUM"_qs);
}

// Not a check: with TARNWICK_SCREENSHOTS set to a folder, saves the main
// window in both modes there, for looking at by eye.
void TestMDIForm1::screenshots()
{
    const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("TARNWICK_SCREENSHOTS names no folder");
    applyProgramFont();
    QVERIFY(makeFolder(3, 0));
    const auto form = openMainWindow(m_folder->folder());
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->OpenDesignMode();
    QTest::qWait(50);
    QVERIFY(form->grab().save(QDir(folder).filePath(u"mainwindow-design.png"_qs)));
    form->OpenCheckMode();
    QTest::keyClick(form->windowHandle(), Qt::Key_CapsLock);
    QTest::qWait(50);
    QVERIFY(form->grab().save(QDir(folder).filePath(u"mainwindow-check.png"_qs)));
    form->findChild<QMenu*>(u"window"_qs)->popup(QPoint(0, 0));
    QTest::qWait(50);
    emit form->findChild<QMenu*>(u"window"_qs)->aboutToShow();
    QVERIFY(form->findChild<QMenu*>(u"window"_qs)->grab().save(QDir(folder).filePath(u"menu-window.png"_qs)));
    form->findChild<QMenu*>(u"window"_qs)->hide();
    QVERIFY(form->findChild<QMenu*>(u"calculate"_qs)->grab().save(QDir(folder).filePath(u"menu-calculate.png"_qs)));
    form->arrange(2);
    QVERIFY(form->grab().save(QDir(folder).filePath(u"mainwindow-tiled.png"_qs)));
}

void TestMDIForm1::exitEndsAtOnce()
{
    auto form = loadedForm(2, 0);
    QVERIFY(form);
    form->OpenDesignMode();
    QPointer<QMdiSubWindow> sub = form->mdiArea()->activeSubWindow();
    QVERIFY(sub);

    // Exit ends the event loop of the program; nothing is closed first.
    QTimer::singleShot(0, menuItem(*form, u"exit"_qs), &QAction::trigger);
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
    const int status = QApplication::exec();
    QCOMPARE(status, 0);
    QVERIFY(sub);
    QVERIFY(sub->isVisible());
    QVERIFY(form->isVisible());
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(m_folder->rowCount(store::names::allResultsTable()), 2);
}

QTEST_MAIN(TestMDIForm1)
#include "tst_mdiform1.moc"
