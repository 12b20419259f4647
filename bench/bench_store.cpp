// The design run through the database: the peak memory of a whole run on
// 100 000 pumps (opening the database, reading the catalogue, selecting,
// writing), each memory figure taken in a child process of its own so nothing
// else counts; the selection's cost in a process that has its database open;
// and writing the result rows of 1 000 accepted pumps.
#include "bench/benchcommon.h"
#include "bench/benchtiming.h"
#include "bench/cataloguedatabase.h"
#include "store/calculations.h"
#include "store/names.h"
#include "store/pumpcatalogue.h"
#include "store/results.h"
#include "tests/support/generatedcatalogue.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace tarnwick;

namespace {

DutyTexts benchDuty()
{
    return DutyTexts{.resistance = "25", .flow = "100", .staticHead = "0"};
}

// The pumps of a generated catalogue that the bench duty accepts, the first
// `count` of them, with their points.
Catalogue acceptedPumps(int count)
{
    const Catalogue all = testing::generatedCatalogue(100000, bench::kSeed);
    const DesignSelection selection = runDesignSelection(all, benchDuty()).value();
    std::set<std::string> models;
    for (std::size_t i = 0; i < selection.candidates.size() && static_cast<int>(models.size()) < count; ++i)
        models.insert(selection.candidates[i].model);
    std::set<double> keys;
    Catalogue part;
    for (const CataloguePump& pump : all.pumps) {
        if (models.count(pump.model)) {
            part.pumps.push_back(pump);
            keys.insert(pump.key);
        }
    }
    for (const CataloguePoint& point : all.points) {
        if (keys.count(point.key))
            part.points.push_back(point);
    }
    return part;
}

int rowCount(const store::PumpCatalogue& catalogue, const QString& table)
{
    QSqlQuery query(catalogue.connection->database());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)) || !query.next())
        return -1;
    return query.value(0).toInt();
}

// Writing the rows of 1 000 accepted pumps.
int benchWritePath(const QString& folder)
{
    const Catalogue pumps = acceptedPumps(1000);
    const QString path = folder + QStringLiteral("/write.db");
    QString error;
    if (!bench::writeCatalogueDatabase(pumps, path, &error))
        return bench::fail(error);
    auto opened = store::PumpCatalogue::openFile(path);
    if (!opened)
        return bench::fail(opened.error());
    store::PumpCatalogue& catalogue = *opened.value();
    (void)catalogue.catalogue(); // read once, as the window does before its first run

    std::printf("write path: %zu pumps, every one accepted by the duty; rollback journal, synchronous=FULL\n",
                pumps.pumps.size());
    const DutyTexts duty = benchDuty();
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        std::size_t accepted = 0;
        const bench::Timing t = bench::timeOnce([&] {
            auto result = store::runDesign(catalogue, duty);
            if (!result) {
                std::fprintf(stderr, "%s\n", qPrintable(result.error().databaseError));
                std::exit(EXIT_FAILURE);
            }
            accepted = result->candidates.size();
        });
        runs.push_back(t.wall);
        std::printf("  design run %d: %zu accepted, %zu rows written, %.1f ms (cpu %.1f ms); "
                    "\"%s\" now %d rows, \"%s\" %d rows\n",
                    i + 1, accepted, 2 * accepted, t.wall * 1e3, t.cpu * 1e3,
                    qPrintable(store::names::allResultsTable()), rowCount(catalogue, store::names::allResultsTable()),
                    qPrintable(store::names::latestResultsTable()),
                    rowCount(catalogue, store::names::latestResultsTable()));
        if (accepted != 1000)
            return bench::fail(QStringLiteral("expected 1000 accepted pumps"));
    }
    // The run also empties the latest table (1 000 rows from the run before,
    // from the second run on) and re-reads both tables; all of it counts.
    const double worst = *std::max_element(runs.begin(), runs.end());
    bench::printTarget("write: design run with 1 000 accepted pumps (2 000 rows), slowest of 5", worst, 1.0, "s", false);

    // One commit: what a check run writes (one row in each table, with the
    // latest table emptied first), the smallest transaction the program makes.
    const DesignSelection selection = runDesignSelection(catalogue.catalogue(), duty).value();
    std::vector<double> commits;
    for (int i = 0; i < 5; ++i) {
        const bench::Timing commit = bench::timeOnce([&] {
            const bool written = store::inTransaction(
                catalogue.connection->database(),
                [&] {
                    return store::appendResult(catalogue.allResultRows, selection.rows.front(), &error) &&
                           store::appendResult(catalogue.latestResultRows, selection.rows.front(), &error);
                },
                &error);
            if (!written) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                std::exit(EXIT_FAILURE);
            }
        });
        commits.push_back(commit.wall);
    }
    std::sort(commits.begin(), commits.end());
    std::printf("  one commit of two rows, each of 5: %.1f .. %.1f ms\n", commits.front() * 1e3, commits.back() * 1e3);
    // Every commit waits for the disk; the program commits once a calculation.
    bench::printStated("write: one commit of a check run's two rows, median of 5", commits[2], "s");
    return EXIT_SUCCESS;
}

