// The variable-speed selection against an independent model: long double
// throughout, the efficiency peak and the largest shaft power by dense
// sampling, the speed share by plain bisection, the heads converted from the
// typed texts here, the motor's and the converter's losses below their tables
// worked out here. Only the fits (fitCurve) and the published tables (IEC
// ratings, IE3, the motor part-load figure, the converter table at and above
// its lowest load) are shared.

#include "core/motortables.h"
#include "core/varspeed.h"
#include "coretesting.h"

#include <QTest>

#include <cmath>
#include <map>
#include <optional>
#include <random>

using namespace tarnwick;
using coretesting::addPump;
using coretesting::Points;
using coretesting::qs;

namespace {

using LD = long double;

LD cubic(const CurveFit& f, LD q)
{
    return LD(f.c[0]) + LD(f.c[1]) * q + LD(f.c[2]) * q * q + LD(f.c[3]) * q * q * q;
}

struct RefPoint
{
    int k = 0;
    LD r = 0, qe = 0, flow = 0, head = 0, ps = 0, input = 0;
    bool minimumSpeed = false;
    bool outsideRegion = false;
};

struct RefPump
{
    bool accepted = false;
    std::string rule;
    LD figure = 0;
    LD qbep = 0, rating = 0, energy = 0, weighted = 0, outside = 0, topPower = 0;
    bool catalogueMotor = false;
    RefPoint design;
    std::vector<RefPoint> points;
};

// The duty as the engineer typed it, in metres of the pumped fluid.
struct RefDuty
{
    LD flow = 0, resistance = 0, staticHead = 0, setpoint = 0;
};

// Metres of water at 1000 kg/m3 per unit, as the program defines its units.
LD metresOfWater(const std::string& unit)
{
    static const std::map<std::string, LD> perUnit = {{"atm", 10.33L},  {"bar", 10.2L},    {"kgf/cm2", 10.0L},
                                                      {"mH2O", 1.0L},   {"mmH2O", 0.001L}, {"MPa", 102.0L},
                                                      {"Pa", 0.000102L}};
    return perUnit.at(unit);
}

LD fluidHead(LD typed, const std::string& unit, LD density)
{
    const LD water = typed * metresOfWater(unit);
    return unit == "mH2O" || unit == "mmH2O" ? water : water * 1000 / density;
}

LD refEta(const CurveFit& h, const CurveFit& p, LD q)
{
    const LD power = cubic(p, q);
    return power > 0 ? q * cubic(h, q) / (LD(3.672) * power) : -1e30L;
}

LD refBestFlow(const CurveFit& h, const CurveFit& p, LD lo, LD hi)
{
    const int n = 20000;
    int best = 0;
    for (int i = 1; i <= n; ++i) {
        if (refEta(h, p, lo + (hi - lo) * i / n) > refEta(h, p, lo + (hi - lo) * best / n))
            best = i;
    }
    LD a = lo + (hi - lo) * std::max(best - 1, 0) / n, b = lo + (hi - lo) * std::min(best + 1, n) / n;
    while (b - a > 1e-13L * (hi - lo)) {
        const LD m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
        if (refEta(h, p, m1) < refEta(h, p, m2))
            a = m1;
        else
            b = m2;
    }
    return (a + b) / 2;
}

// The largest value of the power fit over [lo, hi]: dense samples, then a
// ternary search beside the best one.
LD refLargestPower(const CurveFit& p, LD lo, LD hi)
{
    const int n = 20000;
    int best = 0;
    for (int i = 1; i <= n; ++i) {
        if (cubic(p, lo + (hi - lo) * i / n) > cubic(p, lo + (hi - lo) * best / n))
            best = i;
    }
    LD a = lo + (hi - lo) * std::max(best - 1, 0) / n, b = lo + (hi - lo) * std::min(best + 1, n) / n;
    while (b - a > 1e-13L * (hi - lo)) {
        const LD m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
        if (cubic(p, m1) < cubic(p, m2))
            a = m1;
        else
            b = m2;
    }
    return std::max({cubic(p, lo), cubic(p, hi), cubic(p, (a + b) / 2)});
}

// Efficiency below a table's lowest load: losses from those at the lowest
// load down to 0.8 times them at no load, linearly in the load.
LD refBelowTable(LD load, LD lowest, LD lowestEta)
{
    const LD lowestLosses = lowest * (1 / lowestEta - 1);
    const LD losses = lowestLosses * (LD(0.8) + LD(0.2) * load / lowest);
    return load / (load + losses);
}

LD refMotorEta(LD rating, int poles, LD load)
{
    const LD full = ie3FullLoadEfficiency(double(rating), poles);
    if (load >= LD(0.25))
        return full * motorPartLoadFactor(double(rating), double(load));
    return refBelowTable(load, 0.25L, full * motorPartLoadFactor(double(rating), 0.25));
}

LD refDriveEta(LD rating, LD load)
{
    if (load >= LD(0.016))
        return driveEfficiency(double(rating), double(load));
    return refBelowTable(load, 0.016L, driveEfficiency(double(rating), 0.016));
}

std::optional<LD> refSpeed(const CurveFit& h, LD q, LD target, LD rmin, LD rmax)
{
    auto g = [&](LD r) { return r * r * cubic(h, q / r) - target; };
    if (g(rmax) < 0 || g(rmin) > 0)
        return std::nullopt;
    LD lo = rmin, hi = rmax;
    for (int i = 0; i < 200; ++i) {
        const LD mid = (lo + hi) / 2;
        (g(mid) < 0 ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

LD refControlHead(const VarSpeedRequest& rq, const RefDuty& d, LD flow)
{
    const LD hd = d.staticHead + d.resistance, x = flow / d.flow;
    switch (rq.control) {
    case ControlMode::ConstantPressure:
        return hd;
    case ControlMode::Proportional:
        return rq.proportionalShare * hd + (hd - rq.proportionalShare * hd) * x;
    case ControlMode::CriticalCircuit: {
        const LD hmin = d.staticHead + d.setpoint;
        return hmin + (hd - hmin) * x * x;
    }
    case ControlMode::SystemCurve:
        return d.staticHead + d.resistance / (d.flow * d.flow) * flow * flow;
    }
    return hd;
}

RefPump reference(const Points& pts, std::optional<double> speed, std::optional<double> catalogueMotor,
                  const RefDuty& duty, const VarSpeedRequest& rq)
{
    RefPump out;
    std::vector<float> q, h, p;
    for (const auto& pt : pts) {
        q.push_back(pt.flow);
        h.push_back(pt.head);
        p.push_back(pt.power);
    }
    const CurveFit hf = fitCurve(h, q), pf = fitCurve(p, q);
    const LD qmin = *std::min_element(q.begin(), q.end()), qmax = *std::max_element(q.begin(), q.end());
    out.qbep = refBestFlow(hf, pf, qmin, qmax);
    const int n = rq.dutyPumps;
    const LD rmin = rq.minSpeed, rmax = rq.maxSpeed, rho = rq.density;
    const LD qd = duty.flow, hd = duty.staticHead + duty.resistance;
    auto reject = [&](const char* rule, LD figure) {
        out.rule = rule;
        out.figure = figure;
        return out;
    };
    const LD topFlow = qd / n / rmax, topHead = rmax * rmax * cubic(hf, topFlow);
    if (topHead < hd)
        return topFlow < qmin || topFlow > qmax ? reject("beyond_curve", qd / n) : reject("too_small", topHead);
    auto hydraulic = [&](LD flow, LD head, int k) -> std::optional<RefPoint> {
        RefPoint pt{k, 0, 0, flow, head, 0, 0};
        if (const auto r = refSpeed(hf, flow / k, head, rmin, rmax)) {
            pt.r = *r;
        } else {
            const LD minimumHead = rmin * rmin * cubic(hf, flow / k / rmin);
            if (!(minimumHead > head))
                return std::nullopt;
            pt.r = rmin;
            pt.head = minimumHead;
            pt.minimumSpeed = true;
        }
        pt.qe = flow / k / pt.r;
        if (pt.qe < LD(0.1) * out.qbep || pt.qe > LD(1.1) * qmax || !(refEta(hf, pf, pt.qe) > 0))
            return std::nullopt;
        pt.ps = pt.r * pt.r * pt.r * cubic(pf, pt.qe) * rho / 1000;
        pt.outsideRegion = pt.qe / out.qbep < LD(0.7) || pt.qe / out.qbep > LD(1.2);
        return pt;
    };
    const auto design = hydraulic(qd, hd, n);
    if (!design)
        return reject("part_load_infeasible", 1);
    const LD ratio = design->qe / out.qbep;
    if (ratio < LD(0.7) || ratio > LD(1.2))
        return reject("outside_preferred_region", ratio);
    for (const LoadShare& share : rq.profile) {
        bool any = false;
        for (int k = 1; k <= n; ++k)
            any = any || hydraulic(share.flowShare * qd, refControlHead(rq, duty, share.flowShare * qd), k).has_value();
        if (!any)
            return reject("part_load_infeasible", share.flowShare);
    }
    // The motor covers one pump anywhere on the top speed's curve.
    out.topPower = rmax * rmax * rmax * refLargestPower(pf, qmin, qmax) * rho / 1000;
    const LD required = LD(rq.motorMargin) * out.topPower;
    LD sized = 0;
    for (double rating : standardMotorRatings()) {
        if (LD(rating) >= required) {
            sized = rating;
            break;
        }
    }
    if (catalogueMotor && LD(*catalogueMotor) >= required && LD(*catalogueMotor) >= sized) {
        out.rating = *catalogueMotor;
        out.catalogueMotor = true;
    } else if (sized > 0) {
        out.rating = sized;
    } else {
        return reject("no_motor", required);
    }
    const int poles = speed && *speed > 2000.0 ? 2 : 4;
    auto withMotor = [&](RefPoint pt) {
        const LD motor = refMotorEta(out.rating, poles, pt.ps / out.rating);
        const LD drive = refDriveEta(out.rating, pt.ps / motor / out.rating);
        pt.input = pt.k * pt.ps / motor / drive;
        return pt;
    };
    if (design->ps > out.rating)
        return reject("part_load_infeasible", 1);
    out.design = withMotor(*design);
    LD hydraulicEnergy = 0, electric = 0;
    for (const LoadShare& share : rq.profile) {
        const LD flow = share.flowShare * qd;
        std::optional<RefPoint> best;
        for (int k = 1; k <= n; ++k) {
            if (auto pt = hydraulic(flow, refControlHead(rq, duty, flow), k); pt && pt->ps <= out.rating) {
                const RefPoint m = withMotor(*pt);
                if (!best || m.input < best->input)
                    best = m;
            }
        }
        if (!best)
            return reject("part_load_infeasible", share.flowShare);
        out.points.push_back(*best);
        electric += LD(share.timeShare) * best->input;
        hydraulicEnergy += LD(share.timeShare) * rho / 1000 * flow * best->head / LD(367.2);
        if (best->outsideRegion)
            out.outside += share.timeShare;
    }
    out.accepted = true;
    out.energy = LD(rq.hours) * electric;
    out.weighted = hydraulicEnergy / electric;
    return out;
}

// Seeded pumps of three shapes around a nominal flow qn and head hn.
struct GeneratedPump
{
    Points points;
    std::optional<double> speed;
};

GeneratedPump generatePump(std::mt19937& rng, int shape)
{
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const double qn = 10.0 + 400.0 * u(rng);
    const double hn = 8.0 + 50.0 * u(rng);
    // head share over x = q/qn: flat, steep, hooked (rising from shut-off)
    const double a[3][3] = {{1.12, 0.0, -0.12}, {1.6, 0.0, -0.6}, {1.0, 0.35, -0.35}};
    GeneratedPump pump;
    pump.speed = u(rng) < 0.5 ? 2900.0 : 1450.0;
    const double etaPeak = 0.6 + 0.25 * u(rng);
    const int count = 5 + static_cast<int>(4 * u(rng));
    for (int i = 0; i < count; ++i) {
        const double x = 0.25 + 1.25 * i / (count - 1);
        const double h = hn * (a[shape][0] + a[shape][1] * x + a[shape][2] * x * x);
        const double eta = etaPeak * (2.0 * x - x * x) * 0.9 + 0.05;
        const double p = qn * x * h / (367.2 * eta);
        pump.points.push_back({static_cast<float>(qn * x), static_cast<float>(h), static_cast<float>(p)});
    }
    return pump;
}

bool close(LD actual, LD expected, LD relative)
{
    return std::fabs(actual - expected) <= relative * std::max(std::fabs(expected), LD(1e-12));
}

// The water points as a viscous liquid's after ANSI/HI 9.6.7-2010 (section
// 9.6.7.5), worked here from the formulas in long double: B at the water
// curve's best-efficiency point, Q CQ, H CH(Q), and the power of the liquid
// per 1000 kg/m3, P CQ CH / Ceta. Nothing when B is 40 or more.
struct RefLiquid
{
    Points points;
    LD b = 0;
};
RefLiquid refLiquid(const Points& water, LD speed, LD nu)
{
    std::vector<float> q, h, p;
    for (const auto& pt : water) {
        q.push_back(pt.flow);
        h.push_back(pt.head);
        p.push_back(pt.power);
    }
    const CurveFit hf = fitCurve(h, q), pf = fitCurve(p, q);
    const LD qbep = refBestFlow(hf, pf, *std::min_element(q.begin(), q.end()), *std::max_element(q.begin(), q.end()));
    RefLiquid out;
    out.b = LD(16.5) * std::sqrt(nu) * std::pow(cubic(hf, qbep), LD(0.0625)) /
            (std::pow(qbep, LD(0.375)) * std::pow(speed, LD(0.25)));
    if (out.b <= 1) {
        out.points = water;
        return out;
    }
    const LD cq = std::pow(LD(2.71), -LD(0.165) * std::pow(std::log10(out.b), LD(3.15)));
    const LD ceta = std::pow(out.b, -LD(0.0547) * std::pow(out.b, LD(0.69)));
    for (const auto& pt : water) {
        const LD ch = 1 - (1 - cq) * std::pow(LD(pt.flow) / qbep, LD(0.75));
        out.points.push_back({static_cast<float>(pt.flow * cq), static_cast<float>(pt.head * ch),
                              static_cast<float>(pt.power * cq * ch / ceta)});
    }
    return out;
}

VarSpeedTexts baseTexts()
{
    VarSpeedTexts t;
    t.duty = coretesting::duty("20", "300", "5");
    return t;
}

} // namespace

class TestVarSpeed : public QObject
{
    Q_OBJECT

private slots:
    void matchesReferenceModel_data();
    void matchesReferenceModel();
    void partLoadLosses_data();
    void partLoadLosses();
    void rejectsBadInput_data();
    void rejectsBadInput();
    void rejectionRules_data();
    void rejectionRules();
    void progressCanStopTheRun();
    void liquidCurves_data();
    void liquidCurves();
    void suctionAtEveryLoadPoint_data();
    void suctionAtEveryLoadPoint();
};

void TestVarSpeed::matchesReferenceModel_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("dutyPumps");
    QTest::addColumn<int>("seed");
    QTest::addColumn<QString>("unit");    // of the resistance and the static head
    QTest::addColumn<double>("density");  // kg/m3
    QTest::addColumn<double>("maxSpeed"); // percent
    QTest::addColumn<bool>("closedLoop"); // static head 0
    QTest::newRow("constant, 2 pumps") << 0 << 2 << 11 << "mH2O" << 1000.0 << 100.0 << false;
    QTest::newRow("proportional, 1 pump, bar, 40 % glycol") << 1 << 1 << 12 << "bar" << 1053.0 << 100.0 << false;
    QTest::newRow("critical circuit, 3 pumps, Pa, top speed 90 %") << 2 << 3 << 13 << "Pa" << 998.21 << 90.0 << false;
    QTest::newRow("system curve, 4 pumps") << 3 << 4 << 14 << "mH2O" << 1000.0 << 100.0 << false;
    QTest::newRow("closed loop, 2 pumps, atm") << 3 << 2 << 15 << "atm" << 1000.0 << 100.0 << true;
    QTest::newRow("closed loop, 1 pump, MPa, top speed 85 %") << 3 << 1 << 16 << "MPa" << 1039.0 << 85.0 << true;
}

void TestVarSpeed::matchesReferenceModel()
{
    QFETCH(int, control);
    QFETCH(int, dutyPumps);
    QFETCH(int, seed);
    QFETCH(QString, unit);
    QFETCH(double, density);
    QFETCH(double, maxSpeed);
    QFETCH(bool, closedLoop);
    std::mt19937 rng(static_cast<unsigned>(seed));
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const std::string unitText = unit.toStdString();

    int accepted = 0, feasiblePoints = 0, minimumSpeedPoints = 0, catalogueMotors = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int shape = trial % 3;
        const GeneratedPump gen = generatePump(rng, shape);
        // A catalogue motor in a third of the pumps below, in a third above
        // what the curve needs.
        float largestPoint = 0.0f;
        for (const auto& pt : gen.points)
            largestPoint = std::max(largestPoint, pt.power);
        std::optional<double> motor;
        if (trial % 3 == 1)
            motor = smallestStandardRating(0.6 * largestPoint);
        else if (trial % 3 == 2)
            motor = smallestStandardRating(1.8 * largestPoint);
        if (motor && *motor == 0.0)
            motor.reset();
        Catalogue catalogue;
        addPump(catalogue, 1.0, "P" + std::to_string(trial), gen.points, gen.speed);
        catalogue.pumps.back().motorPower = motor;
        // A duty near the pump's best flow, so most sets are accepted and
        // the rest fail one rule or another; heads typed in the row's unit.
        const double qn = gen.points.front().flow / 0.25;
        const double qd = dutyPumps * qn * (0.7 + 0.5 * u(rng));
        const double hst = closedLoop ? 0.0 : 2.0 * u(rng);
        const double hAtQ = gen.points[gen.points.size() / 2].head;
        const double resistance = hAtQ * (0.6 + 0.35 * u(rng)) - hst;
        const double toTyped = unitText == "mH2O" ? 1.0 : density / 1000.0 / double(metresOfWater(unitText));
        VarSpeedTexts texts;
        texts.duty = coretesting::duty(std::to_string(resistance * toTyped).c_str(), std::to_string(qd).c_str(),
                                       closedLoop ? "0" : std::to_string(hst * toTyped).c_str());
        texts.duty.resistanceUnit = unitText;
        texts.duty.staticHeadUnit = unitText;
        texts.control = static_cast<ControlMode>(control);
        texts.dutyPumps = std::to_string(dutyPumps);
        texts.density = std::to_string(density);
        texts.maxSpeed = std::to_string(maxSpeed);
        auto request = readVarSpeedRequest(texts);
        QVERIFY2(request, request ? "" : request.error().message.c_str());
        RefDuty duty;
        duty.flow = std::stold(texts.duty.flow);
        duty.resistance = fluidHead(std::stold(texts.duty.resistance), unitText, density);
        // The static head is a 32-bit figure at every step, as the program holds it.
        const float typedStatic = static_cast<float>(std::stod(texts.duty.staticHead));
        const float staticWater = static_cast<float>(double(typedStatic) * double(metresOfWater(unitText)));
        duty.staticHead = static_cast<float>(
            unitText == "mH2O" || unitText == "mmH2O" ? double(staticWater) : double(staticWater) * 1000.0 / density);
        duty.setpoint = LD(0.3) * duty.resistance;

        const RefPump ref = reference(gen.points, gen.speed, motor, duty, *request);
        const VarSpeedSelection sel = runVarSpeedSelection(catalogue, *request, {}, RejectedList::Listed);
        const QString where = QStringLiteral("trial %1 (shape %2)").arg(trial).arg(shape);
        if (!ref.accepted) {
            QVERIFY2(sel.accepted.empty() && sel.rejected.size() == 1,
                     qPrintable(where + qs(" not rejected, ref " + ref.rule)));
            QCOMPARE(qs(speedRejectionRuleCode(sel.rejected[0].rule)), qs(ref.rule));
            QVERIFY2(close(sel.rejected[0].figure, ref.figure, 1e-6L), qPrintable(where));
            continue;
        }
        QVERIFY2(sel.accepted.size() == 1,
                 qPrintable(where + QStringLiteral(" rejected as ") +
                            qs(sel.rejected.empty() ? "" : speedRejectionRuleCode(sel.rejected[0].rule))));
        ++accepted;
        const VarSpeedPump& pump = sel.accepted[0];
        QVERIFY2(close(pump.curves.bestEfficiencyFlow, ref.qbep, 1e-6L), qPrintable(where));
        QCOMPARE(pump.motorRating, double(ref.rating));
        QCOMPARE(pump.motorSource == MotorSource::Catalogue, ref.catalogueMotor);
        catalogueMotors += ref.catalogueMotor ? 1 : 0;
        QVERIFY2(close(pump.topSpeedPower, ref.topPower, 1e-9L), qPrintable(where));
        QVERIFY2(close(pump.annualEnergy, ref.energy, 1e-9L),
                 qPrintable(where + QStringLiteral(" energy %1, reference %2")
                                        .arg(pump.annualEnergy, 0, 'g', 12)
                                        .arg(double(ref.energy), 0, 'g', 12)));
        QVERIFY2(close(pump.weightedEfficiency, ref.weighted, 1e-9L), qPrintable(where));
        QVERIFY2(close(pump.timeOutsidePreferredRegion, ref.outside, 1e-12L), qPrintable(where));
        // Non-overloading, read off the measured points alone: the motor
        // covers every one of them at the top speed.
        QVERIFY2(pump.motorRating >=
                     maxSpeed * maxSpeed * maxSpeed * 1e-6 * largestPoint * density / 1000.0 * (1.0 - 1e-9),
                 qPrintable(where));
        std::vector<std::pair<const VarSpeedPoint*, const RefPoint*>> pairs = {{&pump.design, &ref.design}};
        for (std::size_t i = 0; i < pump.points.size(); ++i)
            pairs.emplace_back(&pump.points[i], &ref.points[i]);
        for (const auto& [p, r] : pairs) {
            ++feasiblePoints;
            QCOMPARE(p->running, r->k);
            QCOMPARE(bool(p->warnings & kWarnMinimumSpeed), r->minimumSpeed);
            QCOMPARE(bool(p->warnings & kWarnOutsidePreferredRegion), r->outsideRegion);
            minimumSpeedPoints += r->minimumSpeed ? 1 : 0;
            QVERIFY2(close(p->speedShare, r->r, 1e-9L), qPrintable(where));
            QVERIFY2(close(p->flow, r->flow, 1e-9L), qPrintable(where));
            QVERIFY2(close(p->equivalentFlow, r->qe, 1e-9L), qPrintable(where));
            QVERIFY2(close(p->bestEfficiencyShare, r->qe / ref.qbep, 1e-6L), qPrintable(where));
            QVERIFY2(close(p->head, r->head, 1e-9L), qPrintable(where));
            QVERIFY2(close(p->shaftPower, r->ps, 1e-9L), qPrintable(where));
            QVERIFY2(close(p->inputPower, r->input, 1e-9L), qPrintable(where));
            QVERIFY2(p->speedShare <= maxSpeed / 100.0 + 1e-12, qPrintable(where));
            // The affinity laws at the computed point itself: the control's
            // head, or the minimum speed's above it.
            const LD pumpHead = LD(p->speedShare) * p->speedShare * cubic(pump.curves.headFit, p->equivalentFlow);
            const LD wanted = refControlHead(*request, duty, p->flow);
            QVERIFY2(std::fabs(pumpHead - p->head) <= 1e-9L, qPrintable(where));
            QVERIFY2(r->minimumSpeed ? pumpHead > wanted : std::fabs(pumpHead - wanted) <= 1e-9L, qPrintable(where));
        }
        // For the same running count, less flow never takes more power.
        std::vector<const VarSpeedPoint*> byFlow = {&pump.design};
        for (const VarSpeedPoint& p : pump.points)
            byFlow.push_back(&p);
        for (const VarSpeedPoint* a : byFlow) {
            for (const VarSpeedPoint* b : byFlow) {
                if (a->running == b->running && a->flow < b->flow)
                    QVERIFY2(a->inputPower <= b->inputPower * (1.0 + 1e-12), qPrintable(where));
            }
        }
    }
    // The generated duties must exercise acceptance, not only rejections.
    QVERIFY2(accepted >= 40, qPrintable(QStringLiteral("only %1 accepted").arg(accepted)));
    QVERIFY(catalogueMotors > 0 && catalogueMotors < accepted);
    if (closedLoop)
        QVERIFY2(minimumSpeedPoints > 0, "no point at the minimum speed");
    qInfo("%d accepted (%d with the catalogue's motor), %d points checked, %d at the minimum speed", accepted,
          catalogueMotors, feasiblePoints, minimumSpeedPoints);
}

void TestVarSpeed::partLoadLosses_data()
{
    QTest::addColumn<double>("rating");
    QTest::addColumn<int>("poles");
    for (double rating : {0.55, 2.2, 7.5, 37.0, 160.0})
        for (int poles : {2, 4})
            QTest::addRow("%g kW, %d poles", rating, poles) << rating << poles;
}

void TestVarSpeed::partLoadLosses()
{
    QFETCH(double, rating);
    QFETCH(int, poles);
    // Losses in units of the rating at a load x: x (1/eta - 1).
    auto motorLosses = [&](double x) { return x * (1.0 / motorEfficiency(rating, poles, x) - 1.0); };
    auto driveLosses = [&](double x) { return x * (1.0 / driveEfficiency(rating, x) - 1.0); };
    // Near zero load the losses are 0.8 times those at the lowest tabulated load.
    QVERIFY(std::fabs(motorLosses(1e-9) - 0.8 * motorLosses(0.25)) <= 1e-6 * motorLosses(0.25));
    QVERIFY(std::fabs(driveLosses(1e-9) - 0.8 * driveLosses(0.016)) <= 1e-6 * driveLosses(0.016));
    // The tables join the rule without a step, and the input power (load plus
    // losses) rises with the load everywhere.
    QVERIFY(std::fabs(motorEfficiency(rating, poles, 0.25 - 1e-12) - motorEfficiency(rating, poles, 0.25)) < 1e-9);
    QVERIFY(std::fabs(driveEfficiency(rating, 0.016 - 1e-12) - driveEfficiency(rating, 0.016)) < 1e-9);
    double motorInput = 0.0, driveInput = 0.0;
    for (int i = 1; i <= 1200; ++i) {
        const double x = i / 1000.0;
        const double m = x + motorLosses(x), d = x + driveLosses(x);
        QVERIFY2(m > motorInput && d > driveInput, qPrintable(QStringLiteral("load %1").arg(x)));
        QVERIFY(motorLosses(x) <= std::max(motorLosses(0.25), motorLosses(x >= 0.25 ? x : 0.25)) + 1e-12);
        motorInput = m;
        driveInput = d;
    }
}

void TestVarSpeed::rejectsBadInput_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("row");
    const auto f = [](VarSpeedField v) { return static_cast<int>(v); };
    QTest::newRow("resistance") << "resistance"
                                << "0"
                                << "管路阻力应在0～2MPa之间！请重新输入。" << f(VarSpeedField::Resistance) << 0;
    QTest::newRow("flow") << "flow"
                          << "20000"
                          << "流量应在0～10000m3/h之间！请重新输入。" << f(VarSpeedField::Flow) << 0;
    QTest::newRow("flow share 0") << "profile"
                                  << "100:50,0:50"
                                  << "负荷点流量比例应在0～100%之间！请重新输入。" << f(VarSpeedField::ProfileFlow)
                                  << 1;
    QTest::newRow("flow share 120") << "profile"
                                    << "120:100"
                                    << "负荷点流量比例应在0～100%之间！请重新输入。" << f(VarSpeedField::ProfileFlow)
                                    << 0;
    QTest::newRow("time share") << "profile"
                                << "100:-5,50:105"
                                << "负荷点时间比例应在0～100%之间！请重新输入。" << f(VarSpeedField::ProfileTime) << 0;
    QTest::newRow("time sum") << "profile"
                              << "100:50,50:40"
                              << "各负荷点时间比例之和应为100%！请重新输入。" << f(VarSpeedField::ProfileTime) << 0;
    QTest::newRow("duty pumps 5") << "dutyPumps"
                                  << "5"
                                  << "工作泵台数应为1～4台！请重新输入。" << f(VarSpeedField::DutyPumps) << 0;
    QTest::newRow("duty pumps 1.5") << "dutyPumps"
                                    << "1.5"
                                    << "工作泵台数应为1～4台！请重新输入。" << f(VarSpeedField::DutyPumps) << 0;
    QTest::newRow("standby") << "standbyPumps"
                             << "3"
                             << "备用泵台数应为0～2台！请重新输入。" << f(VarSpeedField::StandbyPumps) << 0;
    QTest::newRow("hours") << "hours"
                           << "9000"
                           << "年运行时间应在0～8760h之间！请重新输入。" << f(VarSpeedField::Hours) << 0;
    QTest::newRow("price") << "price"
                           << "abc"
                           << "" << -1 << 0; // Val reads 0: a price of 0 is allowed
    QTest::newRow("density") << "density"
                             << "300"
                             << "流体密度应在500～2000kg/m3之间！请重新输入。" << f(VarSpeedField::Density) << 0;
    QTest::newRow("min speed") << "minSpeed"
                               << "95"
                               << "最低转速比应在10～90%之间！请重新输入。" << f(VarSpeedField::MinSpeed) << 0;
    QTest::newRow("margin") << "motorMargin"
                            << "0.9"
                            << "电机功率储备系数应在1～2之间！请重新输入。" << f(VarSpeedField::MotorMargin) << 0;
    QTest::newRow("share") << "proportionalShare"
                           << "120"
                           << "比例压差起点应在0～100%之间！请重新输入。" << f(VarSpeedField::ProportionalShare) << 0;
    QTest::newRow("setpoint above R") << "setpoint"
                                      << "25"
                                      << "末端压差设定值应在0～管路阻力之间！请重新输入。" << f(VarSpeedField::Setpoint)
                                      << 0;
    QTest::newRow("profile format") << "profileText"
                                    << "100-50"
                                    << "负荷分布应写成“流量%:时间%”，各点以逗号分开，如 100:1,75:42,50:45,25:12。" << -2
                                    << 0;
}

