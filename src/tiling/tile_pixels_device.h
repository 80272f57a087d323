#pragma once

// Tile pixels stored as the device form of a depth stores a tile (device_picture.h): each covered
// pixel's colour, the mask colour elsewhere; and beside them the alpha of each pixel as the
// tile engine gives it (TileWithAlpha). What a BMP tile file of a nearest tile or block holds.

#include "raster/device_picture.h"
#include "tile_engine.h"
#include "tile_pixels.h"

namespace mosaren {

DevicePicture DeviceTile(const TilePixels& tile, TColor mask, int depth);

// The same with the alpha of every pixel, 0 where the tile shows the mask; none when the tile
// has no alpha.
TileWithAlpha DeviceTileWithAlpha(const TilePixels& tile, TColor mask, int depth);

}  // namespace mosaren
