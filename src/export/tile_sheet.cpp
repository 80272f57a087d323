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

RgbaImage ComposeSheet(const std::vector<RgbaImage>& tiles, const SheetLayout& layout,
                       std::int32_t extrude) {
    const std::int64_t width = layout.Width();
    const std::int64_t height = layout.Height();
    if (width * height * static_cast<std::int64_t>(sizeof(Rgba)) >
        static_cast<std::int64_t>(kMaxImageBytes)) {
        throw EInvalidOperation("A sheet of " + std::to_string(width) + " x " +
                                std::to_string(height) + " pixels is too large to make");
    }
    RgbaImage sheet(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    const std::int32_t w = layout.tileWidth;
    const std::int32_t h = layout.tileHeight;
    for (std::size_t k = 0; k < tiles.size(); ++k) {
        const RgbaImage& tile = tiles[k];
        const std::int32_t left = layout.CellLeft(k);
        const std::int32_t top = layout.CellTop(k);
        // Every sheet pixel of the cell widened by the extrusion takes the nearest tile pixel:
        // inside the cell that is the pixel itself, outside it the edge pixel straight across.
        // (Clipped to the sheet, should a caller give a margin narrower than the extrusion.)
        const std::int32_t yEnd = std::min(h + extrude, sheet.Height() - top);
        const std::int32_t xEnd = std::min(w + extrude, sheet.Width() - left);
        for (std::int32_t y = std::max(-extrude, -top); y < yEnd; ++y) {
            const std::int32_t ty = std::clamp(y, 0, h - 1);
            for (std::int32_t x = std::max(-extrude, -left); x < xEnd; ++x) {
                sheet.At(left + x, top + y) = tile.At(std::clamp(x, 0, w - 1), ty);
            }
        }
    }
    return sheet;
}

}  // namespace mosaren
