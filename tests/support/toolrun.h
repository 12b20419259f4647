#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace tarnwick::testing {

// One finished run of a program. The exit code is -1 unless the program
// ended by itself (a crash never reads as success).
struct ToolRun
{
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QByteArray outBytes;
    QString out; // the output as UTF-8 text
    QString err;

    QJsonObject json() const;
};

// Runs the program to its end; one that is still running after the timeout
// is killed.
ToolRun runTool(const QString& program, const QStringList& arguments, int timeoutMs = 120000,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

} // namespace tarnwick::testing
