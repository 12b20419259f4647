#include "calcwindow/calculationsheets.h"

#include "calcwindow/calcwindowtexts.h"
#include "calcwindow/frmcalculate.h"
#include "calcwindow/performancechart.h"
#include "controls/messagebox.h"
#include "controls/sheetproduction.h"
#include "core/examination.h"
#include "store/coretext.h"
#include "store/pumpcatalogue.h"
#include "store/sheetdata.h"

#include <QCoreApplication>
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

// The window's own texts for the sheets and the rejected pumps.
QString pickedSheetCommand()
{
    return QCoreApplication::translate("tarnwick::calcwindow", "生成选型资料单…");
}
QString allSheetsCommand()
{
    return QCoreApplication::translate("tarnwick::calcwindow", "全部候选水泵…");
}
QString rejectedCommand()
{
    return QCoreApplication::translate("tarnwick::calcwindow", "未入选水泵…");
}
QString noDesignYet()
{
    return QCoreApplication::translate("tarnwick::calcwindow", "请先进行设计计算。");
}
QString noRejectedPump()
{
    return QCoreApplication::translate("tarnwick::calcwindow", "上次设计计算中所有水泵均已入选。");
}

constexpr std::size_t kClosestShown = 30;

} // namespace

CalculationSheets::CalculationSheets(frmcalculate* window) : QObject(window), m_window(window)
{
    window->m_list1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(window->m_list1, &QWidget::customContextMenuRequested, this, &CalculationSheets::showListMenu);
    window->m_picture1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(window->m_picture1, &QWidget::customContextMenuRequested, this, &CalculationSheets::showChartMenu);
}

QList<DataSheet> CalculationSheets::sheetOfPickedPump(const SheetHeader& header) const
{
    frmcalculate& w = *m_window;
    if (!w.m_catalogue)
        return {};
    if (w.m_shown == frmcalculate::Shown::Candidate && w.m_shownCandidate < w.m_candidates.size()) {
        const DesignCandidate& candidate = w.m_candidates[w.m_shownCandidate];
        return {candidateSheet(candidate, w.m_designRequest, w.m_designDuty,
                               store::candidateSheetData(*w.m_catalogue, candidate), header)};
    }
    if (w.m_shown == frmcalculate::Shown::Check && w.m_lastCheck)
        return {checkedSheet(*w.m_lastCheck, w.m_checkDuty, store::checkedSheetData(*w.m_catalogue, *w.m_lastCheck),
                             header)};
    return {};
}

QList<DataSheet> CalculationSheets::sheetsOfAllCandidates(const SheetHeader& header) const
{
    frmcalculate& w = *m_window;
    QList<DataSheet> sheets;
    // Only while List1 shows the last design's entries.
    if (!w.m_catalogue || !w.m_list1->isEnabled() ||
        static_cast<std::size_t>(w.m_list1->count()) != w.m_candidates.size())
        return sheets;
    for (const DesignCandidate& candidate : w.m_candidates)
        sheets.append(candidateSheet(candidate, w.m_designRequest, w.m_designDuty,
                                     store::candidateSheetData(*w.m_catalogue, candidate), header));
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
    const int pages = static_cast<int>(m_window->m_candidates.size());
    if (sheetsOfAllCandidates({}).isEmpty())
        return;
    produce([this](const SheetHeader& h) { return sheetsOfAllCandidates(h); }, pages);
}

void CalculationSheets::produce(const std::function<QList<DataSheet>(const SheetHeader&)>& make, int pageCount)
{
    produceDataSheets(m_window,
                      m_window->m_catalogue->connection ? m_window->m_catalogue->connection->path() : QString(), make,
                      pageCount);
}

void CalculationSheets::closeRejectedPumps()
{
    if (m_rejectedWindow)
        m_rejectedWindow->close();
}

void CalculationSheets::showRejectedPump(std::size_t pumpIndex)
{
    frmcalculate& w = *m_window;
    if (!w.m_catalogue)
        return;
    const auto found = std::find_if(w.m_rejected.begin(), w.m_rejected.end(),
                                    [&](const RejectedPump& r) { return r.pumpIndex == pumpIndex; });
    if (found == w.m_rejected.end())
        return;
    w.ResetChartPage();
    w.clearOperatingLabels();
    const std::optional<CheckedPump> pump = examinePump(w.m_catalogue->catalogue(), w.m_designRequest, pumpIndex);
    if (!pump) {
        showWarning(&w, calctext::rejectedWithoutOperatingPoint());
        return;
    }
    w.DrawPerformanceChart(chartInputFor(*pump, w.m_designRequest));
    for (int i = 1; i <= 4; ++i)
        w.m_label21[i]->setText(store::coreText(pump->labels[static_cast<std::size_t>(i - 1)]));
    const QString model = QString::fromStdString(pump->model);
    w.m_label21[5]->setText(calctext::notAcceptedModel(model));
    w.ShowPumpRecord(model);
    w.m_shown = frmcalculate::Shown::Rejected;
    w.setChartToolTip(pump->fitQuality, calctext::notAcceptedNote(store::coreText(rejectionReason(*found))));
}

