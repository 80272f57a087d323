#pragma once

// The pixels of a BMP file as the program writes them (16 bits 5-5-5, 24 or 32 bits, without
// compression), decoded here byte by byte, so that a fault in the program's own reader cannot
// hide a fault of its writer.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <vector>

#include "raster/colour.h"

namespace mosaren::testing {

struct BmpPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitCount = 0;
    // Every pixel's colour, from the top-left, row by row. A 5-bit channel widens by exact
    // scaling (31 is 255), as the display reads it back.
    std::vector<TColor> pixels;

    TColor At(int x, int y) const;
    bool Contains(TColor colour) const;
    // Every pixel is one of these.
    bool OnlyHolds(std::initializer_list<TColor> colours) const;
};

// Raises std::runtime_error for a file that is not such a BMP file.
BmpPicture DecodeBmp(const std::vector<std::uint8_t>& file);
BmpPicture ReadBmpPicture(const std::filesystem::path& path);

}  // namespace mosaren::testing
