// CreateDIBitmap: a device image initialised from the pixels of a BMP file, plain, bit-field or
// run-length encoded.

#include <cerrno>
#include <cstring>

#include "graphics.h"
#include "pixel_format.h"
#include "rle_decode.h"

namespace mosaren::gdi {

namespace {

bool IsRunLength(const BitmapInfoHeader& h) {
    return (h.biCompression == kBiRle8 && h.biBitCount == 8) ||
           (h.biCompression == kBiRle4 && h.biBitCount == 4);
}

}  // namespace

ImageHandle CreateDIBitmap(const BitmapInfoHeader& header, const std::array<std::uint32_t, 3>& masks,
                           std::span<const RgbQuad> colours, std::span<const std::uint8_t> bits) {
    SetLastError(0);
    if (!IsRunLength(header)) {
        // Plain data: lay it into a section of its own and convert that into the device image.
        ImageHandle section = CreateDIBSection(header, masks, colours);
        if (!section) return nullptr;
        std::memcpy(section->Bits(), bits.data(), std::min(bits.size(), section->ByteSize()));
        ImageHandle device = CreateCompatibleBitmap(section->Width(), section->Height());
        if (!device) return nullptr;
        BitBlt(*device, 0, 0, section->Width(), section->Height(), *section, 0, 0);
        return device;
    }

    // Run-length data describes rows bottom-up only; a top-down header is not accepted.
    if (header.biPlanes != 1 || header.biWidth <= 0 || header.biHeight <= 0) return nullptr;
    const std::int32_t width = header.biWidth;
    const std::int32_t height = header.biHeight;
    // The decoder holds one byte per pixel: check that against the cap before it allocates.
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxImageBytes) {
        SetLastError(ENOMEM);
        return nullptr;
    }
    ImageHandle device = CreateCompatibleBitmap(width, height);
    if (!device) return nullptr;

    const std::uint32_t full = 1u << header.biBitCount;
    const std::size_t tableSize =
        std::min<std::size_t>(header.biClrUsed != 0 ? header.biClrUsed : full, full);
    std::vector<ColorRef> table(tableSize, 0);
    for (std::size_t i = 0; i < tableSize && i < colours.size(); ++i) table[i] = ColourOf(colours[i]);

    std::vector<std::uint8_t> indices;
    try {
        indices = DecodeRle(bits, header.biCompression == kBiRle4, width, height);
    } catch (const std::bad_alloc&) {
        SetLastError(ENOMEM);
        return nullptr;
    }
    std::vector<ColorRef> row(static_cast<std::size_t>(width));
    for (std::int32_t y = 0; y < height; ++y) {
        // The decoder's row 0 is the bottom row.
        const std::uint8_t* from = indices.data() + static_cast<std::size_t>(height - 1 - y) * width;
        for (std::int32_t x = 0; x < width; ++x) {
            row[x] = from[x] < table.size() ? table[from[x]] : 0;
        }
        device->WriteColours(y, 0, width, row.data());
    }
    return device;
}

}  // namespace mosaren::gdi
