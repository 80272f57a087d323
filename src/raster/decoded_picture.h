#pragma once

// A texture that a picture decoder other than our BMP reader has read (PNG, JPEG and the like):
// every pixel as one 32-bit word 0xAARRGGBB, the form most decoders hand out, with its colour
// not premultiplied by its alpha. It enters tile making as a 24-bit BMP of the same colours
// does, and its alpha goes with the tile pixels that show it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "colour.h"

namespace mosaren {

struct DecodedPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;  // row by row from the top-left
    bool hasAlpha = false;              // false: opaque throughout, whatever the top bytes say

    std::uint32_t At(std::int32_t x, std::int32_t y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

constexpr TColor ColourOfArgb(std::uint32_t argb) {
    return Rgb(static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
               static_cast<std::uint8_t>(argb));
}
constexpr std::uint8_t AlphaOfArgb(std::uint32_t argb) {
    return static_cast<std::uint8_t>(argb >> 24);
}

// Below this alpha a pixel counts as transparent where a tile cannot carry alpha (a BMP file):
// it shows the mask colour there.
inline constexpr std::uint8_t kOpaqueFrom = 128;

}  // namespace mosaren