void CalculationSheets::showListMenu(const QPoint& position)
{
    frmcalculate& w = *m_window;
    QMenu menu(w.m_list1);
    menu.setObjectName(QStringLiteral("List1Menu"));
    // A right click picks the entry under the pointer first, as a left click would.
    if (QListWidgetItem* item = w.m_list1->itemAt(position); item && w.m_list1->isEnabled() && !item->isSelected())
        w.m_list1->setCurrentItem(item);
    const bool picked = w.m_shown == frmcalculate::Shown::Candidate;
    menu.addAction(pickedSheetCommand(), this, &CalculationSheets::producePickedSheet)->setEnabled(picked);
    menu.addAction(allSheetsCommand(), this, &CalculationSheets::produceAllSheets)
        ->setEnabled(!sheetsOfAllCandidates({}).isEmpty());
    menu.addSeparator();
    menu.addAction(rejectedCommand(), this, &CalculationSheets::openRejectedPumps);
    menu.exec(w.m_list1->viewport()->mapToGlobal(position));
}

void CalculationSheets::showChartMenu(const QPoint& position)
{
    frmcalculate& w = *m_window;
    QMenu menu(w.m_picture1);
    menu.setObjectName(QStringLiteral("Picture1Menu"));
    menu.addAction(pickedSheetCommand(), this, &CalculationSheets::producePickedSheet)
        ->setEnabled(!sheetOfPickedPump({}).isEmpty());
    menu.addAction(allSheetsCommand(), this, &CalculationSheets::produceAllSheets)
        ->setEnabled(!sheetsOfAllCandidates({}).isEmpty());
    menu.exec(w.m_picture1->mapToGlobal(position));
}

void CalculationSheets::openRejectedPumps()
{
    frmcalculate& w = *m_window;
    if (!w.m_catalogue || (w.m_rejected.empty() && w.m_candidates.empty())) {
        showInformation(&w, noDesignYet());
        return;
    }
    if (w.m_rejected.empty()) {
        showInformation(&w, noRejectedPump());
        return;
    }
    delete m_rejectedWindow;
    m_rejectedWindow = new RejectedPumpsWindow(&w, w.m_catalogue->catalogue(), w.m_rejected);
    connect(m_rejectedWindow, &RejectedPumpsWindow::pumpPicked, &w, &frmcalculate::showRejectedPump);
    m_rejectedWindow->show();
    m_rejectedWindow->raise();
}

RejectedPumpsWindow::RejectedPumpsWindow(QWidget* parent, const Catalogue& catalogue,
                                         const std::vector<RejectedPump>& rejected)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmrejected"));
    setWindowTitle(
        QCoreApplication::translate("tarnwick::calcwindow", "未入选水泵（最接近入选的 %1 台）").arg(kClosestShown));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 460);
    auto* layout = new QVBoxLayout(this);
    auto* note =
        new QLabel(QCoreApplication::translate("tarnwick::calcwindow",
                                               "按未满足规则的差距从小到大排列；双击或按“在曲线图上显示”查看该水泵。"),
                   this);
    layout->addWidget(note);

    const std::vector<std::size_t> closest = closestRejected(rejected, kClosestShown);
    m_table = new QTableWidget(static_cast<int>(closest.size()), 8, this);
    m_table->setObjectName(QStringLiteral("rejectedTable"));
    m_table->setHorizontalHeaderLabels({QCoreApplication::translate("tarnwick::calcwindow", "水泵型号"),
                                        QCoreApplication::translate("tarnwick::calcwindow", "转速(r/min)"),
                                        QCoreApplication::translate("tarnwick::calcwindow", "未满足的规则"),
                                        QCoreApplication::translate("tarnwick::calcwindow", "原因"),
                                        QCoreApplication::translate("tarnwick::calcwindow", "差距(%)"),
                                        QCoreApplication::translate("tarnwick::calcwindow", "实际流量(m3/h)"),
                                        QCoreApplication::translate("tarnwick::calcwindow", "实际扬程(m)"),
                                        QCoreApplication::translate("tarnwick::calcwindow", "实际效率(%)")});
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
    QPushButton* show = buttons->addButton(QCoreApplication::translate("tarnwick::calcwindow", "在曲线图上显示(&S)"),
                                           QDialogButtonBox::ActionRole);
    show->setObjectName(QStringLiteral("showOnChart"));
    connect(show, &QPushButton::clicked, this, &RejectedPumpsWindow::pickCurrent);
    QPushButton* close =
        buttons->addButton(QCoreApplication::translate("tarnwick::calcwindow", "关闭"), QDialogButtonBox::RejectRole);
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
