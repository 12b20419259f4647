// The variable-speed selection against an independent model: long double
// throughout, the efficiency peak by dense sampling, the speed share by plain
// bisection, the motor by trying every rating from the smallest. Only the
// fits (fitCurve) and the published motor and drive tables are shared.

#include "core/motortables.h"
#include "core/varspeed.h"
#include "coretesting.h"

#include <QTest>

#include <cmath>
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
};

struct RefPump
{
    bool accepted = false;
    std::string rule;
    LD figure = 0;
    LD qbep = 0, rating = 0, energy = 0;
    RefPoint design;
    std::vector<RefPoint> points;
};

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

std::optional<LD> refSpeed(const CurveFit& h, LD q, LD target, LD rmin)
{
    auto g = [&](LD r) { return r * r * cubic(h, q / r) - target; };
    if (g(1) < 0 || g(rmin) > 0)
        return std::nullopt;
    LD lo = rmin, hi = 1;
    for (int i = 0; i < 200; ++i) {
        const LD mid = (lo + hi) / 2;
        (g(mid) < 0 ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

LD refControlHead(const VarSpeedRequest& rq, LD flow)
{
    const LD hd = LD(rq.duty.staticHead) + LD(rq.duty.resistance), x = flow / LD(rq.duty.flow);
    switch (rq.control) {
    case ControlMode::ConstantPressure:
        return hd;
    case ControlMode::Proportional:
        return rq.proportionalShare * hd + (hd - rq.proportionalShare * hd) * x;
    case ControlMode::CriticalCircuit: {
        const LD hmin = LD(rq.duty.staticHead) + rq.setpoint;
        return hmin + (hd - hmin) * x * x;
    }
    case ControlMode::SystemCurve:
        return LD(rq.duty.staticHead) + LD(rq.duty.resistance) / (LD(rq.duty.flow) * LD(rq.duty.flow)) * flow * flow;
    }
    return hd;
}

RefPump reference(const Points& pts, std::optional<double> speed, const VarSpeedRequest& rq)
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
    const LD qd = rq.duty.flow, hd = LD(rq.duty.staticHead) + LD(rq.duty.resistance);
    auto reject = [&](const char* rule, LD figure) {
        out.rule = rule;
        out.figure = figure;
        return out;
    };
    if (cubic(hf, qd / n) < hd)
        return reject("too_small", cubic(hf, qd / n));
    auto hydraulic = [&](LD flow, LD head, int k) -> std::optional<RefPoint> {
        const auto r = refSpeed(hf, flow / k, head, rq.minSpeed);
        if (!r)
            return std::nullopt;
        RefPoint pt{k, *r, flow / k / *r, flow, head, 0, 0};
        if (pt.qe < LD(0.1) * out.qbep || pt.qe > LD(1.1) * qmax)
            return std::nullopt;
        pt.ps = pt.r * pt.r * pt.r * cubic(pf, pt.qe) * LD(rq.density) / 1000;
        return pt;
    };
    const auto rd = refSpeed(hf, qd / n, hd, rq.minSpeed);
    if (!rd)
        return reject("part_load_infeasible", 1);
    const LD ratio = qd / n / *rd / out.qbep;
    if (ratio < LD(0.7) || ratio > LD(1.2))
        return reject("outside_preferred_region", ratio);
    const auto design = hydraulic(qd, hd, n);
    if (!design)
        return reject("part_load_infeasible", 1);
    const int poles = speed && *speed > 2000.0 ? 2 : 4;
    auto withMotor = [&](RefPoint pt, LD rating) {
        const double load = double(pt.ps / rating);
        const LD eta = LD(ie3FullLoadEfficiency(double(rating), poles)) * motorPartLoadFactor(double(rating), load) *
                       driveEfficiency(double(rating), load);
        pt.input = pt.k * pt.ps / eta;
        return pt;
    };
    for (const LoadShare& share : rq.profile) {
        bool any = false;
        for (int k = 1; k <= n; ++k)
            any = any || hydraulic(share.flowShare * qd, refControlHead(rq, share.flowShare * qd), k).has_value();
        if (!any)
            return reject("part_load_infeasible", share.flowShare);
    }
    for (double rating : standardMotorRatings()) {
        std::vector<RefPoint> chosen;
        LD largest = design->ps;
        for (const LoadShare& share : rq.profile) {
            const LD flow = share.flowShare * qd;
            std::optional<RefPoint> best;
            for (int k = 1; k <= n; ++k) {
                if (auto pt = hydraulic(flow, refControlHead(rq, flow), k)) {
                    const RefPoint m = withMotor(*pt, rating);
                    if (!best || m.input < best->input)
                        best = m;
                }
            }
            largest = std::max(largest, best->ps);
            chosen.push_back(*best);
        }
        if (LD(rating) >= LD(rq.motorMargin) * largest) {
            out.accepted = true;
            out.rating = rating;
            out.design = withMotor(*design, rating);
            out.points = chosen;
            for (std::size_t i = 0; i < chosen.size(); ++i)
                out.energy += LD(rq.hours) * rq.profile[i].timeShare * chosen[i].input;
            return out;
        }
    }
    return reject("no_motor", 0);
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
    void rejectsBadInput_data();
    void rejectsBadInput();
    void rejectionRules_data();
    void rejectionRules();
    void progressCanStopTheRun();
};

void TestVarSpeed::matchesReferenceModel_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("dutyPumps");
    QTest::addColumn<int>("seed");
    QTest::newRow("constant, 2 pumps") << 0 << 2 << 11;
    QTest::newRow("proportional, 1 pump") << 1 << 1 << 12;
    QTest::newRow("critical circuit, 3 pumps") << 2 << 3 << 13;
    QTest::newRow("system curve, 4 pumps") << 3 << 4 << 14;
}

void TestVarSpeed::matchesReferenceModel()
{
    QFETCH(int, control);
    QFETCH(int, dutyPumps);
    QFETCH(int, seed);
    std::mt19937 rng(static_cast<unsigned>(seed));
    std::uniform_real_distribution<double> u(0.0, 1.0);

    int accepted = 0, feasiblePoints = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int shape = trial % 3;
        const GeneratedPump gen = generatePump(rng, shape);
        Catalogue catalogue;
        addPump(catalogue, 1.0, "P" + std::to_string(trial), gen.points, gen.speed);
        // A duty near the pump's best flow, so most sets are accepted and
        // the rest fail one rule or another.
        const double qn = gen.points.front().flow / 0.25;
        const double qd = dutyPumps * qn * (0.7 + 0.5 * u(rng));
        const double hst = 2.0 * u(rng);
        const double hAtQ = gen.points[gen.points.size() / 2].head;
        VarSpeedTexts texts;
        texts.duty = coretesting::duty(std::to_string(hAtQ * (0.6 + 0.35 * u(rng)) - hst).c_str(),
                                       std::to_string(qd).c_str(), std::to_string(hst).c_str());
        texts.control = static_cast<ControlMode>(control);
        texts.dutyPumps = std::to_string(dutyPumps);
        auto request = readVarSpeedRequest(texts);
        QVERIFY2(request, request ? "" : request.error().message.c_str());

        const RefPump ref = reference(gen.points, gen.speed, *request);
        const VarSpeedSelection sel = runVarSpeedSelection(catalogue, *request);
        const QString where = QStringLiteral("trial %1 (shape %2)").arg(trial).arg(shape);
        if (!ref.accepted) {
            QVERIFY2(sel.accepted.empty() && sel.rejected.size() == 1, qPrintable(where));
            QCOMPARE(qs(speedRejectionRuleCode(sel.rejected[0].rule)), qs(ref.rule));
            if (ref.rule != "no_motor")
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
        QVERIFY2(close(pump.annualEnergy, ref.energy, 1e-9L), qPrintable(where));
        std::vector<std::pair<const VarSpeedPoint*, const RefPoint*>> pairs = {{&pump.design, &ref.design}};
        for (std::size_t i = 0; i < pump.points.size(); ++i)
            pairs.emplace_back(&pump.points[i], &ref.points[i]);
        for (const auto& [p, r] : pairs) {
            ++feasiblePoints;
            QCOMPARE(p->running, r->k);
            QVERIFY2(close(p->speedShare, r->r, 1e-9L), qPrintable(where));
            QVERIFY2(close(p->flow, r->flow, 1e-9L), qPrintable(where));
            QVERIFY2(close(p->equivalentFlow, r->qe, 1e-9L), qPrintable(where));
            QVERIFY2(close(p->head, r->head, 1e-9L), qPrintable(where));
            QVERIFY2(close(p->shaftPower, r->ps, 1e-9L), qPrintable(where));
            QVERIFY2(close(p->inputPower, r->input, 1e-9L), qPrintable(where));
            // The affinity laws at the computed point itself.
            const LD residual = LD(p->speedShare) * p->speedShare * cubic(pump.curves.headFit, p->equivalentFlow) -
                                refControlHead(*request, p->flow);
            QVERIFY2(std::fabs(residual) <= 1e-9L,
                     qPrintable(where + QStringLiteral(" residual %1").arg(double(residual))));
        }
    }
    // The generated duties must exercise acceptance, not only rejections.
    QVERIFY2(accepted >= 60, qPrintable(QStringLiteral("only %1 accepted").arg(accepted)));
    qInfo("%d accepted, %d points checked", accepted, feasiblePoints);
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
    QTest::addColumn<QString>("rule");
    QTest::addColumn<double>("figure");
    // H = 40 - 0.0005 q^2 (m), efficiency 70 % (2x - x^2) with x = q/200; the last
    // point stays just above zero head, as a measured one would.
    Points good;
    for (float q : {50.f, 100.f, 150.f, 200.f, 250.f, 280.f}) {
        const double x = q / 200.0;
        const double h = 40.0 - 0.0005 * q * q;
        good.push_back({q, static_cast<float>(h), static_cast<float>(q * h / (367.2 * 0.7 * (2 * x - x * x)))});
    }
    QTest::newRow("accepted") << good << "400"
                              << "18"
                              << "30"
                              << "" << 0.0;
    QTest::newRow("no curve: two points") << Points(good.begin(), good.begin() + 2) << "400"
                                          << "20"
                                          << "30"
                                          << "no_curve" << 2.0;
    // 2 x 250 m3/h: H(250) = 8.75 m below Hd = 20 m.
    QTest::newRow("too small") << good << "500"
                               << "20"
                               << "30"
                               << "too_small" << 8.75;
    // 2 x 50 m3/h at 10 m: r = 0.53, qe about 94 m3/h, half the best flow.
    QTest::newRow("outside preferred region") << good << "100"
                                              << "10"
                                              << "30"
                                              << "outside_preferred_region" << -1.0;
    // 2 x 40 m3/h at 2 m: even at 30 % speed the pumps give too much head.
    QTest::newRow("design below minimum speed") << good << "80"
                                                << "2"
                                                << "30"
                                                << "part_load_infeasible" << 1.0;
    // Along the system curve qe stays near 205 m3/h: at 75 % load one pump
    // would need r = 1.46 and two r = 0.73, below the 85 % minimum.
    QTest::newRow("part load infeasible") << good << "400"
                                          << "18"
                                          << "85"
                                          << "part_load_infeasible" << 0.75;
}

void TestVarSpeed::rejectionRules()
{
    QFETCH(Points, points);
    QFETCH(QString, flow);
    QFETCH(QString, resistance);
    QFETCH(QString, minSpeed);
    QFETCH(QString, rule);
    QFETCH(double, figure);
    Catalogue catalogue;
    addPump(catalogue, 1.0, "P", points);
    VarSpeedTexts t;
    t.duty = coretesting::duty(resistance.toUtf8().constData(), flow.toUtf8().constData(), "0");
    t.control = ControlMode::SystemCurve;
    t.minSpeed = minSpeed.toStdString();
    const auto request = readVarSpeedRequest(t);
    QVERIFY(request);
    const VarSpeedSelection sel = runVarSpeedSelection(catalogue, *request);
    if (rule.isEmpty()) {
        QVERIFY2(sel.accepted.size() == 1,
                 sel.rejected.empty() ? "" : rejectionText(sel.rejected[0].rule, sel.rejected[0].figure).c_str());
        return;
    }
    QCOMPARE(sel.rejected.size(), std::size_t(1));
    qInfo("%s", rejectionText(sel.rejected[0].rule, sel.rejected[0].figure).c_str());
    QCOMPARE(qs(speedRejectionRuleCode(sel.rejected[0].rule)), rule);
    if (figure >= 0.0)
        QVERIFY2(std::fabs(sel.rejected[0].figure - figure) < 1e-3,
                 qPrintable(QString::number(sel.rejected[0].figure, 'g', 17)));
    // The single-model path gives the same verdict.
    const auto single = evaluateVarSpeedModel(catalogue, *request, "P");
    QVERIFY(single && !single.value());
    QCOMPARE(single.value().error().rule, sel.rejected[0].rule);
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
    const VarSpeedSelection whole = runVarSpeedSelection(catalogue, *request, [&](std::size_t done, std::size_t total) {
        reports.push_back(done);
        return total == 5000;
    });
    QVERIFY(!whole.cancelled);
    QCOMPARE(whole.accepted.size() + whole.rejected.size(), std::size_t(5000));
    QVERIFY(reports.size() >= 2 && reports.front() == 0);
    const VarSpeedSelection stopped =
        runVarSpeedSelection(catalogue, *request, [](std::size_t done, std::size_t) { return done == 0; });
    QVERIFY(stopped.cancelled);
    QVERIFY(stopped.accepted.size() + stopped.rejected.size() < 5000);
}

QTEST_APPLESS_MAIN(TestVarSpeed)
#include "tst_varspeed.moc"
