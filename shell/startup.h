#pragma once

#include <QString>

#include <memory>

namespace tarnwick {

class MDIForm1;

// The program's fonts: every window starts from "宋体" 9 pt.
void applyProgramFont();

// Creates the main window at the top left corner, as wide as the screen and
// 500 twips less high, loads it on the database in `programFolder` and shows
// it. When the database cannot be used the user is told why and the result is
// null.
std::unique_ptr<MDIForm1> openMainWindow(const QString& programFolder);

// When the program folder holds an Access database under the program's file
// name, offers to convert it (the original is kept beside it under a new
// name). False when the program cannot go on: the user declined, or the
// conversion failed and the user has been told why.
bool offerAccessConversion(const QString& programFolder);

// The whole run: the splash window first; its entry icon opens the main
// window. Returns the program's exit status.
int runProgram();

} // namespace tarnwick
