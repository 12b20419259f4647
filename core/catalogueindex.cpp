#include "core/catalogueindex.h"

#include <cmath>
#include <functional>

namespace tarnwick {

std::size_t CatalogueIndex::KeyHash::operator()(double key) const
{
    // Keys are as a rule whole numbers counted up in catalogue order. Hashed
    // to themselves, neighbouring pumps land in neighbouring buckets, so
    // building the index and looking pumps up in catalogue order walk memory
    // in order instead of at random; that keeps a large catalogue as cheap
    // per pump as a small one. (-0.0 becomes 0, as 0.0 does.)
    if (key >= -9.0e15 && key <= 9.0e15 && key == std::trunc(key))
        return static_cast<std::size_t>(static_cast<long long>(key));
    return std::hash<double>{}(key);
}

CatalogueIndex::CatalogueIndex(const std::vector<CataloguePoint>& points)
{
    m_runs.reserve(points.size() / 4 + 1);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double key = points[i].key;
        if (std::isnan(key))
            continue; // an empty key equals nothing
        auto [it, inserted] = m_runs.try_emplace(key, Run{i, 0});
        ++it->second.count;
    }
}

CatalogueIndex::Run CatalogueIndex::runOf(double key) const
{
    if (std::isnan(key))
        return {};
    const auto it = m_runs.find(key);
    return it == m_runs.end() ? Run{} : it->second;
}

PointRun literalPointRun(const std::vector<CataloguePoint>& points, double key)
{
    PointRun run;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].key == key) {
            if (run.count == 0)
                run.first = i;
            ++run.count;
        }
    }
    return run;
}

std::optional<CurvePoints> readPointRun(const std::vector<CataloguePoint>& points, CatalogueIndex::Run run)
{
    if (run.count == 0 || run.first + run.count > points.size())
        return std::nullopt;
    CurvePoints result;
    result.flow.reserve(run.count);
    result.head.reserve(run.count);
    result.power.reserve(run.count);
    for (std::size_t i = run.first; i < run.first + run.count; ++i) {
        // A shaft power below zero or not a number cannot be measured: such
        // points (edited into a database by hand) are no curve data at all,
        // rather than a curve with negative efficiencies.
        const float power = points[i].power;
        if (!std::isfinite(power) || power < 0.0f)
            return std::nullopt;
        result.add(points[i].flow, points[i].head, power);
    }
    return result;
}

} // namespace tarnwick
