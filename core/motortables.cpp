#include "core/motortables.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace tarnwick {

namespace {

// Rated outputs of IEC 60072-1 frames between 0.37 and 315 kW, and the IE3
// (premium efficiency) limits of IEC 60034-30-1:2014 for 50 Hz motors at
// those ratings, in percent: 2-pole, 4-pole. Above 200 kW the limits stay
// constant.
struct Ie3Row
{
    double rating;
    double twoPole;
    double fourPole;
};
constexpr std::array<Ie3Row, 26> kIe3 = {{
    {0.37, 73.8, 77.3},  {0.55, 77.8, 80.8},  {0.75, 80.7, 82.5},  {1.1, 82.7, 84.1},   {1.5, 84.2, 85.3},
    {2.2, 85.9, 86.7},   {3.0, 87.1, 87.7},   {4.0, 88.1, 88.6},   {5.5, 89.2, 89.6},   {7.5, 90.1, 90.4},
    {11.0, 91.2, 91.4},  {15.0, 91.9, 92.1},  {18.5, 92.4, 92.6},  {22.0, 92.7, 93.0},  {30.0, 93.3, 93.6},
    {37.0, 93.7, 93.9},  {45.0, 94.0, 94.2},  {55.0, 94.3, 94.6},  {75.0, 94.7, 95.0},  {90.0, 95.0, 95.2},
    {110.0, 95.2, 95.4}, {132.0, 95.4, 95.6}, {160.0, 95.6, 95.8}, {200.0, 95.8, 96.0}, {250.0, 95.8, 96.0},
    {315.0, 95.8, 96.0},
}};

constexpr std::array<double, 26> kRatings = [] {
    std::array<double, 26> r{};
    for (std::size_t i = 0; i < kIe3.size(); ++i)
        r[i] = kIe3[i].rating;
    return r;
}();

// Motor part-load efficiency as a share of full-load efficiency, read from
// Figure 1 ("Motor part-load efficiency as a function of % full-load
// efficiency") of the U.S. Department of Energy fact sheet "Determining
// Electric Motor Load and Efficiency" (DOE/GO-10097-517), one row per size
// band of the figure (0-1, 1.5-5, 10, 15-25, 30-60, 75-100 hp; upper bounds
// in kW). The slight rise above full-load efficiency near 75 % load that the
// larger motors show is left out: the factor never exceeds 1. The figure's
// curves below 25 % load are not used (see efficiencyBelowTable).
constexpr std::array<double, 5> kMotorLoads = {0.0, 0.25, 0.50, 0.75, 1.00};
struct MotorBand
{
    double upToKilowatts;
    std::array<double, 5> factor;
};
constexpr std::array<MotorBand, 6> kMotorBands = {{
    {0.75, {0.0, 0.72, 0.90, 0.97, 1.0}},
    {3.7, {0.0, 0.80, 0.94, 0.99, 1.0}},
    {7.5, {0.0, 0.85, 0.96, 1.00, 1.0}},
    {18.5, {0.0, 0.88, 0.97, 1.00, 1.0}},
    {45.0, {0.0, 0.90, 0.98, 1.00, 1.0}},
    {1.0e9, {0.0, 0.92, 0.99, 1.00, 1.0}},
}};

// Efficiency of PWM variable-frequency drives by the drive's load, after
// Table 1 ("Adjustable Speed Drive Part-Load Efficiency") of the U.S.
// Department of Energy "Motor Systems Tip Sheet #11: Adjustable Speed Drive
// Part-Load Efficiency", November 2012 edition (DOE/GO-102012-3730). The load
// is the tip sheet's own: the power the drive supplies (shaft power divided by
// the motor efficiency at its load point) over the drive's rated output. The
// table's drive sizes are in hp (0.746 kW each); it lists none below 5 hp.
constexpr double kKilowattsPerHorsepower = 0.746;
constexpr std::array<double, 7> kDriveLoads = {0.016, 0.125, 0.25, 0.42, 0.50, 0.75, 1.00};
struct DriveRow
{
    double horsepower;
    std::array<double, 7> efficiency;
};
constexpr std::array<DriveRow, 9> kDrives = {{
    {5.0, {0.35, 0.80, 0.88, 0.91, 0.92, 0.94, 0.95}},
    {10.0, {0.41, 0.83, 0.90, 0.93, 0.94, 0.95, 0.96}},
    {20.0, {0.47, 0.86, 0.93, 0.94, 0.95, 0.96, 0.97}},
    {30.0, {0.50, 0.88, 0.93, 0.95, 0.95, 0.96, 0.97}},
    {50.0, {0.46, 0.86, 0.92, 0.95, 0.95, 0.96, 0.97}},
    {60.0, {0.51, 0.87, 0.92, 0.95, 0.95, 0.96, 0.97}},
    {75.0, {0.47, 0.86, 0.93, 0.95, 0.96, 0.97, 0.97}},
    {100.0, {0.55, 0.89, 0.94, 0.95, 0.96, 0.97, 0.97}},
    {200.0, {0.61, 0.81, 0.95, 0.96, 0.96, 0.97, 0.97}},
}};

// Below the lowest tabulated load, motors and drives alike follow the part-load
// model of the U.S. Department of Energy's pump and motor assessment tools
// (PSAT, MEASUR; ORNL AMO-Tools-Suite, MotorEfficiency): the losses fall
// linearly from those at the lowest tabulated load to 0.8 times them at zero
// load, so that a lightly loaded machine still draws its no-load losses but
// never more than at the tabulated load.
constexpr double kNoLoadLossShare = 0.8;

// Efficiency at `load` (share of the rating) below `lowestLoad`, whose
// efficiency is `lowestEfficiency`.
double efficiencyBelowTable(double load, double lowestLoad, double lowestEfficiency)
{
    if (!(load > 0.0))
        return 0.0;
    const double lowestLosses = lowestLoad * (1.0 / lowestEfficiency - 1.0); // in units of the rating
    const double losses = lowestLosses * (kNoLoadLossShare + (1.0 - kNoLoadLossShare) * load / lowestLoad);
    return load / (load + losses);
}

// Water from the density table of the CRC Handbook of Chemistry and Physics;
// the glycol mixtures (mass shares, 20 °C) from the tables of aqueous
// ethylene and propylene glycol in the ASHRAE Handbook - Fundamentals.
constexpr std::array<FluidDensity, 10> kFluids = {{
    {"水 4℃", 999.97},
    {"水 7℃", 999.90},
    {"水 20℃", 998.21},
    {"水 40℃", 992.22},
    {"水 60℃", 983.20},
    {"水 80℃", 971.80},
    {"乙二醇溶液 30% 20℃", 1039.0},
    {"乙二醇溶液 40% 20℃", 1053.0},
    {"丙二醇溶液 30% 20℃", 1025.0},
    {"丙二醇溶液 40% 20℃", 1033.0},
}};

// Linear interpolation in a table over ascending x, held constant outside it.
template <std::size_t N> double interpolate(const std::array<double, N>& xs, const std::array<double, N>& ys, double x)
{
    if (!(x > xs[0]))
        return ys[0];
    for (std::size_t i = 1; i < N; ++i) {
        if (x <= xs[i])
            return ys[i - 1] + (ys[i] - ys[i - 1]) * (x - xs[i - 1]) / (xs[i] - xs[i - 1]);
    }
    return ys[N - 1];
}

} // namespace

