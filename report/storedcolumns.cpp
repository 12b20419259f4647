#include "report/storedcolumns.h"

#include <QCoreApplication>

#include <cmath>

namespace tarnwick::report {

ResultTable storedRowsTable(std::span<const StoredColumn> layout, const QStringList& storedColumns,
                            const QList<QVariantList>& storedRows, const QString& source, const QString& title,
                            const QString& databasePath)
{
    QList<ReportColumn> columns;
    QList<qsizetype> sources;
    int left = 10;
    for (std::size_t c = 0; c < layout.size(); ++c) {
        const StoredColumn& box = layout[c];
        const int width = c + 1 == layout.size() ? twip::kGridWidth - 10 - left : box.width;
        const QString field = QString::fromUtf16(box.field);
        columns.append({QCoreApplication::translate("tarnwick::report", box.heading),
                        QCoreApplication::translate("tarnwick::report", box.unit), field, left, width, false});
        sources.append(storedColumns.indexOf(field));
        left += width + 20;
    }
    QList<QVariantList> rows;
    for (const QVariantList& stored : storedRows) {
        QVariantList row;
        for (std::size_t c = 0; c < layout.size(); ++c) {
            const qsizetype at = sources[static_cast<qsizetype>(c)];
            const QVariant v = at >= 0 ? stored.value(at) : QVariant();
            if (layout[c].decimals < 0 || v.isNull()) {
                row.append(v);
                continue;
            }
            const double p = std::pow(10.0, layout[c].decimals);
            row.append(std::round(v.toDouble() * layout[c].scale * p) / p);
        }
        rows.append(row);
    }
    return ResultTable::fromValues(source, title, columns, rows, databasePath);
}

} // namespace tarnwick::report
