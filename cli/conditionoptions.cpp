#include "cli/conditionoptions.h"

#include "core/fluid.h"
#include "core/units.h"

#include "store/coretext.h"
#include <QCoreApplication>
#include <QJsonValue>

#include <cmath>

namespace tarnwick::cli {

namespace {

QString opt(const char* name)
{
    return QString::fromLatin1(name);
}

// Kilopascals per unit of the pressure choosers, exact by definition (NIST
// SP 811, 2008 edition, Appendix B.8: standard atmosphere, kilogram-force per
// square centimetre, conventional metre and millimetre of water).
std::optional<double> kilopascalsPer(const QString& unit)
{
    static const QHash<QString, double> factors = {
        {QStringLiteral("atm"), 101.325},     {QStringLiteral("bar"), 100.0},  {QStringLiteral("kgf/cm2"), 98.0665},
        {QStringLiteral("mH2O"), 9.80665},    {QStringLiteral("mmH2O"), 0.00980665},
        {QStringLiteral("MPa"), 1000.0},      {QStringLiteral("Pa"), 0.001},
    };
    if (!factors.contains(unit))
        return std::nullopt;
    return factors.value(unit);
}

bool number(const QHash<QString, QString>& values, const char* name, double* out, QString* error)
{
    bool ok = false;
    const double v = values.value(opt(name)).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        *error = QCoreApplication::translate("tarnwick::cli", "选项 --%1 的值“%2”不是数字。")
                     .arg(opt(name), values.value(opt(name)));
        return false;
    }
    *out = v;
    return true;
}

QJsonValue jsonNumber(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

QString fixed(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

} // namespace

bool readConditionOptions(const QHash<QString, QString>& values, const QStringList& flags, ConditionInputs* inputs,
                          QString* error)
{
    ServiceConditions& c = inputs->conditions;
    const bool fluidGiven = values.contains(opt("fluid"));
    if (fluidGiven || values.contains(opt("temperature")) || values.contains(opt("concentration"))) {
        FluidSpec fluid;
        const QString keyword = values.value(opt("fluid"), QStringLiteral("water"));
        const std::optional<FluidKind> kind = fluidFromKeyword(keyword.toStdString());
        if (!kind) {
            *error = QCoreApplication::translate("tarnwick::cli",
                                                 "未知的介质“%1”：可选 water、ethylene-glycol、propylene-glycol。")
                         .arg(keyword);
            return false;
        }
        fluid.kind = *kind;
        if (fluid.kind == FluidKind::Water) {
            if (values.contains(opt("concentration"))) {
                *error = QCoreApplication::translate("tarnwick::cli", "--concentration 只用于乙二醇或丙二醇。");
                return false;
            }
        } else if (!values.contains(opt("concentration"))) {
            *error = QCoreApplication::translate("tarnwick::cli", "乙二醇或丙二醇需要 --concentration（质量百分比）。");
            return false;
        } else if (!number(values, "concentration", &fluid.concentration, error)) {
            return false;
        }
        if (!values.contains(opt("temperature"))) {
            *error = QCoreApplication::translate("tarnwick::cli", "介质需要 --temperature（℃）。");
            return false;
        }
        if (!number(values, "temperature", &fluid.temperature, error))
            return false;
        c.fluid = fluid;
    }
    if (values.contains(opt("suction-pressure"))) {
        double gauge = 0.0;
        if (!number(values, "suction-pressure", &gauge, error))
            return false;
        const QString unit = values.value(opt("suction-pressure-unit"), QStringLiteral("mH2O"));
        const std::optional<double> factor = kilopascalsPer(unit);
        if (!factor) {
            *error = QCoreApplication::translate("tarnwick::cli", "压力单位“%1”不在单位列表中。").arg(unit);
            return false;
        }
        double atmospheric = 101.325;
        if (values.contains(opt("atmospheric")) && !number(values, "atmospheric", &atmospheric, error))
            return false;
        if (!(atmospheric > 0.0)) {
            *error = QCoreApplication::translate("tarnwick::cli", "--atmospheric 应为大于0的大气压力（kPa）。");
            return false;
        }
        c.suctionAbsolutePressure = gauge * *factor + atmospheric;
        if (!(*c.suctionAbsolutePressure > 0.0)) {
            *error = QCoreApplication::translate("tarnwick::cli",
                                                 "吸入口绝对压力不大于0：请检查 --suction-pressure 和 --atmospheric。");
            return false;
        }
    } else {
        for (const char* dependent : {"suction-pressure-unit", "atmospheric", "npsh-margin"}) {
            if (values.contains(opt(dependent))) {
                *error =
                    QCoreApplication::translate("tarnwick::cli", "--%1 需要 --suction-pressure。").arg(opt(dependent));
                return false;
            }
        }
    }
    if (values.contains(opt("npsh-margin"))) {
        if (!number(values, "npsh-margin", &c.npshMarginRatio, error))
            return false;
        if (!(c.npshMarginRatio >= 1.0 && c.npshMarginRatio <= 3.0)) {
            *error = QCoreApplication::translate("tarnwick::cli",
                                                 "--npsh-margin 应在1～3之间（有效汽蚀余量与必需汽蚀余量之比）。");
            return false;
        }
    }
    c.trim = flags.contains(opt("trim"));
    if (values.contains(opt("max-trim"))) {
        if (!c.trim) {
            *error = QCoreApplication::translate("tarnwick::cli", "--max-trim 需要 --trim。");
            return false;
        }
        if (!number(values, "max-trim", &c.maxTrimPercent, error))
            return false;
        if (!(c.maxTrimPercent > 0.0 && c.maxTrimPercent <= 50.0)) {
            *error = QCoreApplication::translate("tarnwick::cli", "--max-trim 应在0～50%之间（叶轮外径的百分比）。");
            return false;
        }
    }
    c.preferredRegionOnly = flags.contains(opt("preferred-region"));
    return true;
}

bool applyMeasuredSystem(const QHash<QString, QString>& values, DutyTexts* texts, ConditionInputs* inputs,
                         QString* error, QString* message)
{
    if (!values.contains(opt("measured")))
        return true;
    if (values.contains(opt("resistance"))) {
        *error = QCoreApplication::translate("tarnwick::cli", "--measured 与 --resistance 只能给出一个。");
        return false;
    }
    const QString flowUnit = values.value(opt("flow-unit"), QStringLiteral("m3/h"));
    const QString headUnit = values.value(opt("resistance-unit"), QStringLiteral("mH2O"));
    std::vector<std::pair<double, double>> points;
    for (const QString& item : values.value(opt("measured")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(QLatin1Char(':'));
        bool okQ = false, okH = false;
        const double q = parts.value(0).trimmed().toDouble(&okQ);
        const double h = parts.value(1).trimmed().toDouble(&okH);
        if (parts.size() != 2 || !okQ || !okH) {
            *error =
                QCoreApplication::translate("tarnwick::cli", "--measured 的写法是 流量:扬程,流量:扬程,…（“%1”不对）。")
                    .arg(item);
            return false;
        }
        points.emplace_back(FlowUnit::toCubicMetresPerHour(q, flowUnit.toStdString()),
                            PressureUnit::toMetresOfWater(h, headUnit.toStdString()));
    }
    std::optional<double> staticHead;
    if (values.contains(opt("static-head"))) {
        bool ok = false;
        const double v = values.value(opt("static-head")).trimmed().toDouble(&ok);
        if (ok)
            staticHead = PressureUnit::toMetresOfWater(
                v, values.value(opt("static-head-unit"), QStringLiteral("mH2O")).toStdString());
    }
    const auto fit = fitSystemCurve(points, staticHead);
    if (!fit) {
        *message = store::coreText(fit.error());
        return true;
    }
    bool ok = false;
    const double flow =
        FlowUnit::toCubicMetresPerHour(QString::fromStdString(texts->flow).trimmed().toDouble(&ok), texts->flowUnit);
    if (!ok) {
        *error = QCoreApplication::translate("tarnwick::cli", "--measured 需要 --flow（设计流量）。");
        return false;
    }
    inputs->measured = fit.value();
    // Centimetres, as an engineer would type them.
    texts->resistance = QString::number(fit->resistanceAt(flow), 'f', 2).toStdString();
    texts->resistanceUnit = "mH2O";
    if (!staticHead) {
        texts->staticHead = QString::number(fit->staticHead, 'f', 2).toStdString();
        texts->staticHeadUnit = "mH2O";
    }
    return true;
}

QJsonObject fluidJson(const ServiceConditions& conditions)
{
    QJsonObject o;
    const FluidSpec& f = *conditions.fluid;
    o.insert(QStringLiteral("name"), QString::fromUtf8(fluidKeyword(f.kind).data(), fluidKeyword(f.kind).size()));
    o.insert(QStringLiteral("concentration"),
             f.kind == FluidKind::Water ? QJsonValue(QJsonValue::Null) : QJsonValue(f.concentration));
    o.insert(QStringLiteral("temperature"), f.temperature);
    o.insert(QStringLiteral("density"), jsonNumber(conditions.properties.density));
    o.insert(QStringLiteral("viscosity"), jsonNumber(conditions.properties.kinematicViscosity));
    o.insert(QStringLiteral("vapourPressure"), jsonNumber(conditions.properties.vapourPressure));
    return o;
}

QJsonObject measuredSystemJson(const SystemFit& fit, double designFlow)
{
    return {{QStringLiteral("staticHead"), jsonNumber(fit.staticHead)},
            {QStringLiteral("coefficient"), jsonNumber(fit.coefficient)},
            {QStringLiteral("resistance"), jsonNumber(fit.resistanceAt(designFlow))}};
}

void addPumpExtrasJson(QJsonObject* pump, const PumpExtras& x, const ServiceConditions& c)
{
    pump->insert(QStringLiteral("bestEfficiencyFlow"), jsonNumber(x.bestEfficiencyFlow));
    pump->insert(QStringLiteral("bestEfficiencyShare"), jsonNumber(x.bestEfficiencyShare));
    pump->insert(QStringLiteral("inPreferredRegion"), x.inPreferredRegion);
    if (c.fluid) {
        const ViscosityCorrection v = x.viscosity.value_or(ViscosityCorrection{});
        pump->insert(QStringLiteral("viscosityCorrection"),
                     QJsonObject{{QStringLiteral("B"), jsonNumber(v.b)},
                                 {QStringLiteral("CQ"), jsonNumber(v.cq)},
                                 {QStringLiteral("CH"), jsonNumber(v.ch)},
                                 {QStringLiteral("Ceta"), jsonNumber(v.ceta)}});
    }
    if (c.suctionAbsolutePressure) {
        pump->insert(QStringLiteral("npshAvailable"), x.npsh ? jsonNumber(x.npsh->available) : QJsonValue());
        pump->insert(QStringLiteral("npshRequired"), x.npsh ? jsonNumber(x.npsh->required) : QJsonValue());
        pump->insert(QStringLiteral("npshOk"), x.npsh ? QJsonValue(x.npsh->ok) : QJsonValue());
    }
    if (c.trim) {
        if (!x.trim) {
            pump->insert(QStringLiteral("trim"), QJsonValue());
        } else {
            const TrimResult& t = *x.trim;
            pump->insert(QStringLiteral("trim"),
                         QJsonObject{{QStringLiteral("ratio"), jsonNumber(t.ratio)},
                                     {QStringLiteral("diameter"), t.diameter ? jsonNumber(*t.diameter) : QJsonValue()},
                                     {QStringLiteral("flow"), jsonNumber(t.flow)},
                                     {QStringLiteral("head"), jsonNumber(t.head)},
                                     {QStringLiteral("shaftPower"), t.limited ? QJsonValue() : jsonNumber(t.shaftPower)},
                                     {QStringLiteral("efficiency"),
                                      t.limited ? QJsonValue() : jsonNumber(t.efficiency / 100.0)},
                                     {QStringLiteral("limited"), t.limited}});
        }
    }
}

QString conditionsText(const ServiceConditions& c, const std::optional<SystemFit>& measured, double designFlow)
{
    QString text;
    if (c.fluid) {
        const FluidSpec& f = *c.fluid;
        text += QCoreApplication::translate("tarnwick::cli", "介质：%1").arg(store::coreText(fluidName(f.kind)));
        if (f.kind != FluidKind::Water)
            text += QStringLiteral(" %1 %").arg(fixed(f.concentration, 0));
        text +=
            QCoreApplication::translate("tarnwick::cli", "，%1 ℃，密度 %2 kg/m3，运动粘度 %3 cSt，汽化压力 %4 kPa\n")
                .arg(fixed(f.temperature, 1), fixed(c.properties.density, 1), fixed(c.properties.kinematicViscosity, 3),
                     fixed(c.properties.vapourPressure, 2));
    }
    if (c.suctionAbsolutePressure)
        text += QCoreApplication::translate("tarnwick::cli", "吸入口绝对压力：%1 kPa\n")
                    .arg(fixed(*c.suctionAbsolutePressure, 2));
    if (measured)
        text += QCoreApplication::translate("tarnwick::cli", "实测管路特性：H = %1 + %2·Q²，设计流量下阻力 %3 m\n")
                    .arg(fixed(measured->staticHead, 2), QString::number(measured->coefficient, 'g', 5),
                         fixed(measured->resistanceAt(designFlow), 2));
    return text;
}

} // namespace tarnwick::cli
