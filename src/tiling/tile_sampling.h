#pragma once

// Which texture pixel each pixel of a tile shows. Every step of the tile maker is nearest-pixel:
// the stretch to the 255 × 255 working texture, the turn into the 360 × 360 frame and the
// squeeze into the tile each copy one pixel to each pixel, and the frame shows the mask where the
// turn leaves the texture. So a finished tile is a gather: each of its pixels is the mask or one
// pixel of the texture (or of the piece the tile is made of), fixed by the sizes alone. This
// works the gather out from the tile maker's own samplings (StretchSamples, RotationSamples), so
// that it picks the very pixels the steps would.

#include <cstdint>
#include <vector>

#include "raster/bmp_sampler.h"
#include "raster/geometry.h"

namespace mosaren {

class TileSampling {
public:
    // What a tile pixel shows that no texture pixel gives.
    static constexpr std::int32_t kMask = -1;

    // The tiles of tileWidth × tileHeight made of the given pieces of a texture (a texture used
    // whole is the one piece from (0, 0) to its width and height).
    TileSampling(std::int32_t tileWidth, std::int32_t tileHeight, const std::vector<TRect>& pieces);

    // Every texture pixel the tiles show, each named once.
    const PixelSamples& Samples() const { return mSamples; }
    // For the tile of piece p, each tile pixel row by row from the top-left: the index of its
    // texture pixel in Samples(), or kMask.
    const std::vector<std::int32_t>& TilePixels(std::size_t piece) const { return mTilePixels.at(piece); }

    std::int32_t TileWidth() const { return mTileWidth; }
    std::int32_t TileHeight() const { return mTileHeight; }

private:
    std::int32_t mTileWidth;
    std::int32_t mTileHeight;
    PixelSamples mSamples;
    std::vector<std::vector<std::int32_t>> mTilePixels;
};

}  // namespace mosaren
