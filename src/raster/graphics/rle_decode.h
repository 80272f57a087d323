#pragma once

// Run-length decoding of 8- and 4-bit BMP pixel data (BI_RLE8, BI_RLE4) into one palette index
// per pixel. The layer's CreateDIBitmap uses it to turn an encoded file into a device image, and
// a reader that wants only some rows of such a file uses it to decode them in one pass.

#include <cstdint>
#include <functional>
#include <span>

namespace mosaren::gdi {

// Decodes BI_RLE8 (rle4 == false) or BI_RLE4 data of a width × height image, handing each
// wanted row's palette indices (width bytes) to row, in order from the bottom row (y = 0, the
// first the file stores) up. wanted lists the rows asked for, ascending; empty asks for every
// row. Skipped pixels are index 0. Never reads outside data, never writes outside the row;
// data that runs past the image or ends early stops decoding quietly, and the rows it never
// reached come as index 0 throughout. Only one row is held at a time, and the data is read only
// as far as the last row wanted.
using RleRow = std::function<void(std::int32_t y, const std::uint8_t* indices)>;
void DecodeRleRows(std::span<const std::uint8_t> data, bool rle4, std::int32_t width,
                   std::int32_t height, std::span<const std::int32_t> wanted, const RleRow& row);

}  // namespace mosaren::gdi
