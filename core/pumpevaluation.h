#pragma once

#include "core/curvefit.h"
#include "core/fitquality.h"
#include "core/units.h"

#include <vector>

namespace tarnwick {

// One catalogue pump at a duty: its fitted curves, where they meet the system
// curve, the figures there and its best measured efficiency. The design, the
// check and the view of a skipped pump all read a pump so; each then applies
// its own rules to what this finds.
struct PumpEvaluation
{
    // How far the evaluation got. Every figure of an earlier stage is set.
    enum class Stage {
        HeadFitFailed,    // the head fit hit a zero pivot
        PowerFitFailed,   // the power fit hit a zero pivot
        FitNotFinite,     // a coefficient is not finite
        NoOperatingPoint, // the iteration found no point (see point.outcome)
        ZeroPower,        // the power fit is exactly 0 at the operating flow
        FiguresNotFinite, // flow, head, power or efficiency is not finite
        Complete,
    };
    Stage stage = Stage::HeadFitFailed;
    CurveFit headFit;
    CurveFit powerFit;
    OperatingPoint point;
    double operatingFlow = 0.0;
    double operatingHead = 0.0;  // the pump's own head there, (c3' + S) in 64-bit
    double operatingPower = 0.0; // kW of water
    double operatingEfficiency = 0.0; // percent; 0 when the power is 0
    float bestEfficiency = 0.0f;      // highest point efficiency, percent; set once there is a point

    bool complete() const { return stage == Stage::Complete; }
    // The head fit as the chart draws it (c3 = f32(c3' + S)).
    CurveFit chartHeadFit(const SelectionRequest& request) const;
};

// Fits the points, finds the operating point and forms the figures. `work`
// is scratch space for the best efficiency, kept by a caller that evaluates
// many pumps. The efficiencies are formed for water; efficiencyScale turns
// them into another liquid's (its density over 1000 kg/m3) when the points
// carry that liquid's shaft power.
PumpEvaluation evaluatePump(const CurvePoints& points, const SelectionRequest& request, std::vector<float>& work,
                            double efficiencyScale = 1.0);

} // namespace tarnwick
