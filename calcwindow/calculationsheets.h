#pragma once

#include "datasheet/datasheet.h"

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QPoint;
class QTableWidget;

namespace tarnwick {

class frmcalculate;
class RejectedPumpsWindow;

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
