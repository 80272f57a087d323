// Fill, block copy, stretch and conversion between the layer's images.

#include <algorithm>
#include <cstring>
#include <functional>
#include <span>
#include <vector>

#include "../stretch_samples.h"
#include "graphics.h"
#include "pixel_format.h"

namespace mosaren::gdi {

void FillWhite(Image& image) {
    if (image.Width() <= 0 || image.Height() <= 0) return;
    // Encode one white row, then repeat its bytes: every row of an image is stored alike.
    const std::vector<ColorRef> white(static_cast<std::size_t>(image.Width()), kWhite);
    image.WriteColours(0, 0, image.Width(), white.data());
    const std::uint8_t* first = image.RowBytes(0);
    for (std::int32_t y = 1; y < image.Height(); ++y) {
        std::memcpy(image.RowBytes(y), first, image.Stride());
    }
}

namespace {

// Between 24- and 32-bit pixels the three colour bytes keep their order and only the 32-bit
// pixel's fourth byte (always 0) comes or goes, so a block is copied byte by byte without the
// round trip through colour values. Conversion of working bitmaps takes this way.
bool CopyTrueColourBlock(Image& dst, std::int32_t x, std::int32_t y, std::int32_t w,
                         std::int32_t h, const Image& src, std::int32_t sx, std::int32_t sy) {
    const PixelKind from = PixelFormat::Of(src).kind;
    const PixelKind to = PixelFormat::Of(dst).kind;
    const bool widen = from == PixelKind::Bgr24 && to == PixelKind::Bgrx32;
    const bool narrow = from == PixelKind::Bgrx32 && to == PixelKind::Bgr24;
    if (!widen && !narrow) return false;
    const std::size_t inStep = widen ? 3 : 4;
    const std::size_t outStep = widen ? 4 : 3;
    for (std::int32_t row = 0; row < h; ++row) {
        const std::uint8_t* in = src.RowBytes(sy + row) + inStep * static_cast<std::size_t>(sx);
        std::uint8_t* out = dst.RowBytes(y + row) + outStep * static_cast<std::size_t>(x);
        for (std::int32_t i = 0; i < w; ++i, in += inStep, out += outStep) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            if (widen) out[3] = 0;
        }
    }
    return true;
}

}  // namespace

void BitBlt(Image& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
            const Image& src, std::int32_t sx, std::int32_t sy) {
    // Clip the block to both images.
    if (sx < 0) { x -= sx; w += sx; sx = 0; }
    if (sy < 0) { y -= sy; h += sy; sy = 0; }
    if (x < 0) { sx -= x; w += x; x = 0; }
    if (y < 0) { sy -= y; h += y; y = 0; }
    w = std::min({w, dst.Width() - x, src.Width() - sx});
    h = std::min({h, dst.Height() - y, src.Height() - sy});
    if (w <= 0 || h <= 0) return;

    if (SameStoredValues(dst, src)) {
        for (std::int32_t row = 0; row < h; ++row) {
            CopyStoredValues(dst, y + row, x, src, sy + row, sx, w);
        }
        return;
    }
    if (CopyTrueColourBlock(dst, x, y, w, h, src, sx, sy)) return;
    std::vector<ColorRef> colours(static_cast<std::size_t>(w));
    for (std::int32_t row = 0; row < h; ++row) {
        src.ReadColours(sy + row, sx, w, colours.data());
        dst.WriteColours(y + row, x, w, colours.data());
    }
}

namespace {

// The source span [first, last) that destination position d covers when s shrinks to n.
std::pair<std::int32_t, std::int32_t> CoveredSpan(std::int32_t d, std::int32_t n, std::int32_t s) {
    const auto first = static_cast<std::int32_t>(std::int64_t{d} * s / n);
    const auto last = static_cast<std::int32_t>(std::int64_t{d + 1} * s / n);
    return {first, std::max(last, first + 1)};
}

}  // namespace

