#pragma once

#include <cstdint>
#include <string>

namespace mosaren {

class InputStream;
class TBitmap;

// Fills bitmap from the BMP file of that name. On failure the bitmap keeps its image.
void ReadBmpFile(TBitmap& bitmap, const std::string& fileName);

// Reads count bytes of BMP file from the stream's current position into bitmap. A count of 0
// gives an empty bitmap. On failure the bitmap keeps its image.
void ReadBmp(TBitmap& bitmap, InputStream& stream, std::uint64_t count);

}  // namespace mosaren
