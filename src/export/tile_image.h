#pragma once

// A finished tile as an RGBA image: the pixels that show the texture opaque with their exact
// colour, the pixels the turn left to the mask fully transparent. Which are which is the tile's
// coverage (tiling/tile_coverage.h), since the tile's colours cannot say it.

#include <cstdint>
#include <span>

#include "raster/device_picture.h"
#include "rgba_image.h"
#include "tiling/tile_coverage.h"
#include "tiling/tile_pixels.h"

namespace mosaren {

// The tile's pixels, opaque where covered and transparent elsewhere. The coverage must be that
// of the settings the tile was made with.
RgbaImage TileImage(const DevicePicture& tile, const Coverage& coverage);
// The same for a tile of a texture with alpha, one for each tile pixel (TileWithAlpha): covered
// pixels take their alpha from it, their colour left as it is, not premultiplied.
RgbaImage TileImage(const DevicePicture& tile, const Coverage& coverage,
                    std::span<const std::uint8_t> alpha);

// A tile's pixels for a PNG file, a PNG sheet or the preview of a PNG run: each with its opacity
// (TilePixel::Opacity), its colour not premultiplied. A pixel the tile covers wholly keeps the
// texture's colour at any alpha, 0 included, as the texture itself holds it; one the tile covers
// only in part (a smooth tile's rim) or not at all is kTransparent where its opacity comes to 0.
RgbaImage TileImage(const TilePixels& tile);
// The same as a BMP tile file of that depth shows the tile, for a BMP run's sheet and preview:
// the tile's pixels where the file shows them (coverage of at least half, tile_bmp_form.h), with
// the texture's alpha, which a BMP sheet turns into the mask below kOpaqueFrom as the file does;
// at 16 bits each channel as the file keeps it, in 5 bits.
RgbaImage BmpTileImage(const TilePixels& tile, int depth);

}  // namespace mosaren
