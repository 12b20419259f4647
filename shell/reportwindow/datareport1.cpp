#include "shell/reportwindow/datareport1.h"

#include "controls/messagebox.h"
#include "controls/uimetrics.h"
#include "shell/reportwindow/reportdialogs.h"
#include "shell/reportwindow/reportpageview.h"
#include "shell/reportwindow/reporttexts.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace tarnwick {

namespace {

// Zoom list entries: a fraction of the real size, or one of the fitting modes.
constexpr double kFitWidth = -1.0;
constexpr double kWholePage = -2.0;
constexpr double kZoomSteps[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0};

QPointer<DataReport1>& openWindow()
{
    static QPointer<DataReport1> window;
    return window;
}

} // namespace

DataReport1::DataReport1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("DataReport1"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("reportScroll"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new ReportPageView;
    m_scroll->setWidget(m_view);
    m_scroll->viewport()->installEventFilter(this);
    setCentralWidget(m_scroll);

    createActions();
    statusBar()->setSizeGripEnabled(true);
    updateNavigation();
}

DataReport1::~DataReport1() = default;

void DataReport1::createActions()
{
    QToolBar* bar = addToolBar(QString());
    bar->setObjectName(QStringLiteral("reportToolbar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    auto action = [this, bar](const char* name, const QString& label, const QKeySequence& key, auto slot) {
        auto* a = new QAction(label, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        bar->addAction(a);
        return a;
    };
    m_first =
        action("firstPage", reporttext::firstPage(), QKeySequence(Qt::CTRL | Qt::Key_Home), &DataReport1::showFirstPage);
    m_previous =
        action("previousPage", reporttext::previousPage(), QKeySequence(Qt::Key_PageUp), &DataReport1::showPreviousPage);

    m_pageNumber = new QSpinBox(bar);
    m_pageNumber->setObjectName(QStringLiteral("pageNumber"));
    m_pageNumber->setRange(1, 1);
    m_pageNumber->setKeyboardTracking(false);
    m_pageNumber->setAlignment(Qt::AlignRight);
    bar->addWidget(m_pageNumber);
    m_pageCount = new QLabel(bar);
    m_pageCount->setObjectName(QStringLiteral("pageCount"));
    m_pageCount->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(m_pageCount);
    connect(m_pageNumber, &QSpinBox::valueChanged, this, &DataReport1::showPage);

    m_next = action("nextPage", reporttext::nextPage(), QKeySequence(Qt::Key_PageDown), &DataReport1::showNextPage);
    m_last = action("lastPage", reporttext::lastPage(), QKeySequence(Qt::CTRL | Qt::Key_End), &DataReport1::showLastPage);
    bar->addSeparator();

    m_zoom = new QComboBox(bar);
    m_zoom->setObjectName(QStringLiteral("zoom"));
    m_zoom->addItem(reporttext::fitWidth(), kFitWidth);
    m_zoom->addItem(reporttext::wholePage(), kWholePage);
    for (const double step : kZoomSteps)
        m_zoom->addItem(QStringLiteral("%1%").arg(qRound(step * 100)), step);
    // The page opens as wide as the window, so that every column and the
    // footer are in sight; the list offers the real sizes.
    m_zoom->setCurrentIndex(m_zoom->findData(kFitWidth));
    bar->addWidget(m_zoom);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, &DataReport1::applyZoom);
    bar->addSeparator();

    action("print", reporttext::print(), QKeySequence::Print, &DataReport1::printReport);
    action("export", reporttext::exportReport(), QKeySequence(Qt::CTRL | Qt::Key_E), &DataReport1::exportReport);
}

bool DataReport1::bind(const store::RowSet& rows, QString* error)
{
    auto table = report::ResultTable::fromRows(rows);
    if (!table) {
        if (error)
            *error = table.error();
        return false;
    }
    bindTable(std::move(table).value());
    return true;
}

void DataReport1::offerSecondTable(const QString& label, report::ResultTable table)
{
    m_otherTable = std::make_unique<report::ResultTable>(std::move(table));
    if (!m_second) {
        m_second = new QAction(label, this);
        m_second->setObjectName(QStringLiteral("secondTable"));
        m_second->setCheckable(true);
        connect(m_second, &QAction::toggled, this, [this] {
            if (!m_otherTable || !m_report)
                return;
            // The two tables change places: the one shown waits for the next turn.
            auto shown = std::make_unique<report::ResultTable>(m_report->table());
            bindTable(std::move(*m_otherTable));
            m_otherTable = std::move(shown);
        });
        if (auto* bar = findChild<QToolBar*>())
            bar->addAction(m_second);
        else
            addAction(m_second);
    }
    m_second->setText(label);
}

void DataReport1::bindTable(report::ResultTable table)
{
    m_report = std::make_unique<report::ResultReport>(std::move(table));
    m_view->setReport(m_report.get());
    m_page = 0;
    m_pageNumber->setRange(1, pageCount());
    m_pageCount->setText(reporttext::pageCount().arg(pageCount()));
    showPage(1);
}

int DataReport1::pageCount() const
{
    return m_report ? m_report->pageCount() : 1;
}

double DataReport1::zoom() const
{
    return m_view->zoom();
}

void DataReport1::showPage(int page)
{
    page = std::clamp(page, 1, pageCount());
    if (page != m_page) {
        m_page = page;
        m_view->setPage(page);
        m_scroll->verticalScrollBar()->setValue(0);
    }
    updateNavigation();
}

void DataReport1::showFirstPage()
{
    showPage(1);
}

void DataReport1::showPreviousPage()
{
    showPage(m_page - 1);
}

void DataReport1::showNextPage()
{
    showPage(m_page + 1);
}

void DataReport1::showLastPage()
{
    showPage(pageCount());
}

void DataReport1::updateNavigation()
{
    m_first->setEnabled(m_page > 1);
    m_previous->setEnabled(m_page > 1);
    m_next->setEnabled(m_page < pageCount());
    m_last->setEnabled(m_page < pageCount());
    const QSignalBlocker blocker(m_pageNumber);
    m_pageNumber->setValue(m_page);
}

void DataReport1::applyZoom()
{
    const double chosen = m_zoom->currentData().toDouble();
    double zoom = chosen;
    if (chosen == kFitWidth || chosen == kWholePage) {
        const QSize room =
            m_scroll->viewport()->size() - QSize(2 * ReportPageView::kDeskMargin, 2 * ReportPageView::kDeskMargin);
        const QSize paper = ReportPageView::paperPixels(1.0);
        zoom = double(room.width()) / paper.width();
        if (chosen == kWholePage)
            zoom = std::min(zoom, double(room.height()) / paper.height());
        zoom = std::max(zoom, 0.1);
    }
    if (zoom != m_view->zoom())
        m_view->setZoom(zoom);
}

void DataReport1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // Once the scroll area knows its size: start at the grid's left edge.
    QTimer::singleShot(0, this, [this] {
        applyZoom();
        m_scroll->horizontalScrollBar()->setValue(m_view->gridLeftPixels() - ReportPageView::kDeskMargin);
    });
}

bool DataReport1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        applyZoom();
    return QMainWindow::eventFilter(watched, event);
}

