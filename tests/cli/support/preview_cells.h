#pragma once

// Which tile the map preview (and the starter maps, which show its map) puts in a cell of its
// 6 × 6 map for a run of flat tiles or blocks, as the README states it: patches of 2 × 2 cells,
// the patch in column p and row q showing tile (3q + p) mod n of the first n ≤ 9 tiles, or
// (p + q) mod 3 for three tiles.

namespace mosaren::testing {

inline int PreviewTileOfCell(int tiles, int column, int row) {
    const int shown = tiles < 9 ? tiles : 9;
    const int p = column / 2;
    const int q = row / 2;
    return (shown == 3 ? p + q : 3 * q + p) % shown;
}

}  // namespace mosaren::testing
