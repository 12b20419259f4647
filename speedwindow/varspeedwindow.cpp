#include "speedwindow/varspeedwindow.h"
#include "store/coretext.h"

#include "controls/commandbutton.h"
#include "controls/conditionspanel.h"
#include "controls/messagebox.h"
#include "controls/modelchooser.h"
#include "controls/panelparts.h"
#include "controls/uimetrics.h"
#include "core/motortables.h"
#include "core/numbers.h"
#include "speedwindow/speedsheets.h"
#include "speedwindow/speedtexts.h"
#include "speedwindow/varspeedchart.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace tarnwick {

namespace {

// A cell that sorts by its number rather than by its text.
class NumberItem : public QTableWidgetItem
{
public:
    NumberItem(double value, const QString& text) : QTableWidgetItem(text)
    {
        setData(Qt::UserRole, value);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override
    {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

QString fixed(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

NumberItem* number(double v, int decimals, double scale = 1.0)
{
    return new NumberItem(v * scale, fixed(v * scale, decimals));
}

QLineEdit* box(QWidget* parent, const QString& name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(twips(1100));
    return edit;
}

template <typename Items> QComboBox* unitCombo(QWidget* parent, const QString& name, const Items& items, int current)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const auto& item : items)
        combo->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    combo->setCurrentIndex(current);
    return combo;
}

QGroupBox* panel(QWidget* parent, const QString& name, const QString& title)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setStyleSheet(QStringLiteral("QGroupBox#%1 { border: 1px solid rgb(%2,%3,%4); margin-top: 1.3em; }"
                                        "QGroupBox#%1::title { subcontrol-origin: margin; left: 6px; }")
                             .arg(name)
                             .arg(panelBorder().red())
                             .arg(panelBorder().green())
                             .arg(panelBorder().blue()));
    return group;
}

QTableWidget* table(QWidget* parent, const QString& name, const QStringList& headings)
{
    auto* t = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headings);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Column widths from the first rows only: a catalogue of thousands of
    // pumps would otherwise be measured cell by cell on every change.
    t->horizontalHeader()->setResizeContentsPrecision(50);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

std::string utf8(const QString& s)
{
    return s.toStdString();
}

// The column of the accepted pumps the ranking is sorted by.
constexpr int kEnergyColumn = 8;

QString motorText(const VarSpeedPump& p, double topSpeed)
{
    if (p.motorSource == MotorSource::Catalogue)
        return speedtext::catalogueMotor();
    const QString curve =
        topSpeed < 1.0 ? speedtext::topSpeed().arg(QString::number(topSpeed * 100.0, 'f', 0)) : speedtext::fullSpeed();
    return speedtext::sizedMotor().arg(curve, QString::number(p.topSpeedPower, 'f', 2));
}

} // namespace

VarSpeedWindow::VarSpeedWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VarSpeedWindow"));
    setWindowTitle(speedtext::windowCaption());
    setFont(programFont(QStringLiteral("宋体"), 9));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, windowBackground());
    setPalette(palette);
    setAutoFillBackground(true);

    auto* layout = new QHBoxLayout(this);
    auto* inputs = panel(this, QStringLiteral("inputPanel"), speedtext::inputsHeading());
    auto* results = panel(this, QStringLiteral("resultPanel"), speedtext::resultsHeading());
    buildInputs(inputs);
    buildResults(results);
    m_sheets = new VarSpeedSheets(this, m_lastRun, m_accepted);
    // The inputs scroll when the window is lower than they need (a small
    // screen, or the main window's area), rather than lying over each other.
    auto* inputsScroll = new QScrollArea(this);
    inputsScroll->setObjectName(QStringLiteral("inputScroll"));
    inputsScroll->setFrameShape(QFrame::NoFrame);
    inputsScroll->setWidgetResizable(true);
    inputsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    inputsScroll->setWidget(inputs);
    inputsScroll->setMinimumWidth(inputs->sizeHint().width() +
                                  inputsScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    layout->addWidget(inputsScroll, 0);
    layout->addWidget(results, 1);
    resize(twipsSize(17000, 11200));
    updateControlBoxes();
}

VarSpeedWindow::~VarSpeedWindow() = default;

