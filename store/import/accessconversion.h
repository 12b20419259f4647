#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

namespace tarnwick::import {

// The outcome of converting the program folder's Access database.
struct AccessConversion
{
    enum class Outcome {
        NotAccess, // the folder's database is no Access file; nothing done
        Converted, // the converted database has the program's file name
        Failed,    // nothing changed: the Access file has its name again
    };
    Outcome outcome = Outcome::NotAccess;
    QString keptOriginal; // where the Access file is kept after a conversion
    QString message;      // for the user, in Chinese
    QString details;      // what the command-line tool printed
};

// Whether the program folder's database file is an Access (Jet) file.
bool programFolderHoldsAccessFile(const QString& programFolder);

// The name the Access original is kept under, beside it: "-access97" for a
// Jet 3 file, "-access2000" for Jet 4, "-access2007" for later formats, with
// "-2", "-3", ... added when that name is taken.
QString keptOriginalPath(const QString& accessFile);

// Converts the program folder's Access database into the program's own: the
// original is renamed to keptOriginalPath() and `cliPath import-mdb` runs as
// a child process, so a file that crashes the Access reader cannot take the
// caller down. On any failure the original gets its name back.
AccessConversion convertProgramFolderDatabase(const QString& programFolder, const QString& cliPath,
                                              int timeoutMs = 10 * 60 * 1000);

// The same conversion in steps, for a window that stays responsive and can
// be cancelled: start() renames the original and starts the child; the
// caller waits for process() to finish and calls finish(), or calls stop()
// to end it early. Either way a failed or stopped run leaves the original
// under its own name and no partial target. A run destroyed while its child
// still runs is stopped.
class AccessConversionRun
{
public:
    AccessConversionRun(const QString& programFolder, const QString& cliPath);
    ~AccessConversionRun();
    AccessConversionRun(const AccessConversionRun&) = delete;
    AccessConversionRun& operator=(const AccessConversionRun&) = delete;

    // False when the child could not start; finish() then says why.
    bool start();
    QProcess& process() { return m_process; }
    // The child's latest progress line ("正在转换：表 …"), or empty.
    QString progressText();
    const AccessConversion& finish();
    const AccessConversion& stop(const QString& reason);

private:
    enum class State { Idle, Running, Done };
    void finishWith(const QString& stopReason);

    QString m_database;
    QString m_cliPath;
    QString m_kept;
    QProcess m_process;
    QByteArray m_errorOutput;
    State m_state = State::Idle;
    AccessConversion m_result;
};

} // namespace tarnwick::import
