#include "preview_glyph.h"

#include <QPixmap>
#include <array>

namespace mosaren {

namespace {

constexpr int kSide = 16;

// Four bits a pixel, one hexadecimal digit each, top row first: the glyph's own source.
constexpr std::array<const char*, kSide> kRows = {
    "0000000003333333", "0FFFFFFF00333333", "0FFFFFFF08033333", "0FFFFFFF00003333",
    "0FFFFFFFFFF03333", "0FFFFFFF00003333", "0FFFFFF078870333", "0FFFFF07EE87F033",
    "0FFFFF08E8878033", "0FFFFF0888878033", "0FFFFF0788E7F033", "0FFFFFF078870033",
    "0FFFFFFF00000003", "0FFFFFFFFFF03000", "0000000000003300", "3333333333333333",
};

// The standard 16-colour palette: black, maroon, green, olive, navy, purple, teal, grey, silver,
// red, lime, yellow, blue, fuchsia, aqua, white.
constexpr std::array<QRgb, 16> kPalette = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFF808080,
    0xFFC0C0C0, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF,
};

int PaletteIndex(char digit) { return digit <= '9' ? digit - '0' : digit - 'A' + 10; }

}  // namespace

QImage PreviewGlyph() {
    QImage glyph(kSide, kSide, QImage::Format_ARGB32);
    const int transparent = PaletteIndex(kRows[kSide - 1][0]);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int index = PaletteIndex(kRows[y][x]);
            glyph.setPixel(x, y, index == transparent ? qRgba(0, 0, 0, 0) : kPalette[index]);
        }
    }
    return glyph;
}

QIcon PreviewGlyphIcon() { return QIcon(QPixmap::fromImage(PreviewGlyph())); }

}  // namespace mosaren
