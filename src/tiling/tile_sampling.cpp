#include "tile_sampling.h"

#include <algorithm>

#include "raster/stretch_samples.h"
#include "rotate_bitmap.h"
#include "tile_settings.h"

namespace mosaren {

namespace {

// For each tile pixel, row by row: the working-texture pixel it shows (y · 255 + x), or kMask.
// The tile is the whole frame squeezed by the stretch; the frame is the turn of the working
// texture.
std::vector<std::int32_t> WorkingTexturePixels(std::int32_t tileWidth, std::int32_t tileHeight) {
    constexpr std::int32_t side = kWorkingTextureSide;
    constexpr std::int32_t frame = side + kFrameMargin;
    // Only the frame pixels the squeeze keeps are turned.
    const std::vector<RotationSample> turn = RotationSamplesAt(
        side, side, TPoint{kRotationCentre, kRotationCentre}, kRotationAngle,
        StretchSamples(tileWidth, frame), StretchSamples(tileHeight, frame));
    std::vector<std::int32_t> pixels;
    pixels.reserve(turn.size());
    for (const RotationSample& s : turn) {
        pixels.push_back(s.row < 0 ? TileSampling::kMask : s.row * side + s.column);
    }
    return pixels;
}

// A texture pixel a tile pixel shows, and which tile pixel of which piece's tile that is.
struct Gather {
    std::uint64_t pixel;  // row in the high half, column in the low
    std::uint32_t piece;
    std::uint32_t tilePixel;
};

}  // namespace

TileSampling::TileSampling(std::int32_t tileWidth, std::int32_t tileHeight,
                           const std::vector<TRect>& pieces)
    : mTileWidth(tileWidth), mTileHeight(tileHeight) {
    constexpr std::int32_t side = kWorkingTextureSide;
    const std::vector<std::int32_t> working = WorkingTexturePixels(tileWidth, tileHeight);

    // Each piece is stretched whole into the working texture.
    std::vector<Gather> gathers;
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        const TRect& piece = pieces[p];
        const std::vector<std::int32_t> columns = StretchSamples(side, piece.right - piece.left);
        const std::vector<std::int32_t> rows = StretchSamples(side, piece.bottom - piece.top);
        for (std::size_t t = 0; t < working.size(); ++t) {
            if (working[t] == kMask) continue;
            const auto y = static_cast<std::uint64_t>(piece.top + rows[working[t] / side]);
            const auto x = static_cast<std::uint64_t>(piece.left + columns[working[t] % side]);
            gathers.push_back(
                {(y << 32) | x, static_cast<std::uint32_t>(p), static_cast<std::uint32_t>(t)});
        }
    }
    std::sort(gathers.begin(), gathers.end(),
              [](const Gather& a, const Gather& b) { return a.pixel < b.pixel; });

    mTilePixels.assign(pieces.size(), std::vector<std::int32_t>(working.size(), kMask));
    for (std::size_t i = 0; i < gathers.size(); ++i) {
        const Gather& g = gathers[i];
        const bool repeat = i > 0 && gathers[i - 1].pixel == g.pixel;
        if (!repeat) {
            const auto y = static_cast<std::int32_t>(g.pixel >> 32);
            if (mSamples.rows.empty() || mSamples.rows.back().y != y) {
                mSamples.rows.push_back(
                    {y, static_cast<std::uint32_t>(mSamples.columns.size()), 0});
            }
            mSamples.columns.push_back(static_cast<std::int32_t>(g.pixel & 0xFFFFFFFFu));
            ++mSamples.rows.back().count;
        }
        mTilePixels[g.piece][g.tilePixel] = static_cast<std::int32_t>(mSamples.columns.size() - 1);
    }
}

}  // namespace mosaren
