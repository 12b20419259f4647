// Reading and validating the duty from arbitrary texts.
//
// Input: up to six fields separated by '|': resistance, flow and static head
// texts, then the resistance, flow and static head unit texts. A unit field of
// one digit 0-6 picks that item of the unit list; anything else is taken as
// the chooser's text (which converts nothing unless it names a unit). Missing
// fields are empty texts and the default units. Example: "25|40|2.4375|3|4|3".

#include "core/messages.h"
#include "core/numbers.h"
#include "core/units.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace tarnwick;

namespace {

[[noreturn]] void fail(const char* what, const DutyTexts& texts)
{
    std::fprintf(stderr, "fuzz_duty: %s\n  texts: [%s] [%s] [%s] units [%s] [%s] [%s]\n", what, texts.resistance.c_str(),
                 texts.flow.c_str(), texts.staticHead.c_str(), texts.resistanceUnit.c_str(), texts.flowUnit.c_str(),
                 texts.staticHeadUnit.c_str());
    std::abort();
}

#define REQUIRE(condition)                                                                                             \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fail("invariant failed: " #condition, texts);                                                              \
    } while (false)

std::vector<std::string> splitFields(std::string_view input)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() < 5) {
        const std::size_t bar = input.find('|', start);
        if (bar == std::string_view::npos)
            break;
        fields.emplace_back(input.substr(start, bar - start));
        start = bar + 1;
    }
    fields.emplace_back(input.substr(start));
    return fields;
}

template <typename Items> std::string unitText(const std::string& field, const Items& items)
{
    if (field.size() == 1 && field[0] >= '0' && field[0] < '0' + static_cast<int>(items.size()))
        return std::string(items[static_cast<std::size_t>(field[0] - '0')]);
    return field;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The same number read by the C library: blanks dropped, the longest prefix of
// the form [sign] digits [. digits] [E|D [sign] digits] handed to strtod with
// D written as e. Val must agree with it on every text.
double referenceValue(std::string_view text)
{
    std::string compact;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact.push_back(c);
    }
    std::size_t i = 0;
    std::string number;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-'))
        number.push_back(compact[i++]);
    bool point = false;
    bool digits = false;
    for (; i < compact.size(); ++i) {
        if (isDigit(compact[i])) {
            digits = true;
            number.push_back(compact[i]);
        } else if (compact[i] == '.' && !point) {
            point = true;
            number.push_back('.');
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    if (i < compact.size() &&
        (compact[i] == 'E' || compact[i] == 'e' || compact[i] == 'D' || compact[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
            exponent.push_back(compact[j++]);
        const std::size_t firstDigit = j;
        for (; j < compact.size() && isDigit(compact[j]); ++j)
            exponent.push_back(compact[j]);
        if (j > firstDigit)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

void checkVal(const std::string& text, const DutyTexts& texts)
{
    const double value = Val(text);
    REQUIRE(!std::isnan(value));
    const double reference = referenceValue(text);
    if (!(value == reference)) {
        std::fprintf(stderr, "fuzz_duty: Val gives %.17g, strtod %.17g\n", value, reference);
        fail("Val disagrees with strtod", texts);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> fields = splitFields(std::string_view(reinterpret_cast<const char*>(data), size));
    auto field = [&fields](std::size_t i) { return i < fields.size() ? fields[i] : std::string(); };

    DutyTexts texts;
    texts.resistance = field(0);
    texts.flow = field(1);
    texts.staticHead = field(2);
    if (fields.size() > 3)
        texts.resistanceUnit = unitText(fields[3], PressureUnit::items);
    if (fields.size() > 4)
        texts.flowUnit = unitText(fields[4], FlowUnit::items);
    if (fields.size() > 5)
        texts.staticHeadUnit = unitText(fields[5], PressureUnit::items);

    checkVal(texts.resistance, texts);
    checkVal(texts.flow, texts);
    checkVal(texts.staticHead, texts);

    const auto result = readSelectionRequest(texts);
    if (result) {
        const SelectionRequest& r = result.value();
        REQUIRE(std::isfinite(r.resistance) && r.resistance > 0.0 && r.resistance <= 204.0);
        REQUIRE(std::isfinite(r.flow) && r.flow > 0.0 && r.flow <= 10000.0);
        REQUIRE(std::isfinite(r.staticHead) && r.staticHead >= 0.0f && r.staticHead <= 204.0f);
        REQUIRE(r.staticHead != 0.0f || texts.staticHead == "0");
        REQUIRE(r.staticHeadText == texts.staticHead);
        REQUIRE(std::isfinite(r.systemCoefficient) && r.systemCoefficient >= 0.0);
        // The shown figures of the duty are plain numbers.
        for (double v : {r.resistance, r.flow, static_cast<double>(r.staticHead), r.systemCoefficient}) {
            const std::string shown = numberText(v);
            REQUIRE(shown.find("NaN") == std::string::npos && shown.find("Inf") == std::string::npos);
        }
    } else {
        const ValidationFailure& f = result.error();
        const bool known = (f.message == text::kResistanceOutOfRange && f.focusIndex == 0) ||
                           (f.message == text::kFlowOutOfRange && f.focusIndex == 1) ||
                           (f.message == text::kStaticHeadOutOfRange && f.focusIndex == 2);
        REQUIRE(known);
    }

    // The same texts read the same way twice.
    const auto again = readSelectionRequest(texts);
    REQUIRE(again.ok() == result.ok());
    if (result) {
        REQUIRE(again->resistance == result->resistance && again->flow == result->flow &&
                again->staticHead == result->staticHead && again->systemCoefficient == result->systemCoefficient);
    } else {
        REQUIRE(again.error().message == result.error().message && again.error().focusIndex == result.error().focusIndex);
    }
    return 0;
}
