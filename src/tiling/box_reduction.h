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

#include "raster/colour.h"
#include "smooth_sampling.h"

namespace mosaren {

// The largest factor that divides both sides of a piece of width × height and leaves at least
// four texels each way under a tile pixel that spans pixelArea texels; 1 when none does.
std::int32_t ReductionFactor(std::int32_t width, std::int32_t height, double pixelArea);

class BoxReduction {
public:
    // A piece of width × height (each a multiple of factor) reduced by factor.
    BoxReduction(std::int32_t width, std::int32_t height, std::int32_t factor, bool withAlpha);

    // Row y of the piece (0 = its top), in any order, each once: red, green, blue and alpha bytes.
    void AddRow(std::int32_t y, const std::uint8_t* rgba);
    // The same of a row of colours and their alpha (null: opaque), as texture sources hand them.
    void AddRow(std::int32_t y, const TColor* colours, const std::uint8_t* alpha);
    // The reduced rows, in linear light as SmoothTile::AddLinearRow takes them, into tile, whose
    // sampling is of the reduced piece.
    void Feed(SmoothTile& tile) const;

private:
    // Texel i of the row is texel(i) → {red, green, blue, alpha}.
    template <std::size_t C, typename Texel>
    void AddRowOf(std::int32_t y, const Texel& texel);
    // A row of colours into the sums of its reduced row, C channels, boxes of Factor texels
    // (0: mFactor).
    template <std::size_t C, std::size_t Factor>
    void ReduceRow(const TColor* colours, const std::uint8_t* alpha, float* sums) const;

    std::int32_t mWidth;  // reduced
    std::int32_t mHeight;
    std::int32_t mFactor;
    std::size_t mChannels;
    std::vector<float> mSums;
};

}  // namespace mosaren
