// The database on a PostgreSQL server beside the same database in a file, on
// this machine: a design over 10 000 and over 100 000 generated pumps (open
// the catalogue, select, store the rows) on each, and 1 000 result rows stored
// in one transaction on the server.

#include "bench/benchcommon.h"
#include "bench/benchtiming.h"
#include "bench/cataloguedatabase.h"
#include "store/calculations.h"
#include "store/database.h"
#include "store/dbcopy.h"
#include "store/pumpcatalogue.h"
#include "store/results.h"
#include "tests/support/generatedcatalogue.h"
#include "tests/support/postgresserver.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace tarnwick;

namespace {

// The best of three designs: open the catalogue, select, store the rows.
double designSeconds(const QString& location, const DutyTexts& duty, std::size_t* accepted)
{
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        const bench::Timing t = bench::timeOnce([&] {
            auto catalogue = store::PumpCatalogue::openFile(location);
            if (!catalogue)
                std::exit(bench::fail(catalogue.error()));
            auto run = store::runDesign(*catalogue.value(), duty);
            if (!run)
                std::exit(bench::fail(run.error().databaseError));
            *accepted = run->rows.size();
        });
        times.push_back(t.wall);
    }
    return *std::min_element(times.begin(), times.end());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int pumps = quick ? 1000 : 10000;

    testing::PostgresServer server;
    if (!server.isRunning())
        return bench::fail(server.error());
    QString error;
    // The target speaks of 10 000 and 100 000 pumps; on the quick run's
    // small catalogue the server's fixed cost of a connection outweighs the
    // reading.
    QString uri;
    for (const int size : quick ? std::vector<int>{pumps} : std::vector<int>{pumps, 100000}) {
        const QString name = QStringLiteral("bench%1").arg(size);
        if (!server.createDatabase(name, &error))
            return bench::fail(error);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("bench.mdb"));
        if (!bench::writeCatalogueDatabase(testing::generatedCatalogue(size, 7), file, &error))
            return bench::fail(error);
        uri = server.socketUri(name);
        {
            auto from = store::Connection::open(file);
            auto to = store::Connection::open(uri);
            if (!from || !to)
                return bench::fail(QStringLiteral("cannot open the databases"));
            const auto copied = store::copyDatabase(from.value()->database(), to.value()->database(), {});
            if (!copied)
                return bench::fail(copied.error());
        }

        const DutyTexts duty{.resistance = "25", .flow = "100", .staticHead = "0"};
        std::size_t acceptedFile = 0;
        std::size_t acceptedServer = 0;
        const double onFile = designSeconds(file, duty, &acceptedFile);
        const double onServer = designSeconds(uri, duty, &acceptedServer);
        std::printf("design on %d pumps: file %.3f s, server %.3f s (%zu and %zu pumps accepted)\n", size, onFile,
                    onServer, acceptedFile, acceptedServer);
        if (acceptedFile != acceptedServer)
            return bench::fail(QStringLiteral("the engines accepted different pumps"));
        const std::string what = "server: design on " + std::to_string(size) + " pumps, server time / file time";
        if (quick)
            bench::printStated(what, onServer / onFile, "x");
        else
            bench::printTarget(what, onServer / onFile, 2.0, "x");
    }

    // 1 000 rows in one transaction, as a design with 500 accepted pumps
    // writes them (two tables).
    auto catalogue = store::PumpCatalogue::openFile(uri);
    if (!catalogue)
        return bench::fail(catalogue.error());
    SelectionResult row;
    row.method = "设计";
    row.model = "RL1";
    row.resistance = 25.0;
    row.flow = 100.0;
    const bench::Timing written = bench::timeOnce([&] {
        const bool ok = store::inTransaction(
            catalogue.value()->connection->database(),
            [&] {
                for (int i = 0; i < 500; ++i) {
                    if (!store::appendResult(catalogue.value()->allResultRows, row, &error) ||
                        !store::appendResult(catalogue.value()->latestResultRows, row, &error))
                        return false;
                }
                return true;
            },
            &error);
        if (!ok)
            std::exit(bench::fail(error));
    });
    std::printf("1 000 result rows in one transaction on the server: %.3f s\n", written.wall);
    bench::printTarget("server: 1 000 result rows committed in one transaction", written.wall, 1.0, "s");
    return EXIT_SUCCESS;
}
