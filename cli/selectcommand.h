#pragma once

#include "cli/arguments.h"
#include "core/units.h"

#include <QHash>
#include <QString>

namespace tarnwick::cli {

// The options of the variable-speed selection beside the duty's.
const CommandSyntax& selectCommandSyntax();

// Runs the variable-speed selection (or one model with --model), stores its
// rows and prints the ranking; --explain adds the rejected pumps.
int runSelectCommand(const QHash<QString, QString>& values, const DutyTexts& duty, bool json, bool explain);

} // namespace tarnwick::cli
