#include "core/curvefit.h"

#include "core/selectionrules.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarnwick {

namespace {

constexpr double kTolerance = 0.0001;

float f32(double v)
{
    return static_cast<float>(v);
}

// ((c1 + c2 Q) + c3 Q^2) + c4 Q^3, left to right in 64-bit.
double cubicAt(float c1, float c2, double c3, float c4, double q)
{
    return ((static_cast<double>(c1) + static_cast<double>(c2) * q) + c3 * (q * q)) +
           static_cast<double>(c4) * std::pow(q, 3.0);
}

} // namespace

bool CurveFit::finite() const
{
    return std::all_of(c.begin(), c.end(), [](float v) { return std::isfinite(v); });
}

double CurveFit::valueAt(double q) const
{
    return cubicAt(c[0], c[1], static_cast<double>(c[2]), c[3], q);
}

double CurveFit::slopeAt(double q) const
{
    return (static_cast<double>(c[1]) + static_cast<double>(f32(2.0 * static_cast<double>(c[2]))) * q) +
           static_cast<double>(f32(3.0 * static_cast<double>(c[3]))) * (q * q);
}

namespace {

// The powers x^0 … x^6 of one flow, each the very value std::pow(x, e)
// gives: x^0 and x^1 are exact, and so is x^2, since a 32-bit value squared
// fits a double and pow, less than one unit in the last place off, cannot miss
// a result that is representable; the higher ones come from pow.
std::array<double, 7> powersOf(float x)
{
    const double xk = static_cast<double>(x);
    return {1.0, xk, xk * xk, std::pow(xk, 3.0), std::pow(xk, 4.0), std::pow(xk, 5.0), std::pow(xk, 6.0)};
}

void clear(NormalEquations& eq)
{
    for (auto& row : eq.a)
        row.fill(0.0f);
    eq.b.fill(0.0f);
}

void addPoint(NormalEquations& eq, const std::array<double, 7>& p, float y)
{
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            eq.a[i][j] = f32(static_cast<double>(eq.a[i][j]) + p[i + j]);
    }
    for (int i = 0; i < 4; ++i)
        eq.b[i] = f32(static_cast<double>(eq.b[i]) + static_cast<double>(y) * p[i]);
}

} // namespace

void normalequations(NormalEquations& eq, const std::vector<float>& y, const std::vector<float>& x)
{
    clear(eq);
    const std::size_t n = std::min(x.size(), y.size());
    for (std::size_t k = 0; k < n; ++k)
        addPoint(eq, powersOf(x[k]), y[k]);
}

void lusolve(const NormalEquations& eq, CurveFit& fit, int order)
{
    const int m = std::clamp(order, 1, 4);
    float l[4][4] = {};
    float u[4][4] = {};
    float z[4] = {};

    auto fail = [&fit] { fit.c[0] = CurveFit::kFailureMarker; };

    for (int i = 0; i < m; ++i) {
        for (int j = i; j < m; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < i; ++k)
                sum = f32(sum + f32(l[i][k] * u[k][j]));
            u[i][j] = f32(eq.a[i][j] - sum);
        }
        for (int j = i + 1; j < m; ++j) {
            if (u[i][i] == 0.0f)
                return fail();
            float sum = 0.0f;
            for (int k = 0; k < i; ++k)
                sum = f32(sum + f32(l[j][k] * u[k][i]));
            l[j][i] = f32(f32(eq.a[j][i] - sum) / u[i][i]);
        }
    }

    z[0] = eq.b[0];
    for (int i = 1; i < m; ++i) {
        float sum = 0.0f;
        for (int k = 0; k < i; ++k)
            sum = f32(sum + f32(l[i][k] * z[k]));
        z[i] = f32(eq.b[i] - sum);
    }

    if (u[m - 1][m - 1] == 0.0f)
        return fail();
    float c[4] = {};
    c[m - 1] = f32(z[m - 1] / u[m - 1][m - 1]);
    for (int i = m - 2; i >= 0; --i) {
        float sum = 0.0f;
        for (int k = i + 1; k < m; ++k)
            sum = f32(sum + f32(u[i][k] * c[k]));
        if (u[i][i] == 0.0f)
            return fail();
        c[i] = f32(f32(z[i] - sum) / u[i][i]);
    }
    for (int i = 0; i < 4; ++i)
        fit.c[i] = i < m ? c[i] : 0.0f;
}

