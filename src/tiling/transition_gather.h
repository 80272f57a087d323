#pragma once

// Transition tiles as a gather (terrain_blend.h makes them with the tile maker's bitmaps): each
// tile's working texture takes every pixel from terrain A's working texture or from B's, with
// its alpha, as the terrain field of the tile's corners chooses; its flat tile (WorkingTile) or
// block (BlockGather) is then a gather of that. Stored at the run's depth, the tiles are the
// bytes the maker's steps make of the blended working texture.
//
// One gather serves the run's tiles on every thread.

#include "terrain_border.h"
#include "terrain_corners.h"
#include "working_texture.h"

namespace mosaren {

class TransitionGather {
public:
    // The border follows the textures' texel grid where both are pixel art
    // (FollowingTexels).
    TransitionGather(WorkingTexture a, WorkingTexture b, const TerrainBorder& border);

    const WorkingTexture& Of(Terrain terrain) const { return terrain == Terrain::A ? mA : mB; }

    // The working texture of the tile with these corners.
    WorkingTexture Blend(const TerrainCorners& corners) const;

private:
    WorkingTexture mA;
    WorkingTexture mB;
    TerrainBorder mBorder;
};

}  // namespace mosaren
