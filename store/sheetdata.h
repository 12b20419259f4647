#pragma once

#include "core/fitquality.h"
#include "core/selection.h"
#include "core/varspeed.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tarnwick::store {

class PumpCatalogue;

// A caption and its value as a data sheet prints them.
struct SheetField
{
    QString caption;
    QString value;
};

// What the catalogue holds for the data sheet of one pump, as plain values:
// whoever paints the sheet needs no access to the database. Read from the
// catalogue's row sets, so that the sheet shows the rows the window shows.
struct SheetData
{
    QString model;
    QString pumpType;             // the type the sheet names, whose schematic is given
    QList<SheetField> viewFields; // the "水泵查询" row without its key and dimensions; figures with units
    SheetField dimensions;        // "设备安装尺寸", a text of several lines (captioned even without a row)
    QByteArray schematic;         // the stored picture of the type as it is stored; empty for none
    std::optional<double> speed;  // "转速" of the model's catalogue row
    // The fit to the model's catalogue points; read for a variable-speed set,
    // whose selection does not carry it.
    std::optional<FitQuality> fitQuality;
    QString databaseFile; // the file's name without its folder
};

// A design candidate's: the type is its "水泵查询" row's.
SheetData candidateSheetData(const PumpCatalogue& catalogue, const DesignCandidate& candidate);
// A checked pump's: the type is the one the check read from its catalogue row.
SheetData checkedSheetData(const PumpCatalogue& catalogue, const CheckedPump& pump);
// A variable-speed set's: the "水泵查询" row's type, or the curves' where the
// row has none, and the fit to the model's points, found by model where the
// catalogue's order is not the one the selection saw.
SheetData varSpeedSheetData(const PumpCatalogue& catalogue, const VarSpeedPump& pump);

} // namespace tarnwick::store
