#pragma once

#include <QSqlDatabase>
#include <QString>

// The rights of an office's server database, enforced by the server itself:
// two group roles with their grants, and row-level security on the tables
// that carry the engineer's name.
namespace tarnwick::store {

inline QString engineerRole()
{
    return QStringLiteral("tarnwick_engineer");
}
inline QString maintainerRole()
{
    return QStringLiteral("tarnwick_maintainer");
}

// Makes the two roles where the server has none of that name and gives them
// their rights on the program's tables. An engineer reads the catalogue and
// every stored result, adds result rows only in his own name, and deletes
// only his own latest results; nothing else of the tables of all results. A
// maintainer is an engineer who also writes the catalogue tables. Run again
// after any change of the tables; the caller holds the transaction, as the
// owner of the tables with the right to make roles.
bool setUpServerRoles(QSqlDatabase db, QString* error);

} // namespace tarnwick::store
