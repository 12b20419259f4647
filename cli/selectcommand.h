#pragma once

#include "cli/arguments.h"
#include "core/units.h"
#include "core/varspeed.h"

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace tarnwick::cli {

// The inputs as the options give them; a bad control or profile text is
// printed and gives false.
// The liquid and suction options are read too (not yet completed); a
// malformed one is a usage fault, printed.
bool readVarSpeedOptions(const QHash<QString, QString>& values, const DutyTexts& duty, VarSpeedTexts* texts);
// Completes the liquid's properties in texts->conditions; the program's
// message when the liquid is outside its tables.
std::optional<std::string> completeVarSpeedConditions(VarSpeedTexts* texts);

// One load point of a pump set as JSON: shares and efficiencies as fractions.
QJsonObject varSpeedPointJson(const VarSpeedPoint& point);

// Runs the variable-speed selection (or one model with --model), stores its
// rows and prints the ranking; --explain adds the rejected pumps.
int runSelectCommand(const QHash<QString, QString>& values, const DutyTexts& duty, bool json, bool explain);

} // namespace tarnwick::cli
