#include "store/sheetdata.h"

#include "core/numbers.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"

#include <QFileInfo>

#include <cmath>

namespace tarnwick::store {

namespace {

QString fieldText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    if (isNumericValue(value)) {
        const double number = value.toDouble();
        return std::isfinite(number) ? QString::fromStdString(numberText(number)) : QString();
    }
    return value.toString();
}

// The unit of a catalogue field's figure on the sheet; empty for texts.
QString unitOf(const QString& field)
{
    static const QList<std::pair<QString, QString>> units = {
        {names::speed(), QStringLiteral("r/min")},
        {names::flow(), QStringLiteral("m3/h")},
        {names::head(), QStringLiteral("m")},
        {names::shaftPower(), QStringLiteral("kW")},
        {names::motorPower(), QStringLiteral("kW")},
        {names::npshRequired(), QStringLiteral("m")},
        {names::impellerDiameter(), QStringLiteral("mm")},
        {names::weight(), QStringLiteral("kg")},
    };
    for (const auto& [name, unit] : units) {
        if (name == field)
            return unit;
    }
    return {};
}

// The model's "水泵查询" row into `data`: its fields, its dimension text and
// its type. A model without a row leaves them empty.
void readViewRow(const PumpCatalogue& catalogue, SheetData* data)
{
    const RowSet& view = catalogue.viewRows;
    const int modelColumn = view.fieldIndex(names::model());
    if (modelColumn < 0)
        return;
    for (int row = 0; row < view.snapshotSize(); ++row) {
        if (view.isDeleted(row) || view.valueAt(row, modelColumn).toString() != data->model)
            continue;
        const QStringList& fields = view.fieldNames();
        for (int column = 0; column < fields.size(); ++column) {
            // The dimensions are a text of several lines; the sheet sets
            // them under the schematic they belong to.
            if (fields[column] == names::installationDimensions()) {
                data->dimensions = {fields[column], fieldText(view.valueAt(row, column))};
                continue;
            }
            // The catalogue's own key means nothing to the reader of the sheet.
            if (fields[column] == names::key())
                continue;
            QString value = fieldText(view.valueAt(row, column));
            const QString unit = unitOf(fields[column]);
            if (!value.isEmpty() && !unit.isEmpty())
                value += QLatin1Char(' ') + unit;
            data->viewFields.append({fields[column], value});
            if (fields[column] == names::pumpType())
                data->pumpType = view.valueAt(row, column).toString();
        }
        return;
    }
}

// The first stored picture of the type; empty when the type has none.
QByteArray schematicOf(const PumpCatalogue& catalogue, const QString& pumpType)
{
    const RowSet& source = catalogue.schematicSource;
    const int typeColumn = source.fieldIndex(names::pumpType());
    const int pictureColumn = source.fieldIndex(names::schematicPicture());
    if (typeColumn < 0 || pictureColumn < 0)
        return {};
    for (int row = 0; row < source.snapshotSize(); ++row) {
        if (!source.isDeleted(row) && source.valueAt(row, typeColumn).toString() == pumpType)
            return source.valueAt(row, pictureColumn).toByteArray();
    }
    return {};
}

// Where the model stands in the catalogue: at `index` when it is there
// still, else its first row; the catalogue's size when it has none.
std::size_t indexOf(const Catalogue& catalogue, const std::string& model, std::size_t index)
{
    if (index < catalogue.pumps.size() && catalogue.pumps[index].model == model)
        return index;
    for (std::size_t i = 0; i < catalogue.pumps.size(); ++i) {
        if (catalogue.pumps[i].model == model)
            return i;
    }
    return catalogue.pumps.size();
}

// Everything but the schematic, whose type the caller settles first.
SheetData viewData(const PumpCatalogue& catalogue, const std::string& model)
{
    SheetData data;
    data.model = QString::fromStdString(model);
    data.dimensions.caption = names::installationDimensions();
    readViewRow(catalogue, &data);
    const Catalogue& pumps = catalogue.catalogue();
    const std::size_t index = indexOf(pumps, model, 0);
    if (index < pumps.pumps.size())
        data.speed = pumps.pumps[index].speed;
    if (catalogue.connection)
        data.databaseFile = QFileInfo(catalogue.connection->path()).fileName();
    return data;
}

} // namespace

SheetData candidateSheetData(const PumpCatalogue& catalogue, const DesignCandidate& candidate)
{
    SheetData data = viewData(catalogue, candidate.model);
    data.schematic = schematicOf(catalogue, data.pumpType);
    return data;
}

SheetData checkedSheetData(const PumpCatalogue& catalogue, const CheckedPump& pump)
{
    SheetData data = viewData(catalogue, pump.model);
    data.pumpType = QString::fromStdString(pump.pumpType);
    data.schematic = schematicOf(catalogue, data.pumpType);
    return data;
}

SheetData varSpeedSheetData(const PumpCatalogue& catalogue, const VarSpeedPump& pump)
{
    SheetData data = viewData(catalogue, pump.curves.model);
    if (data.pumpType.isEmpty())
        data.pumpType = QString::fromStdString(pump.curves.type);
    const Catalogue& pumps = catalogue.catalogue();
    const std::size_t index = indexOf(pumps, pump.curves.model, pump.curves.catalogueIndex);
    if (index < pumps.pumps.size()) {
        if (const std::optional<PumpCurves> curves = pumpCurves(pumps, index))
            data.fitQuality = fitQuality(curves->points, curves->headFit, curves->powerFit);
    }
    data.schematic = schematicOf(catalogue, data.pumpType);
    return data;
}

} // namespace tarnwick::store
