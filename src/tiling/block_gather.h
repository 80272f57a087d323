#pragma once

// Blocks as a gather (block_maker.h makes them with the tile maker's bitmaps): the layout maps
// every block pixel to a working texture pixel, the lid's through the flat tile (WorkingTile),
// the side faces' straight (block_layout.h), so a block is made of its working textures without
// drawing. Each face pixel shows its texture pixel's colour shaded as Shaded shades it, with the
// texture pixel's alpha; the background is left to the outputs, unshaded. Stored at the run's
// depth, a block is the bytes BlockMaker makes.
//
// One gather serves a whole run on every thread: it keeps nothing of the blocks it makes.

#include <cstdint>
#include <vector>

#include "block_settings.h"
#include "tile_geometry.h"
#include "tile_pixels.h"
#include "tile_settings.h"
#include "working_texture.h"

namespace mosaren {

class BlockGather {
public:
    // Blocks of the flat tiles of settings (their size) raised as block says. left and right are
    // the side faces' working textures, or null for the texture the block is made of; they must
    // outlive the gather.
    BlockGather(const TTileSettings& settings, const BlockSettings& block,
                const WorkingTexture* left, const WorkingTexture* right);

    const TileGeometry& Geometry() const { return mGeometry; }

    // The block of the texture, whose flat tile is its lid.
    TilePixels Raise(const WorkingTexture& own) const;
    // The same with side faces of their own (a transition tile's): left and right, where the
    // block settings name no texture for a face.
    TilePixels Raise(const WorkingTexture& own, const WorkingTexture& left,
                     const WorkingTexture& right) const;

private:
    // What one block pixel shows.
    struct Source {
        std::int8_t face = -1;     // a BlockFace shown, or -1: the background
        std::int32_t working = 0;  // the working texture pixel
    };

    TileGeometry mGeometry;
    std::vector<Source> mSources;
    std::int32_t mShades[kBlockFaceCount] = {};
    const WorkingTexture* mLeft;
    const WorkingTexture* mRight;
};

}  // namespace mosaren
