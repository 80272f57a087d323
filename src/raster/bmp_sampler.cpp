#include "bmp_sampler.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <optional>

#include "bmp_bounded_reader.h"
#include "bmp_header.h"
#include "byte_stream.h"
#include "exceptions.h"
#include "graphics/graphics.h"
#include "graphics/pixel_format.h"
#include "graphics/rle_decode.h"

namespace mosaren {

namespace {

// The head of a file is read in one go: it holds the headers, and of a small file everything.
constexpr std::size_t kHeadBytes = 64 * 1024;
// Bytes between two pieces that are cheaper to read along than to skip with another call.
constexpr std::uint64_t kReadAlong = 16 * 1024;
// Whole rows of a plain or bit-field file are read about this many bytes at a time: a band
// that stays in the cache while it is decoded.
constexpr std::size_t kBandBytes = std::size_t{128} << 10;

// The file as the headers are read from it: its head from memory, anything beyond from the file.
class HeadFirstInput final : public InputStream {
public:
    HeadFirstInput(FileInputStream& file, const std::vector<std::uint8_t>& head)
        : mFile(file), mHead(head) {}

    std::size_t Read(void* buffer, std::size_t count) override {
        auto* bytes = static_cast<std::uint8_t*>(buffer);
        std::size_t got = 0;
        if (mPosition < mHead.size()) {
            got = std::min<std::size_t>(count, mHead.size() - mPosition);
            std::memcpy(bytes, mHead.data() + mPosition, got);
            mPosition += got;
        }
        if (got < count) {
            const std::size_t more = mFile.ReadAt(mPosition, bytes + got, count - got);
            mPosition += more;
            got += more;
        }
        return got;
    }

private:
    FileInputStream& mFile;
    const std::vector<std::uint8_t>& mHead;
    std::uint64_t mPosition = 0;
};

// Bytes of the file read in one call, and where they go in the read buffer.
struct Read {
    std::uint64_t from = 0;  // from the first pixel byte of the file
    std::uint64_t to = 0;
    std::size_t buffered = 0;
};

// A stretch of one row's bytes that holds some of the pixels asked for.
struct Piece {
    std::uint64_t offset = 0;  // from the first pixel byte of the file
    std::uint32_t length = 0;
    std::int32_t firstColumn = 0;  // the pixel that starts at the piece's first byte
    std::uint32_t sample = 0;      // its pixels are samples sample to sample + count − 1
    std::uint32_t count = 0;
    std::size_t buffered = 0;      // where its bytes lie in the read buffer
};

}  // namespace

struct BmpSampler::State {
    enum class Kind { Empty, Section, RunLength };

    std::optional<FileInputStream> file;
    std::vector<std::uint8_t> head;
    BmpPixelData data;
    Kind kind = Kind::Empty;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // Plain and bit-field files: the section the reader would make, without its pixels.
    gdi::ImageLayout section;
    std::uint64_t takenBytes = 0;  // of the pixel data, what the reader takes
    // Run-length files: the colour each index has in the device image the reader makes.
    std::vector<TColor> runLengthColours;

    // Kept from one file to the next.
    std::vector<Piece> pieces;
    std::vector<Read> reads;
    std::vector<std::uint8_t> buffer;
    std::vector<std::int32_t> columns;
    std::vector<std::int32_t> wanted;  // rows of run-length data, from the bottom
    PixelSamples band;
    std::vector<TColor> bandColours;