namespace {

// Whether any bit of [from, to) of a row of one bit per pixel (the leftmost pixel in a byte's
// highest bit) differs from the bit of flip: flip 0 asks for a set bit, 0xFF for a clear one.
bool AnyBit(const std::uint8_t* row, std::int64_t from, std::int64_t to, std::uint8_t flip) {
    const auto bit = [&](std::int64_t i) { return ((row[i >> 3] ^ flip) >> (7 - (i & 7))) & 1; };
    for (; from < to && (from & 7) != 0; ++from) {
        if (bit(from)) return true;
    }
    for (; to - from >= 8; from += 8) {
        if (row[from >> 3] != flip) return true;
    }
    for (; from < to; ++from) {
        if (bit(from)) return true;
    }
    return false;
}

// Black on white from one bit per pixel, where a dimension shrinks: a destination pixel ANDs
// the colours of the source pixels it covers, and with two colours that is fixed by which of
// the two occur. So rows are ORed bytewise (once as they are, once inverted) and each
// destination pixel looks for a set bit over its columns: no colour is decoded per source
// pixel, and no buffer grows with the source's width beyond one row of bytes.
void StretchMonochrome(Image& dst, const Rect& r, const Image& src,
                       std::span<const std::pair<std::int32_t, std::int32_t>> columnSpans,
                       std::int32_t x0, std::int32_t y0, std::int32_t y1,
                       const std::function<std::pair<std::int32_t, std::int32_t>(std::int32_t)>& rowSpan) {
    const RowCodec codec = RowCodec::Of(src);
    const std::uint8_t indexBytes[2] = {0x00, 0x80};
    ColorRef colours[2];
    codec.Read(&indexBytes[0], 0, 1, &colours[0]);
    codec.Read(&indexBytes[1], 0, 1, &colours[1]);

    std::vector<std::uint8_t> ones;   // a bit set where some row of the span has a 1
    std::vector<std::uint8_t> zeros;  // a bit set where some row of the span has a 0
    std::vector<ColorRef> out(columnSpans.size());
    std::pair<std::int32_t, std::int32_t> last{-1, -1};
    for (std::int32_t dy = y0; dy < y1; ++dy) {
        const auto span = rowSpan(dy);
        if (span != last) {
            const std::uint8_t* oneBits = src.RowBytes(span.first);
            const std::uint8_t* zeroBits = oneBits;
            std::uint8_t zeroFlip = 0xFF;  // a clear bit of the row itself is a 0
            if (span.second - span.first > 1) {
                ones.assign(src.Stride(), 0);
                zeros.assign(src.Stride(), 0);
                for (std::int32_t sy = span.first; sy < span.second; ++sy) {
                    const std::uint8_t* row = src.RowBytes(sy);
                    for (std::size_t i = 0; i < ones.size(); ++i) {
                        ones[i] |= row[i];
                        zeros[i] |= static_cast<std::uint8_t>(~row[i]);
                    }
                }
                oneBits = ones.data();
                zeroBits = zeros.data();
                zeroFlip = 0;
            }
            for (std::size_t i = 0; i < columnSpans.size(); ++i) {
                const auto [from, to] = columnSpans[i];
                ColorRef c = 0x00FFFFFF;
                if (AnyBit(zeroBits, from, to, zeroFlip)) c &= colours[0];
                if (AnyBit(oneBits, from, to, 0)) c &= colours[1];
                out[i] = c;
            }
            last = span;
        }
        dst.WriteColours(r.top + dy, r.left + x0, static_cast<std::int32_t>(out.size()), out.data());
    }
}

}  // namespace

