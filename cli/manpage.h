#pragma once

#include <QString>

namespace tarnwick::cli {

enum class ManLanguage { English, Chinese };

// The tool's manual page (roff, man macros), made from the command table.
QString manPage(ManLanguage language, const QString& version);

} // namespace tarnwick::cli