    void ReadSectionColours(const PixelSamples& samples, std::span<TColor> colours);
    void ReadRunLengthColours(const PixelSamples& samples, std::span<TColor> colours);
    void ReadSectionRows(std::int32_t top, std::int32_t bottom, std::int32_t left,
                         std::int32_t right, const RowTaker& take);
    // The stored rows from top to bottom − 1, take(y, row) each, a band at a time in one read.
    template <typename Take>
    void ForEachStoredRow(std::int32_t top, std::int32_t bottom, const Take& take);
    // The rows through ReadColours, a band of them at a time.
    void ReadRowsBySamples(std::int32_t top, std::int32_t bottom, std::int32_t left,
                           std::int32_t right, const RowTaker& take);
    // The bytes [offset, offset + length) of the pixel data into out; bytes past what the
    // reader takes read as zero, as they stay in a new section.
    void ReadPixelBytes(std::uint64_t offset, std::size_t length, std::uint8_t* out);
};

BmpSampler::BmpSampler() : mState(std::make_unique<State>()) {}

BmpSampler::~BmpSampler() = default;

void BmpSampler::Open(const std::string& fileName, int depth) {
    State& s = *mState;
    s.file.reset();
    s.kind = State::Kind::Empty;
    s.width = 0;
    s.height = 0;
    try {
        s.file.emplace(fileName);
        FileInputStream& file = *s.file;
        const std::uint64_t size = file.Size();
        if (size == 0) return;  // the reader's empty picture

        s.head.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, kHeadBytes)));
        s.head.resize(file.ReadAt(0, s.head.data(), s.head.size()));
        HeadFirstInput input(file, s.head);
        BmpBoundedReader reader(input, size);
        s.data = ReadBmpLayout(reader);
        const gdi::BitmapInfoHeader& info = s.data.headers.info;

        // The reader's two ways to a picture, with the graphics layer's rules for each.
        if (info.biCompression == gdi::kBiRgb || info.biCompression == gdi::kBiBitfields) {
            if (!gdi::SectionLayout(info, s.data.headers.masks, s.data.headers.colours,
                                    s.section)) {
                RaiseImageRefusal();
            }
            s.kind = State::Kind::Section;
            s.width = s.section.width;
            s.height = s.section.height;
            s.takenBytes = std::min<std::uint64_t>(
                s.data.size, s.section.stride * static_cast<std::uint64_t>(s.section.height));
        } else {
            if (!gdi::RunLengthImageAccepted(info)) RaiseImageRefusal();
            s.kind = State::Kind::RunLength;
            s.width = info.biWidth;
            s.height = info.biHeight;
            // The device image holds each colour as the display's depth keeps it.
            s.runLengthColours = gdi::RunLengthColours(info, s.data.headers.colours);
            const gdi::RowCodec device(gdi::PixelFormat::Of(depth, gdi::kBiRgb, {}), {});
            std::uint8_t stored[4] = {};
            for (TColor& colour : s.runLengthColours) {
                device.Write(stored, 0, 1, &colour);
                device.Read(stored, 0, 1, &colour);
            }
        }
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(messages::kOutOfMemory);
    }
}

std::int32_t BmpSampler::Width() const { return mState->width; }

std::int32_t BmpSampler::Height() const { return mState->height; }

bool BmpSampler::HasPixels() const { return mState->kind != State::Kind::Empty; }

bool BmpSampler::IsMonochrome() const {
    return mState->kind == State::Kind::Section && mState->section.bitCount == 1;
}

void BmpSampler::ReadColours(const PixelSamples& samples, std::span<TColor> colours) {
    State& s = *mState;
    try {
        switch (s.kind) {
            case State::Kind::Empty:
                std::fill(colours.begin(), colours.end(), kClrInvalid);
                break;
            case State::Kind::Section:
                s.ReadSectionColours(samples, colours);
                break;
            case State::Kind::RunLength:
                s.ReadRunLengthColours(samples, colours);
                break;
        }
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(messages::kOutOfMemory);
    }
}

void BmpSampler::ReadRows(std::int32_t top, std::int32_t bottom, std::int32_t left,
                          std::int32_t right, const RowTaker& take) {
    State& s = *mState;
    if (top >= bottom || left >= right) return;
    try {
        if (s.kind == State::Kind::Section) {
            s.ReadSectionRows(top, bottom, left, right, take);
        } else {
            s.ReadRowsBySamples(top, bottom, left, right, take);
        }
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(messages::kOutOfMemory);
    }
}

