#include "tile_image.h"

#include <vector>

namespace mosaren {

RgbaImage TileImage(const DevicePicture& tile, const Coverage& coverage) {
    return TileImage(tile, coverage, {});
}

RgbaImage TileImage(const DevicePicture& tile, const Coverage& coverage,
                    std::span<const std::uint8_t> alpha) {
    RgbaImage image(tile.width, tile.height);
    std::vector<TColor> colours(static_cast<std::size_t>(image.Width()) * image.Height());
    ReadColours(tile, colours);
    for (std::int32_t y = 0; y < image.Height(); ++y) {
        for (std::int32_t x = 0; x < image.Width(); ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * image.Width() + x;
            if (coverage.at(i)) {
                const TColor c = colours[i];
                const std::uint8_t a = alpha.empty() ? std::uint8_t{255} : alpha[i];
                image.At(x, y) = Rgba{RedOf(c), GreenOf(c), BlueOf(c), a};
            }
        }
    }
    return image;
}

}  // namespace mosaren
