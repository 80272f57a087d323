#include "export/tile_image.h"

#include <gtest/gtest.h>

#include "raster/bitmap.h"
#include "raster/device_picture.h"

namespace mosaren {
namespace {

// A 3 × 2 tile of six colours, one of which is the mask's.
constexpr TColor kMask = Rgb(255, 0, 255);
const std::vector<TColor> kColours = {Rgb(1, 2, 3), kMask,        Rgb(7, 8, 9),
                                      kMask,        Rgb(4, 5, 6), Rgb(10, 11, 12)};

TEST(TileImage, IsOpaqueWithTheTilesColourWhereCoveredAndTransparentElsewhere) {
    TBitmap tile;
    tile.SetImageHeight(2);
    tile.SetImageWidth(3);
    tile.WriteColours(TRect{0, 0, 3, 2}, kColours);
    // The second pixel is covered though it has the mask's colour; the fourth is not.
    const Coverage coverage = {true, true, false, false, true, true};
    const RgbaImage image = TileImage(SectionCopy(tile), coverage);
    ASSERT_EQ(image.Width(), 3);
    ASSERT_EQ(image.Height(), 2);
    const std::vector<Rgba> expected = {Rgba{1, 2, 3, 255}, Rgba{255, 0, 255, 255},
                                        kTransparent,       kTransparent,
                                        Rgba{4, 5, 6, 255}, Rgba{10, 11, 12, 255}};
    EXPECT_EQ(image.Pixels(), expected);
}

}  // namespace
}  // namespace mosaren