std::span<const double> standardMotorRatings()
{
    return kRatings;
}

double smallestStandardRating(double kilowatts)
{
    for (double r : kRatings) {
        if (r >= kilowatts)
            return r;
    }
    return 0.0;
}

double ie3FullLoadEfficiency(double ratingKilowatts, int poles)
{
    for (const Ie3Row& row : kIe3) {
        if (row.rating >= ratingKilowatts)
            return (poles == 2 ? row.twoPole : row.fourPole) / 100.0;
    }
    const Ie3Row& last = kIe3.back();
    return (poles == 2 ? last.twoPole : last.fourPole) / 100.0;
}

double motorPartLoadFactor(double ratingKilowatts, double load)
{
    for (const MotorBand& band : kMotorBands) {
        if (ratingKilowatts <= band.upToKilowatts)
            return interpolate(kMotorLoads, band.factor, load);
    }
    return interpolate(kMotorLoads, kMotorBands.back().factor, load);
}

double motorEfficiency(double ratingKilowatts, int poles, double load)
{
    const double full = ie3FullLoadEfficiency(ratingKilowatts, poles);
    if (load >= kMotorLoads[1])
        return full * motorPartLoadFactor(ratingKilowatts, load);
    return efficiencyBelowTable(load, kMotorLoads[1], full * motorPartLoadFactor(ratingKilowatts, kMotorLoads[1]));
}

double driveEfficiency(double ratingKilowatts, double load)
{
    const double horsepower = ratingKilowatts / kKilowattsPerHorsepower;
    const DriveRow* row = &kDrives.front();
    for (const DriveRow& r : kDrives) {
        if (r.horsepower <= horsepower)
            row = &r;
    }
    if (load >= kDriveLoads[0])
        return interpolate(kDriveLoads, row->efficiency, load);
    return efficiencyBelowTable(load, kDriveLoads[0], row->efficiency[0]);
}

std::span<const FluidDensity> fluidDensities()
{
    return kFluids;
}

} // namespace tarnwick
