#pragma once

#include <QStringList>

namespace tarnwick::cli {

// Exit statuses of the tool.
enum ExitStatus {
    kCompleted = 0,       // the calculation ran to its end
    kProgramMessage = 1,  // it ended with one of the program's messages (a design that found no pump too)
    kUsageOrDatabase = 2, // wrong usage, or the database could not be read or written
};

// Runs one command line (arguments without the program name).
int runCommandLine(const QStringList& arguments);

} // namespace tarnwick::cli
