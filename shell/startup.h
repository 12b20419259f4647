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

} // namespace tarnwick
