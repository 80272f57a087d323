#pragma once

// Reference pictures for the BMP corpus tests, read from PNG files with libpng (a test-only
// dependency). Without libpng nothing can be read and the pixel comparisons skip.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mosaren::test {

// 8-bit red, green, blue and alpha for every pixel, rows from the top. Channels stored with 16
// bits are scaled to 8 with rounding; grey and palette pictures are expanded to colour.
struct PngPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgba;

    std::uint8_t* At(std::int32_t x, std::int32_t y) {
        return &rgba[4 * (static_cast<std::size_t>(y) * width + x)];
    }
    const std::uint8_t* At(std::int32_t x, std::int32_t y) const {
        return &rgba[4 * (static_cast<std::size_t>(y) * width + x)];
    }
};

bool CanReadPng();

// The picture, or nothing when the file cannot be read as a PNG.
std::optional<PngPicture> ReadPng(const std::string& path);

}  // namespace mosaren::test
