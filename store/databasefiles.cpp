#include "store/databasefiles.h"

namespace tarnwick::store {

files::DatabaseFiles databaseFiles(const QString& path)
{
    return {path, {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}};
}

} // namespace tarnwick::store
