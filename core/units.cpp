#include "core/units.h"

#include "core/messages.h"
#include "core/numbers.h"

#include <cmath>

namespace tarnwick {

namespace {

constexpr double kLimitMetres = 204.0;     // 2 MPa at 102 m per MPa
constexpr double kFlowLimit = 10000.0;     // m3/h

} // namespace

double FlowUnit::toCubicMetresPerHour(double v, std::string_view unitText)
{
    if (unitText == "kg/h" || unitText == "L/h")
        return v / 1000.0;
    if (unitText == "kg/s" || unitText == "L/s")
        return v * 3.6;
    if (unitText == "m3/s")
        return v * 3600.0;
    return v; // "m3/h", "t/h" and any text that names no converting unit
}

double PressureUnit::toMetresOfWater(double v, std::string_view unitText)
{
    if (unitText == "atm")
        return v * 10.33;
    if (unitText == "bar")
        return v * 10.2;
    if (unitText == "kgf/cm2")
        return v * 10.0;
    if (unitText == "mmH2O")
        return v / 1000.0;
    if (unitText == "MPa")
        return v * 102.0;
    if (unitText == "Pa")
        return v * 0.000102;
    return v; // "mH2O" and any text that names no converting unit
}

Expected<SelectionRequest, ValidationFailure> readSelectionRequest(const DutyTexts& texts)
{
    using Result = Expected<SelectionRequest, ValidationFailure>;

    SelectionRequest request;
    request.resistance = Val(texts.resistance);
    request.flow = Val(texts.flow);
    request.staticHead = static_cast<float>(Val(texts.staticHead));
    request.staticHeadText = texts.staticHead;

    request.flow = FlowUnit::toCubicMetresPerHour(request.flow, texts.flowUnit);
    request.resistance = PressureUnit::toMetresOfWater(request.resistance, texts.resistanceUnit);
    request.staticHead = static_cast<float>(PressureUnit::toMetresOfWater(request.staticHead, texts.staticHeadUnit));

    // Negative values (only pasting brings them) fail the range check like any
    // other value outside "0 to 2 MPa"; NaN cannot come from reading a text.
    if (!(request.resistance > 0.0) || request.resistance > kLimitMetres)
        return Result::failure({text::kResistanceOutOfRange, 0});

    // A flow whose square underflows to 0 would leave the system curve without
    // a coefficient: it fails as a flow out of range.
    if (!(request.flow > 0.0) || request.flow > kFlowLimit)
        return Result::failure({text::kFlowOutOfRange, 1});
    const double coefficient = request.resistance / (request.flow * request.flow);
    if (!std::isfinite(coefficient))
        return Result::failure({text::kFlowOutOfRange, 1});

    const bool zeroAllowed = texts.staticHead == "0";
    if ((request.staticHead == 0.0f && !zeroAllowed) || request.staticHead < 0.0f ||
        static_cast<double>(request.staticHead) > kLimitMetres)
        return Result::failure({text::kStaticHeadOutOfRange, 2});

    request.systemCoefficient = coefficient;
    return request;
}

} // namespace tarnwick
