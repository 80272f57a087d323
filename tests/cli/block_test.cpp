// Blocks and walls through the real binary: each block against the flat tile of the same
// settings, its faces, shading and side textures, and what the engine outputs make of blocks.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "cli/support/block_outline.h"
#include "cli/support/command_line.h"
#include "support/png_picture.h"
#include "support/tsx_reader.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

constexpr TColor kClay = Rgb(200, 100, 50);
constexpr TColor kRed = Rgb(220, 20, 20);
constexpr TColor kBlue = Rgb(20, 20, 220);

class Blocks : public CommandLine {
protected:
};

// ----- The block picture -----

struct BlockCase {
    const char* name;
    int width;
    int height;
    int rise;
    const char* depth;
    Args options;  // for the block
    // What each face shows of a texture of kClay; none for a face left out.
    std::optional<TColor> top;
    std::optional<TColor> left;
    std::optional<TColor> right;
};

class BlockPictures : public Blocks, public ::testing::WithParamInterface<BlockCase> {};

// Checked against the flat tile of the same size: the tile's covered pixels are the lid; below
// it the side faces fill the outline, left of the middle the left face, right of it the right.
TEST_P(BlockPictures, HoldTheTileOnTopAndTheShadedSidesBelowIt) {
    const BlockCase& c = GetParam();
    Texture("clay.bmp", kClay);
    WriteSolidTexture(mFolder / "red.bmp", 8, 8, kRed);
    WriteSolidTexture(mFolder / "blue.bmp", 8, 8, kBlue);
    const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
    RunOk({"tile", "--size", size, "--depth", c.depth, "clay.bmp", "flat"});
    Args blockRun{"tile",     "--size", size, "--depth", c.depth, "--block", std::to_string(c.rise),
                  "clay.bmp", "block"};
    blockRun.insert(blockRun.end(), c.options.begin(), c.options.end());
    RunOk(blockRun);
    // The same block as a PNG file, which takes no depth.
    Args pngRun{"tile", "--size", size, "--block", std::to_string(c.rise), "--format", "png"};
    pngRun.insert(pngRun.end(), c.options.begin(), c.options.end());
    pngRun.insert(pngRun.end(), {"clay.bmp", "block"});
    RunOk(pngRun);

    const BmpPicture flat = Tile("flat.bmp");
    const BmpPicture block = Tile("block.bmp");
    const PngPicture png = Png("block.png");
    ASSERT_EQ(block.width, c.width);
    ASSERT_EQ(block.height, c.height + c.rise);
    EXPECT_EQ(block.bitCount, std::stoi(c.depth));
    int sidePixels = 0;
    for (int y = 0; y < block.height; ++y) {
        for (int x = 0; x < block.width; ++x) {
            const TColor colour = block.At(x, y);
            // Transparent exactly where the BMP block has the mask (kClay and its shades never
            // are the mask colour).
            const PngPixel expected = colour == kMask ? PngPixel{0, 0} : PngPixel{colour, 255};
            ASSERT_EQ(png.At(x, y), expected) << x << "," << y;
            if (y < c.height && flat.At(x, y) != kMask) {
                ASSERT_EQ(colour, c.top.value_or(kMask)) << x << "," << y;
                continue;
            }
            const std::optional<TColor>& side = 2 * x + 1 < c.width ? c.left : c.right;
            const Outline outline = OutlineAt(x, y, c.width, c.height, c.rise);
            if (outline == Outline::Outside) {
                ASSERT_EQ(colour, kMask) << x << "," << y;
            } else if (y >= c.height && outline == Outline::Inside) {
                // Below the tile's rows nothing but the side faces is left to fill the outline.
                ASSERT_EQ(colour, side.value_or(kMask)) << x << "," << y;
            } else {
                ASSERT_TRUE(colour == kMask || colour == side.value_or(kMask)) << x << "," << y;
            }
            sidePixels += colour != kMask;
        }
    }
    EXPECT_EQ(sidePixels > 0, c.left || c.right);
}

