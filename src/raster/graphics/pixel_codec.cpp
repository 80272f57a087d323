// Reading and writing the colours of a row of pixels in every layout the layer holds.

#include <algorithm>
#include <bit>
#include <cstring>

#include "graphics.h"
#include "pixel_format.h"

namespace mosaren::gdi {

Channel Channel::FromMask(std::uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask != 0) {
        c.shift = std::countr_zero(mask);
        c.maximum = mask >> c.shift;
    }
    return c;
}

std::uint8_t Channel::Widen(std::uint32_t pixel) const {
    if (maximum == 0) return 0;
    const std::uint64_t v = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>((v * 255 + maximum / 2) / maximum);
}

std::uint32_t Channel::Narrow(std::uint8_t value) const {
    if (maximum == 0) return 0;
    const std::uint64_t v = (std::uint64_t{value} * maximum + 127) / 255;
    return static_cast<std::uint32_t>(v << shift) & mask;
}

PixelFormat PixelFormat::Of(int bitCount, std::uint32_t compression,
                            const std::array<std::uint32_t, 3>& masks) {
    PixelFormat f;
    const bool masked = compression == kBiBitfields;
    switch (bitCount) {
        case 1: f.kind = PixelKind::Indexed1; break;
        case 4: f.kind = PixelKind::Indexed4; break;
        case 8: f.kind = PixelKind::Indexed8; break;
        case 16: f.kind = masked ? PixelKind::Masked16 : PixelKind::Rgb555; break;
        case 24: f.kind = PixelKind::Bgr24; break;
        default: f.kind = masked ? PixelKind::Masked32 : PixelKind::Bgrx32; break;
    }
    if (masked) {
        f.red = Channel::FromMask(masks[0]);
        f.green = Channel::FromMask(masks[1]);
        f.blue = Channel::FromMask(masks[2]);
    }
    return f;
}

PixelFormat PixelFormat::Of(const Image& image) {
    return Of(image.BitsPerPixel(), image.Compression(), image.Masks());
}

bool SameStoredValues(const Image& a, const Image& b) {
    if (a.BitsPerPixel() != b.BitsPerPixel() || a.Compression() != b.Compression()) return false;
    if (a.Compression() == kBiBitfields && a.Masks() != b.Masks()) return false;
    if (a.BitsPerPixel() <= 8) {
        return std::equal(a.ColourTable().begin(), a.ColourTable().end(), b.ColourTable().begin(),
                          b.ColourTable().end());
    }
    return true;
}

std::uint8_t NearestIndex(std::span<const RgbQuad> table, ColorRef colour) {
    std::uint8_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < table.size() && i < 256; ++i) {
        const int dr = table[i].red - RedOf(colour);
        const int dg = table[i].green - GreenOf(colour);
        const int db = table[i].blue - BlueOf(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<std::uint8_t>(i);
            if (distance == 0) break;
        }
    }
    return best;
}

namespace {

std::uint32_t Load16(const std::uint8_t* p) { return p[0] | (std::uint32_t{p[1]} << 8); }
std::uint32_t Load32(const std::uint8_t* p) {
    return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}
void Store16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Store32(std::uint8_t* p, std::uint32_t v) {
    Store16(p, v);
    Store16(p + 2, v >> 16);
}

// 5-bit channels of the plain 16-bit layout; the top bit carries no colour.
const Channel kRed555 = Channel::FromMask(0x7C00);
const Channel kGreen555 = Channel::FromMask(0x03E0);
const Channel kBlue555 = Channel::FromMask(0x001F);

int IndexBits(PixelKind kind) {
    return kind == PixelKind::Indexed8 ? 8 : kind == PixelKind::Indexed4 ? 4 : 1;
}

std::uint32_t IndexAt(const std::uint8_t* row, int bits, std::int32_t x) {
    if (bits == 8) return row[x];
    if (bits == 4) return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
    return (row[x >> 3] >> (7 - (x & 7))) & 0x01;
}

void SetIndexAt(std::uint8_t* row, int bits, std::int32_t x, std::uint32_t index) {
    if (bits == 8) {
        row[x] = static_cast<std::uint8_t>(index);
    } else if (bits == 4) {
        const int shift = (x & 1) ? 0 : 4;
        std::uint8_t& b = row[x >> 1];
        b = static_cast<std::uint8_t>((b & ~(0x0F << shift)) | ((index & 0x0F) << shift));
    } else {
        const int shift = 7 - (x & 7);
        std::uint8_t& b = row[x >> 3];
        b = static_cast<std::uint8_t>((b & ~(1 << shift)) | ((index & 1) << shift));
    }
}

}  // namespace

RowCodec RowCodec::Of(const Image& image) {
    return RowCodec(PixelFormat::Of(image), image.ColourTable());
}

