#include "cli/selectcommand.h"

#include "cli/commands.h"
#include "cli/conditionoptions.h"
#include "cli/output.h"
#include "core/numbers.h"
#include "core/varspeed.h"
#include "store/coretext.h"
#include "store/varspeedstore.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarnwick::cli {

namespace {

QString option(const char* name)
{
    return QString::fromLatin1(name);
}

// Options whose text goes to the core unchanged, and where it goes.
struct TextOption
{
    const char* name;
    std::string VarSpeedTexts::*member;
};
const TextOption kTextOptions[] = {
    {"duty-pumps", &VarSpeedTexts::dutyPumps},
    {"standby-pumps", &VarSpeedTexts::standbyPumps},
    {"hours", &VarSpeedTexts::hours},
    {"price", &VarSpeedTexts::price},
    {"density", &VarSpeedTexts::density},
    {"min-speed", &VarSpeedTexts::minSpeed},
    {"max-speed", &VarSpeedTexts::maxSpeed},
    {"motor-margin", &VarSpeedTexts::motorMargin},
    {"proportional-share", &VarSpeedTexts::proportionalShare},
    {"setpoint", &VarSpeedTexts::setpoint},
};

QJsonArray warningsJson(unsigned warnings)
{
    QJsonArray list;
    for (const std::string& code : warningCodes(warnings))
        list.append(QString::fromStdString(code));
    return list;
}

// The liquid and suction options select takes: trimming and the measured
// system belong to one constant-speed duty.
QStringList suctionOptionNames()
{
    return {QStringLiteral("fluid"),
            QStringLiteral("concentration"),
            QStringLiteral("temperature"),
            QStringLiteral("suction-pressure"),
            QStringLiteral("suction-pressure-unit"),
            QStringLiteral("atmospheric"),
            QStringLiteral("npsh-margin")};
}

QJsonValue jsonNumber(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

} // namespace

QJsonObject varSpeedPointJson(const VarSpeedPoint& p)
{
    return {
        {QStringLiteral("flowShare"), p.flowShare},
        {QStringLiteral("timeShare"), p.timeShare},
        {QStringLiteral("flow"), p.flow},
        {QStringLiteral("head"), p.head},
        {QStringLiteral("running"), p.running},
        {QStringLiteral("speedShare"), p.speedShare},
        {QStringLiteral("equivalentFlow"), p.equivalentFlow},
        {QStringLiteral("bestEfficiencyShare"), p.bestEfficiencyShare},
        {QStringLiteral("pumpEfficiency"), p.pumpEfficiency},
        {QStringLiteral("shaftPower"), p.shaftPower},
        {QStringLiteral("motorEfficiency"), p.motorEfficiency},
        {QStringLiteral("driveEfficiency"), p.driveEfficiency},
        {QStringLiteral("inputPower"), p.inputPower},
        {QStringLiteral("wireToWaterEfficiency"), p.wireToWaterEfficiency},
        {QStringLiteral("warnings"), warningsJson(p.warnings)},
    };
}

namespace {

void addSuctionJson(QJsonObject* point, const VarSpeedPoint& p, const ServiceConditions& conditions)
{
    if (!conditions.suctionAbsolutePressure)
        return;
    point->insert(QStringLiteral("npshAvailable"), p.npsh ? jsonNumber(p.npsh->available) : QJsonValue());
    point->insert(QStringLiteral("npshRequired"), p.npsh ? jsonNumber(p.npsh->required) : QJsonValue());
    point->insert(QStringLiteral("npshOk"), p.npsh ? QJsonValue(p.npsh->ok) : QJsonValue());
}

QJsonObject pointJson(const VarSpeedPoint& p, const ServiceConditions& conditions)
{
    QJsonObject o = varSpeedPointJson(p);
    addSuctionJson(&o, p, conditions);
    return o;
}

QJsonObject pumpJson(const VarSpeedPump& pump, const VarSpeedRequest& request)
{
    const ServiceConditions& conditions = request.conditions;
    QJsonArray points;
    for (const VarSpeedPoint& p : pump.points)
        points.append(pointJson(p, conditions));
    QJsonObject o{
        {QStringLiteral("model"), QString::fromStdString(pump.curves.model)},
        {QStringLiteral("speed"), pump.curves.speed ? QJsonValue(*pump.curves.speed) : QJsonValue()},
        {QStringLiteral("dutyPumps"), pump.dutyPumps},
        {QStringLiteral("standbyPumps"), pump.standbyPumps},
        {QStringLiteral("bestEfficiencyFlow"), pump.curves.bestEfficiencyFlow},
        {QStringLiteral("motorRating"), pump.motorRating},
        {QStringLiteral("motorSource"), QString::fromLatin1(motorSourceKeyword(pump.motorSource))},
        {QStringLiteral("topSpeedPower"), pump.topSpeedPower},
        {QStringLiteral("maxSpeed"), request.maxSpeed},
        {QStringLiteral("annualEnergy"), pump.annualEnergy},
        {QStringLiteral("aboveBest"), pump.aboveBest},
        {QStringLiteral("annualCost"), pump.annualCost},
        {QStringLiteral("weightedEfficiency"), pump.weightedEfficiency},
        {QStringLiteral("timeOutsidePreferredRegion"), pump.timeOutsidePreferredRegion},
        {QStringLiteral("design"), pointJson(pump.design, conditions)},
        {QStringLiteral("points"), points},
    };
    if (conditions.fluid) {
        const ViscosityCorrection v = pump.curves.viscosity.value_or(ViscosityCorrection{});
        o.insert(QStringLiteral("viscosityCorrection"), QJsonObject{{QStringLiteral("B"), jsonNumber(v.b)},
                                                                    {QStringLiteral("CQ"), jsonNumber(v.cq)},
                                                                    {QStringLiteral("CH"), jsonNumber(v.ch)},
                                                                    {QStringLiteral("Ceta"), jsonNumber(v.ceta)}});
    }
    return o;
}

// The liquid's correction and the tightest suction of one pump set, for the
// text output; empty without those inputs.
QString suctionLine(const VarSpeedPump& p, const ServiceConditions& conditions)
{
    QStringList parts;
    if (conditions.fluid && p.curves.viscosity && p.curves.viscosity->needed()) {
        const ViscosityCorrection& v = *p.curves.viscosity;
        parts << QCoreApplication::translate("tarnwick::cli", "粘度修正 B=%1 CQ=%2 CH=%3 Cη=%4")
                     .arg(QString::number(v.b, 'f', 2), QString::number(v.cq, 'f', 3), QString::number(v.ch, 'f', 3),
                          QString::number(v.ceta, 'f', 3));
    }
    if (conditions.suctionAbsolutePressure) {
        const NpshCheck* tightest = p.design.npsh ? &*p.design.npsh : nullptr;
        for (const VarSpeedPoint& point : p.points) {
            if (point.npsh && (!tightest || point.npsh->needed > tightest->needed))
                tightest = &*point.npsh;
        }
        if (tightest)
            parts << QCoreApplication::translate("tarnwick::cli", "有效汽蚀余量 %1 m，各负荷点最大需要 %2 m")
                         .arg(QString::number(tightest->available, 'f', 2), QString::number(tightest->needed, 'f', 2));
        else
            parts << QCoreApplication::translate("tarnwick::cli", "目录中没有必需汽蚀余量，未校核汽蚀");
    }
    return parts.isEmpty() ? QString()
                           : QStringLiteral("     ") + parts.join(QCoreApplication::translate("tarnwick::cli", "；")) +
                                 QLatin1Char('\n');
}

QJsonObject rejectionJson(const VarSpeedRejection& r)
{
    return {
        {QStringLiteral("model"), QString::fromStdString(r.model)},
        {QStringLiteral("rule"), QString::fromLatin1(speedRejectionRuleCode(r.rule))},
        {QStringLiteral("figure"), std::isfinite(r.figure) ? QJsonValue(r.figure) : QJsonValue()},
        {QStringLiteral("reason"), store::coreText(rejectionText(r))},
    };
}

QString figure(double value, double scale = 1.0)
{
    return QString::fromStdString(numberText(std::round(value * scale * 10.0) / 10.0));
}

QString pumpLine(int rank, const VarSpeedPump& p)
{
    return QCoreApplication::translate(
               "tarnwick::cli",
               "%1. %2  %3+%4台  电机%5kW（%6）  设计转速比%7%  加权综合效率%8%  年耗电量%9kWh（高出最优%10%）"
               "  年电费%11元  优先工作区外%12%时间\n")
        .arg(rank)
        .arg(QString::fromStdString(p.curves.model))
        .arg(p.dutyPumps)
        .arg(p.standbyPumps)
        .arg(QString::fromStdString(numberText(p.motorRating)),
             p.motorSource == MotorSource::Catalogue ? QCoreApplication::translate("tarnwick::cli", "样本配用")
                                                     : QCoreApplication::translate("tarnwick::cli", "按全速曲线选配"),
             figure(p.design.speedShare, 100.0), figure(p.weightedEfficiency, 100.0), figure(p.annualEnergy),
             figure(p.aboveBest, 100.0), figure(p.annualCost), figure(p.timeOutsidePreferredRegion, 100.0));
}

} // namespace

bool readVarSpeedOptions(const QHash<QString, QString>& values, const DutyTexts& duty, VarSpeedTexts* out)
{
    VarSpeedTexts texts;
    texts.duty = duty;
    const QString control = values.value(QStringLiteral("control"), QStringLiteral("constant"));
    const auto mode = controlModeFromKeyword(control.toStdString());
    if (!mode) {
        printError(QCoreApplication::translate("tarnwick::cli",
                                               "控制方式“%1”应为 constant、proportional、critical 或 system。\n")
                       .arg(control));
        return false;
    }
    texts.control = *mode;
    if (values.contains(QStringLiteral("profile"))) {
        auto rows = parseProfileText(values.value(QStringLiteral("profile")).toStdString());
        if (!rows) {
            printError(store::coreText(rows.error()) + QLatin1Char('\n'));
            return false;
        }
        texts.profile = rows.value();
    }
    for (const TextOption& o : kTextOptions) {
        if (values.contains(option(o.name)))
            texts.*o.member = values.value(option(o.name)).toStdString();
    }
    QHash<QString, QString> suction;
    for (const QString& name : suctionOptionNames()) {
        if (values.contains(name))
            suction.insert(name, values.value(name));
    }
    ConditionInputs inputs;
    QString error;
    if (!readConditionOptions(suction, {}, &inputs, &error)) {
        printUsageError(error, QStringLiteral("select"));
        return false;
    }
    if (inputs.conditions.fluid && values.contains(QStringLiteral("density"))) {
        printUsageError(QCoreApplication::translate("tarnwick::cli",
                                                    "--density 与 --fluid 只能给出一个：介质的密度由其物性表给出。"),
                        QStringLiteral("select"));
        return false;
    }
    texts.conditions = inputs.conditions;
    *out = texts;
    return true;
}

std::optional<std::string> completeVarSpeedConditions(VarSpeedTexts* texts)
{
    const ServiceConditions& given = texts->conditions;
    if (!given.fluid && !given.suctionAbsolutePressure)
        return std::nullopt;
    auto completed = completeConditions(given);
    if (!completed)
        return completed.error();
    texts->conditions = completed.value();
    return std::nullopt;
}

int runSelectCommand(const QHash<QString, QString>& values, const DutyTexts& duty, bool json, bool explain)
{
    VarSpeedTexts texts;
    if (!readVarSpeedOptions(values, duty, &texts))
        return kUsageOrDatabase;
    // A liquid outside its tables is told as a bad entry is.
    if (const auto message = completeVarSpeedConditions(&texts)) {
        printMessage(QString::fromStdString(*message));
        return kProgramMessage;
    }
    std::optional<std::string> model;
    if (values.contains(QStringLiteral("model")))
        model = values.value(QStringLiteral("model")).toStdString();

    auto connection = store::Connection::open(databaseFile(values));
    if (!connection) {
        printError(connection.error() + QLatin1Char('\n'));
        return kUsageOrDatabase;
    }
    auto run = store::runVarSpeed(*connection.value(), texts, model, {},
                                  explain ? RejectedList::Listed : RejectedList::Omitted);
    if (!run) {
        if (run.error().kind != store::VarSpeedFailure::Kind::Message) {
            printError(run.error().databaseError + QLatin1Char('\n'));
            return kUsageOrDatabase;
        }
        // Told once, on standard error; with --json also as the final object's message.
        printMessage(store::coreText(run.error().stop.message));
        return kProgramMessage;
    }

    std::vector<const VarSpeedPump*> pumps;
    std::vector<const VarSpeedRejection*> rejected;
    if (run->single) {
        if (*run->single)
            pumps.push_back(&run->single->value());
        else
            rejected.push_back(&run->single->error());
    } else {
        for (const VarSpeedPump& p : run->selection.accepted)
            pumps.push_back(&p);
        for (const VarSpeedRejection& r : run->selection.rejected)
            rejected.push_back(&r);
    }

    // One model that does not suit is refused with its reason; a search that
    // finds none is told so.
    const bool singleRefused = run->single && !*run->single;
    const QString message = singleRefused ? QCoreApplication::translate("tarnwick::cli", "%1 未入选：%2")
                                                .arg(QString::fromStdString(rejected.front()->model),
                                                     store::coreText(rejectionText(*rejected.front())))
                                          : QCoreApplication::translate("tarnwick::cli", "没有满足要求的水泵。");
    const QString status = singleRefused ? statusRejected() : statusNoneFound();
    if (json) {
        QJsonObject object;
        if (texts.conditions.fluid)
            object.insert(QStringLiteral("fluid"), fluidJson(texts.conditions));
        if (pumps.empty()) {
            printMessage(message, status);
            object.insert(QStringLiteral("message"), message);
        }
        QJsonArray list;
        for (const VarSpeedPump* p : pumps)
            list.append(pumpJson(*p, run->selection.request));
        object.insert(QStringLiteral("pumps"), list);
        if (explain || singleRefused) {
            QJsonArray out;
            for (const VarSpeedRejection* r : rejected)
                out.append(rejectionJson(*r));
            object.insert(QStringLiteral("rejected"), out);
        }
        printJsonResult(pumps.empty() ? status : statusOk(), object);
        return pumps.empty() ? kProgramMessage : kCompleted;
    }
    printOut(QCoreApplication::translate("tarnwick::cli", "变速节能选型（%1）：\n")
                 .arg(store::coreText(controlModeName(texts.control))));
    printOut(conditionsText(texts.conditions, std::nullopt, 0.0));
    if (pumps.empty())
        printMessage(message, status);
    int rank = 0;
    for (const VarSpeedPump* p : pumps)
        printOut(QStringLiteral("  ") + pumpLine(++rank, *p) + suctionLine(*p, texts.conditions));
    if (explain && !rejected.empty()) {
        printOut(QCoreApplication::translate("tarnwick::cli", "\n未入选的水泵：\n"));
        for (const VarSpeedRejection* r : rejected)
            printOut(QStringLiteral("  %1  %2  %3\n")
                         .arg(QString::fromStdString(r->model), QString::fromLatin1(speedRejectionRuleCode(r->rule)),
                              store::coreText(rejectionText(*r))));
    }
    return pumps.empty() ? kProgramMessage : kCompleted;
}

} // namespace tarnwick::cli
