#pragma once

// Helpers for the BMP reader and writer tests: a builder for small BMP files in memory, and
// ways to read them and to look at the pixels that came out.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "raster/bitmap.h"
#include "raster/bmp_format.h"
#include "raster/bmp_reader.h"
#include "raster/bmp_writer.h"
#include "raster/byte_stream.h"
#include "raster/canvas.h"
#include "raster/exceptions.h"
#include "raster/graphics/graphics.h"

namespace mosaren::test {

// A BMP file laid out field by field. Defaults give a valid bottom-up 40-byte-header file; each
// setter changes one thing, so a test names only what it is about.
class BmpBuilder {
public:
    BmpBuilder& Size(std::int32_t width, std::int32_t height) { mWidth = width; mHeight = height; return *this; }
    BmpBuilder& Bits(std::uint16_t bitCount) { mBitCount = bitCount; return *this; }
    BmpBuilder& Compression(std::uint32_t compression) { mCompression = compression; return *this; }
    BmpBuilder& HeaderSize(std::uint32_t size) { mHeaderSize = size; return *this; }
    BmpBuilder& Planes(std::uint16_t planes) { mPlanes = planes; return *this; }
    BmpBuilder& ClrUsed(std::uint32_t count) { mClrUsed = count; return *this; }
    BmpBuilder& ClrImportant(std::uint32_t count) { mClrImportant = count; return *this; }
    BmpBuilder& SizeImage(std::uint32_t size) { mSizeImage = size; return *this; }
    BmpBuilder& Resolution(std::int32_t x, std::int32_t y) { mXPels = x; mYPels = y; return *this; }
    // Masks go after a 40-byte header, or into header bytes 40 to 51 of a larger one.
    BmpBuilder& Masks(std::uint32_t r, std::uint32_t g, std::uint32_t b) { mMasks = {r, g, b}; return *this; }
    BmpBuilder& Table(std::vector<gdi::RgbQuad> table) { mTable = std::move(table); return *this; }
    BmpBuilder& Pixels(std::vector<std::uint8_t> pixels) { mPixels = std::move(pixels); return *this; }
    // Bytes between the table and the pixels; bfOffBits points past them unless OffBits is set.
    BmpBuilder& Gap(std::vector<std::uint8_t> gap) { mGap = std::move(gap); return *this; }
    BmpBuilder& OffBits(std::uint32_t offBits) { mOffBits = offBits; return *this; }
    BmpBuilder& Signature(std::uint8_t a, std::uint8_t b) { mSignature = {a, b}; return *this; }
    // A 12-byte core header: 16-bit width and height, 3-byte table entries.
    BmpBuilder& Core() { mCore = true; return *this; }

    std::vector<std::uint8_t> Build() const {
        std::vector<std::uint8_t> header;
        if (mCore) {
            header.resize(12);
            bmp::StoreU32(&header[0], 12);
            bmp::StoreU16(&header[4], static_cast<std::uint16_t>(mWidth));
            bmp::StoreU16(&header[6], static_cast<std::uint16_t>(mHeight));
            bmp::StoreU16(&header[8], mPlanes);
            bmp::StoreU16(&header[10], mBitCount);
        } else {
            header.resize(std::max<std::uint32_t>(mHeaderSize, 40));
            bmp::StoreU32(&header[0], mHeaderSize);
            bmp::StoreI32(&header[4], mWidth);
            bmp::StoreI32(&header[8], mHeight);
            bmp::StoreU16(&header[12], mPlanes);
            bmp::StoreU16(&header[14], mBitCount);
            bmp::StoreU32(&header[16], mCompression);
            bmp::StoreU32(&header[20], mSizeImage);
            bmp::StoreI32(&header[24], mXPels);
            bmp::StoreI32(&header[28], mYPels);
            bmp::StoreU32(&header[32], mClrUsed);
            bmp::StoreU32(&header[36], mClrImportant);
            if (mMasks) {
                if (mHeaderSize == 40) {
                    for (std::uint32_t m : *mMasks) {
                        header.resize(header.size() + 4);
                        bmp::StoreU32(&header[header.size() - 4], m);
                    }
                } else {
                    header.resize(std::max<std::size_t>(header.size(), 52));
                    for (std::size_t i = 0; i < 3; ++i) bmp::StoreU32(&header[40 + 4 * i], (*mMasks)[i]);
                }
            }
            // A header size smaller than 40 is written as claimed: the file is cut there.
            if (mHeaderSize < 40 && !mMasks) header.resize(mHeaderSize < 4 ? 4 : mHeaderSize);
        }
        for (const gdi::RgbQuad& q : mTable) {
            header.push_back(q.blue);
            header.push_back(q.green);
            header.push_back(q.red);
            if (!mCore) header.push_back(q.reserved);
        }
        header.insert(header.end(), mGap.begin(), mGap.end());

        // Reserved up front: growing a 14-byte vector by insert trips a false -Warray-bounds in g++ 12.
        std::vector<std::uint8_t> file;
        file.reserve(14 + header.size() + mPixels.size());
        file.resize(14);
        file[0] = mSignature[0];
        file[1] = mSignature[1];
        const std::uint32_t offBits = mOffBits ? *mOffBits : static_cast<std::uint32_t>(14 + header.size());
        bmp::StoreU32(&file[2], static_cast<std::uint32_t>(14 + header.size() + mPixels.size()));
        bmp::StoreU32(&file[10], offBits);
        file.insert(file.end(), header.begin(), header.end());
        file.insert(file.end(), mPixels.begin(), mPixels.end());
        return file;
    }

private:
    std::int32_t mWidth = 2;
    std::int32_t mHeight = 2;
    std::uint16_t mBitCount = 24;
    std::uint32_t mCompression = gdi::kBiRgb;
    std::uint32_t mHeaderSize = 40;
    std::uint16_t mPlanes = 1;
    std::uint32_t mClrUsed = 0;
    std::uint32_t mClrImportant = 0;
    std::uint32_t mSizeImage = 0;
    std::int32_t mXPels = 0;
    std::int32_t mYPels = 0;
    std::optional<std::array<std::uint32_t, 3>> mMasks;
    std::vector<gdi::RgbQuad> mTable;
    std::vector<std::uint8_t> mPixels;
    std::vector<std::uint8_t> mGap;
    std::optional<std::uint32_t> mOffBits;
    std::array<std::uint8_t, 2> mSignature{'B', 'M'};
    bool mCore = false;
};

inline gdi::RgbQuad Quad(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return gdi::RgbQuad{b, g, r, 0}; }

// count distinct colours, entry i = (i, 255 - i, i / 2)
inline std::vector<gdi::RgbQuad> RampTable(std::size_t count) {
    std::vector<gdi::RgbQuad> table;
    for (std::size_t i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        table.push_back(Quad(v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v / 2)));
    }
    return table;
}

