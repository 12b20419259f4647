#pragma once

#include "core/curvefit.h"
#include "core/expected.h"
#include "core/fluid.h"
#include "core/npsh.h"
#include "core/pumpevaluation.h"
#include "core/systemfit.h"
#include "core/trim.h"
#include "core/viscositycorrection.h"

#include <optional>
#include <string>

namespace tarnwick {

struct CataloguePump;
struct PumpSheetFields;

// What the engineer may give beyond the duty: the liquid, the suction, the
// impeller and the region the pump should run in. Nothing given: the
// catalogue's cold water and the runs exactly as without them.
struct ServiceConditions
{
    std::optional<FluidSpec> fluid;   // nothing: the catalogue's water, 1000 kg/m3, no correction
    FluidProperties properties;       // of `fluid`, or of water at 20 °C for the suction alone
    std::optional<double> suctionAbsolutePressure; // kPa
    double npshMarginRatio = kDefaultNpshMarginRatio;
    bool trim = false;
    double maxTrimPercent = kDefaultMaxTrimPercent;
    bool preferredRegionOnly = false;
    // The system curve fitted to measured points, when the duty came from
    // them; it changes nothing in the run, but is stored with it.
    std::optional<SystemFit> measured;

    bool any() const { return fluid || suctionAbsolutePressure || trim || preferredRegionOnly; }
    // The factor from the catalogue's water to the liquid's shaft power.
    double densityRatio() const { return fluid ? properties.density / kCatalogueWaterDensity : 1.0; }

    static constexpr double kCatalogueWaterDensity = 1000.0;
};

// The water temperature the suction alone is reckoned at, °C.
inline constexpr double kDefaultWaterTemperature = 20.0;

// Fills `properties`; a message in Chinese when the liquid is outside its
// tables.
Expected<ServiceConditions, std::string> completeConditions(ServiceConditions conditions);

// A pump's points for the liquid. Nothing to change for water at the
// catalogue's conditions; otherwise the density and, where B exceeds 1, the
// viscosity correction at the pump's best-efficiency point on water.
struct LiquidPoints
{
    CurvePoints points;
    std::optional<ViscosityCorrection> correction; // when a liquid was given
    bool outOfRange = false; // B of 40 or more, or no speed to form B
};
// `withDensity` false leaves the power per 1000 kg/m3, for a caller that
// scales it by the density itself.
LiquidPoints liquidPointsOf(const CurvePoints& water, std::optional<double> speed, const ServiceConditions& conditions,
                            bool withDensity = true);

// The figures of an accepted pump beyond the result table's own.
struct PumpExtras
{
    double bestEfficiencyFlow = 0.0;  // m3/h, highest fitted efficiency within the measured flows
    double bestEfficiencyShare = 0.0; // Qop / Qbep (of the equivalent point when trimmed)
    double specificSpeed = 0.0;       // US units, 0 without a speed
    bool inPreferredRegion = false;
    std::optional<ViscosityCorrection> viscosity;
    std::optional<NpshCheck> npsh;    // with a suction pressure and the pump's NPSHr
    bool npshUnknown = false;         // a suction pressure but no NPSHr in the catalogue
    std::optional<TrimResult> trim;   // with the trim asked and something to cut
    bool trimLimited() const { return trim && trim->limited; }
};

// The figures of `extras` the engineer asked for, as one line of text (the
// share of the best-efficiency flow always).
std::string pumpExtrasText(const PumpExtras& extras, const ServiceConditions& conditions);

PumpExtras pumpExtras(const CurvePoints& points, const PumpEvaluation& evaluation, const CataloguePump& pump,
                      const PumpSheetFields& sheet,
                      const SelectionRequest& request, const ServiceConditions& conditions,
                      const std::optional<ViscosityCorrection>& viscosity);

} // namespace tarnwick
