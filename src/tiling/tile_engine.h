#pragma once

// The tile maker's tiles without its steps, for the command line. A tile is a gather of texture
// pixels and the mask (tile_sampling.h), so the engine reads from each texture file only the
// pixels its tile shows (bmp_sampler.h) and hands them over as the tile's pixels (tile_pixels.h),
// covered wholly or not at all: no working bitmaps, no full-size passes. Stored as a BMP file
// (tile_bmp_form.h) with the settings' mask at a display depth, a tile is exactly the bytes that
// TileMaker's tile writes at that depth, and the engine raises exactly what TileMaker raises, for
// every texture the reader takes or refuses, every tile size and mask. A batch texture of one bit
// per pixel larger than the working texture, which the batch's stretch shrinks by ANDing the
// dropped rows and columns together, goes through its working texture (working_texture.h),
// which does the same.
//
// With the smooth filter (tile_filter.h) a flat tile is instead the average of the texture under
// each of its pixels (smooth_sampling.h), read at full size a band of rows at a time, so that
// memory follows the texture's width and the tile, not the picture.
//
// One engine per thread: it keeps its buffers and samplings from one texture to the next.
// Engines on several threads may run at once: they share nothing.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "raster/device_picture.h"
#include "raster/texture_source.h"
#include "smooth_block.h"
#include "smooth_transition.h"
#include "tile_filter.h"
#include "tile_maker.h"
#include "tile_pixels.h"
#include "tile_settings.h"

namespace mosaren {

class TileEngine {
public:
    // The settings are read at each texture, as TileMaker reads them; depth is the display depth
    // whose maker the engine's tiles match (it decides the colours of run-length textures).
    TileEngine(const TTileSettings& settings, int depth, TileFilter filter = TileFilter::Nearest);
    ~TileEngine();
    TileEngine(const TileEngine&) = delete;
    TileEngine& operator=(const TileEngine&) = delete;

    // The tile that TileMaker::TileTexture makes of the texture file (the batch command's).
    TilePixels TileTexture(const std::string& texturePath);
    // The same of a texture in another format: the tile a 24-bit BMP file of its colours gives,
    // with the alpha of each texture pixel it shows.
    TilePixels TileTexture(TextureSource& texture);

    // The single-texture command's, as TileMaker's: the texture's headers read, the piece counts
    // of the settings taken, and a texture that cannot be cut into them refused.
    void ReadTextureForPieces(const std::string& texturePath);
    // The same of a texture in another format, which must stay until the last piece's tile is
    // made.
    void ReadTextureForPieces(TextureSource& texture);
    bool Divided() const { return mAcross != 1 || mDown != 1; }
    std::vector<PiecePosition> Pieces() const { return PiecesInOrder(mAcross, mDown); }
    // The tile TileMaker makes of the piece (MakePieceTexture, then MakeTile).
    TilePixels PieceTile(PiecePosition piece);

    // With the smooth filter: blocks rather than flat tiles from here on, from every texture and
    // piece, raised as block says, their side faces from sides where given. Both must outlive
    // the engine's tiles.
    void RaiseSmoothBlocks(const BlockSettings& block, const SmoothSides& sides);
    // The face of those blocks that the texture makes, for a side texture of its own.
    FaceLight SmoothFace(const std::string& texturePath, BlockFace face);
    FaceLight SmoothFace(TextureSource& texture, BlockFace face);
    // Every pixel of the texture, for smooth transition tiles, which blend two textures whole.
    TerrainPicture WholeTexture(const std::string& texturePath);
    TerrainPicture WholeTexture(TextureSource& texture);

private:
    // The piece counts of the settings taken for the texture just read.
    void TakePieces();

    struct State;
    std::unique_ptr<State> mState;
    std::int32_t mAcross = 1;
    std::int32_t mDown = 1;
};

}  // namespace mosaren
