#include "shell/mdiform1.h"

#include "calcwindow/calculationsheets.h"
#include "calcwindow/frmcalculate.h"
#include "catalogueeditor/catalogueeditor.h"
#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "infowindows/frmabout.h"
#include "infowindows/frmbackground.h"
#include "infowindows/frmhelp.h"
#include "infowindows/frmpicture.h"
#include "report/conditionreport.h"
#include "shell/conditionreports.h"
#include "shell/databasedialog.h"
#include "shell/lockkeys.h"
#include "shell/mdiarrangement.h"
#include "shell/reportwindow/datareport1.h"
#include "shell/shellicons.h"
#include "shell/shelltexts.h"
#include "shell/varspeedcommands.h"
#include "speedwindow/speedsheets.h"
#include "speedwindow/varspeedwindow.h"
#include "store/databaselocation.h"
#include "store/names.h"
#include "store/results.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace tarnwick {

namespace {

// Arrangement codes of the window menu.
constexpr int kCascade = 0;
constexpr int kTileHorizontally = 1;
constexpr int kTileVertically = 2;
constexpr int kArrangeIcons = 3;

using Command = std::function<void(MDIForm1*)>;

// The menu bar, top to bottom: level, item name, caption, command. An item
// followed by deeper items is a submenu and has no command of its own.
struct MenuItem
{
    int level;
    const char16_t* name;
    const char* caption;
    Command command;
};

const QList<MenuItem>& menuTable()
{
    static const QList<MenuItem> items = {
        {1, u"calculate", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "选型计算(&C)"), {}},
        {2, u"calculate1", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "设计计算(&S)"), &MDIForm1::OpenDesignMode},
        {2, u"calculate2", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "校核计算(&T)"), &MDIForm1::OpenCheckMode},
        {2, u"calculateSeparator", nullptr, {}},
        {2, u"calculate3", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "变速节能选型(&V)"),
         [](MDIForm1* w) {
             openVarSpeedWindow(w);
             w->showActiveWindowInStatus(w->mdiArea()->activeSubWindow());
         }},
        {1, u"result", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "结果显示(&R)"), {}},
        {2, u"result1", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "本次计算结果显示(&B)"), &MDIForm1::ShowLatestResults},
        {2, u"result2", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "全部计算结果显示(&Q)"), &MDIForm1::ShowAllResults},
        {2, u"resultSeparator", nullptr, {}},
        {2, u"result3", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "本次变速选型结果显示(&V)"),
         &showLatestVarSpeedResults},
        {2, u"result4", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "全部变速选型结果显示(&A)"), &showAllVarSpeedResults},
        {2, u"dataSheetSeparator", nullptr, {}},
        {2, u"dataSheet", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "选型资料单(&S)…"), &MDIForm1::produceDataSheet},
        {1, u"principle", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "选型原理(&P)"), &MDIForm1::showPrinciple},
        {1, u"introduction", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "公司及产品介绍(&I)"), {}},
        {2, u"introduction1", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "公司简介(&C)"),
         &MDIForm1::showCompanyIntroduction},
        {2, u"introduction2", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "产品简介(&P)"),
         &MDIForm1::showProductIntroduction},
        {1, u"data", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "数据(&D)"), {}},
        {2, u"catalogueMaintenance", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "水泵目录维护(&M)…"),
         &MDIForm1::showCatalogueEditor},
        {2, u"databaseConnection", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "数据库连接(&B)…"), &showDatabaseDialog},
        {1, u"window", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "窗口(&W)"), {}},
        {2, u"cascade", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "层叠(&C)"), [](MDIForm1* w) { w->arrange(kCascade); }},
        {2, u"tile", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "平铺(&T)"), {}},
        {3, u"horizontal", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "水平平铺(&H)"),
         [](MDIForm1* w) { w->arrange(kTileHorizontally); }},
        {3, u"vertical", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "垂直平铺(&V)"),
         [](MDIForm1* w) { w->arrange(kTileVertically); }},
        {2, u"array", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "排列图标(&A)"),
         [](MDIForm1* w) { w->arrange(kArrangeIcons); }},
        // Named in both languages, so that either reader finds it.
        {1, u"language", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "语言/Language(&L)"), {}},
        {2, u"languageChinese", "中文", [](MDIForm1* w) { w->chooseLanguage(i18n::Language::Chinese); }},
        {2, u"languageEnglish", "English", [](MDIForm1* w) { w->chooseLanguage(i18n::Language::English); }},
        {1, u"help", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "帮助(&H)"), {}},
        {2, u"content", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "内容(&C)"), &MDIForm1::showHelpContents},
        {2, u"about", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "关于本软件(&A)"), &MDIForm1::showAbout},
        {1, u"exit", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "退出(&E)"), &MDIForm1::exitProgram},
    };
    return items;
}

