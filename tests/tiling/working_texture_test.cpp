// The working texture of a texture source with alpha, held to the tile maker's working texture
// of a 24-bit BMP file of the same colours (what a picture in another format stands for), with
// the alpha of the very pixels the stretch picks.

#include "tiling/working_texture.h"

#include <gtest/gtest.h>

#include "raster/stretch_samples.h"
#include "raster/texture_source.h"
#include "support/bmp_builder.h"
#include "support/display_depth.h"
#include "support/files.h"
#include "tiling/tile_maker.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

DecodedPicture Pattern(std::int32_t width, std::int32_t height) {
    DecodedPicture picture{width, height, {}, true};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const auto v = static_cast<std::uint32_t>(x * 7919 + y * 104729);
            picture.pixels.push_back(((v * 13) & 0xFF) << 24 | (v & 0xFFFFFF));
        }
    }
    return picture;
}

TEST(WorkingTextureReader, SourceWithAlphaGivesTheMakersColoursAndItsAlpha) {
    for (const int depth : {32, 24, 16}) {
        const ScopedDisplayDepth displayed(depth);
        for (const auto& [width, height] : {std::pair{300, 97}, {7, 5}, {255, 255}, {1, 600}}) {
            const DecodedPicture picture = Pattern(width, height);
            TempFolder folder;
            const std::string bmp = folder / "colours.bmp";
            WriteTexture(bmp, width, height,
                         [&](int x, int y) { return ColourOfArgb(picture.At(x, y)); });
            TTileSettings settings;
            TileMaker maker(settings);
            std::vector<TColor> expected(kWorkingPixelCount);
            maker.ReadWorkingTexture(bmp).ReadColours(
                TRect{0, 0, kWorkingTextureSide, kWorkingTextureSide}, expected);

            DecodedPictureSource source(picture);
            WorkingTextureReader reader(depth);
            const WorkingTexture texture = reader.Read(source);
            EXPECT_EQ(texture.colours, expected) << width << "x" << height << " at " << depth;
            EXPECT_EQ(reader.Read(bmp).colours, expected) << width << "x" << height;
            ASSERT_EQ(texture.alpha.size(), kWorkingPixelCount);
            const std::vector<std::int32_t> columns = StretchSamples(kWorkingTextureSide, width);
            const std::vector<std::int32_t> rows = StretchSamples(kWorkingTextureSide, height);
            for (std::int32_t y = 0; y < kWorkingTextureSide; ++y) {
                for (std::int32_t x = 0; x < kWorkingTextureSide; ++x) {
                    ASSERT_EQ(texture.alpha[static_cast<std::size_t>(y * kWorkingTextureSide + x)],
                              AlphaOfArgb(picture.At(columns[x], rows[y])))
                        << x << ", " << y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace mosaren
