#pragma once

#include "core/curvefit.h"
#include "core/expected.h"
#include "core/selection.h"
#include "core/units.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick {

// How the speed of the pumps is controlled: the head they must deliver at a
// flow.
enum class ControlMode {
    ConstantPressure, // 定压差: Hc = Hd
    Proportional,     // 比例压差: Hc = H0 + (Hd - H0) Q/Qd
    CriticalCircuit,  // 末端压差: Hc = Hmin + (Hd - Hmin) (Q/Qd)^2
    SystemCurve,      // 系统曲线: Hc = Hst + S Q^2
};
inline constexpr int kControlModeCount = 4;
const char* controlModeName(ControlMode mode);    // the chooser's Chinese text
const char* controlModeKeyword(ControlMode mode); // constant, proportional, critical, system
std::optional<ControlMode> controlModeFromKeyword(const std::string& keyword);

// The inputs as the engineer typed them. Shares are in percent; the setpoint
// is in the unit of the resistance box; an empty setpoint means 30 % of R.
struct VarSpeedTexts
{
    DutyTexts duty;
    ControlMode control = ControlMode::ConstantPressure;
    std::vector<std::pair<std::string, std::string>> profile = {{"100", "1"}, {"75", "42"}, {"50", "45"}, {"25", "12"}};
    std::string dutyPumps = "2";
    std::string standbyPumps = "1";
    std::string hours = "4000";
    std::string price = "1.0";
    std::string density = "1000";
    std::string minSpeed = "30";
    std::string maxSpeed = "100";
    std::string motorMargin = "1.15";
    std::string proportionalShare = "50";
    std::string setpoint;
    // The liquid and the suction, completed (nothing given: the catalogue's
    // water at the density typed, no NPSH check). A liquid brings its own
    // density in place of the typed one.
    ServiceConditions conditions;
};

// The box a bad entry sends the focus to.
enum class VarSpeedField {
    Resistance,
    Flow,
    StaticHead,
    ProfileFlow, // row in `row`
    ProfileTime, // row in `row`
    DutyPumps,
    StandbyPumps,
    Hours,
    Price,
    Density,
    MinSpeed,
    MaxSpeed,
    MotorMargin,
    ProportionalShare,
    Setpoint,
    Model,
};

struct VarSpeedStop
{
    std::string message;
    VarSpeedField field = VarSpeedField::Resistance;
    int row = 0;
};

struct LoadShare
{
    double flowShare = 0.0; // of Qd, fraction
    double timeShare = 0.0; // fraction
};

// The validated inputs in working units (m3/h, fractions, and heads in metres
// of the pumped fluid: a resistance, static head or setpoint typed as a
// pressure is converted with the fluid's density).
struct VarSpeedRequest
{
    SelectionRequest duty;
    double designHead = 0.0; // Hd = Hst + R
    ControlMode control = ControlMode::ConstantPressure;
    std::vector<LoadShare> profile;
    int dutyPumps = 2;
    int standbyPumps = 1;
    double hours = 4000.0;
    double price = 1.0;
    double density = 1000.0;
    double minSpeed = 0.3;
    double maxSpeed = 1.0; // the converter's top speed, share of the catalogue speed
    double motorMargin = 1.15;
    double proportionalShare = 0.5;
    double setpoint = 0.0; // m
    ServiceConditions conditions;
};

// Reads and checks every entry; the first bad one stops with its message.
Expected<VarSpeedRequest, VarSpeedStop> readVarSpeedRequest(const VarSpeedTexts& texts);

// "100:1,75:42,50:45,25:12" (flow %:time %) into its text pairs.
Expected<std::vector<std::pair<std::string, std::string>>, std::string> parseProfileText(const std::string& text);

// The head the running pumps must deliver at total flow Q.
double controlHead(const VarSpeedRequest& request, double flow);

// A cubic fit evaluated in 64-bit.
double fitValue(const CurveFit& fit, double q);
double fitSlope(const CurveFit& fit, double q);

