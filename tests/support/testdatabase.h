#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <array>
#include <optional>

namespace tarnwick::testing {

struct TestPump
{
    int key = 0;
    QString model;
    QString type;
    std::optional<double> speed = 2900.0;
    QList<std::array<double, 3>> points; // flow, head, shaft power
};

// A temporary program folder holding "水泵数据库97.mdb" built from the
// program's schema. Pumps go in in the given order; their points either as
// one run per pump or, with interleaved, point by point across pumps.
class TestProgramFolder
{
public:
    explicit TestProgramFolder(const QList<TestPump>& pumps = {}, bool interleaved = false);

    bool isValid() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    QString folder() const { return m_dir.path(); }
    // The database the tests name with --db: the file in the folder, or,
    // when the tests run on a server (TARNWICK_TEST_ENGINE=postgresql), a
    // server database holding the same rows.
    QString databasePath() const;
    // The file the database was built in.
    QString databaseFile() const;
    // Whether this run's databases are on a server.
    static bool onServer();

    // Row count of a table, read through a separate connection.
    int rowCount(const QString& table) const;
    // Runs one statement on the database.
    bool exec(const QString& sql) const;

private:
    QTemporaryDir m_dir;
    QString m_error;
    QString m_server; // the server database's address, when on a server
};

// A new database on the tests' own server with the rows of the file; its
// address.
QString serverCopy(const QString& file, QString* error);

// Creates an empty database with the program's schema at the path.
bool createSchemaDatabase(const QString& path, QString* error);

// A pump with points on a smooth curve whose best point lies near (q, h).
TestPump demoPump(int key, const QString& model, double bestFlow, double bestHead, double speed = 2900.0);

} // namespace tarnwick::testing
