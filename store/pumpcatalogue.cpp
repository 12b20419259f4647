#include "store/pumpcatalogue.h"

#include "store/databaselocation.h"
#include "store/fieldcheck.h"
#include "store/names.h"

#include <QFileInfo>

#include <tuple>

namespace tarnwick::store {

namespace {

bool requireFields(const RowSet& rows, const QStringList& fields, QString* error)
{
    *error = missingFieldsMessage(rows, fields);
    return error->isEmpty();
}

} // namespace

Expected<std::unique_ptr<PumpCatalogue>, QString> PumpCatalogue::open(const QString& place, DataSheet dataSheet)
{
    return openAt(place, databasePath(place), dataSheet);
}

Expected<std::unique_ptr<PumpCatalogue>, QString> PumpCatalogue::openFile(const QString& databaseFile, DataSheet dataSheet)
{
    // A server's database has no folder: its address is its place.
    if (isServerLocation(databaseFile))
        return openAt(databaseFile, databaseFile, dataSheet);
    return openAt(QFileInfo(databaseFile).absolutePath(), databaseFile, dataSheet);
}

Expected<std::unique_ptr<PumpCatalogue>, QString> PumpCatalogue::openAt(const QString& place, const QString& path,
                                                                    DataSheet dataSheet)
{
    using Result = Expected<std::unique_ptr<PumpCatalogue>, QString>;
    std::unique_ptr<PumpCatalogue> catalogue(new PumpCatalogue);
    catalogue->place = place;
    catalogue->connectionString = connectionStringForFile(path);

    auto connection = Connection::open(path);
    if (!connection)
        return Result::failure(connection.error());
    catalogue->connection = connection.value();

    // All results ever stored are only appended to here; their rows are read
    // when someone looks at them. The data sheet is read with the catalogue
    // when it is to be shown.
    using ReadRows = RowSet::ReadRows;
    const ReadRows sheetReading = dataSheet == DataSheet::WithCatalogue ? ReadRows::AtOnce : ReadRows::OnDemand;
    const std::tuple<RowSet*, QString, ReadRows> sets[] = {
        {&catalogue->viewRows, names::pumpView(), sheetReading},
        {&catalogue->allResultRows, names::allResultsTable(), ReadRows::OnDemand},
        {&catalogue->latestResultRows, names::latestResultsTable(), ReadRows::AtOnce},
    };
    {
        // The pumps, their points and the data sheets come from one state of
        // the file: a catalogue replaced meanwhile is seen whole or not at all.
        ReadSnapshot snapshot(catalogue->connection->database());
        if (!snapshot.isValid())
            return Result::failure(snapshot.error());
        CatalogueReader reader(catalogue->connection->database());
        QString error;
        if (!reader.open(&error))
            return Result::failure(error);
        for (const auto& [rows, name, reading] : sets) {
            if (!rows->open(catalogue->connection, name, reading))
                return Result::failure(rows->lastError());
        }
        error = reader.missingFields();
        if (!error.isEmpty() || !requireFields(catalogue->viewRows, {names::model(), names::pumpType()}, &error) ||
            !requireFields(catalogue->allResultRows, names::resultFields(), &error) ||
            !requireFields(catalogue->latestResultRows, names::resultFields(), &error))
            return Result::failure(error);
        auto read = reader.read();
        if (!read)
            return Result::failure(read.error());
        catalogue->m_catalogue = std::move(read).value();
    }

    auto schematicConnection = Connection::open(path);
    if (!schematicConnection)
        return Result::failure(schematicConnection.error());
    catalogue->schematicConnection = schematicConnection.value();
    if (!catalogue->schematicSource.open(catalogue->schematicConnection, names::schematicTable(),
                                         RowSet::ReadRows::OnDemand))
        return Result::failure(catalogue->schematicSource.lastError());
    QString error;
    if (!requireFields(catalogue->schematicSource, {names::pumpType(), names::schematicPicture()}, &error))
        return Result::failure(error);

    return catalogue;
}

QStringList PumpCatalogue::modelList() const
{
    QStringList models;
    models.reserve(static_cast<qsizetype>(m_catalogue.pumps.size()));
    for (const CataloguePump& pump : m_catalogue.pumps)
        models.append(QString::fromStdString(pump.model));
    return models;
}

} // namespace tarnwick::store
