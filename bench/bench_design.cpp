// The design selection's own cost on generated catalogues: per pump, how it
// grows with the catalogue, and against the literal reading of each pump's
// points (a whole-table count, then a search from the top), which must give
// identical results.
#include "bench/benchtiming.h"
#include "core/selection.h"
#include "tests/support/generatedcatalogue.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

using namespace tarnwick;
using bench::Timing;

namespace {

constexpr std::uint32_t kSeed = 20261207u;

DutyTexts benchDuty()
{
    DutyTexts texts;
    texts.flow = "100";
    texts.resistance = "25";
    texts.staticHead = "0";
    return texts;
}

// The reference: the points of a pump read as the catalogue describes it,
// without any index. Count the rows of the whole points table that carry the
// key; then search from the first row for the first that carries it.
PointRun literalReading(const std::vector<CataloguePoint>& points, double key)
{
    PointRun run;
    for (const CataloguePoint& point : points) {
        if (point.key == key)
            ++run.count;
    }
    if (run.count == 0)
        return run;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].key == key) {
            run.first = i;
            break;
        }
    }
    return run;
}

Expected<DesignSelection, CalculationStop> literalDesign(const Catalogue& catalogue, const DutyTexts& duty)
{
    return runDesignSelection(catalogue, duty,
                              [&catalogue](double key) { return literalReading(catalogue.points, key); });
}

bool sameFit(const CurveFit& a, const CurveFit& b)
{
    return a.c == b.c;
}

bool sameCandidate(const DesignCandidate& a, const DesignCandidate& b)
{
    return a.model == b.model && a.maxFlow == b.maxFlow && a.maxHead == b.maxHead && a.maxPower == b.maxPower &&
           a.operatingFlow == b.operatingFlow && a.operatingHead == b.operatingHead &&
           a.operatingEfficiency == b.operatingEfficiency && a.bestEfficiency == b.bestEfficiency &&
           a.operatingPower == b.operatingPower && a.speed == b.speed && sameFit(a.headFit, b.headFit) &&
           sameFit(a.powerFit, b.powerFit);
}

bool sameRow(const SelectionResult& x, const SelectionResult& y)
{
    return x.method == y.method && x.resistance == y.resistance && x.flow == y.flow && x.staticHead == y.staticHead &&
           x.model == y.model && x.bestEfficiency == y.bestEfficiency && x.operatingHead == y.operatingHead &&
           x.operatingFlow == y.operatingFlow && x.operatingEfficiency == y.operatingEfficiency;
}

// Every list entry, candidate and result row the same, every figure equal,
// in the same order.
bool sameSelection(const DesignSelection& a, const DesignSelection& b)
{
    if (a.entries != b.entries || a.listEnabled != b.listEnabled || a.candidates.size() != b.candidates.size() ||
        a.rows.size() != b.rows.size())
        return false;
    for (std::size_t i = 0; i < a.candidates.size(); ++i) {
        if (!sameCandidate(a.candidates[i], b.candidates[i]) || !sameRow(a.rows[i], b.rows[i]))
            return false;
    }
    return true;
}

// The part of a selection that belongs to the given models, in its order.
DesignSelection restrictedTo(const DesignSelection& all, const std::set<std::string>& models)
{
    DesignSelection part;
    part.request = all.request;
    for (std::size_t i = 0; i < all.candidates.size(); ++i) {
        if (models.count(all.candidates[i].model) == 0)
            continue;
        part.candidates.push_back(all.candidates[i]);
        part.rows.push_back(all.rows[i]);
        part.entries.push_back(all.entries[i]);
    }
    return part;
}

struct SizeRun
{
    int pumps = 0;
    std::size_t accepted = 0;
    Timing indexed;
    Timing literal; // whole run, or the sample's run
    int literalPumps = 0;
    bool identical = false;
};

} // namespace