template <typename Column>
void RowCodec::ReadColumns(const std::uint8_t* row, std::int32_t count, Column column,
                           ColorRef* out) const {
    const PixelFormat& f = mFormat;
    switch (f.kind) {
        case PixelKind::Indexed1:
        case PixelKind::Indexed4:
        case PixelKind::Indexed8: {
            const int bits = IndexBits(f.kind);
            for (std::int32_t i = 0; i < count; ++i) {
                const std::uint32_t index = IndexAt(row, bits, column(i));
                // An index past the table (a damaged file) reads as black.
                out[i] = index < mTable.size() ? ColourOf(mTable[index]) : 0;
            }
            break;
        }
        case PixelKind::Rgb555:
            for (std::int32_t i = 0; i < count; ++i) {
                const std::uint32_t v = Load16(row + 2 * column(i));
                out[i] = Rgb(kRed555.Widen(v), kGreen555.Widen(v), kBlue555.Widen(v));
            }
            break;
        case PixelKind::Masked16:
        case PixelKind::Masked32: {
            const bool wide = f.kind == PixelKind::Masked32;
            for (std::int32_t i = 0; i < count; ++i) {
                const std::int32_t x = column(i);
                const std::uint32_t v = wide ? Load32(row + 4 * x) : Load16(row + 2 * x);
                out[i] = Rgb(f.red.Widen(v), f.green.Widen(v), f.blue.Widen(v));
            }
            break;
        }
        case PixelKind::Bgr24:
            for (std::int32_t i = 0; i < count; ++i) {
                const std::uint8_t* p = row + 3 * column(i);
                out[i] = Rgb(p[2], p[1], p[0]);
            }
            break;
        case PixelKind::Bgrx32:
            for (std::int32_t i = 0; i < count; ++i) {
                const std::uint8_t* p = row + 4 * column(i);
                out[i] = Rgb(p[2], p[1], p[0]);
            }
            break;
    }
}

void RowCodec::Read(const std::uint8_t* row, std::int32_t x, std::int32_t count,
                    ColorRef* out) const {
    ReadColumns(row, count, [x](std::int32_t i) { return x + i; }, out);
}

void RowCodec::ReadAt(const std::uint8_t* row, const std::int32_t* columns, std::int32_t count,
                      ColorRef* out) const {
    ReadColumns(row, count, [columns](std::int32_t i) { return columns[i]; }, out);
}

void RowCodec::Write(std::uint8_t* row, std::int32_t x, std::int32_t count,
                     const ColorRef* in) const {
    const PixelFormat& f = mFormat;
    switch (f.kind) {
        case PixelKind::Indexed1:
        case PixelKind::Indexed4:
        case PixelKind::Indexed8: {
            const int bits = IndexBits(f.kind);
            ColorRef lastColour = kClrInvalid;
            std::uint8_t lastIndex = 0;
            for (std::int32_t i = 0; i < count; ++i) {
                if (in[i] != lastColour) {
                    lastColour = in[i];
                    lastIndex = NearestIndex(mTable, lastColour);
                }
                SetIndexAt(row, bits, x + i, lastIndex);
            }
            break;
        }
        case PixelKind::Rgb555:
            for (std::int32_t i = 0; i < count; ++i) {
                const ColorRef c = in[i];
                Store16(row + 2 * (x + i), kRed555.Narrow(RedOf(c)) | kGreen555.Narrow(GreenOf(c)) |
                                               kBlue555.Narrow(BlueOf(c)));
            }
            break;
        case PixelKind::Masked16:
        case PixelKind::Masked32: {
            const bool wide = f.kind == PixelKind::Masked32;
            for (std::int32_t i = 0; i < count; ++i) {
                const ColorRef c = in[i];
                const std::uint32_t v =
                    f.red.Narrow(RedOf(c)) | f.green.Narrow(GreenOf(c)) | f.blue.Narrow(BlueOf(c));
                if (wide) {
                    Store32(row + 4 * (x + i), v);
                } else {
                    Store16(row + 2 * (x + i), v);
                }
            }
            break;
        }
        case PixelKind::Bgr24:
            for (std::int32_t i = 0; i < count; ++i) {
                std::uint8_t* p = row + 3 * (x + i);
                p[0] = BlueOf(in[i]);
                p[1] = GreenOf(in[i]);
                p[2] = RedOf(in[i]);
            }
            break;
        case PixelKind::Bgrx32:
            for (std::int32_t i = 0; i < count; ++i) {
                std::uint8_t* p = row + 4 * (x + i);
                p[0] = BlueOf(in[i]);
                p[1] = GreenOf(in[i]);
                p[2] = RedOf(in[i]);
                p[3] = 0;
            }
            break;
    }
}

void Image::ReadColours(std::int32_t y, std::int32_t x, std::int32_t count, ColorRef* out) const {
    RowCodec::Of(*this).Read(RowBytes(y), x, count, out);
}

void Image::WriteColours(std::int32_t y, std::int32_t x, std::int32_t count, const ColorRef* in) {
    RowCodec::Of(*this).Write(RowBytes(y), x, count, in);
}

ColorRef Image::GetPixel(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return kClrInvalid;
    ColorRef c;
    ReadColours(y, x, 1, &c);
    return c;
}

bool Image::SetPixel(std::int32_t x, std::int32_t y, ColorRef colour) {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return false;
    WriteColours(y, x, 1, &colour);
    return true;
}

// Copies count stored values of row sy of src from sx to row dy of dst at dx; both images
// store their pixels alike.
void CopyStoredValues(Image& dst, std::int32_t dy, std::int32_t dx, const Image& src,
                      std::int32_t sy, std::int32_t sx, std::int32_t count) {
    const int bits = src.BitsPerPixel();
    const std::uint8_t* from = src.RowBytes(sy);
    std::uint8_t* to = dst.RowBytes(dy);
    if (bits >= 8) {
        const std::size_t bytes = static_cast<std::size_t>(bits / 8);
        std::memmove(to + dx * bytes, from + sx * bytes, count * bytes);
        return;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        SetIndexAt(to, bits, dx + i, IndexAt(from, bits, sx + i));
    }
}

}  // namespace mosaren::gdi