void VarSpeedWindow::buildInputs(QWidget* panel)
{
    auto* form = new QFormLayout(panel);
    form->setLabelAlignment(Qt::AlignRight);
    const QString dutyCaptions[3] = {speedtext::resistance(), speedtext::designFlow(), speedtext::staticHead()};
    for (int i = 0; i < 3; ++i) {
        auto* row = new QHBoxLayout;
        m_duty[i] = box(panel, QStringLiteral("dutyBox_%1").arg(i), QString());
        m_units[i] = i == 1 ? unitCombo(panel, QStringLiteral("unitCombo_1"), FlowUnit::items, FlowUnit::defaultIndex)
                            : unitCombo(panel, QStringLiteral("unitCombo_%1").arg(i), PressureUnit::items,
                                        PressureUnit::defaultIndex);
        row->addWidget(m_duty[i]);
        row->addWidget(m_units[i]);
        form->addRow(dutyCaptions[i], row);
    }

    m_control = new QComboBox(panel);
    m_control->setObjectName(QStringLiteral("controlCombo"));
    for (int i = 0; i < kControlModeCount; ++i)
        m_control->addItem(store::coreText(controlModeName(static_cast<ControlMode>(i))));
    form->addRow(speedtext::controlMode(), m_control);
    m_proportionalShare = box(panel, QStringLiteral("proportionalShareBox"), QStringLiteral("50"));
    form->addRow(speedtext::proportionalStart(), m_proportionalShare);
    m_setpoint = box(panel, QStringLiteral("setpointBox"), QString());
    // In the unit of the resistance box; empty: 30 % of the resistance.
    m_setpoint->setPlaceholderText(speedtext::setpointPlaceholder());
    m_setpoint->setToolTip(speedtext::setpointHint());
    m_setpointUnit = new QLabel(m_units[0]->currentText(), panel);
    m_setpointUnit->setObjectName(QStringLiteral("setpointUnitLabel"));
    connect(m_units[0], &QComboBox::currentTextChanged, m_setpointUnit, &QLabel::setText);
    auto* setpointRow = new QHBoxLayout;
    setpointRow->addWidget(m_setpoint);
    setpointRow->addWidget(m_setpointUnit);
    setpointRow->addStretch();
    form->addRow(speedtext::setpoint(), setpointRow);
    connect(m_control, &QComboBox::currentIndexChanged, this, [this] { updateControlBoxes(); });

    m_profile = new QTableWidget(0, 2, panel);
    m_profile->setObjectName(QStringLiteral("profileTable"));
    m_profile->setHorizontalHeaderLabels({speedtext::profileFlow(), speedtext::profileTime()});
    m_profile->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_profile->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (const auto& [flow, time] : VarSpeedTexts().profile) {
        const int row = m_profile->rowCount();
        m_profile->insertRow(row);
        m_profile->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(flow)));
        m_profile->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(time)));
    }
    m_profile->setFixedHeight((fontMetrics().height() + 6) * 6 + 8);
    form->addRow(speedtext::loadProfile(), m_profile);
    m_profileSum = new QLabel(panel);
    m_profileSum->setObjectName(QStringLiteral("profileSumLabel"));
    connect(m_profile, &QTableWidget::itemChanged, this, [this] { updateProfileSum(); });
    connect(m_profile->model(), &QAbstractItemModel::rowsRemoved, this, [this] { updateProfileSum(); });
    updateProfileSum();
    auto* rowButtons = new QHBoxLayout;
    auto* add = makeCommandButton(panel, speedtext::addRow(), QString(), twipsRect(0, 0, 800, 330), [this] {
        const int row = m_profile->rowCount();
        m_profile->insertRow(row);
        m_profile->setItem(row, 0, new QTableWidgetItem);
        m_profile->setItem(row, 1, new QTableWidgetItem);
        m_profile->setCurrentCell(row, 0);
    });
    auto* remove = makeCommandButton(panel, speedtext::removeRow(), QString(), twipsRect(0, 0, 800, 330), [this] {
        if (m_profile->currentRow() >= 0)
            m_profile->removeRow(m_profile->currentRow());
    });
    for (QWidget* b : {add, remove}) {
        b->setFixedSize(b->size());
        rowButtons->addWidget(b);
    }
    rowButtons->addWidget(m_profileSum);
    rowButtons->addStretch();
    form->addRow(QString(), rowButtons);

    const VarSpeedTexts defaults;
    m_dutyPumps = box(panel, QStringLiteral("dutyPumpsBox"), QString::fromStdString(defaults.dutyPumps));
    m_standbyPumps = box(panel, QStringLiteral("standbyPumpsBox"), QString::fromStdString(defaults.standbyPumps));
    m_hours = box(panel, QStringLiteral("hoursBox"), QString::fromStdString(defaults.hours));
    m_price = box(panel, QStringLiteral("priceBox"), QString::fromStdString(defaults.price));
    m_density = box(panel, QStringLiteral("densityBox"), QString::fromStdString(defaults.density));
    m_minSpeed = box(panel, QStringLiteral("minSpeedBox"), QString::fromStdString(defaults.minSpeed));
    m_maxSpeed = box(panel, QStringLiteral("maxSpeedBox"), QString::fromStdString(defaults.maxSpeed));
    m_maxSpeed->setToolTip(speedtext::maximumSpeedHint());
    m_motorMargin = box(panel, QStringLiteral("motorMarginBox"), QString::fromStdString(defaults.motorMargin));
    m_fluid = new QComboBox(panel);
    m_fluid->setObjectName(QStringLiteral("fluidCombo"));
    m_fluid->addItem(speedtext::customFluid());
    for (const FluidDensity& fluid : fluidDensities())
        m_fluid->addItem(store::coreText(fluid.name), fluid.density);
    connect(m_fluid, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index > 0)
            m_density->setText(QString::fromStdString(numberText(m_fluid->itemData(index).toDouble())));
    });
    connect(m_density, &QLineEdit::textEdited, this, [this] {
        const QSignalBlocker block(m_fluid);
        m_fluid->setCurrentIndex(0);
    });
    form->addRow(speedtext::dutyPumps(), m_dutyPumps);
    form->addRow(speedtext::standbyPumps(), m_standbyPumps);
    form->addRow(speedtext::yearlyHours(), m_hours);
    form->addRow(speedtext::electricityPrice(), m_price);
    form->addRow(speedtext::fluid(), m_fluid);
    form->addRow(speedtext::density(), m_density);
    form->addRow(speedtext::minimumSpeed(), m_minSpeed);
    form->addRow(speedtext::maximumSpeed(), m_maxSpeed);
    form->addRow(speedtext::motorMargin(), m_motorMargin);

    // The liquid and the suction, collapsed: left alone, the runs are those
    // without them. A liquid brings its own density.
    m_conditionsToggle = new QToolButton(panel);
    m_conditionsToggle->setObjectName(QStringLiteral("ConditionsToggle"));
    m_conditionsToggle->setText(ConditionsPanel::title());
    m_conditionsToggle->setCheckable(true);
    m_conditionsToggle->setArrowType(Qt::RightArrow);
    m_conditionsToggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_conditionsToggle->setAutoRaise(true);
    form->addRow(QString(), m_conditionsToggle);
    m_conditions = new ConditionsPanel(panel, ConditionsPanel::Scope::VariableSpeed);
    m_conditions->hide();
    form->addRow(m_conditions);
    connect(m_conditionsToggle, &QToolButton::toggled, this, [this](bool open) {
        m_conditionsToggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        m_conditions->setVisible(open);
    });
    connect(m_conditions, &ConditionsPanel::liquidChosen, this, [this](bool chosen) {
        m_fluid->setEnabled(!chosen);
        m_density->setEnabled(!chosen);
    });

    auto* commands = new QHBoxLayout;
    auto* select = makeCommandButton(panel, speedtext::selectButton(), QString(), twipsRect(0, 0, 1000, 375),
                                     [this] { runSelection(); });
    select->setFixedSize(select->size());
    commands->addWidget(select);
    commands->addStretch();
    form->addRow(QString(), commands);

    auto* single = new QHBoxLayout;
    m_model = new ModelChooser(panel);
    m_model->setObjectName(QStringLiteral("modelCombo"));
    m_model->setMinimumWidth(twips(1600));
    auto* evaluate = makeCommandButton(panel, speedtext::evaluateButton(), QString(), twipsRect(0, 0, 1000, 375),
                                       [this] { evaluateModel(); });
    evaluate->setFixedSize(evaluate->size());
    single->addWidget(m_model, 1);
    single->addWidget(evaluate);
    form->addRow(speedtext::singleModel(), single);
}

