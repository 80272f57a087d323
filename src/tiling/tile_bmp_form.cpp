#include "tile_bmp_form.h"

#include <cstring>
#include <vector>

namespace mosaren {

DevicePicture BmpFormOf(const TilePixels& tile, int bitCount, TColor mask) {
    DevicePicture picture{tile.width, tile.height, bitCount, {}};
    // The rows' padding stays 0, as a new section's does.
    picture.rows.assign(picture.Stride() * static_cast<std::size_t>(tile.height), 0);
    const auto bytes = static_cast<std::size_t>(picture.BytesPerPixel());
    std::vector<TColor> run(static_cast<std::size_t>(tile.width), mask);
    std::vector<std::uint8_t> maskRow(run.size() * bytes);
    EncodeDeviceColours(bitCount, run.data(), run.size(), maskRow.data());
    for (std::int32_t y = 0; y < tile.height; ++y) {
        std::uint8_t* row = picture.Row(y);
        // The pixels that show the tile encoded a run at a time, the mask's copied from a row of it.
        std::int32_t x = 0;
        while (x < tile.width) {
            const std::int32_t start = x;
            std::size_t count = 0;
            for (; x < tile.width && ShowsInBmp(tile.At(x, y)); ++x) run[count++] = tile.At(x, y).Colour();
            if (count > 0) {
                EncodeDeviceColours(bitCount, run.data(), count, row + static_cast<std::size_t>(start) * bytes);
                continue;
            }
            for (; x < tile.width && !ShowsInBmp(tile.At(x, y)); ++x) {
            }
            std::memcpy(row + static_cast<std::size_t>(start) * bytes, maskRow.data(),
                        static_cast<std::size_t>(x - start) * bytes);
        }
    }
    return picture;
}

}  // namespace mosaren
