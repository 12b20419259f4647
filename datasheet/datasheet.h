#pragma once

#include "core/selection.h"
#include "core/varspeed.h"
#include "datasheet/chartdrawing.h"
#include "store/sheetdata.h"

#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace tarnwick {

// What the engineer enters once for the sheets he hands over.
struct SheetHeader
{
    QString projectName;
    QString projectNumber;
    QString designer;
    QString equipmentTag;
    QString date;
};

using SheetField = store::SheetField;

// What a variable-speed selection adds to the sheet of one pump set: its
// inputs in working units, the load points and the year's energy.
struct VarSpeedSheetPart
{
    VarSpeedPump pump;
    VarSpeedRequest request;
};

// Everything one data sheet shows of one pump at one duty.
struct DataSheet
{
    SheetHeader header;
    QString method; // "设计", "校核" or "变速节能选型"
    DutyTexts duty; // as typed, with the unit texts
    SelectionRequest request;
    QString model;
    QString pumpType;
    std::optional<double> speed;
    double operatingFlow = 0.0;
    double operatingHead = 0.0;
    double operatingEfficiency = 0.0;
    double operatingPower = 0.0;
    float bestEfficiency = 0.0f;
    QList<SheetField> viewFields; // the pump's "水泵查询" row, but its dimension text
    // The liquid's, suction's, impeller's and region's figures, when asked for.
    QList<SheetField> conditionFields;
    SheetField dimensions;        // "设备安装尺寸", a text of several lines
    ChartInput chart;
    FitQuality fitQuality;
    QImage schematic;
    QString programVersion;
    QString databaseFile;
    // Set for a variable-speed pump set: the sheet shows its load points and
    // energy, and its own chart, in place of the single operating point.
    std::optional<VarSpeedSheetPart> varSpeed;
};

// The sheet of a design candidate, with what the catalogue holds of it
// (store::candidateSheetData).
DataSheet candidateSheet(const DesignCandidate& candidate, const SelectionRequest& request, const DutyTexts& duty,
                         const store::SheetData& data, const SheetHeader& header);
// The sheet of a checked pump (store::checkedSheetData): type and speed are
// the catalogue row's.
DataSheet checkedSheet(const CheckedPump& pump, const DutyTexts& duty, const store::SheetData& data,
                       const SheetHeader& header);

// The sheet of an accepted variable-speed pump set (or one model evaluated
// alone; store::varSpeedSheetData); the fit figures are those of the
// catalogue's points of its model.
DataSheet varSpeedSheet(const VarSpeedPump& pump, const VarSpeedRequest& request, const DutyTexts& duty,
                        const store::SheetData& data, const SheetHeader& header);

// The figures of a variable-speed sheet as it prints them: the load table
// (design point first, then the profile's rows; one text per column of
// varSpeedLoadHeadings()), and the year's energy, cost and efficiency.
struct VarSpeedSheetFigures
{
    QList<QStringList> loadRows;
    QString annualEnergy;               // kWh, whole
    QString annualCost;                 // 元, whole
    QString weightedEfficiency;         // %, one decimal
    QString timeOutsidePreferredRegion; // % of the year, whole
};
VarSpeedSheetFigures varSpeedSheetFigures(const VarSpeedSheetPart& part);
QStringList varSpeedLoadHeadings();
// A point's warnings as the load tables mark them (" a", " bc", ...; empty
// when none) and in words.
QString varSpeedWarningMarks(unsigned warnings);
QString varSpeedWarningText(unsigned warnings);

// The figures of the operating point as the sheet prints them, rounded as the
// window shows them: flow and head to a tenth, efficiency cut to a whole
// percent, best efficiency floor + 1, shaft power to a hundredth.
struct SheetFigures
{
    QString flow;
    QString head;
    QString efficiency;
    QString bestEfficiency;
    QString power;
    QString speed;
};
SheetFigures sheetFigures(const DataSheet& sheet);

// A4 portrait with 12 mm margins.
QPageLayout dataSheetPageLayout();

// Paints one sheet onto a page of the painter's device.
void paintDataSheet(QPainter& painter, const DataSheet& sheet);
// Told after each page (pages done, of all); false stops the work.
using SheetProgress = std::function<bool(int done, int total)>;

// Paints the sheets one page each onto a printer or PDF writer. False when
// painting failed or the progress stopped it.
bool paintDataSheets(QPagedPaintDevice& device, const QList<DataSheet>& sheets, const SheetProgress& progress = {});
// Writes the sheets as one PDF file, replacing it only when complete; a
// stopped export leaves the file as it was and no message in *error.
bool writeDataSheetsPdf(const QString& path, const QList<DataSheet>& sheets, QString* error,
                        const SheetProgress& progress = {});

} // namespace tarnwick