void VarSpeedWindow::buildResults(QWidget* panel)
{
    auto* layout = new QVBoxLayout(panel);
    m_summary = new QLabel(panel);
    m_summary->setObjectName(QStringLiteral("summaryLabel"));
    layout->addWidget(m_summary);

    auto* splitter = new QSplitter(Qt::Vertical, panel);
    splitter->setObjectName(QStringLiteral("resultSplitter"));
    m_tabs = new QTabWidget(splitter);
    m_tabs->setObjectName(QStringLiteral("resultTabs"));
    m_accepted = table(m_tabs, QStringLiteral("acceptedTable"), speedtext::acceptedHeadings());
    m_accepted->setSortingEnabled(true);
    m_accepted->horizontalHeaderItem(6)->setToolTip(speedtext::weightedEfficiencyHint());
    m_accepted->horizontalHeaderItem(9)->setToolTip(speedtext::aboveBestHint());
    m_rejected = table(m_tabs, QStringLiteral("rejectedTable"),
                       {speedtext::modelHeading(), speedtext::ruleHeading(), speedtext::reasonHeading()});
    m_tabs->addTab(m_accepted, speedtext::acceptedTab());
    m_tabs->addTab(m_rejected, speedtext::rejectedTab());
    connect(m_accepted, &QTableWidget::currentCellChanged, this, [this](int row) { showPump(pumpOfRow(row)); });

    auto* detail = new QWidget(splitter);
    auto* detailLayout = new QVBoxLayout(detail);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    m_pumpTitle = new QLabel(detail);
    m_pumpTitle->setObjectName(QStringLiteral("pumpTitle"));
    m_chart = new VarSpeedChart(detail);
    m_loads = table(detail, QStringLiteral("loadTable"), speedtext::loadHeadings());
    const int rowHeight = fontMetrics().height() + 6;
    for (QTableWidget* t : {m_accepted, m_rejected, m_loads})
        t->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_loads->setMinimumHeight(2 * fontMetrics().height() + 12 + 6 * rowHeight);
    m_chart->setMinimumHeight(220);
    detailLayout->addWidget(m_pumpTitle);
    detailLayout->addWidget(m_chart, 3);
    detailLayout->addWidget(m_loads, 2);
    splitter->addWidget(m_tabs);
    splitter->addWidget(detail);
    // The ranking shows at least eight sets: tab bar, two-line header, rows
    // and the scroll bar under them.
    const int rankingHeight = m_tabs->tabBar()->sizeHint().height() +
                              m_accepted->horizontalHeader()->sizeHint().height() + 8 * rowHeight +
                              2 * m_accepted->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    m_tabs->setMinimumHeight(rankingHeight);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 5);
    splitter->setSizes({rankingHeight, twips(7000)});
    layout->addWidget(splitter, 1);
}

