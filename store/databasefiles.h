#pragma once

#include "files/filetargets.h"

#include <QString>

namespace tarnwick::store {

// The database file at `path` as the output checks see it: with the files
// SQLite keeps beside it while it writes (the rollback journal, or the
// write-ahead log and its index), which an output must not replace either.
files::DatabaseFiles databaseFiles(const QString& path);

} // namespace tarnwick::store
