#pragma once

// A plain 8-bit RGBA picture, top row first. The engine outputs (PNG files, sheets, the map
// preview) are laid out in this form, apart from the raster layer's bitmaps, whose pixels carry
// no alpha: a tile's transparency is known only from which pixels the turned texture covers.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mosaren {

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};
// The pixels go to the PNG encoder as they are, four bytes each.
static_assert(sizeof(Rgba) == 4);

// Fully transparent pixels hold black rather than the mask colour: an engine that filters without
// premultiplying mixes a transparent neighbour's colour into the edge, and a magenta fringe is
// what transparency is meant to get rid of.
inline constexpr Rgba kTransparent{0, 0, 0, 0};

class RgbaImage {
public:
    RgbaImage() = default;
    RgbaImage(std::int32_t width, std::int32_t height)
        : mWidth(width),
          mHeight(height),
          mPixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                  kTransparent) {}

    std::int32_t Width() const { return mWidth; }
    std::int32_t Height() const { return mHeight; }
    Rgba& At(std::int32_t x, std::int32_t y) { return mPixels[Index(x, y)]; }
    const Rgba& At(std::int32_t x, std::int32_t y) const { return mPixels[Index(x, y)]; }
    const std::vector<Rgba>& Pixels() const { return mPixels; }

private:
    std::size_t Index(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(mWidth) +
               static_cast<std::size_t>(x);
    }

    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    std::vector<Rgba> mPixels;
};

}  // namespace mosaren
