#pragma once

#include <cstdint>
#include <string>

namespace mosaren {

namespace gdi {
struct DibSection;
}  // namespace gdi

class OutputStream;
class TBitmap;
struct DevicePicture;

// Creates or replaces the file of that name with the BMP form of bitmap. The old file is
// replaced only once the whole new file is written.
void WriteBmpFile(TBitmap& bitmap, const std::string& fileName);

// Writes the BMP bytes of bitmap to the stream; nothing for a bitmap without pixels.
void WriteBmp(TBitmap& bitmap, OutputStream& stream);

// The BMP bytes of a device-form picture, exactly as WriteBmp writes a device-form bitmap whose
// section copy holds those rows; nothing for a picture without pixels.
void WriteBmp(const DevicePicture& picture, OutputStream& stream);
// Only the headers of that file, for a writer that streams the rows after them (bottom row
// first, each padded to whole 32-bit words).
void WriteDeviceBmpHeaders(OutputStream& stream, std::int32_t width, std::int32_t height,
                           int bitCount);

// For a bit-field description whose red mask is 0, the default masks of its bit count.
void DefaultBitFieldMasks(gdi::DibSection& description);

}  // namespace mosaren
