#pragma once

// A picture of a run's tiles laid out on a small isometric map, so that one look shows whether
// they meet without gaps, overlaps or seams.

#include <cstddef>
#include <vector>

#include "rgba_image.h"

namespace mosaren {

// The map is this many diamonds across and down.
inline constexpr int kMapSide = 6;

// The tiles (at least one, all of one size W × (H + R), on cells W × H) repeated in order over
// the map's cells, row by row. The cell in column c and row r has its tile's top-left at
// ((c − r + 5) · W div 2, (c + r) · H div 2): the usual isometric placement with each tile
// bottom-aligned on its cell, shifted right by five half-tiles and down by R so that the whole
// map fits a picture of 6 W × (6 H + R). Only opaque tile pixels are drawn, the back rows first,
// so that a block hides what stands behind it; the rest of the picture is transparent.
RgbaImage DrawMapPreview(const std::vector<RgbaImage>& tiles, std::int32_t cellHeight);
// The same map with the tile of each cell chosen: cells[6 r + c] is the index of the tile in
// column c and row r.
RgbaImage DrawMapPreview(const std::vector<RgbaImage>& tiles, std::int32_t cellHeight,
                         const std::vector<std::size_t>& cells);

// How many tiles the preview of a run of flat tiles or blocks shows: a run of more shows its
// first ones.
inline constexpr std::size_t kPatchedTiles = 9;

// The cells that show the first min(tiles, 9) tiles of a run, n of them, each against itself and
// against others: the map is 3 × 3 patches of 2 × 2 cells (cell (c, r) in patch (c div 2,
// r div 2)), so that inside its patch a tile meets itself across both its edges, and across a
// patch's edges it meets the tiles of the patches beside it. The patch in column p and row q
// shows tile (3q + p) mod n, and with three tiles (p + q) mod 3: every tile shown at least once,
// and no two patches side by side alike when there are two or more.
std::vector<std::size_t> PatchMapCells(std::size_t tiles);

// The cells that show the pieces of one texture cut into across × down as they join, the cut
// texture repeated over the map: the texture's rows run down the map's columns to the lower
// left, its columns along the map's rows to the lower right. The tiles are the pieces in the
// order the single-texture command makes them, column by column.
std::vector<std::size_t> PieceMapCells(std::int32_t across, std::int32_t down);

}  // namespace mosaren
