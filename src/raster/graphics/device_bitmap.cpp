// CreateDIBitmap: a device image initialised from the run-length encoded pixels of a BMP file.

#include <algorithm>
#include <cerrno>

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

ImageHandle CreateDIBitmap(const BitmapInfoHeader& header, std::span<const RgbQuad> colours,
                           std::span<const std::uint8_t> bits) {
    SetLastError(0);
    // Plain and bit-field pixels go into sections (CreateDIBSection); any compression other than
    // run-length is not accepted. Run-length data describes rows bottom-up only, so a top-down
    // header is not accepted either.
    if (!IsRunLength(header) || header.biPlanes != 1 || header.biWidth <= 0 ||
        header.biHeight <= 0) {
        return nullptr;
    }
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
