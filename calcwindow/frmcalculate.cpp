#include "calcwindow/frmcalculate.h"

#include "calcwindow/calculationsheets.h"
#include "calcwindow/calcwindowtexts.h"
#include "calcwindow/performancechart.h"
#include "calcwindow/pumpviewmodel.h"
#include "calcwindow/schematic.h"
#include "calcwindow/unitchooser.h"
#include "controls/commandbutton.h"
#include "controls/conditionspanel.h"
#include "controls/messagebox.h"
#include "controls/modelchooser.h"
#include "controls/panelparts.h"
#include "controls/uimetrics.h"
#include "core/examination.h"
#include "core/measuredrange.h"
#include "core/systemfit.h"
#include "core/units.h"
#include "store/calculations.h"
#include "store/coretext.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"

#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace {

// The data grid's column widths in the window's layout (twips).
constexpr int kGridColumnWidths[] = {810, 1050, 690, 690, 600, 600, 750, 780, 750, 480};

QString indexed(const char* name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

void placeTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

// The layout places labels by their top edge for fonts whose glyphs sit high
// in a tight line (ascent about 0.86 em). The CJK fonts used here carry a
// taller ascent, so a label moves up by the difference and its text stands
// where the layout means it to.
int baselineLift(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const double pixelSize = QFontInfo(font).pixelSize();
    return std::max(0, static_cast<int>(std::lround(metrics.ascent() - 0.86 * pixelSize)));
}

// A label that sizes itself to its text, as the window's labels do.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top,
                  const QFont* font = nullptr)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    if (font)
        label->setFont(*font);
    label->move(twips(left), twips(top) - baselineLift(label->font()));
    label->adjustSize();
    return label;
}

void setAutoSizedText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

// A framed panel: the borderless frame, its light-blue border shape, the
// heading in the top left corner and a thin line below the heading.
QWidget* makePanel(QWidget* parent, const QString& name, int left, int top, int width, int height,
                   const QString& borderName, int borderHeight, const QString& headingName, const QString& heading,
                   ShapeWidget** border = nullptr, const QFont* font = nullptr)
{
    auto* frame = new QWidget(parent);
    frame->setObjectName(name);
    placeTwips(frame, left, top, width, height);
    frame->setAutoFillBackground(true);
    if (font)
        frame->setFont(*font);
    auto* shape = new ShapeWidget(frame, borderName, twipsRect(0, 0, width, borderHeight));
    if (border)
        *border = shape;
    makeLabel(frame, headingName, heading, 120, 120);
    new LineWidget(frame, name + QStringLiteral("HeadingLine"), 60, 375, width - 60, 375, panelBorder());
    return frame;
}

// The small "2" of H2O and "3" of m3 stand in the blank of their axis title;
// the blank's place depends on the font, so it is measured.
void placeInGap(QLabel* digit, const QLabel* title)
{
    const QString text = title->text();
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return;
    const QFontMetrics metrics(title->font());
    const int gapLeft = metrics.horizontalAdvance(text.left(blank));
    const int gapWidth = metrics.horizontalAdvance(QLatin1Char(' '));
    digit->move(title->x() + gapLeft + (gapWidth - digit->width()) / 2 + 1, digit->y());
}

// A legend text ends a little before its sample line, whatever its font's width.
void legendLabel(QLabel* label, int lineLeft)
{
    const int right = twips(lineLeft) - 3;
    if (label->x() + label->width() > right)
        label->move(right - label->width(), label->y());
}

// The scroll bars start with one viewport of range, so the steps taken from
// them at load are a viewport (large) and a tenth of it (small).
constexpr int kVScrollInitialMaximum = kSchematicViewportHeight;
constexpr int kHScrollInitialMaximum = kSchematicViewportWidth;

} // namespace

frmcalculate::frmcalculate(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmcalculate"));
    setFixedSize(twipsSize(10785, 6330));
    setFont(programFont(QStringLiteral("宋体"), 9));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, windowBackground());
    setPalette(palette);
    setAutoFillBackground(true);

    // Label9 only carries the pump type on display for the schematic window;
    // it lies under the panels, so it is kept out of sight altogether.
    m_label9 = new QLabel(this);
    m_label9->setObjectName(QStringLiteral("Label9"));
    placeTwips(m_label9, 2760, 0, 375, 255);
    m_label9->hide();

    buildInputPanel();
    buildPumpDataPanel();
    buildCandidatePanel();
    buildOperatingPanel();
    buildPages();
    m_sheets = new CalculationSheets(this, m_lastRun, m_list1, m_picture1);
    connect(m_sheets, &CalculationSheets::rejectedPumpPicked, this, &frmcalculate::showRejectedPump);

    m_gridModel->setRowSet(nullptr);
    ResetChartPage();
}

frmcalculate::~frmcalculate()
{
    // The children outlive this object's own part: nothing they signal while
    // they go may reach it, and the grid must not read the catalogue's rows.
    QObject::disconnect(m_list1, nullptr, this, nullptr);
    QObject::disconnect(m_combo1, nullptr, this, nullptr);
    QObject::disconnect(m_grid->selectionModel(), nullptr, this, nullptr);
    m_gridModel->setRowSet(nullptr);
}