report::ExportProgress DataReport1::progressFor(const QString& label, int total)
{
    // Shown only when the work lasts; a large report can be stopped.
    auto dialog = std::make_shared<QProgressDialog>(label, reporttext::cancel(), 0, total, this);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(800);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    return [dialog](int done, int all) {
        dialog->setMaximum(all);
        dialog->setValue(done);
        return !dialog->wasCanceled();
    };
}

bool DataReport1::exportTo(const QString& path)
{
    if (!m_report)
        return false;
    const auto format = report::exportFormatForFileName(path);
    if (!format) {
        showWarning(this, reporttext::unknownFormat());
        return false;
    }
    const int total = *format == report::ExportFormat::Pdf ? pageCount() : m_report->table().rowCount();
    QString error;
    bool written = false;
    {
        const auto progress = progressFor(reporttext::exporting(), total);
        written = report::exportReport(*m_report, *format, path, &error, progress);
    }
    if (written)
        statusBar()->showMessage(reporttext::exported().arg(QDir::toNativeSeparators(path)), 5000);
    else if (!error.isEmpty())
        showWarning(this, error);
    return written;
}

void DataReport1::exportReport()
{
    const QStringList filters = {reporttext::pdfFilter(), reporttext::csvFilter(), reporttext::xlsxFilter()};
    QString selected = filters.first();
    QString path = ReportFileDialog::getSaveFileName(this, reporttext::exportCaption(),
                                                     windowTitle() + QStringLiteral(".pdf"),
                                                     filters.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty())
        return;
    // A name without a known suffix gets the one of the chosen file type.
    if (!report::exportFormatForFileName(path)) {
        const report::ExportFormat formats[] = {report::ExportFormat::Pdf, report::ExportFormat::Csv,
                                                report::ExportFormat::Xlsx};
        const qsizetype index = std::max<qsizetype>(0, filters.indexOf(selected));
        path += QLatin1Char('.') + report::exportSuffix(formats[index]);
    }
    exportTo(path);
}