void StretchBlt(Image& dst, const Rect& r, const Image& src, int mode) {
    const std::int64_t dw = std::int64_t{r.right} - r.left;
    const std::int64_t dh = std::int64_t{r.bottom} - r.top;
    const std::int32_t sw = src.Width();
    const std::int32_t sh = src.Height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    if (dw > (std::int64_t{1} << 30) || dh > (std::int64_t{1} << 30)) return;

    // The part of the rectangle that lies on the destination.
    const std::int32_t x0 = static_cast<std::int32_t>(std::max<std::int64_t>(0, -std::int64_t{r.left}));
    const std::int32_t x1 = static_cast<std::int32_t>(std::min<std::int64_t>(dw, dst.Width() - std::int64_t{r.left}));
    const std::int32_t y0 = static_cast<std::int32_t>(std::max<std::int64_t>(0, -std::int64_t{r.top}));
    const std::int32_t y1 = static_cast<std::int32_t>(std::min<std::int64_t>(dh, dst.Height() - std::int64_t{r.top}));
    if (x0 >= x1 || y0 >= y1) return;
    const auto w = static_cast<std::int32_t>(dw);
    const auto h = static_cast<std::int32_t>(dh);
    const std::int32_t count = x1 - x0;

    // Black on white: where a dimension shrinks, every source pixel that falls into a
    // destination pixel is ANDed into it, so black wins over white. Elsewhere each destination
    // pixel shows the one source pixel under its centre.
    const bool combineColumns = mode == kBlackOnWhite && sw > w;
    const bool combineRows = mode == kBlackOnWhite && sh > h;
    const std::vector<std::int32_t> columns = StretchSamples(w, sw);
    const std::vector<std::int32_t> rows = StretchSamples(h, sh);
    std::vector<std::pair<std::int32_t, std::int32_t>> columnSpans;
    for (std::int32_t dx = x0; dx < x1; ++dx) {
        columnSpans.push_back(combineColumns ? CoveredSpan(dx, w, sw)
                                             : std::pair{columns[dx], columns[dx] + 1});
    }
    const auto rowSpan = [&](std::int32_t dy) {
        return combineRows ? CoveredSpan(dy, h, sh) : std::pair{rows[dy], rows[dy] + 1};
    };
    if ((combineColumns || combineRows) && src.BitsPerPixel() == 1) {
        StretchMonochrome(dst, r, src, columnSpans, x0, y0, y1, rowSpan);
        return;
    }

    // Only the pixels a destination pixel covers are decoded, a bounded piece at a time.
    constexpr std::int32_t kPiece = 4096;
    const RowCodec codec = RowCodec::Of(src);
    std::vector<ColorRef> out(static_cast<std::size_t>(count));
    std::vector<ColorRef> piece(static_cast<std::size_t>(std::max(count, kPiece)));
    auto sampleRow = [&](std::int32_t sy, bool first) {
        const std::uint8_t* bytes = src.RowBytes(sy);
        if (!combineColumns) {
            codec.ReadAt(bytes, columns.data() + x0, count, piece.data());
        }
        for (std::int32_t i = 0; i < count; ++i) {
            ColorRef c = piece[static_cast<std::size_t>(i)];
            if (combineColumns) {
                c = 0x00FFFFFF;
                const auto [from, to] = columnSpans[static_cast<std::size_t>(i)];
                for (std::int32_t at = from; at < to; at += kPiece) {
                    const std::int32_t n = std::min(kPiece, to - at);
                    codec.Read(bytes, at, n, piece.data());
                    for (std::int32_t k = 0; k < n; ++k) c &= piece[static_cast<std::size_t>(k)];
                }
            }
            out[i] = first ? c : (out[i] & c);
        }
    };

    std::pair<std::int32_t, std::int32_t> lastRows{-1, -1};
    for (std::int32_t dy = y0; dy < y1; ++dy) {
        // Repeated source rows reuse the row sampled last.
        const auto [from, to] = rowSpan(dy);
        if (std::pair{from, to} != lastRows) {
            for (std::int32_t sy = from; sy < to; ++sy) sampleRow(sy, sy == from);
            lastRows = {from, to};
        }
        dst.WriteColours(r.top + dy, r.left + x0, count, out.data());
    }
}

bool GetDIBits(const Image& src, Image& dstSection) {
    if (!dstSection.IsSection() || src.Width() != dstSection.Width() ||
        src.Height() != dstSection.Height()) {
        return false;
    }
    BitBlt(dstSection, 0, 0, src.Width(), src.Height(), src, 0, 0);
    return true;
}

PaletteHandle CreatePalette(std::span<const RgbQuad> entries) {
    auto palette = std::make_shared<Palette>();
    palette->entries.assign(entries.begin(), entries.end());
    return palette;
}

PaletteHandle CreateHalftonePalette() {
    // A 6 × 6 × 6 colour cube stands in for the screen's halftone palette.
    auto palette = std::make_shared<Palette>();
    palette->halftone = true;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                palette->entries.push_back(RgbQuad{static_cast<std::uint8_t>(b * 51),
                                                   static_cast<std::uint8_t>(g * 51),
                                                   static_cast<std::uint8_t>(r * 51), 0});
            }
        }
    }
    return palette;
}

ColorRef SystemColour(std::uint8_t index) {
    // The classic desktop scheme, by system-colour index.
    static constexpr ColorRef kScheme[] = {
        Rgb(212, 208, 200), Rgb(58, 110, 165),  Rgb(10, 36, 106),   Rgb(128, 128, 128),
        Rgb(212, 208, 200), Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 0),
        Rgb(0, 0, 0),       Rgb(255, 255, 255), Rgb(212, 208, 200), Rgb(212, 208, 200),
        Rgb(128, 128, 128), Rgb(10, 36, 106),   Rgb(255, 255, 255), Rgb(212, 208, 200),
        Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(0, 0, 0),       Rgb(212, 208, 200),
        Rgb(255, 255, 255), Rgb(64, 64, 64),    Rgb(212, 208, 200), Rgb(0, 0, 0),
        Rgb(255, 255, 225), Rgb(181, 181, 181), Rgb(0, 0, 128),     Rgb(166, 202, 240),
        Rgb(192, 192, 192), Rgb(49, 106, 197),  Rgb(236, 233, 216),
    };
    return index < std::size(kScheme) ? kScheme[index] : 0;
}

ColorRef ResolvedColour(ColorRef colour) {
    return (colour & 0x80000000u) ? SystemColour(static_cast<std::uint8_t>(colour)) : colour;
}

}  // namespace mosaren::gdi
