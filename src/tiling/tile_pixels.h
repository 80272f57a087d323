#pragma once

// A tile as the engine makes it, before any file format: for each pixel the colour of the
// texture it shows (sRGB, never premultiplied, kept under alpha 0), the texture's alpha there and
// how much of the pixel the tile covers. The outputs encode it: a BMP file at the depth it is
// asked for, with the mask where the tile does not show; PNG files, sheets and the preview with
// the alpha times the coverage.
//
// Nearest tiles cover a pixel wholly or not at all; a smooth tile's rim covers part of a pixel,
// and a block's faces likewise where they meet the background.
//
// A map draws its tiles over each other by alpha, row after row. Two neighbours whose rims each
// cover their part of a pixel do not add up to a whole one: the pixel keeps
// coverage × (1 − coverage) of the background, a faint line along every tile edge. So a smooth
// flat tile draws the pixels along its lower edges whole (the tiles drawn after it lie over
// them and blend their own antialiased upper rims into it) and keeps only its upper rim
// antialiased: whichever neighbour a map draws last, no background shows between them.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "raster/colour.h"

namespace mosaren {

struct TilePixel {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;     // the texture's, over the covered part: 255 for an opaque texture
    std::uint8_t coverage = 0;  // 0: the pixel shows only background; 255: wholly tile
    // How much of the pixel a picture with transparency draws: the coverage, or the whole
    // pixel along a smooth flat tile's lower edges.
    std::uint8_t drawn = 0;

    TColor Colour() const { return Rgb(red, green, blue); }
    // The alpha a picture with transparency gives the pixel.
    std::uint8_t Opacity() const { return static_cast<std::uint8_t>((alpha * drawn + 127) / 255); }
    friend bool operator==(const TilePixel&, const TilePixel&) = default;
};

inline constexpr std::uint8_t kFullCoverage = 255;

// A pixel that shows the texture colour c wholly, at alpha a.
constexpr TilePixel CoveredPixel(TColor c, std::uint8_t a = 255) {
    return TilePixel{RedOf(c), GreenOf(c), BlueOf(c), a, kFullCoverage, kFullCoverage};
}

struct TilePixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<TilePixel> pixels;  // row by row from the top-left; all background to begin with
    bool hasAlpha = false;          // whether any texture alpha below 255 may be in it

    TilePixels() = default;
    TilePixels(std::int32_t w, std::int32_t h)
        : width(w),
          height(h),
          pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) {}

    TilePixel& At(std::int32_t x, std::int32_t y) { return pixels[Index(x, y)]; }
    const TilePixel& At(std::int32_t x, std::int32_t y) const { return pixels[Index(x, y)]; }

private:
    std::size_t Index(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x);
    }
};

}  // namespace mosaren
