#pragma once

// Small helpers shared by the core tests: exact comparisons with readable
// failure output, and builders for in-memory catalogues.

#include "core/selection.h"

#include <QString>
#include <QStringList>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace coretesting {

inline QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

inline std::uint32_t bitsOf(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

inline float fromBits(std::uint32_t bits)
{
    return std::bit_cast<float>(bits);
}

inline QString exactText(double value)
{
    return QString::number(value, 'g', 17);
}

// Coefficients or other float lists as text, so that a failed comparison shows them.
template <typename Floats> QString floatsText(const Floats& values)
{
    QStringList texts;
    for (float v : values)
        texts << QString::number(double(v), 'g', 9);
    return texts.join(QLatin1Char(' '));
}

template <typename Words> QString bitsText(const Words& values)
{
    QStringList texts;
    for (std::uint32_t v : values)
        texts << QStringLiteral("0x%1").arg(v, 8, 16, QLatin1Char('0'));
    return texts.join(QLatin1Char(' '));
}

// Exact equality, except that an expected NaN matches any NaN.
inline bool sameValue(double actual, double expected)
{
    if (std::isnan(expected))
        return std::isnan(actual);
    return actual == expected;
}

} // namespace coretesting

// Exact comparison of floating-point values (QCOMPARE on doubles is fuzzy).
#define COMPARE_EXACT(actual, expected)                                                                                \
    do {                                                                                                               \
        const double actualValue_ = static_cast<double>(actual);                                                       \
        const double expectedValue_ = static_cast<double>(expected);                                                   \
        QVERIFY2(coretesting::sameValue(actualValue_, expectedValue_),                                                 \
                 qPrintable(QStringLiteral("%1: got %2, expected %3")                                                  \
                                .arg(QString::fromUtf8(#actual), coretesting::exactText(actualValue_),                 \
                                     coretesting::exactText(expectedValue_))));                                        \
    } while (false)

// The 32-bit pattern of a float, so that a failure shows both patterns.
#define COMPARE_FLOAT_BITS(actual, expectedBits) QCOMPARE(coretesting::bitsOf(actual), std::uint32_t(expectedBits))

namespace coretesting {

using tarnwick::Catalogue;
using tarnwick::CataloguePoint;
using tarnwick::CataloguePump;

struct Point
{
    float flow;
    float head;
    float power;
};
using Points = std::vector<Point>;

// Appends a pump and its points as one run at the end of the points table.
inline void addPump(Catalogue& catalogue, double key, const std::string& model, const Points& points,
                    std::optional<double> speed = 2900.0, const std::string& type = "ISG")
{
    catalogue.pumps.push_back({key, model, type, speed});
    for (const Point& p : points)
        catalogue.points.push_back({key, p.flow, p.head, p.power});
}

inline Catalogue singlePump(const std::string& model, const Points& points)
{
    Catalogue catalogue;
    addPump(catalogue, 1.0, model, points);
    return catalogue;
}

// Heads on H = c1 + c2 Q + c3 Q^2 at flows 0, 32, 32 and 64. With heads that
// are short binary fractions the sums of the normal equations and every step
// of the factorisation stay exact, so the fit returns the curve itself and
// operating points can be placed exactly (make_reference_values.py checks
// each pump built this way).
inline Points quadraticPump(double c1, double c2, double c3, double power)
{
    Points points;
    for (double q : {0.0, 32.0, 32.0, 64.0}) {
        const double head = c1 + c2 * q + c3 * q * q;
        if (static_cast<double>(static_cast<float>(head)) != head)
            qFatal("head %.17g at flow %g is not a 32-bit number", head, q);
        points.push_back({static_cast<float>(q), static_cast<float>(head), static_cast<float>(power)});
    }
    return points;
}

inline tarnwick::DutyTexts duty(const char* resistance, const char* flow, const char* staticHead)
{
    return tarnwick::DutyTexts{resistance, flow, staticHead};
}

// The duty most hand-built pumps are made for: S = 25 / 40^2 = 1/64.
inline tarnwick::DutyTexts standardDuty()
{
    return duty("25", "40", "2.4375");
}

// H = c1 - 2 Q + Q^2 / 64 against the standard duty: the difference to the
// system curve is the straight line c1 - 2.4375 - 2 Q, so Newton lands on its
// root exactly; c1 = 2.4375 + 2 Qop.
inline Points straightDifferencePump(double c1, double power = 5.0)
{
    return quadraticPump(c1, -2.0, 1.0 / 64.0, power);
}

} // namespace coretesting

Q_DECLARE_METATYPE(coretesting::Points)
Q_DECLARE_METATYPE(tarnwick::Catalogue)
Q_DECLARE_METATYPE(tarnwick::DutyTexts)
