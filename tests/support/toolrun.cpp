#include "tests/support/toolrun.h"

#include <QJsonDocument>

namespace tarnwick::testing {

QJsonObject ToolRun::json() const
{
    return QJsonDocument::fromJson(outBytes).object();
}

ToolRun runTool(const QString& program, const QStringList& arguments, int timeoutMs,
                const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    ToolRun run;
    run.status = process.exitStatus();
    if (process.error() != QProcess::FailedToStart && run.status == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.outBytes = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.outBytes);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace tarnwick::testing
