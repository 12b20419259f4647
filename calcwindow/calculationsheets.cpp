#include "calcwindow/calculationsheets.h"

#include "calcwindow/calcwindowtexts.h"
#include "calcwindow/lastcalculation.h"
#include "controls/messagebox.h"
#include "controls/sheetproduction.h"
#include "core/examination.h"
#include "store/coretext.h"
#include "store/pumpcatalogue.h"
#include "store/sheetdata.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace tarnwick {

namespace {

constexpr std::size_t kClosestShown = 30;

} // namespace

CalculationSheets::CalculationSheets(QWidget* window, const LastCalculation& lastRun, QListWidget* list, QWidget* chart)
    : QObject(window), m_window(window), m_lastRun(lastRun), m_list(list), m_chart(chart)
{
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &CalculationSheets::showListMenu);
    m_chart->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_chart, &QWidget::customContextMenuRequested, this, &CalculationSheets::showChartMenu);
}

QList<DataSheet> CalculationSheets::sheetOfPickedPump(const SheetHeader& header) const
{
    const LastCalculation& run = m_lastRun;
    if (!run.catalogue)
        return {};
    if (run.shown == LastCalculation::Shown::Candidate && run.shownCandidate < run.candidates.size()) {
        const DesignCandidate& candidate = run.candidates[run.shownCandidate];
        return {candidateSheet(candidate, run.designRequest, run.designDuty,
                               store::candidateSheetData(*run.catalogue, candidate), header)};
    }
    if (run.shown == LastCalculation::Shown::Check && run.check)
        return {checkedSheet(*run.check, run.checkDuty, store::checkedSheetData(*run.catalogue, *run.check), header)};
    return {};
}

QList<DataSheet> CalculationSheets::sheetsOfAllCandidates(const SheetHeader& header) const
{
    const LastCalculation& run = m_lastRun;
    QList<DataSheet> sheets;
    if (!run.catalogue || !run.candidatesListed)
        return sheets;
    for (const DesignCandidate& candidate : run.candidates)
        sheets.append(candidateSheet(candidate, run.designRequest, run.designDuty,
                                     store::candidateSheetData(*run.catalogue, candidate), header));
    return sheets;
}

void CalculationSheets::producePickedSheet()
{
    const int pages = static_cast<int>(sheetOfPickedPump({}).size());
    if (pages == 0)
        return;
    produce([this](const SheetHeader& h) { return sheetOfPickedPump(h); }, pages);
}

void CalculationSheets::produceAllSheets()
{
    const int pages = static_cast<int>(m_lastRun.candidates.size());
    if (sheetsOfAllCandidates({}).isEmpty())
        return;
    produce([this](const SheetHeader& h) { return sheetsOfAllCandidates(h); }, pages);
}

void CalculationSheets::produce(const std::function<QList<DataSheet>(const SheetHeader&)>& make, int pageCount)
{
    const store::PumpCatalogue& catalogue = *m_lastRun.catalogue;
    produceDataSheets(m_window, catalogue.connection ? catalogue.connection->path() : QString(), make, pageCount);
}

void CalculationSheets::closeRejectedPumps()
{
    if (m_rejectedWindow)
        m_rejectedWindow->close();
}

void CalculationSheets::showListMenu(const QPoint& position)
{
    QMenu menu(m_list);
    menu.setObjectName(QStringLiteral("List1Menu"));
    // A right click picks the entry under the pointer first, as a left click would.
    if (QListWidgetItem* item = m_list->itemAt(position); item && m_list->isEnabled() && !item->isSelected())
        m_list->setCurrentItem(item);
    const bool picked = m_lastRun.shown == LastCalculation::Shown::Candidate;
    menu.addAction(calctext::pickedSheetCommand(), this, &CalculationSheets::producePickedSheet)->setEnabled(picked);
    menu.addAction(calctext::allCandidatesCommand(), this, &CalculationSheets::produceAllSheets)
        ->setEnabled(!sheetsOfAllCandidates({}).isEmpty());
    menu.addSeparator();
    menu.addAction(calctext::rejectedPumpsCommand(), this, &CalculationSheets::openRejectedPumps);
    menu.exec(m_list->viewport()->mapToGlobal(position));
}

