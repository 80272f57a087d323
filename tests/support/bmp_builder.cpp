#include "bmp_builder.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "files.h"

namespace mosaren::testing {

namespace {

void Store(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// 5 bits of each channel, rounded to the nearest level.
std::uint32_t FiveBits(std::uint8_t channel) { return (channel * 31u + 127u) / 255u; }

}  // namespace

BmpBuilder& BmpBuilder::Size(std::int32_t width, std::int32_t height) {
    mWidth = width;
    mHeight = height;
    return *this;
}
BmpBuilder& BmpBuilder::Bits(std::uint16_t bitCount) {
    mBitCount = bitCount;
    return *this;
}
BmpBuilder& BmpBuilder::Compression(std::uint32_t compression) {
    mCompression = compression;
    return *this;
}
BmpBuilder& BmpBuilder::HeaderSize(std::uint32_t size) {
    mHeaderSize = size;
    return *this;
}
BmpBuilder& BmpBuilder::Planes(std::uint16_t planes) {
    mPlanes = planes;
    return *this;
}
BmpBuilder& BmpBuilder::ClrUsed(std::uint32_t count) {
    mClrUsed = count;
    return *this;
}
BmpBuilder& BmpBuilder::ClrImportant(std::uint32_t count) {
    mClrImportant = count;
    return *this;
}
BmpBuilder& BmpBuilder::SizeImage(std::uint32_t size) {
    mSizeImage = size;
    return *this;
}
BmpBuilder& BmpBuilder::Resolution(std::int32_t x, std::int32_t y) {
    mXPels = x;
    mYPels = y;
    return *this;
}
BmpBuilder& BmpBuilder::Masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    mMasks = {red, green, blue};
    return *this;
}
BmpBuilder& BmpBuilder::Table(std::vector<TColor> table) {
    mTable = std::move(table);
    return *this;
}
BmpBuilder& BmpBuilder::Pixels(std::vector<std::uint8_t> pixels) {
    mPixels = std::move(pixels);
    return *this;
}
BmpBuilder& BmpBuilder::Gap(std::vector<std::uint8_t> gap) {
    mGap = std::move(gap);
    return *this;
}
BmpBuilder& BmpBuilder::OffBits(std::uint32_t offBits) {
    mOffBits = offBits;
    return *this;
}
BmpBuilder& BmpBuilder::Signature(std::uint8_t first, std::uint8_t second) {
    mSignature = {first, second};
    return *this;
}
BmpBuilder& BmpBuilder::Core() {
    mCore = true;
    return *this;
}

BmpBuilder& BmpBuilder::Picture(const ColourAt& colourAt) {
    const std::size_t bytesPerPixel = mBitCount / 8u;
    if (bytesPerPixel < 2 || bytesPerPixel > 4 || mWidth <= 0) {
        throw std::logic_error("a picture is 16, 24 or 32 bits per pixel");
    }
    const std::size_t stride = (static_cast<std::size_t>(mWidth) * bytesPerPixel + 3) / 4 * 4;
    const std::int32_t rows = mHeight < 0 ? -mHeight : mHeight;
    mPixels.assign(stride * static_cast<std::size_t>(rows), 0);
    for (std::int32_t row = 0; row < rows; ++row) {
        // Bottom row first, unless a negative height makes the file top-down.
        const int y = mHeight < 0 ? row : rows - 1 - row;
        std::uint8_t* out = mPixels.data() + static_cast<std::size_t>(row) * stride;
        for (int x = 0; x < mWidth; ++x, out += bytesPerPixel) {
            const TColor c = colourAt(x, y);
            if (bytesPerPixel == 2) {
                Store(
                    out,
                    (FiveBits(RedOf(c)) << 10) | (FiveBits(GreenOf(c)) << 5) | FiveBits(BlueOf(c)),
                    2);
            } else {
                out[0] = BlueOf(c);
                out[1] = GreenOf(c);
                out[2] = RedOf(c);
            }
        }
    }
    mSizeImage = static_cast<std::uint32_t>(mPixels.size());
    return *this;
}

std::vector<std::uint8_t> BmpBuilder::Build() const {
    std::vector<std::uint8_t> header;
    if (mCore) {
        header.resize(12);
        Store(&header[0], 12, 4);
        Store(&header[4], static_cast<std::uint32_t>(mWidth), 2);
        Store(&header[6], static_cast<std::uint32_t>(mHeight), 2);
        Store(&header[8], mPlanes, 2);
        Store(&header[10], mBitCount, 2);
    } else {
        header.resize(std::max<std::uint32_t>(mHeaderSize, 40));
        Store(&header[0], mHeaderSize, 4);
        Store(&header[4], static_cast<std::uint32_t>(mWidth), 4);
        Store(&header[8], static_cast<std::uint32_t>(mHeight), 4);
        Store(&header[12], mPlanes, 2);
        Store(&header[14], mBitCount, 2);
        Store(&header[16], mCompression, 4);
        Store(&header[20], mSizeImage, 4);
        Store(&header[24], static_cast<std::uint32_t>(mXPels), 4);
        Store(&header[28], static_cast<std::uint32_t>(mYPels), 4);
        Store(&header[32], mClrUsed, 4);
        Store(&header[36], mClrImportant, 4);
        if (mMasks) {
            if (mHeaderSize == 40) {
                for (std::uint32_t mask : *mMasks) {
                    header.resize(header.size() + 4);
                    Store(&header[header.size() - 4], mask, 4);
                }
            } else {
                header.resize(std::max<std::size_t>(header.size(), 52));
                for (std::size_t i = 0; i < 3; ++i) Store(&header[40 + 4 * i], (*mMasks)[i], 4);
            }
        }
        // A header size smaller than 40 is written as claimed: the file is cut there.
        if (mHeaderSize < 40 && !mMasks) header.resize(mHeaderSize < 4 ? 4 : mHeaderSize);
    }
    for (const TColor entry : mTable) {
        header.push_back(BlueOf(entry));
        header.push_back(GreenOf(entry));
        header.push_back(RedOf(entry));
        if (!mCore) header.push_back(0);
    }
    header.insert(header.end(), mGap.begin(), mGap.end());

    // Reserved up front: growing a 14-byte vector by insert trips a false -Warray-bounds in g++ 12.
    std::vector<std::uint8_t> file;
    file.reserve(14 + header.size() + mPixels.size());
    file.resize(14);
    file[0] = mSignature[0];
    file[1] = mSignature[1];
    const auto headers = static_cast<std::uint32_t>(14 + header.size());
    Store(&file[2], headers + static_cast<std::uint32_t>(mPixels.size()), 4);
    Store(&file[10], mOffBits ? *mOffBits : headers, 4);
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), mPixels.begin(), mPixels.end());
    return file;
}

void BmpBuilder::Write(const std::filesystem::path& path) const { WriteBytes(path, Build()); }

void WriteTexture(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                  const ColourAt& colourAt, std::uint16_t bitCount) {
    BmpBuilder().Size(width, height).Bits(bitCount).Picture(colourAt).Write(path);
}

void WriteSolidTexture(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                       TColor colour) {
    WriteTexture(path, width, height, [colour](int, int) { return colour; });
}

}  // namespace mosaren::testing
