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
// larger motors show is left out: the factor never exceeds 1.
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

// Efficiency of PWM variable-frequency drives by drive output (share of the
// drive rating) for drive sizes of 3 to 200 hp, after Table 1 of the U.S.
// Department of Energy "Motor Systems Tip Sheet #11: Adjustable Speed Drive
// Part-Load Efficiency" (DOE/GO-102008-2620). Sizes in kW.
constexpr std::array<double, 7> kDriveLoads = {0.016, 0.125, 0.25, 0.42, 0.50, 0.75, 1.00};
struct DriveRow
{
    double kilowatts;
    std::array<double, 7> efficiency;
};
constexpr std::array<DriveRow, 10> kDrives = {{
    {2.2, {0.094, 0.745, 0.838, 0.889, 0.902, 0.927, 0.939}},
    {3.7, {0.296, 0.838, 0.897, 0.929, 0.937, 0.951, 0.958}},
    {7.5, {0.354, 0.862, 0.914, 0.940, 0.944, 0.957, 0.964}},
    {15.0, {0.444, 0.897, 0.935, 0.956, 0.960, 0.968, 0.971}},
    {22.0, {0.491, 0.909, 0.944, 0.962, 0.965, 0.970, 0.973}},
    {37.0, {0.608, 0.934, 0.958, 0.970, 0.972, 0.976, 0.977}},
    {45.0, {0.638, 0.939, 0.961, 0.972, 0.974, 0.977, 0.978}},
    {55.0, {0.650, 0.942, 0.962, 0.973, 0.975, 0.978, 0.979}},
    {75.0, {0.716, 0.949, 0.966, 0.975, 0.977, 0.979, 0.980}},
    {150.0, {0.734, 0.955, 0.970, 0.978, 0.979, 0.981, 0.982}},
}};

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

double driveEfficiency(double ratingKilowatts, double load)
{
    const DriveRow* row = &kDrives.front();
    for (const DriveRow& r : kDrives) {
        if (r.kilowatts <= ratingKilowatts)
            row = &r;
    }
    return interpolate(kDriveLoads, row->efficiency, load);
}

std::span<const FluidDensity> fluidDensities()
{
    return kFluids;
}

} // namespace tarnwick