bool VarSpeedWindow::load(const QString& databaseFile, QString* error)
{
    auto connection = store::Connection::open(databaseFile);
    if (!connection) {
        *error = connection.error();
        return false;
    }
    m_connection = connection.value();
    m_lastRun.databaseFile = m_connection->path();
    auto catalogue = store::readCatalogueSnapshot(m_connection->database());
    if (!catalogue) {
        *error = catalogue.error();
        return false;
    }
    QStringList models;
    for (const CataloguePump& pump : catalogue->pumps)
        models << QString::fromStdString(pump.model);
    m_model->addItems(models);
    return true;
}

void VarSpeedWindow::updateControlBoxes()
{
    const auto mode = static_cast<ControlMode>(m_control->currentIndex());
    m_proportionalShare->setEnabled(mode == ControlMode::Proportional);
    m_setpoint->setEnabled(mode == ControlMode::CriticalCircuit);
}

VarSpeedTexts VarSpeedWindow::texts() const
{
    VarSpeedTexts t;
    t.duty.resistance = utf8(m_duty[0]->text());
    t.duty.flow = utf8(m_duty[1]->text());
    t.duty.staticHead = utf8(m_duty[2]->text());
    t.duty.resistanceUnit = utf8(m_units[0]->currentText());
    t.duty.flowUnit = utf8(m_units[1]->currentText());
    t.duty.staticHeadUnit = utf8(m_units[2]->currentText());
    t.control = static_cast<ControlMode>(m_control->currentIndex());
    t.proportionalShare = utf8(m_proportionalShare->text());
    t.setpoint = utf8(m_setpoint->text().trimmed());
    t.profile.clear();
    for (int row = 0; row < m_profile->rowCount(); ++row) {
        auto cell = [&](int column) {
            const QTableWidgetItem* item = m_profile->item(row, column);
            return item ? utf8(item->text()) : std::string();
        };
        t.profile.emplace_back(cell(0), cell(1));
    }
    t.dutyPumps = utf8(m_dutyPumps->text());
    t.standbyPumps = utf8(m_standbyPumps->text());
    t.hours = utf8(m_hours->text());
    t.price = utf8(m_price->text());
    t.density = utf8(m_density->text());
    t.minSpeed = utf8(m_minSpeed->text());
    t.maxSpeed = utf8(m_maxSpeed->text());
    t.motorMargin = utf8(m_motorMargin->text());
    return t;
}

