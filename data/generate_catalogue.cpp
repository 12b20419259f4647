// Generates the demonstration pump catalogue shipped with the program:
// catalogue/pumps.csv (the data sheet, one row per pump) and
// catalogue/points.csv (each pump's curve points, one run per pump).
//
// No maker's performance tables were at hand, so no figure here is copied
// from one. Every pump is computed from the model below: standard size
// designations, a head coefficient and a flange velocity for the
// best-efficiency point, non-dimensional head and efficiency characteristics,
// and simple proportional rules for the data-sheet extras. data/README.md
// states the same model in prose.
//
// The output is deterministic: the same source gives byte-identical files
// (numbers are printed with std::to_chars, independent of the locale).
//
// Usage: tarnwick-catalogue-gen --out-dir DIR

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <numbers>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Constants of the model
// ---------------------------------------------------------------------------

constexpr double kGravity = 9.81; // m/s2

// Head coefficient at best efficiency: H_bep = psi * u2^2 / (2 g), with the
// impeller tip speed u2 = pi * D2 * n / 60. Radial impellers of low and
// medium specific speed run at psi of about 1.0 to 1.1; one value serves the
// whole catalogue.
constexpr double kHeadCoefficient = 1.05;

// Best-efficiency flow = reference velocity * flange area, the velocity
// scaling with speed like every flow (affinity law Q ~ n). The velocities are
// the values at 2900 r/min:
//  - end-suction IS pumps: in the discharge nozzle (the smaller flange);
//  - in-line ISG pumps: in the common suction/discharge flange, which is
//    sized like a suction branch and so runs slower;
//  - double-suction S pumps: in the suction flange.
constexpr double kReferenceSpeed = 2900.0;   // r/min
constexpr double kDischargeVelocityIS = 4.5; // m/s
constexpr double kFlangeVelocityISG = 3.5;   // m/s
constexpr double kSuctionVelocityS = 3.0;    // m/s

// Head characteristic, x = Q / Q_bep: H / H_bep = a + b x + c x^2 with a the
// shut-off head ratio and a + b + c = 1 so that the curve passes through the
// best-efficiency point.
constexpr double kHeadA = 1.20;
constexpr double kHeadB = 0.0;
constexpr double kHeadC = 1.0 - kHeadA - kHeadB; // -0.20

// Efficiency characteristic: eta / eta_bep = 2 x - x^2 (peak 1 at x = 1).
double efficiencyRatio(double x)
{
    return 2.0 * x - x * x;
}

// The curve points, as fractions of the best-efficiency flow.
constexpr std::array<double, 7> kPointFractions = {0.40, 0.55, 0.70, 0.85, 1.00, 1.15, 1.30};

// Best efficiency:
//   eta_bep = 0.85 - 0.09 log10(1000 / Q) - 0.5 (log10(nq / 35))^2
//             + type allowance - 0.3 (1 - t)
// Q in m3/h (the whole flow); nq = n sqrt(Q_eye) / H^0.75 with Q_eye in m3/s
// per impeller eye; t the trim ratio D2 / D2,full. Small pumps and pumps far
// from nq = 35 lose efficiency; a trimmed impeller loses a little more. The
// result is kept within 0.35 .. 0.88.
constexpr double kEtaLarge = 0.85;
constexpr double kEtaSizeSlope = 0.09;
constexpr double kEtaShapeWeight = 0.5;
constexpr double kEtaBestNq = 35.0;
constexpr double kEtaTrimLoss = 0.3;
constexpr double kEtaMin = 0.35;
constexpr double kEtaMax = 0.88;

// Trimmed impellers: the A and B variants of every size, with the impeller
// turned down to these fractions of the full diameter. Trimming follows the
// affinity rules for diameter: Q ~ t, H ~ t^2, so three heads per size step
// (1, 0.865, 0.740 of the full head) fill the gap to the next size (0.64).
struct Trim
{
    std::string_view suffix;
    double ratio;
};
constexpr std::array<Trim, 3> kTrims = {{{"", 1.00}, {"A", 0.93}, {"B", 0.86}}};

// A size is built at a speed when its full-impeller best-efficiency head lies
// within this band and its motor is in the list below.
constexpr double kMinRatedHead = 6.0;   // m
constexpr double kMaxRatedHead = 100.0; // m

// Standard motor sizes, kW.
constexpr std::array<double, 25> kMotorSizes = {0.55, 0.75, 1.1, 1.5, 2.2, 3,  4,   5.5, 7.5, 11,  15,  18.5, 22,
                                                30,   37,   45,  55,  75,  90, 110, 132, 160, 185, 200, 250};

