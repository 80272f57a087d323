#pragma once

// The headers of a BMP file as the reader takes them: the file header, the core or info header
// widened to a BITMAPINFOHEADER, the colour masks, and the colour table widened to 4-byte
// entries. Reading stops before the pixel data.

#include <array>
#include <cstdint>
#include <vector>

#include "graphics/graphics.h"

namespace mosaren {

class BmpBoundedReader;

struct BmpHeaders {
    std::uint32_t offBits = 0;      // bfOffBits: where the writer says the pixels begin
    std::uint32_t headerSize = 0;   // 12 for a core header, else the info header's size
    gdi::BitmapInfoHeader info;     // biClrUsed already fixed to the table's entry count
    std::array<std::uint32_t, 3> masks{};
    std::vector<gdi::RgbQuad> colours;
};

// Reads from the start of the file up to the end of the colour table. Raises "Bitmap image is
// not valid" for a bad signature, a header that is cut short or of a size that holds fewer than
// the standard fields, planes other than 1, or more than 256 table entries; "Stream read error"
// when the file ends inside the file header, the masks or the table.
BmpHeaders ReadBmpHeaders(BmpBoundedReader& reader);

// The entries of a colour table whose header does not say: 2^bitCount for 1, 4 and 8 bits; 0 for
// any other count.
std::uint32_t DefaultColorCount(std::uint32_t bitCount);

}  // namespace mosaren
