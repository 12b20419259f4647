#pragma once

#include "core/selection.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

namespace tarnwick::cli {

// A number for JSON: null when it is missing or not finite.
QJsonValue numberJson(const std::optional<double>& value);

// The fit quality of one pump as a JSON object.
QJsonObject fitQualityJson(const FitQuality& quality);
// One object per design candidate: model and fit quality.
QJsonArray candidatesFitJson(const DesignSelection& selection);

// Every pump the design skipped, in catalogue order: model, speed, rule,
// figure, reason and the operating values that were reached.
QJsonArray rejectedJson(const Catalogue& catalogue, const DesignSelection& selection);
// The skipped pumps counted by rule, as lines for the text output.
QString rejectedSummary(const DesignSelection& selection);

} // namespace tarnwick::cli
