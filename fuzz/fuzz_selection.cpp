// The design selection and the check calculation on arbitrary catalogues.
//
// The input bytes describe a duty and a small catalogue (see CatalogueReader);
// running out of bytes reads zeros. The design runs twice, with the index
// that finds each pump's points and with the literal whole-table count and
// search, which must agree; then every model of the catalogue, and one that is
// not in it, is checked. Whatever the points hold (NaN, infinities, huge and
// tiny values, zero and negative flows and powers, duplicated points,
// scattered runs), nothing that reaches a result row, a label or a list entry
// may be other than a plain finite figure.
//
// With FUZZ_SELECTION_DESCRIBE set in the environment the decoded catalogue
// and the results are printed, to read a finding.

#include "core/catalogueindex.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/selection.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

using namespace tarnwick;

namespace {

bool describe = false;

class CatalogueReader
{
public:
    CatalogueReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::uint16_t u16()
    {
        const std::uint16_t low = byte();
        return static_cast<std::uint16_t>(low | (byte() << 8));
    }
    std::uint32_t u32()
    {
        const std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16);
    }
    std::uint64_t u64()
    {
        const std::uint64_t low = u32();
        return low | (static_cast<std::uint64_t>(u32()) << 32);
    }

    // A duty text: a tag byte, then by its two low bits: the shortest text of
    // any double (8 bytes of bits), a sixteenth (2 bytes), one of a list of
    // edge texts, or a 256th (2 bytes).
    std::string dutyText()
    {
        static constexpr std::array<const char*, 16> edges = {
            "0", "", "204", "10000", "1e-150", "0.0", "1e-154", "2.4375", "25", "40", "0.0001", "9999.9999",
            "1e-5", "203.99999", "1e-320", "4.9e-324"};
        const std::uint8_t tag = byte();
        switch (tag & 3) {
        case 0:
            return roundTripText(std::bit_cast<double>(u64()));
        case 1:
            return roundTripText(u16() / 16.0);
        case 2:
            return edges[(tag >> 2) % edges.size()];
        default:
            return roundTripText(u16() / 256.0);
        }
    }

    // A stored 32-bit value: a tag byte, then by its three low bits: raw bits,
    // a sixteenth, a negative sixteenth, an edge value, the previous value of
    // the same field again, a 16-bit integer scaled by a power of two from
    // 2^-16 to 2^15, or a small step from the previous value.
    float value(float& previous)
    {
        static constexpr std::array<float, 16> edges = {
            std::numeric_limits<float>::quiet_NaN(),
            std::numeric_limits<float>::infinity(),
            -std::numeric_limits<float>::infinity(),
            0.0f,
            -0.0f,
            std::numeric_limits<float>::max(),
            -std::numeric_limits<float>::max(),
            std::numeric_limits<float>::min(),
            std::numeric_limits<float>::denorm_min(),
            1e-30f,
            1e30f,
            1e19f,
            1e-7f,
            65504.0f,
            3e38f,
            1.0f,
        };
        const std::uint8_t tag = byte();
        float v = 0.0f;
        switch (tag & 7) {
        case 0:
            v = std::bit_cast<float>(u32());
            break;
        case 1:
        case 6:
            v = static_cast<float>(u16()) / 16.0f;
            break;
        case 2:
            v = -static_cast<float>(u16()) / 16.0f;
            break;
        case 3:
            v = edges[(tag >> 3) % edges.size()];
            break;
        case 4:
            v = previous;
            break;
        case 5:
            v = std::ldexp(static_cast<float>(u16()), static_cast<int>((tag >> 3) % 32) - 16);
            break;
        default:
            v = previous + static_cast<float>(static_cast<std::int8_t>(byte())) / 16.0f;
            break;
        }
        previous = v;
        return v;
    }

    // 1 to 20 pumps, each with a key (its own, one shared with other pumps,
    // -0 or empty), a model (its own or the previous pump's), a type, a speed
    // (none, the usual, an edge value or any 16-bit number) and 0 to 12
    // points. A point may carry another key, which scatters the runs.
    Catalogue catalogue()
    {
        static constexpr std::array<double, 8> speeds = {2900.0,
                                                         std::numeric_limits<double>::infinity(),
                                                         -std::numeric_limits<double>::infinity(),
                                                         1e300,
                                                         -5.0,
                                                         0.0,
                                                         1450.5,
                                                         std::numeric_limits<double>::quiet_NaN()};
        Catalogue c;
        const int pumps = 1 + byte() % 20;
        float previousFlow = 0.0f;
        float previousHead = 0.0f;
        float previousPower = 0.0f;
        for (int p = 0; p < pumps; ++p) {
            CataloguePump pump;
            const std::uint8_t keyByte = byte();
            if (keyByte == 255)
                pump.key = std::numeric_limits<double>::quiet_NaN();
            else if (keyByte == 254)
                pump.key = -0.0;
            else if (keyByte >= 128)
                pump.key = keyByte % 8;
            else
                pump.key = p + 1;
            const std::uint8_t modelByte = byte();
            pump.model = (modelByte % 8 == 7 && p > 0) ? c.pumps.back().model : "P" + std::to_string(p + 1);
            pump.type = "T" + std::to_string(modelByte % 3);
            const std::uint8_t speedByte = byte();
            switch (speedByte % 4) {
            case 0:
                break;
            case 1:
                pump.speed = 2900.0;
                break;
            case 2:
                pump.speed = speeds[(speedByte >> 2) % speeds.size()];
                break;
            default:
                pump.speed = u16();
                break;
            }
            const int points = byte() % 13;
            for (int k = 0; k < points; ++k) {
                CataloguePoint point;
                const std::uint8_t scatter = byte();
                point.key = (scatter & 0xF0) == 0xF0 ? static_cast<double>(scatter & 7) : pump.key;
                point.flow = value(previousFlow);
                point.head = value(previousHead);
                point.power = value(previousPower);
                c.points.push_back(point);
            }
            c.pumps.push_back(std::move(pump));
        }
        return c;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

[[noreturn]] void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "fuzz_selection: %s %s\n", what, detail.c_str());
    std::abort();
}

