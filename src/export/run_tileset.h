#pragma once

// What a finished run wrote, described once for every file that tells a reader about it: the
// tiles' geometry, the sheet's layout or the tile files, the colour that stands for transparency,
// the terrains of transition tiles and the map the preview draws. The Tiled tileset, the Godot
// tile sets and the starter maps are each written from this alone, so they cannot disagree.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "terrain_set.h"
#include "tile_sheet.h"
#include "tiling/tile_geometry.h"

namespace mosaren {

struct RunTileset {
    TileGeometry geometry;  // of every tile: the picture and the cell it stands on
    std::size_t tileCount = 0;
    // The sheet, as the program wrote it, and its grid; empty: the tiles are files of their own.
    std::string sheet;
    SheetLayout layout;
    std::vector<std::string> files;  // without a sheet: tile k's file, as the program wrote it
    // "rrggbb", the mask colour a BMP picture shows where a tile is transparent; empty for PNG.
    std::string transparentColour;
    std::optional<TerrainSet> terrains;
    // The tile of each cell of the preview's map, cells[kMapSide · r + c], by the tile's number.
    std::vector<std::size_t> mapCells;

    bool HasSheet() const { return !sheet.empty(); }
    // The cells a reader counts in the sheet: every cell of its grid, the empty ones of a short
    // last row included, since readers count the cells the picture holds.
    std::size_t SheetCells() const {
        return static_cast<std::size_t>(layout.columns) * static_cast<std::size_t>(layout.rows);
    }
};

}  // namespace mosaren
