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

// The standard 16-colour palette, by index.
const QColor kStandardColours[16] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},    // black maroon green olive
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},  // navy purple teal grey
    {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},    // silver red lime yellow
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},  // blue fuchsia aqua white
};

QColor StandardColour(char digit) {
    return kStandardColours[digit <= '9' ? digit - '0' : digit - 'A' + 10];
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
    const QImage drawn =
        PreviewGlyphIcon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(drawn, PreviewGlyph());
}

}  // namespace
}  // namespace mosaren::testing_ui
