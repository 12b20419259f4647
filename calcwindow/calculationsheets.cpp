#include "calcwindow/calculationsheets.h"

#include "calcwindow/calcwindowtexts.h"
#include "calcwindow/frmcalculate.h"
#include "calcwindow/performancechart.h"
#include "controls/filedialog.h"
#include "controls/messagebox.h"
#include "core/examination.h"
#include "store/coretext.h"
#include "store/filetargets.h"
#include "store/pumpcatalogue.h"
#include "store/settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
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
// How long the status bar says where the sheets were written.
constexpr int kWrittenNoteMs = 20000;
// Narrower, the preview's toolbar would not show all its buttons.
constexpr int kPreviewMinimumWidth = 760;

QString settingsGroup()
{
    return QStringLiteral("datasheet");
}

// Progress of several pages, with a button that stops them; a single page
// is too quick to need one.
class PageProgress
{
public:
    PageProgress(QWidget* parent, int total)
    {
        if (total < 2)
            return;
        m_dialog = std::make_unique<QProgressDialog>(
            QCoreApplication::translate("tarnwick::calcwindow", "正在生成选型资料单…"),
            QCoreApplication::translate("tarnwick::calcwindow", "取消"), 0, total, parent);
        m_dialog->setObjectName(QStringLiteral("sheetProgress"));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(500);
    }
    SheetProgress callback()
    {
        return [this](int done, int) {
            if (!m_dialog)
                return true;
            m_dialog->setValue(done);
            return !m_dialog->wasCanceled();
        };
    }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace

SheetHeaderDialog::SheetHeaderDialog(QWidget* parent, int pageCount) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmsheetheader"));
    setWindowTitle(QCoreApplication::translate("tarnwick::calcwindow", "选型资料单"));
    auto* layout = new QVBoxLayout(this);
    auto* pages = new QLabel(
        QCoreApplication::translate("tarnwick::calcwindow", "共 %1 页，每台水泵一页。").arg(pageCount), this);
    pages->setObjectName(QStringLiteral("pageCount"));
    layout->addWidget(pages);
    auto* form = new QFormLayout;
    const SheetHeader remembered = rememberedHeader();
    auto field = [&](const char* name, const QString& caption, const QString& value) {
        auto* edit = new QLineEdit(value, this);
        edit->setObjectName(QString::fromLatin1(name));
        form->addRow(caption, edit);
        return edit;
    };
    m_projectName =
        field("projectName", QCoreApplication::translate("tarnwick::calcwindow", "项目名称："), remembered.projectName);
    m_projectNumber = field("projectNumber", QCoreApplication::translate("tarnwick::calcwindow", "项目编号："),
                            remembered.projectNumber);
    m_designer =
        field("designer", QCoreApplication::translate("tarnwick::calcwindow", "设计人："), remembered.designer);
    m_equipmentTag = field("equipmentTag", QCoreApplication::translate("tarnwick::calcwindow", "设备位号："),
                           remembered.equipmentTag);
    m_date = field("sheetDate", QCoreApplication::translate("tarnwick::calcwindow", "日期："),
                   remembered.date.isEmpty() ? QDate::currentDate().toString(Qt::ISODate) : remembered.date);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    auto addButton = [&](const char* name, const QString& caption, int output) {
        QPushButton* button = buttons->addButton(caption, QDialogButtonBox::ActionRole);
        button->setObjectName(QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, [this, output] {
            remember();
            done(output);
        });
    };
    addButton("preview", QCoreApplication::translate("tarnwick::calcwindow", "打印预览(&V)…"), Preview);
    addButton("print", QCoreApplication::translate("tarnwick::calcwindow", "打印(&P)…"), Print);
    addButton("pdf", QCoreApplication::translate("tarnwick::calcwindow", "保存为PDF(&S)…"), Pdf);
    QPushButton* cancel =
        buttons->addButton(QCoreApplication::translate("tarnwick::calcwindow", "取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, [this] { done(Cancelled); });
    layout->addWidget(buttons);
}

SheetHeader SheetHeaderDialog::header() const
{
    return {m_projectName->text(), m_projectNumber->text(), m_designer->text(), m_equipmentTag->text(), m_date->text()};
}

void SheetHeaderDialog::remember() const
{
    QSettings settings = store::userSettings();
    settings.beginGroup(settingsGroup());
    const SheetHeader h = header();
    settings.setValue(QStringLiteral("projectName"), h.projectName);
    settings.setValue(QStringLiteral("projectNumber"), h.projectNumber);
    settings.setValue(QStringLiteral("designer"), h.designer);
    settings.setValue(QStringLiteral("equipmentTag"), h.equipmentTag);
    // The date is today's unless the engineer typed another.
    settings.setValue(QStringLiteral("date"),
                      h.date == QDate::currentDate().toString(Qt::ISODate) ? QString() : h.date);
}

SheetHeader SheetHeaderDialog::rememberedHeader()
{
    QSettings settings = store::userSettings();
    settings.beginGroup(settingsGroup());
    return {settings.value(QStringLiteral("projectName")).toString(),
            settings.value(QStringLiteral("projectNumber")).toString(),
            settings.value(QStringLiteral("designer")).toString(),
            settings.value(QStringLiteral("equipmentTag")).toString(),
            settings.value(QStringLiteral("date")).toString()};
}

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
    if (w.m_shown == frmcalculate::Shown::Candidate && w.m_shownCandidate < w.m_candidates.size())
        return {candidateSheet(w.m_candidates[w.m_shownCandidate], w.m_designRequest, w.m_designDuty, *w.m_catalogue,
                               header)};
    if (w.m_shown == frmcalculate::Shown::Check && w.m_lastCheck)
        return {checkedSheet(*w.m_lastCheck, w.m_checkDuty, *w.m_catalogue, header)};
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
        sheets.append(candidateSheet(candidate, w.m_designRequest, w.m_designDuty, *w.m_catalogue, header));
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

void produceDataSheets(QWidget* parent, const QString& databasePath,
                       const std::function<QList<DataSheet>(const SheetHeader&)>& make, int pageCount)
{
    SheetHeaderDialog dialog(parent, pageCount);
    const int output = execModal(dialog);
    if (output == SheetHeaderDialog::Cancelled)
        return;
    const QList<DataSheet> sheets = make(dialog.header());
    if (sheets.isEmpty())
        return;
    if (output == SheetHeaderDialog::Pdf) {
        QFileDialog files(parent, QCoreApplication::translate("tarnwick::calcwindow", "保存选型资料单"), QString(),
                          QCoreApplication::translate("tarnwick::calcwindow", "PDF 文件 (*.pdf)"));
        files.setObjectName(QStringLiteral("sheetFileDialog"));
        files.setAcceptMode(QFileDialog::AcceptSave);
        files.setDefaultSuffix(QStringLiteral("pdf"));
        prepareFileDialog(files, filekind::dataSheet());
        files.selectFile(sheets.size() == 1 ? sheets.first().model + QStringLiteral(".pdf")
                                            : QCoreApplication::translate("tarnwick::calcwindow", "选型资料单.pdf"));
        const QString path = chooseFile(files, filekind::dataSheet());
        if (path.isEmpty())
            return;
        // The file is renamed over its target: never over the database in use.
        if (const auto conflict = store::outputTargetConflict({path}, databasePath)) {
            showWarning(parent, *conflict);
            return;
        }
        QString error;
        PageProgress progress(parent, static_cast<int>(sheets.size()));
        if (!writeDataSheetsPdf(path, sheets, &error, progress.callback())) {
            if (!error.isEmpty())
                showWarning(parent, error);
            return;
        }
        // Said where the engineer looks last, as the report window says its exports.
        if (auto* main = parent ? qobject_cast<QMainWindow*>(parent->window()) : nullptr)
            main->statusBar()->showMessage(
                calctext::sheetsWritten().arg(sheets.size()).arg(QDir::toNativeSeparators(path)), kWrittenNoteMs);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(dataSheetPageLayout());
    if (output == SheetHeaderDialog::Print) {
        QPrintDialog print(&printer, parent);
        print.setObjectName(QStringLiteral("sheetPrintDialog"));
        if (execModal(print) != QDialog::Accepted)
            return;
        PageProgress progress(parent, static_cast<int>(sheets.size()));
        bool stopped = false;
        const bool printed = paintDataSheets(printer, sheets, [&](int done, int total) {
            stopped = !progress.callback()(done, total);
            return !stopped;
        });
        if (stopped)
            printer.abort();
        else if (!printed)
            showWarning(parent, QCoreApplication::translate("tarnwick::calcwindow", "打印选型资料单失败。"));
        return;
    }
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("sheetPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&sheets](QPrinter* device) { paintDataSheets(*device, sheets); });
    fitPreviewToScreen(preview, parent);
    execModal(preview);
}

void fitPreviewToScreen(QPrintPreviewDialog& preview, QWidget* parent)
{
    // A page is read at the width of the window, and the window is nearly as
    // high as the screen and as wide as a page of that height: the text of a
    // sheet reads at about its printed size.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        const int height = room.height() * 9 / 10;
        const int width = std::min(room.width() * 9 / 10, std::max(height * 3 / 4, kPreviewMinimumWidth));
        preview.resize(width, height);
        preview.move(room.center() - QPoint(width / 2, height / 2));
    }
    // Through the dialog's own action, so its toolbar shows the mode chosen.
    const QList<QAction*> actions = preview.findChildren<QAction*>(QStringLiteral("fitWidthAction"));
    if (!actions.isEmpty())
        actions.constFirst()->trigger();
    else if (auto* view = preview.findChild<QPrintPreviewWidget*>())
        view->fitToWidth();
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