void TestVarSpeed::rejectsBadInput()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(int, focus);
    QFETCH(int, row);
    VarSpeedTexts t = baseTexts();
    const std::string v = value.toStdString();
    if (field == QLatin1String("resistance"))
        t.duty.resistance = v;
    else if (field == QLatin1String("flow"))
        t.duty.flow = v;
    else if (field == QLatin1String("profile") || field == QLatin1String("profileText")) {
        auto rows = parseProfileText(v);
        if (focus == -2) {
            QVERIFY(!rows);
            QCOMPARE(qs(rows.error()), message);
            return;
        }
        QVERIFY(rows);
        t.profile = rows.value();
    } else if (field == QLatin1String("dutyPumps"))
        t.dutyPumps = v;
    else if (field == QLatin1String("standbyPumps"))
        t.standbyPumps = v;
    else if (field == QLatin1String("hours"))
        t.hours = v;
    else if (field == QLatin1String("price"))
        t.price = v;
    else if (field == QLatin1String("density"))
        t.density = v;
    else if (field == QLatin1String("minSpeed"))
        t.minSpeed = v;
    else if (field == QLatin1String("motorMargin"))
        t.motorMargin = v;
    else if (field == QLatin1String("proportionalShare")) {
        t.control = ControlMode::Proportional;
        t.proportionalShare = v;
    } else if (field == QLatin1String("setpoint")) {
        t.control = ControlMode::CriticalCircuit;
        t.setpoint = v;
    }
    const auto request = readVarSpeedRequest(t);
    if (focus < 0) {
        QVERIFY(request);
        return;
    }
    QVERIFY(!request);
    QCOMPARE(qs(request.error().message), message);
    QCOMPARE(static_cast<int>(request.error().field), focus);
    QCOMPARE(request.error().row, row);
}

