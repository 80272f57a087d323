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

}  // namespace
}  // namespace mosaren::testing
