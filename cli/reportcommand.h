#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>

#include <memory>

namespace tarnwick::cli {

// The application object for a command line: the report command draws text
// and needs a GUI application (offscreen unless a platform is chosen); every
// other command runs without one.
std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv);

// Writes the latest-results report, or with all the all-results report, to
// the files given as "pdf", "csv" and "xlsx"; "db" names the database file.
// With variableSpeed the report is that of the variable-speed results.
int runReportCommand(const QHash<QString, QString>& values, bool all, bool variableSpeed = false);

} // namespace tarnwick::cli