void TestVarSpeed::rejectionRules_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<QString>("flow");
    QTest::addColumn<QString>("resistance");
    QTest::addColumn<QString>("minSpeed");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<double>("figure");
    QTest::addColumn<QString>("reason");
    // H = 40 - 0.0005 q^2 (m), efficiency 70 % (2x - x^2) with x = q/200; the last
    // point stays just above zero head, as a measured one would.
    Points good;
    for (float q : {50.f, 100.f, 150.f, 200.f, 250.f, 280.f}) {
        const double x = q / 200.0;
        const double h = 40.0 - 0.0005 * q * q;
        good.push_back({q, static_cast<float>(h), static_cast<float>(q * h / (367.2 * 0.7 * (2 * x - x * x)))});
    }
    const QString usual = QStringLiteral("100:1,75:42,50:45,25:12");
    QTest::newRow("accepted") << good << "400"
                              << "18"
                              << "30" << usual << "" << 0.0 << "";
    QTest::newRow("no curve: two points") << Points(good.begin(), good.begin() + 2) << "400"
                                          << "20"
                                          << "30" << usual << "no_curve" << 2.0 << "没有可用的性能曲线（2个性能点）";
    // 2 x 250 m3/h: H(250) = 8.75 m below Hd = 20 m, within the measured flows.
    QTest::newRow("too small") << good << "500"
                               << "20"
                               << "30" << usual << "too_small" << 8.75 << "最高转速下扬程不足（H(Qd/N)＝8.8m）";
    // 2 x 400 m3/h lies beyond the largest measured flow: no head is quoted.
    QTest::newRow("beyond the curve") << good << "800"
                                      << "20"
                                      << "30" << usual << "beyond_curve" << 400.0
                                      << "单台流量Qd/N＝400m3/h超出水泵性能曲线（实测流量50～280m3/h），扬程不足";
    // 2 x 50 m3/h at 10 m: r = 0.53, qe about 94 m3/h, half the best flow.
    QTest::newRow("outside preferred region") << good << "100"
                                              << "10"
                                              << "30" << usual << "outside_preferred_region" << -1.0 << "";
    // 2 x 40 m3/h at 2 m: even 30 % speed gives too much head; throttled there,
    // qe = 133 m3/h is outside the preferred region.
    QTest::newRow("design below minimum speed") << good << "80"
                                                << "2"
                                                << "30" << usual << "outside_preferred_region" << -1.0 << "";
    // Along the system curve at 75 % load two pumps would need r = 0.73, below
    // the 85 % minimum: they run at 85 % and the valves throttle.
    QTest::newRow("part load at the minimum speed") << good << "400"
                                                    << "18"
                                                    << "85" << usual << "" << 0.0 << "";
    // 0.4 % of 400 m3/h: even at the 10 % minimum speed one pump's qe is
    // 16 m3/h, below a tenth of the best flow.
    QTest::newRow("part load infeasible") << good << "400"
                                          << "18"
                                          << "10"
                                          << "100:50,0.4:50"
                                          << "part_load_infeasible" << 0.004 << "负荷点无法运行（流量比例0.4%）";
}

