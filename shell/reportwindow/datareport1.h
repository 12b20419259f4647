#pragma once

#include "report/reportexport.h"
#include "report/resultreport.h"
#include "store/rowset.h"

#include <QIcon>
#include <QMainWindow>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;

namespace tarnwick {

class ReportPageView;

// The report window: the result report page by page, with page navigation,
// zoom, printing and export to PDF, CSV and XLSX. It is a top-level window,
// not a child of the main window, and deletes itself when closed.
//
// Object names: the window "DataReport1"; the page "reportPage" in the
// scroll area "reportScroll"; actions "firstPage", "previousPage",
// "nextPage", "lastPage", "print", "export", "secondTable" (only where a
// second table is offered); the page box "pageNumber", the
// page count "pageCount" and the zoom list "zoom".
class DataReport1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit DataReport1(QWidget* parent = nullptr);
    ~DataReport1() override;

    // Binds the report to the rows as they are now and shows its first page.
    // A field the rows lack is the data layer's error.
    bool bind(const store::RowSet& rows, QString* error);
    // Binds the report to a table already read.
    void bindTable(report::ResultTable table);
    // A second table of the same runs, shown in turn with the first by the
    // checkable action "secondTable" named `label`.
    void offerSecondTable(const QString& label, report::ResultTable table);

    const report::ResultReport* report() const { return m_report.get(); }
    int currentPage() const { return m_page; }
    int pageCount() const;
    double zoom() const;

    // Writes the report to the file, the format taken from its suffix;
    // failures are shown as a message. True when the file was written.
    bool exportTo(const QString& path);

public slots:
    void showPage(int page);
    void showFirstPage();
    void showPreviousPage();
    void showNextPage();
    void showLastPage();
    // Prints through the print dialog.
    void printReport();
    // Asks for a file and exports to it.
    void exportReport();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void applyZoom();
    void updateNavigation();
    report::ExportProgress progressFor(const QString& label, int total);

    std::unique_ptr<report::ResultReport> m_report;
    std::unique_ptr<report::ResultTable> m_otherTable;
    QAction* m_second = nullptr;
    int m_page = 1;
    bool m_shownOnce = false;

    QScrollArea* m_scroll = nullptr;
    ReportPageView* m_view = nullptr;
    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
    QSpinBox* m_pageNumber = nullptr;
    QLabel* m_pageCount = nullptr;
    QComboBox* m_zoom = nullptr;
};

// Opens the report window over a result row set, as the two result views do:
// closes an open report window, so that at most one exists and it starts from
// fresh data; sets the caption and icon; re-reads the rows and binds the
// report to them; sizes the window to 10816 x 6810 twips, centred across the
// screen at its top; and shows it, modeless, in front. On an error of the data
// layer it returns null with the data layer's message.
DataReport1* showResultReport(const QString& caption, const QIcon& icon, store::RowSet& rows, QString* error);
// The same over a table already read (other stored results than the two
// result tables), with everything else as above.
DataReport1* showTableReport(const QString& caption, const QIcon& icon, report::ResultTable table);
// The open report window, or null.
DataReport1* openResultReport();
// Closes the open report window, if any (when the main window closes).
void closeResultReport();

} // namespace tarnwick
