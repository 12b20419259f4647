#pragma once

#include "core/selection.h"

#include <cstdint>

namespace tarnwick::bench {

// A seeded catalogue of n pumps with 3 to 8 points each, spread over the
// duties building services use: best flows 5 to 2000 m3/h, heads 5 to 100 m.
Catalogue generatedCatalogue(int pumps, std::uint32_t seed);

} // namespace tarnwick::bench
