#pragma once

// Which source column each destination column of a stretched drawing shows (rows likewise): the
// nearest-pixel sampling of DrawStretched, for whatever wants the same pixels without drawing.

#include <cstdint>
#include <vector>

namespace mosaren {

// For each of destination positions d = 0 .. destination − 1, the source position under its
// centre, ((2·d + 1) · source) div (2 · destination), which lies in 0 to source − 1. Both counts
// must be above 0.
std::vector<std::int32_t> StretchSamples(std::int32_t destination, std::int32_t source);

}  // namespace mosaren