#define REQUIRE(condition, detail)                                                                                     \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fail("invariant failed: " #condition, detail);                                                             \
    } while (false)

bool isPlainText(const std::string& text)
{
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos;
}

bool finite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

void checkRow(const SelectionResult& row, const SelectionRequest& request, const char* method, const std::string& model)
{
    REQUIRE(row.method == method, model);
    REQUIRE(row.model == model, model);
    REQUIRE(row.resistance == request.resistance && row.flow == request.flow && row.staticHead == request.staticHead,
            model);
    REQUIRE(finite({row.resistance, row.flow, static_cast<double>(row.staticHead),
                    static_cast<double>(row.bestEfficiency), row.operatingHead, row.operatingFlow,
                    row.operatingEfficiency}),
            model);
    for (double figure : {static_cast<double>(row.bestEfficiency), row.operatingHead, row.operatingFlow,
                          row.operatingEfficiency})
        REQUIRE(isPlainText(numberText(figure)), model);
}

void checkFits(const CurveFit& head, const CurveFit& power, const std::string& model)
{
    REQUIRE(head.finite() && !head.failed(), model);
    REQUIRE(power.finite() && !power.failed(), model);
}

bool sameRows(const SelectionResult& a, const SelectionResult& b)
{
    auto same = [](double x, double y) { return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y); };
    return a.method == b.method && a.model == b.model && same(a.resistance, b.resistance) && same(a.flow, b.flow) &&
           same(a.staticHead, b.staticHead) && same(a.bestEfficiency, b.bestEfficiency) &&
           same(a.operatingHead, b.operatingHead) && same(a.operatingFlow, b.operatingFlow) &&
           same(a.operatingEfficiency, b.operatingEfficiency);
}

bool isDutyMessage(const std::string& message)
{
    return message == text::kResistanceOutOfRange || message == text::kFlowOutOfRange ||
           message == text::kStaticHeadOutOfRange;
}

void checkDesign(const Catalogue& catalogue, const DutyTexts& texts)
{
    const auto design = runDesignSelection(catalogue, texts);
    const auto literal = runDesignSelection(
        catalogue, texts, [&catalogue](double key) { return literalPointRun(catalogue.points, key); });

    REQUIRE(design.ok() == literal.ok(), std::string("index and literal reading disagree on the outcome"));
    if (!design) {
        REQUIRE(design.error().focus == CalculationStop::Focus::DutyBox, design.error().message);
        REQUIRE(isDutyMessage(design.error().message), design.error().message);
        REQUIRE(design.error().message == literal.error().message, design.error().message);
        return;
    }
    const DesignSelection& s = design.value();
    const DesignSelection& l = literal.value();
    if (describe)
        std::fprintf(stderr, "design: %zu candidates\n", s.candidates.size());

    REQUIRE(s.rows.size() == s.candidates.size(), std::string());
    if (s.candidates.empty()) {
        REQUIRE(s.entries.size() == 1 && s.entries[0] == text::kNoPumpFound && !s.listEnabled, std::string());
    } else {
        REQUIRE(s.entries.size() == s.candidates.size() && s.listEnabled, std::string());
    }

    REQUIRE(l.candidates.size() == s.candidates.size(), std::string("index and literal reading disagree"));
    for (std::size_t k = 0; k < s.rows.size(); ++k)
        REQUIRE(sameRows(s.rows[k], l.rows[k]), s.rows[k].model);

    const double q = s.request.flow;
    const double r = s.request.resistance;
    for (std::size_t k = 0; k < s.candidates.size(); ++k) {
        const DesignCandidate& c = s.candidates[k];
        if (describe)
            std::fprintf(stderr, "  %s Qop %.17g Hop %.17g eta %.17g best %.9g\n", c.model.c_str(), c.operatingFlow,
                         c.operatingHead, c.operatingEfficiency, static_cast<double>(c.bestEfficiency));
        REQUIRE(finite({static_cast<double>(c.maxFlow), static_cast<double>(c.maxHead),
                        static_cast<double>(c.maxPower), c.operatingFlow, c.operatingHead, c.operatingEfficiency,
                        static_cast<double>(c.bestEfficiency), c.operatingPower}),
                c.model);
        checkFits(c.headFit, c.powerFit, c.model);
        // The acceptance rules hold for what was accepted (a NaN would slip
        // through every one of them).
        const double headExcess = (c.operatingHead - r) / r;
        const double flowExcess = (c.operatingFlow - q) / q;
        REQUIRE(headExcess > 0.0 && headExcess <= 0.2, c.model);
        REQUIRE(flowExcess > 0.0 && flowExcess <= 0.2, c.model);
        REQUIRE(static_cast<double>(c.bestEfficiency) > 15.0, c.model);
        REQUIRE(static_cast<double>(c.bestEfficiency) - 15.0 <= c.operatingEfficiency, c.model);

        checkRow(s.rows[k], s.request, text::kMethodDesign, c.model);
        REQUIRE(s.entries[k] == designEntryText(c.model, c.speed), c.model);
        REQUIRE(isPlainText(s.entries[k]), s.entries[k]);
        for (const std::string& label : operatingParameterLabels(c))
            REQUIRE(isPlainText(label), label);
    }
}

