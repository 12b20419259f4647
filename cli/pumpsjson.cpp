#include "cli/pumpsjson.h"

#include "cli/conditionoptions.h"
#include "cli/explainoutput.h"
#include "cli/output.h"
#include "store/names.h"

#include <QJsonObject>

#include <cmath>

namespace tarnwick::cli {

namespace {

QJsonValue number(double x)
{
    return std::isfinite(x) ? QJsonValue(x) : QJsonValue(QJsonValue::Null);
}

// Efficiencies in percent, as the calculation holds them; the English keys
// give them as fractions, the stored Chinese ones as stored.
QJsonObject pumpJson(const std::string& model, std::optional<double> speed, double flow, double head, double efficiency,
                     double bestEfficiency, double power, const SelectionResult& row, const FitQuality& fit)
{
    namespace names = store::names;
    QJsonObject stored;
    stored.insert(names::bestEfficiency(), number(row.bestEfficiency));
    stored.insert(names::operatingHead(), number(row.operatingHead));
    stored.insert(names::operatingFlow(), number(row.operatingFlow));
    stored.insert(names::operatingEfficiency(), number(row.operatingEfficiency));
    QJsonObject object;
    object.insert(QStringLiteral("model"), QString::fromStdString(model));
    object.insert(QStringLiteral("speed"), speed ? number(*speed) : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("operatingFlow"), number(flow));
    object.insert(QStringLiteral("operatingHead"), number(head));
    object.insert(QStringLiteral("operatingEfficiency"), fractionJson(efficiency));
    object.insert(QStringLiteral("bestEfficiency"), fractionJson(bestEfficiency));
    object.insert(QStringLiteral("operatingPower"), number(power));
    object.insert(QStringLiteral("fitQuality"), fitQualityJson(fit));
    object.insert(QStringLiteral("stored"), stored);
    return object;
}

} // namespace

QJsonArray designPumpsJson(const DesignSelection& selection)
{
    QJsonArray array;
    for (std::size_t i = 0; i < selection.candidates.size() && i < selection.rows.size(); ++i) {
        const DesignCandidate& c = selection.candidates[i];
        QJsonObject object = pumpJson(c.model, c.speed, c.operatingFlow, c.operatingHead, c.operatingEfficiency,
                                      c.bestEfficiency, c.operatingPower, selection.rows[i], c.fitQuality);
        addPumpExtrasJson(&object, c.extras, selection.conditions);
        array.append(object);
    }
    return array;
}

QJsonArray checkedPumpJson(const CheckedPump& pump, const Catalogue& catalogue)
{
    // The check names a model; its speed is that of the model's first
    // catalogue row.
    std::optional<double> speed;
    for (const CataloguePump& entry : catalogue.pumps) {
        if (entry.model == pump.model) {
            speed = entry.speed;
            break;
        }
    }
    QJsonObject object = pumpJson(pump.model, speed, pump.operatingFlow, pump.operatingHead, pump.operatingEfficiency,
                                  pump.bestEfficiency, pump.operatingPower, pump.row, pump.fitQuality);
    addPumpExtrasJson(&object, pump.extras, pump.conditions);
    return QJsonArray{object};
}

} // namespace tarnwick::cli