// The toolbar, left to right: the menu item whose action the button shows,
// its tooltip and its image (n: image n of the toolbar's list; 0: the
// variable-speed selection's own). A null key is a separator, named by its
// tooltip field.
struct ToolbarButton
{
    const char16_t* key;
    const char* toolTip;
    int image;
};

constexpr ToolbarButton toolbarButtons[] = {
    {u"calculate1", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "设计计算"), 1},
    {u"calculate2", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "校核计算"), 2},
    {u"result1", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "本次计算结果显示"), 3},
    {u"result2", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "全部计算结果显示"), 4},
    {u"principle", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "选型原理"), 5},
    {u"introduction1", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "公司简介"), 6},
    {u"introduction2", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "产品简介"), 7},
    {nullptr, "calculateSeparator", 0},
    {u"calculate3", QT_TRANSLATE_NOOP("tarnwick::MDIForm1", "变速节能选型"), 0},
};

QString str(const char16_t* s)
{
    return QString::fromUtf16(s);
}

// A caption or tooltip of the tables above in the program's language.
QString shown(const char* text)
{
    return QCoreApplication::translate("tarnwick::MDIForm1", text);
}

} // namespace

MDIForm1::MDIForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(shelltext::caption());
    setWindowIcon(mainWindowIcon());

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MDIClient"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The client area of an MDI frame is the dark application-workspace grey.
    m_mdiArea->setBackground(QColor(128, 128, 128));
    setCentralWidget(m_mdiArea);

    createMenus();
    createToolbar();
    createStatusBar();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MDIForm1::showActiveWindowInStatus);

    // At design size the client area is 11880 x 8190 twips; start-up resizes
    // the window to the screen.
    resize(twipsSize(11880, 8190));
}

MDIForm1::~MDIForm1() = default;

QMenu* MDIForm1::createPopupMenu()
{
    return nullptr;
}

void MDIForm1::createMenus()
{
    const QList<MenuItem>& items = menuTable();
    QList<QMenu*> openMenus; // openMenus[level - 1] is the menu that holds items of `level + 1`
    for (int i = 0; i < items.size(); ++i) {
        const MenuItem& item = items.at(i);
        if (!item.caption) {
            openMenus.constLast()->addSeparator()->setObjectName(str(item.name));
            continue;
        }
        const bool hasSubmenu = i + 1 < items.size() && items.at(i + 1).level > item.level;
        openMenus.resize(item.level - 1);
        QAction* action = nullptr;
        if (hasSubmenu) {
            QMenu* menu = item.level == 1 ? menuBar()->addMenu(shown(item.caption))
                                          : openMenus.constLast()->addMenu(shown(item.caption));
            menu->setObjectName(str(item.name));
            action = menu->menuAction();
            openMenus.append(menu);
            if (str(item.name) == QStringLiteral("window"))
                m_windowMenu = menu;
        } else {
            action = item.level == 1 ? menuBar()->addAction(shown(item.caption))
                                     : openMenus.constLast()->addAction(shown(item.caption));
            const Command command = item.command;
            connect(action, &QAction::triggered, this, [this, command] { command(this); });
        }
        action->setObjectName(str(item.name));
    }
    menuBar()->setObjectName(QStringLiteral("MenuBar"));

    // Beside the two calculations, after a separator: why the last design
    // left the other pumps out.
    if (auto* calculate = menuBar()->findChild<QMenu*>(QStringLiteral("calculate"))) {
        calculate->addSeparator()->setObjectName(QStringLiteral("rejectedPumpsSeparator"));
        QAction* rejected = calculate->addAction(shelltext::rejectedPumps());
        rejected->setObjectName(QStringLiteral("rejectedPumps"));
        connect(rejected, &QAction::triggered, this, [this] {
            if (m_calculation)
                m_calculation->showRejectedPumps();
            else
                showInformation(this, shelltext::designFirst());
        });
    }

    // The language in use is the one checked.
    for (const auto& [name, language] : {std::pair{u"languageChinese", i18n::Language::Chinese},
                                         std::pair{u"languageEnglish", i18n::Language::English}}) {
        QAction* action = menuItemAction(str(name));
        action->setCheckable(true);
        action->setChecked(i18n::currentLanguage() == language);
    }

    // The window menu ends with the list of open child windows.
    m_windowMenuFixedItems = static_cast<int>(m_windowMenu->actions().size());
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MDIForm1::updateWindowMenu);
}

