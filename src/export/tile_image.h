#pragma once

// A finished tile as an RGBA image: the pixels that show the texture opaque with their exact
// colour, the pixels the turn left to the mask fully transparent. Which are which is the tile's
// coverage (tiling/tile_coverage.h), since the tile's colours cannot say it.

#include <cstdint>
#include <span>

#include "raster/device_picture.h"
#include "rgba_image.h"
#include "tiling/tile_coverage.h"

namespace mosaren {

// The tile's pixels, opaque where covered and transparent elsewhere. The coverage must be that
// of the settings the tile was made with.
RgbaImage TileImage(const DevicePicture& tile, const Coverage& coverage);
// The same for a tile of a texture with alpha, one for each tile pixel (TileWithAlpha): covered
// pixels take their alpha from it, their colour left as it is, not premultiplied.
RgbaImage TileImage(const DevicePicture& tile, const Coverage& coverage,
                    std::span<const std::uint8_t> alpha);

}  // namespace mosaren
