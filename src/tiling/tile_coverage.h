#pragma once

// Which pixels of a tile the turned texture covers. The tile itself cannot tell them from the
// mask when a texture pixel has the mask colour, but which pixels the texture covers does not
// depend on the texture at all: the turn and the squeeze are nearest-pixel, so each tile pixel
// copies exactly one frame pixel, and the frame pixel shows the texture or the mask by its
// position alone. TileCoverage finds those positions by running the very same tile maker over
// two plain textures; the tiles of a run all share them.

#include <vector>

#include "tile_settings.h"

namespace mosaren {

// One flag per tile pixel, row by row from the top-left: whether the texture covers it, for
// tiles of these settings (their size; the mask colour plays no part).
using Coverage = std::vector<bool>;
Coverage TileCoverage(const TTileSettings& settings);

}  // namespace mosaren