// Motor margin over the largest shaft power on the curve (at 130 % flow).
double motorMargin(double maxShaftPower)
{
    if (maxShaftPower <= 4.0)
        return 1.25;
    if (maxShaftPower <= 30.0)
        return 1.15;
    return 1.10;
}

// Required NPSH from the suction specific speed C = 5.62 n sqrt(Q_eye) / NPSHr^0.75
// (Q_eye in m3/s per impeller eye), so NPSHr = (5.62 n sqrt(Q_eye) / C)^(4/3).
constexpr double kSuctionSpecificSpeed = 800.0;       // single-suction impellers
constexpr double kSuctionSpecificSpeedDouble = 900.0; // double-suction impellers
// Small slow pumps would come out below this; inlet and seal losses keep real
// values above it.
constexpr double kMinNpshr = 1.5; // m

// Shaft power, kW: N = Q H / (367.2 eta) for Q in m3/h, H in m, water at
// 1000 kg/m3 (367.2 = 3600 * 1000 / (1000 * 9.81) rounded as customary).
constexpr double kPowerDivisor = 367.2;

// ---------------------------------------------------------------------------
// Pump types and sizes
// ---------------------------------------------------------------------------

enum class Kind { EndSuction, InLine, DoubleSuction };

struct PumpType
{
    Kind kind;
    std::string_view text;      // "水泵类型"
    double efficiencyAllowance; // added to eta_bep
};

constexpr PumpType kEndSuction{Kind::EndSuction, "IS型单级单吸离心泵", 0.0};
// In-line casings turn the flow twice; they lose two points to end-suction pumps.
constexpr PumpType kInLine{Kind::InLine, "ISG型立式管道离心泵", -0.02};
// A double-suction impeller of the same flow has smaller eyes and a better
// inlet; it gains two points.
constexpr PumpType kDoubleSuction{Kind::DoubleSuction, "S型单级双吸中开离心泵", 0.02};

struct Size
{
    int suctionDN;   // mm
    int dischargeDN; // mm
    int impeller;    // nominal impeller diameter D2, mm
};

// End-suction sizes, designated suction-discharge-impeller (IS80-65-160).
constexpr std::array<Size, 29> kEndSuctionSizes = {{
    {50, 32, 125},   {50, 32, 160},   {50, 32, 200},   {50, 32, 250},   {65, 50, 125},   {65, 50, 160},
    {65, 40, 200},   {65, 40, 250},   {65, 40, 315},   {80, 65, 125},   {80, 65, 160},   {80, 50, 200},
    {80, 50, 250},   {80, 50, 315},   {100, 80, 125},  {100, 80, 160},  {100, 65, 200},  {100, 65, 250},
    {100, 65, 315},  {125, 100, 200}, {125, 100, 250}, {125, 100, 315}, {125, 100, 400}, {150, 125, 250},
    {150, 125, 315}, {150, 125, 400}, {200, 150, 250}, {200, 150, 315}, {200, 150, 400},
}};

// In-line sizes, designated flange-impeller (ISG80-160); both flanges alike.
constexpr std::array<Size, 38> kInLineSizes = {{
    {40, 40, 100},   {40, 40, 125},   {40, 40, 160},   {40, 40, 200},   {50, 50, 100},   {50, 50, 125},
    {50, 50, 160},   {50, 50, 200},   {50, 50, 250},   {65, 65, 100},   {65, 65, 125},   {65, 65, 160},
    {65, 65, 200},   {65, 65, 250},   {80, 80, 125},   {80, 80, 160},   {80, 80, 200},   {80, 80, 250},
    {80, 80, 315},   {100, 100, 125}, {100, 100, 160}, {100, 100, 200}, {100, 100, 250}, {100, 100, 315},
    {125, 125, 160}, {125, 125, 200}, {125, 125, 250}, {125, 125, 315}, {125, 125, 400}, {150, 150, 160},
    {150, 150, 200}, {150, 150, 250}, {150, 150, 315}, {150, 150, 400}, {200, 200, 200}, {200, 200, 250},
    {200, 200, 315}, {200, 200, 400},
}};

// Double-suction sizes, designated suction DN, "S", rated head in metres of
// the full impeller (150S50); the discharge is one flange size smaller.
constexpr std::array<Size, 18> kDoubleSuctionSizes = {{
    {100, 80, 200},
    {100, 80, 250},
    {125, 100, 200},
    {125, 100, 250},
    {150, 125, 250},
    {150, 125, 315},
    {150, 125, 400},
    {200, 150, 250},
    {200, 150, 315},
    {200, 150, 400},
    {250, 200, 250},
    {250, 200, 315},
    {250, 200, 400},
    {300, 250, 250},
    {300, 250, 315},
    {300, 250, 400},
    {350, 300, 315},
    {350, 300, 400},
}};