void TestVarSpeed::rejectionRules()
{
    QFETCH(Points, points);
    QFETCH(QString, flow);
    QFETCH(QString, resistance);
    QFETCH(QString, minSpeed);
    QFETCH(QString, profile);
    QFETCH(QString, rule);
    QFETCH(double, figure);
    QFETCH(QString, reason);
    Catalogue catalogue;
    addPump(catalogue, 1.0, "P", points);
    VarSpeedTexts t;
    t.duty = coretesting::duty(resistance.toUtf8().constData(), flow.toUtf8().constData(), "0");
    t.control = ControlMode::SystemCurve;
    t.minSpeed = minSpeed.toStdString();
    t.profile = parseProfileText(profile.toStdString()).value();
    const auto request = readVarSpeedRequest(t);
    QVERIFY(request);
    const VarSpeedSelection sel = runVarSpeedSelection(catalogue, *request, {}, RejectedList::Listed);
    if (rule.isEmpty()) {
        QVERIFY2(sel.accepted.size() == 1, sel.rejected.empty() ? "" : rejectionText(sel.rejected[0]).c_str());
        return;
    }
    QCOMPARE(sel.rejected.size(), std::size_t(1));
    qInfo("%s", rejectionText(sel.rejected[0]).c_str());
    QCOMPARE(qs(speedRejectionRuleCode(sel.rejected[0].rule)), rule);
    if (figure >= 0.0)
        QVERIFY2(std::fabs(sel.rejected[0].figure - figure) < 1e-3,
                 qPrintable(QString::number(sel.rejected[0].figure, 'g', 17)));
    if (!reason.isEmpty())
        QCOMPARE(qs(rejectionText(sel.rejected[0])), reason);
    // The single-model path gives the same verdict.
    const auto single = evaluateVarSpeedModel(catalogue, *request, "P");
    QVERIFY(single && !single.value());
    QCOMPARE(single.value().error().rule, sel.rejected[0].rule);
    // Not asked for, the list is neither filled nor allocated; the run is the same.
    const VarSpeedSelection plain = runVarSpeedSelection(catalogue, *request);
    QCOMPARE(plain.rejected.capacity(), std::size_t(0));
    QCOMPARE(plain.accepted.size(), sel.accepted.size());
}

