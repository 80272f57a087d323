// Transition tiles as the tile maker makes them from two flat-coloured terrain textures: each
// diamond vertex shows the terrain of its texture corner, and tiles that share an edge's two
// corners show the same pixels along that diamond edge, so that neighbours meet without a seam.

#include "tiling/terrain_blend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "support/display_depth.h"
#include "support/pixel_grid.h"
#include "tiling/support/working_texture.h"
#include "tiling/tile_coverage.h"
#include "tiling/tile_maker.h"

namespace mosaren::testing {
namespace {

constexpr TColor kColourA = Rgb(40, 160, 30);
constexpr TColor kColourB = Rgb(220, 200, 120);

struct TransitionCase {
    const char* name;
    std::uint8_t width;
    std::uint8_t height;
    TerrainEdge edge;
    int depth;
};

void PrintTo(const TransitionCase& c, std::ostream* os) { *os << c.name; }

// The 16 tiles of the case, each as the colours of its pixels, and which pixels the texture
// covers.
class TransitionTiles : public ::testing::TestWithParam<TransitionCase> {
protected:
    void SetUp() override {
        mSettings.TileWidth = GetParam().width;
        mSettings.TileHeight = GetParam().height;
        TBitmap a;
        TBitmap b;
        FillWorkingTexture(a, [](int, int) { return kColourA; });
        FillWorkingTexture(b, [](int, int) { return kColourB; });
        const TerrainBlend blend(a, b, TerrainBorder{GetParam().edge, 5});
        TileMaker maker(mSettings);
        for (int index = 0; index < kTransitionTileCount; ++index) {
            blend.MakeWorkingTexture(TransitionCorners(index), maker);
            maker.MakeTile();
            mTiles.push_back(PixelsOf(maker.Tile()));
        }
        mCoverage = TileCoverage(mSettings);
    }
    int W() const { return GetParam().width; }
    int H() const { return GetParam().height; }
    bool Covered(int x, int y) const { return mCoverage[static_cast<std::size_t>(y * W() + x)]; }
    TColor At(int index, int x, int y) const {
        return mTiles[static_cast<std::size_t>(index)][static_cast<std::size_t>(y * W() + x)];
    }
    // The covered pixels along one diamond edge of a tile, column by column: the topmost of each
    // column for the two upper edges, the bottommost for the two lower ones, the columns left of
    // the middle for the two left edges.
    std::vector<TColor> EdgePixels(int index, bool upper, bool left) const {
        std::vector<TColor> pixels;
        for (int x = left ? 0 : W() / 2; x < (left ? W() / 2 : W()); ++x) {
            for (int k = 0; k < H(); ++k) {
                const int y = upper ? k : H() - 1 - k;
                if (Covered(x, y)) {
                    pixels.push_back(At(index, x, y));
                    break;
                }
            }
        }
        return pixels;
    }

