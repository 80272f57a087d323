#pragma once

// BMP files for tests, laid out field by field here rather than by the program's own writer, so
// that a fault in the program cannot hide in its own test data. The defaults give a valid
// bottom-up 2 × 2 file of 24 bits per pixel with a 40-byte header; each setter changes one
// thing, so a test names only what it is about.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "raster/colour.h"

namespace mosaren::testing {

// biCompression values.
inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitfields = 3;

using ColourAt = std::function<TColor(int x, int y)>;

class BmpBuilder {
public:
    BmpBuilder& Size(std::int32_t width, std::int32_t height);
    BmpBuilder& Bits(std::uint16_t bitCount);
    BmpBuilder& Compression(std::uint32_t compression);
    BmpBuilder& HeaderSize(std::uint32_t size);
    BmpBuilder& Planes(std::uint16_t planes);
    BmpBuilder& ClrUsed(std::uint32_t count);
    BmpBuilder& ClrImportant(std::uint32_t count);
    BmpBuilder& SizeImage(std::uint32_t size);
    BmpBuilder& Resolution(std::int32_t x, std::int32_t y);
    // Masks go after a 40-byte header, or into header bytes 40 to 51 of a larger one.
    BmpBuilder& Masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue);
    // Table entries as colours; each is written blue, green, red (and a reserved 0 but in a
    // core file).
    BmpBuilder& Table(std::vector<TColor> table);
    BmpBuilder& Pixels(std::vector<std::uint8_t> pixels);
    // The pixel rows of a picture at the bit count (16 as 5-5-5, 24 or 32), bottom row first,
    // each row padded to whole 32-bit words, with biSizeImage set to their size.
    BmpBuilder& Picture(const ColourAt& colourAt);
    // Bytes between the table and the pixels; bfOffBits points past them unless OffBits is set.
    BmpBuilder& Gap(std::vector<std::uint8_t> gap);
    BmpBuilder& OffBits(std::uint32_t offBits);
    BmpBuilder& Signature(std::uint8_t first, std::uint8_t second);
    // A 12-byte core header: 16-bit width and height, 3-byte table entries.
    BmpBuilder& Core();

    std::vector<std::uint8_t> Build() const;
    void Write(const std::filesystem::path& path) const;

private:
    std::int32_t mWidth = 2;
    std::int32_t mHeight = 2;
    std::uint16_t mBitCount = 24;
    std::uint32_t mCompression = kBiRgb;
    std::uint32_t mHeaderSize = 40;
    std::uint16_t mPlanes = 1;
    std::uint32_t mClrUsed = 0;
    std::uint32_t mClrImportant = 0;
    std::uint32_t mSizeImage = 0;
    std::int32_t mXPels = 0;
    std::int32_t mYPels = 0;
    std::optional<std::array<std::uint32_t, 3>> mMasks;
    std::vector<TColor> mTable;
    std::vector<std::uint8_t> mPixels;
    std::vector<std::uint8_t> mGap;
    std::optional<std::uint32_t> mOffBits;
    std::array<std::uint8_t, 2> mSignature{'B', 'M'};
    bool mCore = false;
};

// A texture file of 24 (or 16 or 32) bits per pixel, each pixel's colour from colourAt.
void WriteTexture(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                  const ColourAt& colourAt, std::uint16_t bitCount = 24);
void WriteSolidTexture(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                       TColor colour);

}  // namespace mosaren::testing
