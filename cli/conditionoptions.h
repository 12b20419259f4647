#pragma once

#include "core/selection.h"
#include "core/systemfit.h"

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarnwick::cli {

// The options of design, check, select and sheet for the liquid, the suction,
// the impeller and the measured system.

struct ConditionInputs
{
    ServiceConditions conditions;
    std::optional<SystemFit> measured; // with --measured
};

// Reads the options into conditions (not yet completed). A malformed value is
// a usage fault: false with the message in *error.
bool readConditionOptions(const QHash<QString, QString>& values, const QStringList& flags, ConditionInputs* inputs,
                          QString* error);

// With --measured: fits the system curve and writes the resistance (and,
// when not given, the static head) into the duty texts in mH2O, as if typed.
// A malformed list is a usage fault; a fit that fails is a program message in
// *message.
bool applyMeasuredSystem(const QHash<QString, QString>& values, DutyTexts* texts, ConditionInputs* inputs,
                         QString* error, QString* message);

// The JSON of the liquid and of the measured system, and the new keys of one
// listed or checked pump.
QJsonObject fluidJson(const ServiceConditions& conditions);
QJsonObject measuredSystemJson(const SystemFit& fit, double designFlow);
void addPumpExtrasJson(QJsonObject* pump, const PumpExtras& extras, const ServiceConditions& conditions);

// The text output's lines on the run's inputs.
QString conditionsText(const ServiceConditions& conditions, const std::optional<SystemFit>& measured,
                       double designFlow);

} // namespace tarnwick::cli
