#pragma once

// Transition tiles between two terrain textures are made in texture space: each tile's working
// texture takes every pixel from A's working texture or from B's, as the terrain field says
// (terrain_field.h), and then goes through the tile maker like any other texture.

#include "raster/bitmap.h"
#include "terrain_border.h"
#include "terrain_corners.h"

namespace mosaren {

class TileMaker;

class TerrainBlend {
public:
    // The working textures of terrains A and B, as the tile maker's steps make them (255 × 255,
    // 24 bits), of which it keeps copies.
    TerrainBlend(const TBitmap& textureA, const TBitmap& textureB, const TerrainBorder& border);

    // Makes the maker's working texture that of the tile with these corners; the maker's
    // MakeTile then makes the tile.
    void MakeWorkingTexture(const TerrainCorners& corners, TileMaker& maker) const;

    const TBitmap& TextureOf(Terrain terrain) const {
        return terrain == Terrain::A ? mTextureA : mTextureB;
    }

private:
    TBitmap mTextureA;
    TBitmap mTextureB;
    TerrainBorder mBorder;
};

}  // namespace mosaren
