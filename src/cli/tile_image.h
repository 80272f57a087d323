#pragma once

// A finished tile as an RGBA image: the pixels that show the texture opaque with their exact
// colour, the pixels the turn left to the mask fully transparent.
//
// The tile itself cannot tell them apart when a texture pixel has the mask colour, but which
// pixels the texture covers does not depend on the texture at all: the turn and the squeeze are
// nearest-pixel, so each tile pixel copies exactly one frame pixel, and the frame pixel shows the
// texture or the mask by its position alone. TileCoverage finds those positions by running the
// very same tile maker over two plain textures; the tiles of a run all share them.

#include <vector>

#include "rgba_image.h"
#include "tiling/tile_settings.h"

namespace mosaren {
class TBitmap;
}

namespace mosaren::cli {

// One flag per tile pixel, row by row from the top-left: whether the texture covers it, for
// tiles of these settings (their size; the mask colour plays no part).
using Coverage = std::vector<bool>;
Coverage TileCoverage(const TTileSettings& settings);

// The tile's pixels, opaque where covered and transparent elsewhere. The coverage must be that
// of the settings the tile was made with.
RgbaImage TileImage(TBitmap& tile, const Coverage& coverage);

}  // namespace mosaren::cli
