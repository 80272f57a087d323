#include "tile_pixels_device.h"

#include <vector>

namespace mosaren {

DevicePicture DeviceTile(const TilePixels& tile, TColor mask, int depth) {
    DevicePicture picture{tile.width, tile.height, depth, {}};
    picture.rows.resize(picture.Stride() * static_cast<std::size_t>(tile.height));
    std::vector<TColor> row(static_cast<std::size_t>(tile.width));
    for (std::int32_t y = 0; y < tile.height; ++y) {
        for (std::int32_t x = 0; x < tile.width; ++x) {
            const TilePixel& pixel = tile.At(x, y);
            row[static_cast<std::size_t>(x)] = pixel.coverage > 0 ? pixel.Colour() : mask;
        }
        EncodeDeviceColours(depth, row.data(), row.size(), picture.Row(y));
    }
    return picture;
}

TileWithAlpha DeviceTileWithAlpha(const TilePixels& tile, TColor mask, int depth) {
    TileWithAlpha made{DeviceTile(tile, mask, depth), {}};
    if (!tile.hasAlpha) return made;
    made.alpha.reserve(tile.pixels.size());
    for (const TilePixel& pixel : tile.pixels) made.alpha.push_back(pixel.coverage > 0 ? pixel.alpha : 0);
    return made;
}

}  // namespace mosaren
