#pragma once

// Many tiles in one image, as engines and Tiled take a tileset: a grid of equal cells, row by
// row from the top-left, with a margin around the grid and spacing between cells. The margin and
// the spacing are the gaps between the tiles themselves, exactly as a TSX file states them, so
// that tile k's top-left is margin + column · (tile width + spacing) across and likewise down.
// Extrusion paints into those gaps and never moves a tile.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rgba_image.h"

namespace mosaren {

struct SheetLayout {
    std::int32_t tileWidth = 0;
    std::int32_t tileHeight = 0;
    std::int32_t columns = 1;
    std::int32_t rows = 1;
    std::int32_t margin = 0;
    std::int32_t spacing = 0;

    std::int64_t Width() const;
    std::int64_t Height() const;
    // The top-left of cell k (from 0), counting row by row.
    std::int32_t CellLeft(std::size_t k) const;
    std::int32_t CellTop(std::size_t k) const;
};

// The columns of the most nearly square grid: the least c with c · c ≥ count, so that the rows
// are never more than the columns and the last row is the only one left short.
std::int32_t SquareColumns(std::size_t count);

// The grid for count tiles of one size; columns 0 asks for SquareColumns.
SheetLayout LayOutSheet(std::size_t count, std::int32_t tileWidth, std::int32_t tileHeight,
                        std::int32_t columns, std::int32_t margin, std::int32_t spacing);

// The tiles, all of the layout's tile size, in their cells on a transparent sheet. extrude > 0
// repeats each tile's outermost rows and columns that many times outwards (the corners take the
// corner pixel), so that a filter reading across a tile's border reads the tile's own edge
// rather than the gap; transparent edge pixels repeat as transparent, so only the opaque ones
// show. The layout must leave room: margin ≥ extrude and spacing ≥ 2 · extrude. Raises
// EInvalidOperation for a sheet too large to hold in memory.
RgbaImage ComposeSheet(const std::vector<RgbaImage>& tiles, const SheetLayout& layout,
                       std::int32_t extrude);

}  // namespace mosaren
