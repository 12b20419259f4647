#include "core/varspeed.h"

#include "core/catalogueindex.h"
#include "core/messages.h"
#include "core/motortables.h"
#include "core/numbers.h"
#include "core/selectionrules.h"
#include "core/vectorstate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tarnwick {

namespace {

// The rules of the variable-speed selection, named once.
constexpr int kMaxDutyPumps = 4;
constexpr int kMaxStandbyPumps = 2;
constexpr double kMaxHours = 8760.0;
constexpr double kMaxPrice = 100.0;
constexpr double kMinDensity = 500.0;
constexpr double kMaxDensity = 2000.0;
constexpr double kMinSpeedLow = 10.0; // percent
constexpr double kMinSpeedHigh = 90.0;
constexpr double kMaxSpeedHigh = 100.0;  // percent: the catalogue's curve is the highest one known
constexpr double kWaterDensity = 1000.0; // kg/m3: the pressure units' metres of water
constexpr double kMaxMotorMargin = 2.0;
constexpr double kDefaultSetpointShare = 0.3; // of R
constexpr double kTimeSumTolerance = 1e-6;    // percent
constexpr std::size_t kMaxProfileRows = 20;
constexpr double kLowestEquivalentFlow = 0.1;  // of Qbep
constexpr double kHighestEquivalentFlow = 1.1; // of the largest measured flow
constexpr double kHeadTolerance = 1e-9;        // m
constexpr double kBestFlowTolerance = 1e-6;    // relative to the measured range
constexpr int kBestFlowSamples = 48;
constexpr double kHydraulicPowerFactor = 367.2; // Q H / 367.2 = kW for water, Q in m3/h
constexpr std::size_t kProgressStep = 2048;     // pumps between two progress reports

namespace msg {
constexpr const char* kProfileEmpty = "请输入负荷分布！";
constexpr const char* kProfileTooLong = "负荷分布最多20行！请重新输入。";
constexpr const char* kFlowShare = "负荷点流量比例应在0～100%之间！请重新输入。";
constexpr const char* kTimeShare = "负荷点时间比例应在0～100%之间！请重新输入。";
constexpr const char* kTimeSum = "各负荷点时间比例之和应为100%！请重新输入。";
constexpr const char* kDutyPumps = "工作泵台数应为1～4台！请重新输入。";
constexpr const char* kStandbyPumps = "备用泵台数应为0～2台！请重新输入。";
constexpr const char* kHours = "年运行时间应在0～8760h之间！请重新输入。";
constexpr const char* kPrice = "电价应在0～100元/kWh之间！请重新输入。";
constexpr const char* kDensity = "流体密度应在500～2000kg/m3之间！请重新输入。";
constexpr const char* kMinSpeed = "最低转速比应在10～90%之间！请重新输入。";
constexpr const char* kMaxSpeed = "最高转速比应在最低转速比～100%之间！请重新输入。";
constexpr const char* kMotorMargin = "电机功率储备系数应在1～2之间！请重新输入。";
constexpr const char* kProportionalShare = "比例压差起点应在0～100%之间！请重新输入。";
constexpr const char* kSetpoint = "末端压差设定值应在0～管路阻力之间！请重新输入。";
constexpr const char* kProfileFormat = "负荷分布应写成“流量%:时间%”，各点以逗号分开，如 100:1,75:42,50:45,25:12。";
} // namespace msg

VarSpeedStop stop(const char* message, VarSpeedField field, int row = 0)
{
    return {message, field, row};
}

// A text that is a plain decimal zero: digits (all 0) with at most one point.
bool isZeroNumber(const std::string& text)
{
    bool digit = false;
    bool point = false;
    for (char ch : text) {
        if (ch == '0')
            digit = true;
        else if (ch == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

// Digits, with blanks around them allowed.
bool isDigits(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos)
        return false;
    for (std::size_t i = first; i <= last; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

bool isWhole(double v)
{
    return std::isfinite(v) && std::floor(v) == v;
}

// Speed shares tried for one flow: H at q/r for r from rMin to 1.
double headGap(const CurveFit& head, double q, double target, double r)
{
    return r * r * fitValue(head, q / r) - target;
}

// The power the pumps give the fluid, kW.
double hydraulicPower(const VarSpeedRequest& req, double totalFlow, double head)
{
    return req.density / kWaterDensity * totalFlow * head / kHydraulicPowerFactor;
}

double efficiencyAt(const CurveFit& head, const CurveFit& power, double q)
{
    const double p = fitValue(power, q);
    if (!(p > 0.0))
        return -std::numeric_limits<double>::infinity();
    const double eta = q * fitValue(head, q) / (rules::kEfficiencyPercentFactor * p);
    return std::isfinite(eta) ? eta : -std::numeric_limits<double>::infinity();
}

// The hydraulics of one pump at one total flow with k running: everything
// but the motor and the drive. Nothing when infeasible.
struct Hydraulics
{
    bool feasible = false;
    double head = 0.0;
    double speedShare = 0.0;
    double equivalentFlow = 0.0;
    double pumpEfficiency = 0.0; // fraction
    double shaftPower = 0.0;
    unsigned warnings = 0;
};

Hydraulics hydraulicsAt(const SpeedPumpCurves& c, const VarSpeedRequest& req, double totalFlow, double head, int k)
{
    Hydraulics h;
    const double q = totalFlow / k;
    double r = 0.0;
    h.head = head;
    if (const std::optional<double> solved = solveSpeedShare(c.headFit, q, head, req.minSpeed, req.maxSpeed)) {
        r = *solved;
    } else {
        // Even the minimum speed gives more head than the control asks: the
        // pumps stay at the minimum speed and the valves throttle the rest.
        const double minimumHead = req.minSpeed * req.minSpeed * fitValue(c.headFit, q / req.minSpeed);
        if (!(minimumHead > head) || !std::isfinite(minimumHead))
            return h;
        r = req.minSpeed;
        h.head = minimumHead;
        h.warnings |= kWarnMinimumSpeed;
    }
    const double qe = q / r;
    if (qe < kLowestEquivalentFlow * c.bestEfficiencyFlow || qe > kHighestEquivalentFlow * c.maxFlow)
        return h;
    const double p = fitValue(c.powerFit, qe);
    const double eta = efficiencyAt(c.headFit, c.powerFit, qe);
    if (!(p > 0.0) || !(eta > 0.0) || !std::isfinite(p))
        return h;
    h.feasible = true;
    h.speedShare = r;
    h.equivalentFlow = qe;
    h.pumpEfficiency = eta / 100.0;
    h.shaftPower = r * r * r * p * req.density / kWaterDensity;
    if (qe < c.minFlow)
        h.warnings |= kWarnBelowMeasuredFlows;
    if (qe > c.maxFlow)
        h.warnings |= kWarnAboveMeasuredFlows;
    const double share = qe / c.bestEfficiencyFlow;
    if (share < kPreferredRegionLow || share > kPreferredRegionHigh)
        h.warnings |= kWarnOutsidePreferredRegion;
    return h;
}

// The motor and the converter at one point: the motor's load is the shaft
// power over its rating, the converter's (rated as the motor) the power it
// supplies to the motor over that rating.
VarSpeedPoint pointWithMotor(const SpeedPumpCurves& c, const Hydraulics& h, const VarSpeedRequest& req,
                             double flowShare, double timeShare, double totalFlow, int k, double rating, int poles)
{
    VarSpeedPoint p;
    p.flowShare = flowShare;
    p.timeShare = timeShare;
    p.flow = totalFlow;
    p.head = h.head;
    p.running = k;
    p.speedShare = h.speedShare;
    p.equivalentFlow = h.equivalentFlow;
    p.bestEfficiencyShare = h.equivalentFlow / c.bestEfficiencyFlow;
    p.pumpEfficiency = h.pumpEfficiency;
    p.shaftPower = h.shaftPower;
    p.warnings = h.warnings;
    p.motorEfficiency = motorEfficiency(rating, poles, h.shaftPower / rating);
    const double motorInput = h.shaftPower / p.motorEfficiency;
    p.driveEfficiency = driveEfficiency(rating, motorInput / rating);
    p.inputPower = k * motorInput / p.driveEfficiency;
    p.wireToWaterEfficiency = hydraulicPower(req, totalFlow, h.head) / p.inputPower;
    return p;
}

VarSpeedRejection rejection(const SpeedPumpCurves& c, SpeedRejectionRule rule, double figure)
{
    return {c.catalogueIndex, c.model, rule, figure, 0.0, 0.0, 0.0, 0.0};
}

// The suction at one point of one running pump: the point at speed share r
// is the full-speed curve's point at qe = q/r with every head times r^2, so
// NPSHr is the full speed's at qe, times r^2. Nothing without a suction
// pressure or without the pump's NPSHr.
std::optional<NpshCheck> suctionAt(const SpeedPumpCurves& c, const VarSpeedRequest& req, const Hydraulics& h)
{
    const ServiceConditions& sc = req.conditions;
    if (!sc.suctionAbsolutePressure || !h.feasible)
        return std::nullopt;
    const std::optional<double> required = npshRequired(c.npshRequired, c.ratedFlow, h.equivalentFlow, h.speedShare);
    if (!required)
        return std::nullopt;
    const double available = npshAvailable(*sc.suctionAbsolutePressure, sc.properties.vapourPressure, req.density);
    return checkNpsh(available, *required, sc.npshMarginRatio);
}

bool suctionOk(const std::optional<NpshCheck>& check)
{
    return !check || check->ok;
}

VarSpeedRejection suctionRejection(const SpeedPumpCurves& c, double flowShare, const NpshCheck& check)
{
    VarSpeedRejection r = rejection(c, SpeedRejectionRule::NpshInsufficient, flowShare);
    r.npshAvailable = check.available;
    r.npshNeeded = check.needed;
    return r;
}

// Metres of water (the pressure units' own) as metres of the pumped fluid.
double asFluidHead(double metresOfWater, const std::string& unitText, double density)
{
    if (unitText == "mH2O" || unitText == "mmH2O")
        return metresOfWater;
    const auto& units = PressureUnit::items;
    if (std::find(units.begin(), units.end(), unitText) == units.end())
        return metresOfWater; // a text that names no unit counts as metres, as the duty's reading does
    return metresOfWater * kWaterDensity / density;
}

} // namespace

const char* controlModeName(ControlMode mode)
{
    switch (mode) {
    case ControlMode::ConstantPressure:
        return "定压差";
    case ControlMode::Proportional:
        return "比例压差";
    case ControlMode::CriticalCircuit:
        return "末端压差";
    case ControlMode::SystemCurve:
        return "系统曲线";
    }
    return "";
}

const char* controlModeKeyword(ControlMode mode)
{
    switch (mode) {
    case ControlMode::ConstantPressure:
        return "constant";
    case ControlMode::Proportional:
        return "proportional";
    case ControlMode::CriticalCircuit:
        return "critical";
    case ControlMode::SystemCurve:
        return "system";
    }
    return "";
}

std::optional<ControlMode> controlModeFromKeyword(const std::string& keyword)
{
    for (int i = 0; i < kControlModeCount; ++i) {
        const auto mode = static_cast<ControlMode>(i);
        if (keyword == controlModeKeyword(mode))
            return mode;
    }
    return std::nullopt;
}

const char* speedRejectionRuleCode(SpeedRejectionRule rule)
{
    switch (rule) {
    case SpeedRejectionRule::NoCurve:
        return "no_curve";
    case SpeedRejectionRule::TooSmall:
        return "too_small";
    case SpeedRejectionRule::BeyondCurve:
        return "beyond_curve";
    case SpeedRejectionRule::OutsidePreferredRegion:
        return "outside_preferred_region";
    case SpeedRejectionRule::PartLoadInfeasible:
        return "part_load_infeasible";
    case SpeedRejectionRule::NoMotor:
        return "no_motor";
    case SpeedRejectionRule::ViscosityOutOfRange:
        return "viscosity_out_of_range";
    case SpeedRejectionRule::NpshInsufficient:
        return "npsh_insufficient";
    }
    return "";
}

std::string rejectionText(const VarSpeedRejection& r)
{
    const double figure = r.figure;
    switch (r.rule) {
    case SpeedRejectionRule::NoCurve:
        return "没有可用的性能曲线（" + numberText(figure) + "个性能点）";
    case SpeedRejectionRule::TooSmall:
        return "最高转速下扬程不足（H(Qd/N)＝" + numberText(roundedToTenth(figure)) + "m）";
    case SpeedRejectionRule::BeyondCurve:
        return "单台流量Qd/N＝" + numberText(roundedToTenth(figure)) + "m3/h超出水泵性能曲线（实测流量" +
               numberText(roundedToTenth(r.lowestFlow)) + "～" + numberText(roundedToTenth(r.highestFlow)) +
               "m3/h），扬程不足";
    case SpeedRejectionRule::OutsidePreferredRegion:
        return "设计点不在优先工作区（qe/Qbep＝" + numberText(std::round(figure * 100.0) / 100.0) +
               "，应为0.70～1.20）";
    case SpeedRejectionRule::PartLoadInfeasible:
        return "负荷点无法运行（流量比例" + numberText(std::round(figure * 1000.0) / 10.0) + "%）";
    case SpeedRejectionRule::NoMotor:
        return "所需电机超过315kW（" + numberText(roundedToTenth(figure)) + "kW）";
    case SpeedRejectionRule::ViscosityOutOfRange:
        return std::isfinite(figure) ? "粘度修正参数B＝" + numberText(roundedToTenth(figure)) + "，不小于40"
                                     : std::string("样本没有转速，无法作粘度修正");
    case SpeedRejectionRule::NpshInsufficient:
        return (figure >= 1.0 ? std::string("设计点")
                              : "负荷点（流量比例" + numberText(std::round(figure * 1000.0) / 10.0) + "%）") +
               "汽蚀余量不足（有效" + numberText(std::round(r.npshAvailable * 100.0) / 100.0) + "m，需要" +
               numberText(std::round(r.npshNeeded * 100.0) / 100.0) + "m）";
    }
    return {};
}

const char* motorSourceKeyword(MotorSource source)
{
    return source == MotorSource::Catalogue ? "catalogue" : "sized";
}

std::vector<std::string> warningCodes(unsigned warnings)
{
    static constexpr std::array<const char*, 4> kCodes = {"below_measured_flows", "above_measured_flows",
                                                          "minimum_speed", "outside_preferred_region"};
    std::vector<std::string> codes;
    for (std::size_t i = 0; i < kCodes.size(); ++i) {
        if (warnings & (1u << i))
            codes.emplace_back(kCodes[i]);
    }
    return codes;
}

double fitValue(const CurveFit& fit, double q)
{
    const double c1 = static_cast<double>(fit.c[0]);
    const double c2 = static_cast<double>(fit.c[1]);
    const double c3 = static_cast<double>(fit.c[2]);
    const double c4 = static_cast<double>(fit.c[3]);
    return ((c4 * q + c3) * q + c2) * q + c1;
}

double fitSlope(const CurveFit& fit, double q)
{
    const double c2 = static_cast<double>(fit.c[1]);
    const double c3 = static_cast<double>(fit.c[2]);
    const double c4 = static_cast<double>(fit.c[3]);
    return (3.0 * c4 * q + 2.0 * c3) * q + c2;
}

Expected<std::vector<std::pair<std::string, std::string>>, std::string> parseProfileText(const std::string& text)
{
    using Result = Expected<std::vector<std::pair<std::string, std::string>>, std::string>;
    std::vector<std::pair<std::string, std::string>> rows;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, end - start);
        const std::size_t colon = item.find(':');
        if (colon == std::string::npos || item.find(':', colon + 1) != std::string::npos)
            return Result::failure(msg::kProfileFormat);
        rows.emplace_back(item.substr(0, colon), item.substr(colon + 1));
        start = end + 1;
    }
    return rows;
}

Expected<VarSpeedRequest, VarSpeedStop> readVarSpeedRequest(const VarSpeedTexts& texts)
{
    using Result = Expected<VarSpeedRequest, VarSpeedStop>;
    VarSpeedRequest req;

    // A static head of zero may be typed as any zero ("0.0", "0,0" is not a number).
    DutyTexts dutyTexts = texts.duty;
    if (isZeroNumber(dutyTexts.staticHead))
        dutyTexts.staticHead = "0";
    auto duty = readSelectionRequest(dutyTexts);
    if (!duty) {
        static constexpr std::array<VarSpeedField, 3> boxes = {VarSpeedField::Resistance, VarSpeedField::Flow,
                                                               VarSpeedField::StaticHead};
        return Result::failure({duty.error().message, boxes[static_cast<std::size_t>(duty.error().focusIndex)], 0});
    }
    req.duty = duty.value();
    req.designHead = static_cast<double>(req.duty.staticHead) + req.duty.resistance;
    req.control = texts.control;

    if (texts.profile.empty())
        return Result::failure(stop(msg::kProfileEmpty, VarSpeedField::ProfileFlow, 0));
    if (texts.profile.size() > kMaxProfileRows)
        return Result::failure(stop(msg::kProfileTooLong, VarSpeedField::ProfileFlow, 0));
    double timeSum = 0.0;
    for (std::size_t i = 0; i < texts.profile.size(); ++i) {
        const int row = static_cast<int>(i);
        const double f = Val(texts.profile[i].first);
        const double t = Val(texts.profile[i].second);
        if (!(f > 0.0) || f > 100.0)
            return Result::failure(stop(msg::kFlowShare, VarSpeedField::ProfileFlow, row));
        if (!(t >= 0.0) || t > 100.0)
            return Result::failure(stop(msg::kTimeShare, VarSpeedField::ProfileTime, row));
        timeSum += t;
        req.profile.push_back({f / 100.0, t / 100.0});
    }
    if (std::fabs(timeSum - 100.0) > kTimeSumTolerance)
        return Result::failure(stop(msg::kTimeSum, VarSpeedField::ProfileTime, 0));

    // A count is digits only: a letter would read as 0 and pass for no standby pump.
    const double n = Val(texts.dutyPumps);
    if (!isDigits(texts.dutyPumps) || !isWhole(n) || n < 1.0 || n > kMaxDutyPumps)
        return Result::failure(stop(msg::kDutyPumps, VarSpeedField::DutyPumps));
    req.dutyPumps = static_cast<int>(n);
    const double m = Val(texts.standbyPumps);
    if (!isDigits(texts.standbyPumps) || !isWhole(m) || m < 0.0 || m > kMaxStandbyPumps)
        return Result::failure(stop(msg::kStandbyPumps, VarSpeedField::StandbyPumps));
    req.standbyPumps = static_cast<int>(m);

    req.hours = Val(texts.hours);
    if (!(req.hours > 0.0) || req.hours > kMaxHours)
        return Result::failure(stop(msg::kHours, VarSpeedField::Hours));
    req.price = Val(texts.price);
    if (!(req.price >= 0.0) || req.price > kMaxPrice)
        return Result::failure(stop(msg::kPrice, VarSpeedField::Price));
    req.conditions = texts.conditions;
    if (req.conditions.fluid) {
        // The liquid's tables give its density; the typed one is not read.
        req.density = req.conditions.properties.density;
    } else {
        req.density = Val(texts.density);
        if (!(req.density >= kMinDensity) || req.density > kMaxDensity)
            return Result::failure(stop(msg::kDensity, VarSpeedField::Density));
    }
    const double minSpeed = Val(texts.minSpeed);
    if (!(minSpeed >= kMinSpeedLow) || minSpeed > kMinSpeedHigh)
        return Result::failure(stop(msg::kMinSpeed, VarSpeedField::MinSpeed));
    req.minSpeed = minSpeed / 100.0;
    const double maxSpeed = Val(texts.maxSpeed);
    if (!(maxSpeed > minSpeed) || maxSpeed > kMaxSpeedHigh)
        return Result::failure(stop(msg::kMaxSpeed, VarSpeedField::MaxSpeed));
    req.maxSpeed = maxSpeed / 100.0;
    req.motorMargin = Val(texts.motorMargin);
    if (!(req.motorMargin >= 1.0) || req.motorMargin > kMaxMotorMargin)
        return Result::failure(stop(msg::kMotorMargin, VarSpeedField::MotorMargin));

    // The pressure units measure metres of water; the pumps lift the fluid.
    req.duty.resistance = asFluidHead(req.duty.resistance, texts.duty.resistanceUnit, req.density);
    req.duty.staticHead = static_cast<float>(
        asFluidHead(static_cast<double>(req.duty.staticHead), texts.duty.staticHeadUnit, req.density));
    req.duty.systemCoefficient = req.duty.resistance / (req.duty.flow * req.duty.flow);
    req.designHead = static_cast<double>(req.duty.staticHead) + req.duty.resistance;

    if (req.control == ControlMode::Proportional) {
        const double share = Val(texts.proportionalShare);
        if (!(share >= 0.0) || share > 100.0)
            return Result::failure(stop(msg::kProportionalShare, VarSpeedField::ProportionalShare));
        req.proportionalShare = share / 100.0;
    }
    if (req.control == ControlMode::CriticalCircuit) {
        if (texts.setpoint.empty()) {
            req.setpoint = kDefaultSetpointShare * req.duty.resistance;
        } else {
            req.setpoint = asFluidHead(PressureUnit::toMetresOfWater(Val(texts.setpoint), texts.duty.resistanceUnit),
                                       texts.duty.resistanceUnit, req.density);
            if (!(req.setpoint >= 0.0) || req.setpoint > req.duty.resistance)
                return Result::failure(stop(msg::kSetpoint, VarSpeedField::Setpoint));
        }
    }
    return req;
}

double controlHead(const VarSpeedRequest& req, double flow)
{
    const double hd = req.designHead;
    const double x = flow / req.duty.flow;
    switch (req.control) {
    case ControlMode::ConstantPressure:
        return hd;
    case ControlMode::Proportional: {
        const double h0 = req.proportionalShare * hd;
        return h0 + (hd - h0) * x;
    }
    case ControlMode::CriticalCircuit: {
        const double hmin = static_cast<double>(req.duty.staticHead) + req.setpoint;
        return hmin + (hd - hmin) * (x * x);
    }
    case ControlMode::SystemCurve:
        return static_cast<double>(req.duty.staticHead) + req.duty.systemCoefficient * (flow * flow);
    }
    return hd;
}

double largestFitValue(const CurveFit& fit, double lo, double hi)
{
    // The ends, and where the slope 3 c4 q^2 + 2 c3 q + c2 is zero inside.
    double largest = std::max(fitValue(fit, lo), fitValue(fit, hi));
    const double a = 3.0 * static_cast<double>(fit.c[3]);
    const double b = 2.0 * static_cast<double>(fit.c[2]);
    const double c = static_cast<double>(fit.c[1]);
    std::array<double, 2> roots = {lo, lo};
    if (a != 0.0) {
        const double d = b * b - 4.0 * a * c;
        if (d >= 0.0) {
            const double s = std::sqrt(d);
            roots = {(-b - s) / (2.0 * a), (-b + s) / (2.0 * a)};
        }
    } else if (b != 0.0) {
        roots = {-c / b, -c / b};
    }
    for (double q : roots) {
        if (q > lo && q < hi)
            largest = std::max(largest, fitValue(fit, q));
    }
    return largest;
}

double bestEfficiencyFlow(const CurveFit& head, const CurveFit& power, double minFlow, double maxFlow)
{
    // Coarse samples find the highest hump; a golden-section search refines
    // it between the neighbouring samples.
    const double span = maxFlow - minFlow;
    if (!(span > 0.0))
        return minFlow;
    int best = 0;
    double bestEta = -std::numeric_limits<double>::infinity();
    for (int i = 0; i <= kBestFlowSamples; ++i) {
        const double q = minFlow + span * i / kBestFlowSamples;
        const double eta = efficiencyAt(head, power, q);
        if (eta > bestEta) {
            bestEta = eta;
            best = i;
        }
    }
    double a = minFlow + span * std::max(best - 1, 0) / kBestFlowSamples;
    double b = minFlow + span * std::min(best + 1, kBestFlowSamples) / kBestFlowSamples;
    const double invPhi = (std::sqrt(5.0) - 1.0) / 2.0;
    double x1 = b - invPhi * (b - a);
    double x2 = a + invPhi * (b - a);
    double f1 = efficiencyAt(head, power, x1);
    double f2 = efficiencyAt(head, power, x2);
    while (b - a > kBestFlowTolerance * span) {
        if (f1 < f2) {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + invPhi * (b - a);
            f2 = efficiencyAt(head, power, x2);
        } else {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - invPhi * (b - a);
            f1 = efficiencyAt(head, power, x1);
        }
    }
    return (a + b) / 2.0;
}

std::optional<double> solveSpeedShare(const CurveFit& head, double q, double target, double rMin, double rMax)
{
    // Newton steps kept inside a bracket that always holds the root; a step
    // that leaves it is replaced by the bracket's midpoint.
    double lo = rMin;
    double hi = rMax;
    const double gHi = headGap(head, q, target, hi);
    if (!std::isfinite(gHi) || gHi < -kHeadTolerance)
        return std::nullopt;
    if (std::fabs(gHi) <= kHeadTolerance)
        return hi;
    const double gLo = headGap(head, q, target, lo);
    if (!std::isfinite(gLo) || gLo > kHeadTolerance)
        return std::nullopt;
    if (std::fabs(gLo) <= kHeadTolerance)
        return lo;
    double r = lo + (hi - lo) * (-gLo) / (gHi - gLo);
    for (int i = 0; i < 200; ++i) {
        const double g = headGap(head, q, target, r);
        if (std::fabs(g) <= kHeadTolerance)
            return r;
        if (g < 0.0)
            lo = r;
        else
            hi = r;
        const double x = q / r;
        const double slope = 2.0 * r * fitValue(head, x) - q * fitSlope(head, x);
        double next = r - g / slope;
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        if (next == r || hi - lo <= std::numeric_limits<double>::epsilon() * hi)
            return r;
        r = next;
    }
    return r;
}

namespace {

// The top speed must reach Hd at Qd/N; a head read off the curve beyond the
// measured flows is never quoted. Needs the head fit and the flow range only.
std::optional<VarSpeedRejection> topSpeedShortfall(const SpeedPumpCurves& c, const VarSpeedRequest& req)
{
    const int n = req.dutyPumps;
    const double qd = req.duty.flow;
    const double top = req.maxSpeed;
    const double topFlow = qd / n / top;
    const double topHead = top * top * fitValue(c.headFit, topFlow);
    if (topHead >= req.designHead)
        return std::nullopt;
    if (topFlow < c.minFlow || topFlow > c.maxFlow) {
        VarSpeedRejection r = rejection(c, SpeedRejectionRule::BeyondCurve, qd / n);
        r.lowestFlow = top * c.minFlow;
        r.highestFlow = top * c.maxFlow;
        return r;
    }
    return rejection(c, SpeedRejectionRule::TooSmall, topHead);
}

} // namespace

Expected<SpeedPumpCurves, VarSpeedRejection> preparePumpCurves(const CataloguePump& pump, std::size_t catalogueIndex,
                                                               const std::vector<CataloguePoint>& points, PointRun run,
                                                               const ServiceConditions& conditions,
                                                               const PumpSheetFields* sheet, const VarSpeedRequest* screen)
{
    using Result = Expected<SpeedPumpCurves, VarSpeedRejection>;
    SpeedPumpCurves c;
    c.catalogueIndex = catalogueIndex;
    c.model = pump.model;
    c.type = pump.type;
    c.speed = pump.speed;
    if (pump.motorPower && *pump.motorPower > 0.0 && std::isfinite(*pump.motorPower))
        c.catalogueMotor = pump.motorPower;
    const auto noCurve = [&] {
        return Result::failure(rejection(c, SpeedRejectionRule::NoCurve, static_cast<double>(run.count)));
    };
    if (run.count < 3)
        return noCurve();
    std::optional<CurvePoints> pts = readPointRun(points, run);
    if (!pts)
        return noCurve();
    if (sheet) {
        c.ratedFlow = sheet->ratedFlow;
        c.npshRequired = sheet->npshRequired;
    }
    if (conditions.fluid) {
        // The density stays out of the points: the request's scales every
        // power of the selection alike.
        LiquidPoints liquid = liquidPointsOf(*pts, pump.speed, conditions, false);
        if (liquid.outOfRange)
            return Result::failure(
                rejection(c, SpeedRejectionRule::ViscosityOutOfRange,
                          liquid.correction ? liquid.correction->b : std::numeric_limits<double>::infinity()));
        c.viscosity = liquid.correction;
        pts = std::move(liquid.points);
    }
    const CurveFitPair fits = fitCurves(pts->head, pts->power, pts->flow);
    c.headFit = fits.head;
    c.powerFit = fits.power;
    if (c.headFit.failed() || c.powerFit.failed() || !c.headFit.finite() || !c.powerFit.finite())
        return noCurve();
    const auto [lo, hi] = std::minmax_element(pts->flow.begin(), pts->flow.end());
    c.minFlow = static_cast<double>(*lo);
    c.maxFlow = static_cast<double>(*hi);
    if (!std::isfinite(c.minFlow) || !std::isfinite(c.maxFlow) || !(c.maxFlow > c.minFlow) || c.minFlow < 0.0)
        return noCurve();
    if (screen) {
        if (auto shortfall = topSpeedShortfall(c, *screen))
            return Result::failure(*shortfall);
    }
    c.bestEfficiencyFlow = bestEfficiencyFlow(c.headFit, c.powerFit, c.minFlow, c.maxFlow);
    c.bestEfficiency = efficiencyAt(c.headFit, c.powerFit, c.bestEfficiencyFlow) / 100.0;
    if (!(c.bestEfficiency > 0.0) || !(c.bestEfficiencyFlow > 0.0))
        return noCurve();
    return c;
}

Expected<VarSpeedPump, VarSpeedRejection> evaluateVarSpeedPump(const SpeedPumpCurves& c, const VarSpeedRequest& req)
{
    using Result = Expected<VarSpeedPump, VarSpeedRejection>;
    const int n = req.dutyPumps;
    const double qd = req.duty.flow;
    const double hd = req.designHead;
    const double top = req.maxSpeed;

    if (auto shortfall = topSpeedShortfall(c, req))
        return Result::failure(*shortfall);

    // The design point: N pumps at Qd and Hd, within the preferred region.
    const Hydraulics design = hydraulicsAt(c, req, qd, hd, n);
    if (!design.feasible)
        return Result::failure(rejection(c, SpeedRejectionRule::PartLoadInfeasible, 1.0));
    const double preferred = design.equivalentFlow / c.bestEfficiencyFlow;
    if (preferred < kPreferredRegionLow || preferred > kPreferredRegionHigh)
        return Result::failure(rejection(c, SpeedRejectionRule::OutsidePreferredRegion, preferred));

    // The load points: every running count that can run; the motor decides
    // which of them is cheapest.
    constexpr int kMaxK = 4;
    std::vector<std::array<Hydraulics, kMaxK>> options(req.profile.size());
    std::vector<double> flows(req.profile.size());
    for (std::size_t i = 0; i < req.profile.size(); ++i) {
        flows[i] = req.profile[i].flowShare * qd;
        const double head = controlHead(req, flows[i]);
        bool any = false;
        for (int k = 1; k <= n; ++k) {
            options[i][static_cast<std::size_t>(k - 1)] = hydraulicsAt(c, req, flows[i], head, k);
            any = any || options[i][static_cast<std::size_t>(k - 1)].feasible;
        }
        if (!any)
            return Result::failure(rejection(c, SpeedRejectionRule::PartLoadInfeasible, req.profile[i].flowShare));
    }

    // The motor: one pump may run alone at the top speed anywhere on its
    // curve (hand mode, bypass, a sensor fault), so it covers the largest
    // shaft power there, with the margin; a larger catalogue motor stays.
    VarSpeedPump pump;
    pump.curves = c;
    pump.dutyPumps = n;
    pump.standbyPumps = req.standbyPumps;
    pump.motorPoles = c.speed && *c.speed > kTwoPoleSpeedLimit ? 2 : 4;
    pump.topSpeedPower =
        top * top * top * largestFitValue(c.powerFit, c.minFlow, c.maxFlow) * req.density / kWaterDensity;
    const double required = req.motorMargin * pump.topSpeedPower;
    const double sized = smallestStandardRating(required);
    if (c.catalogueMotor && *c.catalogueMotor >= required && !(sized > *c.catalogueMotor)) {
        pump.motorRating = *c.catalogueMotor;
        pump.motorSource = MotorSource::Catalogue;
    } else if (sized > 0.0) {
        pump.motorRating = sized;
        pump.motorSource = MotorSource::Sized;
    } else {
        return Result::failure(rejection(c, SpeedRejectionRule::NoMotor, required));
    }

    // No point may load the motor beyond its rating (a point beyond the
    // measured flows can).
    const auto fits = [&](const Hydraulics& h) { return h.feasible && h.shaftPower <= pump.motorRating; };
    if (!fits(design))
        return Result::failure(rejection(c, SpeedRejectionRule::PartLoadInfeasible, 1.0));
    const std::optional<NpshCheck> designSuction = suctionAt(c, req, design);
    if (!suctionOk(designSuction))
        return Result::failure(suctionRejection(c, 1.0, *designSuction));
    pump.design = pointWithMotor(c, design, req, 1.0, 0.0, qd, n, pump.motorRating, pump.motorPoles);
    pump.design.npsh = designSuction;
    double hydraulicEnergy = 0.0;
    for (std::size_t i = 0; i < req.profile.size(); ++i) {
        VarSpeedPoint best;
        bool found = false;
        // A running count short of suction is no option; the point fails on
        // suction only when that is all that stops it.
        std::optional<NpshCheck> shortOfSuction;
        for (int k = 1; k <= n; ++k) {
            const Hydraulics& h = options[i][static_cast<std::size_t>(k - 1)];
            if (!fits(h))
                continue;
            const std::optional<NpshCheck> suction = suctionAt(c, req, h);
            if (!suctionOk(suction)) {
                if (!shortOfSuction)
                    shortOfSuction = suction;
                continue;
            }
            VarSpeedPoint p = pointWithMotor(c, h, req, req.profile[i].flowShare, req.profile[i].timeShare, flows[i], k,
                                             pump.motorRating, pump.motorPoles);
            p.npsh = suction;
            if (!found || p.inputPower < best.inputPower) {
                best = p;
                found = true;
            }
        }
        if (!found && shortOfSuction)
            return Result::failure(suctionRejection(c, req.profile[i].flowShare, *shortOfSuction));
        if (!found)
            return Result::failure(rejection(c, SpeedRejectionRule::PartLoadInfeasible, req.profile[i].flowShare));
        pump.annualEnergy += best.timeShare * best.inputPower;
        hydraulicEnergy += best.timeShare * hydraulicPower(req, best.flow, best.head);
        if (best.warnings & kWarnOutsidePreferredRegion)
            pump.timeOutsidePreferredRegion += best.timeShare;
        pump.points.push_back(best);
    }
    pump.weightedEfficiency = pump.annualEnergy > 0.0 ? hydraulicEnergy / pump.annualEnergy : 0.0;
    pump.annualEnergy *= req.hours;
    pump.annualCost = pump.annualEnergy * req.price;
    return pump;
}

VarSpeedSelection runVarSpeedSelection(const Catalogue& catalogue, const VarSpeedRequest& request,
                                       const VarSpeedProgress& progress, RejectedList list)
{
    const bool listRejected = list == RejectedList::Listed;
    VarSpeedSelection selection;
    selection.request = request;
    const CatalogueIndex index(catalogue.points);
    releaseVectorState();
    const std::size_t total = catalogue.pumps.size();
    for (std::size_t i = 0; i < total; ++i) {
        if (progress && i % kProgressStep == 0 && !progress(i, total)) {
            selection.cancelled = true;
            return selection;
        }
        const CataloguePump& pump = catalogue.pumps[i];
        auto curves = preparePumpCurves(pump, i, catalogue.points, index.runOf(pump.key), request.conditions,
                                        &catalogue.sheetFieldsOf(i), listRejected ? nullptr : &request);
        if (!curves) {
            if (listRejected)
                selection.rejected.push_back(curves.error());
            continue;
        }
        auto evaluated = evaluateVarSpeedPump(curves.value(), request);
        if (evaluated)
            selection.accepted.push_back(std::move(evaluated).value());
        else if (listRejected)
            selection.rejected.push_back(evaluated.error());
    }
    std::stable_sort(selection.accepted.begin(), selection.accepted.end(),
                     [](const VarSpeedPump& a, const VarSpeedPump& b) { return a.annualEnergy < b.annualEnergy; });
    if (!selection.accepted.empty()) {
        const double best = selection.accepted.front().annualEnergy;
        for (VarSpeedPump& p : selection.accepted)
            p.aboveBest = best > 0.0 ? (p.annualEnergy - best) / best : 0.0;
    }
    return selection;
}

Expected<Expected<VarSpeedPump, VarSpeedRejection>, VarSpeedStop>
evaluateVarSpeedModel(const Catalogue& catalogue, const VarSpeedRequest& request, const std::string& model)
{
    using Outcome = Expected<VarSpeedPump, VarSpeedRejection>;
    using Result = Expected<Outcome, VarSpeedStop>;
    for (std::size_t i = 0; i < catalogue.pumps.size(); ++i) {
        const CataloguePump& pump = catalogue.pumps[i];
        if (pump.model != model)
            continue;
        auto curves = preparePumpCurves(pump, i, catalogue.points, literalPointRun(catalogue.points, pump.key),
                                        request.conditions, &catalogue.sheetFieldsOf(i));
        if (!curves)
            return Result(Outcome::failure(curves.error()));
        return Result(evaluateVarSpeedPump(curves.value(), request));
    }
    return Result::failure({text::kChooseModelFromList, VarSpeedField::Model, 0});
}

} // namespace tarnwick
