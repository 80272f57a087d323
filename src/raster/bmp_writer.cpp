#include "bmp_writer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "bitmap.h"
#include "bitmap_access.h"
#include "bmp_format.h"
#include "device_picture.h"
#include "byte_stream.h"
#include "exceptions.h"
#include "file_replacement.h"

namespace mosaren {

namespace {

std::array<std::uint8_t, bmp::kInfoHeaderSize> EncodeInfoHeader(const gdi::BitmapInfoHeader& info) {
    std::array<std::uint8_t, bmp::kInfoHeaderSize> out{};
    std::uint8_t* p = out.data();
    bmp::StoreU32(p + 0, bmp::kInfoHeaderSize);  // the file always has the 40-byte header
    bmp::StoreI32(p + 4, info.biWidth);
    bmp::StoreI32(p + 8, info.biHeight);
    bmp::StoreU16(p + 12, info.biPlanes);
    bmp::StoreU16(p + 14, info.biBitCount);
    bmp::StoreU32(p + 16, info.biCompression);
    bmp::StoreU32(p + 20, info.biSizeImage);
    bmp::StoreI32(p + 24, info.biXPelsPerMeter);
    bmp::StoreI32(p + 28, info.biYPelsPerMeter);
    bmp::StoreU32(p + 32, info.biClrUsed);
    bmp::StoreU32(p + 36, info.biClrImportant);
    return out;
}

// The file header, the 40-byte info header (biSizeImage as given), the masks when given and the
// colour table: everything of a BMP file before its pixel rows.
void WriteHeaders(OutputStream& stream, const gdi::BitmapInfoHeader& info,
                  const std::array<std::uint32_t, 3>* masks, std::span<const gdi::RgbQuad> table) {
    const std::uint32_t infoSize = static_cast<std::uint32_t>(
        bmp::kInfoHeaderSize + (masks ? bmp::kMaskBytes : 0) + 4 * table.size());
    const std::uint32_t offBits = static_cast<std::uint32_t>(bmp::kFileHeaderSize) + infoSize;

    std::array<std::uint8_t, bmp::kFileHeaderSize> fileHeader{};
    bmp::StoreU16(fileHeader.data() + 0, bmp::kSignature);
    // A file beyond 4 GB cannot say its size; the layer's image cap keeps tiles far below it.
    bmp::StoreU32(fileHeader.data() + 2,
                  static_cast<std::uint32_t>(
                      std::min<std::uint64_t>(std::uint64_t{offBits} + info.biSizeImage, UINT32_MAX)));
    bmp::StoreU32(fileHeader.data() + 10, offBits);

    WriteWhole(stream, fileHeader.data(), fileHeader.size());
    const auto infoBytes = EncodeInfoHeader(info);
    WriteWhole(stream, infoBytes.data(), infoBytes.size());
    if (masks) {
        std::array<std::uint8_t, bmp::kMaskBytes> maskBytes{};
        for (std::size_t i = 0; i < 3; ++i) bmp::StoreU32(maskBytes.data() + 4 * i, (*masks)[i]);
        WriteWhole(stream, maskBytes.data(), maskBytes.size());
    }
    if (!table.empty()) {
        std::vector<std::uint8_t> tableBytes(4 * table.size());
        for (std::size_t i = 0; i < table.size(); ++i) {
            tableBytes[4 * i + 0] = table[i].blue;
            tableBytes[4 * i + 1] = table[i].green;
            tableBytes[4 * i + 2] = table[i].red;
            tableBytes[4 * i + 3] = table[i].reserved;
        }
        WriteWhole(stream, tableBytes.data(), tableBytes.size());
    }
}

}  // namespace

void DefaultBitFieldMasks(gdi::DibSection& description) {
    if (description.dsBmih.biCompression != gdi::kBiBitfields || description.dsBitfields[0] != 0) {
        return;
    }
    if (description.dsBmih.biBitCount == 16) {
        description.dsBitfields = {0xF800, 0x07E0, 0x001F};
    } else if (description.dsBmih.biBitCount == 32) {
        description.dsBitfields = {0x00FF0000, 0x0000FF00, 0x000000FF};
    }
}

void WriteBmp(TBitmap& bitmap, OutputStream& stream) {
    if (bitmap.PixelDepth() == TPixelDepth::DepthDevice && bitmap.HasPixels()) bitmap.EnsureSection();
    const gdi::ImageHandle& section = BitmapAccess::SectionHandle(bitmap);
    if (!section) return;  // no pixels: nothing at all is written

    const gdi::DibSection described = section->Describe();
    const gdi::BitmapInfoHeader& sectionInfo = described.dsBmih;
    const std::uint32_t bitCount = sectionInfo.biBitCount;
    std::uint64_t imageSize = sectionInfo.biSizeImage;
    if (imageSize == 0) {
        imageSize = std::uint64_t{gdi::DibRowStride(sectionInfo.biWidth, static_cast<int>(bitCount))} *
                    static_cast<std::uint64_t>(std::llabs(std::int64_t{sectionInfo.biHeight}));
    }
    // The rows go out straight from the section's memory, so they must all be there.
    if (imageSize > section->ByteSize() || imageSize > UINT32_MAX) {
        throw EInvalidGraphic(messages::kInvalidBitmap);
    }

    // The table holds biClrUsed entries when that is set, else 2^n; k is what it holds, never
    // more than the header says are used.
    std::span<const gdi::RgbQuad> table = section->ColourTable();
    std::size_t colourCount = 0;
    if (bitCount <= 8) {
        colourCount = std::min<std::size_t>(table.size(), bmp::kMaxColourEntries);
        if (sectionInfo.biClrUsed > 0) colourCount = std::min<std::size_t>(colourCount, sectionInfo.biClrUsed);
    }

    gdi::DibSection& description = BitmapAccess::DescriptionForWriting(bitmap);
    DefaultBitFieldMasks(description);
    if (colourCount > 0 && description.dsBmih.biClrUsed != colourCount) {
        description.dsBmih.biClrUsed = static_cast<std::uint32_t>(colourCount);
    }

    const bool masks = bitCount > 8 && description.dsBmih.biCompression == gdi::kBiBitfields;
    gdi::BitmapInfoHeader info = description.dsBmih;
    info.biSizeImage = static_cast<std::uint32_t>(imageSize);
    WriteHeaders(stream, info, masks ? &description.dsBitfields : nullptr,
                 table.first(colourCount));
    WriteWhole(stream, section->Bits(), static_cast<std::size_t>(imageSize));
}

void WriteDeviceBmpHeaders(OutputStream& stream, std::int32_t width, std::int32_t height,
                           int bitCount) {
    // What the section copy of a device-form bitmap describes (EnsureSection), as its WriteBmp
    // writes it.
    gdi::BitmapInfoHeader info = gdi::DeviceSectionHeader(width, height, bitCount);
    info.biSizeImage =
        static_cast<std::uint32_t>(gdi::DibRowStride(width, bitCount) * static_cast<std::size_t>(height));
    WriteHeaders(stream, info, nullptr, {});
}

void WriteBmp(const DevicePicture& picture, OutputStream& stream) {
    if (picture.rows.empty()) return;  // no pixels: nothing at all is written
    WriteDeviceBmpHeaders(stream, picture.width, picture.height, picture.bitCount);
    WriteWhole(stream, picture.rows.data(), picture.rows.size());
}

void WriteBmpFile(TBitmap& bitmap, const std::string& fileName) {
    ReplaceFileWith(fileName, [&bitmap](OutputStream& stream) { WriteBmp(bitmap, stream); });
}

}  // namespace mosaren
