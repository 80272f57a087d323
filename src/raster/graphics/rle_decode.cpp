#include "rle_decode.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace mosaren::gdi {

namespace {

// Walks the encoded stream. Every read is checked against the data and every store against the
// image: a run that goes past the right edge is clipped there (the pixels beyond are dropped,
// as the format has no wrapping), and anything that would move past the top row, or data that
// ends before its end-of-bitmap code, ends decoding with what has been decoded so far.
//
// The rows are decoded into one row buffer: the position only ever moves right within a row or
// up to a later row, so a row is finished once the position has left it. A row nobody wants is
// walked through without storing anything.
class RleDecoder {
public:
    RleDecoder(std::span<const std::uint8_t> data, bool rle4, std::int32_t width,
               std::int32_t height, std::span<const std::int32_t> wanted, const RleRow& row)
        : mData(data),
          mRle4(rle4),
          mWidth(width),
          mWanted(wanted),
          mLast(wanted.empty() ? height - 1 : std::min<std::int64_t>(wanted.back(), height - 1)),
          mRow(static_cast<std::size_t>(width), 0),
          mEmit(row) {
        mStoring = Wanted(0);
    }

    void Run() {
        Decode();
        // The row the position is in, and every wanted row above it, as far as they were decoded.
        while (mEmitted <= mLast) EmitRow();
    }

private:
    void Decode() {
        while (mY <= mLast) {
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
                    MoveUp(1);
                    break;
                case 1:  // end of bitmap
                    return;
                case 2: {  // delta: right dx, up dy rows
                    std::uint8_t dx = 0;
                    std::uint8_t dy = 0;
                    if (!Next(dx) || !Next(dy)) return;
                    mX += dx;
                    MoveUp(dy);
                    break;
                }
                default:
                    if (!Absolute(value)) return;
                    break;
            }
        }
    }

    bool Next(std::uint8_t& byte) {
        if (mPos >= mData.size()) return false;
        byte = mData[mPos++];
        return true;
    }

    bool Wanted(std::int64_t y) {
        if (mWanted.empty()) return true;
        while (mNextWanted < mWanted.size() && mWanted[mNextWanted] < y) ++mNextWanted;
        return mNextWanted < mWanted.size() && mWanted[mNextWanted] == y;
    }

    // Hands over the row at mEmitted, if wanted, and clears the buffer for the next one.
    void EmitRow() {
        if (mStoring) mEmit(static_cast<std::int32_t>(mEmitted), mRow.data());
        if (mDirty) {
            std::fill(mRow.begin(), mRow.end(), std::uint8_t{0});
            mDirty = false;
        }
        ++mEmitted;
        mStoring = Wanted(mEmitted);
    }

    // The position goes up rows rows; every row it leaves is finished.
    void MoveUp(std::int64_t rows) {
        mY += rows;
        while (mEmitted < std::min(mY, mLast + 1)) EmitRow();
    }

    // How many of count pixels from the position lie within the row.
    std::int64_t Inside(std::int64_t count) const {
        return mX < mWidth ? std::min(count, mWidth - mX) : 0;
    }

    void Store(std::uint8_t index) {
        // mX only grows within a row; once past the right edge the rest of the run is dropped.
        if (mX < mWidth && mStoring) {
            mRow[static_cast<std::size_t>(mX)] = index;
            mDirty = true;
        }
        ++mX;
    }

    // An encoded run: count pixels of one index (RLE8), or of the two nibbles of value in turn,
    // high nibble first (RLE4). It stops at the right edge.
    void Encoded(std::uint8_t count, std::uint8_t value) {
        const std::int64_t n = Inside(count);
        if (mStoring && n > 0) {
            std::uint8_t* to = mRow.data() + mX;
            if (mRle4) {
                const std::uint8_t pair[2] = {static_cast<std::uint8_t>(value >> 4),
                                              static_cast<std::uint8_t>(value & 0x0F)};
                for (std::int64_t i = 0; i < n; ++i) to[i] = pair[i % 2];
            } else {
                std::memset(to, value, static_cast<std::size_t>(n));
            }
            mDirty = true;
        }
        mX += n;
    }

    // An absolute run of count pixels stored as they are: count bytes (RLE8) or count nibbles
    // packed two to a byte (RLE4), the run padded to a whole 16-bit word in the data.
    bool Absolute(std::uint8_t count) {
        const std::size_t bytes = mRle4 ? (std::size_t{count} + 1) / 2 : std::size_t{count};
        const std::size_t padded = bytes + (bytes % 2);
        const std::size_t there = std::min(bytes, mData.size() - mPos);
        if (mRle4) {
            for (std::size_t i = 0; i < there; ++i) {
                const std::uint8_t byte = mData[mPos + i];
                Store(static_cast<std::uint8_t>(byte >> 4));
                if (2 * i + 1 < count) Store(static_cast<std::uint8_t>(byte & 0x0F));
            }
        } else {
            const std::int64_t n = Inside(static_cast<std::int64_t>(there));
            if (mStoring && n > 0) {
                std::memcpy(mRow.data() + mX, mData.data() + mPos, static_cast<std::size_t>(n));
                mDirty = true;
            }
            mX += static_cast<std::int64_t>(there);
        }
        mPos += there;
        if (there < bytes) return false;
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
    std::span<const std::int32_t> mWanted;
    std::size_t mNextWanted = 0;
    std::int64_t mLast;  // the last row wanted
    std::vector<std::uint8_t> mRow;
    bool mDirty = false;
    bool mStoring = false;      // whether the row at mEmitted is wanted
    std::int64_t mEmitted = 0;  // rows finished so far
    const RleRow& mEmit;
};

}  // namespace

// Pixels that the data never reaches (skipped by a delta, left by an early end of line or of
// bitmap, or past the point where the data ends) are index 0: the background entry of the
// colour table, which is what a new image of that palette shows before anything is drawn.
void DecodeRleRows(std::span<const std::uint8_t> data, bool rle4, std::int32_t width,
                   std::int32_t height, std::span<const std::int32_t> wanted, const RleRow& row) {
    if (width <= 0 || height <= 0) return;
    RleDecoder(data, rle4, width, height, wanted, row).Run();
}

}  // namespace mosaren::gdi
