#pragma once

// PNG files read back through libpng: the engine outputs, and the reference pictures of the BMP
// test suite. Every kind of PNG becomes 8-bit colour with alpha (16-bit channels scaled with
// rounding, grey and palette pictures expanded, alpha 255 where the file has none).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "raster/colour.h"

namespace mosaren::testing {

struct PngPixel {
    TColor colour = 0;
    std::uint8_t alpha = 0;
    friend bool operator==(const PngPixel&, const PngPixel&) = default;
};

struct PngPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<PngPixel> pixels;  // from the top-left, row by row

    // Raises std::out_of_range outside the picture.
    PngPixel& At(int x, int y);
    const PngPixel& At(int x, int y) const;
};

// The picture, or nothing when the file cannot be read as a PNG.
std::optional<PngPicture> ReadPng(const std::filesystem::path& path);
// The same, raising std::runtime_error instead.
PngPicture ReadPngFile(const std::filesystem::path& path);

// A texture with alpha, written by libpng's simple writer: 8-bit RGBA, rgba holding four bytes
// for each pixel from the top-left. Raises std::runtime_error if libpng refuses.
void WriteRgbaPng(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                  const std::vector<std::uint8_t>& rgba);

}  // namespace mosaren::testing
