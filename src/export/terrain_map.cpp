#include "terrain_map.h"

#include <cstdint>

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

// A number from the seed and the cell, every bit of it depending on both (SplitMix64's
// finalizer), for the cell's choice among its variants.
std::uint64_t CellDraw(std::uint32_t seed, std::size_t cell) {
    std::uint64_t z = (std::uint64_t{seed} << 32 | cell) + 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

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
            std::vector<std::size_t> variants;
            for (std::size_t id = 0; id < set.tiles.size(); ++id) {
                if (set.tiles[id] == corners) variants.push_back(id);
            }
            if (variants.empty()) {
                throw EInvalidOperation("The terrain map needs a tile of every kind of corners");
            }
            const std::uint64_t draw = CellDraw(set.mapSeed, cells.size());
            cells.push_back(variants[variants.size() == 1 ? 0 : draw % variants.size()]);
        }
    }
    return cells;
}

}  // namespace mosaren