void VarSpeedWindow::runSelection()
{
    run(std::nullopt);
}

void VarSpeedWindow::evaluateModel()
{
    run(utf8(m_model->chosenModel()));
}

void VarSpeedWindow::run(const std::optional<std::string>& model)
{
    if (!m_connection)
        return;
    // A large catalogue shows its progress and can be stopped; a stopped
    // run stores nothing and leaves the last results on display.
    QProgressDialog dialog(speedtext::selecting(), speedtext::cancel(), 0, 1, this);
    dialog.setObjectName(QStringLiteral("varSpeedProgress"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(800);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    const VarSpeedProgress progress = [&dialog](std::size_t done, std::size_t total) {
        dialog.setMaximum(static_cast<int>(total));
        dialog.setValue(static_cast<int>(done));
        return !dialog.wasCanceled();
    };
    VarSpeedTexts typed = texts();
    auto conditions = m_conditions->conditions();
    if (!conditions) {
        m_conditionsToggle->setChecked(true);
        showWarning(this, conditions.error());
        return;
    }
    typed.conditions = conditions.value();
    // The window's tab of the pumps that failed shows every run's list.
    auto outcome = store::runVarSpeed(*m_connection, typed, model, progress, RejectedList::Listed);
    dialog.reset();
    if (!outcome) {
        if (outcome.error().kind == store::VarSpeedFailure::Kind::Cancelled)
            return;
        if (outcome.error().kind == store::VarSpeedFailure::Kind::Database)
            showWarning(this, outcome.error().databaseError);
        else
            showStop(outcome.error().stop);
        return;
    }
    // Nothing may point into the run being replaced: the table, the chart
    // and the picked set all let go of it first.
    showPump(nullptr);
    fillAccepted({});
    fillRejected({});
    m_lastRun.run = std::move(outcome).value();
    m_lastRun.duty = typed.duty;
    const store::VarSpeedRun& run = *m_lastRun.run;
    std::vector<const VarSpeedPump*> pumps;
    std::vector<const VarSpeedRejection*> rejected;
    if (run.single) {
        if (*run.single)
            pumps.push_back(&run.single->value());
        else
            rejected.push_back(&run.single->error());
    } else {
        for (const VarSpeedPump& p : run.selection.accepted)
            pumps.push_back(&p);
        for (const VarSpeedRejection& r : run.selection.rejected)
            rejected.push_back(&r);
    }
    fillAccepted(pumps);
    fillRejected(rejected);
    m_summary->setText(speedtext::summary()
                           .arg(store::coreText(controlModeName(run.selection.request.control)))
                           .arg(pumps.size())
                           .arg(rejected.size()));
    m_tabs->setCurrentIndex(pumps.empty() ? 1 : 0);
    // The top row is shown whether or not it was the current row before.
    if (!pumps.empty()) {
        m_accepted->selectRow(0);
        showPump(pumpOfRow(0));
    }
    if (run.runNumber > 0)
        emit resultsStored();
}

void VarSpeedWindow::showStop(const VarSpeedStop& stop)
{
    showWarning(this, store::coreText(stop.message));
    QWidget* target = nullptr;
    switch (stop.field) {
    case VarSpeedField::Resistance:
        target = m_duty[0];
        break;
    case VarSpeedField::Flow:
        target = m_duty[1];
        break;
    case VarSpeedField::StaticHead:
        target = m_duty[2];
        break;
    case VarSpeedField::ProfileFlow:
    case VarSpeedField::ProfileTime:
        if (stop.row < m_profile->rowCount())
            m_profile->setCurrentCell(stop.row, stop.field == VarSpeedField::ProfileFlow ? 0 : 1);
        target = m_profile;
        break;
    case VarSpeedField::DutyPumps:
        target = m_dutyPumps;
        break;
    case VarSpeedField::StandbyPumps:
        target = m_standbyPumps;
        break;
    case VarSpeedField::Hours:
        target = m_hours;
        break;
    case VarSpeedField::Price:
        target = m_price;
        break;
    case VarSpeedField::Density:
        target = m_density;
        break;
    case VarSpeedField::MinSpeed:
        target = m_minSpeed;
        break;
    case VarSpeedField::MaxSpeed:
        target = m_maxSpeed;
        break;
    case VarSpeedField::MotorMargin:
        target = m_motorMargin;
        break;
    case VarSpeedField::ProportionalShare:
        target = m_proportionalShare;
        break;
    case VarSpeedField::Setpoint:
        target = m_setpoint;
        break;
    case VarSpeedField::Model:
        target = m_model;
        break;
    }
    if (target) {
        target->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(target))
            edit->selectAll();
    }
}

const VarSpeedPump* VarSpeedWindow::pumpOfRow(int row) const
{
    const QTableWidgetItem* item = row >= 0 ? m_accepted->item(row, 0) : nullptr;
    const int index = item ? item->data(Qt::UserRole + 1).toInt() : -1;
    return index >= 0 && index < static_cast<int>(m_lastRun.listed.size())
               ? m_lastRun.listed[static_cast<std::size_t>(index)]
               : nullptr;
}

void VarSpeedWindow::updateProfileSum()
{
    double sum = 0.0;
    for (int row = 0; row < m_profile->rowCount(); ++row) {
        if (const QTableWidgetItem* item = m_profile->item(row, 1))
            sum += Val(utf8(item->text()));
    }
    const QString figure = QString::fromStdString(numberText(std::round(sum * 1000.0) / 1000.0));
    const bool whole = std::fabs(sum - 100.0) <= 1e-6;
    m_profileSum->setText((whole ? speedtext::profileSum() : speedtext::profileSumWrong()).arg(figure));
    m_profileSum->setStyleSheet(whole ? QString() : QStringLiteral("color: rgb(192,0,0);"));
}

void VarSpeedWindow::fillAccepted(const std::vector<const VarSpeedPump*>& pumps)
{
    m_lastRun.listed = pumps;
    const QSignalBlocker block(m_accepted);
    m_accepted->setSortingEnabled(false);
    m_accepted->setRowCount(static_cast<int>(pumps.size()));
    for (int row = 0; row < static_cast<int>(pumps.size()); ++row) {
        const VarSpeedPump& p = *pumps[static_cast<std::size_t>(row)];
        auto* model = new NumberItem(row, QString::fromStdString(p.curves.model));
        model->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        model->setData(Qt::UserRole + 1, row);
        m_accepted->setItem(row, 0, model);
        const double speed = p.curves.speed.value_or(0.0);
        m_accepted->setItem(row, 1, new NumberItem(speed, p.curves.speed ? fixed(speed, 0) : QString()));
        m_accepted->setItem(row, 2,
                            new NumberItem(p.dutyPumps * 10 + p.standbyPumps,
                                           QStringLiteral("%1+%2").arg(p.dutyPumps).arg(p.standbyPumps)));
        auto* motor = new NumberItem(p.motorRating, QString::fromStdString(numberText(p.motorRating)));
        motor->setToolTip(motorText(p, m_lastRun.run ? m_lastRun.run->selection.request.maxSpeed : 1.0));
        m_accepted->setItem(row, 3, motor);
        m_accepted->setItem(row, 4, number(p.design.speedShare, 1, 100.0));
        m_accepted->setItem(row, 5, number(p.design.pumpEfficiency, 1, 100.0));
        m_accepted->setItem(row, 6, number(p.weightedEfficiency, 1, 100.0));
        m_accepted->setItem(row, 7, number(p.timeOutsidePreferredRegion, 0, 100.0));
        m_accepted->setItem(row, 8, number(p.annualEnergy, 0));
        m_accepted->setItem(row, 9, number(p.aboveBest, 1, 100.0));
        m_accepted->setItem(row, 10, number(p.annualCost, 0));
    }
    m_accepted->setSortingEnabled(true);
    m_accepted->sortByColumn(kEnergyColumn, Qt::AscendingOrder);
}

void VarSpeedWindow::fillRejected(const std::vector<const VarSpeedRejection*>& rejected)
{
    m_rejected->setRowCount(static_cast<int>(rejected.size()));
    for (int row = 0; row < static_cast<int>(rejected.size()); ++row) {
        const VarSpeedRejection& r = *rejected[static_cast<std::size_t>(row)];
        m_rejected->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(r.model)));
        auto* rule = new QTableWidgetItem(speedtext::ruleName(r.rule));
        rule->setData(Qt::UserRole, QString::fromLatin1(speedRejectionRuleCode(r.rule)));
        m_rejected->setItem(row, 1, rule);
        m_rejected->setItem(row, 2, new QTableWidgetItem(store::coreText(rejectionText(r))));
    }
}

