// Where the tiles go and what a folder of textures holds, through the real binary: --out-dir for
// each command, a folder argument that stands for its pictures and never for the tiles, sheets
// and folders of an earlier run, however often the batch runs, and save names that already end
// in the format's suffix.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/support/command_line.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;
namespace fs = std::filesystem;

constexpr TColor kRed = Rgb(200, 20, 20);
constexpr TColor kBlue = Rgb(20, 20, 200);

class TextureFolder : public CommandLine {
protected:
    // tex/ holds two pictures (one of them a BMP file named .PNG: the suffix says picture, the
    // content its format), a text file, a hidden picture and a folder with a third picture.
    void SetUp() override {
        fs::create_directories(mFolder.Path() / "tex/sub");
        Texture("tex/b.bmp", kRed);
        Texture("tex/a.PNG", kBlue);
        Texture("tex/.hidden.bmp", kRed);
        Texture("tex/sub/c.bmp", kBlue);
        WriteBytes(mFolder / "tex/notes.txt", {'h', 'i'});
    }
};

TEST_F(TextureFolder, RunsAgainOverTheSamePicturesNeverItsOwnTiles) {
    struct Step {
        Args arguments;
        std::string err;
    };
    const std::string ab = "[1/2] tex/a.PNG -> tex/atile.bmp\n[2/2] tex/b.bmp -> tex/btile.bmp\n";
    const std::string abc =
        "[1/3] tex/a.PNG -> tex/atile.bmp\n[2/3] tex/b.bmp -> tex/btile.bmp\n"
        "[3/3] tex/sub/c.bmp -> tex/sub/ctile.bmp\n";
    const std::vector<Step> steps = {
        {{"batch", "tex"}, ab},
        {{"batch", "tex"}, ab},
        {{"batch", "tex/", "--format", "png"},
         "[1/2] tex/a.PNG -> tex/atile.png\n[2/2] tex/b.bmp -> tex/btile.png\n"},
        {{"batch", "tex", "--recursive"}, abc},
        {{"batch", "tex", "--recursive"}, abc},
        // An output folder inside the folder is none of it either.
        {{"batch", "tex", "--recursive", "--out-dir", "tex/tiles"},
         "[1/3] tex/a.PNG -> tex/tiles/atile.bmp\n[2/3] tex/b.bmp -> tex/tiles/btile.bmp\n"
         "[3/3] tex/sub/c.bmp -> tex/tiles/ctile.bmp\n"},
        {{"batch", "tex", "--recursive", "--out-dir", "tex/tiles"},
         "[1/3] tex/a.PNG -> tex/tiles/atile.bmp\n[2/3] tex/b.bmp -> tex/tiles/btile.bmp\n"
         "[3/3] tex/sub/c.bmp -> tex/tiles/ctile.bmp\n"},
        // The sheet, tileset and preview of the run are none of its textures, nor are those of
        // the run before.
        {{"batch", "tex", "--sheet", "tex/all.png", "--tsx", "tex/all.tsx", "-q"}, ""},
        {{"batch", "tex", "--sheet", "tex/all.png", "--tsx", "tex/all.tsx", "--map-preview",
          "tex/map.png"},
         "[1/2] tex/a.PNG made for tex/all.png\n[2/2] tex/b.bmp made for tex/all.png\n"
         "tex/all.png written\ntex/all.tsx written\ntex/map.png written\n"},
    };
    for (const Step& step : steps) {
        const CliRun run = Run(step.arguments);
        EXPECT_EQ(run.exitCode, 0) << ::testing::PrintToString(step.arguments) << run.err;
        EXPECT_EQ(run.err, step.err) << ::testing::PrintToString(step.arguments);
    }
    EXPECT_EQ(FileBytes(mFolder / "tex/tiles/btile.bmp"), FileBytes(mFolder / "tex/btile.bmp"));
    EXPECT_TRUE(Tile("tex/atile.bmp").OnlyHolds({kBlue, kMask}));
}

TEST_F(TextureFolder, AFolderWithoutPicturesIsRefused) {
    fs::create_directory(mFolder.Path() / "empty");
    const CliRun run = Run({"batch", "empty"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("mosaren-cli: the folder 'empty' holds no picture files", 0), 0u)
        << run.err;
    EXPECT_EQ(Run({"tile", "tex/b.bmp", "x", "--recursive"}).exitCode, 2);
}

TEST_F(TextureFolder, OutDirTakesEveryCommandsFilesNamedAsBeside) {
    const CliRun tile = Run({"tile", "tex/b.bmp", "b", "--out-dir", "out/one", "--pieces", "1x2"});
    ASSERT_EQ(tile.exitCode, 0) << tile.err;
    const CliRun transitions =
        Run({"transitions", "tex/a.PNG", "tex/b.bmp", "shore", "--out-dir", "out/two", "--format",
             "png", "--tsx", "shore.tsx", "--map-preview", "/dev/null/../" + mFolder / "map.png"});
    EXPECT_NE(transitions.exitCode, 0);  // an absolute name stays absolute: that one is no file
    const CliRun again =
        Run({"transitions", "tex/a.PNG", "tex/b.bmp", "shore", "--out-dir", "out/two", "--format",
             "png", "--tsx", "shore.tsx", "--map-preview", mFolder / "map.png"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_TRUE(Exists("out/one/b_1_1.bmp"));
    EXPECT_TRUE(Exists("out/one/b_1_2.bmp"));
    EXPECT_TRUE(Exists("out/two/shore_00.png"));
    EXPECT_TRUE(Exists("out/two/shore_15.png"));
    EXPECT_TRUE(Exists("out/two/shore.tsx"));
    EXPECT_TRUE(Exists("map.png"));
}

struct SaveNameCase {
    const char* name;
    Args options;  // after "tile tex/b.bmp SAVE_NAME"
    std::string saveName;
    Names files;  // what the run adds to the folder
};

class SaveNames : public TextureFolder, public ::testing::WithParamInterface<SaveNameCase> {};

TEST_P(SaveNames, GetTheFormatsSuffixOnce) {
    Args arguments{"tile", "tex/b.bmp", GetParam().saveName};
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    const Names before = mFolder.Names();
    const CliRun run = Run(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    Names added;
    for (const std::string& name : mFolder.Names()) {
        if (std::find(before.begin(), before.end(), name) == before.end()) added.push_back(name);
    }
    EXPECT_EQ(added, GetParam().files);
}

INSTANTIATE_TEST_SUITE_P(
    Tile, SaveNames,
    ::testing::Values(SaveNameCase{"PngAsPng", {"--format", "png"}, "out.png", {"out.png"}},
                      SaveNameCase{"BmpAsBmp", {}, "out.bmp", {"out.bmp"}},
                      SaveNameCase{"UpperCase", {}, "out.BMP", {"out.bmp"}},
                      SaveNameCase{"PngAsBmp", {}, "out.png", {"out.png.bmp"}},
                      SaveNameCase{
                          "Pieces", {"--pieces", "2x1"}, "out.bmp", {"out_1_1.bmp", "out_2_1.bmp"}},
                      SaveNameCase{"SuffixAlone", {}, ".bmp", {".bmp.bmp"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren
