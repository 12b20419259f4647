#include "store/databaselocation.h"

#include "store/database.h"
#include "store/names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#ifndef TARNWICK_RELATIVE_DATA_DIR
#define TARNWICK_RELATIVE_DATA_DIR "../share/tarnwick"
#endif

namespace tarnwick::store {

namespace {

// Earlier versions kept the data sheet's header in a file of their own,
// named after the window's application name alone.
void takeOverEarlierSettings(QSettings& settings)
{
    const QString taken = QStringLiteral("earlierSettingsTaken");
    if (settings.value(taken).toBool())
        return;
    QSettings earlier(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Unknown Organization"),
                      QStringLiteral("Tarnwick"));
    const QStringList keys = earlier.allKeys();
    for (const QString& key : keys) {
        if (!settings.contains(key))
            settings.setValue(key, earlier.value(key));
    }
    settings.setValue(taken, true);
}

} // namespace

QString programFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString databasePath(const QString& place)
{
    if (isServerLocation(place))
        return place;
    return place + QLatin1Char('/') + names::databaseFileName();
}

QSettings userSettings()
{
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tarnwick"),
                           QStringLiteral("tarnwick"));
        takeOverEarlierSettings(settings);
    }
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tarnwick"), QStringLiteral("tarnwick"));
}

QString settingsDatabase()
{
    return userSettings().value(QStringLiteral("database")).toString();
}

bool setSettingsDatabase(const QString& location, QString* error)
{
    // A password stays in the password file or the environment.
    QString kept = location.trimmed();
    if (isServerLocation(kept)) {
        const auto address = parseServerAddress(kept);
        if (!address) {
            if (error)
                *error = address.error();
            return false;
        }
        kept = address->location();
    }
    QSettings settings = userSettings();
    if (kept.isEmpty())
        settings.remove(QStringLiteral("database"));
    else
        settings.setValue(QStringLiteral("database"), kept);
    return true;
}

QString shippedDatabasePath()
{
    return QDir::cleanPath(programFolder() + QLatin1Char('/') + QStringLiteral(TARNWICK_RELATIVE_DATA_DIR) +
                           QLatin1Char('/') + names::databaseFileName());
}

QString perUserDataFolder()
{
    // Both programs share one folder whatever their application names are:
    // the application data location of an application called "tarnwick".
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tarnwick");
}

DatabaseLocation locateDatabase(const QString& given)
{
    DatabaseLocation location;
    QString named = given;
    location.chosenBy = DatabaseLocation::ChosenBy::Option;
    if (named.isEmpty()) {
        named = qEnvironmentVariable("TARNWICK_DB");
        location.chosenBy = DatabaseLocation::ChosenBy::Environment;
    }
    if (named.isEmpty()) {
        named = settingsDatabase();
        location.chosenBy = DatabaseLocation::ChosenBy::Settings;
    }
    if (!named.isEmpty()) {
        location.kind = DatabaseLocation::Kind::Given;
        // A server's address is used as it is.
        location.path = isServerLocation(named) ? named : QDir::cleanPath(QDir::current().absoluteFilePath(named));
        return location;
    }
    return usualDatabaseLocation();
}

DatabaseLocation usualDatabaseLocation()
{
    DatabaseLocation location;
    location.chosenBy = DatabaseLocation::ChosenBy::Default;
    const QString besideProgram = databasePath(programFolder());
    const QString shipped = shippedDatabasePath();
    // Without a shipped database there is nothing to copy: the program folder
    // stays the place, and a missing file is reported there as always.
    if (QFileInfo::exists(besideProgram) || !QFileInfo::exists(shipped)) {
        location.kind = DatabaseLocation::Kind::Portable;
        location.path = besideProgram;
        return location;
    }
    location.kind = DatabaseLocation::Kind::PerUser;
    location.path = perUserDataFolder() + QLatin1Char('/') + names::databaseFileName();
    location.shipped = shipped;
    return location;
}

bool preparePerUserDatabase(const DatabaseLocation& location, QString* error)
{
    if (location.kind != DatabaseLocation::Kind::PerUser || QFileInfo::exists(location.path))
        return true;
    const QString folder = QFileInfo(location.path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = QCoreApplication::translate("tarnwick::store", "无法创建用户数据目录：%1")
                     .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    // No connection to either file is open yet: the copy is a plain file copy,
    // written whole or not at all.
    QFile source(location.shipped);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("tarnwick::store", "无法读取随程序安装的数据库文件：%1")
                     .arg(QDir::toNativeSeparators(location.shipped));
        return false;
    }
    QSaveFile target(location.path);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly) || target.write(source.readAll()) != source.size() || !target.commit()) {
        *error = QCoreApplication::translate("tarnwick::store", "无法把数据库复制到用户数据目录：%1（%2）")
                     .arg(QDir::toNativeSeparators(location.path), target.errorString());
        return false;
    }
    // The shipped file is read-only; the user's copy takes the results.
    QFile::setPermissions(location.path, QFile::permissions(location.path) | QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

QString describeDatabase(const DatabaseLocation& location)
{
    const QString path = shownLocation(location.path);
    switch (location.kind) {
    case DatabaseLocation::Kind::Given:
        switch (location.chosenBy) {
        case DatabaseLocation::ChosenBy::Environment:
            return QCoreApplication::translate("tarnwick::store", "数据库：%1（由环境变量 TARNWICK_DB 指定）")
                .arg(path);
        case DatabaseLocation::ChosenBy::Settings:
            return QCoreApplication::translate("tarnwick::store", "数据库：%1（由设置文件 %2 指定）")
                .arg(path, QDir::toNativeSeparators(userSettings().fileName()));
        case DatabaseLocation::ChosenBy::Option:
        case DatabaseLocation::ChosenBy::Default:
            break;
        }
        return QCoreApplication::translate("tarnwick::store", "数据库：%1（由 --db 指定）").arg(path);
    case DatabaseLocation::Kind::Portable:
        return QCoreApplication::translate("tarnwick::store", "数据库：%1（默认：程序目录）").arg(path);
    case DatabaseLocation::Kind::PerUser:
        break;
    }
    return QCoreApplication::translate("tarnwick::store", "数据库：%1（默认：用户数据目录）").arg(path);
}

} // namespace tarnwick::store
