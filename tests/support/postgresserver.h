#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tarnwick::testing {

// A throwaway PostgreSQL server for one test program: made with initdb in a
// temporary folder, listening on a Unix socket in that folder and on
// 127.0.0.1 at a free port, stopped and removed when the object goes, also
// after a failed test. Local connections are trusted; TCP ones need a
// password. Run as root, the server runs as the user "postgres".
class PostgresServer
{
public:
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // Empty when the server runs; otherwise why not (binaries missing, ...).
    const QString& error() const { return m_error; }
    bool isRunning() const { return m_error.isEmpty(); }

    // The address of a database through the socket, as the superuser or `user`.
    QString socketUri(const QString& database, const QString& user = QStringLiteral("postgres")) const;
    // The address through TCP on 127.0.0.1.
    QString tcpUri(const QString& database, const QString& user) const;
    int port() const { return m_port; }

    // Runs SQL as the superuser in the database; false with error() text.
    bool exec(const QString& database, const QString& sql, QString* error) const;
    bool createDatabase(const QString& name, QString* error) const;

    // Stops the server at once, as a crash or an administrator would; start()
    // brings it back with its databases.
    bool stopNow();
    bool start();

private:
    bool runAsServerUser(const QString& program, const QStringList& arguments, QString* output) const;

    QTemporaryDir m_dir;
    QString m_bin;
    QString m_error;
    int m_port = 0;
    bool m_started = false;
};

} // namespace tarnwick::testing