void frmcalculate::buildInputPanel()
{
    const QFont inputFont = programFont(QStringLiteral("宋体"), 9.75);
    m_frame1 = makePanel(this, QStringLiteral("Frame1"), 110, 0, 2760, 2655, QStringLiteral("Shape6"), 2550,
                         QStringLiteral("Label4"), calctext::inputHeading(), &m_shape6, &inputFont);
    QWidget* f = m_frame1;

    makeLabel(f, QStringLiteral("Label3"), calctext::resistanceLabel(), 120, 615);
    makeLabel(f, QStringLiteral("Label2"), calctext::flowLabel(), 480, 930);
    makeLabel(f, QStringLiteral("Label28"), calctext::staticHeadLabel(), 300, 1250);
    m_modelLabel = makeLabel(f, indexed("Label12", 0), calctext::modelLabel(), 135, 1665);

    const int boxTops[3] = {600, 915, 1230};
    for (int i = 0; i < 3; ++i) {
        // Each box sits in a border shape one pixel larger all round.
        auto* border =
            new ShapeWidget(f, indexed("Shape2", i), twipsRect(975, boxTops[i], 620, 220).adjusted(-1, -1, 1, 1));
        border->setFillColor(listBackground());
        m_text1[i] = new DutyBox(f, indexed("Text1", i));
        placeTwips(m_text1[i], 975, boxTops[i], 620, 220);
    }

    // The unit choosers draw their narrow texts whole (UnitChooser); the
    // model chooser is wide enough for the style's own drawing.
    auto makeUnitChooser = [f](const QString& name, int left, int top, int width) {
        auto* combo = new UnitChooser(f);
        combo->setObjectName(name);
        placeTwips(combo, left, top, width, 300);
        return combo;
    };
    m_combo3 = makeUnitChooser(QStringLiteral("Combo3"), 1710, 550, 900);
    m_combo2 = makeUnitChooser(QStringLiteral("Combo2"), 1710, 875, 900);
    m_combo4 = makeUnitChooser(QStringLiteral("Combo4"), 1710, 1200, 900);
    // Searchable by any part of a model.
    m_combo1 = new ModelChooser(f);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setStyleSheet(QStringLiteral("QComboBox { padding: 0px 0px 0px 3px; }"
                                           "QComboBox::drop-down { width: 14px; }"));
    placeTwips(m_combo1, 960, 1605, 1650, 300);
    for (std::string_view unit : PressureUnit::items) {
        m_combo3->addItem(QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())));
        m_combo4->addItem(QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())));
    }
    for (std::string_view unit : FlowUnit::items)
        m_combo2->addItem(QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())));
    connect(m_combo1, &QComboBox::activated, this, &frmcalculate::onModelChosen);

    m_line42 = new LineWidget(f, QStringLiteral("Line42"), 60, 2040, 2700, 2040, panelBorder());

    m_designButton = makeCommandButton(f, calctext::designButton(), calctext::calculateCaption(),
                                       twipsRect(120, 1720, 705, 345), [this] { runAndStoreDesign(); });
    m_checkButton = makeCommandButton(f, calctext::checkButton(), calctext::calculateCaption(),
                                      twipsRect(120, 2160, 705, 345), [this] { runAndStoreCheck(); });
    m_refreshButton = makeCommandButton(f, calctext::refreshButton(), calctext::refreshCaption(),
                                        twipsRect(960, 2160, 705, 345), [this] { refresh(); });

    // The liquid, suction and impeller: a group whose title sits in the input
    // panel's heading and which opens below it, closed until asked for.
    m_conditionsToggle = new QToolButton(f);
    m_conditionsToggle->setObjectName(QStringLiteral("ConditionsToggle"));
    m_conditionsToggle->setText(ConditionsPanel::title());
    m_conditionsToggle->setToolTip(ConditionsPanel::title());
    m_conditionsToggle->setCheckable(true);
    m_conditionsToggle->setArrowType(Qt::RightArrow);
    m_conditionsToggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_conditionsToggle->setAutoRaise(true);
    placeTwips(m_conditionsToggle, 1020, 30, 1720, 330);
    m_conditions = new ConditionsPanel(this);
    m_conditions->hide();
    connect(m_conditionsToggle, &QToolButton::toggled, this, [this](bool open) {
        m_conditionsToggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        if (open) {
            const QPoint below = m_conditionsToggle->mapTo(this, QPoint(0, m_conditionsToggle->height()));
            m_conditions->adjustSize();
            m_conditions->move(below);
            m_conditions->raise();
        }
        m_conditions->setVisible(open);
    });
}

std::optional<ServiceConditions> frmcalculate::enteredConditions()
{
    auto conditions = m_conditions->conditions();
    if (!conditions) {
        if (!m_conditionsToggle->isChecked())
            m_conditionsToggle->setChecked(true);
        showWarning(this, conditions.error());
        return std::nullopt;
    }
    ServiceConditions entered = conditions.value();
    if (!applyMeasuredPoints(&entered))
        return std::nullopt;
    return entered;
}

