#include "store/columnartable.h"

#include <bit>

namespace tarnwick::store {

void ColumnarTable::set(int column, const QVariant& value)
{
    Column& c = m_columns[static_cast<std::size_t>(column)];
    const auto row = static_cast<std::size_t>(m_rows);
    auto number = [&](Kind kind, std::uint64_t bits) {
        c.kinds.push_back(kind);
        c.numbers.resize(row);
        c.numbers.push_back(bits);
    };
    if (value.isNull()) {
        number(Kind::Null, static_cast<std::uint64_t>(value.typeId()));
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Double:
        number(Kind::Double, std::bit_cast<std::uint64_t>(value.toDouble()));
        return;
    case QMetaType::LongLong:
        number(Kind::LongLong, std::bit_cast<std::uint64_t>(value.toLongLong()));
        return;
    case QMetaType::Int:
        number(Kind::Int, std::bit_cast<std::uint64_t>(static_cast<qint64>(value.toInt())));
        return;
    case QMetaType::QString: {
        c.kinds.push_back(Kind::Text);
        c.texts.resize(static_cast<qsizetype>(row));
        const QString text = value.toString();
        // Texts that repeat down a column (pump types, speeds read as
        // text) share one string.
        const auto previous = static_cast<qsizetype>(row) - 1;
        if (previous >= 0 && !text.isEmpty() && c.kinds[row - 1] == Kind::Text && c.texts.at(previous) == text)
            c.texts.append(c.texts.at(previous));
        else
            c.texts.append(text);
        return;
    }
    default:
        c.kinds.push_back(Kind::Other);
        c.others.emplace(m_rows, value);
        return;
    }
}

void ColumnarTable::appendRow(const QVariantList& values)
{
    for (int column = 0; column < columnCount(); ++column)
        set(column, column < values.size() ? values.at(column) : QVariant());
    endRow();
}

QVariant ColumnarTable::value(int row, int column) const
{
    const Column& c = m_columns[static_cast<std::size_t>(column)];
    const auto r = static_cast<std::size_t>(row);
    switch (c.kinds[r]) {
    case Kind::Null:
        return QVariant(QMetaType(static_cast<int>(c.numbers[r])));
    case Kind::Double:
        return QVariant(std::bit_cast<double>(c.numbers[r]));
    case Kind::LongLong:
        return QVariant(std::bit_cast<qlonglong>(c.numbers[r]));
    case Kind::Int:
        return QVariant(static_cast<int>(std::bit_cast<qint64>(c.numbers[r])));
    case Kind::Text:
        return QVariant(c.texts.at(row));
    case Kind::Other:
        break;
    }
    return c.others.at(row);
}

int ColumnarTable::textLength(int row, int column) const
{
    const Column& c = m_columns[static_cast<std::size_t>(column)];
    return c.kinds[static_cast<std::size_t>(row)] == Kind::Text ? static_cast<int>(c.texts.at(row).size()) : -1;
}

int ColumnarTable::indexOf(int column, const QVariant& value) const
{
    for (int row = 0; row < m_rows; ++row) {
        if (this->value(row, column) == value)
            return row;
    }
    return -1;
}

} // namespace tarnwick::store
