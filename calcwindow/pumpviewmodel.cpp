#include "calcwindow/pumpviewmodel.h"

#include "calcwindow/calcwindowtexts.h"
#include "core/numbers.h"
#include "store/names.h"
#include "store/rowset.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

std::vector<int> PumpViewModel::widthRows(int column, int sample) const
{
    const int rows = rowCount();
    std::vector<int> chosen;
    if (rows <= sample) {
        chosen.resize(static_cast<std::size_t>(rows));
        for (int row = 0; row < rows; ++row)
            chosen[static_cast<std::size_t>(row)] = row;
        return chosen;
    }
    chosen.reserve(static_cast<std::size_t>(sample) * 2);
    for (int i = 0; i < sample; ++i)
        chosen.push_back(static_cast<int>(static_cast<long long>(i) * (rows - 1) / (sample - 1)));
    // The longest texts; a text's width follows its length closely enough
    // that the widest is among them.
    const int field = m_columns.value(column, -1);
    if (field >= 0) {
        std::vector<std::pair<int, int>> lengths; // length, row
        for (int row = 0; row < rows; ++row) {
            const int length = m_rows->textLengthAt(row, field);
            if (length > 0)
                lengths.emplace_back(length, row);
        }
        constexpr std::size_t kLongest = 64;
        const auto longest = std::min(lengths.size(), kLongest);
        std::partial_sort(lengths.begin(), lengths.begin() + static_cast<std::ptrdiff_t>(longest), lengths.end(),
                          [](const auto& a, const auto& b) { return a.first > b.first; });
        for (std::size_t i = 0; i < longest; ++i)
            chosen.push_back(lengths[i].second);
    }
    return chosen;
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
