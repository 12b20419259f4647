#include "report/resulttable.h"

#include "core/numbers.h"
#include "report/reportdefinition.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>
#include <limits>

namespace tarnwick::report {

double reportNumberValue(double value, bool stored32Bit)
{
    return displayNumberValue(value, stored32Bit);
}

QString reportNumberText(double value, bool stored32Bit)
{
    return QString::fromStdString(displayNumberText(value, stored32Bit));
}

Expected<ResultTable, QString> ResultTable::fromRows(const store::RowSet& rows)
{
    using Result = Expected<ResultTable, QString>;
    const QList<ReportColumn>& columns = reportColumns();
    int fieldColumns[columnCount()];
    for (int c = 0; c < columnCount(); ++c) {
        fieldColumns[c] = rows.fieldIndex(columns[c].field);
        if (fieldColumns[c] < 0)
            return Result::failure(QCoreApplication::translate("tarnwick::report", "“%1”中没有字段“%2”。")
                                       .arg(rows.source(), columns[c].field));
    }

    if (!rows.ensureRows())
        return Result::failure(rows.lastError());
    ResultTable table;
    table.m_source = rows.source();
    table.m_databasePath = rows.databasePath();
    const int snapshot = rows.snapshotSize();
    table.m_cells.reserve(qsizetype(snapshot) * columnCount());
    for (int row = 0; row < snapshot; ++row) {
        if (rows.isDeleted(row))
            continue;
        for (int c = 0; c < columnCount(); ++c)
            table.m_cells.append(rows.valueAt(row, fieldColumns[c]));
        ++table.m_rowCount;
    }
    return table;
}

ResultTable ResultTable::fromValues(const QString& source, const QString& title, const QList<ReportColumn>& columns,
                                    const QList<QVariantList>& rows, const QString& databasePath)
{
    ResultTable table;
    table.m_source = source;
    table.m_databasePath = databasePath;
    table.m_title = title;
    table.m_columns = columns;
    table.m_ownColumns = true;
    for (const QVariantList& row : rows) {
        for (int c = 0; c < table.fieldCount(); ++c)
            table.m_cells.append(c < row.size() ? row.at(c) : QVariant());
        ++table.m_rowCount;
    }
    return table;
}

QList<int> ResultTable::gridRules() const
{
    QList<int> rules;
    if (!m_ownColumns) {
        for (const int x : twip::kGridRules)
            rules.append(x);
        return rules;
    }
    // A box ends 10 twips before the rule to its right, as the result
    // tables' boxes do.
    for (const ReportColumn& column : m_columns)
        rules.append(column.left + column.width + 10);
    return rules;
}

// A figure that is not finite can only come from a damaged file: the report
// shows its box empty, as for an empty field.
QString ResultTable::text(int row, int column) const
{
    const QVariant& v = value(row, column);
    if (v.isNull())
        return QString();
    if (store::isNumericValue(v)) {
        const double x = v.toDouble();
        return std::isfinite(x) ? reportNumberText(x, m_columns[column].stored32Bit) : QString();
    }
    return v.toString();
}

std::optional<double> ResultTable::number(int row, int column) const
{
    const QVariant& v = value(row, column);
    if (v.isNull() || !store::isNumericValue(v) || !std::isfinite(v.toDouble()))
        return std::nullopt;
    return reportNumberValue(v.toDouble(), m_columns[column].stored32Bit);
}

} // namespace tarnwick::report