// The table of all results only grows: a year of use may leave 100 000 rows
// in it. Opening the database and checking one pump must not cost more for
// that, as neither looks at the stored rows.
int benchStoredResults(const QString& folder)
{
    const QString path = folder + QStringLiteral("/write.db");
    {
        auto opened = store::PumpCatalogue::openFile(path);
        if (!opened)
            return bench::fail(opened.error());
        QSqlQuery fill(opened.value()->connection->database());
        const QString table = store::names::allResultsTable();
        if (!fill.exec(QStringLiteral("DELETE FROM \"%1\"").arg(table)) ||
            !fill.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
                                      "INSERT INTO \"%1\" SELECT \"%2\".* FROM \"%2\", n LIMIT 100000")
                           .arg(table, store::names::latestResultsTable())))
            return bench::fail(fill.lastError().text());
        std::printf("stored results: \"%s\" holds %d rows\n", qPrintable(table), rowCount(*opened.value(), table));
    }
    QString model;
    {
        auto opened = store::PumpCatalogue::openFile(path);
        if (!opened)
            return bench::fail(opened.error());
        model = opened.value()->modelList().value(0);
    }
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        const bench::Timing t = bench::timeOnce([&] {
            auto opened = store::PumpCatalogue::openFile(path);
            if (!opened) {
                std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
                std::exit(EXIT_FAILURE);
            }
            auto checked = store::runCheck(*opened.value(), benchDuty(), model);
            if (!checked) {
                std::fprintf(stderr, "the check of %s did not pass\n", qPrintable(model));
                std::exit(EXIT_FAILURE);
            }
        });
        runs.push_back(t.wall);
    }
    std::sort(runs.begin(), runs.end());
    std::printf("  open the database and check %s, 5 runs: median %.1f ms, slowest %.1f ms\n", qPrintable(model),
                runs[2] * 1e3, runs[4] * 1e3);
    bench::printTarget("stored results: open and check one pump with 100 000 stored results, median of 5", runs[2],
                       0.1, "s");
    return EXIT_SUCCESS;
}

long maxRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Child: only what a design run needs, then its own peak.
int childDesign(const QString& path, bool run)
{
    std::unique_ptr<store::PumpCatalogue> catalogue;
    const bench::Timing opening = bench::timeOnce([&] {
        auto opened = store::PumpCatalogue::openFile(path);
        if (!opened) {
            std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
            std::exit(EXIT_FAILURE);
        }
        catalogue = std::move(opened).value();
    });
    if (!run) {
        std::printf("  child: database opened (%.0f ms), peak %ld kB (VmHWM %ld kB)\n", opening.wall * 1e3,
                    maxRssKb(), bench::procStatusKb("VmHWM"));
        return EXIT_SUCCESS;
    }
    const bench::Timing reading = bench::timeOnce([&] { (void)catalogue->catalogue(); });
    std::size_t accepted = 0;
    const bench::Timing design = bench::timeOnce([&] {
        auto result = store::runDesign(*catalogue, benchDuty());
        if (!result) {
            std::fprintf(stderr, "%s\n", qPrintable(result.error().databaseError));
            std::exit(EXIT_FAILURE);
        }
        accepted = result->candidates.size();
    });
    std::printf("  child: %zu pumps, %zu points; open %.0f ms, catalogue read %.0f ms, design run %.0f ms "
                "(%zu accepted); peak %ld kB (VmHWM %ld kB)\n",
                catalogue->catalogue().pumps.size(), catalogue->catalogue().points.size(), opening.wall * 1e3,
                reading.wall * 1e3, design.wall * 1e3, accepted, maxRssKb(), bench::procStatusKb("VmHWM"));
    return EXIT_SUCCESS;
}

