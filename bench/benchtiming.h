#pragma once

// Timing and reporting shared by the benchmarks. Each figure that has a target
// is printed as one line starting with "TARGET", which bench/run collects
// into its summary:
//   TARGET | what | measured | target | met / MISSED
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace tarnwick::bench {

// Wall-clock and this thread's CPU time of one piece of work, in seconds.
// On a shared machine the wall time includes waiting for the processor; the
// CPU time shows what the work itself cost.
struct Timing
{
    double wall = 0.0;
    double cpu = 0.0;
};

inline double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <typename F> Timing timeOnce(F&& work)
{
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = threadCpuSeconds();
    work();
    Timing t;
    t.cpu = threadCpuSeconds() - cpuStart;
    t.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return t;
}

// The best of several runs, wall and CPU each taken at their minimum: the
// least disturbed run is the closest to the work's own cost.
template <typename F> Timing timeBest(int repeats, F&& work)
{
    Timing best{1e300, 1e300};
    for (int i = 0; i < repeats; ++i) {
        const Timing t = timeOnce(work);
        best.wall = std::min(best.wall, t.wall);
        best.cpu = std::min(best.cpu, t.cpu);
    }
    return best;
}

// One figure against its target. `atMost`: the target is an upper bound
// (measured <= target); otherwise measured < target.
inline bool printTarget(const std::string& what, double measured, double target, const char* unit, bool atMost = true)
{
    const bool met = atMost ? measured <= target : measured < target;
    std::printf("TARGET | %s | %.3g %s | %s %.3g %s | %s\n", what.c_str(), measured, unit, atMost ? "<=" : "<", target,
                unit, met ? "met" : "MISSED");
    std::fflush(stdout);
    return met;
}

// A yes/no target (identical results).
inline bool printCheck(const std::string& what, bool ok, const std::string& detail)
{
    std::printf("TARGET | %s | %s | yes | %s\n", what.c_str(), detail.c_str(), ok ? "met" : "MISSED");
    std::fflush(stdout);
    return ok;
}

// A figure that has no target but is stated (peak memory).
inline void printStated(const std::string& what, double measured, const char* unit)
{
    std::printf("TARGET | %s | %.4g %s | stated | -\n", what.c_str(), measured, unit);
    std::fflush(stdout);
}

} // namespace tarnwick::bench
