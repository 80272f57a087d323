#pragma once

// Many tiles in one image, as engines and Tiled take a tileset: a grid of equal cells, row by
// row from the top-left, with a margin around the grid and spacing between cells. The margin and
// the spacing are the gaps between the tiles themselves, exactly as a TSX file states them, so
// that tile k's top-left is margin + column · (tile width + spacing) across and likewise down.
// Extrusion paints into those gaps and never moves a tile.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
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

// Raises EInvalidOperation for a sheet of the layout too large to hold in memory as a picture,
// whether or not it is made whole: the program makes no sheet it could not also hold.
void CheckSheetSize(const SheetLayout& layout);

// The rows of a sheet one at a time, in any order, each from the tiles of the cell rows it
// crosses: what ComposeSheet lays out, without the whole sheet in memory.
class SheetRows {
public:
    // Tile k (from 0) of count, of the layout's tile size. Asked for the tiles of one cell row
    // at a time, each cell row's from its first column on.
    using TileAt = std::function<const RgbaImage&(std::size_t k)>;

    SheetRows(const SheetLayout& layout, std::int32_t extrude, std::size_t count, TileAt tileAt);

    // Row y (from the top) of the sheet into row, which holds the sheet's width of pixels.
    void Row(std::int32_t y, std::span<Rgba> row) const;

private:
    SheetLayout mLayout;
    std::int32_t mExtrude;
    std::size_t mCount;
    TileAt mTileAt;
};

// The tiles, all of the layout's tile size, in their cells on a transparent sheet. extrude > 0
// repeats each tile's outermost rows and columns that many times outwards (the corners take the
// corner pixel), so that a filter reading across a tile's border reads the tile's own edge
// rather than the gap; transparent edge pixels repeat as transparent, so only the opaque ones
// show. The layout must leave room: margin ≥ extrude and spacing ≥ 2 · extrude. Raises
// EInvalidOperation for a sheet too large to hold in memory.
RgbaImage ComposeSheet(const std::vector<RgbaImage>& tiles, const SheetLayout& layout,
                       std::int32_t extrude);

}  // namespace mosaren
