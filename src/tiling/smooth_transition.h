#pragma once

// Smooth transition tiles: the two terrain textures blended at their full resolution and the
// blend resampled as a flat smooth tile is (smooth_sampling.h), so photographic terrains meet
// in a soft border rather than a cut of pixels.
//
// The blend follows the terrain field (terrain_field.h): its level f − t, worked out per working
// texture pixel, is interpolated bilinearly at each texel's centre, and so is the size of its
// slope; the level over the slope is how far the texel lies from the border, in working texture
// pixels, and scaled by the size of a working pixel on the tile, in tile pixels. Terrain B's
// share then grows from 0 to 1 across the feather, a band that many tile pixels wide centred on
// the border; a feather of 0 is the hard border, B exactly where the level is at least 0. The
// level is the same along an edge for every tile with that edge's two corners, so the blend and
// the tiles' pixels along it are too, and neighbouring tiles join without a seam.
//
// Two textures of different sizes are blended on the larger's grid, the smaller's texels
// repeated nearest-texel onto it.

#include <cstdint>
#include <vector>

#include "smooth_sampling.h"
#include "terrain_border.h"
#include "terrain_corners.h"
#include "tile_pixels.h"

namespace mosaren {

// The default width of the soft border, in tile pixels.
inline constexpr double kDefaultFeather = 2.0;

// A texture read whole, for blending: four bytes a texel from the top-left, red, green, blue and
// alpha (255 throughout when it has none).
struct TerrainPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool hasAlpha = false;
    std::vector<std::uint8_t> rgba;
};

// B's share of the blend at a texel whose level is level and the size of its slope slope, both
// per working pixel, with a working pixel workingPixel tile pixels across.
double TerrainBShare(double level, double slope, double workingPixel, double feather);

class SmoothTransitions {
public:
    // Tiles of tileWidth × tileHeight; feather in tile pixels, at least 0. A picture without
    // texels counts as one white texel.
    SmoothTransitions(TerrainPicture a, TerrainPicture b, const TerrainBorder& border,
                      double feather, std::int32_t tileWidth, std::int32_t tileHeight);

    // The tile with these corners, in that variant of the border. From any thread.
    TilePixels Tile(const TerrainCorners& corners, std::uint32_t variant = 0) const;

private:
    TerrainPicture mA;
    TerrainPicture mB;
    TerrainBorder mBorder;
    double mFeather;
    std::int32_t mWidth;   // of the grid the terrains are blended on
    std::int32_t mHeight;
    bool mWithAlpha;
    SmoothSampling mSampling;
    // For each grid column and row, the texel of A and of B it shows.
    std::vector<std::int32_t> mColumnA, mColumnB, mRowA, mRowB;
};

}  // namespace mosaren
