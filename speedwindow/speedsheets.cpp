#include "speedwindow/speedsheets.h"

#include "controls/messagebox.h"
#include "controls/sheetproduction.h"
#include "speedwindow/frmvarspeed.h"
#include "store/pumpcatalogue.h"
#include "store/sheetdata.h"

#include <QCoreApplication>
#include <QMenu>
#include <QTableWidget>

namespace tarnwick {

namespace {

QString pickedSheetCommand()
{
    return QCoreApplication::translate("tarnwick::speedwindow", "生成选型资料单…");
}
QString allSheetsCommand()
{
    return QCoreApplication::translate("tarnwick::speedwindow", "全部入选水泵…");
}

} // namespace

VarSpeedSheets::VarSpeedSheets(frmvarspeed* window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("varSpeedSheets"));
    QTableWidget* table = window->m_accepted;
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table, &QWidget::customContextMenuRequested, this, &VarSpeedSheets::showMenu);
}

VarSpeedSheets::~VarSpeedSheets() = default;

store::PumpCatalogue* VarSpeedSheets::catalogue()
{
    if (m_catalogue)
        return m_catalogue.get();
    if (!m_window->m_connection)
        return nullptr;
    auto opened = store::PumpCatalogue::openFile(m_window->m_connection->path());
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
    const QTableWidget* table = m_window->m_accepted;
    const auto& listed = m_window->m_listed;
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
    const VarSpeedPump* pump = m_window->shownPump();
    store::PumpCatalogue* pumps = pump && m_window->m_run ? catalogue() : nullptr;
    if (!pumps)
        return {};
    return {varSpeedSheet(*pump, m_window->m_run->selection.request, m_window->m_runDuty,
                          store::varSpeedSheetData(*pumps, *pump), header)};
}

QList<DataSheet> VarSpeedSheets::sheetsOfAllSets(const SheetHeader& header)
{
    const QList<const VarSpeedPump*> sets = setsInTableOrder();
    store::PumpCatalogue* pumps = !sets.isEmpty() && m_window->m_run ? catalogue() : nullptr;
    QList<DataSheet> sheets;
    if (!pumps)
        return sheets;
    for (const VarSpeedPump* pump : sets)
        sheets.append(varSpeedSheet(*pump, m_window->m_run->selection.request, m_window->m_runDuty,
                                    store::varSpeedSheetData(*pumps, *pump), header));
    return sheets;
}

void VarSpeedSheets::producePickedSheet()
{
    if (!m_window->shownPump() || !m_window->m_connection)
        return;
    produceDataSheets(
        m_window, m_window->m_connection->path(), [this](const SheetHeader& h) { return sheetOfPickedSet(h); }, 1);
}

void VarSpeedSheets::produceAllSheets()
{
    const int pages = static_cast<int>(setsInTableOrder().size());
    if (pages == 0 || !m_window->m_connection)
        return;
    produceDataSheets(
        m_window, m_window->m_connection->path(), [this](const SheetHeader& h) { return sheetsOfAllSets(h); }, pages);
}

void VarSpeedSheets::showMenu(const QPoint& position)
{
    QTableWidget* table = m_window->m_accepted;
    // A right click on a row picks its set first.
    if (const QTableWidgetItem* item = table->itemAt(position))
        table->selectRow(item->row());
    QMenu menu(table);
    menu.setObjectName(QStringLiteral("acceptedMenu"));
    menu.addAction(pickedSheetCommand(), this, &VarSpeedSheets::producePickedSheet)
        ->setEnabled(m_window->shownPump() != nullptr);
    menu.addAction(allSheetsCommand(), this, &VarSpeedSheets::produceAllSheets)->setEnabled(table->rowCount() > 0);
    menu.exec(table->viewport()->mapToGlobal(position));
}

} // namespace tarnwick