bool frmcalculate::applyMeasuredPoints(ServiceConditions* conditions)
{
    const QList<ConditionsPanel::MeasuredRow> rows = m_conditions->measuredRows();
    if (rows.isEmpty())
        return true;
    // The points are in the duty's flow and resistance units, as the
    // engineer reads them off the plant's gauges.
    const std::string flowUnit = m_combo2->currentText().toStdString();
    const std::string headUnit = m_combo3->currentText().toStdString();
    std::vector<std::pair<double, double>> points;
    for (const ConditionsPanel::MeasuredRow& row : rows) {
        bool okFlow = false;
        bool okHead = false;
        const double q = row.flow.toDouble(&okFlow);
        const double h = row.head.toDouble(&okHead);
        if (!okFlow || !okHead || !std::isfinite(q) || !std::isfinite(h)) {
            m_conditionsToggle->setChecked(true);
            m_conditions->measuredTable()->setCurrentCell(row.row, okFlow ? 1 : 0);
            showWarning(this, calctext::measuredPointNotNumber().arg(row.row + 1));
            return false;
        }
        points.emplace_back(FlowUnit::toCubicMetresPerHour(q, flowUnit), PressureUnit::toMetresOfWater(h, headUnit));
    }
    // A static head typed stays; only the coefficient is fitted then.
    std::optional<double> staticHead;
    bool okStatic = false;
    const double typedStatic = m_text1[2]->text().trimmed().toDouble(&okStatic);
    if (okStatic && std::isfinite(typedStatic))
        staticHead = PressureUnit::toMetresOfWater(typedStatic, m_combo4->currentText().toStdString());
    const auto fit = fitSystemCurve(points, staticHead);
    if (!fit) {
        m_conditionsToggle->setChecked(true);
        showWarning(this, QString::fromStdString(fit.error()));
        return false;
    }
    // The duty boxes show the fitted figures as if typed, in centimetres of
    // water; a flow that is no number is left for the duty's own message.
    bool okFlow = false;
    const double flow = FlowUnit::toCubicMetresPerHour(m_text1[1]->text().trimmed().toDouble(&okFlow),
                                                       m_combo2->currentText().toStdString());
    if (!okFlow || !std::isfinite(flow))
        return true;
    const int water = m_combo3->findText(QStringLiteral("mH2O"));
    m_combo3->setCurrentIndex(water);
    m_text1[0]->setText(QString::number(fit->resistanceAt(flow), 'f', 2));
    if (!staticHead) {
        m_combo4->setCurrentIndex(water);
        // A static head of nothing is typed as "0", the one text for it.
        const QString fitted = QString::number(fit->staticHead, 'f', 2);
        m_text1[2]->setText(fitted == QStringLiteral("0.00") ? QStringLiteral("0") : fitted);
    }
    conditions->measured = fit.value();
    return true;
}

void frmcalculate::buildPumpDataPanel()
{
    QWidget* frame = makePanel(this, QStringLiteral("Frame3"), 2945, 0, 7740, 1800, QStringLiteral("Frame3Border"),
                               1800, QStringLiteral("Label37"), calctext::pumpDataHeading());
    m_gridModel = new PumpViewModel(this);
    m_grid = new QTableView(frame);
    m_grid->setObjectName(QStringLiteral("DataGrid1"));
    placeTwips(m_grid, 30, 435, 7700, 1340);
    m_grid->setFont(programFont(QStringLiteral("宋体"), 9));
    m_grid->setModel(m_gridModel);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    QHeaderView* header = m_grid->horizontalHeader();
    // Captions with a double blank break there onto a second line; the narrow
    // columns leave the captions little margin.
    header->setDefaultAlignment(Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap));
    header->setStyleSheet(QStringLiteral("QHeaderView::section { padding: 0px 1px; }"));
    header->setMinimumSectionSize(20);
    for (int column = 0; column < 10; ++column)
        header->resizeSection(column, twips(kGridColumnWidths[column]));
    const QFontMetrics metrics(m_grid->font());
    header->setFixedHeight(2 * metrics.height() + 2);
    QHeaderView* rows = m_grid->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(metrics.height() + 1);
    rows->setFixedWidth(twips(180));
    rows->setDefaultAlignment(Qt::AlignCenter);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { onGridRowChosen(current.row()); });
}

void frmcalculate::buildCandidatePanel()
{
    m_frame5 = makePanel(this, QStringLiteral("Frame5"), 110, 2180, 2760, 1720, QStringLiteral("Frame5Border"), 1720,
                         QStringLiteral("Label7"), calctext::candidatesHeading());
    m_list1 = new QListWidget(m_frame5);
    m_list1->setObjectName(QStringLiteral("List1"));
    placeTwips(m_list1, 15, 430, 2745, 1290);
    QPalette palette = m_list1->palette();
    palette.setColor(QPalette::Base, listBackground());
    m_list1->setPalette(palette);
    m_list1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list1, &QListWidget::itemSelectionChanged, this, &frmcalculate::onCandidateChosen);
}

void frmcalculate::buildOperatingPanel()
{
    m_frame2 = makePanel(this, QStringLiteral("Frame2"), 110, 2700, 2760, 3540, QStringLiteral("Shape9"), 3450,
                         QStringLiteral("Label27"), calctext::operatingHeading(), &m_shape9);
    // From the top: the model line, then best efficiency, head, flow, efficiency.
    const std::pair<int, int> rows[] = {{5, 600}, {1, 930}, {2, 1275}, {3, 1605}, {4, 1950}};
    for (const auto& [index, top] : rows) {
        m_label21[index] = new QLabel(m_frame2);
        m_label21[index]->setObjectName(indexed("Label21", index));
        placeTwips(m_label21[index], 240, top, 2460, 255);
    }
}

