#include "bmp_header.h"

#include <algorithm>
#include <cstdlib>

#include "bmp_bounded_reader.h"
#include "bmp_format.h"
#include "exceptions.h"

namespace mosaren {

namespace {

[[noreturn]] void NotValid() { throw EInvalidGraphic(messages::kInvalidBitmap); }

// The 8 bytes after a core header's size: 16-bit unsigned width and height, so the image is
// always stored bottom-up; every other field of the widened header stays 0.
gdi::BitmapInfoHeader WidenCoreHeader(const std::uint8_t* p) {
    gdi::BitmapInfoHeader info;
    info.biSize = bmp::kInfoHeaderSize;
    info.biWidth = bmp::LoadU16(p + 0);
    info.biHeight = bmp::LoadU16(p + 2);
    info.biPlanes = bmp::LoadU16(p + 4);
    info.biBitCount = bmp::LoadU16(p + 6);
    return info;
}

// store holds the header from its byte 0 (the size field); only the first kKeptHeaderBytes
// are present, the rest zero.
gdi::BitmapInfoHeader InfoHeaderFrom(const std::uint8_t* store, std::uint32_t headerSize) {
    gdi::BitmapInfoHeader info;
    info.biSize = headerSize;
    info.biWidth = bmp::LoadI32(store + 4);
    info.biHeight = bmp::LoadI32(store + 8);
    info.biPlanes = bmp::LoadU16(store + 12);
    info.biBitCount = bmp::LoadU16(store + 14);
    info.biCompression = bmp::LoadU32(store + 16);
    info.biSizeImage = bmp::LoadU32(store + 20);
    info.biXPelsPerMeter = bmp::LoadI32(store + 24);
    info.biYPelsPerMeter = bmp::LoadI32(store + 28);
    info.biClrUsed = bmp::LoadU32(store + 32);
    info.biClrImportant = bmp::LoadU32(store + 36);
    return info;
}

// Bytes of pixel data the header describes: biSizeImage, or when that is 0 the rows the width
// and bit count need. Saturates instead of overflowing; the layer refuses what is too large.
std::uint64_t ImageSize(const gdi::BitmapInfoHeader& info) {
    if (info.biSizeImage != 0) return info.biSizeImage;
    if (info.biWidth <= 0) return 0;
    const std::uint64_t stride = gdi::DibRowStride(info.biWidth, info.biBitCount);
    const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(std::int64_t{info.biHeight}));
    if (stride != 0 && rows > UINT64_MAX / stride) return UINT64_MAX;
    return stride * rows;
}

// A writer may leave a gap between the colour table and the pixels and say so in bfOffBits.
// The gap is skipped when bfOffBits lies after the end of the table and within the file; an
// offset inside the table or past the end of the file is not believed, and the pixels are
// taken right after the table.
void SkipGapBeforePixels(BmpBoundedReader& reader, std::uint32_t offBits) {
    const std::uint64_t tableEnd = reader.Position();
    const std::uint64_t fileEnd = tableEnd + reader.Remaining();
    if (offBits <= tableEnd || offBits > fileEnd) return;
    if (!reader.TrySkip(offBits - tableEnd)) throw EReadError(messages::kStreamRead);
}

}  // namespace

BmpPixelData ReadBmpLayout(BmpBoundedReader& reader) {
    BmpPixelData data;
    data.headers = ReadBmpHeaders(reader);
    SkipGapBeforePixels(reader, data.headers.offBits);
    data.offset = reader.Position();
    // Both the claim and what the file has left are bounded here; the image bounds it again.
    data.size = std::min(ImageSize(data.headers.info), reader.Remaining());
    return data;
}

void RaiseImageRefusal() {
    const int code = gdi::LastError();
    if (code != 0) throw SystemError(code, gdi::ErrorText(code));
    throw EInvalidGraphic(messages::kInvalidBitmap);
}

std::uint32_t DefaultColorCount(std::uint32_t bitCount) {
    switch (bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

BmpHeaders ReadBmpHeaders(BmpBoundedReader& reader) {
    BmpHeaders result;

    std::array<std::uint8_t, bmp::kFileHeaderSize> fileHeader{};
    reader.ReadWhole(fileHeader.data(), fileHeader.size());
    if (bmp::LoadU16(fileHeader.data()) != bmp::kSignature) NotValid();
    result.offBits = bmp::LoadU32(fileHeader.data() + 10);

    // A header that the file cuts short must not be read on as if it were whole: its missing
    // fields would be bytes the file never supplied.
    std::array<std::uint8_t, bmp::kKeptHeaderBytes> store{};
    if (!reader.TryRead(store.data(), 4)) NotValid();
    const std::uint32_t headerSize = bmp::LoadU32(store.data());
    result.headerSize = headerSize;

    bool core = false;
    if (headerSize == bmp::kCoreHeaderSize) {
        if (!reader.TryRead(store.data() + 4, 8)) NotValid();
        result.info = WidenCoreHeader(store.data() + 4);
        core = true;
    } else {
        // Sizes 13 to 39 (and under 12) would leave standard fields unread.
        if (headerSize < bmp::kInfoHeaderSize) NotValid();
        const std::uint32_t kept =
            std::min<std::uint32_t>(headerSize, static_cast<std::uint32_t>(bmp::kKeptHeaderBytes));
        if (!reader.TryRead(store.data() + 4, kept - 4)) NotValid();
        // Later fields of the larger headers (colour space, gamma, profile) are not used.
        if (!reader.TrySkip(headerSize - kept)) NotValid();
        result.info = InfoHeaderFrom(store.data(), headerSize);
    }
    gdi::BitmapInfoHeader& info = result.info;

    if (info.biPlanes != 1) NotValid();

    const bool bitFields = info.biCompression == gdi::kBiBitfields &&
                           (info.biBitCount == 16 || info.biBitCount == 32);
    if (headerSize == bmp::kInfoHeaderSize && bitFields) {
        std::array<std::uint8_t, bmp::kMaskBytes> maskBytes{};
        reader.ReadWhole(maskBytes.data(), maskBytes.size());
        for (std::size_t i = 0; i < 3; ++i) result.masks[i] = bmp::LoadU32(maskBytes.data() + 4 * i);
    } else if (headerSize > bmp::kInfoHeaderSize && info.biCompression == gdi::kBiBitfields) {
        // The larger headers carry their masks at header bytes 40 to 51 (zero where a header
        // ends before them).
        for (std::size_t i = 0; i < 3; ++i) result.masks[i] = bmp::LoadU32(store.data() + 40 + 4 * i);
    }

    const std::uint32_t colourCount =
        info.biClrUsed != 0 ? info.biClrUsed : DefaultColorCount(info.biBitCount);
    if (colourCount > bmp::kMaxColourEntries) NotValid();
    info.biClrUsed = colourCount;

    const std::size_t entrySize = core ? 3 : 4;
    std::array<std::uint8_t, 4 * bmp::kMaxColourEntries> table{};
    reader.ReadWhole(table.data(), colourCount * entrySize);
    result.colours.resize(colourCount);
    for (std::size_t i = 0; i < colourCount; ++i) {
        // A core file's 3-byte entries keep blue, green, red and gain a reserved byte of 0.
        const std::uint8_t* e = table.data() + i * entrySize;
        result.colours[i] = gdi::RgbQuad{e[0], e[1], e[2], core ? std::uint8_t{0} : e[3]};
    }
    return result;
}

}  // namespace mosaren
