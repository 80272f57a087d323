#include "tile_sheet.h"

#include <algorithm>
#include <string>

#include "raster/exceptions.h"
#include "raster/image_limits.h"

namespace mosaren {

std::int64_t SheetLayout::Width() const {
    return 2 * std::int64_t{margin} + std::int64_t{columns} * tileWidth +
           std::int64_t{columns - 1} * spacing;
}

std::int64_t SheetLayout::Height() const {
    return 2 * std::int64_t{margin} + std::int64_t{rows} * tileHeight +
           std::int64_t{rows - 1} * spacing;
}

std::int32_t SheetLayout::CellLeft(std::size_t k) const {
    const auto column = static_cast<std::int32_t>(k % static_cast<std::size_t>(columns));
    return margin + column * (tileWidth + spacing);
}

std::int32_t SheetLayout::CellTop(std::size_t k) const {
    const auto row = static_cast<std::int32_t>(k / static_cast<std::size_t>(columns));
    return margin + row * (tileHeight + spacing);
}

std::int32_t SquareColumns(std::size_t count) {
    std::int32_t columns = 1;
    while (static_cast<std::size_t>(columns) * static_cast<std::size_t>(columns) < count) {
        ++columns;
    }
    return columns;
}

SheetLayout LayOutSheet(std::size_t count, std::int32_t tileWidth, std::int32_t tileHeight,
                        std::int32_t columns, std::int32_t margin, std::int32_t spacing) {
    SheetLayout layout;
    layout.tileWidth = tileWidth;
    layout.tileHeight = tileHeight;
    layout.columns = columns > 0 ? columns : SquareColumns(count);
    const std::size_t perRow = static_cast<std::size_t>(layout.columns);
    layout.rows =
        static_cast<std::int32_t>(std::max<std::size_t>(1, (count + perRow - 1) / perRow));
    layout.margin = margin;
    layout.spacing = spacing;
    return layout;
}

void CheckSheetSize(const SheetLayout& layout) {
    const std::int64_t width = layout.Width();
    const std::int64_t height = layout.Height();
    if (width * height * static_cast<std::int64_t>(sizeof(Rgba)) >
        static_cast<std::int64_t>(kMaxImageBytes)) {
        throw EInvalidOperation("A sheet of " + std::to_string(width) + " x " +
                                std::to_string(height) + " pixels is too large to make");
    }
}

SheetRows::SheetRows(const SheetLayout& layout, std::int32_t extrude, std::size_t count,
                     TileAt tileAt)
    : mLayout(layout), mExtrude(extrude), mCount(count), mTileAt(std::move(tileAt)) {}

void SheetRows::Row(std::int32_t y, std::span<Rgba> row) const {
    std::fill(row.begin(), row.end(), kTransparent);
    const std::int32_t w = mLayout.tileWidth;
    const std::int32_t h = mLayout.tileHeight;
    const std::int32_t e = mExtrude;
    const auto width = static_cast<std::int32_t>(row.size());
    const std::size_t columns = static_cast<std::size_t>(mLayout.columns);
    // Every sheet pixel of a cell widened by the extrusion takes the nearest tile pixel: inside
    // the cell that is the pixel itself, outside it the edge pixel straight across. Where widened
    // cells overlap (gaps narrower than the extrusion), the later tile is painted over the
    // earlier one; the pixels are clipped to the sheet.
    for (std::size_t first = 0; first < mCount; first += columns) {
        const std::int32_t top = mLayout.CellTop(first);
        if (y < top - e || y >= top + h + e) continue;
        const std::int32_t ty = std::clamp(y - top, 0, h - 1);
        for (std::size_t k = first; k < std::min(mCount, first + columns); ++k) {
            const RgbaImage& tile = mTileAt(k);
            const std::int32_t left = mLayout.CellLeft(k);
            const std::int32_t xEnd = std::min(w + e, width - left);
            for (std::int32_t x = std::max(-e, -left); x < xEnd; ++x) {
                row[static_cast<std::size_t>(left + x)] = tile.At(std::clamp(x, 0, w - 1), ty);
            }
        }
    }
}

RgbaImage ComposeSheet(const std::vector<RgbaImage>& tiles, const SheetLayout& layout,
                       std::int32_t extrude) {
    CheckSheetSize(layout);
    RgbaImage sheet(static_cast<std::int32_t>(layout.Width()),
                    static_cast<std::int32_t>(layout.Height()));
    const SheetRows rows(layout, extrude, tiles.size(),
                         [&tiles](std::size_t k) -> const RgbaImage& { return tiles[k]; });
    for (std::int32_t y = 0; y < sheet.Height(); ++y) {
        rows.Row(y, std::span<Rgba>(&sheet.At(0, y), static_cast<std::size_t>(sheet.Width())));
    }
    return sheet;
}

}  // namespace mosaren
