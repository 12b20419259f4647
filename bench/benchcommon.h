#pragma once

// What the benchmarks that write databases and measure in child processes
// share: the generated catalogues' seed, the failure message, this process's
// memory figures, and starting this program again as a child.
#include <QString>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace tarnwick::bench {

// Every benchmark generates its catalogues from this seed, so that their
// figures speak of the same pumps.
inline constexpr std::uint32_t kSeed = 20261207u;

inline int fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return EXIT_FAILURE;
}

// A line of /proc/self/status in kB ("VmHWM": the peak of this program image
// alone, whoever started it; "VmRSS": resident now), or -1.
inline long procStatusKb(const char* field)
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            value = std::strtol(line + length + 1, nullptr, 10);
            break;
        }
    }
    std::fclose(f);
    return value;
}

// Runs this program again with the arguments and waits for it: true when the
// child ended with status 0. `usage` receives the child's resource use (its
// peak resident size among it), counted by the kernel from its start.
inline bool runSelf(const std::vector<std::string>& arguments, rusage* usage = nullptr)
{
    std::vector<std::string> all = {"/proc/self/exe"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::fflush(stdout);
    pid_t pid = 0;
    if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    rusage own{};
    return wait4(pid, &status, 0, usage ? usage : &own) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace tarnwick::bench