// Warnings a feasible point can carry (bits).
enum VarSpeedWarning : unsigned {
    kWarnBelowMeasuredFlows = 1u,     // qe below the smallest measured flow
    kWarnAboveMeasuredFlows = 2u,     // qe above the largest measured flow
    kWarnMinimumSpeed = 4u,           // run at the minimum speed, the valves throttle the excess head
    kWarnOutsidePreferredRegion = 8u, // qe/Qbep outside 0.70-1.20
};
// The warnings' codes (below_measured_flows, ...), in bit order.
std::vector<std::string> warningCodes(unsigned warnings);

// The preferred operating region of ANSI/HI 9.6.3-2012 (section 9.6.3.1):
// 70 % to 120 % of the best-efficiency flow for most rotodynamic pumps.
inline constexpr double kPreferredRegionLow = 0.70;
inline constexpr double kPreferredRegionHigh = 1.20;

// One operating point of a pump set: the design point or a load point.
struct VarSpeedPoint
{
    double flowShare = 0.0;
    double timeShare = 0.0;
    double flow = 0.0; // total, m3/h
    double head = 0.0; // the pumps' head: Hc(Q), or the minimum-speed curve's when that is higher, m
    int running = 0;   // k
    double speedShare = 0.0;
    double equivalentFlow = 0.0;      // qe = q/r of one pump, m3/h
    double bestEfficiencyShare = 0.0; // qe/Qbep
    double pumpEfficiency = 0.0;      // fraction
    double shaftPower = 0.0;          // one running pump, kW
    double motorEfficiency = 0.0;
    double driveEfficiency = 0.0;
    double inputPower = 0.0; // all running pumps, kW
    double wireToWaterEfficiency = 0.0;
    unsigned warnings = 0;
    std::optional<NpshCheck> npsh; // with a suction pressure and the pump's NPSHr
};

// The curves of one catalogue pump as the variable-speed selection uses them.
struct SpeedPumpCurves
{
    std::size_t catalogueIndex = 0;
    std::string model;
    std::string type;
    std::optional<double> speed;
    CurveFit headFit;
    CurveFit powerFit;
    double minFlow = 0.0; // measured
    double maxFlow = 0.0;
    double bestEfficiencyFlow = 0.0;
    double bestEfficiency = 0.0;          // fraction
    std::optional<double> catalogueMotor; // "电动机功率", kW
    // The data sheet's suction figures, for the NPSH check.
    std::optional<double> ratedFlow;    // m3/h
    std::optional<double> npshRequired; // m, at the rated flow and full speed
    // With a liquid: the correction the curves above already carry.
    std::optional<ViscosityCorrection> viscosity;
};

enum class SpeedRejectionRule {
    NoCurve,
    TooSmall,
    BeyondCurve,
    OutsidePreferredRegion,
    PartLoadInfeasible,
    NoMotor,
    ViscosityOutOfRange,
    NpshInsufficient,
};
const char* speedRejectionRuleCode(SpeedRejectionRule rule); // no_curve, too_small, beyond_curve, ...

struct VarSpeedRejection
{
    std::size_t catalogueIndex = 0;
    std::string model;
    SpeedRejectionRule rule = SpeedRejectionRule::NoCurve;
    // no_curve: points of the pump; too_small: the top speed's head at Qd/N,
    // m (a flow within the measured ones); beyond_curve: Qd/N in m3/h, a flow
    // outside the measured ones at the top speed; outside_preferred_region:
    // design qe/Qbep; part_load_infeasible: flow share of the first
    // infeasible load point (1 for the design point); no_motor: the shaft
    // power to cover with the margin, kW; viscosity_out_of_range: B (infinite
    // without a speed); npsh_insufficient: flow share of the first point
    // short of suction (1 for the design point).
    double figure = 0.0;
    // The measured flows at the top speed (beyond_curve), m3/h.
    double lowestFlow = 0.0;
    double highestFlow = 0.0;
    // The suction at that point (npsh_insufficient), m.
    double npshAvailable = 0.0;
    double npshNeeded = 0.0;
};
// The rule and its figure in Chinese words, for the window, the report and
// the tool's reason.
std::string rejectionText(const VarSpeedRejection& rejection);

