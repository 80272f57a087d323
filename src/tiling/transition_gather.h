#pragma once

// Transition tiles as a gather (terrain_blend.h makes them with the tile maker's bitmaps): each
// tile's working texture takes every pixel from terrain A's working texture or from B's, with
// its alpha, as the terrain field of the tile's corners chooses; its flat tile (WorkingTile) or
// block (BlockGather, its side faces showing the terrain of the lid's edge above them,
// TransitionSides) is then a gather of that. Stored at the run's depth, the tiles are the bytes
// the maker's steps make of the blended working texture.
//
// One gather serves the run's tiles on every thread.

#include <cstdint>
#include <vector>

#include "block_gather.h"
#include "terrain_border.h"
#include "terrain_corners.h"
#include "transition_sides.h"
#include "working_texture.h"

namespace mosaren {

class TransitionGather {
public:
    // The border follows the textures' texel grid where both are pixel art
    // (FollowingTexels).
    TransitionGather(WorkingTexture a, WorkingTexture b, const TerrainBorder& border);

    const WorkingTexture& Of(Terrain terrain) const { return terrain == Terrain::A ? mA : mB; }

    // The terrain of each working pixel of the tile with these corners, in that variant of the
    // border (see TerrainBorder::variant; terrain_field.h).
    std::vector<Terrain> Field(const TerrainCorners& corners, std::uint32_t variant = 0) const;

    // The working texture of the tile with these corners, in that variant of the border.
    WorkingTexture Blend(const TerrainCorners& corners, std::uint32_t variant = 0) const;
    // The same of the tile's terrain field.
    WorkingTexture Blend(const std::vector<Terrain>& field) const;

    // The block of the tile with these corners: the side faces that the block settings give no
    // texture of their own show, column by column, the terrain of the lid's edge above them.
    TilePixels Raise(const TerrainCorners& corners, std::uint32_t variant, const BlockGather& blocks,
                     const TransitionSides& sides) const;

private:
    WorkingTexture mA;
    WorkingTexture mB;
    TerrainBorder mBorder;
};

}  // namespace mosaren
