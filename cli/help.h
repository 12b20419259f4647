#pragma once

#include <QString>

namespace tarnwick::cli {

// The part of the tool's usage text that concerns one command: its syntax
// lines, its description, and the option notes it refers to. Empty when the
// usage names no such command.
QString commandHelp(const QString& usage, const QString& command);

// "tarnwick-cli VERSION" and the database the tool would use.
QString versionText(const QString& databaseDescription);

} // namespace tarnwick::cli
