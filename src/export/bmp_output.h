#pragma once

// BMP files of RGBA pictures, for a sheet made of BMP tiles: stored at the display depth as the
// device form stores the tiles themselves, with the mask colour wherever the picture is
// transparent, exactly as the raster layer's writer would write a device-form bitmap holding
// those colours.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "raster/device_picture.h"
#include "rgba_image.h"
#include "tiling/tile_pixels.h"
#include "tiling/tile_settings.h"

namespace mosaren {

class OutputStream;

// Writes the BMP file of a width × height picture to the stream, asking rowAt for each row
// (from the top, width pixels) as it needs it: bottom row first, as the file stores them, so
// that only one row is held at a time; depth bits per pixel, as tiles are stored. Pixels of
// alpha below kOpaqueFrom take the mask colour of settings; all others their own colour.
void WriteBmpRows(OutputStream& stream, std::int32_t width, std::int32_t height,
                  const TTileSettings& settings, int depth,
                  const std::function<void(std::int32_t y, std::span<Rgba> row)>& rowAt);

// The BMP file of a tile at bitCount bits per pixel, the mask where it does not show the tile
// (tile_bmp_form.h).
std::vector<std::uint8_t> BmpTileFile(const TilePixels& tile, int bitCount, TColor mask);

}  // namespace mosaren