void CalculationSheets::showChartMenu(const QPoint& position)
{
    QMenu menu(m_chart);
    menu.setObjectName(QStringLiteral("Picture1Menu"));
    menu.addAction(calctext::pickedSheetCommand(), this, &CalculationSheets::producePickedSheet)
        ->setEnabled(!sheetOfPickedPump({}).isEmpty());
    menu.addAction(calctext::allCandidatesCommand(), this, &CalculationSheets::produceAllSheets)
        ->setEnabled(!sheetsOfAllCandidates({}).isEmpty());
    menu.exec(m_chart->mapToGlobal(position));
}

void CalculationSheets::openRejectedPumps()
{
    const LastCalculation& run = m_lastRun;
    if (!run.catalogue || (run.rejected.empty() && run.candidates.empty())) {
        showInformation(m_window, calctext::noDesignYet());
        return;
    }
    if (run.rejected.empty()) {
        showInformation(m_window, calctext::noRejectedPump());
        return;
    }
    delete m_rejectedWindow;
    m_rejectedWindow = new RejectedPumpsWindow(m_window, run.catalogue->catalogue(), run.rejected);
    connect(m_rejectedWindow, &RejectedPumpsWindow::pumpPicked, this, &CalculationSheets::rejectedPumpPicked);
    m_rejectedWindow->show();
    m_rejectedWindow->raise();
}

RejectedPumpsWindow::RejectedPumpsWindow(QWidget* parent, const Catalogue& catalogue,
                                         const std::vector<RejectedPump>& rejected)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmrejected"));
    setWindowTitle(calctext::rejectedPumpsCaption().arg(kClosestShown));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 460);
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(calctext::rejectedPumpsNote(), this);
    layout->addWidget(note);

    const std::vector<std::size_t> closest = closestRejected(rejected, kClosestShown);
    m_table = new QTableWidget(static_cast<int>(closest.size()), 8, this);
    m_table->setObjectName(QStringLiteral("rejectedTable"));
    m_table->setHorizontalHeaderLabels(calctext::rejectedPumpsColumns());
    auto numberItem = [](const std::optional<double>& value, int decimals) {
        auto* item = new QTableWidgetItem;
        if (value && std::isfinite(*value))
            item->setData(Qt::DisplayRole, std::round(*value * std::pow(10.0, decimals)) / std::pow(10.0, decimals));
        return item;
    };
    for (int row = 0; row < static_cast<int>(closest.size()); ++row) {
        const RejectedPump& r = rejected[closest[static_cast<std::size_t>(row)]];
        const CataloguePump& pump = catalogue.pumps.at(r.pumpIndex);
        auto* model = new QTableWidgetItem(QString::fromStdString(pump.model));
        model->setData(Qt::UserRole, static_cast<qulonglong>(r.pumpIndex));
        m_table->setItem(row, 0, model);
        m_table->setItem(row, 1, numberItem(pump.speed, 0));
        m_table->setItem(row, 2, new QTableWidgetItem(store::coreText(rejectionRuleName(r.rule))));
        m_table->setItem(row, 3, new QTableWidgetItem(store::coreText(rejectionReason(r))));
        m_table->setItem(row, 4, numberItem(r.margin ? std::optional<double>(100.0 * *r.margin) : std::nullopt, 2));
        m_table->setItem(row, 5, numberItem(r.operatingFlow, 1));
        m_table->setItem(row, 6, numberItem(r.operatingHead, 1));
        m_table->setItem(row, 7, numberItem(r.operatingEfficiency, 1));
    }
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(4, Qt::AscendingOrder);
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { pickCurrent(); });
    layout->addWidget(m_table);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* show = buttons->addButton(calctext::showOnChartButton(), QDialogButtonBox::ActionRole);
    show->setObjectName(QStringLiteral("showOnChart"));
    connect(show, &QPushButton::clicked, this, &RejectedPumpsWindow::pickCurrent);
    QPushButton* close = buttons->addButton(calctext::closeButton(), QDialogButtonBox::RejectRole);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(buttons);
}

void RejectedPumpsWindow::pickCurrent()
{
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    emit pumpPicked(static_cast<std::size_t>(m_table->item(row, 0)->data(Qt::UserRole).toULongLong()));
}

} // namespace tarnwick
