#include "store/pumpcatalogue.h"

#include "store/fieldcheck.h"
#include "store/names.h"

#include <QFileInfo>

#include <cmath>
#include <limits>
#include <tuple>

namespace tarnwick::store {

namespace {

bool requireFields(const RowSet& rows, const QStringList& fields, QString* error)
{
    *error = missingFieldsMessage(rows, fields);
    return error->isEmpty();
}

} // namespace

double numberOrNaN(const QVariant& value)
{
    if (value.isNull())
        return std::numeric_limits<double>::quiet_NaN();
    bool ok = false;
    const double number = value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok)
                                                                : value.toDouble(&ok);
    return ok ? number : std::numeric_limits<double>::quiet_NaN();
}

Expected<std::unique_ptr<PumpCatalogue>, QString> PumpCatalogue::open(const QString& folder)
{
    return openAt(folder, databasePath(folder));
}

Expected<std::unique_ptr<PumpCatalogue>, QString> PumpCatalogue::openFile(const QString& databaseFile)
{
    // A server's database has no folder; the program's own stands in.
    if (isServerLocation(databaseFile))
        return openAt(store::programFolder(), databaseFile);
    return openAt(QFileInfo(databaseFile).absolutePath(), databaseFile);
}

Expected<std::unique_ptr<PumpCatalogue>, QString> PumpCatalogue::openAt(const QString& folder, const QString& path)
{
    using Result = Expected<std::unique_ptr<PumpCatalogue>, QString>;
    std::unique_ptr<PumpCatalogue> catalogue(new PumpCatalogue);
    catalogue->programFolder = folder;
    catalogue->connectionString = connectionStringForFile(path);

    auto connection = Connection::open(path);
    if (!connection)
        return Result::failure(connection.error());
    catalogue->connection = connection.value();

    // All results ever stored are only appended to here; their rows are read
    // when someone looks at them.
    using ReadRows = RowSet::ReadRows;
    const std::tuple<RowSet*, QString, ReadRows> sets[] = {
        {&catalogue->pumpRows, names::pumpTable(), ReadRows::AtOnce},
        {&catalogue->pointRows, names::pointTable(), ReadRows::AtOnce},
        {&catalogue->viewRows, names::pumpView(), ReadRows::AtOnce},
        {&catalogue->allResultRows, names::allResultsTable(), ReadRows::OnDemand},
        {&catalogue->latestResultRows, names::latestResultsTable(), ReadRows::AtOnce},
    };
    {
        // The pumps, their points and the data sheets come from one state of
        // the file: a catalogue replaced meanwhile is seen whole or not at all.
        ReadSnapshot snapshot(catalogue->connection->database());
        if (!snapshot.isValid())
            return Result::failure(snapshot.error());
        for (const auto& [rows, name, reading] : sets) {
            if (!rows->open(catalogue->connection, name, reading))
                return Result::failure(rows->lastError());
        }
    }

    QString error;
    if (!requireFields(catalogue->pumpRows, {names::key(), names::model(), names::pumpType(), names::speed()}, &error) ||
        !requireFields(catalogue->pointRows, {names::key(), names::flow(), names::head(), names::shaftPower()}, &error) ||
        !requireFields(catalogue->viewRows, {names::model(), names::pumpType()}, &error) ||
        !requireFields(catalogue->allResultRows, names::resultFields(), &error) ||
        !requireFields(catalogue->latestResultRows, names::resultFields(), &error))
        return Result::failure(error);

    auto schematicConnection = Connection::open(path);
    if (!schematicConnection)
        return Result::failure(schematicConnection.error());
    catalogue->schematicConnection = schematicConnection.value();
    if (!catalogue->schematicSource.open(catalogue->schematicConnection, names::schematicTable()))
        return Result::failure(catalogue->schematicSource.lastError());
    if (!requireFields(catalogue->schematicSource, {names::pumpType(), names::schematicPicture()}, &error))
        return Result::failure(error);

    return catalogue;
}

QStringList PumpCatalogue::modelList()
{
    QStringList models;
    models.reserve(pumpRows.recordCount());
    const int column = pumpRows.fieldIndex(names::model());
    for (pumpRows.moveFirst(); !pumpRows.eof(); pumpRows.moveNext())
        models.append(pumpRows.valueAt(pumpRows.position(), column).toString());
    return models;
}

const Catalogue& PumpCatalogue::catalogue()
{
    if (m_catalogue)
        return *m_catalogue;

    Catalogue result;
    const int key = pumpRows.fieldIndex(names::key());
    const int model = pumpRows.fieldIndex(names::model());
    const int type = pumpRows.fieldIndex(names::pumpType());
    const int speed = pumpRows.fieldIndex(names::speed());
    const int motorPower = pumpRows.fieldIndex(names::motorPower());
    result.pumps.reserve(pumpRows.snapshotSize());
    for (int row = 0; row < pumpRows.snapshotSize(); ++row) {
        if (pumpRows.isDeleted(row))
            continue;
        CataloguePump pump;
        pump.key = numberOrNaN(pumpRows.valueAt(row, key));
        pump.model = pumpRows.valueAt(row, model).toString().toStdString();
        pump.type = pumpRows.valueAt(row, type).toString().toStdString();
        const double s = numberOrNaN(pumpRows.valueAt(row, speed));
        if (!std::isnan(s))
            pump.speed = s;
        const double motor = motorPower >= 0 ? numberOrNaN(pumpRows.valueAt(row, motorPower)) : std::nan("");
        if (std::isfinite(motor) && motor > 0.0)
            pump.motorPower = motor;
        result.pumps.push_back(std::move(pump));
    }

    const int pointKey = pointRows.fieldIndex(names::key());
    const int flow = pointRows.fieldIndex(names::flow());
    const int head = pointRows.fieldIndex(names::head());
    const int power = pointRows.fieldIndex(names::shaftPower());
    result.points.reserve(pointRows.snapshotSize());
    for (int row = 0; row < pointRows.snapshotSize(); ++row) {
        if (pointRows.isDeleted(row))
            continue;
        CataloguePoint point;
        point.key = numberOrNaN(pointRows.valueAt(row, pointKey));
        point.flow = static_cast<float>(numberOrNaN(pointRows.valueAt(row, flow)));
        point.head = static_cast<float>(numberOrNaN(pointRows.valueAt(row, head)));
        point.power = static_cast<float>(numberOrNaN(pointRows.valueAt(row, power)));
        result.points.push_back(point);
    }
    m_catalogue = std::move(result);
    return *m_catalogue;
}

} // namespace tarnwick::store
