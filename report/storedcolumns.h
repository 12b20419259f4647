#pragma once

#include "report/resulttable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <span>

namespace tarnwick::report {

// A box of a report over stored rows: heading and unit (texts of the
// "tarnwick::report" translation context), the stored field it shows, its
// width in twips, and how its figure is shown. Boxes are laid side by side
// from the grid's left edge; the last one takes what is left of the grid.
struct StoredColumn
{
    const char* heading;
    const char* unit;
    const char16_t* field;
    int width;
    int decimals; // -1: the stored text or number as it is
    double scale;
};

// The stored rows through those boxes, each box finding its field by name in
// `storedColumns`, so that the table does not depend on the order the rows
// were read in. A field the rows lack shows empty.
ResultTable storedRowsTable(std::span<const StoredColumn> layout, const QStringList& storedColumns,
                            const QList<QVariantList>& storedRows, const QString& source, const QString& title,
                            const QString& databasePath);

} // namespace tarnwick::report
