#include "cli/arguments.h"

#include "cli/output.h"
#include "store/database.h"
#include "store/databaselocation.h"
#include "store/names.h"

#include <QCoreApplication>
#include <QDir>

namespace tarnwick::cli {

QString absolutePath(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

QString databaseFile(const QHash<QString, QString>& values)
{
    const store::DatabaseLocation location = store::locateDatabase(values.value(QStringLiteral("db")));
    QString error;
    // The opening that follows names the missing file when the copy failed.
    if (!store::preparePerUserDatabase(location, &error))
        printError(error + QLatin1Char('\n'));
    return location.path;
}

bool openResultRows(const QHash<QString, QString>& values, bool all, store::RowSet* rows)
{
    // Reading the results needs no write access to the file or its folder.
    auto connection = store::Connection::open(databaseFile(values), store::Connection::Access::ReadOnly);
    if (!connection) {
        printError(connection.error() + QLatin1Char('\n'));
        return false;
    }
    if (!rows->open(connection.value(),
                    all ? store::names::allResultsTable() : store::names::latestResultsTable())) {
        printError(rows->lastError() + QLatin1Char('\n'));
        return false;
    }
    return true;
}

} // namespace tarnwick::cli
