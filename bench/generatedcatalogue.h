#pragma once

#include "core/selection.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::bench {

// A seeded catalogue of n pumps with 3 to 8 points each, spread over the
// duties building services use: best flows 5 to 2000 m3/h, heads 5 to 100 m.
// Pumps take the types of the shipped schematics in turn, so each has its
// picture in a database that carries them.
Catalogue generatedCatalogue(int pumps, std::uint32_t seed);

// The pump types of the generated catalogues.
const std::vector<std::string>& generatedPumpTypes();

} // namespace tarnwick::bench
