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

// Where a file's pixel data lies, after its headers, and how many of its bytes the reader takes.
struct BmpPixelData {
    BmpHeaders headers;
    std::uint64_t offset = 0;  // from the start of the file
    // d: the image size the header gives (biSizeImage, else the rows its width and bit count
    // need), but never more than the file holds after the offset.
    std::uint64_t size = 0;
};

// Reads the headers (ReadBmpHeaders) and skips a gap that bfOffBits announces before the pixels,
// leaving the reader at the first pixel byte. Raises as ReadBmpHeaders does.
BmpPixelData ReadBmpLayout(BmpBoundedReader& reader);

// The graphics layer refused to make the image of a header: a system error with the layer's
// text when the refusal carries an error code (an image beyond the layer's size cap carries
// ENOMEM), else "Bitmap image is not valid": the layer does not accept the header at all.
[[noreturn]] void RaiseImageRefusal();

// The entries of a colour table whose header does not say: 2^bitCount for 1, 4 and 8 bits; 0 for
// any other count.
std::uint32_t DefaultColorCount(std::uint32_t bitCount);

}  // namespace mosaren
