#pragma once

// Helpers for the BMP reader and writer tests: ways to read small BMP files built in memory and
// to look at the pixels that came out.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "raster/bitmap.h"
#include "raster/bitmap_access.h"
#include "raster/bmp_format.h"
#include "raster/bmp_reader.h"
#include "raster/bmp_writer.h"
#include "raster/byte_stream.h"
#include "raster/canvas.h"
#include "raster/exceptions.h"
#include "raster/graphics/graphics.h"
#include "support/bmp_builder.h"
#include "support/files.h"

namespace mosaren::testing {

// count distinct colours, entry i = (i, 255 - i, i / 2)
inline std::vector<TColor> RampTable(std::size_t count) {
    std::vector<TColor> table;
    for (std::size_t i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        table.push_back(
            Rgb(v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v / 2)));
    }
    return table;
}

// A table as the graphics layer holds it, each entry with a reserved byte of 0.
inline std::vector<gdi::RgbQuad> Quads(const std::vector<TColor>& table) {
    std::vector<gdi::RgbQuad> quads;
    for (const TColor c : table) quads.push_back(gdi::RgbQuad{BlueOf(c), GreenOf(c), RedOf(c), 0});
    return quads;
}

inline void ReadBytes(TBitmap& bitmap, const std::vector<std::uint8_t>& bytes) {
    MemoryInputStream stream(bytes);
    ReadBmp(bitmap, stream, bytes.size());
}

// The colour of pixel (x, y), counted from the top-left, as the bitmap's drawing surface reads it.
inline TColor PixelAt(TBitmap& bitmap, std::int32_t x, std::int32_t y) {
    return bitmap.DrawingSurface().ReadPixel(x, y);
}

// Runs what and expects it to raise E with exactly that message.
template <typename E, typename F>
void ExpectFailure(F&& what, const std::string& message) {
    try {
        what();
        ADD_FAILURE() << "no failure; expected \"" << message << "\"";
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), message);
    } catch (const Exception& e) {
        ADD_FAILURE() << "failed as " << e.ClassName() << " \"" << e.Message() << "\"; expected \"" << message
                      << "\"";
    }
}

// A 3 × 1 24-bit picture (red, green, blue) that tests put into a bitmap first, to see that a
// failing read leaves it in place.
inline std::vector<std::uint8_t> FormerPictureFile() {
    return BmpBuilder().Size(3, 1).Bits(24).Pixels({0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0}).Build();
}
inline void ExpectFormerPicture(TBitmap& bitmap) {
    ASSERT_EQ(bitmap.ImageWidth(), 3);
    ASSERT_EQ(bitmap.ImageHeight(), 1);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth24);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(PixelAt(bitmap, 1, 0), Rgb(0, 255, 0));
    EXPECT_EQ(PixelAt(bitmap, 2, 0), Rgb(0, 0, 255));
}

// A 5-bit channel level widened to 8 bits by exact scaling (31 is 255), as the display reads
// back a 16-bit pixel.
inline std::uint8_t WidenFiveBits(unsigned level) {
    return static_cast<std::uint8_t>((level * 255 + 15) / 31);
}

// A picture for tiles in which neighbouring pixels differ in every channel.
inline TColor TileGradient(std::int32_t x, std::int32_t y) {
    return Rgb(static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 7),
               static_cast<std::uint8_t>(255 - 2 * x));
}

// The device-form bitmap a tile is when it is written: sized height first, as the tile commands
// do, then every pixel (x, y) set to colour(x, y).
using ColourAt = std::function<TColor(std::int32_t x, std::int32_t y)>;
inline void MakeDeviceTile(TBitmap& tile, std::int32_t width, std::int32_t height,
                           const ColourAt& colour = TileGradient) {
    tile.SetImageHeight(height);
    tile.SetImageWidth(width);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) tile.DrawingSurface().WritePixel(x, y, colour(x, y));
}

inline std::vector<std::uint8_t> WrittenBytes(TBitmap& bitmap) {
    MemoryOutputStream stream;
    WriteBmp(bitmap, stream);
    return stream.Bytes();
}

// A test name from a file's path under its folder: "q/pal8os2-sz.bmp" gives "q_pal8os2_sz".
inline std::string TestNameOf(const std::string& file) {
    std::string name = std::filesystem::path(file).replace_extension().string();
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

}  // namespace mosaren::testing
