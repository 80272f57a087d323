#pragma once

// A tile as a BMP file stores it. The file has no alpha, so each pixel either shows the tile,
// in the colour of its covered part (never blended with the mask), or the mask colour: the tile
// shows where it covers at least half the pixel and the texture is at least half opaque there
// (kOpaqueFrom), the rule that keeps a smooth tile's diamond the same size as a nearest one's.

#include "raster/colour.h"
#include "raster/decoded_picture.h"
#include "raster/device_picture.h"
#include "tile_pixels.h"

namespace mosaren {

// Half of a pixel's coverage, rounded as the coverage of a pixel half covered rounds.
inline constexpr std::uint8_t kHalfCoverage = 128;

inline bool ShowsInBmp(const TilePixel& p) {
    return p.coverage >= kHalfCoverage && p.alpha >= kOpaqueFrom;
}

// The tile's pixels stored at bitCount bits per pixel (16, 24 or 32) as the device form stores
// them, the mask where ShowsInBmp does not hold: the picture WriteBmp writes as the tile's file.
DevicePicture BmpFormOf(const TilePixels& tile, int bitCount, TColor mask);

}  // namespace mosaren
