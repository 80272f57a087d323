#pragma once

// A finished tile as an RGBA image, for PNG files, sheets and the map preview: the pixels that
// show the texture with their exact colour and their opacity, the background fully transparent.

#include "rgba_image.h"
#include "tiling/tile_pixels.h"

namespace mosaren {

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
