// Fill, block copy, stretch and conversion between the layer's images.

#include <algorithm>
#include <cstring>
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

    std::vector<ColorRef> source(static_cast<std::size_t>(sw));
    std::vector<ColorRef> out(static_cast<std::size_t>(count));

    // Black on white: where a dimension shrinks, every source pixel that falls into a
    // destination pixel is ANDed into it, so black wins over white.
    const bool combineColumns = mode == kBlackOnWhite && sw > w;
    const bool combineRows = mode == kBlackOnWhite && sh > h;
    const std::vector<std::int32_t> columns = StretchSamples(w, sw);
    const std::vector<std::int32_t> rows = StretchSamples(h, sh);

    auto sampleRow = [&](std::int32_t sy, bool first) {
        src.ReadColours(sy, 0, sw, source.data());
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t dx = x0 + i;
            ColorRef c;
            if (combineColumns) {
                const auto [from, to] = CoveredSpan(dx, w, sw);
                c = 0x00FFFFFF;
                for (std::int32_t sx = from; sx < to; ++sx) c &= source[sx];
            } else {
                c = source[columns[dx]];
            }
            out[i] = first ? c : (out[i] & c);
        }
    };

    std::int32_t lastRow = -1;
    for (std::int32_t dy = y0; dy < y1; ++dy) {
        if (combineRows) {
            const auto [from, to] = CoveredSpan(dy, h, sh);
            for (std::int32_t sy = from; sy < to; ++sy) sampleRow(sy, sy == from);
            lastRow = -1;
        } else if (rows[dy] != lastRow) {
            // Repeated source rows reuse the row sampled last.
            sampleRow(rows[dy], true);
            lastRow = rows[dy];
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
