// Start-up to the splash window. The program's own start (the application
// object, the program font, runProgram) runs in a child process of this
// bench that watches for the splash window's first paint and then exits: the
// wall time from starting the process (loading the libraries included) to
// the painted splash, and the time inside the process from main.
#include "bench/benchtiming.h"
#include "shell/startup.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

double monotonicSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Ends the program once the splash window has been painted: the first paint
// event of "frmSplash" is seen here before it is drawn; the zero timer fires
// after the whole repaint, children included.
class SplashWatcher : public QObject
{
public:
    explicit SplashWatcher(double spawned, double mainEntered) : m_spawned(spawned), m_main(mainEntered) {}
    double applicationReady = 0.0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->objectName() == QLatin1String("frmSplash")) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] {
                const double now = monotonicSeconds();
                std::printf("%.6f %.6f %.6f\n", now - m_spawned, now - m_main, applicationReady - m_main);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    double m_spawned;
    double m_main;
    bool m_seen = false;
};

// The child: main of the program, with the watcher.
int probe(double spawned, int argc, char** argv)
{
    const double mainEntered = monotonicSeconds();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    tarnwick::applyProgramFont();
    SplashWatcher watcher(spawned, mainEntered);
    watcher.applicationReady = monotonicSeconds();
    app.installEventFilter(&watcher);
    return tarnwick::runProgram();
}

struct ProbeResult
{
    double wall = -1.0;        // process start to painted splash
    double inProcess = -1.0;   // main to painted splash
    double application = -1.0; // main to application object and font ready
};

ProbeResult runProbe()
{
    char output[] = "/tmp/tarnwick-bench-startup-XXXXXX";
    const int fd = mkstemp(output);
    if (fd < 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fd, 1);
    const double spawned = monotonicSeconds();
    std::string when = std::to_string(spawned);
    char exe[] = "/proc/self/exe";
    char flag[] = "--probe";
    char* argv[] = {exe, flag, when.data(), nullptr};
    pid_t pid = 0;
    ProbeResult result;
    std::fflush(stdout);
    if (posix_spawn(&pid, exe, &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            if (FILE* f = std::fopen(output, "r")) {
                if (std::fscanf(f, "%lf %lf %lf", &result.wall, &result.inProcess, &result.application) != 3)
                    result = {};
                std::fclose(f);
            }
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fd);
    std::remove(output);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--probe") == 0)
        return probe(std::strtod(argv[2], nullptr), argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // The first start may find the libraries and fonts out of the disk
    // cache; the later ones show the usual start.
    const int runs = 7;
    std::vector<double> wall, inProcess;
    std::printf("start-up to the painted splash window, %d starts of the program in a child process (platform %s)\n",
                runs, qgetenv("QT_QPA_PLATFORM").constData());
    for (int i = 0; i < runs; ++i) {
        const ProbeResult r = runProbe();
        if (r.wall < 0) {
            std::fprintf(stderr, "the start-up probe failed\n");
            return EXIT_FAILURE;
        }
        std::printf("  start %d: process start to painted splash %.0f ms; in the process: application and font "
                    "%.0f ms, splash painted at %.0f ms\n",
                    i + 1, r.wall * 1e3, r.application * 1e3, r.inProcess * 1e3);
        wall.push_back(r.wall);
        inProcess.push_back(r.inProcess);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(inProcess.begin(), inProcess.end());
    const double wallMedian = wall[wall.size() / 2];
    std::printf("median: process start to splash %.0f ms, main to splash %.0f ms; slowest start %.0f ms\n",
                wallMedian * 1e3, inProcess[inProcess.size() / 2] * 1e3, wall.back() * 1e3);
    std::printf("\n");
    const std::string platform = qgetenv("QT_QPA_PLATFORM").toStdString();
    tarnwick::bench::printTarget("start-up (" + platform + "): process start to painted splash, median of 7",
                                 wallMedian, 0.5, "s");
    tarnwick::bench::printTarget("start-up (" + platform + "): main to painted splash, median of 7",
                                 inProcess[inProcess.size() / 2], 0.5, "s");
    return EXIT_SUCCESS;
}
