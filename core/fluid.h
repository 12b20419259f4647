#pragma once

#include "core/expected.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The liquids the program knows. The catalogue's curves are measured with
// cold water; every other liquid is reached from them.
enum class FluidKind { Water, EthyleneGlycol, PropyleneGlycol };

// The keyword of the tool (water, ethylene-glycol, propylene-glycol) and the
// name shown to the engineer.
std::string_view fluidKeyword(FluidKind kind);
std::string_view fluidName(FluidKind kind);
std::optional<FluidKind> fluidFromKeyword(std::string_view keyword);

// The liquid as entered: glycols carry their mass share in percent.
struct FluidSpec
{
    FluidKind kind = FluidKind::Water;
    double concentration = 0.0; // mass %, glycols only
    double temperature = 20.0;  // °C
};

// The liquid's properties at its temperature.
struct FluidProperties
{
    double density = 0.0;            // kg/m3
    double kinematicViscosity = 0.0; // cSt (mm2/s)
    double vapourPressure = 0.0;     // kPa, absolute
};

// The temperature range, °C, in which the tables of a liquid hold; glycols
// start at their freezing point, which depends on the concentration.
struct TemperatureRange
{
    double low = 0.0;
    double high = 0.0;
};
inline constexpr double kMinGlycolConcentration = 10.0;
inline constexpr double kMaxGlycolConcentration = 60.0;

TemperatureRange temperatureRange(FluidKind kind, double concentration);

// The properties, or a message in Chinese when the concentration or the
// temperature lies outside what the tables cover.
Expected<FluidProperties, std::string> fluidProperties(const FluidSpec& fluid);

// Saturation pressure of water, MPa, at T kelvin (273.15 K to 647.096 K).
double waterSaturationPressure(double kelvin);

// Standard acceleration of gravity, m/s2.
inline constexpr double kStandardGravity = 9.80665;

} // namespace tarnwick