// Child: the resident size each row set adds when it reads its snapshot.
int childRowSets(const QString& path)
{
    auto connection = store::Connection::open(path);
    if (!connection)
        return bench::fail(connection.error());
    const QString tables[] = {store::names::pumpTable(), store::names::pointTable(), store::names::pumpView()};
    std::vector<store::RowSet> sets(std::size(tables));
    std::printf("  child: row set snapshots:");
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const long before = bench::procStatusKb("VmRSS");
        if (!sets[i].open(connection.value(), tables[i]))
            return bench::fail(sets[i].lastError());
        std::printf(" \"%s\" %d rows +%.0f MB;", qPrintable(tables[i]), sets[i].recordCount(),
                    static_cast<double>(bench::procStatusKb("VmRSS") - before) / 1024);
    }
    std::printf("\n");
    return EXIT_SUCCESS;
}

// Child: writes the generated catalogue, so the measuring parent stays small.
int childWrite(const QString& path, int pumps)
{
    const Catalogue catalogue = testing::generatedCatalogue(pumps, bench::kSeed);
    QString error;
    const bench::Timing writing = bench::timeOnce([&] {
        if (!bench::writeCatalogueDatabase(catalogue, path, &error))
            std::exit(bench::fail(error));
    });
    std::printf("database of %d pumps and %zu points written in %.1f s\n", pumps, catalogue.points.size(),
                writing.wall);
    return EXIT_SUCCESS;
}

// Runs this program again with the arguments and returns the child's peak
// resident size in kB, or -1.
long childPeakKb(const std::vector<std::string>& arguments)
{
    rusage usage{};
    return bench::runSelf(arguments, &usage) ? usage.ru_maxrss : -1;
}

// The peak memory of a design run, each figure in a child of its own. The
// kernel counts a child's peak from the moment it was started from this
// process, so this process must still be small then: it runs first.
int benchMemory(const QString& path, int pumps)
{
    if (childPeakKb({"--child-write", path.toStdString(), std::to_string(pumps)}) < 0)
        return bench::fail(QStringLiteral("writing the catalogue failed"));
    std::printf("memory: this process holds %ld kB when it starts the measuring children\n", bench::procStatusKb("VmRSS"));
    const long baseline = childPeakKb({"--child-open", path.toStdString()});
    const long design = childPeakKb({"--child-design", path.toStdString()});
    (void)childPeakKb({"--child-rowsets", path.toStdString()});
    if (baseline < 0 || design < 0)
        return bench::fail(QStringLiteral("a measuring child failed"));
    std::printf("  peak resident size: opening the database %.1f MB; the whole design run %.1f MB\n",
                static_cast<double>(baseline) / 1024, static_cast<double>(design) / 1024);
    bench::printStated(QStringLiteral("memory: peak of a design run on %1 pumps (open, read, select, write)")
                           .arg(pumps)
                           .toStdString(),
                       static_cast<double>(design) / 1024, "MB");
    return EXIT_SUCCESS;
}

// The selection as the program runs it: in a process that has opened its
// database, on the catalogue read back from the file.
int benchSelectionInProgram(const QString& path, int pumps)
{
    auto opened = store::PumpCatalogue::openFile(path);
    if (!opened)
        return bench::fail(opened.error());
    const Catalogue& read = opened.value()->catalogue();
    const bench::Timing selecting = bench::timeBest(5, [&] { (void)runDesignSelection(read, benchDuty()).value(); });
    std::printf("selection on the catalogue read from the file, database open: %.0f ms (cpu %.0f ms), "
                "%.3f us a pump (cpu %.3f us)\n",
                selecting.wall * 1e3, selecting.cpu * 1e3, selecting.wall / pumps * 1e6, selecting.cpu / pumps * 1e6);
    bench::printTarget(
        QStringLiteral("design: cpu per pump with the database open, %1 pumps").arg(pumps).toStdString(),
        selecting.cpu / pumps * 1e6, 2.0, "us");
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--child-write") == 0)
        return childWrite(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "--child-rowsets") == 0)
        return childRowSets(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && std::strcmp(argv[1], "--child-open") == 0)
        return childDesign(QString::fromLocal8Bit(argv[2]), false);
    if (argc == 3 && std::strcmp(argv[1], "--child-design") == 0)
        return childDesign(QString::fromLocal8Bit(argv[2]), true);

    // --quick: 10 000 pumps for the memory run.
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int pumps = quick ? 10000 : 100000;
    QTemporaryDir dir;
    if (!dir.isValid())
        return bench::fail(QStringLiteral("no temporary folder"));
    const QString large = dir.filePath(QStringLiteral("large.db"));
    if (const int status = benchMemory(large, pumps); status != EXIT_SUCCESS)
        return status;
    if (const int status = benchSelectionInProgram(large, pumps); status != EXIT_SUCCESS)
        return status;
    if (const int status = benchWritePath(dir.path()); status != EXIT_SUCCESS)
        return status;
    return benchStoredResults(dir.path());
}
