#include "map_preview.h"

#include <algorithm>

namespace mosaren {

RgbaImage DrawMapPreview(const std::vector<RgbaImage>& tiles, std::int32_t cellHeight) {
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
                tiles[static_cast<std::size_t>(row * kMapSide + column) % tiles.size()];
            const std::int32_t left = (column - row + kMapSide - 1) * w / 2;
            const std::int32_t top = (column + row) * h / 2;
            for (std::int32_t y = 0; y < pictureHeight; ++y) {
                for (std::int32_t x = 0; x < w; ++x) {
                    if (tile.At(x, y).a != 0) map.At(left + x, top + y) = tile.At(x, y);
                }
            }
        }
    }
    return map;
}

}  // namespace mosaren
