// Textures in the picture formats besides BMP, against the tiles of their BMP twins: the
// decoders are Qt's, what the program makes of their pixels is held to what it makes of a BMP
// file's. The pictures are written by Pillow (support/test_pictures.h).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "cli/support/block_outline.h"
#include "cli/support/command_line.h"
#include "cli/support/test_pictures.h"
#include "support/png_picture.h"
#include "support/texture_files.h"
#include "support/requirements.h"

namespace mosaren::testing {
namespace {

class PictureTextures : public CommandLine {
protected:
    void SetUp() override {
        MOSAREN_REQUIRE(HavePillow(), "Debian's python3-pil is not installed");
    }
    // A test picture copied into the test's folder.
    void Take(const std::string& name) {
        std::filesystem::copy_file(TestPictures() / name, mFolder.Path() / name);
    }
    std::vector<std::uint8_t> Bytes(const std::string& name) const {
        return FileBytes(mFolder.Path() / name);
    }
};

// Each format and variant, its tile against its twin's: a BMP file of the colours it must give
// (Pillow's reading of it, or colours worked out by the script for what Pillow reads otherwise),
// or for a picture with alpha a PNG file of its colours and alpha, whose PNG tiles are compared.
// Lossless formats give the same bytes; a JPEG file may differ by the decoder's rounding, and a
// converted profile by the colour engine's.
struct FormatCase {
    const char* picture;
    int tolerance = 0;
    bool alpha = false;
};

class EachFormat : public PictureTextures, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(EachFormat, TilesAsItsTwin) {
    const std::string picture = GetParam().picture;
    const bool alpha = GetParam().alpha;
    const std::string twin = picture + (alpha ? ".twin.png" : ".twin.bmp");
    const std::string suffix = alpha ? "tile.png" : "tile.bmp";
    Take(picture);
    Take(twin);
    const CliRun run = alpha ? Run({"batch", "-q", "--format", "png", picture, twin})
                             : Run({"batch", "-q", picture, twin});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto tileOf = [&suffix](const std::string& texture) {
        return texture.substr(0, texture.size() - 4) + suffix;
    };
    if (GetParam().tolerance == 0) {
        EXPECT_EQ(Bytes(tileOf(picture)), Bytes(tileOf(twin)));
        return;
    }
    const BmpPicture tile = Tile(tileOf(picture));
    const BmpPicture expected = Tile(tileOf(twin));
    ASSERT_EQ(tile.pixels.size(), expected.pixels.size());
    int worst = 0;
    for (std::size_t i = 0; i < tile.pixels.size(); ++i) {
        for (const int shift : {0, 8, 16}) {
            worst =
                std::max(worst, std::abs(static_cast<int>((tile.pixels[i] >> shift) & 0xFF) -
                                         static_cast<int>((expected.pixels[i] >> shift) & 0xFF)));
        }
    }
    EXPECT_LE(worst, GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    PictureFormats, EachFormat,
    ::testing::Values(
        FormatCase{"rgb.png"}, FormatCase{"grey.png"}, FormatCase{"palette.png"},
        FormatCase{"deep.png"}, FormatCase{"deep-round.png"}, FormatCase{"gamma.png"},
        FormatCase{"interlaced.png"}, FormatCase{"grey.jpeg", 2},
        FormatCase{"palette-trns.png", 0, true}, FormatCase{"grey-trns.png", 0, true},
        FormatCase{"first-frame.gif"}, FormatCase{"transparent.gif", 0, true},
        FormatCase{"rgb.tga"}, FormatCase{"rgb-top.tga"}, FormatCase{"rgb-rle.tga"},
        FormatCase{"rgb-rle-top.tga"}, FormatCase{"grey.tga"}, FormatCase{"grey-rle.tga"},
        FormatCase{"grey-top.tga"}, FormatCase{"palette.tga"}, FormatCase{"palette-rle.tga"},
        FormatCase{"palette-rle-top.tga"}, FormatCase{"rgba-rle.tga", 0, true},
        FormatCase{"rgb16.tga"}, FormatCase{"rgb15.tga"}, FormatCase{"rgb16-rle-right.tga"},
        FormatCase{"rgb.tiff"}, FormatCase{"unassociated.tiff", 0, true},
        FormatCase{"turned-profile.tiff", 2},
        FormatCase{"lossless.webp"}, FormatCase{"rgb.ppm"}, FormatCase{"plain.pbm"},
        FormatCase{"deep.pgm"}, FormatCase{"photo.jpeg", 2}, FormatCase{"cmyk.jpeg", 2},
        FormatCase{"progressive.jpeg", 2}, FormatCase{"turned.jpeg", 2},
        FormatCase{"turned-2.jpeg", 2}, FormatCase{"turned-3.jpeg", 2},
        FormatCase{"turned-4.jpeg", 2}, FormatCase{"turned-5.jpeg", 2},
        FormatCase{"turned-7.jpeg", 2}, FormatCase{"turned-8.jpeg", 2},
        FormatCase{"turned-profile.jpeg", 2}),
    [](const auto& info) {
        std::string name = info.param.picture;
        std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

// BMP files of several forms saved as PNG files: the tiles of each pair are the same bytes at
// every depth and in both formats, made by the batch and, in pieces, by the tile command.
class BmpFormAsPng : public PictureTextures, public ::testing::WithParamInterface<TextureForm> {};

TEST_P(BmpFormAsPng, GivesTheSameTilesAtEveryDepthAndFormat) {
    // Larger than the working texture, so that the stretch drops rows and columns, but for one
    // bit per pixel, where the batch's stretch of a BMP file ANDs the dropped pixels together.
    const bool monochrome = GetParam() == TextureForm::Pal1;
    WriteBytes(mFolder.Path() / "bmp-t.bmp",
               TextureFile(GetParam(), monochrome ? 90 : 300, monochrome ? 70 : 263, 7));
    RunPictureScript("bmp_to_png.py", {mFolder / "bmp-t.bmp", mFolder / "png-t.png"});
    // A PNG file is always 8-bit RGBA, so no depth goes with it.
    for (const Args& output : {Args{"--depth", "32"}, Args{"--depth", "24"}, Args{"--depth", "16"},
                               Args{"--format", "png"}}) {
        SCOPED_TRACE(output[1]);
        const std::string suffix = output[0] == "--format" ? ".png" : ".bmp";
        const auto withOutput = [&output](Args arguments) {
            arguments.insert(arguments.begin() + 1, output.begin(), output.end());
            return arguments;
        };
        CliRun run = Run(withOutput({"batch", "-q", "bmp-t.bmp", "png-t.png"}));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(Bytes("bmp-ttile" + suffix), Bytes("png-ttile" + suffix));
        for (const std::string texture : {"bmp-t.bmp", "png-t.png"}) {
            run = Run(
                withOutput({"tile", "--pieces", "2x3", texture, texture.substr(0, 5) + "piece"}));
            ASSERT_EQ(run.exitCode, 0) << run.err;
        }
        for (const std::string piece : {"_1_1", "_1_3", "_2_2"}) {
            EXPECT_EQ(Bytes("bmp-tpiece" + piece + suffix), Bytes("png-tpiece" + piece + suffix));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PictureFormats, BmpFormAsPng,
                         ::testing::Values(TextureForm::Rgb24, TextureForm::Rgb32,
                                           TextureForm::Pal8, TextureForm::Pal4, TextureForm::Pal1,
                                           TextureForm::Rle8),
                         [](const auto& info) { return std::string(TextureFormName(info.param)); });

// The single-texture command's blocks take the tile maker's path, which reads a picture as the
// engine does; their side textures are pictures too.
TEST_F(PictureTextures, BlocksOfAPictureAreTheBlocksOfItsTwin) {
    Take("rgb.tiff");
    Take("rgb.tiff.twin.bmp");
    Take("palette.png");
    Take("palette.png.twin.bmp");
    for (const char* depth : {"32", "16"}) {
        SCOPED_TRACE(depth);
        for (const auto& [texture, side, block] :
             {std::tuple{"rgb.tiff", "palette.png", "picture"},
              std::tuple{"rgb.tiff.twin.bmp", "palette.png.twin.bmp", "twin"}}) {
            const CliRun run = Run({"tile", "--depth", depth, "--block", "12", "--left-texture",
                                    side, texture, block});
            ASSERT_EQ(run.exitCode, 0) << run.err;
        }
        EXPECT_EQ(Bytes("picture.bmp"), Bytes("twin.bmp"));
    }
}

// Transition tiles blend the two terrains' working textures, which the engine gathers.
TEST_F(PictureTextures, TransitionsOfPicturesAreThoseOfTheirTwins) {
    for (const char* file : {"rgb.tiff", "rgb.tiff.twin.bmp", "palette.png", "palette.png.twin.bmp"}) {
        Take(file);
    }
    for (const auto& [a, b, name] :
         {std::tuple{"rgb.tiff", "palette.png", "picture"},
          std::tuple{"rgb.tiff.twin.bmp", "palette.png.twin.bmp", "twin"}}) {
        const CliRun run = Run({"transitions", "--edge", "noise", a, b, name});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    for (const char* index : {"_00.bmp", "_06.bmp", "_15.bmp"}) {
        EXPECT_EQ(Bytes(std::string("picture") + index), Bytes(std::string("twin") + index)) << index;
    }
}

// The texture's alpha is its green: a tile pixel's alpha must be the green of its own colour.
TEST_F(PictureTextures, TilePixelsKeepTheAlphaOfTheTexturePixelsTheyShow) {
    Take("alpha.png");
    Take("alpha.png.twin.bmp");
    for (const char* format : {"bmp", "png"}) {
        const CliRun run =
            Run({"batch", "-q", "--format", format, "alpha.png", "alpha.png.twin.bmp"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    ASSERT_EQ(Run({"batch", "-q", "--sheet", "sheet.png", "alpha.png"}).exitCode, 0);

    const PngPicture png = ReadPngFile(mFolder.Path() / "alphatile.png");
    const PngPicture opaque = ReadPngFile(mFolder.Path() / "alpha.png.twintile.png");
    const BmpPicture bmp = Tile("alphatile.bmp");
    const BmpPicture opaqueBmp = Tile("alpha.png.twintile.bmp");
    EXPECT_EQ(ReadPngFile(mFolder.Path() / "sheet.png").pixels, png.pixels);
    int translucent = 0;
    for (int y = 0; y < png.height; ++y) {
        for (int x = 0; x < png.width; ++x) {
            const PngPixel pixel = png.At(x, y);
            const bool shown = opaque.At(x, y).alpha == 255;
            SCOPED_TRACE("pixel " + std::to_string(x) + ", " + std::to_string(y));
            EXPECT_EQ(pixel.alpha, shown ? GreenOf(pixel.colour) : 0);
            if (!shown) continue;
            // Its own colour, not premultiplied; in a BMP tile the mask below half opacity.
            EXPECT_EQ(pixel.colour, opaque.At(x, y).colour);
            EXPECT_EQ(bmp.At(x, y), pixel.alpha < 128 ? kMask : opaqueBmp.At(x, y));
            translucent += pixel.alpha < 128;
        }
    }
    EXPECT_GT(translucent, 0);
}

// Blocks and transition tiles keep the alpha of the texture pixels they show as flat tiles do:
// unshaded faces (--shade 1,1,1), so that each pixel's alpha is still the green of its colour.
// Each PNG file made of the picture is held to the one made the same way of its opaque twin.
TEST_F(PictureTextures, BlockAndTransitionPixelsKeepTheAlphaOfTheTexturePixelsTheyShow) {
    Take("alpha.png");
    Take("alpha.png.twin.bmp");
    const Args block{"--block", "20", "--shade", "1,1,1"};
    const std::vector<Args> commands = {
        {"batch", "-q", "--format", "bmp", "alpha.png", "alpha.png.twin.bmp"},
        {"batch", "-q", "--format", "png", "alpha.png", "alpha.png.twin.bmp"},
        {"transitions", "--format", "png", "alpha.png", "alpha.png", "shore"},
        {"tile", "--format", "png", "alpha.png", "whole"},
        {"tile", "--format", "png", "alpha.png.twin.bmp", "whole-twin"},
        {"tile", "--format", "png", "--pieces", "2x2", "alpha.png", "piece"},
        {"tile", "--format", "png", "--pieces", "2x2", "alpha.png.twin.bmp", "piece-twin"}};
    for (Args arguments : commands) {
        arguments.insert(arguments.end(), block.begin(), block.end());
        const CliRun run = Run(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    const BmpPicture bmp = Tile("alphatile.bmp");
    const BmpPicture opaqueBmp = Tile("alpha.png.twintile.bmp");
    const std::vector<std::pair<std::string, std::string>> madeAndTwin = {
        {"alphatile.png", "alpha.png.twintile.png"},  {"shore_00.png", "alpha.png.twintile.png"},
        {"shore_15.png", "alpha.png.twintile.png"},   {"whole.png", "whole-twin.png"},
        {"piece_1_1.png", "piece-twin_1_1.png"},      {"piece_2_1.png", "piece-twin_2_1.png"},
        {"piece_1_2.png", "piece-twin_1_2.png"},      {"piece_2_2.png", "piece-twin_2_2.png"}};
    for (const auto& [made, twin] : madeAndTwin) {
        SCOPED_TRACE(made);
        const PngPicture png = ReadPngFile(mFolder.Path() / made);
        const PngPicture opaque = ReadPngFile(mFolder.Path() / twin);
        ASSERT_EQ(png.width, opaque.width);
        ASSERT_EQ(png.height, opaque.height);
        int translucent = 0;
        for (int y = 0; y < png.height; ++y) {
            for (int x = 0; x < png.width; ++x) {
                const PngPixel pixel = png.At(x, y);
                const bool shown = opaque.At(x, y).alpha == 255;
                SCOPED_TRACE("pixel " + std::to_string(x) + ", " + std::to_string(y));
                ASSERT_EQ(pixel.alpha, shown ? GreenOf(pixel.colour) : 0);
                if (!shown) continue;
                ASSERT_EQ(pixel.colour, opaque.At(x, y).colour);
                // In a BMP block, the mask (never shaded) below half opacity.
                if (made == "alphatile.png") {
                    ASSERT_EQ(bmp.At(x, y), pixel.alpha < 128 ? kMask : opaqueBmp.At(x, y));
                }
                translucent += pixel.alpha < 128;
            }
        }
        EXPECT_GT(translucent, 0);
    }
}

// Shading a block's faces (the default 1, 0.8, 0.6) changes their colours, never their holes: in
// a PNG block, of one texture or of two terrains, each pixel has the alpha it has unshaded, and a
// BMP block shows the mask, unshaded, exactly where that alpha is below half.
TEST_F(PictureTextures, ShadedFacesKeepTheirHolesTransparentAndTheMaskUnshaded) {
    Take("alpha.png");
    Take("alpha.png.twin.bmp");
    const std::vector<std::pair<Args, std::vector<std::string>>> runs = {
        {{"batch", "-q", "alpha.png", "--out-dir", "SET"}, {"alphatile"}},
        {{"transitions", "alpha.png", "alpha.png.twin.bmp", "SET/t"}, {"t_00", "t_01", "t_06"}}};
    for (const auto& [command, tiles] : runs) {
        for (const std::string set : {"shaded-png", "unshaded-png", "shaded-bmp"}) {
            Args arguments = command;
            for (std::string& argument : arguments) {
                if (argument.rfind("SET", 0) == 0) argument = set + argument.substr(3);
            }
            std::filesystem::create_directory(mFolder.Path() / set);
            arguments.insert(arguments.end(), {"--block", "24", "--format", set.substr(set.size() - 3)});
            if (set == "unshaded-png") arguments.insert(arguments.end(), {"--shade", "1,1,1"});
            const CliRun run = Run(arguments);
            ASSERT_EQ(run.exitCode, 0) << run.err;
        }
        for (const std::string& tile : tiles) {
            SCOPED_TRACE(tile);
            const PngPicture shaded = ReadPngFile(mFolder.Path() / "shaded-png" / (tile + ".png"));
            const PngPicture unshaded = ReadPngFile(mFolder.Path() / "unshaded-png" / (tile + ".png"));
            const BmpPicture bmp = Tile("shaded-bmp/" + tile + ".bmp");
            ASSERT_EQ(shaded.width, 72);
            ASSERT_EQ(shaded.height, 60);
            int sideHoles = 0;
            for (int y = 0; y < shaded.height; ++y) {
                for (int x = 0; x < shaded.width; ++x) {
                    SCOPED_TRACE("pixel " + std::to_string(x) + ", " + std::to_string(y));
                    const PngPixel pixel = shaded.At(x, y);
                    ASSERT_EQ(pixel.alpha, unshaded.At(x, y).alpha);
                    ASSERT_EQ(bmp.At(x, y), pixel.alpha < 128 ? kMask : pixel.colour);
                    // Below the lid's rows only side faces show.
                    sideHoles += y >= 36 && pixel.alpha < 128 &&
                                 OutlineAt(x, y, 72, 36, 24) == Outline::Inside;
                }
            }
            EXPECT_GT(sideHoles, 0);
        }
    }
}

TEST_F(PictureTextures, ColoursOfAProfileAreConvertedToSrgb) {
    Take("linear.png");
    ASSERT_EQ(Run({"batch", "-q", "linear.png"}).exitCode, 0);
    // Linear 128 is sRGB 188.
    const TColor centre = Tile("lineartile.bmp").At(36, 18);
    for (const int channel : {RedOf(centre), GreenOf(centre), BlueOf(centre)}) {
        EXPECT_NEAR(channel, 188, 1);
    }
}

// Files cut short, in every format that could be tiled half made up, and one whose decoding
// library speaks on its own (libtiff): each fails with its name and the reader's reason, what the
// library said after it on the same line, and nothing else is printed or written.
TEST_F(PictureTextures, ADamagedPictureIsNamedWithTheReadersReasonAndNothingWritten) {
    for (const char* picture : {"truncated.png", "cut-photo.jpeg", "cut-progressive.jpeg",
                                "cut-first-frame.gif", "cut-rgb.tiff"}) {
        SCOPED_TRACE(picture);
        Take(picture);
        for (const Args& command : {Args{"batch", picture}, Args{"tile", picture, "t"}}) {
            const CliRun run = Run(command);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_TRUE(run.err.starts_with("mosaren-cli: " + std::string(picture) +
                                            ": The picture cannot be read: "))
                << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_EQ(mFolder.Names(), Names{picture});
            // libtiff's own words, which it would print by itself, after the reason.
            if (std::string(picture) == "cut-rgb.tiff") {
                EXPECT_NE(run.err.find("(TIFF"), std::string::npos) << run.err;
            }
        }
        std::filesystem::remove(mFolder.Path() / picture);
    }
}

TEST_F(PictureTextures, APictureBeyondTheCapIsRefusedFromItsHeaderAsABmpFileIs) {
    Take("bomb.png");
    BmpBuilder().Size(100000, 100000).Pixels({}).Write(mFolder.Path() / "bomb.bmp");
    const CliRun png = Run({"batch", "bomb.png"});
    const CliRun bmp = Run({"batch", "bomb.bmp"});
    EXPECT_EQ(png.exitCode, 1);
    // Not the decoder's refusal: the cap's, before anything was decoded, in the words the BMP
    // file's ends with: the one wording of a lack of memory.
    const std::string capText = "Out of memory.\n";
    EXPECT_EQ(png.err, "mosaren-cli: bomb.png: " + capText);
    EXPECT_TRUE(bmp.err.ends_with(capText)) << bmp.err;
    EXPECT_EQ(mFolder.Names(), (Names{"bomb.bmp", "bomb.png"}));
}

// Headers of a few bytes that promise more work than one texture may take: each is refused from
// its header, before anything is decoded or allocated, with the file's name and the bound.
TEST_F(PictureTextures, APictureBeyondTheBoundsOfOneTextureIsRefusedWithTheBound) {
    const std::string wholeBound =
        "pixels decoded whole, more than the 67108864 pixels a texture decoded whole may have.\n";
    for (const auto& [picture, message] :
         {std::pair{"huge-screen.gif", "16000 x 16000 " + wholeBound},
          std::pair{"huge.webp", "16383 x 16383 " + wholeBound},
          std::pair{"huge.tiff", "16000 x 16000 " + wholeBound},
          std::pair{"many-scans.jpeg",
                    std::string("JPEG file in 309 scans, more than the 100 scans a JPEG file may "
                                "have.\n")}}) {
        SCOPED_TRACE(picture);
        Take(picture);
        const CliRun run = Run({"batch", picture});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "mosaren-cli: " + std::string(picture) +
                               ": The picture cannot be read: " + message);
        std::filesystem::remove(mFolder.Path() / picture);
        EXPECT_TRUE(mFolder.Names().empty());
    }
}

// Formats Qt reads but the program does not list are refused as files in no format; the tile
// command names such a file as the batch does.
TEST_F(PictureTextures, AFileInNoFormatReadIsRefusedWithItsName) {
    // An X bitmap, which Qt's readers would take.
    const std::string xbm = "#define i_width 8\n#define i_height 1\nstatic char i_bits[]={0x01};\n";
    WriteBytes(mFolder.Path() / "icon.xbm", std::vector<std::uint8_t>(xbm.begin(), xbm.end()));
    for (const Args& command : {Args{"batch", "icon.xbm"}, Args{"tile", "icon.xbm", "t"}}) {
        const CliRun run = Run(command);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.starts_with("mosaren-cli: icon.xbm: ")) << run.err;
        EXPECT_EQ(mFolder.Names(), Names{"icon.xbm"});
    }
}

}  // namespace
}  // namespace mosaren::testing
