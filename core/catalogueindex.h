#pragma once

#include "core/selection.h"

#include <cstddef>
#include <optional>
#include <unordered_map>

namespace tarnwick {

// Where each pump's points are: the first row of the points table with the
// key and how many rows of the whole table carry it. Built once per run; a
// pump's points are then the run of that many rows from the first one, exactly
// as a whole-table count and a search from the top would find them.
class CatalogueIndex
{
public:
    explicit CatalogueIndex(const std::vector<CataloguePoint>& points);

    using Run = PointRun;
    // count 0 when no row has the key.
    Run runOf(double key) const;

private:
    struct KeyHash
    {
        std::size_t operator()(double key) const;
    };
    std::unordered_map<double, Run, KeyHash> m_runs;
};

// The run found the plain way: count the rows with the key over the whole
// table, and take the first of them. The check reads its one pump so.
PointRun literalPointRun(const std::vector<CataloguePoint>& points, double key);

// The pump's points read as a run, or nothing when the run would go past the
// end of the table (a catalogue whose points are not kept together).
// Nothing when the run is empty, reaches past the table, or holds a shaft
// power below zero or not finite.
std::optional<CurvePoints> readPointRun(const std::vector<CataloguePoint>& points, CatalogueIndex::Run run);

} // namespace tarnwick
