#include "tiling/block_layout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tiling/support/block_sizes.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

// The hexagon as a polygon, in units of half pixels so that every vertex and pixel centre is a
// whole number: a centre is inside when it lies on the inner side of all six edges. On an edge,
// the top-left rule: the edges of the left side (lower-left, left, upper-left) count as inside.
struct Hexagon {
    std::int64_t w, h, d;

    // Which side of the edge from a to b (clockwise on the screen) the point lies: > 0 inside.
    static std::int64_t Side(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by,
                             std::int64_t px, std::int64_t py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    }

    bool Contains(std::int64_t px, std::int64_t py, bool strictly) const {
        struct Edge {
            std::int64_t ax, ay, bx, by;
            bool leftSide;
        };
        const Edge edges[] = {{w, 0, 2 * w, h, false},
                              {2 * w, h, 2 * w, h + 2 * d, false},
                              {2 * w, h + 2 * d, w, 2 * h + 2 * d, false},
                              {w, 2 * h + 2 * d, 0, h + 2 * d, true},
                              {0, h + 2 * d, 0, h, true},
                              {0, h, w, 0, true}};
        for (const Edge& e : edges) {
            const std::int64_t side = Side(e.ax, e.ay, e.bx, e.by, px, py);
            if (side < 0 || (side == 0 && (strictly || !e.leftSide))) return false;
        }
        return true;
    }

    // On or below the top diamond's lower edge on the point's side of the middle.
    bool BelowTheTopFace(std::int64_t px, std::int64_t py) const {
        return px < w ? Side(0, h, w, 2 * h, px, py) >= 0 : Side(w, 2 * h, 2 * w, h, px, py) >= 0;
    }
};

class BlockLayout : public ::testing::TestWithParam<BlockSize> {
protected:
    void SetUp() override {
        mTileCoverage = TileCoverage(GetParam().Settings());
        mLayout = LayOutBlock(GetParam().Geometry(), mTileCoverage);
    }

    bool TileCovers(int x, int y) const {
        return y < GetParam().height &&
               mTileCoverage[static_cast<std::size_t>(y) * GetParam().width + x];
    }

    Coverage mTileCoverage;
    std::vector<BlockPixel> mLayout;
};

TEST_P(BlockLayout, TopIsTheFlatTileAndTheSidesFillTheHexagonBelowIt) {
    const BlockSize& size = GetParam();
    const Hexagon hexagon{size.width, size.height, size.rise};
    ASSERT_EQ(mLayout.size(), std::size_t{size.width} * (size.height + size.rise));
    std::size_t sides = 0;
    for (int y = 0; y < size.height + size.rise; ++y) {
        for (int x = 0; x < size.width; ++x) {
            const BlockPixel& pixel = mLayout[static_cast<std::size_t>(y) * size.width + x];
            const std::int64_t px = 2 * x + 1;
            const std::int64_t py = 2 * y + 1;
            std::optional<BlockFace> expected;
            if (TileCovers(x, y)) {
                expected = BlockFace::Top;
            } else if (hexagon.Contains(px, py, false) && hexagon.BelowTheTopFace(px, py)) {
                expected = px < size.width ? BlockFace::Left : BlockFace::Right;
            }
            ASSERT_EQ(pixel.face, expected) << x << "," << y;
            sides += expected && expected != BlockFace::Top;
            // No hole: below the middle of the top face, every centre inside the hexagon is
            // block. (Above it the flat tile's outline holds, a pixel off here and there.)
            if (hexagon.Contains(px, py, true) && py >= size.height) {
                ASSERT_TRUE(pixel.face.has_value()) << x << "," << y;
            }
        }
    }
    EXPECT_GT(sides, 0u);
}

TEST_P(BlockLayout, SidesShowTheTexturePixelUnderTheirCentre) {
    const BlockSize& size = GetParam();
    const double w = size.width;
    const double h = size.height;
    constexpr double kSide = kWorkingTextureSide;
    constexpr double kEpsilon = 1e-9;
    for (int y = 0; y < size.height + size.rise; ++y) {
        for (int x = 0; x < size.width; ++x) {
            const BlockPixel& pixel = mLayout[static_cast<std::size_t>(y) * size.width + x];
            if (!pixel.face || *pixel.face == BlockFace::Top) continue;
            const double cx = x + 0.5;
            const double cy = y + 0.5;
            // The face's top edge: from (0, H/2) down to (W/2, H), then up to (W, H/2).
            const bool left = *pixel.face == BlockFace::Left;
            const double s = left ? cx / (w / 2) : (cx - w / 2) / (w / 2);
            const double topEdge = left ? h / 2 + cx * h / w : h - (cx - w / 2) * h / w;
            const double t = (cy - topEdge) / size.rise;
            ASSERT_GE(s, 0.0);
            ASSERT_GE(t, -kEpsilon) << x << "," << y;
            ASSERT_LE(t, 1 + kEpsilon) << x << "," << y;
            // Nearest-pixel: the texture pixel whose square holds the centre's position.
            EXPECT_LE(pixel.texel.X, kSide * s + kEpsilon) << x << "," << y;
            EXPECT_GT(pixel.texel.X + 1, kSide * s - kEpsilon) << x << "," << y;
            const double v = std::min(kSide * t, kSide - 0.5);
            EXPECT_LE(pixel.texel.Y, v + kEpsilon) << x << "," << y;
            EXPECT_GT(pixel.texel.Y + 1, v - kEpsilon) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BlockLayout, ::testing::ValuesIn(kBlockSizes), BlockSizeName);

}  // namespace
}  // namespace mosaren