void BmpSampler::State::ReadRowsBySamples(std::int32_t top, std::int32_t bottom,
                                          std::int32_t left, std::int32_t right,
                                          const RowTaker& take) {
    const auto width = static_cast<std::size_t>(right - left);
    // A run-length file's rows a band at a time: each band decodes the data again.
    const std::int32_t bandRows = BandRows(right - left);
    for (std::int32_t y0 = top; y0 < bottom; y0 += bandRows) {
        const std::int32_t y1 = std::min(bottom, y0 + bandRows);
        band.SetWholeRows(y0, y1, left, right);
        bandColours.resize(band.Count());
        if (kind == Kind::RunLength) {
            ReadRunLengthColours(band, bandColours);
        } else {
            std::fill(bandColours.begin(), bandColours.end(), kClrInvalid);
        }
        for (std::int32_t y = y0; y < y1; ++y) {
            take(y, std::span<const TColor>(bandColours)
                        .subspan(static_cast<std::size_t>(y - y0) * width, width));
        }
    }
}

void BmpSampler::State::ReadSectionRows(std::int32_t top, std::int32_t bottom, std::int32_t left,
                                        std::int32_t right, const RowTaker& take) {
    const gdi::PixelFormat format =
        gdi::PixelFormat::Of(section.bitCount, section.compression, section.masks);
    const gdi::RowCodec codec(format, section.colours);
    // The formats decoded here rather than through the codec: whole rows of 24 and 32 bits, of
    // bit fields of 8 bits a channel (whose widening keeps each value), and of 8-bit indices,
    // through their table made once (an index past it reads as black, as the codec has it).
    enum class Fast { None, Bgr24, Shifts32, Indexed8 } fast = Fast::None;
    int redShift = 16, greenShift = 8, blueShift = 0;
    TColor table[256];
    switch (format.kind) {
        case gdi::PixelKind::Bgr24:
            fast = Fast::Bgr24;
            break;
        case gdi::PixelKind::Bgrx32:
            fast = Fast::Shifts32;
            break;
        case gdi::PixelKind::Masked32:
            if (format.red.maximum == 255 && format.green.maximum == 255 &&
                format.blue.maximum == 255) {
                fast = Fast::Shifts32;
                redShift = format.red.shift;
                greenShift = format.green.shift;
                blueShift = format.blue.shift;
            }
            break;
        case gdi::PixelKind::Indexed8:
            fast = Fast::Indexed8;
            for (std::size_t i = 0; i < 256; ++i) {
                table[i] = i < section.colours.size() ? gdi::ColourOf(section.colours[i]) : 0;
            }
            break;
        default:
            break;
    }

    const auto width = static_cast<std::size_t>(right - left);
    bandColours.resize(width);
    TColor* out = bandColours.data();
    ForEachStoredRow(top, bottom, [&](std::int32_t y, const std::uint8_t* row) {
        switch (fast) {
            case Fast::Bgr24: {
                const std::uint8_t* p = row + 3 * static_cast<std::size_t>(left);
                std::size_t x = 0;
                if constexpr (std::endian::native == std::endian::little) {
                    // Four bytes at a time, reversed: the pixel's three and the next one's
                    // first, shifted out. The last pixel's fourth byte may lie past the band.
                    for (; x + 1 < width; ++x, p += 3) {
                        std::uint32_t v;
                        std::memcpy(&v, p, 4);
                        out[x] = __builtin_bswap32(v) >> 8;
                    }
                }
                for (; x < width; ++x, p += 3) out[x] = Rgb(p[2], p[1], p[0]);
                break;
            }
            case Fast::Shifts32: {
                const std::uint8_t* p = row + 4 * static_cast<std::size_t>(left);
                for (std::size_t x = 0; x < width; ++x, p += 4) {
                    const std::uint32_t v = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                                            (std::uint32_t{p[2]} << 16) |
                                            (std::uint32_t{p[3]} << 24);
                    out[x] = Rgb(static_cast<std::uint8_t>(v >> redShift),
                                 static_cast<std::uint8_t>(v >> greenShift),
                                 static_cast<std::uint8_t>(v >> blueShift));
                }
                break;
            }
            case Fast::Indexed8: {
                const std::uint8_t* p = row + static_cast<std::size_t>(left);
                for (std::size_t x = 0; x < width; ++x) out[x] = table[p[x]];
                break;
            }
            case Fast::None:
                codec.Read(row, left, static_cast<std::int32_t>(width), out);
                break;
        }
        take(y, std::span<const TColor>(out, width));
    });
}

