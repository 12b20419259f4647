#pragma once

// What the tests of the tool's calculations share: a run of the tool, runs
// started at once, a figure read from the database, and the liquid options both the fixed-speed and the
// variable-speed selection take.

#include "store/database.h"
#include "tests/support/testdatabase.h"
#include "tests/support/toolrun.h"

#include <QList>
#include <QProcess>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace tarnwick::testing {

inline ToolRun cli(const QStringList& arguments)
{
    return runTool(QStringLiteral(TARNWICK_CLI_PATH), arguments, 60000);
}

// Starts the tool once for each argument list, all at once, and waits for
// every run. Empty when each ended with exit 0; otherwise what the first
// that did not said.
inline QString runAtOnce(const QList<QStringList>& runs)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QStringList& arguments : runs) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(TARNWICK_CLI_PATH), arguments);
        processes.push_back(std::move(process));
    }
    QString failure;
    for (std::size_t i = 0; i < processes.size(); ++i) {
        QProcess& process = *processes[i];
        if (!process.waitForFinished(60000) && failure.isEmpty())
            failure = QStringLiteral("run %1 did not end").arg(i + 1);
        if (process.exitCode() != 0 && failure.isEmpty())
            failure = QStringLiteral("run %1 ended with %2: %3")
                          .arg(i + 1)
                          .arg(process.exitCode())
                          .arg(QString::fromUtf8(process.readAllStandardError()));
    }
    return failure;
}

// The first value of a query's first row as a whole number, read through a
// connection of the folder's database apart from the tool's; -1 when the
// query cannot be read.
inline int firstNumber(const TestProgramFolder& folder, const QString& sql)
{
    auto connection = store::Connection::open(folder.databasePath());
    if (!connection)
        return -1;
    QSqlQuery query(connection.value()->database());
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toInt();
}

// Water at 95 °C with the suction pressure in MPa; the pressure follows.
inline QStringList hotWaterOptions()
{
    return {QStringLiteral("--fluid"),
            QStringLiteral("water"),
            QStringLiteral("--temperature"),
            QStringLiteral("95"),
            QStringLiteral("--suction-pressure-unit"),
            QStringLiteral("MPa"),
            QStringLiteral("--suction-pressure")};
}

inline QStringList glycolOptions()
{
    return {QStringLiteral("--fluid"), QStringLiteral("ethylene-glycol"), QStringLiteral("--concentration"),
            QStringLiteral("40"),      QStringLiteral("--temperature"),   QStringLiteral("4")};
}

} // namespace tarnwick::testing
