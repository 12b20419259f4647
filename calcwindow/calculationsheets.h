#pragma once

#include "datasheet/datasheet.h"

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>

class QLineEdit;
class QPrintPreviewDialog;
class QPoint;
class QTableWidget;

namespace tarnwick {

class frmcalculate;
class RejectedPumpsWindow;

// The header of the data sheets, entered once and remembered per user.
class SheetHeaderDialog : public QDialog
{
    Q_OBJECT
public:
    enum Output { Cancelled = 0, Preview = 1, Print = 2, Pdf = 3 };

    explicit SheetHeaderDialog(QWidget* parent, int pageCount);
    SheetHeader header() const;
    // Keeps the entries for the next time.
    void remember() const;

    static SheetHeader rememberedHeader();

private:
    QLineEdit* m_projectName = nullptr;
    QLineEdit* m_projectNumber = nullptr;
    QLineEdit* m_designer = nullptr;
    QLineEdit* m_equipmentTag = nullptr;
    QLineEdit* m_date = nullptr;
};

// Asks for the header (and how to put the pages out), makes the sheets with it
// and shows them in print preview, prints them or writes them as PDF, never
// over `databasePath`; a file written is named in the main window's status
// bar. A window's sheet commands all end here.
void produceDataSheets(QWidget* parent, const QString& databasePath,
                       const std::function<QList<DataSheet>(const SheetHeader&)>& make, int pageCount);

// Sizes the preview to most of the screen's height and shows the pages at
// the window's width.
void fitPreviewToScreen(QPrintPreviewDialog& preview, QWidget* parent);

// The calculation window's data sheets and its list of the pumps the last
// design left out: the context menus of List1 and the chart, the header
// dialog, print preview, printing and PDF, and the rejected-pumps window.
class CalculationSheets : public QObject
{
    Q_OBJECT
public:
    explicit CalculationSheets(frmcalculate* window);

    // The sheet of the pump on display or picked in List1; none when there is
    // no such pump.
    QList<DataSheet> sheetOfPickedPump(const SheetHeader& header) const;
    // One sheet per entry of the last design.
    QList<DataSheet> sheetsOfAllCandidates(const SheetHeader& header) const;

    // Whether the chart shows a pump with a sheet: a candidate of the last
    // design or a checked pump.
    bool hasPickedSheet() const { return !sheetOfPickedPump({}).isEmpty(); }
    void producePickedSheet();
    void produceAllSheets();
    // Opens (or raises) the window of the pumps the last design left out.
    void openRejectedPumps();
    RejectedPumpsWindow* rejectedPumpsWindow() const { return m_rejectedWindow; }
    // A new design makes the list stale.
    void closeRejectedPumps();
    // Shows a pump the last design left out as a check would show it, marked
    // as not chosen.
    void showRejectedPump(std::size_t pumpIndex);

private:
    void showListMenu(const QPoint& position);
    void showChartMenu(const QPoint& position);
    void produce(const std::function<QList<DataSheet>(const SheetHeader&)>& make, int pageCount);

    frmcalculate* m_window;
    QPointer<RejectedPumpsWindow> m_rejectedWindow;
};

// The pumps that came closest to being chosen, with the rule each failed;
// sortable; a pump picked here is shown on the chart as a check would show it.
class RejectedPumpsWindow : public QDialog
{
    Q_OBJECT
public:
    RejectedPumpsWindow(QWidget* parent, const Catalogue& catalogue, const std::vector<RejectedPump>& rejected);
    QTableWidget* table() const { return m_table; }

signals:
    void pumpPicked(std::size_t pumpIndex);

private:
    void pickCurrent();
    QTableWidget* m_table = nullptr;
};

} // namespace tarnwick
