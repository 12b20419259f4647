#pragma once

#include "core/varspeed.h"
#include "speedwindow/lastvarspeedrun.h"
#include "store/varspeedstore.h"

#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;
class QToolButton;

namespace tarnwick {

class ConditionsPanel;
class VarSpeedChart;
class ModelChooser;
class VarSpeedSheets;

// The variable-speed selection window "变速节能选型". It opens its own
// connection to the database; each run reads the catalogue as one snapshot
// and stores its accepted pumps in the variable-speed result tables.
//
// Object names: the duty boxes "dutyBox_0" (resistance), "dutyBox_1" (flow),
// "dutyBox_2" (static head) and their unit choosers "unitCombo_0" .. "_2";
// "controlCombo", "proportionalShareBox", "setpointBox", "profileTable",
// "dutyPumpsBox", "standbyPumpsBox", "hoursBox", "priceBox", "fluidCombo",
// "densityBox", "minSpeedBox", "maxSpeedBox", "motorMarginBox", "modelCombo";
// "setpointUnitLabel", "profileSumLabel"; the collapsed group
// "介质与吸入条件" opened by "ConditionsToggle"; the buttons
// "选型", "评价", "增加", "删除"; "resultTabs" with "acceptedTable" and
// "rejectedTable"; "varSpeedChart", "loadTable", "summaryLabel". The data
// sheets of the accepted pump sets come from acceptedTable's context menu.
class VarSpeedWindow : public QWidget
{
    Q_OBJECT
public:
    explicit VarSpeedWindow(QWidget* parent = nullptr);
    ~VarSpeedWindow() override;

    // Opens the database file and fills the model list. A failure is a clear
    // message and leaves the window unusable.
    bool load(const QString& databaseFile, QString* error);

    // The inputs as typed.
    VarSpeedTexts texts() const;

    // The two commands: the ranking over the catalogue, and one model alone.
    void runSelection();
    void evaluateModel();

    // The last run with what the window shows of it.
    const LastVarSpeedRun& lastRun() const { return m_lastRun; }
    // The pump set whose chart and load points are shown, if any.
    const VarSpeedPump* shownPump() const { return m_lastRun.shown; }
    VarSpeedSheets* sheets() const { return m_sheets; }

signals:
    // Rows were written to the variable-speed result tables.
    void resultsStored();

private:
    void buildInputs(QWidget* panel);
    void buildResults(QWidget* panel);
    void run(const std::optional<std::string>& model);
    void showStop(const VarSpeedStop& stop);
    void fillAccepted(const std::vector<const VarSpeedPump*>& pumps);
    void fillRejected(const std::vector<const VarSpeedRejection*>& rejected);
    void showPump(const VarSpeedPump* pump);
    const VarSpeedPump* pumpOfRow(int row) const;
    void updateProfileSum();
    void updateControlBoxes();

    std::shared_ptr<store::Connection> m_connection;
    LastVarSpeedRun m_lastRun;

    QLineEdit* m_duty[3] = {};
    QComboBox* m_units[3] = {};
    QComboBox* m_control = nullptr;
    QLineEdit* m_proportionalShare = nullptr;
    QLineEdit* m_setpoint = nullptr;
    QTableWidget* m_profile = nullptr;
    QLineEdit* m_dutyPumps = nullptr;
    QLineEdit* m_standbyPumps = nullptr;
    QLineEdit* m_hours = nullptr;
    QLineEdit* m_price = nullptr;
    QComboBox* m_fluid = nullptr;
    QLineEdit* m_density = nullptr;
    QLineEdit* m_minSpeed = nullptr;
    QLineEdit* m_maxSpeed = nullptr;
    QLabel* m_setpointUnit = nullptr;
    QLabel* m_profileSum = nullptr;
    QLineEdit* m_motorMargin = nullptr;
    ModelChooser* m_model = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableWidget* m_accepted = nullptr;
    QTableWidget* m_rejected = nullptr;
    VarSpeedChart* m_chart = nullptr;
    QTableWidget* m_loads = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_pumpTitle = nullptr;
    VarSpeedSheets* m_sheets = nullptr;
    QToolButton* m_conditionsToggle = nullptr;
    ConditionsPanel* m_conditions = nullptr;
};

} // namespace tarnwick
