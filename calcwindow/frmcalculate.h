#pragma once

#include "calcwindow/lastcalculation.h"
#include "core/selection.h"
#include "core/units.h"

#include <QIcon>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QScrollBar;
class QTableView;
class QToolButton;

namespace tarnwick {

namespace store {
class PumpCatalogue;
struct RunFailure;
} // namespace store

class DutyBox;
class LineWidget;
class PerformanceChart;
class PumpViewModel;
class SchematicViewer;
class ShapeWidget;
class TabLabel;
class CalculationSheets;
class ModelChooser;
class ConditionsPanel;
struct ChartInput;

enum class CalculationMode { Design, Check };

// The calculation window: the duty panel, the candidate list, the operating
// figures, the pump data grid, and the pages with the performance chart and
// the installation schematic of the pump on display. It lives in a child
// window of the main window; the main window switches it between design and
// check mode.
class frmcalculate : public QWidget
{
    Q_OBJECT
public:
    explicit frmcalculate(QWidget* parent = nullptr);
    ~frmcalculate() override;

    // The window's load: opens the catalogue at `place` (a folder or a
    // server's address, see store::databasePath), fills the model list and
    // the grid, and selects the defaults. False, with the message, when the
    // database cannot be opened.
    bool load(const QString& place, QString* error);

    // The window's side of switching the mode: empties the candidate list and
    // the operating figures, disables the page tabs, shows the blank curves
    // page, sets icon and caption, and lays the panels out for the mode.
    void configureMode(CalculationMode mode, const QIcon& icon);
    CalculationMode mode() const { return m_mode; }

    // Beside the window's original commands: the window of the pumps the last design
    // left out, and showing one of them on the chart, marked as not chosen.
    void showRejectedPumps();
    void showRejectedPump(std::size_t pumpIndex);

    // Reads the catalogue afresh after it was changed elsewhere (the
    // catalogue editor's save): the model list and the grid show the change.
    // The last run's list, chart and left-out pumps belong to the old
    // catalogue and are cleared; the chosen model stays chosen if it is still
    // there. False, with the message, when the database cannot be read.
    bool reloadCatalogue(QString* error);

    // The data sheets of the pump on display and of the last design's entries.
    CalculationSheets* sheets() const { return m_sheets; }
    // What the last design and check left, and the pump the chart shows.
    const LastCalculation& lastRun() const { return m_lastRun; }

signals:
    // The full-screen button: the main window opens the schematic window for
    // this pump type.
    void fullScreenRequested(const QString& pumpType);
    // A note that needs no answer, for the main window's status bar; empty
    // takes the last note away. The check sends one when the operating point
    // lies beyond the pump's measured flows.
    void statusNote(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildInputPanel();
    void buildPumpDataPanel();
    void buildCandidatePanel();
    void buildOperatingPanel();
    void buildPages();
    void buildCurvesPage(QWidget* page);
    void buildSchematicPage(QWidget* page);
    void applyModeLayout(CalculationMode mode);

    // Event handlers.
    void onModelChosen();
    void showCurvesPage();
    void showSchematicPage();
    void onCandidateChosen();
    void onGridRowChosen(int row);
    // The two calculation buttons: each runs its calculation, stores the
    // result rows and shows them.
    void runAndStoreDesign();
    void runAndStoreCheck();
    void refresh();

    // The routines the calculations share.
    void ResetChartPage();
    void DrawPerformanceChart(const ChartInput& input);
    void ShowOperatingParameters(const DesignCandidate& candidate);
    void ShowPumpRecord(const QString& model);
    void fitschematic();

    void clearOperatingLabels();
    void fitGridColumns();
    void clearCandidateList();
    void setPageTabsEnabled(bool enabled);
    void selectDefaults();
    void moveViewRowsToModel(const QString& model);
    void showSchematicOfType(const QString& pumpType, bool search);
    void syncPumpView();
    void reportFailure(const store::RunFailure& failure);
    DutyTexts dutyTexts() const;
    // The group's conditions; nothing after telling the engineer what is wrong.
    std::optional<ServiceConditions> enteredConditions();
    // Three or more measured points in the group: their fitted static head
    // and resistance go into the duty boxes and the conditions. False after
    // telling the engineer what is wrong.
    bool applyMeasuredPoints(ServiceConditions* conditions);

    void setChartToolTip(const FitQuality& quality, const QString& note = QString());
    // Keeps the last run's note of whether List1 shows its candidates true
    // after every change to the list.
    void noteListedCandidates();

    LastCalculation m_lastRun;
    CalculationSheets* m_sheets = nullptr;

    std::unique_ptr<store::PumpCatalogue> m_catalogue;
    SelectionRequest m_request; // the duty of the last calculation
    int m_pointCount = 0;       // points of the last checked pump
    CalculationMode m_mode = CalculationMode::Design;
    bool m_syncingGrid = false;

    // Input panel.
    QWidget* m_frame1 = nullptr;
    ShapeWidget* m_shape6 = nullptr;
    std::array<DutyBox*, 3> m_text1{};
    ModelChooser* m_combo1 = nullptr;
    QComboBox* m_combo2 = nullptr;
    QComboBox* m_combo3 = nullptr;
    QComboBox* m_combo4 = nullptr;
    QLabel* m_modelLabel = nullptr; // Label12(0)
    LineWidget* m_line42 = nullptr;
    QWidget* m_designButton = nullptr;
    QWidget* m_checkButton = nullptr;
    QWidget* m_refreshButton = nullptr;
    QToolButton* m_conditionsToggle = nullptr;
    ConditionsPanel* m_conditions = nullptr;
    ServiceConditions m_designConditions; // of the run whose candidates are listed

    // Pump data, candidates, operating figures.
    QTableView* m_grid = nullptr;
    PumpViewModel* m_gridModel = nullptr;
    QWidget* m_frame5 = nullptr;
    QListWidget* m_list1 = nullptr;
    QWidget* m_frame2 = nullptr;
    ShapeWidget* m_shape9 = nullptr;
    std::array<QLabel*, 6> m_label21{}; // indices 1 to 5
    QLabel* m_label9 = nullptr;

    // Page tabs and pages.
    ShapeWidget* m_shape4 = nullptr;
    ShapeWidget* m_shape11 = nullptr;
    LineWidget* m_line6 = nullptr;
    LineWidget* m_line5 = nullptr;
    TabLabel* m_command1 = nullptr;
    TabLabel* m_command5 = nullptr;
    QWidget* m_frame7 = nullptr;
    QWidget* m_frame4 = nullptr;
    PerformanceChart* m_picture1 = nullptr;
    std::array<QLabel*, 5> m_flowTicks{};  // Label14(1..5)
    std::array<QLabel*, 5> m_powerTicks{}; // Label12(12..16)
    std::array<QLabel*, 5> m_headTicks{};  // Label12(18..22)
    SchematicViewer* m_ole1 = nullptr;
    QScrollBar* m_vscroll1 = nullptr;
    QScrollBar* m_hscroll1 = nullptr;
    QPlainTextEdit* m_text3 = nullptr;
};

} // namespace tarnwick
