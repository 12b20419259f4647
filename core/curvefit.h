#pragma once

#include <array>
#include <vector>

namespace tarnwick {

// The measured points of one pump in catalogue order: flow (m3/h), head (m)
// and shaft power (kW), each 32-bit as stored.
struct CurvePoints
{
    std::vector<float> flow;
    std::vector<float> head;
    std::vector<float> power;

    std::size_t size() const { return flow.size(); }
    void add(float q, float h, float n)
    {
        flow.push_back(q);
        head.push_back(h);
        power.push_back(n);
    }
};

// y(Q) = c1 + c2 Q + c3 Q^2 + c4 Q^3 with 32-bit coefficients; c[0] is c1.
struct CurveFit
{
    static constexpr float kFailureMarker = 10000000.0f;
    std::array<float, 4> c{};

    bool failed() const { return c[0] == kFailureMarker; }
    bool finite() const;
    double valueAt(double q) const;
    double slopeAt(double q) const;
};

// The normal equations of the least-squares cubic, 1-based as written: A(i,j)
// is a[i-1][j-1]. Every stored entry is 32-bit.
struct NormalEquations
{
    std::array<std::array<float, 4>, 4> a{};
    std::array<float, 4> b{};
};

// Fills A and B for the cubic fit of y over x: A(i,j) = sum x^(i+j-2),
// B(i) = sum y x^(i-1). Powers are formed in 64-bit; each addition is rounded
// to 32-bit.
void normalequations(NormalEquations& eq, const std::vector<float>& y, const std::vector<float>& x);

// Doolittle LU without pivoting on the leading `order` x `order` block
// (order 4 is the whole cubic). Every product, sum, difference and quotient is
// rounded to 32-bit. A pivot that is exactly 0 writes the failure marker into
// c1 and leaves the other coefficients as they were.
void lusolve(const NormalEquations& eq, CurveFit& fit, int order = 4);

// The fit a pump's curve gets: the cubic when its points hold at least four
// distinct flows. With fewer, the cubic is not determined, so the leading
// block of the same equations gives the polynomial of matching degree (three
// distinct flows: the quadratic) and the higher coefficients are 0; a single
// distinct flow fails.
CurveFit fitCurve(const std::vector<float>& y, const std::vector<float>& x);

// A pump's head and power fits over the same flows, each the very fit
// fitCurve gives; the flows' powers are formed once for both.
struct CurveFitPair
{
    CurveFit head;
    CurveFit power;
};
CurveFitPair fitCurves(const std::vector<float>& head, const std::vector<float>& power, const std::vector<float>& x);

// The highest point efficiency in percent, Q H / (3.672 N) per point rounded
// to 32-bit and kept in `work`. A point with zero shaft power returns 0 at once.
float efficency(const std::vector<float>& heads, const std::vector<float>& flows, const std::vector<float>& powers,
                std::vector<float>& work);

// Efficiency at an operating point, percent, in 64-bit.
double pointEfficiency(double flow, double head, double power);

// Where the head curve meets the system curve H = Hst + S Q^2.
struct OperatingPoint
{
    enum class Outcome {
        Converged,
        ZeroDerivativeAtStart,
        ZeroDerivativeAfterStep,
        NoSolution, // the step bound was reached or a value stopped being finite
    };
    Outcome outcome = Outcome::NoSolution;
    double flow = 0.0; // the last iterate
    int updates = 0;
    float adjustedC3 = 0.0f; // c3' = c3 - S in 32-bit, as the iteration used it
};

inline constexpr int kMaxOperatingPointUpdates = 1000;

// Newton iteration on F(Q) = head curve - system curve, started at the design
// flow; both tolerances are 0.0001 absolute, on successive flows and on
// successive values of F.
OperatingPoint findOperatingPoint(const CurveFit& headFit, double systemCoefficient, float staticHead,
                                  double designFlow);

// The pump's own head at the operating flow, formed from the iteration's c3'
// as (c3' + S) in 64-bit.
double operatingHeadAt(const CurveFit& headFit, const OperatingPoint& point, double systemCoefficient);

// The head fit as the chart draws it: c3 replaced by f32(c3' + S).
CurveFit chartHeadFit(const CurveFit& headFit, const OperatingPoint& point, double systemCoefficient);

} // namespace tarnwick
