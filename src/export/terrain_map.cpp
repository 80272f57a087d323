#include "terrain_map.h"

#include "map_preview.h"
#include "raster/exceptions.h"

namespace mosaren {

namespace {

constexpr int kVertexSide = kMapSide + 1;

// B where the letter is B, A elsewhere, a row of the map's grid to a line. The island's outline
// needs every kind of corner, the two diagonal ones (the pond's and the reef's) included.
// clang-format off
const char* const kVertices[kVertexSide] = {
    ".......",
    ".BB....",
    ".BBB...",
    ".B.BB.B",
    ".BBB.B.",
    "...B...",
    ".......",
};
// clang-format on

}  // namespace

std::vector<Terrain> TerrainMapVertices() {
    std::vector<Terrain> vertices;
    for (const char* row : kVertices) {
        for (int column = 0; column < kVertexSide; ++column) {
            vertices.push_back(row[column] == 'B' ? Terrain::B : Terrain::A);
        }
    }
    return vertices;
}

std::vector<std::size_t> TerrainMapCells(const TerrainSet& set) {
    const std::vector<Terrain> vertices = TerrainMapVertices();
    auto at = [&vertices](int column, int row) {
        return vertices[static_cast<std::size_t>(row * kVertexSide + column)];
    };
    std::vector<std::size_t> cells;
    for (int row = 0; row < kMapSide; ++row) {
        for (int column = 0; column < kMapSide; ++column) {
            const TerrainCorners corners{at(column, row), at(column + 1, row),
                                         at(column + 1, row + 1), at(column, row + 1)};
            const int tile = TileWithCorners(set, corners);
            if (tile < 0) {
                throw EInvalidOperation("The terrain map needs a tile of every kind of corners");
            }
            cells.push_back(static_cast<std::size_t>(tile));
        }
    }
    return cells;
}

}  // namespace mosaren
