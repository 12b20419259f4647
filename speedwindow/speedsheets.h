#pragma once

#include "datasheet/datasheet.h"

#include <QList>
#include <QObject>

#include <memory>

class QPoint;
class QTableWidget;
class QWidget;

namespace tarnwick {

namespace store {
class PumpCatalogue;
}

struct LastVarSpeedRun;

// The data sheets of the variable-speed window: the context menu of its
// accepted pumps ("生成选型资料单…" for the set picked, "全部入选水泵…" for
// every set in the table's order), through the data sheets' header
// dialog, print preview, printing and PDF. They read the window's last run
// and nothing else of it.
class VarSpeedSheets : public QObject
{
    Q_OBJECT
public:
    // `lastRun` is kept by `window` and outlives this object, a child of it;
    // `accepted` (the accepted pumps' table) gets the context menu and gives
    // the order of all sets.
    VarSpeedSheets(QWidget* window, const LastVarSpeedRun& lastRun, QTableWidget* accepted);
    ~VarSpeedSheets() override;

    // The sheet of the set shown (picked in the table); none before a run.
    QList<DataSheet> sheetOfPickedSet(const SheetHeader& header);
    // One sheet per row of the accepted pumps, top to bottom.
    QList<DataSheet> sheetsOfAllSets(const SheetHeader& header);

    void producePickedSheet();
    void produceAllSheets();

private:
    void showMenu(const QPoint& position);
    // The catalogue's data-sheet rows and schematics, opened on first use.
    store::PumpCatalogue* catalogue();
    QList<const VarSpeedPump*> setsInTableOrder() const;

    QWidget* m_window;
    const LastVarSpeedRun& m_lastRun;
    QTableWidget* m_accepted;
    std::unique_ptr<store::PumpCatalogue> m_catalogue;
};

} // namespace tarnwick