void frmcalculate::buildPages()
{
    // The page border first, the tab backgrounds over it, so the selected tab
    // opens into its page.
    new ShapeWidget(this, QStringLiteral("Shape3"), twipsRect(2955, 2250, 7725, 3975));
    m_shape4 = new ShapeWidget(this, QStringLiteral("Shape4"), twipsRect(2955, 1920, 1335, 375));
    m_shape11 = new ShapeWidget(this, QStringLiteral("Shape11"), twipsRect(4320, 1920, 1335, 375));
    m_line6 = new LineWidget(this, QStringLiteral("Line6"), 2970, 2250, 4300, 2250, panelBorder());
    m_line5 = new LineWidget(this, QStringLiteral("Line5"), 4320, 2250, 5640, 2250, panelBorder());
    m_command1 = new TabLabel(this, QStringLiteral("Command1"), calctext::curvesTab());
    placeTwips(m_command1, 2970, 2010, 1305, 255);
    m_command5 = new TabLabel(this, QStringLiteral("Command5"), calctext::schematicTab());
    placeTwips(m_command5, 4335, 2010, 1305, 255);
    connect(m_command1, &TabLabel::clicked, this, &frmcalculate::showCurvesPage);
    connect(m_command5, &TabLabel::clicked, this, &frmcalculate::showSchematicPage);

    // The curves page lies in front of the schematic page.
    auto makePage = [this](const QString& name) {
        auto* page = new QWidget(this);
        page->setObjectName(name);
        placeTwips(page, 2970, 2265, 7695, 3930);
        page->setAutoFillBackground(true);
        return page;
    };
    m_frame4 = makePage(QStringLiteral("Frame4"));
    buildSchematicPage(m_frame4);
    m_frame4->hide();
    m_frame7 = makePage(QStringLiteral("Frame7"));
    buildCurvesPage(m_frame7);
}

void frmcalculate::buildCurvesPage(QWidget* page)
{
    m_picture1 = new PerformanceChart(page);
    placeTwips(m_picture1, 600, 360, 4600, 3200);

    const QFont axisFont = programFont(QStringLiteral("宋体"), 8.25);
    const QFont smallFont = programFont(QStringLiteral("宋体"), 5.25);
    auto axisLabel = [&](const QString& name, const QString& text, int left, int top) {
        return makeLabel(page, name, text, left, top, &axisFont);
    };

    // Efficiency axis, with its fixed ticks.
    axisLabel(indexed("Label5", 0), calctext::efficiencyAxis(), 135, 240);
    const std::pair<int, int> efficiencyTicks[] = {{5, 390}, {6, 675}, {7, 1110}, {8, 1560}, {9, 1995}};
    const char* efficiencyTexts[] = {"100", "80", "60", "40", "20"};
    for (int i = 0; i < 5; ++i)
        axisLabel(indexed("Label12", efficiencyTicks[i].first), QString::fromLatin1(efficiencyTexts[i]), 315,
                  efficiencyTicks[i].second);

    // Power axis.
    axisLabel(indexed("Label13", 0), calctext::powerAxis(), 165, 2295);
    axisLabel(indexed("Label12", 11), QStringLiteral("0"), 435, 3450);
    const int powerTops[] = {3330, 3105, 2880, 2670, 2445};
    for (int i = 0; i < 5; ++i)
        m_powerTicks[i] = axisLabel(indexed("Label12", 12 + i), QString(), 225, powerTops[i]);

    // Head axis; the "2" of H2O stands in the gap of the title.
    QLabel* headTitle = axisLabel(indexed("Label15", 0), calctext::headAxis(), 5235, 1185);
    placeInGap(makeLabel(page, indexed("Label14", 8), QStringLiteral("2"), 5630, 1235, &smallFont), headTitle);
    axisLabel(indexed("Label12", 17), QStringLiteral("0"), 5280, 3435);
    const int headTops[] = {3105, 2670, 2235, 1785, 1350};
    for (int i = 0; i < 5; ++i)
        m_headTicks[i] = axisLabel(indexed("Label12", 18 + i), QString(), 5235, headTops[i]);

    // Flow axis; the "3" of m3 stands in the gap of the title.
    axisLabel(indexed("Label14", 0), QStringLiteral("0"), 570, 3555);
    const int flowLefts[] = {1275, 2190, 3105, 4020, 4935};
    for (int i = 0; i < 5; ++i)
        m_flowTicks[i] = axisLabel(indexed("Label14", 1 + i), QString(), flowLefts[i], 3570);
    QLabel* flowTitle = axisLabel(indexed("Label14", 6), calctext::flowAxis(), 4935, 3720);
    placeInGap(makeLabel(page, indexed("Label14", 7), QStringLiteral("3"), 5250, 3710, &smallFont), flowTitle);

    // Legend.
    makeLabel(page, QStringLiteral("Label24"), calctext::legendHeading(), 6120, 120);
    makeLabel(page, QStringLiteral("Label16"), calctext::pumpCurvesLegend(), 6285, 480);
    new LineWidget(page, QStringLiteral("Line10"), 6840, 780, 7240, 780, efficiencyCurveColor());
    legendLabel(makeLabel(page, QStringLiteral("Label17"), calctext::efficiencyLegend(), 6405, 675), 6840);
    new LineWidget(page, QStringLiteral("Line11"), 6840, 1020, 7245, 1020, headCurveColor());
    legendLabel(makeLabel(page, QStringLiteral("Label18"), calctext::headLegend(), 6480, 915), 6840);
    new LineWidget(page, QStringLiteral("Line12"), 6840, 1260, 7240, 1260, powerCurveColor());
    legendLabel(makeLabel(page, QStringLiteral("Label19"), calctext::powerLegend(), 6480, 1155), 6840);
    makeLabel(page, QStringLiteral("Label20"), calctext::systemCurveLegend(), 6285, 1440);
    new LineWidget(page, QStringLiteral("Line13"), 6840, 1755, 7240, 1755, systemCurveColor());
    legendLabel(makeLabel(page, QStringLiteral("Label1"), calctext::headLegend(), 6480, 1680), 6840);
    auto* dutySymbol =
        new ShapeWidget(page, indexed("Shape1", 0), twipsRect(7080, 1935, 135, 135), ShapeWidget::Form::Circle);
    dutySymbol->setBorderColor(systemCurveColor());
    dutySymbol->setFillColor(Qt::black);
    makeLabel(page, QStringLiteral("Label22"), calctext::dutyPointLegend(), 6285, 1935);
    auto* operatingSymbol =
        new ShapeWidget(page, indexed("Shape1", 1), twipsRect(7260, 2265, 135, 135), ShapeWidget::Form::Circle);
    operatingSymbol->setBorderColor(headCurveColor());
    operatingSymbol->setFillColor(Qt::black);
    makeLabel(page, QStringLiteral("Label23"), calctext::operatingPointLegend(), 6285, 2235);
}

