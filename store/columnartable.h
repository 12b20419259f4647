#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tarnwick::store {

// Rows of field values kept column by column, each value by its type: a
// number in eight bytes, a text as one shared string, an empty field in one
// byte. A value is handed back as the QVariant it was stored from, with the
// same type and contents, so whatever reads the rows sees no difference; a
// whole catalogue's data sheet takes a fraction of the memory of one QVariant
// list per row.
class ColumnarTable
{
public:
    explicit ColumnarTable(int columns = 0) : m_columns(static_cast<std::size_t>(columns)) {}

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    int size() const { return m_rows; }
    bool isEmpty() const { return m_rows == 0; }

    // Adds a row value by value: set(column, value) for every column in
    // turn, then endRow().
    void set(int column, const QVariant& value);
    void endRow() { ++m_rows; }
    void appendRow(const QVariantList& values);

    QVariant value(int row, int column) const;
    // The length of a text value, -1 for any other value; costs nothing.
    int textLength(int row, int column) const;
    // The first row whose value in the column is the same QVariant, or -1.
    int indexOf(int column, const QVariant& value) const;

private:
    enum class Kind : std::uint8_t { Null, Double, LongLong, Int, Text, Other };
    struct Column
    {
        std::vector<Kind> kinds;
        // Parallel to the rows once the column has held a value of that
        // kind; an empty field keeps its type's id in the number.
        std::vector<std::uint64_t> numbers;
        QList<QString> texts;
        std::unordered_map<int, QVariant> others;
    };

    int m_rows = 0;
    std::vector<Column> m_columns;
};

} // namespace tarnwick::store
