#include "tile_image.h"

#include <optional>
#include <vector>

#include "raster/device_picture.h"
#include "tiling/tile_bmp_form.h"

namespace mosaren {

namespace {

// The pixels of the tile, each of the opacity alphaOf gives it (none: kTransparent), in the
// colours a picture of that depth stores.
template <typename AlphaOf>
RgbaImage ImageOf(const TilePixels& tile, int depth, AlphaOf alphaOf) {
    RgbaImage image(tile.width, tile.height);
    std::vector<TColor> colours(static_cast<std::size_t>(tile.width));
    DevicePicture stored{tile.width, 1, depth, {}};
    if (depth == 16) stored.rows.resize(stored.Stride());
    for (std::int32_t y = 0; y < tile.height; ++y) {
        for (std::int32_t x = 0; x < tile.width; ++x) {
            colours[static_cast<std::size_t>(x)] = tile.At(x, y).Colour();
        }
        if (depth == 16) {
            EncodeDeviceColours(depth, colours.data(), colours.size(), stored.Row(0));
            ReadColours(stored, colours);
        }
        for (std::int32_t x = 0; x < tile.width; ++x) {
            if (const std::optional<std::uint8_t> alpha = alphaOf(tile.At(x, y))) {
                const TColor c = colours[static_cast<std::size_t>(x)];
                image.At(x, y) = Rgba{RedOf(c), GreenOf(c), BlueOf(c), *alpha};
            }
        }
    }
    return image;
}

}  // namespace

RgbaImage TileImage(const TilePixels& tile) {
    return ImageOf(tile, 32, [](const TilePixel& p) -> std::optional<std::uint8_t> {
        const std::uint8_t opacity = p.Opacity();
        if (p.drawn == 0 || (opacity == 0 && p.drawn != kFullCoverage)) return std::nullopt;
        return opacity;
    });
}

RgbaImage BmpTileImage(const TilePixels& tile, int depth) {
    return ImageOf(tile, depth, [](const TilePixel& p) -> std::optional<std::uint8_t> {
        if (p.coverage < kHalfCoverage) return std::nullopt;
        return p.alpha;
    });
}

}  // namespace mosaren
