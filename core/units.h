#pragma once

#include "core/expected.h"

#include <array>
#include <string>
#include <string_view>

namespace tarnwick {

// The flow units of the flow chooser, in list order, and their conversion of
// an entered value v into m3/h. Mass flows are water at 1000 kg/m3.
struct FlowUnit
{
    static constexpr std::array<std::string_view, 7> items = {"kg/h", "kg/s", "L/h", "L/s", "m3/h", "m3/s", "t/h"};
    static constexpr int defaultIndex = 4; // "m3/h"
    static double toCubicMetresPerHour(double v, std::string_view unitText);
};

// The pressure and head units of the resistance and static head choosers, in
// list order, and their conversion into metres of water column. The factors
// are the program's own rounded values, not derived from density and gravity.
struct PressureUnit
{
    static constexpr std::array<std::string_view, 7> items = {"atm", "bar", "kgf/cm2", "mH2O", "mmH2O", "MPa", "Pa"};
    static constexpr int defaultIndex = 3; // "mH2O"
    static double toMetresOfWater(double v, std::string_view unitText);
};

// The converted duty of one calculation. The system curve is
// H(Q) = staticHead + systemCoefficient * Q^2 (Q in m3/h, H in m).
struct SelectionRequest
{
    double resistance = 0.0;        // m, system resistance
    double flow = 0.0;              // m3/h, design flow
    float staticHead = 0.0f;        // m, held in 32-bit
    std::string staticHeadText;     // the unchanged text of the static head box
    double systemCoefficient = 0.0; // m/(m3/h)^2
};

// The six texts a calculation reads: the three duty boxes (resistance, flow,
// static head: Text1 indices 0, 1, 2) and the three unit choosers.
struct DutyTexts
{
    std::string resistance;
    std::string flow;
    std::string staticHead;
    std::string resistanceUnit = "mH2O";
    std::string flowUnit = "m3/h";
    std::string staticHeadUnit = "mH2O";
};

// A failed check: the message to show and the duty box (Text1 index) that
// receives the focus.
struct ValidationFailure
{
    std::string message;
    int focusIndex = 0;
};

// Reads, converts and validates the duty. Checks run in the order resistance,
// flow, static head and stop at the first failure.
Expected<SelectionRequest, ValidationFailure> readSelectionRequest(const DutyTexts& texts);

} // namespace tarnwick
