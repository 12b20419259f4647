#pragma once

#include "store/databaselocation.h"
#include "store/import/accessconversion.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace tarnwick {

class MDIForm1;

// The program's fonts: every window starts from "宋体" 9 pt.
void applyProgramFont();

// Creates the main window at the top left corner, as wide as the screen and
// 500 twips less high, loads it on the database at `place` (a folder or a
// server's address) and shows it. When the database cannot be used the user
// is told why and the result is null.
std::unique_ptr<MDIForm1> openMainWindow(const QString& place);

// Converts the folder's Access database with `cliPath import-mdb` while a
// progress dialog ("AccessConversionProgress") shows the child's progress
// and offers "取消"; the windows stay responsive meanwhile. A cancelled run
// fails and leaves the original under its name and no partial target.
import::AccessConversion convertWithProgress(const QString& databaseFolder, const QString& cliPath);

// When the program folder holds an Access database under the program's file
// name, offers to convert it (the original is kept beside it under a new
// name). False when the program cannot go on: the user declined, or the
// conversion failed and the user has been told why.
bool offerAccessConversion(const QString& programFolder);

// The database named by "--db FILE" among the program's arguments, or by
// TARNWICK_DB, or the usual place (beside the program or the user's copy).
store::DatabaseLocation startupDatabase(const QStringList& arguments);

// Makes the first copy of the shipped database when the location needs it,
// offers the Access conversion, and opens the main window on the database,
// whose status bar's tooltip names it. When the database cannot be opened
// the user is told why and chooses: try again, choose another database (the
// database dialog, which keeps the choice), use the local file for this run,
// or end. Null when the program ends.
std::unique_ptr<MDIForm1> startOn(const store::DatabaseLocation& location);

// The whole run: the splash window first; its entry icon opens the main
// window. Returns the program's exit status.
int runProgram();

} // namespace tarnwick
