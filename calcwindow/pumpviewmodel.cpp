#include "calcwindow/pumpviewmodel.h"

#include "calcwindow/calcwindowtexts.h"
#include "core/numbers.h"
#include "store/names.h"
#include "store/rowset.h"

#include <cmath>

namespace tarnwick {

namespace {

QStringList gridFields()
{
    namespace n = store::names;
    return {n::pumpType(),   n::model(),        n::speed(),
            n::flow(),       n::head(),         n::shaftPower(),
            n::motorPower(), n::npshRequired(), n::impellerDiameter(),
            n::weight()};
}

QVariant shownValue(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
        // An infinity can only come from a damaged file; it shows as an
        // empty field does.
        const double number = value.toDouble();
        return std::isfinite(number) ? QString::fromStdString(numberText(number)) : QString();
    }
    default:
        return value.toString();
    }
}

} // namespace

PumpViewModel::PumpViewModel(QObject* parent) : QAbstractTableModel(parent) {}

void PumpViewModel::setRowSet(const store::RowSet* rows)
{
    beginResetModel();
    m_rows = rows;
    m_columns.clear();
    for (const QString& field : gridFields())
        m_columns.append(rows ? rows->fieldIndex(field) : -1);
    m_current = -1;
    endResetModel();
}

void PumpViewModel::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount())
        row = -1;
    if (row == m_current)
        return;
    const int previous = m_current;
    m_current = row;
    if (previous >= 0)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0)
        emit headerDataChanged(Qt::Vertical, row, row);
}

int PumpViewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_rows ? 0 : m_rows->snapshotSize();
}

int PumpViewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(calctext::gridCaptions().size());
}

QVariant PumpViewModel::data(const QModelIndex& index, int role) const
{
    // The narrow columns cut long texts; the tooltip shows them whole.
    if (!m_rows || !index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const int field = m_columns.value(index.column(), -1);
    if (field < 0 || index.row() >= m_rows->snapshotSize())
        return {};
    return shownValue(m_rows->valueAt(index.row(), field));
}

QVariant PumpViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return calctext::gridCaptions().value(section);
    // The record selector: an arrow on the current row.
    return section == m_current ? QStringLiteral("▶") : QString();
}

Qt::ItemFlags PumpViewModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace tarnwick
