#include "tile_bmp_form.h"

#include <vector>

namespace mosaren {

DevicePicture BmpFormOf(const TilePixels& tile, int bitCount, TColor mask) {
    DevicePicture picture{tile.width, tile.height, bitCount, {}};
    // The rows' padding stays 0, as a new section's does.
    picture.rows.assign(picture.Stride() * static_cast<std::size_t>(tile.height), 0);
    std::vector<TColor> row(static_cast<std::size_t>(tile.width));
    for (std::int32_t y = 0; y < tile.height; ++y) {
        for (std::int32_t x = 0; x < tile.width; ++x) {
            const TilePixel& p = tile.At(x, y);
            row[static_cast<std::size_t>(x)] = ShowsInBmp(p) ? p.Colour() : mask;
        }
        EncodeDeviceColours(bitCount, row.data(), row.size(), picture.Row(y));
    }
    return picture;
}

}  // namespace mosaren
