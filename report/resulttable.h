#pragma once

#include "core/expected.h"
#include "report/reportdefinition.h"
#include "store/rowset.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace tarnwick::report {

// The ten report fields of every row of a result row set, copied when the
// report is bound, in the row set's order. The report shows the rows as they
// were then: a row written later appears when the report is opened again.
class ResultTable
{
public:
    ResultTable() = default;

    // Binds to the row set's snapshot; deleted rows are left out. A field the
    // source does not have is the data layer's error.
    static Expected<ResultTable, QString> fromRows(const store::RowSet& rows);

    // The table or view the rows came from.
    const QString& source() const { return m_source; }
    // The database file the rows were read from; no export may replace it.
    const QString& databasePath() const { return m_databasePath; }
    int rowCount() const { return m_rowCount; }
    // The ten columns of the result tables.
    static constexpr int columnCount() { return 10; }

    // Any other stored rows through the same report: its own title, and
    // columns laid side by side from the grid's left edge, their boxes
    // ending where the grid's right edge is. The rows hold the columns'
    // values in column order.
    static ResultTable fromValues(const QString& source, const QString& title, const QList<ReportColumn>& columns,
                                  const QList<QVariantList>& rows, const QString& databasePath = {});

    // The columns this table shows, the report's title, and the grid's
    // vertical rules after the left one.
    const QList<ReportColumn>& columns() const { return m_columns; }
    int fieldCount() const { return static_cast<int>(m_columns.size()); }
    const QString& title() const { return m_title; }
    QList<int> gridRules() const;

    const QVariant& value(int row, int column) const { return m_cells.at(qsizetype(row) * fieldCount() + column); }
    // The field as the report shows it (see reportNumberText).
    QString text(int row, int column) const;
    // The number the report shows, for number cells; nothing for texts and
    // empty fields.
    std::optional<double> number(int row, int column) const;

private:
    QString m_source;
    QString m_databasePath;
    QList<ReportColumn> m_columns = reportColumns();
    QString m_title = text::title();
    bool m_ownColumns = false;
    int m_rowCount = 0;
    QList<QVariant> m_cells; // row by row, report column order
};

// A stored number as the report shows it. Numbers appear as stored, in plain
// decimal with at most 15 significant digits. A field stored from a 32-bit
// value holds that value widened (a static head typed as 5.1 is stored as
// 5.099999904632568): when the number is exactly a 32-bit value, such a field
// shows the shortest decimal that reads back as it (5.1). Anything else, and
// every other field, shows the stored number.
QString reportNumberText(double value, bool stored32Bit);
// The number that text stands for.
double reportNumberValue(double value, bool stored32Bit);

} // namespace tarnwick::report