constexpr std::array<double, 2> kSpeeds = {2900.0, 1450.0};

// A 1450 r/min (four-pole) unit carries this suffix, so that the same size at
// both speeds has two distinct model texts.
constexpr std::string_view kFourPoleSuffix = "/4";

// ---------------------------------------------------------------------------
// Number formatting
// ---------------------------------------------------------------------------

std::string fixed(double value, int decimals)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    if (text.find_first_not_of("-0.") == std::string::npos)
        text = decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0"; // no "-0.0"
    return text;
}

std::string shortest(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Whole millimetres rounded to 5 mm, as dimension drawings give them.
int roundTo5(double mm)
{
    return static_cast<int>(std::lround(mm / 5.0)) * 5;
}

// RFC 4180 quoting: only fields holding a comma, a quote or a line break.
std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\n\r") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

// ---------------------------------------------------------------------------
// The model
// ---------------------------------------------------------------------------

double flangeArea(int dn)
{
    const double d = dn / 1000.0;
    return std::numbers::pi / 4.0 * d * d;
}

double motorSize(double shaftPower)
{
    const double needed = shaftPower * motorMargin(shaftPower);
    for (double size : kMotorSizes) {
        if (size >= needed)
            return size;
    }
    return 0.0; // none large enough
}

// Motor proportions from its rated power; four-pole motors of the same power
// are a frame larger.
struct Motor
{
    double length;      // mm
    double shaftHeight; // mm
    double weight;      // kg
};

Motor motorFor(double power, bool fourPole)
{
    const double frame = fourPole ? 1.1 : 1.0;
    return {(200.0 + 160.0 * std::pow(power, 0.38)) * frame, (55.0 + 35.0 * std::pow(power, 0.4)) * frame,
            13.0 * std::pow(power, 0.85) * (fourPole ? 1.25 : 1.0)};
}

std::string anchorBolts(int count, double unitWeight)
{
    const char* size = unitWeight < 200.0 ? "M16" : unitWeight < 600.0 ? "M20" : "M24";
    return std::to_string(count) + "-" + size;
}

struct Pump
{
    int key = 0;
    std::string type;
    std::string model;
    double speed = 0.0;
    double ratedFlow = 0.0;
    double ratedHead = 0.0;
    double ratedPower = 0.0;
    double motorPower = 0.0;
    double npshr = 0.0;
    int impeller = 0;
    double weight = 0.0;
    std::string dimensions;
    std::vector<std::array<double, 3>> points; // flow, head, shaft power
};

std::string modelText(const PumpType& type, const Size& size, double fullHead, const Trim& trim, bool fourPole)
{
    std::string text;
    switch (type.kind) {
    case Kind::EndSuction:
        text = "IS" + std::to_string(size.suctionDN) + "-" + std::to_string(size.dischargeDN) + "-" +
               std::to_string(size.impeller);
        break;
    case Kind::InLine:
        text = "ISG" + std::to_string(size.suctionDN) + "-" + std::to_string(size.impeller);
        break;
    case Kind::DoubleSuction:
        text = std::to_string(size.suctionDN) + "S" + std::to_string(std::lround(fullHead));
        break;
    }
    text += trim.suffix;
    if (fourPole)
        text += kFourPoleSuffix;
    return text;
}

// The installation dimensions and the unit weight. The letters are those of
// the type's installation drawing (schematics/*.svg).
void addInstallation(Pump& pump, const PumpType& type, const Size& size, bool fourPole)
{
    const double d = size.impeller;
    const double dnS = size.suctionDN;
    const double dnD = size.dischargeDN;
    const Motor motor = motorFor(pump.motorPower, fourPole);
    // Bare pump: grows with the impeller and, more slowly, with the branch size.
    double pumpWeight = 22.0 * std::pow(d / 100.0, 1.6) * std::pow(dnS / 100.0, 0.4);

    std::string text = "单位：mm\n";
    auto line = [&text](std::string_view letter, double mm) {
        text += std::string(letter) + "=" + std::to_string(roundTo5(mm)) + "\n";
    };

    if (type.kind == Kind::InLine) {
        // Vertical unit: the motor stands on the pump; the pipe axis runs
        // through the casing above the foot.
        pumpWeight *= 0.9;
        const double l = 1.3 * d + 1.6 * dnS + 80.0; // flange face to flange face
        const double h1 = 0.55 * d + dnS + 60.0;     // pipe axis above the foundation
        const double casingTop = 0.45 * d + 40.0;
        const double lantern = 120.0 + 0.3 * d; // motor stool
        const double height = h1 + casingTop + lantern + motor.length;
        const double b = 0.9 * d + 1.2 * dnS + 60.0; // foot width
        pump.weight = pumpWeight + motor.weight;
        line("L", l);
        line("H", height);
        line("H1", h1);
        line("B", b);
        text += "进出口法兰DN" + std::to_string(size.suctionDN) + "\n";
        text += "地脚螺栓" + anchorBolts(4, pump.weight);
    } else {
        // Horizontal unit: pump and motor on one base, joined by a coupling.
        const bool split = type.kind == Kind::DoubleSuction;
        if (split)
            pumpWeight *= 1.8;
        const double pumpShaftHeight = split ? 0.55 * d + 0.6 * dnS + 40.0 : 0.8 * d + 30.0;
        const double pumpLength = split ? 1.6 * d + 250.0 : 1.4 * d + 150.0 + 0.5 * dnS;
        const double coupling = split ? 120.0 : 100.0;
        const double l = pumpLength + coupling + motor.length; // free end of the pump to the motor's fan cover
        const double l1 = 0.92 * l;                            // base
        const double baseHeight = l1 > 1500.0 ? 100.0 : 80.0;
        // Shaft axis above the foundation: base, the higher of the two shaft
        // heights, and 20 mm of packing under the other machine.
        const double shaftHeight = baseHeight + std::max(pumpShaftHeight, motor.shaftHeight) + 20.0;
        const double casingTop = split ? 0.55 * d + 80.0 : 0.6 * d + 60.0; // above the axis
        const double height = shaftHeight + std::max(casingTop, 1.05 * motor.shaftHeight);
        const double b =
            std::max(2.2 * motor.shaftHeight, split ? 1.2 * d : 1.6 * pumpShaftHeight) + (split ? 120.0 : 100.0);
        const double baseWeight = 10.0 + 0.00008 * roundTo5(l1) * roundTo5(b);
        pump.weight = pumpWeight + motor.weight + baseWeight;
        line("L", l);
        line("L1", l1);
        if (split)
            line("A", 1.8 * d + 0.8 * (dnS + dnD)); // suction flange face to discharge flange face
        line("B", b);
        line("H", height);
        line("h", shaftHeight);
        text += "进口法兰DN" + std::to_string(size.suctionDN) + "\n";
        text += "出口法兰DN" + std::to_string(size.dischargeDN) + "\n";
        text += "地脚螺栓" + anchorBolts(l1 > 1400.0 ? 6 : 4, pump.weight);
    }
    pump.dimensions = text;
}

// One pump of the catalogue, or false when the size is not built at this
// speed with this trim (head out of band, or no motor large enough).
bool makePump(const PumpType& type, const Size& size, double speed, const Trim& trim, Pump& pump)
{
    const bool fourPole = speed < kReferenceSpeed;
    const double tipSpeed = std::numbers::pi * (size.impeller / 1000.0) * speed / 60.0; // u2, full impeller
    const double fullHead = kHeadCoefficient * tipSpeed * tipSpeed / (2.0 * kGravity);
    if (fullHead < kMinRatedHead || fullHead > kMaxRatedHead)
        return false;

    double velocity = 0.0;
    int flange = 0;
    switch (type.kind) {
    case Kind::EndSuction:
        velocity = kDischargeVelocityIS;
        flange = size.dischargeDN;
        break;
    case Kind::InLine:
        velocity = kFlangeVelocityISG;
        flange = size.suctionDN;
        break;
    case Kind::DoubleSuction:
        velocity = kSuctionVelocityS;
        flange = size.suctionDN;
        break;
    }
    const double fullFlow = velocity * (speed / kReferenceSpeed) * flangeArea(flange) * 3600.0; // m3/h

    const double t = trim.ratio;
    const double flow = fullFlow * t;     // Q_bep of the trimmed impeller
    const double head = fullHead * t * t; // H_bep
    const int eyes = type.kind == Kind::DoubleSuction ? 2 : 1;
    const double eyeFlow = flow / 3600.0 / eyes; // m3/s
    const double nq = speed * std::sqrt(eyeFlow) / std::pow(head, 0.75);
    const double shape = std::log10(nq / kEtaBestNq);
    double eta = kEtaLarge - kEtaSizeSlope * std::log10(1000.0 / flow) - kEtaShapeWeight * shape * shape +
                 type.efficiencyAllowance - kEtaTrimLoss * (1.0 - t);
    eta = std::clamp(eta, kEtaMin, kEtaMax);

    pump.type = std::string(type.text);
    pump.model = modelText(type, size, fullHead, trim, fourPole);
    pump.speed = speed;
    pump.points.clear();
    double maxPower = 0.0;
    for (double x : kPointFractions) {
        const double q = flow * x;
        const double h = head * (kHeadA + kHeadB * x + kHeadC * x * x);
        const double n = q * h / (kPowerDivisor * eta * efficiencyRatio(x));
        pump.points.push_back({q, h, n});
        maxPower = std::max(maxPower, n);
    }
    pump.ratedFlow = flow;
    pump.ratedHead = head;
    pump.ratedPower = flow * head / (kPowerDivisor * eta);
    pump.motorPower = motorSize(maxPower);
    if (pump.motorPower == 0.0)
        return false;
    const double c = type.kind == Kind::DoubleSuction ? kSuctionSpecificSpeedDouble : kSuctionSpecificSpeed;
    pump.npshr = std::max(kMinNpshr, std::pow(5.62 * speed * std::sqrt(eyeFlow) / c, 4.0 / 3.0));
    pump.impeller = static_cast<int>(std::lround(size.impeller * t));
    addInstallation(pump, type, size, fourPole);
    return true;
}

template <std::size_t N>
void addSeries(std::vector<Pump>& pumps, const PumpType& type, const std::array<Size, N>& sizes)
{
    for (double speed : kSpeeds) {
        for (const Size& size : sizes) {
            for (const Trim& trim : kTrims) {
                Pump pump;
                if (makePump(type, size, speed, trim, pump)) {
                    pump.key = static_cast<int>(pumps.size()) + 1;
                    pumps.push_back(std::move(pump));
                }
            }
        }
    }
}

std::string pumpsCsv(const std::vector<Pump>& pumps)
{
    std::string out =
        "序号,水泵类型,水泵型号,转速,流量,扬程,轴功率,电动机功率,必需汽蚀余量,叶轮外径,重量,设备安装尺寸\n";
    for (const Pump& p : pumps) {
        out += std::to_string(p.key) + "," + csvField(p.type) + "," + csvField(p.model) + "," + fixed(p.speed, 0) +
               "," + fixed(p.ratedFlow, 1) + "," + fixed(p.ratedHead, 1) + "," + fixed(p.ratedPower, 2) + "," +
               shortest(p.motorPower) + "," + fixed(p.npshr, 1) + "," + std::to_string(p.impeller) + "," +
               fixed(p.weight, 0) + "," + csvField(p.dimensions) + "\n";
    }
    return out;
}

std::string pointsCsv(const std::vector<Pump>& pumps)
{
    std::string out = "序号,流量,扬程,轴功率\n";
    for (const Pump& p : pumps) {
        for (const auto& point : p.points)
            out += std::to_string(p.key) + "," + fixed(point[0], 1) + "," + fixed(point[1], 1) + "," +
                   fixed(point[2], 2) + "\n";
    }
    return out;
}

bool writeFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "tarnwick-catalogue-gen: cannot write " << path << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string outDir;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--out-dir" && i + 1 < argc) {
            outDir = argv[++i];
        } else {
            std::cerr << "usage: tarnwick-catalogue-gen --out-dir DIR\n";
            return 2;
        }
    }
    if (outDir.empty()) {
        std::cerr << "usage: tarnwick-catalogue-gen --out-dir DIR\n";
        return 2;
    }

    std::vector<Pump> pumps;
    addSeries(pumps, kEndSuction, kEndSuctionSizes);
    addSeries(pumps, kInLine, kInLineSizes);
    addSeries(pumps, kDoubleSuction, kDoubleSuctionSizes);

    // The program finds a pump by its model text; two pumps must never share one.
    std::set<std::string> models;
    for (const Pump& p : pumps) {
        if (!models.insert(p.model).second) {
            std::cerr << "tarnwick-catalogue-gen: duplicate model " << p.model << "\n";
            return 1;
        }
    }

    if (!writeFile(outDir + "/pumps.csv", pumpsCsv(pumps)) || !writeFile(outDir + "/points.csv", pointsCsv(pumps)))
        return 1;
    std::size_t pointCount = 0;
    for (const Pump& p : pumps)
        pointCount += p.points.size();
    std::cout << "tarnwick-catalogue-gen: " << pumps.size() << " pumps, " << pointCount << " points\n";
    return 0;
}
