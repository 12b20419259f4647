#include "core/fluid.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace tarnwick {

namespace {

constexpr double kKelvinOffset = 273.15;

// Liquid water at 0.1 MPa, 0 to 100 °C in steps of 10 K.
constexpr double kWaterTableStep = 10.0;
// Density, kg/m3: M. Chaplin, "Water Structure and Science", London South
// Bank University, table "Some physical properties of liquid water" (values
// from the IAPWS-95 formulation).
constexpr std::array<double, 11> kWaterDensity = {999.8, 999.7, 998.2, 995.7, 992.2, 988.0,
                                                  983.2, 977.8, 971.8, 965.4, 958.4};
// Dynamic viscosity, mPa s: 0 °C from the same table; 10 to 100 °C from the
// CRC Handbook of Chemistry and Physics values as tabulated by Engineers Edge,
// "Water - Density Viscosity Specific Weight" (they agree with IAPWS 2008 to
// the figures given). Interpolated in the logarithm, which follows the
// near-exponential fall with temperature to within 1 % between the nodes.
constexpr std::array<double, 11> kWaterViscosity = {1.792,  1.308,  1.002,  0.7978, 0.6531, 0.5471,
                                                    0.4658, 0.4044, 0.3550, 0.3150, 0.2822};

// Coefficients n1 to n10 of the saturation-pressure equation, IAPWS R7-97
// (2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 34.
constexpr std::array<double, 10> kIf97Region4 = {0.11670521452767e4,  -0.72421316703206e6, -0.17073846940092e2,
                                                 0.12020824702470e5,  -0.32325550322333e7, 0.14915108613530e2,
                                                 -0.48232657361591e4, 0.40511340542057e6,  -0.23855557567849,
                                                 0.65017534844798e3};

// Aqueous glycols: Å. Melinder, "Properties of Secondary Working Fluids for
// Indirect Systems", IIR/IIF, Paris 2010; the fitted polynomials
// f = sum a_ij (w - wm)^i (T - Tm)^j with w the mass share in percent, T in
// °C, i = 0..5 and j below nT[i], coefficients as published with the IBPSA
// Modelica library (IBPSA.Media.Antifreeze). Density in kg/m3, ln of the
// dynamic viscosity in mPa s, freezing point in °C.
struct MelinderFit
{
    double wm = 0.0; // percent
    double tm = 0.0; // °C
    std::array<double, 18> density{};
    std::array<double, 18> logViscosity{};
    std::array<double, 18> freezingPoint{};
};
constexpr std::array<int, 6> kMelinderTerms = {4, 4, 4, 3, 2, 1};

constexpr MelinderFit kEthyleneGlycol = {
    30.8462,
    31.728,
    {1.034e3, -4.781e-1, -2.692e-3, 4.725e-6, 1.311e0, -6.876e-3, 4.805e-5, 1.690e-8, 7.490e-5, 7.855e-5, -3.995e-7,
     4.982e-9, -1.062e-4, 1.229e-6, -1.153e-8, -9.623e-7, -7.221e-8, 4.891e-8},
    {4.705e-1, -2.550e-2, 1.782e-4, -7.669e-7, 2.471e-2, -1.171e-4, 1.052e-6, -1.634e-8, 3.328e-6, -1.086e-6,
     -1.051e-8, -6.475e-10, 1.695e-6, 3.157e-9, 4.063e-10, 3.089e-8, 1.831e-10, -1.865e-9},
    {-1.525e1, -1.566e-6, -2.278e-7, 2.169e-9, -8.080e-1, -1.339e-6, 2.047e-08, -2.717e-11, -1.334e-2, 6.332e-8,
     2.373e-10, -2.183e-12, -7.293e-5, -1.764e-9, -2.442e-11, 1.006e-6, -7.662e-11, 1.140e-9},
};

constexpr MelinderFit kPropyleneGlycol = {
    30.7031,
    32.7083,
    {1.018e3, -5.406e-1, -2.666e-3, 1.347e-5, 7.604e-1, -9.450e-3, 5.541e-5, -1.343e-7, -2.498e-3, 2.700e-5,
     -4.018e-7, 3.376e-9, -1.550e-4, 2.829e-6, -7.175e-9, -1.131e-6, -2.221e-8, 2.342e-8},
    {6.837e-1, -3.045e-2, 2.525e-4, -1.399e-6, 3.328e-2, -3.984e-4, 4.332e-6, -1.860e-8, 5.453e-5, -8.600e-8,
     -1.593e-8, -4.465e-11, -3.900e-6, 1.054e-7, -1.589e-9, -1.587e-8, 4.475e-10, 3.564e-9},
    {-1.325e1, -3.820e-5, 7.865e-7, -1.733e-9, -6.631e-1, 6.774e-6, -6.242e-8, -7.819e-10, -1.094e-2, 5.332e-8,
     -4.169e-9, 3.288e-11, -2.283e-4, -1.131e-8, 1.918e-10, -3.409e-6, 8.035e-11, 1.465e-8},
};

// The fits hold from the freezing point up to this temperature.
constexpr double kGlycolHighestTemperature = 100.0;
constexpr double kWaterLowestTemperature = 0.0;
constexpr double kWaterHighestTemperature = 100.0;

double melinder(const std::array<double, 18>& a, const MelinderFit& fit, double share, double celsius)
{
    const double dx = share - fit.wm;
    const double dy = celsius - fit.tm;
    double f = 0.0;
    std::size_t n = 0;
    double xi = 1.0;
    for (int i = 0; i < static_cast<int>(kMelinderTerms.size()); ++i) {
        double yj = 1.0;
        for (int j = 0; j < kMelinderTerms[static_cast<std::size_t>(i)]; ++j) {
            f += a[n++] * xi * yj;
            yj *= dy;
        }
        xi *= dx;
    }
    return f;
}

const MelinderFit& glycolFit(FluidKind kind)
{
    return kind == FluidKind::PropyleneGlycol ? kPropyleneGlycol : kEthyleneGlycol;
}

// The freezing point's fit carries a small temperature term; it is taken at
// the freezing point itself.
double glycolFreezingPoint(FluidKind kind, double share)
{
    const MelinderFit& fit = glycolFit(kind);
    double t = 0.0;
    for (int i = 0; i < 4; ++i)
        t = melinder(fit.freezingPoint, fit, share, t);
    return t;
}

double tableValue(const std::array<double, 11>& table, double celsius, bool logarithmic)
{
    const double position = (celsius - kWaterLowestTemperature) / kWaterTableStep;
    std::size_t k = static_cast<std::size_t>(std::floor(position));
    if (k >= table.size() - 1)
        k = table.size() - 2;
    const double f = position - static_cast<double>(k);
    if (logarithmic)
        return std::exp(std::log(table[k]) + f * (std::log(table[k + 1]) - std::log(table[k])));
    return table[k] + f * (table[k + 1] - table[k]);
}

std::string figureText(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

} // namespace

std::string_view fluidKeyword(FluidKind kind)
{
    switch (kind) {
    case FluidKind::Water:
        return "water";
    case FluidKind::EthyleneGlycol:
        return "ethylene-glycol";
    case FluidKind::PropyleneGlycol:
        return "propylene-glycol";
    }
    return "water";
}

std::string_view fluidName(FluidKind kind)
{
    switch (kind) {
    case FluidKind::Water:
        return "水";
    case FluidKind::EthyleneGlycol:
        return "乙二醇水溶液";
    case FluidKind::PropyleneGlycol:
        return "丙二醇水溶液";
    }
    return "水";
}

std::optional<FluidKind> fluidFromKeyword(std::string_view keyword)
{
    for (FluidKind kind : {FluidKind::Water, FluidKind::EthyleneGlycol, FluidKind::PropyleneGlycol}) {
        if (fluidKeyword(kind) == keyword)
            return kind;
    }
    return std::nullopt;
}

double waterSaturationPressure(double kelvin)
{
    // IAPWS R7-97 (2012), equations 29b and 30.
    const auto& n = kIf97Region4;
    const double theta = kelvin + n[8] / (kelvin - n[9]);
    const double a = (theta + n[0]) * theta + n[1];
    const double b = (n[2] * theta + n[3]) * theta + n[4];
    const double c = (n[5] * theta + n[6]) * theta + n[7];
    const double root = 2.0 * c / (-b + std::sqrt(b * b - 4.0 * a * c));
    return (root * root) * (root * root);
}

TemperatureRange temperatureRange(FluidKind kind, double concentration)
{
    if (kind == FluidKind::Water)
        return {kWaterLowestTemperature, kWaterHighestTemperature};
    return {glycolFreezingPoint(kind, concentration), kGlycolHighestTemperature};
}

Expected<FluidProperties, std::string> fluidProperties(const FluidSpec& fluid)
{
    using Result = Expected<FluidProperties, std::string>;
    const bool glycol = fluid.kind != FluidKind::Water;
    if (glycol && !(fluid.concentration >= kMinGlycolConcentration && fluid.concentration <= kMaxGlycolConcentration))
        return Result::failure("乙二醇或丙二醇的浓度应在" + figureText(kMinGlycolConcentration) + "～" +
                               figureText(kMaxGlycolConcentration) + "%（质量）之间！请重新输入。");
    const TemperatureRange range = temperatureRange(fluid.kind, fluid.concentration);
    if (!(fluid.temperature >= range.low && fluid.temperature <= range.high))
        // The ends shown lie inside the range, so that a figure typed as shown
        // is taken.
        return Result::failure(std::string(fluidName(fluid.kind)) + "的温度应在" +
                               figureText(std::ceil(range.low * 10.0) / 10.0) + "～" +
                               figureText(std::floor(range.high * 10.0) / 10.0) + "℃之间！请重新输入。");

    FluidProperties p;
    // A glycol's vapour pressure is taken as water's: the glycol lowers it,
    // so water's is the safe side for the suction.
    p.vapourPressure = 1000.0 * waterSaturationPressure(fluid.temperature + kKelvinOffset);
    if (!glycol) {
        p.density = tableValue(kWaterDensity, fluid.temperature, false);
        p.kinematicViscosity = tableValue(kWaterViscosity, fluid.temperature, true) / (p.density / 1000.0);
        return p;
    }
    const MelinderFit& fit = glycolFit(fluid.kind);
    p.density = melinder(fit.density, fit, fluid.concentration, fluid.temperature);
    const double dynamic = std::exp(melinder(fit.logViscosity, fit, fluid.concentration, fluid.temperature));
    p.kinematicViscosity = dynamic / (p.density / 1000.0);
    return p;
}

} // namespace tarnwick
