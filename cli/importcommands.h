#pragma once

#include <QString>
#include <QStringList>

namespace tarnwick::cli {

// The commands that bring data in and out: import-mdb, import-catalogue and
// export-catalogue. They take file names as plain arguments.
bool isImportCommand(const QString& command);

// Runs one of them (arguments without the program name); exit status 0 when
// done, 2 on wrong usage or any error, nothing written then.
int runImportCommand(const QStringList& arguments);

} // namespace tarnwick::cli