void checkModel(const Catalogue& catalogue, const DutyTexts& texts, const std::string& model)
{
    const auto checked = runCheckCalculation(catalogue, texts, model);
    if (!checked) {
        const CalculationStop& stop = checked.error();
        if (describe)
            std::fprintf(stderr, "check %s: %s\n", model.c_str(), stop.message.c_str());
        if (stop.focus == CalculationStop::Focus::DutyBox) {
            REQUIRE(isDutyMessage(stop.message), stop.message);
            return;
        }
        static const std::array<const char*, 6> messages = {
            text::kChooseModelFromList, text::kFlowUnsuitable, text::kPressureUnsuitable,
            text::kHeadUnsuitable,      text::kEfficiencyTooLow, text::kNoCurveData};
        REQUIRE(std::find(messages.begin(), messages.end(), stop.message) != messages.end(), stop.message);
        return;
    }
    const CheckedPump& c = checked.value();
    if (describe)
        std::fprintf(stderr, "check %s: passed, Qop %.17g Hop %.17g\n", model.c_str(), c.operatingFlow,
                     c.operatingHead);
    REQUIRE(c.model == model, model);
    REQUIRE(finite({static_cast<double>(c.maxFlow), static_cast<double>(c.maxHead), static_cast<double>(c.maxPower),
                    c.operatingFlow, c.operatingHead, c.operatingPower, c.operatingEfficiency,
                    static_cast<double>(c.bestEfficiency)}),
            model);
    checkFits(c.headFit, c.powerFit, model);
    const double q = c.request.flow;
    const double r = c.request.resistance;
    REQUIRE(c.operatingFlow / q >= 0.5 && c.operatingFlow / q <= 2.0, model);
    REQUIRE(c.operatingHead / r >= 0.5 && c.operatingHead / r <= 2.0, model);
    REQUIRE(static_cast<double>(c.bestEfficiency) - 30.0 <= c.operatingEfficiency, model);
    checkRow(c.row, c.request, text::kMethodCheck, model);
    for (const std::string& label : c.labels)
        REQUIRE(isPlainText(label), label);
}

void print(const Catalogue& catalogue, const DutyTexts& texts)
{
    std::fprintf(stderr, "duty: R [%s] Q [%s] Hst [%s]\n", texts.resistance.c_str(), texts.flow.c_str(),
                 texts.staticHead.c_str());
    for (const CataloguePump& p : catalogue.pumps)
        std::fprintf(stderr, "pump %s key %g type %s speed %s\n", p.model.c_str(), p.key, p.type.c_str(),
                     p.speed ? numberText(*p.speed).c_str() : "-");
    for (const CataloguePoint& p : catalogue.points)
        std::fprintf(stderr, "  point key %g Q %.9g H %.9g N %.9g\n", p.key, static_cast<double>(p.flow),
                     static_cast<double>(p.head), static_cast<double>(p.power));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    describe = std::getenv("FUZZ_SELECTION_DESCRIBE") != nullptr;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CatalogueReader reader(data, size);
    DutyTexts texts;
    texts.resistance = reader.dutyText();
    texts.flow = reader.dutyText();
    texts.staticHead = reader.dutyText();
    const Catalogue catalogue = reader.catalogue();
    if (describe)
        print(catalogue, texts);

    checkDesign(catalogue, texts);

    std::vector<std::string> models;
    for (const CataloguePump& pump : catalogue.pumps) {
        if (std::find(models.begin(), models.end(), pump.model) == models.end())
            models.push_back(pump.model);
    }
    models.emplace_back("NOT-IN-CATALOGUE");
    for (const std::string& model : models)
        checkModel(catalogue, texts, model);
    return 0;
}
