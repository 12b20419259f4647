#pragma once

#include "core/selection.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::testing {

// A seeded catalogue of n pumps "GEN-1" .. "GEN-n" with 3 to 8 points each,
// spread over the duties building services use: best flows 5 to 2000 m3/h,
// heads 5 to 100 m. Pumps take the types of the shipped schematics in turn,
// so each has its picture in a database that carries them. With `nearShare`
// above 0, one pump in `nearShare` (the first, and every nearShare-th after
// it) is made to suit the duty Q = 100 m3/h, R = 20 m: the system curve
// H = 20 (Q/100)^2 meets its curve a few per cent above the duty, near its
// best point. The other pumps do not depend on `nearShare`.
Catalogue generatedCatalogue(int pumps, std::uint32_t seed, int nearShare = 0);

// The pump types of the generated catalogues.
const std::vector<std::string>& generatedPumpTypes();

} // namespace tarnwick::testing
