#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tarnwick {

namespace {

bool isDroppedBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

double Val(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!isDroppedBlank(c))
            compact.push_back(c);
    }

    std::size_t i = 0;
    bool negative = false;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) {
        negative = compact[i] == '-';
        ++i;
    }

    // Mantissa: digits with at most one decimal point.
    std::string mantissa;
    bool seenPoint = false;
    long long digitsBeforePoint = 0;
    long long digitCount = 0;
    long long firstSignificant = -1; // index among the digits
    for (; i < compact.size(); ++i) {
        const char c = compact[i];
        if (isDigit(c)) {
            if (firstSignificant < 0 && c != '0')
                firstSignificant = digitCount;
            ++digitCount;
            if (!seenPoint)
                ++digitsBeforePoint;
            mantissa.push_back(c);
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            mantissa.push_back(c);
        } else {
            break;
        }
    }
    if (digitCount == 0 || firstSignificant < 0)
        return 0.0;

    // Exponent: a letter, an optional sign and at least one digit; otherwise the
    // letter ends the number.
    long long exponent = 0;
    if (i < compact.size() && (compact[i] == 'E' || compact[i] == 'e' || compact[i] == 'D' || compact[i] == 'd')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-')) {
            exponentNegative = compact[j] == '-';
            ++j;
        }
        for (; j < compact.size() && isDigit(compact[j]); ++j) {
            // Beyond a few thousand every double has over- or underflowed.
            if (exponent < 100000)
                exponent = exponent * 10 + (compact[j] - '0');
        }
        if (exponentNegative)
            exponent = -exponent;
    }

    std::string number = mantissa;
    if (exponent != 0) {
        number.push_back('e');
        number += std::to_string(exponent);
    }

    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Over- or underflow: the decimal exponent of the leading digit decides.
        const long long magnitude = exponent + digitsBeforePoint - 1 - firstSignificant;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::string numberText(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    if (value == 0.0)
        return "0";
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (ec != std::errc())
        return {};
    std::string text(buffer, end);
    // to_chars writes "1e+20"; the program has always written "1E+20".
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
    }
    return text;
}

std::string roundTripText(double value)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc())
        return {};
    return std::string(buffer, end);
}

namespace {

bool isExactFloat(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return false;
    return static_cast<double>(static_cast<float>(value)) == value;
}

// The shortest decimal that reads back as the 32-bit value, as a double.
double shortestFloatDecimal(float value)
{
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    double decimal = 0.0;
    const auto read = std::from_chars(buffer, written.ptr, decimal);
    return read.ec == std::errc() ? decimal : static_cast<double>(value);
}

} // namespace

double displayNumberValue(double value, bool stored32Bit)
{
    if (stored32Bit && isExactFloat(value))
        return shortestFloatDecimal(static_cast<float>(value));
    return value;
}

std::string displayNumberText(double value, bool stored32Bit)
{
    return numberText(displayNumberValue(value, stored32Bit));
}

double roundedToTenth(double value)
{
    return std::floor(10.0 * value + 0.5) / 10.0;
}

double wholePercent(double value)
{
    return std::floor(value);
}

float bestEfficiencyFigure(float value)
{
    return std::floor(value) + 1.0f;
}

} // namespace tarnwick
