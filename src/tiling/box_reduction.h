#pragma once

// A texture far larger than its tile, reduced first: each square of factor × factor texels
// averaged into one, in linear light and weighted as the smooth sampler weights them
// (smooth_sampling.h), row by row as the texture is read. The exact area average of the reduced
// texture is then the tile, within a hair of the full texture's: where a tile pixel still spans
// two reduced texels each way, what the reduction blurs lies well inside each pixel. Reading
// every texel once through a lookup table and a few additions is far cheaper than carrying each
// one through the exact integrals, and the reduced texture is small (it follows the tile).

#include <cstdint>
#include <vector>

#include "raster/bmp_sampler.h"
#include "raster/colour.h"
#include "smooth_sampling.h"

namespace mosaren {

// The largest factor that divides both sides of a piece of width × height and leaves at least
// three and a half texels each way under a tile pixel that spans pixelArea texels; 1 when none
// does.
std::int32_t ReductionFactor(std::int32_t width, std::int32_t height, double pixelArea);

class BoxReduction {
public:
    // A piece of width × height (each a multiple of factor) reduced by factor. With a tile, whose
    // sampling is of the reduced piece, each reduced row goes into it as soon as its last row is
    // added, so that rows added in order hold one reduced row's sums at a time.
    BoxReduction(std::int32_t width, std::int32_t height, std::int32_t factor, bool withAlpha,
                 SmoothTile* into = nullptr);

    // Row y of the piece (0 = its top), in any order, each once: red, green, blue and alpha bytes.
    void AddRow(std::int32_t y, const std::uint8_t* rgba);
    // The same of a row of colours and their alpha (null: opaque), as texture sources hand them.
    void AddRow(std::int32_t y, const TColor* colours, const std::uint8_t* alpha);
    // The same of an opaque row of a file's own bytes, as BmpSampler::ReadByteRows hands it.
    void AddRow(std::int32_t y, const std::uint8_t* bytes, const ByteTexels& texels);
    // The reduced rows not yet in it (all without a tile given at the start), in linear light as
    // SmoothTile::AddLinearRow takes them, into tile, whose sampling is of the reduced piece; a
    // row never added as zero.
    void Feed(SmoothTile& tile);

private:
    // Row y, whose texel i is texel(i) → {red, green, blue, alpha}.
    template <typename Texel>
    void AddRowOf(std::int32_t y, const Texel& texel);
    // The row into the sums of its reduced row, C channels, boxes of Factor texels (0: mFactor).
    template <std::size_t C, std::size_t Factor, typename Texel>
    void ReduceRow(const Texel& texel, float* sums) const;

    // The sums of reduced row r, made when its first row comes.
    float* SumsOf(std::int32_t r);
    // One more row of reduced row r added: the tile given at the start takes it when complete.
    void RowAdded(std::int32_t r);
    // Reduced row r into tile, its sums then given up.
    void FeedRow(std::int32_t r, SmoothTile& tile);

    std::int32_t mWidth;  // reduced
    std::int32_t mHeight;
    std::int32_t mFactor;
    std::size_t mChannels;
    SmoothTile* mInto;
    // Each reduced row's sums (empty until its first row comes, and again once fed), how many
    // of its rows were added, and whether it went into the tile.
    std::vector<std::vector<float>> mSums;
    std::vector<std::int32_t> mAdded;
    std::vector<bool> mFed;
    std::vector<std::vector<float>> mSpare;  // given-up sums, for the rows to come
    std::vector<double> mRow;
};

}  // namespace mosaren
