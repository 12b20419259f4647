#pragma once

#include "core/expected.h"
#include "core/selection.h"
#include "store/database.h"
#include "store/rowset.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace tarnwick::store {

// The calculation window's open access to the database, from its load until
// it closes: one connection with five row sets, and a separate access path
// to the schematics.
class PumpCatalogue
{
public:
    // Opens everything in order: folder, connection string, connection, the
    // five row sets, the schematic source. Any failure is a clear message.
    static Expected<std::unique_ptr<PumpCatalogue>, QString> open(const QString& programFolder);
    // The same on a database file elsewhere (the command-line tool's --db).
    static Expected<std::unique_ptr<PumpCatalogue>, QString> openFile(const QString& databaseFile);

    QString programFolder;
    QString connectionString;
    std::shared_ptr<Connection> connection;
    RowSet pumpRows;         // "水泵性能表"
    RowSet pointRows;        // "流扬功"
    RowSet viewRows;         // "水泵查询"
    RowSet allResultRows;    // "水泵选型结果"
    RowSet latestResultRows; // "水泵选型结果1"
    std::shared_ptr<Connection> schematicConnection;
    RowSet schematicSource; // "设备安装示意图"

    // The model texts of every pump row in stored order (duplicates kept);
    // leaves pumpRows past its end.
    QStringList modelList();

    // The catalogue as the calculations read it, taken from the snapshots of
    // pumpRows and pointRows. The program never writes the catalogue tables,
    // so it is read once.
    const Catalogue& catalogue();

private:
    PumpCatalogue() = default;
    static Expected<std::unique_ptr<PumpCatalogue>, QString> openAt(const QString& folder, const QString& path);
    std::optional<Catalogue> m_catalogue;
};

// A field value as a number: empty, or a text that is no number, gives NaN.
double numberOrNaN(const QVariant& value);

} // namespace tarnwick::store