void MDIForm1::chooseLanguage(i18n::Language language)
{
    QSettings settings = store::userSettings();
    settings.setValue(i18n::languageSettingsKey(), i18n::languageName(language));
    settings.sync();
    menuItemAction(QStringLiteral("languageChinese"))->setChecked(language == i18n::Language::Chinese);
    menuItemAction(QStringLiteral("languageEnglish"))->setChecked(language == i18n::Language::English);
    if (settings.status() != QSettings::NoError) {
        showWarning(this, shelltext::languageNotKept().arg(QDir::toNativeSeparators(settings.fileName())));
        return;
    }
    showInformation(this,
                    language == i18n::currentLanguage() ? shelltext::languageKept() : shelltext::languageAtNextStart());
}

void MDIForm1::updateWindowMenu()
{
    const QList<QAction*> actions = m_windowMenu->actions();
    for (int i = m_windowMenuFixedItems; i < actions.size(); ++i) {
        m_windowMenu->removeAction(actions.at(i));
        actions.at(i)->deleteLater();
    }

    QList<QMdiSubWindow*> children;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isHidden())
            children.append(window);
    }
    if (children.isEmpty())
        return;

    QAction* separator = m_windowMenu->addSeparator();
    separator->setObjectName(QStringLiteral("windowListSeparator"));
    for (int i = 0; i < children.size(); ++i) {
        QMdiSubWindow* window = children.at(i);
        QString caption = window->windowTitle();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString label =
            i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(caption) : QStringLiteral("%1 %2").arg(i + 1).arg(caption);
        QAction* action = m_windowMenu->addAction(label);
        action->setObjectName(QStringLiteral("windowList%1").arg(i + 1));
        action->setCheckable(true);
        action->setChecked(window == m_mdiArea->activeSubWindow());
        const QPointer<QMdiSubWindow> target = window;
        connect(action, &QAction::triggered, this, [this, target] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            m_mdiArea->setActiveSubWindow(target);
        });
    }
}

void MDIForm1::createToolbar()
{
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(32, 32));
    m_toolbar->setFixedHeight(twips(600));
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    // Each button is the menu item's own action, so both run the same command.
    for (const ToolbarButton& entry : toolbarButtons) {
        if (!entry.key) {
            m_toolbar->addSeparator()->setObjectName(QString::fromLatin1(entry.toolTip));
            continue;
        }
        const QString key = str(entry.key);
        QAction* action = menuItemAction(key);
        Q_ASSERT(action);
        action->setToolTip(shown(entry.toolTip));
        m_toolbar->addAction(action);
        auto* button = qobject_cast<QToolButton*>(m_toolbar->widgetForAction(action));
        button->setObjectName(key);
        // The picture is the button's, not the action's: a menu bar item with
        // an icon would show the picture instead of its caption. The button
        // takes the action's (empty) icon again whenever the action changes.
        const QIcon icon = entry.image > 0 ? imageListIcon(entry.image) : varSpeedIcon();
        button->setIcon(icon);
        connect(action, &QAction::changed, button, [button, icon] { button->setIcon(icon); });
        m_toolbarActions.insert(key, action);
    }
}

