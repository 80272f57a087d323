#include "tiling/block_maker.h"

#include <gtest/gtest.h>

#include "raster/bitmap.h"
#include "support/display_depth.h"
#include "support/pixel_grid.h"
#include "tiling/support/block_sizes.h"
#include "tiling/support/working_texture.h"
#include "tiling/tile_maker.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

constexpr TColor kMask = Rgb(255, 0, 255);

TColor TopTexture(int u, int v) {
    return Rgb(static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(v), 90);
}
TColor LeftTexture(int u, int v) {
    return Rgb(static_cast<std::uint8_t>(u), 40, static_cast<std::uint8_t>(v));
}
TColor RightTexture(int u, int v) {
    return Rgb(220, static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(u));
}

// The colour as a bitmap in the device form holds it at the display depth.
TColor Stored(TColor colour) {
    TBitmap pixel;
    pixel.SetImageWidth(1);
    pixel.SetImageHeight(1);
    pixel.WriteColours(TRect{0, 0, 1, 1}, std::vector<TColor>{colour});
    return PixelsOf(pixel).at(0);
}

// A flat tile, its coverage and the two side textures, at one display depth.
class BlockMakerTest : public ::testing::TestWithParam<BlockSize> {
protected:
    struct Run {
        Run(int bits, const BlockSize& size) : depth(bits), settings(size.Settings()) {
            FillWorkingTexture(maker.Texture(), TopTexture);
            maker.MakeTile();
            FillWorkingTexture(left, LeftTexture);
            FillWorkingTexture(right, RightTexture);
        }
        std::vector<TColor> Block(const BlockSettings& block) {
            TBitmap picture;
            MakeBlock(maker.Tile(), coverage, SideTextures{left, right}, block, settings, picture);
            EXPECT_EQ(picture.PixelDepth(), TPixelDepth::DepthDevice);
            EXPECT_EQ(picture.ImageWidth(), settings.TileWidth);
            EXPECT_EQ(picture.ImageHeight(), settings.TileHeight + block.height);
            return PixelsOf(picture);
        }

        // Before any bitmap: device images take the depth at which they are made.
        ScopedDisplayDepth depth;
        TTileSettings settings;
        Coverage coverage = TileCoverage(settings);
        TileMaker maker{settings};
        TBitmap left;
        TBitmap right;
    };

    BlockSettings Settings(std::int32_t top, std::int32_t leftShade, std::int32_t rightShade) {
        BlockSettings block;
        block.height = GetParam().rise;
        block.Face(BlockFace::Top).shade = top;
        block.Face(BlockFace::Left).shade = leftShade;
        block.Face(BlockFace::Right).shade = rightShade;
        return block;
    }
};

TEST_P(BlockMakerTest, TopIsTheFlatTileAndEachSideItsTextureTimesItsShadeAtEveryDepth) {
    for (int depth : {32, 24, 16}) {
        Run run(depth, GetParam());
        const std::vector<TColor> tile = PixelsOf(run.maker.Tile());
        const std::vector<BlockPixel> layout = LayOutBlock(GetParam().Geometry(), run.coverage);
        // Unshaded first, the lid must be the tile unchanged; then with a shade on every face.
        for (const BlockSettings& block : {Settings(kWholeShade, kWholeShade, kWholeShade),
                                           Settings(500'000, 800'000, 600'000)}) {
            const std::vector<TColor> picture = run.Block(block);
            ASSERT_EQ(picture.size(), layout.size());
            for (std::size_t i = 0; i < layout.size(); ++i) {
                const BlockPixel& pixel = layout[i];
                TColor expected = Stored(kMask);
                if (pixel.face) {
                    const std::int32_t shade = block.Face(*pixel.face).shade;
                    const int u = pixel.texel.X;
                    const int v = pixel.texel.Y;
                    switch (*pixel.face) {
                        case BlockFace::Top:
                            expected = Stored(Shaded(tile[i], shade));
                            break;
                        case BlockFace::Left:
                            expected = Stored(Shaded(LeftTexture(u, v), shade));
                            break;
                        case BlockFace::Right:
                            expected = Stored(Shaded(RightTexture(u, v), shade));
                            break;
                    }
                }
                ASSERT_EQ(picture[i], expected) << "depth " << depth << ", pixel " << i;
            }
            // The tile's rows, mask and all, wherever no side face reaches up into them.
            if (block.Face(BlockFace::Top).shade == kWholeShade) {
                for (std::size_t i = 0; i < tile.size(); ++i) {
                    if (!layout[i].face || layout[i].face == BlockFace::Top) {
                        ASSERT_EQ(picture[i], tile[i]) << "depth " << depth << ", pixel " << i;
                    }
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BlockMakerTest, ::testing::ValuesIn(kBlockSizes), BlockSizeName);

TEST(Shaded, MultipliesEachChannelRoundingHalvesUp) {
    struct Case {
        TColor colour;
        std::int32_t shade;
        TColor expected;
    };
    const Case cases[] = {
        {Rgb(255, 128, 1), 500'000, Rgb(128, 64, 1)},
        {Rgb(3, 5, 7), 500'000, Rgb(2, 3, 4)},
        {Rgb(200, 100, 50), 800'000, Rgb(160, 80, 40)},
        {Rgb(255, 255, 255), 600'000, Rgb(153, 153, 153)},
        {Rgb(255, 254, 0), 1, Rgb(0, 0, 0)},
        {Rgb(9, 99, 199), 0, Rgb(0, 0, 0)},
        {Rgb(9, 99, 199), kWholeShade, Rgb(9, 99, 199)},
    };
    for (const Case& c : cases) EXPECT_EQ(Shaded(c.colour, c.shade), c.expected) << c.shade;
}

}  // namespace
}  // namespace mosaren