void TestVarSpeed::progressCanStopTheRun()
{
    Catalogue catalogue;
    std::mt19937 rng(5);
    for (int i = 0; i < 5000; ++i)
        addPump(catalogue, i + 1.0, std::to_string(i), generatePump(rng, i % 3).points);
    const auto request = readVarSpeedRequest(baseTexts());
    QVERIFY(request);
    std::vector<std::size_t> reports;
    const VarSpeedSelection whole = runVarSpeedSelection(
        catalogue, *request,
        [&](std::size_t done, std::size_t total) {
            reports.push_back(done);
            return total == 5000;
        },
        RejectedList::Listed);
    QVERIFY(!whole.cancelled);
    QCOMPARE(whole.accepted.size() + whole.rejected.size(), std::size_t(5000));
    QVERIFY(reports.size() >= 2 && reports.front() == 0);
    const VarSpeedSelection stopped =
        runVarSpeedSelection(catalogue, *request, [](std::size_t done, std::size_t) { return done == 0; },
                             RejectedList::Listed);
    QVERIFY(stopped.cancelled);
    QVERIFY(stopped.accepted.size() + stopped.rejected.size() < 5000);
}

void TestVarSpeed::liquidCurves_data()
{
    QTest::addColumn<int>("fluid");
    QTest::addColumn<double>("concentration");
    QTest::addColumn<double>("temperature");
    QTest::addColumn<int>("seed");
    QTest::newRow("water at 80 °C: density alone") << 0 << 0.0 << 80.0 << 21;
    QTest::newRow("40 % ethylene glycol at 4 °C") << 1 << 40.0 << 4.0 << 22;
    QTest::newRow("60 % propylene glycol at -20 °C") << 2 << 60.0 << -20.0 << 23;
}

