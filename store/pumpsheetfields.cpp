#include "store/pumpsheetfields.h"

#include "store/names.h"

#include <cmath>

namespace tarnwick::store {

namespace {

std::optional<double> sheetNumber(const QVariant& value)
{
    const double v = numberOrNaN(value);
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

} // namespace

Catalogue catalogueWithSheetFields(PumpCatalogue& catalogue)
{
    Catalogue result = catalogue.catalogue();
    RowSet& rows = catalogue.pumpRows;
    const int flow = rows.fieldIndex(names::flow());
    const int head = rows.fieldIndex(names::head());
    const int npsh = rows.fieldIndex(names::npshRequired());
    const int diameter = rows.fieldIndex(names::impellerDiameter());
    result.sheetFields.reserve(result.pumps.size());
    // The rows the catalogue's pumps were made from, in the same order.
    for (int row = 0; row < rows.snapshotSize(); ++row) {
        if (rows.isDeleted(row))
            continue;
        PumpSheetFields fields;
        if (flow >= 0)
            fields.ratedFlow = sheetNumber(rows.valueAt(row, flow));
        if (head >= 0)
            fields.ratedHead = sheetNumber(rows.valueAt(row, head));
        if (npsh >= 0)
            fields.npshRequired = sheetNumber(rows.valueAt(row, npsh));
        if (diameter >= 0)
            fields.impellerDiameter = sheetNumber(rows.valueAt(row, diameter));
        result.sheetFields.push_back(fields);
    }
    // A catalogue read otherwise than row by row gets no fields rather than
    // another pump's.
    if (result.sheetFields.size() != result.pumps.size())
        result.sheetFields.clear();
    return result;
}

} // namespace tarnwick::store
