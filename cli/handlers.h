#pragma once

#include "cli/commandtable.h"

namespace tarnwick::cli {

// What each row of the command table runs, with its arguments read.
int handleDesign(const ParsedArguments& arguments);
int handleCheck(const ParsedArguments& arguments);
int handleSelect(const ParsedArguments& arguments);
int handleResults(const ParsedArguments& arguments);
int handleReport(const ParsedArguments& arguments);
int handleSheet(const ParsedArguments& arguments);
int handleSpeedSheet(const ParsedArguments& arguments);
int handleCatalogueCheck(const ParsedArguments& arguments);
int handleModels(const ParsedArguments& arguments);
int handleImportMdb(const ParsedArguments& arguments);
int handleImportCatalogue(const ParsedArguments& arguments);
int handleExportCatalogue(const ParsedArguments& arguments);
int handleUpdateCatalogue(const ParsedArguments& arguments);
int handleCopyDb(const ParsedArguments& arguments);
int handleInitDb(const ParsedArguments& arguments);
// help takes its arguments as they are given, in arguments.files.
int handleHelp(const ParsedArguments& arguments);
int handleVersion(const ParsedArguments& arguments);

} // namespace tarnwick::cli