QAction* MDIForm1::menuItemAction(const QString& name) const
{
    for (QAction* action : menuBar()->findChildren<QAction*>(name)) {
        if (!action->menu())
            return action;
    }
    return nullptr;
}

void MDIForm1::Toolbar1_ButtonClick(const QString& key)
{
    if (QAction* action = m_toolbarActions.value(key))
        action->trigger();
}

void MDIForm1::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));

    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
        m_panels[i] = panel;
    }
    // The text panel takes what the indicators and the clock leave.
    bar->addWidget(m_panels[0], 1);
    m_panels[1]->setText(shelltext::capsLock());
    m_panels[2]->setText(shelltext::numLock());
    for (int i = 1; i < 5; ++i) {
        m_panels[i]->setAlignment(Qt::AlignCenter);
        m_panels[i]->setMinimumWidth(i < 3 ? twips(900) : twips(1440));
        bar->addPermanentWidget(m_panels[i]);
    }

    m_lockKeys = new LockKeyTracker(this);
    auto showLocks = [this] {
        // An indicator whose lock is off is shown greyed, as the system's own
        // status bars do.
        m_panels[1]->setEnabled(m_lockKeys->capsLock());
        m_panels[2]->setEnabled(m_lockKeys->numLock());
    };
    connect(m_lockKeys, &LockKeyTracker::changed, this, showLocks);
    showLocks();

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &MDIForm1::updateClock);
    m_clock->start();
    updateClock();
}

void MDIForm1::updateClock()
{
    const QLocale locale = QLocale::system();
    m_panels[3]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    m_panels[4]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

frmcalculate* MDIForm1::calculationWindow() const
{
    return m_calculation;
}

CatalogueEditor* MDIForm1::catalogueEditor() const
{
    return m_catalogueEditor;
}

void MDIForm1::showCatalogueEditor()
{
    if (!m_catalogueEditor) {
        auto* editor = new CatalogueEditor;
        QString error;
        if (!editor->load(m_databasePlace, &error)) {
            delete editor;
            showWarning(this, error);
            return;
        }
        // After a save the calculation window lists what was saved.
        connect(editor, &CatalogueEditor::catalogueSaved, this, [this] {
            QString error;
            if (m_calculation && !m_calculation->reloadCatalogue(&error))
                showWarning(this, error);
        });
        QMdiSubWindow* subWindow = m_mdiArea->addSubWindow(editor);
        subWindow->setObjectName(QStringLiteral("CatalogueEditorSubWindow"));
        subWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_catalogueEditor = editor;
        m_catalogueEditorSubWindow = subWindow;
        // As large as it likes to be, within the client area.
        const QSize room = m_mdiArea->viewport()->size();
        subWindow->resize(subWindow->sizeHint().boundedTo(room));
        subWindow->move(0, 0);
    }
    m_catalogueEditorSubWindow->show();
    m_mdiArea->setActiveSubWindow(m_catalogueEditorSubWindow);
    showActiveWindowInStatus(m_catalogueEditorSubWindow);
}

bool MDIForm1::catalogueEditsAllowExit()
{
    // The one window with edits that are not yet in the database asks first.
    return !m_catalogueEditor || m_catalogueEditor->settlePendingEdits(CatalogueEditor::Leaving::Exit);
}

void MDIForm1::produceDataSheet()
{
    // The window in front decides; behind it, the calculation window's pump
    // comes before the variable-speed window's set.
    QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    if (auto* varSpeed = active ? qobject_cast<VarSpeedWindow*>(active->widget()) : nullptr) {
        if (varSpeed->shownPump())
            varSpeed->sheets()->producePickedSheet();
        else
            showInformation(this, shelltext::chooseVarSpeedSetFirst());
        return;
    }
    if (m_calculation && m_calculation->sheets()->hasPickedSheet()) {
        m_calculation->sheets()->producePickedSheet();
        return;
    }
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        auto* varSpeed = qobject_cast<VarSpeedWindow*>(window->widget());
        if (varSpeed && varSpeed->shownPump()) {
            varSpeed->sheets()->producePickedSheet();
            return;
        }
    }
    showInformation(this, shelltext::noDataSheet());
}

