#include "rle_decode.h"

#include <cstddef>

namespace mosaren::gdi {

namespace {

// Walks the encoded stream. Every read is checked against the data and every store against the
// image: a run that goes past the right edge is clipped there (the pixels beyond are dropped,
// as the format has no wrapping), and anything that would move past the top row, or data that
// ends before its end-of-bitmap code, ends decoding with what has been decoded so far.
class RleDecoder {
public:
    RleDecoder(std::span<const std::uint8_t> data, bool rle4, std::int32_t width,
               std::int32_t height, std::vector<std::uint8_t>& out)
        : mData(data), mRle4(rle4), mWidth(width), mHeight(height), mOut(out) {}

    void Run() {
        while (mY < mHeight) {
            std::uint8_t count = 0;
            std::uint8_t value = 0;
            if (!Next(count) || !Next(value)) return;
            if (count > 0) {
                Encoded(count, value);
                continue;
            }
            switch (value) {
                case 0:  // end of line
                    mX = 0;
                    ++mY;
                    break;
                case 1:  // end of bitmap
                    return;
                case 2: {  // delta: right dx, up dy rows
                    std::uint8_t dx = 0;
                    std::uint8_t dy = 0;
                    if (!Next(dx) || !Next(dy)) return;
                    mX += dx;
                    mY += dy;
                    break;
                }
                default:
                    if (!Absolute(value)) return;
                    break;
            }
        }
    }

private:
    bool Next(std::uint8_t& byte) {
        if (mPos >= mData.size()) return false;
        byte = mData[mPos++];
        return true;
    }

    void Store(std::uint8_t index) {
        // mX only grows within a row; once past the right edge the rest of the run is dropped.
        if (mX < mWidth) {
            mOut[static_cast<std::size_t>(mY) * static_cast<std::size_t>(mWidth) +
                 static_cast<std::size_t>(mX)] = index;
        }
        ++mX;
    }

    // An encoded run: count pixels of one index (RLE8), or of the two nibbles of value in turn,
    // high nibble first (RLE4).
    void Encoded(std::uint8_t count, std::uint8_t value) {
        for (int i = 0; i < count && mX < mWidth; ++i) {
            if (mRle4) {
                Store((i % 2 == 0) ? static_cast<std::uint8_t>(value >> 4)
                                   : static_cast<std::uint8_t>(value & 0x0F));
            } else {
                Store(value);
            }
        }
    }

    // An absolute run of count pixels stored as they are: count bytes (RLE8) or count nibbles
    // packed two to a byte (RLE4), the run padded to a whole 16-bit word in the data.
    bool Absolute(std::uint8_t count) {
        const std::size_t bytes = mRle4 ? (std::size_t{count} + 1) / 2 : std::size_t{count};
        const std::size_t padded = bytes + (bytes % 2);
        for (std::size_t i = 0; i < bytes; ++i) {
            std::uint8_t byte = 0;
            if (!Next(byte)) return false;
            if (mRle4) {
                Store(static_cast<std::uint8_t>(byte >> 4));
                if (2 * i + 1 < count) Store(static_cast<std::uint8_t>(byte & 0x0F));
            } else {
                Store(byte);
            }
        }
        if (padded > bytes) {
            std::uint8_t pad = 0;
            if (!Next(pad)) return false;
        }
        return true;
    }

    std::span<const std::uint8_t> mData;
    std::size_t mPos = 0;
    bool mRle4;
    // 64-bit so that deltas (at most 255 each) cannot overflow however many the data holds.
    std::int64_t mX = 0;
    std::int64_t mY = 0;
    std::int64_t mWidth;
    std::int64_t mHeight;
    std::vector<std::uint8_t>& mOut;
};

}  // namespace

// Pixels that the data never reaches (skipped by a delta, left by an early end of line or of
// bitmap, or past the point where the data ends) are index 0: the background entry of the
// colour table, which is what a new image of that palette shows before anything is drawn.
std::vector<std::uint8_t> DecodeRle(std::span<const std::uint8_t> data, bool rle4,
                                    std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return {};
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) *
                                  static_cast<std::size_t>(height), 0);
    RleDecoder(data, rle4, width, height, out).Run();
    return out;
}

}  // namespace mosaren::gdi
