#include "tiling/terrain_field.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

TEST_P(TerrainFieldOf, EdgeBandsDependOnlyOnTheirEdgesCornersAndRepeatAcrossTheTexture) {
    std::vector<Field> fields;
    for (int index = 0; index < kTransitionTileCount; ++index) {
        fields.emplace_back(index, GetParam().border);
    }
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
                            ASSERT_EQ(fields[i].At(x, y), fields[j].At(x, y))
                                << edge.name << " edge of tiles " << i << " and " << j << " at "
                                << x << "," << y;
                        }
                    }
                }
                // And a tile's edge row is its neighbour's opposite edge row.
                if (edge.corners(ci) == opposite.corners(cj)) {
                    for (int along = 0; along < kSide; ++along) {
                        const auto [x, y] = edge.pixel(along, 0);
                        const auto [ox, oy] = opposite.pixel(along, 0);
                        ASSERT_EQ(fields[i].At(x, y), fields[j].At(ox, oy))
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

INSTANTIATE_TEST_SUITE_P(Borders, TerrainFieldOf,
                         ::testing::Values(BorderCase{"Straight", {TerrainEdge::Straight, 1}},
                                           BorderCase{"Noise", {TerrainEdge::Noise, 1}},
                                           BorderCase{"NoiseOtherSeed",
                                                      {TerrainEdge::Noise, 4294967295u}},
                                           BorderCase{"Dither", {TerrainEdge::Dither, 1}},
                                           BorderCase{"DitherSeedZero", {TerrainEdge::Dither, 0}}),
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
    // One B corner: the field is (1 − u)(1 − v) in the inner square, so along its diagonal B
    // reaches u = 1 − 1/√2, pixel 32 + 0.2929 · 190 = 87.6.
    const Field corner(8, straight);
    EXPECT_EQ(corner.At(87, 87), Terrain::B);
    EXPECT_EQ(corner.At(88, 88), Terrain::A);
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

}  // namespace
}  // namespace mosaren
