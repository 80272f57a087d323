#pragma once

// Working textures for tests, as the commands leave them for the tile maker: 255 × 255 and
// 24 bits, each pixel's colour from a formula.

#include <functional>
#include <vector>

#include "raster/bitmap.h"
#include "tiling/tile_settings.h"

namespace mosaren::testing {

// Makes texture the working texture whose pixel (x, y) is colourAt(x, y).
inline void FillWorkingTexture(TBitmap& texture, const std::function<TColor(int, int)>& colourAt) {
    constexpr int side = kWorkingTextureSide;
    texture.SetImageHeight(side);
    texture.SetImageWidth(side);
    texture.ConvertDepth(TPixelDepth::Depth24);
    std::vector<TColor> colours;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) colours.push_back(colourAt(x, y));
    }
    texture.WriteColours(TRect{0, 0, side, side}, colours);
}

}  // namespace mosaren::testing