void DataReport1::printReport()
{
    if (!m_report)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(report::ResultReport::pageLayout());
    // The report keeps its own margins, measured from the paper's edge.
    printer.setFullPage(true);
    printer.setDocName(windowTitle());
    if (!ReportPrintDialog::exec(printer, pageCount(), this))
        return;

    int first = 1;
    int last = pageCount();
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage();
        last = printer.toPage();
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = m_page;
    }
    QString error;
    bool printed = false;
    {
        const auto progress = progressFor(reporttext::printing(), last - first + 1);
        printed = report::paintPages(*m_report, printer, first, last, &error, progress);
    }
    if (!printed) {
        printer.abort();
        if (!error.isEmpty())
            showWarning(this, error);
    }
}

static DataReport1* showReportWindow(DataReport1* window);

DataReport1* showResultReport(const QString& caption, const QIcon& icon, store::RowSet& rows, QString* error)
{
    closeResultReport();

    auto* window = new DataReport1;
    window->setWindowTitle(caption);
    window->setWindowIcon(icon);
    // Rows written through another connection show only after a re-read.
    if (!rows.requery()) {
        if (error)
            *error = rows.lastError();
        delete window;
        return nullptr;
    }
    if (!window->bind(rows, error)) {
        delete window;
        return nullptr;
    }
    return showReportWindow(window);
}

DataReport1* showTableReport(const QString& caption, const QIcon& icon, report::ResultTable table)
{
    closeResultReport();
    auto* window = new DataReport1;
    window->setWindowTitle(caption);
    window->setWindowIcon(icon);
    window->bindTable(std::move(table));
    return showReportWindow(window);
}

static DataReport1* showReportWindow(DataReport1* window)
{
    // The size and place are those of the outer frame, which is known once
    // the window is shown; until then the frame is taken as nothing.
    const QSize outer = twipsSize(10816, 6810);
    auto place = [window, outer] {
        const QSize frame = window->frameGeometry().size() - window->size();
        window->resize(outer - frame);
        const QRect screen = window->screen()->geometry();
        window->move(screen.left() + (screen.width() - outer.width()) / 2, screen.top());
    };
    place();
    openWindow() = window;
    window->show();
    place();
    window->raise();
    window->activateWindow();
    return window;
}

DataReport1* openResultReport()
{
    return openWindow().data();
}

void closeResultReport()
{
    if (DataReport1* window = openWindow().data()) {
        openWindow().clear();
        window->close();
        delete window;
    }
}

} // namespace tarnwick
