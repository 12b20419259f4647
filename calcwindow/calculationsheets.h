#pragma once

#include "datasheet/datasheet.h"

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QListWidget;
class QPoint;
class QTableWidget;
class QWidget;

namespace tarnwick {

struct LastCalculation;
class RejectedPumpsWindow;

// The calculation window's data sheets and its list of the pumps the last
// design left out: the context menus of List1 and the chart, the header
// dialog, print preview, printing and PDF, and the rejected-pumps window.
// They read the window's last runs and nothing else of it.
class CalculationSheets : public QObject
{
    Q_OBJECT
public:
    // `lastRun` is kept by `window` and outlives this object, a child of it;
    // `list` (List1) and `chart` get the context menus.
    CalculationSheets(QWidget* window, const LastCalculation& lastRun, QListWidget* list, QWidget* chart);

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

signals:
    // A pump of the rejected-pumps window was picked to be shown on the chart.
    void rejectedPumpPicked(std::size_t pumpIndex);

private:
    void showListMenu(const QPoint& position);
    void showChartMenu(const QPoint& position);
    void produce(const std::function<QList<DataSheet>(const SheetHeader&)>& make, int pageCount);

    QWidget* m_window;
    const LastCalculation& m_lastRun;
    QListWidget* m_list;
    QWidget* m_chart;
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