// With a liquid the selection is that of the corrected water curves at the
// liquid's density, pump by pump, and a pump beyond the correction fails
// with its B.
void TestVarSpeed::liquidCurves()
{
    QFETCH(int, fluid);
    QFETCH(double, concentration);
    QFETCH(double, temperature);
    QFETCH(int, seed);
    ServiceConditions given;
    given.fluid = FluidSpec{static_cast<FluidKind>(fluid), concentration, temperature};
    const auto conditions = completeConditions(given);
    QVERIFY(conditions);
    std::mt19937 rng(static_cast<unsigned>(seed));
    int accepted = 0, corrected = 0, beyond = 0;
    for (int trial = 0; trial < 120; ++trial) {
        const GeneratedPump gen = generatePump(rng, trial % 3);
        Catalogue catalogue;
        addPump(catalogue, 1.0, "P", gen.points, gen.speed);
        VarSpeedTexts texts = baseTexts();
        const double qn = gen.points.front().flow / 0.25;
        const double qd = 2.0 * qn * 0.9;
        const double resistance = gen.points[gen.points.size() / 2].head * 0.8;
        texts.duty = coretesting::duty(std::to_string(resistance).c_str(), std::to_string(qd).c_str(), "0");
        texts.density = "1300"; // a liquid brings its own
        texts.conditions = conditions.value();
        const auto request = readVarSpeedRequest(texts);
        QVERIFY(request);
        QCOMPARE(request->density, conditions->properties.density);
        const RefLiquid liquid = refLiquid(gen.points, *gen.speed, conditions->properties.kinematicViscosity);
        const VarSpeedSelection sel = runVarSpeedSelection(catalogue, *request, {}, RejectedList::Listed);
        const QString where = QStringLiteral("trial %1").arg(trial);
        if (liquid.b >= 40) {
            ++beyond;
            QVERIFY2(sel.rejected.size() == 1, qPrintable(where));
            QCOMPARE(qs(speedRejectionRuleCode(sel.rejected[0].rule)), QStringLiteral("viscosity_out_of_range"));
            QVERIFY2(close(sel.rejected[0].figure, liquid.b, 1e-6L), qPrintable(where));
            continue;
        }
        RefDuty duty;
        duty.flow = qd;
        duty.resistance = std::stold(texts.duty.resistance);
        const RefPump ref = reference(liquid.points, gen.speed, std::nullopt, duty, *request);
        QCOMPARE(sel.accepted.size(), std::size_t(ref.accepted ? 1 : 0));
        if (!ref.accepted) {
            QCOMPARE(qs(speedRejectionRuleCode(sel.rejected[0].rule)), qs(ref.rule));
            continue;
        }
        ++accepted;
        const VarSpeedPump& pump = sel.accepted[0];
        QVERIFY(pump.curves.viscosity);
        QVERIFY2(close(pump.curves.viscosity->b, liquid.b, 1e-6L), qPrintable(where));
        corrected += liquid.b > 1 ? 1 : 0;
        // The program finds the best-efficiency flow to 1e-6 of the measured
        // range, and CH(Q) of every point depends on it: the 32-bit corrected
        // points may differ from these in the last bit, which the cubic fit
        // carries into the figures at about 1e-5.
        QVERIFY2(close(pump.annualEnergy, ref.energy, 1e-4L),
                 qPrintable(where + QStringLiteral(" energy %1, reference %2")
                                        .arg(pump.annualEnergy, 0, 'g', 12)
                                        .arg(double(ref.energy), 0, 'g', 12)));
        QVERIFY2(close(pump.design.shaftPower, ref.design.ps, 1e-4L),
                 qPrintable(where + QStringLiteral(" design power %1, reference %2, k %3/%4, B %5")
                                        .arg(pump.design.shaftPower, 0, 'g', 12)
                                        .arg(double(ref.design.ps), 0, 'g', 12)
                                        .arg(pump.design.running)
                                        .arg(ref.design.k)
                                        .arg(double(liquid.b))));
        QCOMPARE(pump.motorRating, double(ref.rating));
    }
    QVERIFY2(accepted >= 20, qPrintable(QStringLiteral("only %1 accepted").arg(accepted)));
    if (fluid != 0)
        QVERIFY2(corrected > 0 || beyond > 0, "no pump needed the correction");
    qInfo("%d accepted, %d of them corrected, %d beyond the correction", accepted, corrected, beyond);
}

