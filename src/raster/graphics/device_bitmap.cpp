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

bool RunLengthImageAccepted(const BitmapInfoHeader& header) {
    SetLastError(0);
    // Plain and bit-field pixels go into sections (CreateDIBSection); any compression other than
    // run-length is not accepted. Run-length data describes rows bottom-up only, so a top-down
    // header is not accepted either.
    if (!IsRunLength(header) || header.biPlanes != 1 || header.biWidth <= 0 ||
        header.biHeight <= 0) {
        return false;
    }
    const auto width = static_cast<std::uint64_t>(header.biWidth);
    const auto height = static_cast<std::uint64_t>(header.biHeight);
    // The decoder holds one byte per pixel, and the device image the display's depth: both are
    // checked against the cap before anything is allocated.
    const std::uint64_t deviceStride = DibRowStride(header.biWidth, DisplayDepth());
    if (width * height > kMaxImageBytes || deviceStride == 0 ||
        height > kMaxImageBytes / deviceStride) {
        SetLastError(ENOMEM);
        return false;
    }
    return true;
}

std::vector<ColorRef> RunLengthColours(const BitmapInfoHeader& header,
                                       std::span<const RgbQuad> colours) {
    const std::uint32_t full = 1u << header.biBitCount;
    const std::size_t tableSize =
        std::min<std::size_t>(header.biClrUsed != 0 ? header.biClrUsed : full, full);
    std::vector<ColorRef> table(tableSize, 0);
    for (std::size_t i = 0; i < tableSize && i < colours.size(); ++i) table[i] = ColourOf(colours[i]);
    return table;
}

ImageHandle CreateDIBitmap(const BitmapInfoHeader& header, std::span<const RgbQuad> colours,
                           std::span<const std::uint8_t> bits) {
    if (!RunLengthImageAccepted(header)) return nullptr;
    const std::int32_t width = header.biWidth;
    const std::int32_t height = header.biHeight;
    ImageHandle device = CreateCompatibleBitmap(width, height);
    if (!device) return nullptr;

    const std::vector<ColorRef> table = RunLengthColours(header, colours);
    // A new image is black throughout. Where index 0 is black too, a row of nothing but index 0
    // (which is every row that data claiming far more than it holds never reaches) is already
    // in place, and its memory is never touched.
    const bool blackBackground = table.empty() || table[0] == 0;
    constexpr std::int32_t kPiece = 4096;
    std::vector<ColorRef> piece(static_cast<std::size_t>(std::min(width, kPiece)));
    try {
        DecodeRleRows(bits, header.biCompression == kBiRle4, width, height, {},
                      [&](std::int32_t y, const std::uint8_t* indices) {
                          if (blackBackground && std::all_of(indices, indices + width,
                                                             [](std::uint8_t i) { return i == 0; })) {
                              return;
                          }
                          // The decoder's row 0 is the bottom row.
                          for (std::int32_t x = 0; x < width; x += kPiece) {
                              const std::int32_t n = std::min(kPiece, width - x);
                              for (std::int32_t i = 0; i < n; ++i) {
                                  const std::uint8_t index = indices[x + i];
                                  piece[i] = index < table.size() ? table[index] : 0;
                              }
                              device->WriteColours(height - 1 - y, x, n, piece.data());
                          }
                      });
    } catch (const std::bad_alloc&) {
        SetLastError(ENOMEM);
        return nullptr;
    }
    return device;
}

}  // namespace mosaren::gdi
