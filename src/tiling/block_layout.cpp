#include "block_layout.h"

#include <algorithm>
#include <cstdlib>

#include "tile_settings.h"

namespace mosaren {

namespace {

// The sums below are exact in integers: everything is scaled by 2W, so that a pixel centre
// (x + 1/2, y + 1/2) and the edges' slope H/W need no fractions. For the centre's distance
// dx = |x + 1/2 − W/2| from the middle, the top diamond's lower edges are y = H − dx · H/W and
// the hexagon's lower edges y = H + D − dx · H/W; so with level = 2W · (y + 1/2 + dx · H/W) the
// side band is 2WH ≤ level ≤ 2W(H + D).
struct Band {
    explicit Band(const TileGeometry& g)
        : w(g.width),
          h(g.footprintHeight),
          d(g.rise),
          top(2 * w * h),
          bottom(2 * w * (std::int64_t{h} + d)) {}

    std::int64_t Level(std::int32_t x, std::int32_t y) const {
        return w * (2 * std::int64_t{y} + 1) + std::abs(2 * std::int64_t{x} + 1 - w) * h;
    }

    std::int64_t w, h, d, top, bottom;
};

}  // namespace

std::vector<BlockPixel> LayOutBlock(const TileGeometry& geometry, const Coverage& tileCoverage) {
    const Band band(geometry);
    const std::int64_t side = kWorkingTextureSide;
    std::vector<BlockPixel> pixels(geometry.PixelCount());
    auto pixel = pixels.begin();
    for (std::int32_t y = 0; y < geometry.PictureHeight(); ++y) {
        for (std::int32_t x = 0; x < geometry.width; ++x, ++pixel) {
            if (y < geometry.footprintHeight &&
                tileCoverage.at(static_cast<std::size_t>(y) * geometry.width + x)) {
                pixel->face = BlockFace::Top;
                continue;
            }
            // 2x + 1 < W: the centre lies left of the middle.
            const std::int64_t twiceX = 2 * std::int64_t{x} + 1;
            const bool left = twiceX < band.w;
            const std::int64_t level = band.Level(x, y);
            const bool inside = band.d > 0 && level >= band.top &&
                                (level < band.bottom || (level == band.bottom && left));
            if (!inside) continue;
            pixel->face = left ? BlockFace::Left : BlockFace::Right;
            // s · W: the centre's distance from the face's left side, in half pixels; t · 2WD
            // its distance below the face's top edge, scaled as the level is.
            const std::int64_t across = left ? twiceX : twiceX - band.w;
            const std::int64_t down = level - band.top;
            pixel->texel = TPoint{
                static_cast<std::int32_t>(side * across / band.w),
                static_cast<std::int32_t>(std::min(side - 1, side * down / (2 * band.w * band.d)))};
        }
    }
    return pixels;
}

Coverage BlockCoverage(const TileGeometry& geometry, const Coverage& tileCoverage,
                       const BlockSettings& block) {
    const std::vector<BlockPixel> pixels = LayOutBlock(geometry, tileCoverage);
    Coverage coverage(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        coverage[i] = pixels[i].face && block.Face(*pixels[i].face).shown;
    }
    return coverage;
}

}  // namespace mosaren