namespace {

// The degree the flows determine: the number of distinct flows, at most 4. A
// non-finite flow makes the count meaningless; the full solve then yields a
// non-finite fit, which callers reject.
int fitOrder(const std::vector<float>& x)
{
    std::vector<float> distinct;
    distinct.reserve(x.size());
    bool allFinite = true;
    for (float v : x) {
        if (std::isfinite(v))
            distinct.push_back(v);
        else
            allFinite = false;
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    return allFinite ? static_cast<int>(std::min<std::size_t>(distinct.size(), 4)) : 4;
}

CurveFit solved(const NormalEquations& eq, int order)
{
    CurveFit fit;
    if (order < 2) {
        fit.c[0] = CurveFit::kFailureMarker;
        return fit;
    }
    lusolve(eq, fit, order);
    return fit;
}

} // namespace

CurveFit fitCurve(const std::vector<float>& y, const std::vector<float>& x)
{
    const int order = fitOrder(x);
    NormalEquations eq;
    if (order >= 2)
        normalequations(eq, y, x);
    return solved(eq, order);
}

CurveFitPair fitCurves(const std::vector<float>& head, const std::vector<float>& power, const std::vector<float>& x)
{
    const int order = fitOrder(x);
    NormalEquations h;
    NormalEquations p;
    if (order >= 2) {
        clear(h);
        clear(p);
        const std::size_t nh = std::min(x.size(), head.size());
        const std::size_t np = std::min(x.size(), power.size());
        for (std::size_t k = 0; k < std::max(nh, np); ++k) {
            const std::array<double, 7> powers = powersOf(x[k]);
            if (k < nh)
                addPoint(h, powers, head[k]);
            if (k < np)
                addPoint(p, powers, power[k]);
        }
    }
    return {solved(h, order), solved(p, order)};
}

float efficency(const std::vector<float>& heads, const std::vector<float>& flows, const std::vector<float>& powers,
                std::vector<float>& work)
{
    const std::size_t n = std::min({heads.size(), flows.size(), powers.size()});
    work.assign(n, 0.0f);
    for (std::size_t k = 0; k < n; ++k) {
        if (powers[k] == 0.0f)
            return 0.0f;
        work[k] = f32((static_cast<double>(flows[k]) * static_cast<double>(heads[k])) /
                      (static_cast<double>(powers[k]) * rules::kEfficiencyPercentFactor));
    }
    if (n == 0)
        return 0.0f;
    float best = work[0];
    for (std::size_t k = 1; k < n; ++k) {
        if (work[k] > best)
            best = work[k];
    }
    return best;
}

double pointEfficiency(double flow, double head, double power)
{
    return (flow * head) / (rules::kEfficiencyPercentFactor * power);
}

OperatingPoint findOperatingPoint(const CurveFit& headFit, double systemCoefficient, float staticHead,
                                  double designFlow)
{
    OperatingPoint result;
    const float c3p = f32(static_cast<double>(headFit.c[2]) - systemCoefficient);
    result.adjustedC3 = c3p;
    const double twoC3 = static_cast<double>(f32(2.0 * static_cast<double>(c3p)));
    const double threeC4 = static_cast<double>(f32(3.0 * static_cast<double>(headFit.c[3])));
    const double hst = static_cast<double>(staticHead);

    auto F = [&](double q) { return cubicAt(headFit.c[0], headFit.c[1], static_cast<double>(c3p), headFit.c[3], q) - hst; };
    auto D = [&](double q) { return (static_cast<double>(headFit.c[1]) + twoC3 * q) + threeC4 * (q * q); };

    double q0 = designFlow;
    double f0 = F(q0);
    double d0 = D(q0);
    result.flow = q0;
    if (d0 == 0.0) {
        result.outcome = OperatingPoint::Outcome::ZeroDerivativeAtStart;
        return result;
    }
    if (!std::isfinite(f0) || !std::isfinite(d0))
        return result; // NoSolution

    double q1 = q0 - f0 / d0;
    result.updates = 1;
    for (;;) {
        const double f1 = F(q1);
        const double d1 = static_cast<double>(f32(D(q1)));
        result.flow = q1;
        if (!std::isfinite(q1) || !std::isfinite(f1) || !std::isfinite(d1)) {
            result.outcome = OperatingPoint::Outcome::NoSolution;
            return result;
        }
        if (std::fabs(q1 - q0) < kTolerance && std::fabs(f1 - f0) < kTolerance) {
            result.outcome = OperatingPoint::Outcome::Converged;
            return result;
        }
        q0 = q1;
        f0 = f1;
        d0 = d1;
        if (d0 == 0.0) {
            result.outcome = OperatingPoint::Outcome::ZeroDerivativeAfterStep;
            return result;
        }
        if (result.updates >= kMaxOperatingPointUpdates) {
            result.outcome = OperatingPoint::Outcome::NoSolution;
            return result;
        }
        q1 = q0 - f0 / d0;
        ++result.updates;
    }
}

double operatingHeadAt(const CurveFit& headFit, const OperatingPoint& point, double systemCoefficient)
{
    return cubicAt(headFit.c[0], headFit.c[1], static_cast<double>(point.adjustedC3) + systemCoefficient, headFit.c[3],
                   point.flow);
}

CurveFit chartHeadFit(const CurveFit& headFit, const OperatingPoint& point, double systemCoefficient)
{
    CurveFit fit = headFit;
    fit.c[2] = f32(static_cast<double>(point.adjustedC3) + systemCoefficient);
    return fit;
}

} // namespace tarnwick
