#include "export/terrain_map.h"

#include <gtest/gtest.h>

#include <set>

#include "export/map_preview.h"
#include "export/support/transition_terrains.h"
#include "raster/exceptions.h"

namespace mosaren::testing {
namespace {

TEST(TerrainMap, PaintsEveryTransitionTileByTheCornersOfItsCell) {
    const TerrainSet set = GrassAndSand();
    const std::vector<Terrain> vertices = TerrainMapVertices();
    const std::vector<std::size_t> cells = TerrainMapCells(set);
    ASSERT_EQ(vertices.size(), 49u);
    ASSERT_EQ(cells.size(), 36u);
    auto vertex = [&vertices](int column, int row) { return vertices[row * 7 + column]; };
    for (int row = 0; row < kMapSide; ++row) {
        for (int column = 0; column < kMapSide; ++column) {
            const TerrainCorners c =
                set.tiles.at(cells[static_cast<std::size_t>(row * 6 + column)]);
            EXPECT_EQ(c.topLeft, vertex(column, row));
            EXPECT_EQ(c.topRight, vertex(column + 1, row));
            EXPECT_EQ(c.bottomRight, vertex(column + 1, row + 1));
            EXPECT_EQ(c.bottomLeft, vertex(column, row + 1));
        }
    }
    EXPECT_EQ(std::set<std::size_t>(cells.begin(), cells.end()).size(), 16u);

    TerrainSet withoutOne = set;
    withoutOne.tiles.pop_back();
    EXPECT_THROW(TerrainMapCells(withoutOne), EInvalidOperation);
}

// The terrain set of a run of variants: tile 16 v + i is tile i of variant v.
TerrainSet WithVariants(int variants, std::uint32_t seed) {
    TerrainSet set = GrassAndSand();
    for (int v = 1; v < variants; ++v) {
        for (int index = 0; index < kTransitionTileCount; ++index) {
            set.tiles.push_back(TransitionCorners(index));
        }
    }
    set.mapSeed = seed;
    return set;
}

// Among variants each cell keeps the corners of its vertices, a seed gives one map every time,
// and over many seeds each variant of each cell is about as likely as the others.
TEST(TerrainMap, DrawsEachCellsVariantEvenlyFromTheSeed) {
    const std::vector<std::size_t> single = TerrainMapCells(GrassAndSand());
    for (const int variants : {1, 2, 3, 8}) {
        std::vector<int> drawn(static_cast<std::size_t>(variants));
        constexpr std::uint32_t kSeeds = 400;
        std::set<std::vector<std::size_t>> maps;
        for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
            const std::vector<std::size_t> cells = TerrainMapCells(WithVariants(variants, seed));
            ASSERT_EQ(cells.size(), single.size());
            for (std::size_t k = 0; k < cells.size(); ++k) {
                ASSERT_EQ(cells[k] % kTransitionTileCount, single[k]) << variants << " " << k;
                ASSERT_LT(cells[k], static_cast<std::size_t>(16 * variants));
                ++drawn[cells[k] / kTransitionTileCount];
            }
            EXPECT_EQ(TerrainMapCells(WithVariants(variants, seed)), cells);
            maps.insert(cells);
        }
        // One variant draws the map of old; several draw a map of their own for every seed.
        EXPECT_EQ(maps.size(), variants == 1 ? 1u : kSeeds) << variants;
        const double expected = 36.0 * kSeeds / variants;
        for (int v = 0; v < variants; ++v) {
            EXPECT_NEAR(drawn[static_cast<std::size_t>(v)], expected, 0.1 * expected)
                << "variant " << v << " of " << variants;
        }
    }
}

}  // namespace
}  // namespace mosaren::testing
