#pragma once

#include <string>

namespace mosaren {

namespace gdi {
struct DibSection;
}  // namespace gdi

class OutputStream;
class TBitmap;

// Creates or replaces the file of that name with the BMP form of bitmap. The old file is
// replaced only once the whole new file is written.
void WriteBmpFile(TBitmap& bitmap, const std::string& fileName);

// Writes the BMP bytes of bitmap to the stream; nothing for a bitmap without pixels.
void WriteBmp(TBitmap& bitmap, OutputStream& stream);

// For a bit-field description whose red mask is 0, the default masks of its bit count.
void DefaultBitFieldMasks(gdi::DibSection& description);

}  // namespace mosaren