// kClay on the left face (times 0.8) and on the right face (times 0.6).
constexpr TColor kClayLeft = Rgb(160, 80, 40);
constexpr TColor kClayRight = Rgb(120, 60, 30);
constexpr std::nullopt_t kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Looks, BlockPictures,
    ::testing::Values(
        BlockCase{"Default", 72, 36, 24, "32", {}, kClay, kClayLeft, kClayRight},
        BlockCase{"OddDepth24", 33, 17, 10, "24", {}, kClay, kClayLeft, kClayRight},
        BlockCase{"Standing", 20, 60, 100, "32", {}, kClay, kClayLeft, kClayRight},
        BlockCase{"Wall", 64, 32, 48, "32", {"--faces", "left"}, kNone, kClayLeft, kNone},
        BlockCase{
            "NoLid", 64, 32, 16, "32", {"--faces", "right,left"}, kNone, kClayLeft, kClayRight},
        BlockCase{"LidOnly", 64, 32, 16, "24", {"--faces", "top"}, kClay, kNone, kNone},
        BlockCase{"Shaded",
                  72,
                  36,
                  24,
                  "32",
                  {"--shade", "0.5,1,.25"},
                  Rgb(100, 50, 25),
                  kClay,
                  Rgb(50, 25, 13)},
        BlockCase{"SideTextures",
                  72,
                  36,
                  24,
                  "32",
                  {"--left-texture", "red.bmp", "--right-texture", "blue.bmp", "--shade",
                   "1,1.0,1.000000"},
                  kClay,
                  kRed,
                  kBlue}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Blocks, PiecesShowTheirOwnTextureOnTheirSides) {
    WriteTexture(mFolder / "t.bmp", 40, 20, [](int x, int) { return x < 20 ? kRed : kBlue; });
    RunOk({"tile", "--pieces", "2x1", "--block", "12", "--shade", "1,1,1", "t.bmp", "out"});
    // (2, 25) lies on the left face, well inside.
    EXPECT_EQ(Tile("out_1_1.bmp").At(2, 25), kRed);
    EXPECT_EQ(Tile("out_2_1.bmp").At(2, 25), kBlue);
}

// A cube rises half the width of a 2:1 tile, and less above a taller diamond, which is the
// square seen from higher up.
TEST_F(Blocks, CubeIsTheBlockOfTheHeightThatMakesACube) {
    Texture("t.bmp", kClay);
    for (const auto& [size, height] : {std::pair{"64x32", 32}, {"72x36", 36}, {"40x30", 15}}) {
        RunOk({"tile", "--size", size, "--block", "cube", "t.bmp", "cube"});
        RunOk({"tile", "--size", size, "--block", std::to_string(height), "t.bmp", "box"});
        EXPECT_EQ(FileBytes(mFolder.Path() / "cube.bmp"), FileBytes(mFolder.Path() / "box.bmp")) << size;
    }
    EXPECT_EQ(Run({"tile", "--block", "cubes", "t.bmp", "x"}).exitCode, 2);
}

TEST_F(Blocks, AMissingSideTextureFailsBeforeAnyFileIsWritten) {
    Texture("a.bmp", kClay);
    for (const Args& arguments :
         {Args{"batch", "--block", "8", "--right-texture", "gone.bmp", "--sheet", "s.png", "a.bmp"},
          Args{"tile", "--block", "8", "--left-texture", "gone.bmp", "a.bmp", "out"}}) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "mosaren-cli: Cannot open file gone.bmp.\n");
        EXPECT_EQ(mFolder.Names(), (Names{"a.bmp"}));
    }
}

// ----- Engine outputs of blocks -----

