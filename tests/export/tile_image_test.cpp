#include "export/tile_image.h"

#include <gtest/gtest.h>


namespace mosaren {
namespace {

// Each rule of the neutral tile's pictures on one row: a pixel wholly covered (alpha kept, even
// 0), half covered and half opaque (the BMP file's edge), a rim pixel whose opacity rounds to 0,
// one covered less than half, one on a lower rim (drawn whole for PNG, too little of it covered
// for BMP), and background.
TEST(TileImage, OfTilePixelsFollowsOpacityForPngAndTheBmpFileForBmpRuns) {
    TilePixels tile(7, 1);
    const TColor c = Rgb(200, 101, 7);
    tile.At(0, 0) = CoveredPixel(c);
    tile.At(1, 0) = CoveredPixel(c, 0);
    tile.At(2, 0) = TilePixel{200, 101, 7, 128, 128, 128};
    tile.At(3, 0) = TilePixel{200, 101, 7, 100, 1, 1};
    tile.At(4, 0) = TilePixel{200, 101, 7, 255, 127, 127};
    tile.At(5, 0) = TilePixel{200, 101, 7, 255, 100, 255};
    const std::vector<Rgba> png = {Rgba{200, 101, 7, 255}, Rgba{200, 101, 7, 0},
                                   Rgba{200, 101, 7, 64},  kTransparent,
                                   Rgba{200, 101, 7, 127}, Rgba{200, 101, 7, 255},
                                   kTransparent};
    EXPECT_EQ(TileImage(tile).Pixels(), png);
    // At 16 bits each channel as the file keeps it, 5 bits widened back.
    for (const auto& [depth, shown] : {std::pair{32, Rgba{200, 101, 7, 255}},
                                       std::pair{16, Rgba{197, 99, 8, 255}}}) {
        Rgba translucent = shown;
        translucent.a = 0;
        Rgba half = shown;
        half.a = 128;
        const std::vector<Rgba> bmp = {shown,        translucent,  half,        kTransparent,
                                       kTransparent, kTransparent, kTransparent};
        EXPECT_EQ(BmpTileImage(tile, depth).Pixels(), bmp) << depth;
    }
}

}  // namespace
}  // namespace mosaren