void MDIForm1::showActiveWindowInStatus(QMdiSubWindow* window)
{
    // The first panel names the window the user works in; windows that are
    // no workplace of their own (help, the background) leave it as it is.
    QWidget* widget = window ? window->widget() : nullptr;
    if (!widget)
        return;
    if (widget == m_calculation)
        setStatusText(m_calculation->mode() == CalculationMode::Check ? shelltext::checkMode() : shelltext::designMode());
    else if (qobject_cast<VarSpeedWindow*>(widget))
        setStatusText(shelltext::varSpeedWindow());
    else if (widget == m_catalogueEditor)
        setStatusText(shelltext::catalogueWindow());
}

QString MDIForm1::statusText() const
{
    return m_panels[0]->text();
}

void MDIForm1::setStatusText(const QString& text)
{
    m_panels[0]->setText(text);
}

bool MDIForm1::load(const QString& place, QString* error)
{
    auto fail = [&](const QString& message) {
        m_allResults = store::RowSet();
        m_latestResults = store::RowSet();
        m_mainConnection.reset();
        if (error)
            *error = message;
        return false;
    };
    m_databasePlace = place;

    auto connection = store::Connection::open(store::databasePath(place));
    if (!connection)
        return fail(connection.error());
    m_mainConnection = connection.value();

    // The report reads all results when it is asked for; the start does not.
    if (!m_allResults.open(m_mainConnection, store::names::allResultsTable(), store::RowSet::ReadRows::OnDemand))
        return fail(
            shelltext::resultTableUnopened().arg(store::names::allResultsTable(), m_allResults.lastError()));
    if (!m_latestResults.open(m_mainConnection, store::names::latestResultsTable()))
        return fail(shelltext::resultTableUnopened()
                        .arg(store::names::latestResultsTable(), m_latestResults.lastError()));

    showBackgroundWindow();

    // Every run starts with an empty table of latest results; the table of
    // all results keeps growing.
    QString clearError;
    if (!store::clearCurrentResults(m_latestResults, &clearError))
        return fail(clearError);
    return true;
}

void MDIForm1::showBackgroundWindow()
{
    // The background window explains the toolbar buttons; it is the first child.
    auto* background = new frmbackground;
    background->showVarSpeedEntry(varSpeedIcon());
    QMdiSubWindow* subWindow = m_mdiArea->addSubWindow(background);
    subWindow->setObjectName(QStringLiteral("frmbackgroundWindow"));
    subWindow->show();
    subWindow->adjustSize(); // the frame around the background's own client size
}

void MDIForm1::OpenDesignMode()
{
    openInMode(CalculationMode::Design);
}

void MDIForm1::OpenCheckMode()
{
    openInMode(CalculationMode::Check);
}

