#include "map_preview.h"

#include <algorithm>

namespace mosaren {

namespace {

// The pixel top drawn over the pixel below it, neither premultiplied: for the opaque and the
// fully transparent pixels of tiles without alpha, top itself or below unchanged.
Rgba Over(Rgba below, Rgba top) {
    if (top.a == 0) return below;
    if (top.a == 255 || below.a == 0) return top;
    const std::uint32_t belowWeight = std::uint32_t{below.a} * (255u - top.a);  // of 255²
    const std::uint32_t topWeight = std::uint32_t{top.a} * 255u;
    const std::uint32_t total = topWeight + belowWeight;
    const auto mix = [&](std::uint8_t t, std::uint8_t b) {
        return static_cast<std::uint8_t>((t * topWeight + b * belowWeight + total / 2) / total);
    };
    return Rgba{mix(top.r, below.r), mix(top.g, below.g), mix(top.b, below.b),
                static_cast<std::uint8_t>((total + 127) / 255)};
}

}  // namespace

RgbaImage DrawMapPreview(const std::vector<RgbaImage>& tiles, std::int32_t cellHeight) {
    std::vector<std::size_t> cells(kMapSide * kMapSide);
    for (std::size_t k = 0; k < cells.size(); ++k) cells[k] = k % tiles.size();
    return DrawMapPreview(tiles, cellHeight, cells);
}

RgbaImage DrawMapPreview(const std::vector<RgbaImage>& tiles, std::int32_t cellHeight,
                         const std::vector<std::size_t>& cells) {
    const std::int32_t w = tiles.at(0).Width();
    const std::int32_t h = cellHeight;
    const std::int32_t pictureHeight = tiles.at(0).Height();
    RgbaImage map(kMapSide * w, kMapSide * h + pictureHeight - h);
    // Back to front: a diagonal of equal c + r at a time, from the top of the picture down.
    for (int sum = 0; sum <= 2 * (kMapSide - 1); ++sum) {
        for (int column = std::max(0, sum - (kMapSide - 1)); column <= std::min(sum, kMapSide - 1);
             ++column) {
            const int row = sum - column;
            const RgbaImage& tile =
                tiles.at(cells.at(static_cast<std::size_t>(row * kMapSide + column)));
            const std::int32_t left = (column - row + kMapSide - 1) * w / 2;
            const std::int32_t top = (column + row) * h / 2;
            for (std::int32_t y = 0; y < pictureHeight; ++y) {
                for (std::int32_t x = 0; x < w; ++x) {
                    Rgba& pixel = map.At(left + x, top + y);
                    pixel = Over(pixel, tile.At(x, y));
                }
            }
        }
    }
    return map;
}

std::vector<std::size_t> PatchMapCells(std::size_t tiles) {
    const std::size_t shown = std::clamp<std::size_t>(tiles, 1, kPatchedTiles);
    const auto side = static_cast<std::size_t>(kMapSide);
    // Three patches a row: three tiles in rows of 3q + p would repeat down the columns.
    const std::size_t rowStep = shown == 3 ? 1 : 3;
    std::vector<std::size_t> cells;
    for (std::size_t row = 0; row < side; ++row) {
        for (std::size_t column = 0; column < side; ++column) {
            cells.push_back((rowStep * (row / 2) + column / 2) % shown);
        }
    }
    return cells;
}

std::vector<std::size_t> PieceMapCells(std::int32_t across, std::int32_t down) {
    std::vector<std::size_t> cells;
    for (int row = 0; row < kMapSide; ++row) {
        for (int column = 0; column < kMapSide; ++column) {
            cells.push_back(static_cast<std::size_t>(column % across) * static_cast<std::size_t>(down) +
                            static_cast<std::size_t>(row % down));
        }
    }
    return cells;
}

}  // namespace mosaren
