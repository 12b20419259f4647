#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Reads the leading number of a text the way the duty boxes have always been
// read: blanks, tabs and line feeds are dropped wherever they stand; then an
// optional sign, digits with at most one decimal point and an optional
// exponent (E, e, D or d, an optional sign, digits). Reading stops at the
// first character that cannot continue the number; no number gives 0.
// A magnitude beyond the double range gives an infinity (which every range
// check rejects), one below it gives 0.
double Val(std::string_view text);

// The plain decimal text of a number as the windows and the report show it:
// at most 15 significant digits, no trailing zeros, no thousands separators
// (72, 32.3, 100, 28.6).
std::string numberText(double value);

// A figure as the user sees it, in the report, the windows and the tool's
// text output alike: numberText, where a value held in 32 bits is first read
// as the shortest decimal that gives the same 32-bit value (a stored 2.1 is
// 2.0999999046325684 as a double, and shows as 2.1). A value that is not
// exactly a 32-bit one is shown as it is.
std::string displayNumberText(double value, bool stored32Bit);
double displayNumberValue(double value, bool stored32Bit);

// The shortest text that reads back as the same double (for machine-readable
// output).
std::string roundTripText(double value);

// The rounding of shown and stored figures.
double roundedToTenth(double value);  // floor(10x + 0.5) / 10
double wholePercent(double value);    // floor(x)
float bestEfficiencyFigure(float value); // floor(x) + 1, in 32-bit

} // namespace tarnwick
