#pragma once

#include <span>
#include <string_view>

namespace tarnwick {

// Standard motor ratings in kW (IEC 60072-1), 0.37 to 315, ascending.
std::span<const double> standardMotorRatings();

// The smallest standard rating of at least `kilowatts`; 0 when none is large
// enough.
double smallestStandardRating(double kilowatts);

// Motors above this speed (r/min) are taken as 2-pole, others as 4-pole.
inline constexpr double kTwoPoleSpeedLimit = 2000.0;

// Full-load efficiency (fraction) of an IE3 motor of a standard rating at
// 50 Hz; poles is 2 or 4.
double ie3FullLoadEfficiency(double ratingKilowatts, int poles);

// Motor efficiency at part load relative to full load (fraction, 1 at full
// load and above) for a motor of the rating at `load` = shaft power / rating.
double motorPartLoadFactor(double ratingKilowatts, double load);

// Efficiency (fraction) of an IE3 motor of the rating at `load` = shaft power /
// rating: the part-load factor from 25 % load up, and below 25 % losses that
// fall linearly to 0.8 times the 25 % losses at zero load.
double motorEfficiency(double ratingKilowatts, int poles, double load);

// Efficiency (fraction) of a PWM frequency converter whose rating is the motor
// rating, at `load` = the power it supplies to the motor / rating; below the
// lowest tabulated load the losses fall as the motor's do.
double driveEfficiency(double ratingKilowatts, double load);

// A fluid of the density chooser: its name and density in kg/m3.
struct FluidDensity
{
    std::string_view name;
    double density;
};
std::span<const FluidDensity> fluidDensities();

} // namespace tarnwick
