#pragma once

#include <QSqlDatabase>
#include <QString>

namespace tarnwick::import {

// A new SQLite database file that appears at its path complete or not at
// all: it is written under a temporary name in the same folder and renamed
// into place at the end, never over an existing file. If the process dies on
// a signal meanwhile, the temporary file is removed on the way out; one left
// by a process that was killed outright is removed by the next run for the
// same target. The file gets the permissions of any new file of the user.
class NewDatabaseFile
{
public:
    explicit NewDatabaseFile(QString target);
    ~NewDatabaseFile();
    NewDatabaseFile(const NewDatabaseFile&) = delete;
    NewDatabaseFile& operator=(const NewDatabaseFile&) = delete;

    // Creates the temporary file and opens a connection on it.
    bool open(QString* error);
    QSqlDatabase database() const;
    const QString& temporaryPath() const { return m_temporary; }

    // Closes the connection, flushes the file to disk and renames it to the
    // target. Fails, removing the temporary file, when the target exists.
    bool commit(QString* error);

private:
    void discard();
    void releaseLock();

    QString m_target;
    QString m_temporary;
    QString m_connection;
    int m_lock = -1; // holds the temporary file as in use while this object lives
    bool m_committed = false;
};

} // namespace tarnwick::import
