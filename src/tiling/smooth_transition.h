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
//
// Raised into blocks (smooth_block.h), the lid is the flat tile's blend and each side face
// shows the blend continued down the side: the face's texture column x is terrain A's and B's
// column x mixed by B's share at the lid's edge above it, as the nearest blocks' faces show the
// terrain of the lid's edge column by column (transition_sides.h). The texture's corners go to
// the lid's vertices as the flat tile's do (top-left to the top vertex, bottom-left to the left
// one, bottom-right to the bottom one, top-right to the right one), so the lid's lower-left edge
// is the blend's bottom row, from left to right, and its lower-right edge the blend's right
// column, from the bottom up; a face's texture runs from the face's left side to its right. The
// faces thus begin and end with B's share at the lid's vertices, which depends only on the
// tile's corners there, and blocks side by side on a map join as their lids do.

#include <cstdint>
#include <memory>
#include <vector>

#include "block_settings.h"
#include "smooth_block.h"
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

    ~SmoothTransitions();

    // The tile with these corners, in that variant of the border. From any thread.
    TilePixels Tile(const TerrainCorners& corners, std::uint32_t variant = 0) const;

    // Blocks from here on (Block): raised as block says, the side faces from sides where given,
    // else the blend continued down the side. Both must outlive the blocks' making. Before any
    // Block, on one thread.
    void RaiseBlocks(const BlockSettings& block, const SmoothSides& sides);
    // The block of the tile with these corners, in that variant of the border, once RaiseBlocks
    // was called. From any thread.
    TilePixels Block(const TerrainCorners& corners, std::uint32_t variant = 0) const;

private:
    struct Field;
    struct Faces;
    // The terrain field of the tile with these corners, in that variant of the border.
    Field FieldOf(const TerrainCorners& corners, std::uint32_t variant) const;
    // B's share of the blend at grid texel (x, y) of a tile with that field.
    double Share(const Field& field, std::int32_t x, std::int32_t y) const;
    // Grid row y blended texel by texel, B's share of texel x from shareOf(x), in linear light
    // as SmoothTile::AddLinearRow takes it.
    template <typename ShareOf>
    void BlendRow(std::int32_t y, ShareOf shareOf, double* row, std::size_t channels) const;

    TerrainPicture mA;
    TerrainPicture mB;
    TerrainBorder mBorder;
    double mFeather;
    std::int32_t mWidth;   // of the grid the terrains are blended on
    std::int32_t mHeight;
    bool mWithAlpha;
    SmoothSampling mSampling;
    double mWorkingPixel;  // a working texture pixel's side on the tile, in tile pixels
    // For each grid column and row, the texel of A and of B it shows.
    std::vector<std::int32_t> mColumnA, mColumnB, mRowA, mRowB;
    std::unique_ptr<const Faces> mFaces;  // blocks' faces, once raised
};

}  // namespace mosaren
