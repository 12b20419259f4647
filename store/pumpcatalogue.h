#pragma once

#include "core/expected.h"
#include "core/selection.h"
#include "store/cataloguereader.h"
#include "store/database.h"
#include "store/rowset.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace tarnwick::store {

// The open access to the database of the calculation window and of the
// tool's calculations, from opening until closed: one connection with the
// catalogue as the calculations read it, the data sheet and the result
// tables as row sets, and a separate access path to the schematics.
class PumpCatalogue
{
public:
    // Whether the data sheet ("水泵查询") is read with the catalogue, in the
    // same snapshot (the window's grid and the data sheets show it), or only
    // its fields are checked and its rows are read when first asked for.
    enum class DataSheet { OnDemand, WithCatalogue };

    // Opens everything in order: place (see databasePath), connection
    // string, connection, the catalogue and the row sets, the schematic
    // source. Any failure is a clear message.
    static Expected<std::unique_ptr<PumpCatalogue>, QString> open(const QString& place,
                                                                  DataSheet dataSheet = DataSheet::WithCatalogue);
    // The same on a database file elsewhere (the command-line tool's --db).
    static Expected<std::unique_ptr<PumpCatalogue>, QString> openFile(const QString& databaseFile,
                                                                      DataSheet dataSheet = DataSheet::OnDemand);

    // Where it was opened: the folder of the file, or a server database's
    // address.
    QString place;
    QString connectionString;
    std::shared_ptr<Connection> connection;
    RowSet viewRows;         // "水泵查询"
    RowSet allResultRows;    // "水泵选型结果"
    RowSet latestResultRows; // "水泵选型结果1"
    std::shared_ptr<Connection> schematicConnection;
    RowSet schematicSource; // "设备安装示意图", read when first asked for

    // The model texts of every pump row in stored order (duplicates kept).
    QStringList modelList() const;

    // The catalogue as the calculations read it: "水泵性能表" and "流扬功",
    // read once when opened (the program never writes them).
    const Catalogue& catalogue() const { return m_catalogue; }

private:
    PumpCatalogue() = default;
    static Expected<std::unique_ptr<PumpCatalogue>, QString> openAt(const QString& place, const QString& path,
                                                                    DataSheet dataSheet);
    Catalogue m_catalogue;
};

} // namespace tarnwick::store
