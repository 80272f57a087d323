// "PREVIEWGLYPH": every pixel in its palette colour, olive see-through.

#include <gtest/gtest.h>

#include "ui/preview_glyph.h"

namespace mosaren::testing_ui {
namespace {

// The glyph as the program's design gives it, one hexadecimal palette index a pixel.
const char* const kExpectedRows[16] = {
    "0000000003333333", "0FFFFFFF00333333", "0FFFFFFF08033333", "0FFFFFFF00003333",
    "0FFFFFFFFFF03333", "0FFFFFFF00003333", "0FFFFFF078870333", "0FFFFF07EE87F033",
    "0FFFFF08E8878033", "0FFFFF0888878033", "0FFFFF0788E7F033", "0FFFFFF078870033",
    "0FFFFFFF00000003", "0FFFFFFFFFF03000", "0000000000003300", "3333333333333333",
};

QColor StandardColour(char digit) {
    switch (digit) {
        case '0': return QColor(0, 0, 0);
        case '7': return QColor(128, 128, 128);
        case '8': return QColor(192, 192, 192);
        case 'E': return QColor(0, 255, 255);
        case 'F': return QColor(255, 255, 255);
        default: return QColor(Qt::transparent);  // no other colour appears but olive
    }
}

TEST(PreviewGlyph, EveryPixelHasItsPaletteColourAndOliveIsTransparent) {
    const QImage glyph = PreviewGlyph();
    ASSERT_EQ(glyph.size(), QSize(16, 16));
    ASSERT_TRUE(glyph.hasAlphaChannel());
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const char digit = kExpectedRows[y][x];
            const QColor pixel = glyph.pixelColor(x, y);
            if (digit == '3') {
                EXPECT_EQ(pixel.alpha(), 0) << x << "," << y;
            } else {
                EXPECT_EQ(pixel, StandardColour(digit)) << x << "," << y << " is " << digit;
            }
        }
    }
}

TEST(PreviewGlyph, TheButtonIconDrawsTheGlyph) {
    const QImage drawn = PreviewGlyphIcon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(drawn, PreviewGlyph());
}

}  // namespace
}  // namespace mosaren::testing_ui
