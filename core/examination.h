#pragma once

#include "core/selection.h"

#include <cstddef>
#include <optional>

namespace tarnwick {

// A catalogue pump at a duty as the check draws it, but without the check's
// or the design's rules: for showing a pump the design left out. Nothing when
// the pump has no points, no usable fit or no operating point. The labels and
// row are those a check would give.
std::optional<CheckedPump> examinePump(const Catalogue& catalogue, const SelectionRequest& request,
                                       std::size_t pumpIndex);

// The positions in `rejected` of the pumps that came closest to being
// accepted: the `count` smallest margins, smallest first (equal margins in
// catalogue order). Pumps without a margin are never among them.
std::vector<std::size_t> closestRejected(const std::vector<RejectedPump>& rejected, std::size_t count);

} // namespace tarnwick