void TestVarSpeed::suctionAtEveryLoadPoint_data()
{
    // NPSHa as a share of the largest need of the run without suction, or
    // (below 0) of the design point's need; the rated NPSHr in the catalogue.
    QTest::addColumn<double>("share");
    QTest::addColumn<bool>("ratedNpsh");
    QTest::addColumn<QString>("outcome"); // same, more_running, or a rule
    QTest::newRow("ample suction changes nothing") << 3.0 << true << "same";
    QTest::newRow("no NPSHr in the catalogue: nothing checked") << 0.01 << false << "same";
    QTest::newRow("one pump alone at part load is short") << -1.0 << true << "more_running";
    QTest::newRow("the design point is short") << -0.95 << true << "npsh_insufficient";
}

// NPSHr at a point is the catalogue's at the equivalent flow times r^2; with
// the rated flow below every equivalent flow that is NPSHr,rated (q/Qr)^2 for
// one pump's flow q, whatever its speed, which is the model here.
void TestVarSpeed::suctionAtEveryLoadPoint()
{
    QFETCH(double, share);
    QFETCH(bool, ratedNpsh);
    QFETCH(QString, outcome);
    // A set of two whose 75 % point runs one pump alone without suction.
    std::mt19937 rng(31);
    for (int trial = 0; trial < 200; ++trial) {
        const GeneratedPump gen = generatePump(rng, trial % 3);
        Catalogue catalogue;
        addPump(catalogue, 1.0, "P", gen.points, gen.speed);
        const double ratedFlow = 0.1 * gen.points.front().flow;
        const double rated = 0.3;
        PumpSheetFields sheet;
        sheet.ratedFlow = ratedFlow;
        if (ratedNpsh)
            sheet.npshRequired = rated;
        catalogue.sheetFields = {sheet};
        VarSpeedTexts texts = baseTexts();
        const double qd = 2.0 * gen.points.front().flow / 0.25 * 0.9;
        texts.duty = coretesting::duty(std::to_string(gen.points[gen.points.size() / 2].head * 0.8).c_str(),
                                       std::to_string(qd).c_str(), "0");
        texts.control = ControlMode::SystemCurve;
        texts.profile = {{"100", "10"}, {"75", "40"}, {"40", "50"}};
        const auto plain = readVarSpeedRequest(texts);
        QVERIFY(plain);
        const VarSpeedSelection baseline = runVarSpeedSelection(catalogue, *plain);
        if (baseline.accepted.size() != 1 || baseline.accepted[0].points[1].running != 1)
            continue;
        const VarSpeedPump& before = baseline.accepted[0];
        const auto need = [&](double flow, int running) {
            const double required = rated * (flow / running / ratedFlow) * (flow / running / ratedFlow);
            return std::max(1.1 * required, required + 0.6);
        };
        double largest = need(plain->duty.flow, 2);
        for (const VarSpeedPoint& p : before.points)
            largest = std::max(largest, need(p.flow, p.running));
        const double designNeed = need(plain->duty.flow, 2);
        const double alone = need(before.points[1].flow, 1);
        const double available = share > 0.0                                ? share * largest
                                 : outcome == QLatin1String("more_running") ? (designNeed + alone) / 2.0
                                                                            : -share * designNeed;
        // The suction that gives `available` of the liquid at 20 °C.
        ServiceConditions given;
        given.suctionAbsolutePressure = 1.0;
        const auto water = completeConditions(given);
        QVERIFY(water);
        ServiceConditions conditions = water.value();
        conditions.suctionAbsolutePressure =
            conditions.properties.vapourPressure + available * 1000.0 * kStandardGravity / 1000.0;
        texts.conditions = conditions;
        const auto request = readVarSpeedRequest(texts);
        QVERIFY(request);
        const VarSpeedSelection sel = runVarSpeedSelection(catalogue, *request, {}, RejectedList::Listed);
        if (outcome == QLatin1String("npsh_insufficient")) {
            QCOMPARE(sel.rejected.size(), std::size_t(1));
            QCOMPARE(qs(speedRejectionRuleCode(sel.rejected[0].rule)), outcome);
            QCOMPARE(sel.rejected[0].figure, 1.0);
            QVERIFY(close(sel.rejected[0].npshAvailable, available, 1e-9L));
            QVERIFY(close(sel.rejected[0].npshNeeded, designNeed, 1e-9L));
            QVERIFY(qs(rejectionText(sel.rejected[0])).startsWith(QStringLiteral("设计点汽蚀余量不足（有效")));
            const auto single = evaluateVarSpeedModel(catalogue, *request, "P");
            QVERIFY(single && !single.value());
            QCOMPARE(single.value().error().rule, SpeedRejectionRule::NpshInsufficient);
            return;
        }
        QCOMPARE(sel.accepted.size(), std::size_t(1));
        const VarSpeedPump& after = sel.accepted[0];
        std::vector<const VarSpeedPoint*> points = {&after.design};
        for (const VarSpeedPoint& p : after.points)
            points.push_back(&p);
        for (const VarSpeedPoint* p : points) {
            if (!ratedNpsh) {
                QVERIFY(!p->npsh);
                continue;
            }
            QVERIFY(p->npsh);
            QVERIFY(close(p->npsh->available, available, 1e-9L));
            QVERIFY(close(p->npsh->needed, need(p->flow, p->running), 1e-9L));
            QVERIFY(p->npsh->ok);
        }
        if (outcome == QLatin1String("same")) {
            COMPARE_EXACT(after.annualEnergy, before.annualEnergy);
            for (std::size_t i = 0; i < after.points.size(); ++i)
                QCOMPARE(after.points[i].running, before.points[i].running);
        } else {
            QCOMPARE(after.points[1].running, 2);
            QVERIFY(after.annualEnergy > before.annualEnergy);
        }
        return;
    }
    QFAIL("no generated pump runs one pump alone at its 75 % point");
}

QTEST_APPLESS_MAIN(TestVarSpeed)
#include "tst_varspeed.moc"