bool MDIForm1::ensureCalculationWindow()
{
    if (m_calculation)
        return true;
    // The window opens its own access to the catalogue when it is created; a
    // closed window is created and loaded afresh.
    auto* window = new frmcalculate;
    QString error;
    if (!window->load(m_databasePlace, &error)) {
        delete window;
        showWarning(this, error);
        return false;
    }
    connect(window, &frmcalculate::fullScreenRequested, this, &MDIForm1::showSchematicWindow);
    connect(window, &frmcalculate::statusNote, this, [this](const QString& note) {
        if (note.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(note);
    });
    // A window of fixed layout can be minimised but not maximised.
    Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (window->minimumSize() != window->maximumSize())
        flags |= Qt::WindowMaximizeButtonHint;
    QMdiSubWindow* subWindow = m_mdiArea->addSubWindow(window, flags);
    subWindow->setObjectName(QStringLiteral("frmcalculateSubWindow"));
    subWindow->adjustSize();
    m_calculation = window;
    m_calculationSubWindow = subWindow;
    return true;
}

void MDIForm1::openInMode(CalculationMode mode)
{
    if (!ensureCalculationWindow())
        return;
    const bool check = mode == CalculationMode::Check;

    const QIcon icon = imageListIcon(check ? 2 : 1);
    m_calculation->configureMode(mode, icon);
    setStatusText(check ? shelltext::checkMode() : shelltext::designMode());

    // The title bar is the sub-window's: without an icon of its own it would
    // show the main window's.
    QMdiSubWindow* subWindow = m_calculationSubWindow;
    subWindow->setWindowIcon(icon);
    if (subWindow->isMinimized())
        subWindow->showNormal();
    else
        subWindow->show();
    m_mdiArea->setActiveSubWindow(subWindow);
    m_calculation->setFocus();

    // Centred on the screen's width at the top, kept inside the client area.
    if (!subWindow->isMaximized()) {
        const int screenWidth = screen() ? screen()->geometry().width() : m_mdiArea->width();
        const int room = std::max(0, m_mdiArea->viewport()->width() - subWindow->width());
        subWindow->move(std::clamp((screenWidth - subWindow->width()) / 2, 0, room), 0);
    }
}

void MDIForm1::ShowLatestResults()
{
    setStatusText(shelltext::latestResults());
    showReport(shelltext::latestReportCaption(), 3, m_latestResults);
}

void MDIForm1::ShowAllResults()
{
    setStatusText(shelltext::allResults());
    showReport(shelltext::allReportCaption(), 4, m_allResults);
}

void MDIForm1::showReport(const QString& caption, int image, store::RowSet& rows)
{
    QString error;
    DataReport1* window = showResultReport(caption, imageListIcon(image), rows, &error);
    if (!window) {
        showWarning(this, error);
        return;
    }
    // The liquid, suction and impeller figures of the same runs, when they
    // had any, one button away.
    if (m_mainConnection) {
        auto figures = report::conditionFiguresTable(m_mainConnection->database(), &rows == &m_allResults, &error);
        if (!error.isEmpty())
            showWarning(this, error);
        offerConditionFigures(window, std::move(figures));
    }
}

void MDIForm1::showHelpContents()
{
    showHelpPage(this, HelpPage::Contents, m_databasePlace);
}

void MDIForm1::showPrinciple()
{
    showHelpPage(this, HelpPage::Principle, m_databasePlace);
}

void MDIForm1::showCompanyIntroduction()
{
    showHelpPage(this, HelpPage::Company, m_databasePlace);
}

void MDIForm1::showProductIntroduction()
{
    showHelpPage(this, HelpPage::Products, m_databasePlace);
}

void MDIForm1::showAbout()
{
    tarnwick::showAbout(this);
}

void MDIForm1::showSchematicWindow(const QString& pumpType)
{
    showSchematic(this, pumpType, m_databasePlace);
}

void MDIForm1::arrange(int code)
{
    switch (code) {
    case kCascade:
        m_mdiArea->cascadeSubWindows();
        break;
    case kTileHorizontally:
        tileHorizontally(m_mdiArea);
        break;
    case kTileVertically:
        tileVertically(m_mdiArea);
        break;
    case kArrangeIcons:
        arrangeIcons(m_mdiArea);
        break;
    default:
        break;
    }
}

void MDIForm1::exitProgram()
{
    // Ends the run at once: no window is asked to close and nothing is
    // written; result rows were committed when they were stored.
    if (!catalogueEditsAllowExit())
        return;
    closeResultReport();
    QCoreApplication::exit(0);
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever other top-level
    // windows are still open.
    if (!catalogueEditsAllowExit()) {
        event->ignore();
        return;
    }
    closeResultReport();
    event->accept();
    QCoreApplication::quit();
}

} // namespace tarnwick
