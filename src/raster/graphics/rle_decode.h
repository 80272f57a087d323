#pragma once

// Run-length decoding of 8- and 4-bit BMP pixel data (BI_RLE8, BI_RLE4) into one palette index
// per pixel. The layer's CreateDIBitmap uses it to turn an encoded file into a device image.

#include <cstdint>
#include <span>
#include <vector>

namespace mosaren::gdi {

// Decodes BI_RLE8 (rle4 == false) or BI_RLE4 data of a width × height image into one palette
// index per pixel, rows bottom-up as the file stores them (row 0 of the result is the bottom
// row), width bytes per row. Skipped pixels are index 0. Never reads outside data, never writes
// outside the result; data that runs past the image or ends early stops decoding quietly.
std::vector<std::uint8_t> DecodeRle(std::span<const std::uint8_t> data, bool rle4, std::int32_t width, std::int32_t height);

}  // namespace mosaren::gdi
