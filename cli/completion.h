#pragma once

#include <QString>

namespace tarnwick::cli {

// Shell completion for tarnwick-cli, made from the command table: command
// names, each command's options, the choices of an option and file names
// where a file or a database is asked for.
QString bashCompletion();
QString zshCompletion();

} // namespace tarnwick::cli
