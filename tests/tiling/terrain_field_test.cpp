#include "tiling/terrain_field.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "raster/stretch_samples.h"
#include "tiling/periodic_noise.h"
#include "tiling/tile_settings.h"

namespace mosaren {
namespace {

constexpr int kSide = kWorkingTextureSide;
constexpr int kLast = kSide - 1;

// The field of tile index with border, read as a picture.
class Field {
public:
    Field(int index, const TerrainBorder& border)
        : mTerrains(TerrainField(TransitionCorners(index), border)) {}
    Terrain At(int x, int y) const { return mTerrains.at(static_cast<std::size_t>(y * kSide + x)); }
    bool Only(Terrain terrain) const {
        for (const Terrain t : mTerrains) {
            if (t != terrain) return false;
        }
        return true;
    }

private:
    std::vector<Terrain> mTerrains;
};

struct BorderCase {
    const char* name;
    TerrainBorder border;
};

TerrainBorder Variant(TerrainBorder border, std::uint32_t variant) {
    border.variant = variant;
    return border;
}

TerrainBorder Grid(TerrainBorder border, std::int32_t across, std::int32_t down) {
    border.texelsAcross = across;
    border.texelsDown = down;
    return border;
}

void PrintTo(const BorderCase& c, std::ostream* os) { *os << c.name; }

class TerrainFieldOf : public ::testing::TestWithParam<BorderCase> {};

TEST_P(TerrainFieldOf, ATileOfOneTerrainShowsNothingOfTheOther) {
    EXPECT_TRUE(Field(0, GetParam().border).Only(Terrain::A));
    EXPECT_TRUE(Field(15, GetParam().border).Only(Terrain::B));
}

// The texture's four edges: where along one a pixel of the band lies, and which two corners
// the edge joins (at its start and its end).
struct Edge {
    const char* name;
    std::function<std::pair<int, int>(int along, int depth)> pixel;
    std::function<std::pair<Terrain, Terrain>(const TerrainCorners&)> corners;
};

const Edge kEdges[] = {
    {"top",
     [](int a, int d) {
         return std::pair{a, d};
     },
     [](const TerrainCorners& c) {
         return std::pair{c.topLeft, c.topRight};
     }},
    {"bottom",
     [](int a, int d) {
         return std::pair{a, kLast - d};
     },
     [](const TerrainCorners& c) {
         return std::pair{c.bottomLeft, c.bottomRight};
     }},
    {"left",
     [](int a, int d) {
         return std::pair{d, a};
     },
     [](const TerrainCorners& c) {
         return std::pair{c.topLeft, c.bottomLeft};
     }},
    {"right",
     [](int a, int d) {
         return std::pair{kLast - d, a};
     },
     [](const TerrainCorners& c) {
         return std::pair{c.topRight, c.bottomRight};
     }},
};

// Every tile with the same two corners on an edge, of any variant, shows the band of variant 0
// there.
TEST_P(TerrainFieldOf, EdgeBandsDependOnlyOnTheirEdgesCornersAndRepeatAcrossTheTexture) {
    const TerrainBorder& border = GetParam().border;
    std::vector<Field> fields;
    std::vector<Field> firstVariant;
    for (int index = 0; index < kTransitionTileCount; ++index) {
        fields.emplace_back(index, border);
        firstVariant.emplace_back(index, Variant(border, 0));
    }
    // A grid decides the blocks on either side of an edge at their own centres: the rows on the
    // edge itself need not agree.
    const bool pixelGrid = border.texelsAcross != 0 || border.texelsDown != 0;
    // Top against bottom and left against right: the edge a tile shares with its neighbour on
    // the map is its top (left) edge and the neighbour's bottom (right) edge.
    for (const auto& [first, second] : {std::pair{0, 1}, std::pair{2, 3}}) {
        const Edge& edge = kEdges[first];
        const Edge& opposite = kEdges[second];
        for (int i = 0; i < kTransitionTileCount; ++i) {
            for (int j = 0; j < kTransitionTileCount; ++j) {
                const TerrainCorners ci = TransitionCorners(i);
                const TerrainCorners cj = TransitionCorners(j);
                // Every tile with the same two corners on an edge shows the same band there.
                if (edge.corners(ci) == edge.corners(cj)) {
                    for (int depth = 0; depth < kEdgeBand; ++depth) {
                        for (int along = 0; along < kSide; ++along) {
                            const auto [x, y] = edge.pixel(along, depth);
                            ASSERT_EQ(fields[i].At(x, y), firstVariant[j].At(x, y))
                                << edge.name << " edge of tiles " << i << " and " << j << " at "
                                << x << "," << y;
                        }
                    }
                }
                // And a tile's edge row is its neighbour's opposite edge row.
                if (!pixelGrid && edge.corners(ci) == opposite.corners(cj)) {
                    for (int along = 0; along < kSide; ++along) {
                        const auto [x, y] = edge.pixel(along, 0);
                        const auto [ox, oy] = opposite.pixel(along, 0);
                        ASSERT_EQ(fields[i].At(x, y), firstVariant[j].At(ox, oy))
                            << edge.name << " edge of tile " << i << " against the "
                            << opposite.name << " edge of tile " << j << " at " << along;
                    }
                }
            }
        }
    }
    // An edge whose corners agree shows their terrain alone along it.
    for (int index = 0; index < kTransitionTileCount; ++index) {
        for (const Edge& edge : kEdges) {
            const auto [start, end] = edge.corners(TransitionCorners(index));
            if (start != end) continue;
            for (int along = 0; along < kSide; ++along) {
                const auto [x, y] = edge.pixel(along, 0);
                ASSERT_EQ(fields[index].At(x, y), start) << edge.name << " of " << index;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Borders, TerrainFieldOf,
    ::testing::Values(BorderCase{"Straight", {TerrainEdge::Straight, 1}},
                      BorderCase{"Noise", {TerrainEdge::Noise, 1}},
                      BorderCase{"NoiseOtherSeed", {TerrainEdge::Noise, 4294967295u}},
                      BorderCase{"Dither", {TerrainEdge::Dither, 1}},
                      BorderCase{"DitherSeedZero", {TerrainEdge::Dither, 0}},
                      BorderCase{"StraightVariant", Variant({TerrainEdge::Straight, 1}, 7)},
                      BorderCase{"NoiseVariant", Variant({TerrainEdge::Noise, 3}, 1)},
                      BorderCase{"DitherVariant", Variant({TerrainEdge::Dither, 3}, 4)},
                      BorderCase{"StraightTexels", Grid({TerrainEdge::Straight, 1}, 16, 16)},
                      BorderCase{"NoiseTexelsVariant",
                                 Variant(Grid({TerrainEdge::Noise, 2}, 8, 32), 2)},
                      BorderCase{"DitherTexels", Grid({TerrainEdge::Dither, 2}, 128, 12)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TerrainField, StraightBordersRunAlongTheMiddleWithTheMiddleToB) {
    const TerrainBorder straight;
    // Tile 3: A at the top corners, B at the bottom ones; tile 6: A on the left, B on the right.
    const Field across(3, straight);
    const Field down(6, straight);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            ASSERT_EQ(across.At(x, y), y >= 127 ? Terrain::B : Terrain::A) << x << "," << y;
            ASSERT_EQ(down.At(x, y), x >= 127 ? Terrain::B : Terrain::A) << x << "," << y;
        }
    }
    // One B corner: the field is (1 − g(u))(1 − g(v)) in the inner square, so along its diagonal
    // B reaches g(u) = 1 − 1/√2, on the ramp's straight part: u = 0.2929 · 3/4 + 1/8 = 0.3447,
    // pixel 32 + 0.3447 · 190 = 97.5.
    const Field corner(8, straight);
    EXPECT_EQ(corner.At(97, 97), Terrain::B);
    EXPECT_EQ(corner.At(98, 98), Terrain::A);
}

TEST(TerrainField, PatternsFollowTheirSeedAndStayWithinTheirBounds) {
    for (const TerrainEdge edge : {TerrainEdge::Noise, TerrainEdge::Dither}) {
        const std::vector<Terrain> first = TerrainField(TransitionCorners(6), {edge, 7});
        EXPECT_EQ(TerrainField(TransitionCorners(6), {edge, 7}), first);
        EXPECT_NE(TerrainField(TransitionCorners(6), {edge, 8}), first);
        EXPECT_NE(TerrainField(TransitionCorners(6), {TerrainEdge::Straight, 7}), first);
    }
    for (const std::uint32_t seed : {0u, 1u, 99u}) {
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const std::int32_t noise = PeriodicNoise(seed, x, y);
                ASSERT_LE(std::abs(noise), kNoiseOne) << x << "," << y;
                const std::int32_t scatter = PeriodicScatter(seed, x, y);
                ASSERT_TRUE(scatter >= 0 && scatter < kNoiseOne) << x << "," << y;
            }
        }
    }
}

// Each variant of a tile with a border in it draws a border of its own inside the tile, and the
// same variant draws the same one again.
TEST(TerrainField, VariantsDrawBordersOfTheirOwn) {
    for (const TerrainEdge edge :
         {TerrainEdge::Straight, TerrainEdge::Noise, TerrainEdge::Dither}) {
        // One, two (along an edge and across: a saddle) and three corners of B.
        for (const int index : {1, 3, 5, 11}) {
            std::vector<std::vector<Terrain>> seen;
            for (std::uint32_t variant = 0; variant < 8; ++variant) {
                const TerrainBorder border = Variant({edge, 5}, variant);
                const std::vector<Terrain> field = TerrainField(TransitionCorners(index), border);
                if (variant == 7) {
                    EXPECT_EQ(TerrainField(TransitionCorners(index), border), field);
                }
                for (std::size_t other = 0; other < seen.size(); ++other) {
                    EXPECT_NE(seen[other], field)
                        << "tile " << index << ", variants " << other << " and " << variant;
                }
                seen.push_back(field);
            }
        }
    }
}

// With a texel grid, every block of working pixels that shows one texel of a texture of that
// size is wholly one terrain, in every tile, border and variant.
TEST(TerrainField, TexelGridsKeepEveryTexelWhole) {
    for (const auto& [across, down] : {std::pair{16, 16}, std::pair{8, 100}, std::pair{128, 33}}) {
        const std::vector<std::int32_t> columns = StretchSamples(kSide, across);
        const std::vector<std::int32_t> rows = StretchSamples(kSide, down);
        for (const TerrainEdge edge :
             {TerrainEdge::Straight, TerrainEdge::Noise, TerrainEdge::Dither}) {
            for (const std::uint32_t variant : {0u, 6u}) {
                const TerrainBorder border = Variant(Grid({edge, 9}, across, down), variant);
                for (int index = 0; index < kTransitionTileCount; ++index) {
                    const Field field(index, border);
                    std::vector<int> texel(static_cast<std::size_t>(across * down), -1);
                    for (int y = 0; y < kSide; ++y) {
                        for (int x = 0; x < kSide; ++x) {
                            const std::size_t k = static_cast<std::size_t>(
                                rows[static_cast<std::size_t>(y)] * across +
                                columns[static_cast<std::size_t>(x)]);
                            const int terrain = field.At(x, y) == Terrain::B ? 1 : 0;
                            if (texel[k] < 0) texel[k] = terrain;
                            ASSERT_EQ(texel[k], terrain)
                                << across << "x" << down << " tile " << index << " variant "
                                << variant << " at " << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

TEST(TerrainField, FollowsTheTexelsOfTwoPixelArtTextures) {
    struct Case {
        std::int32_t widthA, heightA, widthB, heightB;
        std::int32_t across, down;
    };
    const Case cases[] = {
        {16, 16, 16, 16, 16, 16},  // pixel art
        {16, 16, 32, 32, 16, 16},  // the coarser grid holds the finer one's texels whole
        {16, 256, 24, 20, 16, 0},  // each way on its own: B's 256 rows are no pixel art
        {255, 255, 16, 16, 0, 0},  // a photograph against pixel art: no grid
        {128, 8, 128, 8, 128, 8},  // the bounds
        {129, 7, 100, 100, 0, 0},  // just beyond them
        {0, 0, 16, 16, 0, 0},      // a size not known
    };
    for (const Case& c : cases) {
        const TerrainBorder border =
            FollowingTexels({TerrainEdge::Noise, 4, 2}, c.widthA, c.heightA, c.widthB, c.heightB);
        EXPECT_EQ(border.texelsAcross, c.across) << c.widthA << " and " << c.widthB;
        EXPECT_EQ(border.texelsDown, c.down) << c.heightA << " and " << c.heightB;
        EXPECT_EQ(border.seed, 4u);
        EXPECT_EQ(border.variant, 2u);
    }
}

}  // namespace
}  // namespace mosaren
