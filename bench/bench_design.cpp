// The design selection's own cost on generated catalogues: per pump, how it
// grows with the catalogue, and against the plain whole-table reading of
// each pump's points (which must give identical results).
#include "bench/generatedcatalogue.h"
#include "core/catalogueindex.h"
#include "core/selection.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace tarnwick;

namespace {

using Clock = std::chrono::steady_clock;

DutyTexts benchDuty()
{
    DutyTexts texts;
    texts.flow = "100";
    texts.resistance = "25";
    texts.staticHead = "0";
    return texts;
}

template <typename F> double bestSeconds(int repeats, F&& f)
{
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        const auto start = Clock::now();
        f();
        const double s = std::chrono::duration<double>(Clock::now() - start).count();
        if (s < best)
            best = s;
    }
    return best;
}

bool sameRows(const DesignSelection& a, const DesignSelection& b)
{
    if (a.entries != b.entries || a.rows.size() != b.rows.size())
        return false;
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        const SelectionResult& x = a.rows[i];
        const SelectionResult& y = b.rows[i];
        if (x.model != y.model || x.operatingHead != y.operatingHead || x.operatingFlow != y.operatingFlow ||
            x.operatingEfficiency != y.operatingEfficiency || x.bestEfficiency != y.bestEfficiency)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // --quick: smaller sizes, for a smoke run.
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int sizes[] = {1000, 10000, 100000};
    const DutyTexts duty = benchDuty();
    double perPumpAt10k = 0.0;
    double secondsAt10k = 0.0;
    bool allSame = true;

    std::printf("%-8s %10s %12s %12s %14s %10s\n", "pumps", "accepted", "run (ms)", "per pump", "literal (ms)",
                "speed-up");
    for (int n : sizes) {
        if (quick && n > 10000)
            break;
        const Catalogue catalogue = bench::generatedCatalogue(n, 20261207u);
        DesignSelection indexed;
        const double seconds = bestSeconds(n >= 100000 ? 3 : 5, [&] {
            indexed = runDesignSelection(catalogue, duty).value();
        });
        double literalSeconds = 0.0;
        // The plain reading is quadratic in the catalogue; beyond 10 000 pumps it
        // would take minutes.
        if (n <= 10000) {
            DesignSelection literal;
            literalSeconds = bestSeconds(1, [&] {
                literal = runDesignSelection(catalogue, duty, [&catalogue](double key) {
                              return literalPointRun(catalogue.points, key);
                          }).value();
            });
            allSame = allSame && sameRows(indexed, literal);
        }
        const double perPump = seconds / n * 1e6;
        if (n == 10000) {
            perPumpAt10k = perPump;
            secondsAt10k = seconds;
        }
        std::printf("%-8d %10zu %12.2f %9.3f us", n, indexed.candidates.size(), seconds * 1e3, perPump);
        if (literalSeconds > 0)
            std::printf(" %14.1f %9.0fx\n", literalSeconds * 1e3, literalSeconds / seconds);
        else
            std::printf(" %14s %10s\n", "-", "-");
        if (n == 100000 && secondsAt10k > 0)
            std::printf("growth 10 000 -> 100 000 pumps: %.2f times the time (linear: 10)\n", seconds / secondsAt10k);
    }
    std::printf("per-pump cost at 10 000 pumps: %.3f us (target: at most 2 us)\n", perPumpAt10k);
    std::printf("results identical to the whole-table reading: %s\n", allSame ? "yes" : "NO");
    return allSame ? EXIT_SUCCESS : EXIT_FAILURE;
}
