#pragma once

#include <QString>

#include <string_view>

namespace tarnwick::store {

// A message or figure text of the calculations, which speak Chinese only, in
// the program's language: a fixed text as a whole, a composed one piece by
// piece around its figures. Unchanged while the program speaks Chinese.
QString coreText(std::string_view text);

} // namespace tarnwick::store