template <typename Take>
void BmpSampler::State::ForEachStoredRow(std::int32_t top, std::int32_t bottom, const Take& take) {
    const std::size_t stride = section.stride;
    const auto bandRows = static_cast<std::int32_t>(std::max<std::size_t>(1, kBandBytes / stride));
    for (std::int32_t y0 = top; y0 < bottom; y0 += bandRows) {
        const std::int32_t y1 = std::min(bottom, y0 + bandRows);
        // The band's rows lie together in the file, from the first in memory order.
        const std::int32_t firstInMemory = section.topDown ? y0 : height - y1;
        const auto rows = static_cast<std::size_t>(y1 - y0);
        buffer.resize(rows * stride);
        ReadPixelBytes(static_cast<std::uint64_t>(firstInMemory) * stride, buffer.size(),
                       buffer.data());
        for (std::int32_t y = y0; y < y1; ++y) {
            const std::int32_t memoryRow = section.topDown ? y : height - 1 - y;
            take(y, buffer.data() + static_cast<std::size_t>(memoryRow - firstInMemory) * stride);
        }
    }
}

bool BmpSampler::ReadByteRows(std::int32_t top, std::int32_t bottom, std::int32_t left,
                              std::int32_t right, const ByteRowTaker& take) {
    State& s = *mState;
    if (s.kind != State::Kind::Section) return false;
    const gdi::PixelFormat format =
        gdi::PixelFormat::Of(s.section.bitCount, s.section.compression, s.section.masks);
    ByteTexels texels{};
    const auto byteOf = [](int shift) { return static_cast<std::size_t>(shift / 8); };
    switch (format.kind) {
        case gdi::PixelKind::Bgr24:
            texels = ByteTexels{3, 2, 1, 0};
            break;
        case gdi::PixelKind::Bgrx32:
            texels = ByteTexels{4, 2, 1, 0};
            break;
        case gdi::PixelKind::Masked32:
            // Masks of a whole byte each: the byte is the channel's value.
            if (format.red.maximum != 255 || format.green.maximum != 255 ||
                format.blue.maximum != 255 || format.red.shift % 8 != 0 ||
                format.green.shift % 8 != 0 || format.blue.shift % 8 != 0) {
                return false;
            }
            texels = ByteTexels{4, byteOf(format.red.shift), byteOf(format.green.shift),
                                byteOf(format.blue.shift)};
            break;
        default:
            return false;
    }
    if (top >= bottom || left >= right) return true;
    try {
        const std::size_t skipped = static_cast<std::size_t>(left) * texels.step;
        s.ForEachStoredRow(top, bottom, [&](std::int32_t y, const std::uint8_t* row) {
            take(y, row + skipped, texels);
        });
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(messages::kOutOfMemory);
    }
    return true;
}

void BmpSampler::State::ReadPixelBytes(std::uint64_t offset, std::size_t length,
                                       std::uint8_t* out) {
    const std::uint64_t available =
        offset < takenBytes ? std::min<std::uint64_t>(length, takenBytes - offset) : 0;
    const std::uint64_t at = data.offset + offset;
    if (available == 0) {
        // Nothing of the file: a run-length file without data, or rows past its end.
    } else if (at + available <= head.size()) {
        std::memcpy(out, head.data() + at, static_cast<std::size_t>(available));
    } else if (file->ReadAt(at, out, static_cast<std::size_t>(available)) != available) {
        throw EReadError(messages::kStreamRead);
    }
    std::fill(out + available, out + length, std::uint8_t{0});
}

