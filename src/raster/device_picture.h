#pragma once

// A picture as a device-form bitmap's section copy holds it, and so as a tile file carries it
// after its headers: rows bottom row first, each padded with zeros to whole 32-bit words, and
// pixels stored at the display depth the way the device form stores them (32 bits: blue, green,
// red, 0; 24 bits: blue, green, red; 16 bits: 5 bits each of red, green, blue in a little-endian
// word). It holds no drawing objects, so pictures can be made and passed between threads.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "colour.h"

namespace mosaren {

class TBitmap;

struct DevicePicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitCount = 0;
    std::vector<std::uint8_t> rows;

    // width × height at the display depth, every byte 0.
    static DevicePicture Blank(std::int32_t width, std::int32_t height);

    std::size_t Stride() const;
    int BytesPerPixel() const { return bitCount / 8; }
    // The bytes of row y counted from the top.
    std::uint8_t* Row(std::int32_t y);
    const std::uint8_t* Row(std::int32_t y) const;

    friend bool operator==(const DevicePicture&, const DevicePicture&) = default;
};

// The section copy of a device-form bitmap with pixels (EnsureSection): exactly the pixel bytes
// WriteBmp writes for it. Raises "Invalid pixel format" for any other bitmap.
DevicePicture SectionCopy(TBitmap& bitmap);

// Stores colours as count pixels of bitCount bits side by side from out, as a device-form
// bitmap of that depth stores them (a depth of 16 keeps 5 bits of each channel).
void EncodeDeviceColours(int bitCount, const TColor* colours, std::size_t count, std::uint8_t* out);

// The colour of every pixel, row by row from the top-left, as a device-form bitmap of the
// picture's depth reads them (5-bit channels widen by exact scaling).
void ReadColours(const DevicePicture& picture, std::span<TColor> colours);

}  // namespace mosaren
