#pragma once

#include "tests/support/toolrun.h"

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

namespace tarnwick::testing {

// One finished run of the command-line tool.
using CliRun = ToolRun;
CliRun runCli(const QStringList& arguments, int timeoutMs = 120000);

// A plain connection to a database file, or to a server database named by
// its postgresql:// address, for the duration of a scope, apart from the
// program's own connections.
class ScopedDatabase
{
public:
    explicit ScopedDatabase(const QString& path);
    ~ScopedDatabase();
    ScopedDatabase(const ScopedDatabase&) = delete;
    ScopedDatabase& operator=(const ScopedDatabase&) = delete;

    QSqlDatabase db() const;
    bool isOpen() const { return db().isOpen(); }
    bool onServer() const { return m_server; }
    // The first column of every row of a statement.
    QVariantList column(const QString& sql) const;
    bool exec(const QString& sql) const;

private:
    QString m_name;
    bool m_server = false;
};

// A result row without its calculation time, as text that compares exactly:
// method, model and the eight figures.
using ResultKey = QString;

// The problems of a result table: rows with a field that is empty or of the
// wrong kind (texts for the time, method and model, the first two not empty;
// finite numbers for the seven figures). Empty when every row is whole.
QStringList incompleteResultRows(const ScopedDatabase& db, const QString& table);

// The rows of a result table as keys, in stored order.
QList<ResultKey> resultKeys(const ScopedDatabase& db, const QString& table);

// "ok" when SQLite finds the file sound (a server keeps its own pages).
QString integrityCheck(const ScopedDatabase& db);

// The generated catalogue of `pumps` pumps (GEN-1 ..), written into the
// database at `path` (which has the program's schema) in one transaction.
// One pump in `nearShare` is built to meet the duty 100 m3/h against 20 m
// with a little to spare, so that the design accepts it; the others are
// spread over the usual range of building-services pumps.
bool writeLargeCatalogue(const QString& path, int pumps, int nearShare, std::uint32_t seed, QString* error);

} // namespace tarnwick::testing
