#include "cli/help.h"

#include <QStringList>

#ifndef TARNWICK_VERSION
#define TARNWICK_VERSION "0"
#endif

namespace tarnwick::cli {

QString versionText(const QString& databaseDescription)
{
    return QStringLiteral("tarnwick-cli " TARNWICK_VERSION "\n") + databaseDescription + QLatin1Char('\n');
}

} // namespace tarnwick::cli
