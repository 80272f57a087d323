#pragma once

// Blocks and walls: a flat tile raised into a box W × (H + D), its lid the tile itself and two
// shaded side faces below it (block_layout.h says where each face lies and how a texture is
// mapped onto it). The block is a bitmap in the device form, like the tile, so the BMP writer
// writes it at every depth as it writes tiles; its coverage says which pixels are block, since
// its colours cannot tell a texture pixel of the mask colour from the mask.

#include <memory>
#include <string>

#include "block_layout.h"
#include "block_settings.h"
#include "raster/bitmap.h"
#include "texture_reader.h"
#include "tile_coverage.h"
#include "tile_settings.h"

namespace mosaren {

class TileMaker;

// Each channel of colour times shade millionths, rounded to the nearest whole number (a half
// rounds up), so that the whole shade gives the colour back unchanged.
TColor Shaded(TColor colour, std::int32_t shade);

// The working textures the side faces show: 255 × 255, as the tile maker's steps make them.
struct SideTextures {
    const TBitmap& left;
    const TBitmap& right;
};

// Makes block, which must be in the device form (a new bitmap is), into the block of tile: the
// tile as the tile maker makes it (device form, mask colour around the diamond) with
// tileCoverage its coverage, the side faces from sides, each face shaded and left out as the
// block settings say. Every pixel outside the faces shown takes the mask colour of settings.
void MakeBlock(const TBitmap& tile, const Coverage& tileCoverage, const SideTextures& sides,
               const BlockSettings& block, const TTileSettings& settings, TBitmap& picture);

// What the commands need for a run of blocks: the flat tiles' coverage worked out once, the side
// textures the settings name read once, and a fresh block for every tile.
class BlockMaker {
public:
    // Both are read as the run goes and must outlive it. A side texture that cannot be read
    // raises the reader's failure, which names it, before any block is made.
    // The side textures are read by readTexture (texture_reader.h).
    BlockMaker(const TTileSettings& settings, const BlockSettings& block,
               const TextureReader& readTexture = ReadBmpTexture);

    // The block of the tile that maker has just made, its side faces by default from the working
    // texture the tile was made of. It stays until the next call.
    TBitmap& Raise(TileMaker& maker);
    // The same with side faces of their own (a transition tile's, 255 × 255 working textures):
    // left and right, where the block settings name no texture for a face.
    TBitmap& Raise(TileMaker& maker, const TBitmap& left, const TBitmap& right);

private:
    const TTileSettings& mSettings;
    const BlockSettings& mBlock;
    Coverage mTileCoverage;
    std::unique_ptr<TBitmap> mLeftTexture;   // none: the tile's own texture
    std::unique_ptr<TBitmap> mRightTexture;  // likewise
    std::unique_ptr<TBitmap> mPicture;
};

}  // namespace mosaren
