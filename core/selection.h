#pragma once

#include "core/curvefit.h"
#include "core/expected.h"
#include "core/fitquality.h"
#include "core/rejection.h"
#include "core/serviceconditions.h"
#include "core/units.h"

#include <array>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// One row of "水泵性能表" as the calculations read it.
struct CataloguePump
{
    double key = std::numeric_limits<double>::quiet_NaN(); // "序号"; NaN when the field is empty
    std::string model;                                      // "水泵型号"
    std::string type;                                       // "水泵类型"
    std::optional<double> speed;                            // "转速", r/min
    std::optional<double> motorPower = std::nullopt;        // "电动机功率", kW
};

// The data-sheet fields of a "水泵性能表" row that the suction and impeller
// figures need. They are read only when those are asked for.
struct PumpSheetFields
{
    std::optional<double> ratedFlow;        // "流量", m3/h
    std::optional<double> ratedHead;        // "扬程", m
    std::optional<double> npshRequired;     // "必需汽蚀余量" at the rated flow, m
    std::optional<double> impellerDiameter; // "叶轮外径", mm
};

// One row of "流扬功".
struct CataloguePoint
{
    double key = std::numeric_limits<double>::quiet_NaN();
    float flow = 0.0f;
    float head = 0.0f;
    float power = 0.0f;
};

// The catalogue in stored order: pumps in catalogue order, points in the order
// of the points table.
struct Catalogue
{
    std::vector<CataloguePump> pumps;
    std::vector<CataloguePoint> points;
    // One per pump when read, else empty.
    std::vector<PumpSheetFields> sheetFields;

    const PumpSheetFields& sheetFieldsOf(std::size_t pumpIndex) const;
};

// What the window keeps of one accepted pump of a design run.
struct DesignCandidate
{
    std::string model;
    float maxFlow = 0.0f;
    float maxHead = 0.0f;
    float maxPower = 0.0f;
    double operatingFlow = 0.0;
    double operatingHead = 0.0;
    double operatingEfficiency = 0.0;
    float bestEfficiency = 0.0f;
    double operatingPower = 0.0;
    std::optional<double> speed;
    CurveFit headFit;  // c3 is f32(c3' + S), the pump's own curve
    CurveFit powerFit;
    CurvePoints points;     // the catalogue points the curves were fitted to
    FitQuality fitQuality;  // of the fits as made from the points
    PumpExtras extras;      // best efficiency, region, and the liquid's, suction's and impeller's figures
    ServiceConditions conditions; // of the run
};

// The values of one stored result row (the calculation time is added when the
// row is written). Figures are already rounded as stored.
struct SelectionResult
{
    std::string method;              // "选型方式": "设计" or "校核"
    double resistance = 0.0;         // "总扬程": the system resistance alone, m
    double flow = 0.0;               // "流量", m3/h
    float staticHead = 0.0f;         // "系统静扬程", m, 32-bit
    std::string model;               // "所选型号"
    float bestEfficiency = 0.0f;     // "水泵最高效率": floor(ηmax) + 1
    double operatingHead = 0.0;      // "实际扬程": floor(10 Hop + 0.5) / 10
    double operatingFlow = 0.0;      // "实际流量": floor(10 Qop + 0.5) / 10
    double operatingEfficiency = 0.0; // "实际效率": floor(ηop)
};

// Where a calculation stopped with one of the program's messages, and which
// control takes the focus afterwards.
struct CalculationStop
{
    enum class Focus { DutyBox, ModelChooser };
    std::string message;
    Focus focus = Focus::DutyBox;
    int dutyBox = 0; // Text1 index when focus is DutyBox
};

// Where a pump's points stand in the points table: the first row with its key
// and the number of rows of the whole table that carry it.
struct PointRun
{
    std::size_t first = 0;
    std::size_t count = 0;
};
using PointRunFinder = std::function<PointRun(double key)>;

// Told now and then how many catalogue pumps a design run has gone through
// (done of total); last with done == total.
using SelectionProgress = std::function<void(std::size_t done, std::size_t total)>;

struct DesignSelection
{
    SelectionRequest request;
    std::vector<DesignCandidate> candidates; // acceptance order; List1 entry k-1 is candidate k
    std::vector<std::string> entries;        // List1 texts, or the single "nothing found" entry
    bool listEnabled = true;
    std::vector<SelectionResult> rows; // one per candidate, for both result tables
    // Every pump the run skipped, in catalogue order, with the first rule it
    // failed; with the candidates it adds up to the catalogue. Empty unless
    // the run was asked for it (RejectedList::Listed).
    std::vector<RejectedPump> rejected;
    ServiceConditions conditions; // as completed for the run
};

struct CheckedPump
{
    SelectionRequest request;
    std::string model;
    std::string pumpType;
    int pointCount = 0;
    float maxFlow = 0.0f;
    float maxHead = 0.0f;
    float maxPower = 0.0f;
    CurveFit headFit; // as the chart draws it: c3 = f32(c3' + S)
    CurveFit powerFit;
    double operatingFlow = 0.0;
    double operatingHead = 0.0;
    double operatingPower = 0.0;
    double operatingEfficiency = 0.0;
    float bestEfficiency = 0.0f;
    std::array<std::string, 5> labels; // Label21 indices 1 to 5
    SelectionResult row;
    CurvePoints points;
    FitQuality fitQuality;
    PumpExtras extras;
    ServiceConditions conditions;
};

// The design selection over the whole catalogue, from the duty texts to the
// accepted pumps and their result rows. Pumps that fail a rule are skipped.
Expected<DesignSelection, CalculationStop> runDesignSelection(const Catalogue& catalogue, const DutyTexts& texts,
                                                              const SelectionProgress& progress = {});
// The same with another way of finding each pump's point run (the default
// builds an index once per run).
Expected<DesignSelection, CalculationStop> runDesignSelection(const Catalogue& catalogue, const DutyTexts& texts,
                                                              const PointRunFinder& findRun,
                                                              const SelectionProgress& progress = {});

// The same with the liquid, the suction and the impeller conditions; with
// none of them given it is the run above, value for value. `list` asks for
// the skipped pumps; the accepted ones are the same either way.
Expected<DesignSelection, CalculationStop> runDesignSelection(const Catalogue& catalogue, const DutyTexts& texts,
                                                              const ServiceConditions& conditions,
                                                              const PointRunFinder& findRun,
                                                              const SelectionProgress& progress = {},
                                                              RejectedList list = RejectedList::Omitted);

Expected<DesignSelection, CalculationStop> runDesignSelection(const Catalogue& catalogue, const DutyTexts& texts,
                                                              const ServiceConditions& conditions,
                                                              const SelectionProgress& progress = {},
                                                              RejectedList list = RejectedList::Omitted);

// The check of one model, either the program's message or the pump shown.
Expected<CheckedPump, CalculationStop> runCheckCalculation(const Catalogue& catalogue, const DutyTexts& texts,
                                                           const std::string& modelText,
                                                           const ServiceConditions& conditions = {});

// The List1 entry of an accepted pump: model, "型 ", "转速", speed, "r/min".
std::string designEntryText(const std::string& model, const std::optional<double>& speed);

// The five operating-parameter labels of a picked design candidate (index 0
// is Label21(1)).
std::array<std::string, 5> operatingParameterLabels(const DesignCandidate& candidate);

} // namespace tarnwick
