#pragma once

#include <QSettings>
#include <QString>

namespace tarnwick::store {

// The folder of the running executable, without a trailing separator.
QString programFolder();
// The database the windows open for `place`: a server's address names the
// database itself; anything else is a folder, whose file of the program's
// name is the database.
QString databasePath(const QString& place);

// The one settings file of both programs, ~/.config/tarnwick/tarnwick.conf:
// the database chosen in the windows' dialog, the data sheet's header and the
// like. The values an earlier version kept elsewhere are taken over once.
QSettings userSettings();
// The user's choice of database for the windows, kept in the settings
// ("database"); never with a password.
QString settingsDatabase();
// False, with the reason, for a server address that cannot be read; the
// setting is then left as it was.
bool setSettingsDatabase(const QString& location, QString* error = nullptr);

// Which database file the programs use.
//  - Given: named by --db or the TARNWICK_DB environment variable.
//  - Portable: a database file beside the executable; used in place, as in
//    the program folder of a build or an unpacked copy.
//  - PerUser: an installed program; the database lives in the user's data
//    folder and starts as a copy of the one shipped with the program.
struct DatabaseLocation
{
    enum class Kind { Given, Portable, PerUser };
    // What named a Given database.
    enum class ChosenBy { Option, Environment, Settings, Default };
    Kind kind = Kind::Portable;
    ChosenBy chosenBy = ChosenBy::Default;
    QString path;    // the database file
    QString shipped; // PerUser: the shipped database the first copy comes from
};

// `given` is the --db value (empty when the option is absent); then the
// TARNWICK_DB environment variable, then the choice kept in the settings by
// the windows' database dialog. A relative path is taken from the current folder.
DatabaseLocation locateDatabase(const QString& given = QString());
// Where the database is when nothing names one: beside the program or the
// user's copy.
DatabaseLocation usualDatabaseLocation();

// The database the package installs: <prefix>/share/tarnwick/<file name>,
// found relative to the executable so that an unpacked tree works as well.
QString shippedDatabasePath();

// The user's data folder for Tarnwick (the application data location both
// programs share).
QString perUserDataFolder();

// For a per-user location whose file does not exist yet: copies the shipped
// database there. An existing file is never touched, so a newer shipped
// catalogue never replaces a user's results. False with a message on failure.
bool preparePerUserDatabase(const DatabaseLocation& location, QString* error);

// A short Chinese description for the status bar and --version:
// the path and where it came from.
QString describeDatabase(const DatabaseLocation& location);

} // namespace tarnwick::store