TEST_F(Blocks, BatchMakesSheetTilesetAndPreviewOfTheBlocks) {
    const Names textures{"a.bmp", "b.bmp", "c.bmp"};
    Texture("a.bmp", kClay);
    Texture("b.bmp", kRed);
    Texture("c.bmp", kBlue);
    Args sheetRun{"batch",   "-q",    "--block", "24",    "--format",      "png",
                  "--sheet", "s.png", "--tsx",   "s.tsx", "--map-preview", "m.png"};
    sheetRun.insert(sheetRun.end(), textures.begin(), textures.end());
    RunOk(sheetRun);
    Args pngRun{"batch", "-q", "--block", "24", "--format", "png", "--tsx", "files.tsx"};
    pngRun.insert(pngRun.end(), textures.begin(), textures.end());
    RunOk(pngRun);
    Args bmpRun{"batch", "-q", "--block", "24"};
    bmpRun.insert(bmpRun.end(), textures.begin(), textures.end());
    RunOk(bmpRun);

    // The tileset: pictures of 72 × 60 on the 72 × 36 grid, bottom-aligned by Tiled.
    std::ifstream tsxFile(mFolder.Path() / "s.tsx", std::ios::binary);
    const TsxContent tsx =
        ParseTsx({std::istreambuf_iterator<char>(tsxFile), std::istreambuf_iterator<char>()});
    EXPECT_EQ(tsx.Tileset("tilewidth"), 72);
    EXPECT_EQ(tsx.Tileset("tileheight"), 60);
    EXPECT_EQ(tsx.Tileset("columns"), 2);
    EXPECT_EQ(tsx.grid,
              (XmlAttributes{{"orientation", "isometric"}, {"width", "72"}, {"height", "36"}}));
    std::ifstream filesTsx(mFolder.Path() / "files.tsx", std::ios::binary);
    const TsxContent files =
        ParseTsx({std::istreambuf_iterator<char>(filesTsx), std::istreambuf_iterator<char>()});
    EXPECT_EQ(files.Tileset("tileheight"), 60);
    EXPECT_EQ(files.grid.at("height"), "36");
    ASSERT_EQ(files.images.size(), 3u);
    EXPECT_EQ(files.images[0].attributes.at("height"), "60");

    // Each cell of the sheet is the PNG block; each PNG block is transparent exactly where the
    // BMP block holds the mask.
    const PngPicture sheet = Png("s.png");
    ASSERT_EQ(sheet.width, 2 * 72);
    ASSERT_EQ(sheet.height, 2 * 60);
    for (std::size_t k = 0; k < textures.size(); ++k) {
        const std::string stem = textures[k].substr(0, 1) + "tile";
        const PngPicture png = Png(stem + ".png");
        const BmpPicture bmp = Tile(stem + ".bmp");
        ASSERT_EQ(png.width, 72);
        ASSERT_EQ(png.height, 60);
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 72; ++x) {
                const TColor c = bmp.At(x, y);
                const PngPixel expected = c == kMask ? PngPixel{0, 0} : PngPixel{c, 255};
                ASSERT_EQ(png.At(x, y), expected) << stem << " " << x << "," << y;
                ASSERT_EQ(
                    sheet.At(static_cast<int>(k % 2) * 72 + x, static_cast<int>(k / 2) * 60 + y),
                    expected)
                    << stem << " " << x << "," << y;
            }
        }
    }

    // The preview stands the blocks on the 6 × 6 map (the Tiled test checks its outline).
    const PngPicture map = Png("m.png");
    ASSERT_EQ(map.width, 6 * 72);
    ASSERT_EQ(map.height, 6 * 36 + 24);
    // In front, the nearest block's two sides: left of the middle the left face of cell (5, 5)
    // shows the tile of the last patch, (2 + 2) mod 3 = 1 of three (kRed, times 0.8), right of
    // it its right face (times 0.6).
    EXPECT_EQ(map.At(6 * 72 / 2 - 2, map.height - 3).colour, Rgb(176, 16, 16));
    EXPECT_EQ(map.At(6 * 72 / 2 + 1, map.height - 3).colour, Rgb(132, 12, 12));
}

}  // namespace
}  // namespace mosaren