    ScopedDisplayDepth mDepth{GetParam().depth};
    TTileSettings mSettings;
    std::vector<std::vector<TColor>> mTiles;
    Coverage mCoverage;
};

TColor ColourOf(Terrain terrain) { return terrain == Terrain::A ? kColourA : kColourB; }

// The corner table: in every tile, the covered pixels next to each diamond vertex (the topmost
// covered row for the top vertex, the rightmost covered column for the right one, and so on)
// show the terrain of the texture corner that the turn puts there; and every covered pixel is one
// texture's colour or the other's.
TEST_P(TransitionTiles, ShowEachCornersTerrainAtItsDiamondVertex) {
    int top = H();
    int bottom = -1;
    int leftmost = W();
    int rightmost = -1;
    for (int y = 0; y < H(); ++y) {
        for (int x = 0; x < W(); ++x) {
            if (!Covered(x, y)) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            leftmost = std::min(leftmost, x);
            rightmost = std::max(rightmost, x);
        }
    }
    for (int index = 0; index < kTransitionTileCount; ++index) {
        const TerrainCorners c = TransitionCorners(index);
        for (int y = 0; y < H(); ++y) {
            for (int x = 0; x < W(); ++x) {
                if (!Covered(x, y)) continue;
                const TColor colour = At(index, x, y);
                const std::string where = "tile " + std::to_string(index) + " at " +
                                          std::to_string(x) + "," + std::to_string(y);
                ASSERT_TRUE(colour == kColourA || colour == kColourB) << where;
                const struct {
                    bool next;
                    Terrain terrain;
                    const char* name;
                } vertices[] = {{y == top, c.topLeft, "top"},
                                {x == rightmost, c.topRight, "right"},
                                {y == bottom, c.bottomRight, "bottom"},
                                {x == leftmost, c.bottomLeft, "left"}};
                for (const auto& vertex : vertices) {
                    if (vertex.next) {
                        EXPECT_EQ(colour, ColourOf(vertex.terrain)) << vertex.name << ", " << where;
                    }
                }
            }
        }
    }
}

TEST_P(TransitionTiles, ThatShareAnEdgesCornersShowTheSamePixelsAlongIt) {
    // The diamond's edges and the texture edges the turn lays along them.
    struct DiamondEdge {
        const char* name;
        bool upper;
        bool left;
        std::pair<Terrain, Terrain> (*corners)(const TerrainCorners&);
    };
    const DiamondEdge edges[] = {
        {"upper left (texture left)", true, true,
         [](const TerrainCorners& c) {
             return std::pair{c.topLeft, c.bottomLeft};
         }},
        {"upper right (texture top)", true, false,
         [](const TerrainCorners& c) {
             return std::pair{c.topLeft, c.topRight};
         }},
        {"lower right (texture right)", false, false,
         [](const TerrainCorners& c) {
             return std::pair{c.topRight, c.bottomRight};
         }},
        {"lower left (texture bottom)", false, true,
         [](const TerrainCorners& c) {
             return std::pair{c.bottomLeft, c.bottomRight};
         }},
    };
    for (const DiamondEdge& edge : edges) {
        // The first tile with each pair of corners on the edge, and its pixels there.
        std::map<std::pair<Terrain, Terrain>, std::pair<int, std::vector<TColor>>> first;
        for (int index = 0; index < kTransitionTileCount; ++index) {
            const auto corners = edge.corners(TransitionCorners(index));
            const std::vector<TColor> pixels = EdgePixels(index, edge.upper, edge.left);
            const auto [seen, inserted] = first.try_emplace(corners, index, pixels);
            if (inserted) continue;
            EXPECT_TRUE(PixelGridIs(pixels, static_cast<int>(pixels.size()), seen->second.second))
                << edge.name << " edge of tile " << index << " against tile " << seen->second.first;
        }
        // A mixed edge shows both terrains.
        const std::vector<TColor>& mixed = first.at({Terrain::A, Terrain::B}).second;
        EXPECT_NE(std::count(mixed.begin(), mixed.end(), kColourA), 0) << edge.name;
        EXPECT_NE(std::count(mixed.begin(), mixed.end(), kColourB), 0) << edge.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, TransitionTiles,
    ::testing::Values(TransitionCase{"Default", 72, 36, TerrainEdge::Straight, 32},
                      TransitionCase{"DefaultNoise", 72, 36, TerrainEdge::Noise, 32},
                      TransitionCase{"DefaultDither", 72, 36, TerrainEdge::Dither, 32},
                      TransitionCase{"Large", 254, 127, TerrainEdge::Noise, 24},
                      TransitionCase{"Odd", 33, 17, TerrainEdge::Dither, 32},
                      TransitionCase{"Small", 12, 6, TerrainEdge::Noise, 32},
                      TransitionCase{"Flat", 255, 10, TerrainEdge::Dither, 32},
                      TransitionCase{"Standing", 20, 60, TerrainEdge::Straight, 32}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren::testing
