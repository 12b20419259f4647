#pragma once

#include <QString>

namespace tarnwick::cli {

// "tarnwick-cli VERSION" and the database the tool would use.
QString versionText(const QString& databaseDescription);

} // namespace tarnwick::cli