void BmpSampler::State::ReadSectionColours(const PixelSamples& samples,
                                           std::span<TColor> colours) {
    const std::uint64_t bits = static_cast<std::uint64_t>(section.bitCount);
    // The bytes a pixel's value lies in; a pixel of fewer than 8 bits shares its byte.
    const auto firstByte = [bits](std::int32_t x) { return std::uint64_t(x) * bits / 8; };
    const auto endByte = [bits](std::int32_t x) {
        return bits < 8 ? std::uint64_t(x) * bits / 8 + 1 : (std::uint64_t(x) + 1) * bits / 8;
    };

    // The pieces: each row's columns in runs whose bytes lie close together. A piece starts at
    // a whole byte, so that each pixel of fewer than 8 bits keeps its place within its byte.
    pieces.clear();
    for (const PixelSamples::Row& row : samples.rows) {
        const std::int32_t memoryRow = section.topDown ? row.y : height - 1 - row.y;
        const std::uint64_t rowOffset = static_cast<std::uint64_t>(memoryRow) * section.stride;
        const std::int32_t* x = samples.columns.data() + row.first;
        for (std::uint32_t start = 0, end = 0; start < row.count; start = end) {
            std::uint64_t to = endByte(x[start]);
            for (end = start + 1; end < row.count && firstByte(x[end]) <= to + kReadAlong; ++end) {
                to = endByte(x[end]);
            }
            Piece piece;
            piece.offset = rowOffset + firstByte(x[start]);
            piece.length = static_cast<std::uint32_t>(to - firstByte(x[start]));
            piece.firstColumn = static_cast<std::int32_t>(firstByte(x[start]) * 8 / bits);
            piece.sample = row.first + start;
            piece.count = end - start;
            pieces.push_back(piece);
        }
    }

    // The reads: pieces in file order, those close together read as one.
    std::sort(pieces.begin(), pieces.end(),
              [](const Piece& a, const Piece& b) { return a.offset < b.offset; });
    const auto bufferEnd = [](const Read& read) {
        return read.buffered + static_cast<std::size_t>(read.to - read.from);
    };
    reads.clear();
    for (Piece& piece : pieces) {
        if (reads.empty() || piece.offset > reads.back().to + kReadAlong) {
            reads.push_back({piece.offset, piece.offset, reads.empty() ? 0 : bufferEnd(reads.back())});
        }
        Read& read = reads.back();
        read.to = std::max<std::uint64_t>(read.to, piece.offset + piece.length);
        piece.buffered = read.buffered + static_cast<std::size_t>(piece.offset - read.from);
    }
    buffer.resize(reads.empty() ? 0 : bufferEnd(reads.back()));
    for (const Read& read : reads) {
        ReadPixelBytes(read.from, static_cast<std::size_t>(read.to - read.from),
                       buffer.data() + read.buffered);
    }

    // The colours, piece by piece, through the row decoding of the section's own format.
    const gdi::RowCodec codec(
        gdi::PixelFormat::Of(section.bitCount, section.compression, section.masks),
        section.colours);
    for (const Piece& piece : pieces) {
        columns.resize(piece.count);
        for (std::uint32_t i = 0; i < piece.count; ++i) {
            columns[i] = samples.columns[piece.sample + i] - piece.firstColumn;
        }
        codec.ReadAt(buffer.data() + piece.buffered, columns.data(),
                     static_cast<std::int32_t>(piece.count), colours.data() + piece.sample);
    }
}

void BmpSampler::State::ReadRunLengthColours(const PixelSamples& samples,
                                             std::span<TColor> colours) {
    // The reader reads all of the data before it decodes any; so does this.
    buffer.resize(static_cast<std::size_t>(data.size));
    takenBytes = data.size;
    ReadPixelBytes(0, buffer.size(), buffer.data());

    // Rows come from the bottom up; the rows asked for are walked from the last.
    wanted.clear();
    for (auto row = samples.rows.rbegin(); row != samples.rows.rend(); ++row) {
        wanted.push_back(height - 1 - row->y);
    }
    std::size_t next = samples.rows.size();
    const gdi::BitmapInfoHeader& info = data.headers.info;
    gdi::DecodeRleRows(
        buffer, info.biCompression == gdi::kBiRle4, width, height, wanted,
        [&](std::int32_t, const std::uint8_t* indices) {
            const PixelSamples::Row& row = samples.rows[--next];
            for (std::uint32_t i = row.first; i < row.first + row.count; ++i) {
                const std::uint8_t index = indices[samples.columns[i]];
                colours[i] = index < runLengthColours.size() ? runLengthColours[index] : 0;
            }
        });
}

}  // namespace mosaren
