#include "speedwindow/speedsheets.h"

#include "controls/messagebox.h"
#include "controls/sheetproduction.h"
#include "speedwindow/lastvarspeedrun.h"
#include "speedwindow/speedtexts.h"
#include "store/pumpcatalogue.h"
#include "store/sheetdata.h"

#include <QMenu>
#include <QTableWidget>

namespace tarnwick {

VarSpeedSheets::VarSpeedSheets(QWidget* window, const LastVarSpeedRun& lastRun, QTableWidget* accepted)
    : QObject(window), m_window(window), m_lastRun(lastRun), m_accepted(accepted)
{
    setObjectName(QStringLiteral("varSpeedSheets"));
    m_accepted->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_accepted, &QWidget::customContextMenuRequested, this, &VarSpeedSheets::showMenu);
}

VarSpeedSheets::~VarSpeedSheets() = default;

store::PumpCatalogue* VarSpeedSheets::catalogue()
{
    if (m_catalogue)
        return m_catalogue.get();
    if (m_lastRun.databaseFile.isEmpty())
        return nullptr;
    auto opened = store::PumpCatalogue::openFile(m_lastRun.databaseFile);
    if (!opened) {
        showWarning(m_window, opened.error());
        return nullptr;
    }
    m_catalogue = std::move(opened).value();
    return m_catalogue.get();
}

QList<const VarSpeedPump*> VarSpeedSheets::setsInTableOrder() const
{
    QList<const VarSpeedPump*> sets;
    const QTableWidget* table = m_accepted;
    const std::vector<const VarSpeedPump*>& listed = m_lastRun.listed;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* item = table->item(row, 0);
        const int index = item ? item->data(Qt::UserRole + 1).toInt() : -1;
        if (index >= 0 && index < static_cast<int>(listed.size()))
            sets.append(listed[static_cast<std::size_t>(index)]);
    }
    return sets;
}

QList<DataSheet> VarSpeedSheets::sheetOfPickedSet(const SheetHeader& header)
{
    const VarSpeedPump* pump = m_lastRun.shown;
    store::PumpCatalogue* pumps = pump && m_lastRun.run ? catalogue() : nullptr;
    if (!pumps)
        return {};
    return {varSpeedSheet(*pump, m_lastRun.run->selection.request, m_lastRun.duty,
                          store::varSpeedSheetData(*pumps, *pump), header)};
}

QList<DataSheet> VarSpeedSheets::sheetsOfAllSets(const SheetHeader& header)
{
    const QList<const VarSpeedPump*> sets = setsInTableOrder();
    store::PumpCatalogue* pumps = !sets.isEmpty() && m_lastRun.run ? catalogue() : nullptr;
    QList<DataSheet> sheets;
    if (!pumps)
        return sheets;
    for (const VarSpeedPump* pump : sets)
        sheets.append(varSpeedSheet(*pump, m_lastRun.run->selection.request, m_lastRun.duty,
                                    store::varSpeedSheetData(*pumps, *pump), header));
    return sheets;
}

void VarSpeedSheets::producePickedSheet()
{
    if (!m_lastRun.shown || m_lastRun.databaseFile.isEmpty())
        return;
    produceDataSheets(
        m_window, m_lastRun.databaseFile, [this](const SheetHeader& h) { return sheetOfPickedSet(h); }, 1);
}

void VarSpeedSheets::produceAllSheets()
{
    const int pages = static_cast<int>(setsInTableOrder().size());
    if (pages == 0 || m_lastRun.databaseFile.isEmpty())
        return;
    produceDataSheets(
        m_window, m_lastRun.databaseFile, [this](const SheetHeader& h) { return sheetsOfAllSets(h); }, pages);
}

void VarSpeedSheets::showMenu(const QPoint& position)
{
    QTableWidget* table = m_accepted;
    // A right click on a row picks its set first.
    if (const QTableWidgetItem* item = table->itemAt(position))
        table->selectRow(item->row());
    QMenu menu(table);
    menu.setObjectName(QStringLiteral("acceptedMenu"));
    menu.addAction(speedtext::pickedSheetCommand(), this, &VarSpeedSheets::producePickedSheet)
        ->setEnabled(m_lastRun.shown != nullptr);
    menu.addAction(speedtext::allSetsCommand(), this, &VarSpeedSheets::produceAllSheets)
        ->setEnabled(table->rowCount() > 0);
    menu.exec(table->viewport()->mapToGlobal(position));
}

} // namespace tarnwick