enum class MotorSource { Catalogue, Sized };
const char* motorSourceKeyword(MotorSource source); // catalogue, sized

struct VarSpeedPump
{
    SpeedPumpCurves curves;
    int dutyPumps = 0;
    int standbyPumps = 0;
    // The motor never overloads at the top speed: the larger of the
    // catalogue's motor and the smallest standard rating of at least the
    // margin times the largest shaft power on the top speed's curve.
    double motorRating = 0.0; // kW
    MotorSource motorSource = MotorSource::Sized;
    double topSpeedPower = 0.0; // the largest shaft power of one pump on the top speed's curve, kW
    int motorPoles = 4;
    VarSpeedPoint design;
    std::vector<VarSpeedPoint> points; // in profile order
    double annualEnergy = 0.0;         // kWh
    double annualCost = 0.0;
    // The year's hydraulic energy over its electrical energy,
    // sum t rho g Q H / sum t Pin.
    double weightedEfficiency = 0.0;
    double timeOutsidePreferredRegion = 0.0; // share of the year
    double aboveBest = 0.0;                  // annual energy above the ranking's best, fraction
};

struct VarSpeedSelection
{
    VarSpeedRequest request;
    std::vector<VarSpeedPump> accepted;      // ranking order
    std::vector<VarSpeedRejection> rejected; // catalogue order; empty unless asked for
    bool cancelled = false;                  // stopped on request: the lists are incomplete
};

// Told how many pumps of how many are done; returning false stops the run.
using VarSpeedProgress = std::function<bool(std::size_t done, std::size_t total)>;

// The minimum rules: the design's point and fit rules. Nothing on failure
// (the reason is then NoCurve and the point count). With a liquid in
// `conditions` the curves are the liquid's (viscosity corrected, still per
// 1000 kg/m3: the request's density scales the power); a pump beyond the
// correction fails as ViscosityOutOfRange. `sheet` gives the suction figures.
// With `screen`, a pump whose top speed cannot carry that request's duty fails
// as evaluateVarSpeedPump would fail it, before the search for its best flow:
// the pumps that pass are the same, but a pump that fails both ways may give
// the other reason, so a run that lists its skipped pumps does not screen.
Expected<SpeedPumpCurves, VarSpeedRejection> preparePumpCurves(const CataloguePump& pump, std::size_t catalogueIndex,
                                                               const std::vector<CataloguePoint>& points, PointRun run,
                                                               const ServiceConditions& conditions = {},
                                                               const PumpSheetFields* sheet = nullptr,
                                                               const VarSpeedRequest* screen = nullptr);

// The flow of the highest fitted efficiency within [minFlow, maxFlow].
double bestEfficiencyFlow(const CurveFit& head, const CurveFit& power, double minFlow, double maxFlow);

// The speed share r in [rMin, rMax] with r^2 H(q/r) = target (to 1e-9 m), or
// nothing when no root is bracketed there.
std::optional<double> solveSpeedShare(const CurveFit& head, double q, double target, double rMin, double rMax = 1.0);

// The largest value of a fitted cubic over [lo, hi].
double largestFitValue(const CurveFit& fit, double lo, double hi);

// One pump set against the request: accepted with its figures, or the first
// rule it fails.
Expected<VarSpeedPump, VarSpeedRejection> evaluateVarSpeedPump(const SpeedPumpCurves& curves,
                                                               const VarSpeedRequest& request);

// Every catalogue pump, ranked by annual energy (ties: catalogue order); the
// pumps that fail are listed only when `list` asks for them.
VarSpeedSelection runVarSpeedSelection(const Catalogue& catalogue, const VarSpeedRequest& request,
                                       const VarSpeedProgress& progress = {},
                                       RejectedList list = RejectedList::Omitted);

// One model alone, as the check does: its figures, or why it fails (the
// model not found stops with the program's message).
Expected<Expected<VarSpeedPump, VarSpeedRejection>, VarSpeedStop>
evaluateVarSpeedModel(const Catalogue& catalogue, const VarSpeedRequest& request, const std::string& model);

} // namespace tarnwick
