#pragma once

// Transition tiles between two terrain textures are made in texture space: each tile's working
// texture takes every pixel from A's working texture or from B's, as the terrain field says
// (terrain_field.h), and then goes through the tile maker like any other texture.

#include <vector>

#include "block_settings.h"
#include "raster/bitmap.h"
#include "terrain_border.h"
#include "terrain_corners.h"

namespace mosaren {

class TileMaker;
class TransitionSides;

class TerrainBlend {
public:
    // The working textures of terrains A and B, as the tile maker's steps make them (255 × 255,
    // 24 bits), whose colours it keeps. Raises EInvalidOperation for a texture of another size.
    TerrainBlend(const TBitmap& textureA, const TBitmap& textureB, const TerrainBorder& border);
    // The same of the working textures' colours, row by row from the top-left.
    TerrainBlend(std::vector<TColor> coloursA, std::vector<TColor> coloursB,
                 const TerrainBorder& border);

    // Makes the maker's working texture that of the tile with these corners; the maker's
    // MakeTile then makes the tile.
    void MakeWorkingTexture(const TerrainCorners& corners, TileMaker& maker) const;

    // Makes texture, a new bitmap, the 255 × 255 working texture that the left or the right face
    // of the block of the tile with these corners shows: column by column the terrain of the
    // lid's edge above it, as sides chooses (transition_sides.h).
    void MakeSideTexture(const TerrainCorners& corners, BlockFace side,
                         const TransitionSides& sides, TBitmap& texture) const;

    // The colours of a terrain's working texture, row by row from the top-left.
    const std::vector<TColor>& ColoursOf(Terrain terrain) const {
        return terrain == Terrain::A ? mColoursA : mColoursB;
    }

private:
    std::vector<TColor> mColoursA;
    std::vector<TColor> mColoursB;
    TerrainBorder mBorder;
};

}  // namespace mosaren
