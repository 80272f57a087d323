#pragma once

// Some pixels of a BMP file, read as ReadBmpFile reads the whole picture. A tile shows a few
// thousand pixels of its texture, so a reader that knows which can leave the rest of the file
// unread: of a plain or bit-field file it reads only the bytes of the rows and columns asked
// for; of a run-length file it decodes the data in one pass, one row at a time, keeping only
// the rows asked for.
//
// Whatever it reads, it reads as the reader does, through the same header parsing, the same
// acceptance rules of the graphics layer and the same row decoding: a file the reader refuses
// is refused here with the same failure, and a pixel has the colour that the picture ReadBmpFile
// makes gives it. A sampler keeps its buffers from one file to the next.

#include <cstdint>
#include <algorithm>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "colour.h"

namespace mosaren {

// Pixels asked of a picture: rows counted from the top, in ascending order, each with its
// columns in ascending order, no pixel named twice. Colours come back in the order of columns.
struct PixelSamples {
    struct Row {
        std::int32_t y = 0;
        std::uint32_t first = 0;  // its columns are columns[first] to columns[first + count − 1]
        std::uint32_t count = 0;
    };
    std::vector<Row> rows;
    std::vector<std::int32_t> columns;

    std::size_t Count() const { return columns.size(); }

    // Every pixel of the rows from top to bottom − 1, the columns from left to right − 1.
    void SetWholeRows(std::int32_t top, std::int32_t bottom, std::int32_t left,
                      std::int32_t right) {
        rows.clear();
        columns.clear();
        for (std::int32_t y = top; y < bottom; ++y) {
            rows.push_back({y, static_cast<std::uint32_t>(columns.size()),
                            static_cast<std::uint32_t>(right - left)});
            for (std::int32_t x = left; x < right; ++x) columns.push_back(x);
        }
    }
};

// How many rows of width pixels make a band that a whole-texture reading holds at a time:
// about a million pixels, at least one row.
inline std::int32_t BandRows(std::int32_t width) {
    constexpr std::int32_t kBandPixels = std::int32_t{1} << 20;
    return std::max<std::int32_t>(1, kBandPixels / std::max<std::int32_t>(1, width));
}

// How a row of a file's own bytes holds its pixels: a pixel every step bytes (3 or 4), each
// channel's byte at its offset from the pixel's first.
struct ByteTexels {
    std::size_t step;
    std::size_t red;
    std::size_t green;
    std::size_t blue;
};

class BmpSampler {
public:
    BmpSampler();
    ~BmpSampler();
    BmpSampler(const BmpSampler&) = delete;
    BmpSampler& operator=(const BmpSampler&) = delete;

    // Opens the file and reads its headers. Raises what ReadBmpFile raises for a file that it
    // refuses: one that cannot be opened, whose headers are not valid, or whose picture the
    // graphics layer would not make (a header it does not accept, a picture beyond its size
    // cap). The file stays open until the next Open. A run-length picture's colours are read as
    // the reader's device image at the display depth `depth` holds them.
    void Open(const std::string& fileName, int depth);

    std::int32_t Width() const;
    std::int32_t Height() const;
    // A file of 0 bytes reads as a picture without pixels.
    bool HasPixels() const;
    // Of one bit per pixel, as TBitmap::IsMonochrome says of the picture read.
    bool IsMonochrome() const;

    // The colours of the pixels named, each as TBitmap::ReadColours gives it from the picture
    // that ReadBmpFile makes of the file. Every pixel named must lie in the picture. Raises
    // "Stream read error" should the file end before the bytes its size promised.
    void ReadColours(const PixelSamples& samples, std::span<TColor> colours);

    // Every pixel of the rows from top to bottom − 1 and the columns from left to right − 1, all
    // within the picture, handed to take a row at a time from the top, each as ReadColours gives
    // it. What averages a whole texture reads it so: a plain or bit-field file a band of rows at a
    // time in one read, each row decoded whole (24 and 32 bits and 8-bit indices straight to
    // colours); a run-length file through ReadColours, a band of rows at a time.
    using RowTaker = std::function<void(std::int32_t y, std::span<const TColor> colours)>;
    void ReadRows(std::int32_t top, std::int32_t bottom, std::int32_t left, std::int32_t right,
                  const RowTaker& take);

    // The same rows as the file holds them, where its pixels are a byte a channel (24 and 32
    // bits, bit fields of whole bytes), each handed from its pixel in column left, so that what
    // averages them skips making colours of them first; false, with nothing read, of any other
    // file. A channel's byte is the value ReadColours gives.
    using ByteRowTaker =
        std::function<void(std::int32_t y, const std::uint8_t* row, const ByteTexels& texels)>;
    bool ReadByteRows(std::int32_t top, std::int32_t bottom, std::int32_t left,
                      std::int32_t right, const ByteRowTaker& take);

private:
    struct State;
    std::unique_ptr<State> mState;
};

}  // namespace mosaren
