#include "cli/explainoutput.h"

#include <array>
#include <cmath>

namespace tarnwick::cli {

QJsonValue numberJson(const std::optional<double>& value)
{
    if (!value || !std::isfinite(*value))
        return QJsonValue(QJsonValue::Null);
    return QJsonValue(*value);
}

QJsonObject fitQualityJson(const FitQuality& quality)
{
    QJsonObject object;
    object.insert(QStringLiteral("headDeviationPercent"), numberJson(quality.headDeviationPercent));
    object.insert(QStringLiteral("powerDeviationPercent"), numberJson(quality.powerDeviationPercent));
    object.insert(QStringLiteral("headR2"), numberJson(quality.headR2));
    object.insert(QStringLiteral("powerR2"), numberJson(quality.powerR2));
    return object;
}

QJsonArray candidatesFitJson(const DesignSelection& selection)
{
    QJsonArray array;
    for (const DesignCandidate& candidate : selection.candidates) {
        QJsonObject object;
        object.insert(QStringLiteral("model"), QString::fromStdString(candidate.model));
        object.insert(QStringLiteral("fitQuality"), fitQualityJson(candidate.fitQuality));
        array.append(object);
    }
    return array;
}

QJsonArray rejectedJson(const Catalogue& catalogue, const DesignSelection& selection)
{
    QJsonArray array;
    for (const RejectedPump& rejected : selection.rejected) {
        const CataloguePump& pump = catalogue.pumps.at(rejected.pumpIndex);
        QJsonObject object;
        object.insert(QStringLiteral("model"), QString::fromStdString(pump.model));
        object.insert(QStringLiteral("speed"), numberJson(pump.speed));
        object.insert(QStringLiteral("rule"), QString::fromUtf8(rejectionRuleCode(rejected.rule)));
        object.insert(QStringLiteral("figure"), numberJson(rejected.figure));
        object.insert(QStringLiteral("reason"), QString::fromStdString(rejectionReason(rejected)));
        const std::array<std::pair<const char*, const std::optional<double>*>, 5> values = {{
            {"operatingFlow", &rejected.operatingFlow},
            {"operatingHead", &rejected.operatingHead},
            {"operatingEfficiency", &rejected.operatingEfficiency},
            {"operatingPower", &rejected.operatingPower},
            {"bestEfficiency", &rejected.bestEfficiency},
        }};
        // Efficiencies, as in every English key, as fractions.
        for (const auto& [key, value] : values) {
            const bool efficiency = QByteArray(key).endsWith("Efficiency");
            if (value->has_value())
                object.insert(QString::fromLatin1(key), efficiency ? numberJson(**value / 100.0) : numberJson(*value));
        }
        array.append(object);
    }
    return array;
}

QString rejectedSummary(const DesignSelection& selection)
{
    std::array<int, kRejectionRuleCount> counts{};
    for (const RejectedPump& rejected : selection.rejected)
        ++counts[static_cast<std::size_t>(rejected.rule)];
    QString text = QStringLiteral("未入选水泵：%1 台（入选 %2 台）\n")
                       .arg(selection.rejected.size())
                       .arg(selection.candidates.size());
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] == 0)
            continue;
        const auto rule = static_cast<RejectionRule>(i);
        text += QStringLiteral("  %1（%2）：%3\n")
                    .arg(QString::fromUtf8(rejectionRuleName(rule)), QString::fromUtf8(rejectionRuleCode(rule)))
                    .arg(counts[i]);
    }
    return text;
}

} // namespace tarnwick::cli