inline gdi::ColorRef ColourOfEntry(const gdi::RgbQuad& q) { return gdi::Rgb(q.red, q.green, q.blue); }

inline void ReadBytes(TBitmap& bitmap, const std::vector<std::uint8_t>& bytes) {
    MemoryInputStream stream(bytes);
    ReadBmp(bitmap, stream, bytes.size());
}

// The colour of pixel (x, y), counted from the top-left, as the bitmap's drawing surface reads it.
inline gdi::ColorRef PixelAt(TBitmap& bitmap, std::int32_t x, std::int32_t y) {
    return bitmap.DrawingSurface().ReadPixel(x, y);
}

// Every pixel, rows from the top.
inline std::vector<gdi::ColorRef> AllPixels(TBitmap& bitmap) {
    std::vector<gdi::ColorRef> out;
    for (std::int32_t y = 0; y < bitmap.ImageHeight(); ++y)
        for (std::int32_t x = 0; x < bitmap.ImageWidth(); ++x) out.push_back(PixelAt(bitmap, x, y));
    return out;
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
    EXPECT_EQ(PixelAt(bitmap, 0, 0), gdi::Rgb(255, 0, 0));
    EXPECT_EQ(PixelAt(bitmap, 1, 0), gdi::Rgb(0, 255, 0));
    EXPECT_EQ(PixelAt(bitmap, 2, 0), gdi::Rgb(0, 0, 255));
}

// A 5-bit channel level widened to 8 bits by exact scaling (31 is 255), as the display reads
// back a 16-bit pixel.
inline std::uint8_t WidenFiveBits(unsigned level) {
    return static_cast<std::uint8_t>((level * 255 + 15) / 31);
}

// A picture for tiles in which neighbouring pixels differ in every channel.
inline gdi::ColorRef TileGradient(std::int32_t x, std::int32_t y) {
    return gdi::Rgb(static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 7),
                    static_cast<std::uint8_t>(255 - 2 * x));
}

// The device-form bitmap a tile is when it is written: sized height first, as the tile commands
// do, then every pixel (x, y) set to colour(x, y).
using PixelColour = std::function<gdi::ColorRef(std::int32_t x, std::int32_t y)>;
inline void MakeDeviceTile(TBitmap& tile, std::int32_t width, std::int32_t height,
                           const PixelColour& colour = TileGradient) {
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

inline std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A test name from a file's path under its folder: "q/pal8os2-sz.bmp" gives "q_pal8os2_sz".
inline std::string TestNameOf(const std::string& file) {
    std::string name = std::filesystem::path(file).replace_extension().string();
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

// The names in a folder, sorted: what a failed write must not leave behind shows here.
inline std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "mosaren-test-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (::mkdtemp(name.data()) != nullptr) mPath = name.data();
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!mPath.empty()) std::filesystem::remove_all(mPath, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }
    std::string File(const std::string& name) const { return (mPath / name).string(); }

private:
    std::filesystem::path mPath;
};

}  // namespace mosaren::test