void frmcalculate::buildSchematicPage(QWidget* page)
{
    auto* viewport = new QWidget(page);
    viewport->setObjectName(QStringLiteral("Picture2"));
    placeTwips(viewport, 240, 120, 5295, 3375);
    QPalette palette = viewport->palette();
    palette.setColor(QPalette::Window, listBackground());
    viewport->setPalette(palette);
    viewport->setAutoFillBackground(true);

    m_ole1 = new SchematicViewer(viewport);
    m_hscroll1 = new QScrollBar(Qt::Horizontal, viewport);
    m_hscroll1->setObjectName(QStringLiteral("HScroll1"));
    placeTwips(m_hscroll1, 0, 3070, 4980, 255);
    m_vscroll1 = new QScrollBar(Qt::Vertical, viewport);
    m_vscroll1->setObjectName(QStringLiteral("VScroll1"));
    placeTwips(m_vscroll1, 4980, 0, 255, 3315);
    m_vscroll1->setRange(0, kVScrollInitialMaximum);
    m_hscroll1->setRange(0, kHScrollInitialMaximum);
    connect(m_vscroll1, &QScrollBar::valueChanged, this, [this](int value) { m_ole1->setTopTwips(-value); });
    connect(m_hscroll1, &QScrollBar::valueChanged, this, [this](int value) { m_ole1->setLeftTwips(-value); });

    makeCommandButton(page, calctext::fullScreenButton(), calctext::fullScreenCaption(),
                      twipsRect(4560, 3600, 975, 255), [this] { emit fullScreenRequested(m_label9->text()); });

    makeLabel(page, QStringLiteral("Label6"), calctext::dimensionsHeading(), 5800, 120);
    m_text3 = new QPlainTextEdit(page);
    m_text3->setObjectName(QStringLiteral("Text3"));
    placeTwips(m_text3, 5800, 400, 1845, 3510);
    m_text3->setReadOnly(true);
    m_text3->viewport()->installEventFilter(this);
}

