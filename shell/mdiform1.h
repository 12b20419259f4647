#pragma once

#include "store/database.h"
#include "store/rowset.h"
#include "translations/language.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace tarnwick {

class CatalogueEditor;
class frmcalculate;
class LockKeyTracker;
enum class CalculationMode;

// The program's main window: a multiple-document frame with the menu bar, the
// toolbar `Toolbar1` and the status bar `StatusBar1`. It holds its own database
// connection and the two result row sets for the whole run, and the one
// calculation window, which it creates on the first mode command and then only
// reconfigures.
//
// Object names: menu items carry their item names ("calculate", "calculate1",
// ...; a submenu's QMenu and its QAction both), toolbar buttons their keys
// ("calculate1", ...), the status bar panels "Panel1" to "Panel5" in order.
class MDIForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit MDIForm1(QWidget* parent = nullptr);
    ~MDIForm1() override;

    // Opens the connection and both result row sets, shows the background
    // window and empties the latest results, in that order. On failure the
    // message says what could not be opened and nothing is shown. `place` is
    // the folder of the database file or a server database's address (see
    // store::databasePath); every window opened from here works on it.
    bool load(const QString& place, QString* error);

    QMdiArea* mdiArea() const { return m_mdiArea; }
    // The calculation window, or null before the first mode command (or after
    // the user closed it).
    frmcalculate* calculationWindow() const;
    // The catalogue maintenance window, or null when it is not open.
    CatalogueEditor* catalogueEditor() const;
    QString statusText() const;

    // Where the database is (a folder or a server's address), and the
    // window's own connection and result row sets on it, as the load opened them.
    const QString& databasePlace() const { return m_databasePlace; }
    const std::shared_ptr<store::Connection>& mainConnection() const { return m_mainConnection; }
    store::RowSet& allResults() { return m_allResults; }
    store::RowSet& latestResults() { return m_latestResults; }

    // The toolbar and the status bar are fixed: no menu to hide them.
    QMenu* createPopupMenu() override;

public slots:
    void OpenDesignMode();
    void OpenCheckMode();
    void ShowLatestResults();
    void ShowAllResults();
    void showHelpContents();
    void showPrinciple();
    void showCompanyIntroduction();
    void showProductIntroduction();
    void showAbout();
    void showSchematicWindow(const QString& pumpType);
    // "数据" menu: the catalogue maintenance window, one at a time.
    void showCatalogueEditor();
    // 结果显示 → 选型资料单…: the data sheet of the pump or pump set the
    // window in front shows (a design candidate, a checked pump, a
    // variable-speed set); a note when there is none.
    void produceDataSheet();
    // Names the window in the status bar's first panel when it is one to work
    // in: the calculation window by its mode, the variable-speed and the
    // catalogue window by their captions. Others leave the panel as it is.
    void showActiveWindowInStatus(QMdiSubWindow* window);

    // Window arrangement by its codes: 0 cascade, 1 tile horizontally,
    // 2 tile vertically, 3 arrange icons. Other codes do nothing.
    void arrange(int code);
    void exitProgram();
    // 语言/Language menu: keeps the language in the settings for the next
    // start and says so; the window's texts stay as they are until then.
    void chooseLanguage(i18n::Language language);

    // Runs the command of the toolbar button with this key; an unknown key
    // does nothing.
    void Toolbar1_ButtonClick(const QString& key);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createToolbar();
    // The action of the menu item with this name (not of a submenu).
    QAction* menuItemAction(const QString& name) const;
    void createStatusBar();
    void updateWindowMenu();
    void updateClock();
    void showBackgroundWindow();
    void showReport(const QString& caption, int image, store::RowSet& rows);
    void openInMode(CalculationMode mode);
    bool ensureCalculationWindow();
    void setStatusText(const QString& text);

    QString m_databasePlace;
    std::shared_ptr<store::Connection> m_mainConnection;
    store::RowSet m_allResults;
    store::RowSet m_latestResults;

    QMdiArea* m_mdiArea = nullptr;
    QMenu* m_windowMenu = nullptr;
    int m_windowMenuFixedItems = 0;
    QToolBar* m_toolbar = nullptr;
    QHash<QString, QAction*> m_toolbarActions; // by toolbar key
    QLabel* m_panels[5] = {};
    QTimer* m_clock = nullptr;
    LockKeyTracker* m_lockKeys = nullptr;

    QPointer<frmcalculate> m_calculation;
    QPointer<QMdiSubWindow> m_calculationSubWindow;
    QPointer<CatalogueEditor> m_catalogueEditor;
    QPointer<QMdiSubWindow> m_catalogueEditorSubWindow;
    bool catalogueEditsAllowExit();
};

} // namespace tarnwick