int main(int argc, char** argv)
{
    // --quick: 1 000 and 10 000 pumps only, for a smoke run.
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const DutyTexts duty = benchDuty();
    std::printf("design selection, duty 100 m3/h against 25 m; generated catalogues, 3 to 8 points a pump\n");
    std::printf("%-8s %9s %12s %12s %12s %11s %16s %9s\n", "pumps", "accepted", "wall (ms)", "cpu (ms)",
                "wall/pump", "cpu/pump", "literal cpu (ms)", "speed-up");

    SizeRun at10k, at100k;
    bool allIdentical = true;
    for (int n : {1000, 10000, 100000}) {
        if (quick && n > 10000)
            break;
        const Catalogue catalogue = testing::generatedCatalogue(n, kSeed);
        SizeRun run;
        run.pumps = n;
        DesignSelection indexed;
        run.indexed = bench::timeBest(n >= 100000 ? 7 : 15, [&] { indexed = runDesignSelection(catalogue, duty).value(); });
        run.accepted = indexed.candidates.size();

        if (n <= 10000) {
            // The literal reading is quadratic: at 10 000 pumps it is still a
            // matter of seconds, so every pump is compared.
            DesignSelection literal;
            run.literal = bench::timeOnce([&] { literal = literalDesign(catalogue, duty).value(); });
            run.literalPumps = n;
            run.identical = sameSelection(indexed, literal);
        } else {
            // At 100 000 pumps the literal reading would scan the 550 000
            // points once per pump: 5.5e10 comparisons, minutes of work. Every
            // 50th pump is read literally over the whole points table, and its
            // results are compared with the indexed run's for those pumps.
            Catalogue sample;
            sample.points = catalogue.points;
            std::set<std::string> models;
            for (std::size_t i = 0; i < catalogue.pumps.size(); i += 50) {
                sample.pumps.push_back(catalogue.pumps[i]);
                models.insert(catalogue.pumps[i].model);
            }
            DesignSelection literal;
            run.literal = bench::timeOnce([&] { literal = literalDesign(sample, duty).value(); });
            run.literalPumps = static_cast<int>(sample.pumps.size());
            DesignSelection expected = restrictedTo(indexed, models);
            // A sample without accepted pumps lists the "nothing found" entry.
            if (expected.candidates.empty()) {
                expected.entries = literal.entries;
                expected.listEnabled = literal.listEnabled;
            }
            run.identical = sameSelection(expected, literal);
            std::printf("(100 000: %d sampled pumps, %zu of them accepted, read literally over all %zu points)\n",
                        run.literalPumps, literal.candidates.size(), catalogue.points.size());
        }
        allIdentical = allIdentical && run.identical;

        // A second round of the indexed run, seconds after the first: on a
        // shared machine a slow spell (another guest busy on the host) can
        // last through all repeats of one round, seldom through both.
        const Timing again =
            bench::timeBest(n >= 100000 ? 7 : 15, [&] { indexed = runDesignSelection(catalogue, duty).value(); });
        run.indexed.wall = std::min(run.indexed.wall, again.wall);
        run.indexed.cpu = std::min(run.indexed.cpu, again.cpu);

        // Literal cost per pump times the pumps, against the indexed run
        // (processor time of both).
        const double literalWhole = run.literal.cpu / run.literalPumps * n;
        std::printf("%-8d %9zu %12.2f %12.2f %9.3f us %8.3f us %16.1f %8.0fx%s\n", n, run.accepted,
                    run.indexed.wall * 1e3, run.indexed.cpu * 1e3, run.indexed.wall / n * 1e6,
                    run.indexed.cpu / n * 1e6, literalWhole * 1e3, literalWhole / run.indexed.cpu,
                    run.literalPumps < n ? " (literal from the sample)" : "");
        if (n == 10000)
            at10k = run;
        if (n == 100000)
            at100k = run;
    }

    // The targets take the processor time of the run: on a shared machine the
    // wall time also counts the time other programs had the processor.
    std::printf("\n");
    bench::printTarget("design: cpu per pump, 10 000 pumps", at10k.indexed.cpu / at10k.pumps * 1e6, 2.0, "us");
    if (!quick) {
        bench::printTarget("design: cpu per pump, 100 000 pumps", at100k.indexed.cpu / at100k.pumps * 1e6, 2.0, "us");
        bench::printTarget("design: cpu of the 100 000-pump run / the 10 000-pump run",
                           at100k.indexed.cpu / at10k.indexed.cpu, 12.0, "x");
        std::printf("(wall time: %.3f and %.3f us a pump, growth %.1f x)\n", at10k.indexed.wall / at10k.pumps * 1e6,
                    at100k.indexed.wall / at100k.pumps * 1e6, at100k.indexed.wall / at10k.indexed.wall);
    }
    bench::printCheck("design: identical to the literal reading, all 10 000 pumps", at10k.identical,
                      at10k.identical ? "identical" : "DIFFERENT");
    if (!quick)
        bench::printCheck("design: identical to the literal reading, 100 000 pumps (every 50th)", at100k.identical,
                          at100k.identical ? "identical" : "DIFFERENT");
    std::printf("speed ratio, literal / indexed (cpu), 10 000 pumps: %.0f x\n", at10k.literal.cpu / at10k.indexed.cpu);
    if (!quick)
        std::printf("speed ratio, literal / indexed (cpu), 100 000 pumps, literal cost from the sample: %.0f x\n",
                    at100k.literal.cpu / at100k.literalPumps * at100k.pumps / at100k.indexed.cpu);
    return allIdentical ? EXIT_SUCCESS : EXIT_FAILURE;
}