bool frmcalculate::eventFilter(QObject* watched, QEvent* event)
{
    // The dimension text only shows the grid row's text: a click there hands
    // the focus to the grid, so no caret is left in it.
    if (m_text3 && watched == m_text3->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        m_grid->setFocus(Qt::MouseFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool frmcalculate::load(const QString& place, QString* error)
{
    auto opened = store::PumpCatalogue::open(place);
    if (!opened) {
        if (error)
            *error = opened.error();
        return false;
    }
    m_gridModel->setRowSet(nullptr);
    m_catalogue = std::move(opened).value();
    m_lastRun.catalogue = m_catalogue.get();
    m_lastRun.candidates.clear();
    noteListedCandidates();
    m_gridModel->setRowSet(&m_catalogue->viewRows);
    fitGridColumns();

    {
        const QSignalBlocker blocker(m_combo1);
        m_combo1->clear();
        m_combo1->addItems(m_catalogue->modelList());
    }

    // The scroll steps come from the maxima the bars have now, before any
    // schematic has been fitted; fitting later changes only the maxima.
    for (QScrollBar* bar : {m_vscroll1, m_hscroll1}) {
        bar->setPageStep(bar->maximum());
        bar->setSingleStep(static_cast<int>(std::nearbyint(bar->maximum() / 10.0)));
    }

    m_catalogue->viewRows.moveFirst();
    syncPumpView();
    selectDefaults();
    return true;
}

bool frmcalculate::reloadCatalogue(QString* error)
{
    if (!m_catalogue)
        return true;
    const QString place = m_catalogue->place;
    const QString model = m_combo1->chosenModel();
    const std::array<int, 3> units = {m_combo2->currentIndex(), m_combo3->currentIndex(), m_combo4->currentIndex()};
    ResetChartPage();
    clearOperatingLabels();
    clearCandidateList();
    m_lastRun.rejected.clear();
    m_lastRun.check.reset();
    m_sheets->closeRejectedPumps();
    if (!load(place, error))
        return false;
    m_combo2->setCurrentIndex(units[0]);
    m_combo3->setCurrentIndex(units[1]);
    m_combo4->setCurrentIndex(units[2]);
    const int index = m_combo1->findText(model);
    if (index > 0) {
        {
            const QSignalBlocker blocker(m_combo1);
            m_combo1->setCurrentIndex(index);
        }
        onModelChosen();
    }
    return true;
}

void frmcalculate::selectDefaults()
{
    {
        const QSignalBlocker blocker(m_combo1);
        m_combo1->setCurrentIndex(m_combo1->count() > 0 ? 0 : -1);
    }
    m_combo2->setCurrentIndex(FlowUnit::defaultIndex);
    m_combo3->setCurrentIndex(PressureUnit::defaultIndex);
    m_combo4->setCurrentIndex(PressureUnit::defaultIndex);
    // Choosing the first model counts as choosing a model.
    onModelChosen();
}

void frmcalculate::configureMode(CalculationMode mode, const QIcon& icon)
{
    clearCandidateList();
    clearOperatingLabels();
    setPageTabsEnabled(false);
    showCurvesPage();
    m_picture1->clearDrawing();
    emit statusNote(QString());
    setWindowIcon(icon);
    setWindowTitle(mode == CalculationMode::Design ? calctext::designCaption() : calctext::checkCaption());
    applyModeLayout(mode);
    m_mode = mode;
}

void frmcalculate::applyModeLayout(CalculationMode mode)
{
    const bool design = mode == CalculationMode::Design;
    placeTwips(m_shape6, 0, 0, 2760, design ? 2070 : 2550);
    placeTwips(m_frame1, 110, 0, 2760, design ? 2175 : 2655);
    m_line42->setY(design ? 1620 : 2040);
    placeTwips(m_refreshButton, 960, design ? 1720 : 2160, 705, 345);
    m_checkButton->setVisible(!design);
    m_designButton->setVisible(design);
    m_modelLabel->setVisible(!design);
    m_combo1->setVisible(!design);
    m_frame5->setVisible(design);
    placeTwips(m_frame2, 110, design ? 3900 : 2670, 2760, design ? 2325 : 3550);
    placeTwips(m_shape9, 0, 0, 2760, design ? 2220 : 3450);
}

void frmcalculate::fitGridColumns()
{
    // Every column as wide as its widest cell needs (the text with the
    // cell's margins, as the grid draws it), the model column first, so a
    // model is never cut short; none narrower than its place in the layout,
    // which its two-line caption needs. What does not fit the grid scrolls
    // sideways, and every cell's tooltip holds its whole text.
    constexpr int kModelColumn = 1;
    constexpr int kGridLine = 1;
    QHeaderView* header = m_grid->horizontalHeader();
    QAbstractItemDelegate* delegate = m_grid->itemDelegate();
    QStyleOptionViewItem option;
    option.initFrom(m_grid);
    option.font = m_grid->font();
    // A large catalogue's widths come from a sample of its rows and the
    // rows with the longest texts.
    constexpr int kWidthSample = 1000;
    auto fit = [&](int column) {
        int content = 0;
        for (int row : m_gridModel->widthRows(column, kWidthSample))
            content = std::max(content, delegate->sizeHint(option, m_gridModel->index(row, column)).width());
        header->resizeSection(column, std::max(twips(kGridColumnWidths[column]), content + kGridLine));
    };
    fit(kModelColumn);
    for (int column = 0; column < header->count(); ++column) {
        if (column != kModelColumn)
            fit(column);
    }
}

void frmcalculate::clearOperatingLabels()
{
    for (int i = 1; i <= 5; ++i)
        m_label21[i]->clear();
}

void frmcalculate::clearCandidateList()
{
    {
        const QSignalBlocker blocker(m_list1);
        m_list1->clear();
    }
    noteListedCandidates();
}

void frmcalculate::noteListedCandidates()
{
    // The list's own state: the sheets are offered while the window is in use,
    // whatever its parents' state at the moment the list changed.
    m_lastRun.candidatesListed = !m_lastRun.candidates.empty() && m_list1->isEnabledTo(m_list1->parentWidget()) &&
                                 static_cast<std::size_t>(m_list1->count()) == m_lastRun.candidates.size();
}

void frmcalculate::setPageTabsEnabled(bool enabled)
{
    m_command1->setEnabled(enabled);
    m_command5->setEnabled(enabled);
}

void frmcalculate::onModelChosen()
{
    clearCandidateList();
    clearOperatingLabels();
    ResetChartPage();
}

void frmcalculate::showCurvesPage()
{
    m_shape4->setFillColor(windowBackground());
    m_line6->hide();
    m_shape11->setFillColor(listBackground());
    m_line5->show();
    m_frame7->show();
    m_frame7->raise();
}

void frmcalculate::showSchematicPage()
{
    m_shape11->setFillColor(windowBackground());
    m_line6->show();
    m_shape4->setFillColor(listBackground());
    m_line5->hide();
    m_frame4->show();
    m_frame7->hide();
}

void frmcalculate::ResetChartPage()
{
    m_lastRun.shown = LastCalculation::Shown::None;
    m_picture1->setToolTip(QString());
    m_picture1->clearDrawing();
    setPageTabsEnabled(false);
    showCurvesPage();
}

void frmcalculate::refresh()
{
    m_text1[0]->setFocus(Qt::OtherFocusReason);
    clearCandidateList();
    clearOperatingLabels();
    for (DutyBox* box : m_text1)
        box->clear();
    m_list1->setEnabled(true);
    noteListedCandidates();
    if (m_catalogue) {
        m_catalogue->viewRows.moveFirst();
        syncPumpView();
    }
    selectDefaults();
    ResetChartPage();
}

DutyTexts frmcalculate::dutyTexts() const
{
    DutyTexts texts;
    texts.resistance = m_text1[0]->text().toStdString();
    texts.flow = m_text1[1]->text().toStdString();
    texts.staticHead = m_text1[2]->text().toStdString();
    texts.resistanceUnit = m_combo3->currentText().toStdString();
    texts.flowUnit = m_combo2->currentText().toStdString();
    texts.staticHeadUnit = m_combo4->currentText().toStdString();
    return texts;
}

void frmcalculate::reportFailure(const store::RunFailure& failure)
{
    if (failure.kind == store::RunFailure::Kind::Database) {
        showWarning(this, failure.databaseError);
        return;
    }
    const CalculationStop& stop = failure.stop;
    showWarning(this, store::coreText(stop.message));
    if (stop.focus == CalculationStop::Focus::ModelChooser) {
        m_combo1->setFocus(Qt::OtherFocusReason);
    } else {
        DutyBox* box = m_text1.at(static_cast<std::size_t>(std::clamp(stop.dutyBox, 0, 2)));
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
}

void frmcalculate::runAndStoreDesign()
{
    if (!m_catalogue)
        return;
    ResetChartPage();
    clearOperatingLabels();
    emit statusNote(QString());
    m_lastRun.rejected.clear();
    m_sheets->closeRejectedPumps();
    if (m_list1->count() > 0) {
        clearCandidateList();
        m_list1->setEnabled(true);
        noteListedCandidates();
    }

    const std::optional<ServiceConditions> conditions = enteredConditions();
    if (!conditions)
        return;
    // The window lists the skipped pumps on request, so every run keeps them.
    auto result = store::runDesign(*m_catalogue, dutyTexts(), {}, *conditions, RejectedList::Listed);
    if (!result) {
        reportFailure(result.error());
        return;
    }
    DesignSelection& selection = result.value();
    m_request = selection.request;
    m_lastRun.candidates = std::move(selection.candidates);
    m_lastRun.rejected = std::move(selection.rejected);
    m_lastRun.designRequest = selection.request;
    m_designConditions = selection.conditions;
    m_lastRun.designDuty = dutyTexts();
    {
        const QSignalBlocker blocker(m_list1);
        for (const std::string& entry : selection.entries)
            m_list1->addItem(store::coreText(entry));
    }
    if (!selection.listEnabled)
        m_list1->setEnabled(false);
    noteListedCandidates();
}

void frmcalculate::onCandidateChosen()
{
    m_lastRun.shown = LastCalculation::Shown::None;
    m_picture1->setToolTip(QString());
    m_picture1->clearDrawing();
    clearOperatingLabels();

    int position = 0;
    for (int k = 1; k <= m_list1->count(); ++k) {
        if (m_list1->item(k - 1)->isSelected()) {
            position = k;
            break;
        }
    }
    if (position == 0 || position > static_cast<int>(m_lastRun.candidates.size()))
        return;

    const DesignCandidate& candidate = m_lastRun.candidates[static_cast<std::size_t>(position - 1)];
    DrawPerformanceChart(chartInputFor(candidate, m_request));
    m_lastRun.shown = LastCalculation::Shown::Candidate;
    m_lastRun.shownCandidate = static_cast<std::size_t>(position - 1);
    setChartToolTip(candidate.fitQuality);
    if (m_designConditions.any())
        emit statusNote(store::coreText(pumpExtrasText(candidate.extras, m_designConditions)));
    ShowOperatingParameters(candidate);
    ShowPumpRecord(QString::fromStdString(candidate.model));
}

void frmcalculate::runAndStoreCheck()
{
    if (!m_catalogue)
        return;
    ResetChartPage();
    clearOperatingLabels();
    emit statusNote(QString());

    const std::optional<ServiceConditions> conditions = enteredConditions();
    if (!conditions)
        return;
    auto result = store::runCheck(*m_catalogue, dutyTexts(), m_combo1->chosenModel(), *conditions);
    if (!result) {
        reportFailure(result.error());
        return;
    }
    const CheckedPump& pump = result.value();
    m_request = pump.request;
    m_pointCount = pump.pointCount;
    QStringList notes;
    if (const auto note = operatingFlowNote(pump.points, pump.operatingFlow))
        notes << store::coreText(*note);
    if (pump.conditions.any())
        notes << store::coreText(pumpExtrasText(pump.extras, pump.conditions));
    if (!notes.isEmpty())
        emit statusNote(notes.join(QStringLiteral("  ")));

    DrawPerformanceChart(chartInputFor(pump, pump.request));
    m_lastRun.check = pump;
    m_lastRun.checkDuty = dutyTexts();
    m_lastRun.shown = LastCalculation::Shown::Check;
    setChartToolTip(pump.fitQuality);
    for (int i = 1; i <= 5; ++i)
        m_label21[i]->setText(store::coreText(pump.labels[static_cast<std::size_t>(i - 1)]));

    // The check takes the pump type from the catalogue row, then shows the
    // schematic, the grid row, the tabs and the type in that order.
    const QString pumpType = QString::fromStdString(pump.pumpType);
    m_ole1->setSizeMode(SchematicViewer::SizeMode::Natural);
    showSchematicOfType(pumpType, true);
    moveViewRowsToModel(QString::fromStdString(pump.model));
    setPageTabsEnabled(true);
    m_label9->setText(pumpType);
    fitschematic();
}

void frmcalculate::DrawPerformanceChart(const ChartInput& input)
{
    const ChartTicks ticks = drawPerformanceChart(*m_picture1, input);
    for (std::size_t i = 0; i < 5; ++i) {
        setAutoSizedText(m_flowTicks[i], ticks.flow[i]);
        setAutoSizedText(m_powerTicks[i], ticks.power[i]);
        setAutoSizedText(m_headTicks[i], ticks.head[i]);
    }
}

void frmcalculate::setChartToolTip(const FitQuality& quality, const QString& note)
{
    const QString text =
        fitQualityText(quality.headDeviationPercent, quality.headR2, quality.powerDeviationPercent, quality.powerR2);
    m_picture1->setToolTip(note.isEmpty() ? text : note + QLatin1Char('\n') + text);
}

void frmcalculate::showRejectedPumps()
{
    m_sheets->openRejectedPumps();
}

void frmcalculate::showRejectedPump(std::size_t pumpIndex)
{
    if (!m_catalogue)
        return;
    const std::vector<RejectedPump>& rejected = m_lastRun.rejected;
    const auto found =
        std::find_if(rejected.begin(), rejected.end(), [&](const RejectedPump& r) { return r.pumpIndex == pumpIndex; });
    if (found == rejected.end())
        return;
    ResetChartPage();
    clearOperatingLabels();
    const std::optional<CheckedPump> pump = examinePump(m_catalogue->catalogue(), m_lastRun.designRequest, pumpIndex);
    if (!pump) {
        showWarning(this, calctext::rejectedWithoutOperatingPoint());
        return;
    }
    DrawPerformanceChart(chartInputFor(*pump, m_lastRun.designRequest));
    for (int i = 1; i <= 4; ++i)
        m_label21[i]->setText(store::coreText(pump->labels[static_cast<std::size_t>(i - 1)]));
    const QString model = QString::fromStdString(pump->model);
    m_label21[5]->setText(calctext::notAcceptedModel(model));
    ShowPumpRecord(model);
    m_lastRun.shown = LastCalculation::Shown::Rejected;
    setChartToolTip(pump->fitQuality, calctext::notAcceptedNote(store::coreText(rejectionReason(*found))));
}

void frmcalculate::ShowOperatingParameters(const DesignCandidate& candidate)
{
    const std::array<std::string, 5> texts = operatingParameterLabels(candidate);
    for (int i = 1; i <= 5; ++i)
        m_label21[i]->setText(store::coreText(texts[static_cast<std::size_t>(i - 1)]));
}

void frmcalculate::ShowPumpRecord(const QString& model)
{
    moveViewRowsToModel(model);
    const store::RowSet& view = m_catalogue->viewRows;
    QString pumpType;
    bool found = false;
    if (!view.eof()) {
        const auto type = view.field(store::names::pumpType());
        found = type.ok();
        if (found)
            pumpType = type->toString();
    }
    m_ole1->setSizeMode(SchematicViewer::SizeMode::Natural);
    // A model missing from the data sheet has no type, so no schematic.
    showSchematicOfType(pumpType, found);
    m_label9->setText(pumpType);
    fitschematic();
    setPageTabsEnabled(true);
}

void frmcalculate::moveViewRowsToModel(const QString& model)
{
    store::RowSet& view = m_catalogue->viewRows;
    view.moveFirst();
    view.findForward(store::names::model(), model);
    syncPumpView();
}

void frmcalculate::showSchematicOfType(const QString& pumpType, bool search)
{
    store::RowSet& source = m_catalogue->schematicSource;
    QImage picture;
    if (search) {
        source.moveFirst();
        source.findForward(store::names::pumpType(), pumpType);
    } else {
        source.setPosition(source.snapshotSize());
    }
    if (!source.eof()) {
        const auto blob = source.field(store::names::schematicPicture());
        if (blob.ok())
            picture = QImage::fromData(blob->toByteArray());
    }
    m_ole1->setPicture(picture);
}

void frmcalculate::fitschematic()
{
    const SchematicFit fit = fitSchematic(m_ole1->widthTwips(), m_ole1->heightTwips());
    if (fit.hasPicture) {
        m_ole1->setSizeTwips(fit.width, fit.height);
    } else {
        // Nothing to fit: an empty page.
        m_ole1->setPicture(QImage());
        m_ole1->setSizeTwips(static_cast<float>(kSchematicViewportWidth), static_cast<float>(kSchematicViewportHeight));
    }
    m_ole1->setSizeMode(SchematicViewer::SizeMode::Stretch);
    m_vscroll1->setMaximum(fit.verticalMaximum);
    m_hscroll1->setMaximum(fit.horizontalMaximum);
    m_frame4->show();
}

void frmcalculate::syncPumpView()
{
    const store::RowSet* view = m_catalogue ? &m_catalogue->viewRows : nullptr;
    const int row = view && !view->eof() ? view->position() : -1;
    m_syncingGrid = true;
    m_gridModel->setCurrentRow(row);
    if (row >= 0) {
        m_grid->selectRow(row);
        m_grid->scrollTo(m_gridModel->index(row, 0));
    } else {
        m_grid->clearSelection();
        m_grid->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    m_syncingGrid = false;

    QString dimensions;
    if (row >= 0) {
        const auto text = view->field(store::names::installationDimensions());
        if (text.ok())
            dimensions = text->toString();
    }
    m_text3->setPlainText(dimensions);
}

void frmcalculate::onGridRowChosen(int row)
{
    // The grid is bound to the data sheet rows: choosing a row moves them.
    if (m_syncingGrid || !m_catalogue || row < 0)
        return;
    m_catalogue->viewRows.setPosition(row);
    syncPumpView();
}

} // namespace tarnwick