void VarSpeedWindow::showPump(const VarSpeedPump* pump)
{
    m_lastRun.shown = pump;
    m_loads->setRowCount(0);
    if (!pump || !m_lastRun.run) {
        m_chart->clear();
        m_pumpTitle->clear();
        return;
    }
    const double top = m_lastRun.run->selection.request.maxSpeed;
    m_pumpTitle->setText(
        speedtext::pumpTitle()
            .arg(QString::fromStdString(pump->curves.model))
            .arg(pump->dutyPumps)
            .arg(pump->standbyPumps)
            .arg(QString::fromStdString(numberText(pump->motorRating)), motorText(*pump, top),
                 fixed(pump->curves.bestEfficiencyFlow, 1),
                 top < 1.0 ? speedtext::topSpeedLimit().arg(fixed(top * 100.0, 0)) : speedtext::noSpeedLimit(),
                 fixed(pump->timeOutsidePreferredRegion * 100.0, 0)) +
        (pump->curves.viscosity && pump->curves.viscosity->needed()
             ? speedtext::viscosityNote().arg(fixed(pump->curves.viscosity->b, 2), fixed(pump->curves.viscosity->cq, 3),
                                              fixed(pump->curves.viscosity->ch, 3),
                                              fixed(pump->curves.viscosity->ceta, 3))
             : QString()));
    m_chart->setData(varSpeedChartData(*pump, m_lastRun.run->selection.request));
    std::vector<std::pair<QString, const VarSpeedPoint*>> rows = {{speedtext::designPoint(), &pump->design}};
    for (const VarSpeedPoint& p : pump->points)
        rows.emplace_back(QStringLiteral("%1%/%2%").arg(QString::fromStdString(numberText(p.flowShare * 100.0)),
                                                        QString::fromStdString(numberText(p.timeShare * 100.0))),
                          &p);
    m_loads->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const VarSpeedPoint& p = *rows[static_cast<std::size_t>(row)].second;
        auto* label =
            new QTableWidgetItem(rows[static_cast<std::size_t>(row)].first + varSpeedWarningMarks(p.warnings));
        if (p.npsh)
            label->setToolTip(speedtext::suctionNote().arg(fixed(p.npsh->available, 2), fixed(p.npsh->required, 2),
                                                           fixed(p.npsh->needed, 2)));
        m_loads->setItem(row, 0, label);
        m_loads->setItem(row, 1, number(p.flow, 1));
        m_loads->setItem(row, 2, number(p.head, 2));
        m_loads->setItem(row, 3, new NumberItem(p.running, QString::number(p.running)));
        m_loads->setItem(row, 4, number(p.speedShare, 1, 100.0));
        m_loads->setItem(row, 5, number(p.bestEfficiencyShare, 2));
        m_loads->setItem(row, 6, number(p.pumpEfficiency, 1, 100.0));
        m_loads->setItem(row, 7, number(p.shaftPower, 2));
        m_loads->setItem(row, 8, number(p.motorEfficiency, 1, 100.0));
        m_loads->setItem(row, 9, number(p.driveEfficiency, 1, 100.0));
        m_loads->setItem(row, 10, number(p.inputPower, 2));
        m_loads->setItem(row, 11, number(p.wireToWaterEfficiency, 1, 100.0));
        auto* warnings = new QTableWidgetItem(varSpeedWarningText(p.warnings));
        warnings->setToolTip(warnings->text());
        m_loads->setItem(row, 12, warnings);
    }
}

} // namespace tarnwick
