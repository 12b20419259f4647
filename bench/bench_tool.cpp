// The command-line tool as a user runs it, whole process from start to exit,
// on a generated catalogue of 100 000 pumps: `design` (time and peak memory)
// against the sqlite3 shell reading the eight catalogue columns a design
// needs, and `select`. Each figure is the median of several runs made one
// after another in this one run, so that a ratio compares like with like.
// The targets take the processor time of the whole process (user and
// system), which other programs on a shared machine do not inflate; the wall
// time is printed beside it and equals it on a quiet machine.
#include "bench/benchcommon.h"
#include "bench/benchtiming.h"
#include "bench/cataloguedatabase.h"
#include "store/database.h"
#include "store/names.h"
#include "tests/support/generatedcatalogue.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace tarnwick;

namespace {

struct ProcessRun
{
    double wall = 0.0; // s
    double cpu = 0.0;  // s, user and system
    double peakMb = 0.0;
    bool ok = false;
};

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Runs a program with its output thrown away; its wall time from start to
// exit and its peak resident size. `okStatus` is the exit status it should
// end with.
ProcessRun runProcess(const std::vector<std::string>& arguments, int okStatus = 0, bool showOutput = false)
{
    std::vector<std::string> args = arguments;
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!showOutput) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    ProcessRun run;
    const double start = now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.wall = now() - start;
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    run.cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == okStatus;
    return run;
}

struct Figures
{
    double wall = 0.0;   // median
    double cpu = 0.0;    // median
    double peakMb = 0.0; // largest
};

// The median wall time and the largest peak of `repeats` runs.
bool repeat(int repeats, const std::vector<std::string>& arguments, Figures* figures, int okStatus = 0)
{
    std::vector<double> walls;
    std::vector<double> cpus;
    double peak = 0.0;
    for (int i = 0; i < repeats; ++i) {
        const ProcessRun run = runProcess(arguments, okStatus);
        if (!run.ok) {
            std::fprintf(stderr, "failed: %s\n", arguments.front().c_str());
            return false;
        }
        walls.push_back(run.wall);
        cpus.push_back(run.cpu);
        peak = std::max(peak, run.peakMb);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    figures->wall = walls[walls.size() / 2];
    figures->cpu = cpus[cpus.size() / 2];
    figures->peakMb = peak;
    return true;
}

std::string quoted(const QString& name)
{
    return "\"" + name.toStdString() + "\"";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The catalogue is written by a child: a child's peak memory counts from
    // this process's size when it was started, so this one stays small.
    if (argc == 4 && std::strcmp(argv[1], "--child-write") == 0) {
        const Catalogue catalogue = testing::generatedCatalogue(std::atoi(argv[3]), bench::kSeed);
        QString error;
        if (!bench::writeCatalogueDatabase(catalogue, QString::fromLocal8Bit(argv[2]), &error))
            return bench::fail(error);
        std::printf("tool on %s pumps and %zu points\n", argv[3], catalogue.points.size());
        return EXIT_SUCCESS;
    }
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int pumps = quick ? 10000 : 100000;
    const int repeats = quick ? 3 : 7;
    const std::string bin = QCoreApplication::applicationDirPath().toStdString();
    const std::string tool = bin + "/tarnwick-cli";

    QTemporaryDir folder;
    if (!folder.isValid())
        return bench::fail(QStringLiteral("no temporary folder"));
    const QString path = folder.filePath(store::names::databaseFileName());
    std::fflush(stdout);
    if (!runProcess({"/proc/self/exe", "--child-write", path.toStdString(), std::to_string(pumps)}, 0, true).ok)
        return bench::fail(QStringLiteral("writing the catalogue failed"));
    std::printf("median of %d runs each, whole process\n", repeats);
    const std::string db = path.toStdString();
    const std::vector<std::string> design = {tool, "design", "--flow", "100", "--resistance", "25", "--static-head",
                                             "0", "--db", db};
    const std::vector<std::string> select = {tool, "select", "--flow", "150", "--resistance", "24", "--static-head",
                                             "4", "--db", db};
    namespace n = store::names;
    const std::string inOrder = store::storedOrderClause().toStdString();
    // The eight columns a design reads, as the sqlite3 shell reads them.
    const std::string columns = "SELECT " + quoted(n::key()) + "," + quoted(n::model()) + "," + quoted(n::pumpType()) +
                                "," + quoted(n::speed()) + " FROM " + quoted(n::pumpTable()) + inOrder + "; SELECT " +
                                quoted(n::key()) + "," + quoted(n::flow()) + "," + quoted(n::head()) + "," +
                                quoted(n::shaftPower()) + " FROM " + quoted(n::pointTable()) + inOrder + ";";
    const std::vector<std::string> reading = {"sqlite3", db, columns};

    // One run of each first, so the file is in the page cache for all.
    (void)runProcess(design);
    (void)runProcess(reading);
    Figures designRun, readRun, selectRun;
    if (!repeat(repeats, design, &designRun) || !repeat(repeats, reading, &readRun) ||
        !repeat(repeats, select, &selectRun))
        return bench::fail(QStringLiteral("a run failed"));
    std::printf("design: processor %.3f s, wall %.3f s, peak %.1f MB\n"
                "sqlite3 reading the eight columns: processor %.3f s, wall %.3f s, peak %.1f MB\n"
                "select: processor %.3f s, wall %.3f s, peak %.1f MB\n",
                designRun.cpu, designRun.wall, designRun.peakMb, readRun.cpu, readRun.wall, readRun.peakMb,
                selectRun.cpu, selectRun.wall, selectRun.peakMb);
    std::printf("load average at the end: ");
    if (FILE* f = std::fopen("/proc/loadavg", "r")) {
        char line[128] = {};
        if (std::fgets(line, sizeof line, f))
            std::printf("%s", line);
        std::fclose(f);
    }
    std::printf("\n");

    const std::string at = " " + std::to_string(pumps) + " pumps";
    bench::printTarget("tool: design, whole process, processor time," + at + ", median", designRun.cpu, 0.6, "s");
    bench::printTarget("tool: design, peak memory," + at, designRun.peakMb, 100.0, "MB");
    bench::printTarget("tool: design / sqlite3 reading its eight columns, processor time," + at,
                       designRun.cpu / readRun.cpu, 1.5, "x");
    bench::printTarget("tool: select, whole process, processor time," + at + ", median", selectRun.cpu, 0.5, "s");
    return EXIT_SUCCESS;
}
