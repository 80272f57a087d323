#include <gtest/gtest.h>

#include <filesystem>

#include "cli/support/command_line.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

constexpr TColor kGreen = Rgb(10, 200, 10);
constexpr TColor kGrey = Rgb(100, 100, 100);

TEST_F(CommandLine, HelpAndVersionGoToStdoutAndSucceed) {
    const CliRun help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.err, "");
    for (const char* text : {"Usage: mosaren-cli", "tile TEXTURE SAVE_NAME", "batch TEXTURE",
                             "transitions A B SAVE_NAME", "--edge", "--seed", "--mask", "--size",
                             "--pieces", "--depth", "--keep-going", "--jobs", "--quiet", "--format",
                             "--sheet", "--columns", "--margin", "--spacing", "--extrude", "--tsx",
                             "--godot", "--godot3", "--godot-root", "--map-preview", "--block",
                             "--faces", "--shade", "--left-texture", "--right-texture", "PNG, JPEG", "alpha"}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    for (const char* text : {"batch TEXTURE|FOLDER...", "build [PROJECT]", "--out-dir",
                             "--recursive", "--watch", "--force"}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    const CliRun version = Run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("mosaren-cli ", 0), 0u) << version.out;
    EXPECT_EQ(version.err, "");
}

TEST_F(CommandLine, TileWritesTheSaveNameWithBmpQuietly) {
    Texture("grass.bmp", kGreen);
    const CliRun run = Run({"tile", "grass.bmp", "grass-tile"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(mFolder.Names(), (Names{"grass-tile.bmp", "grass.bmp"}));
    const BmpPicture tile = Tile("grass-tile.bmp");
    EXPECT_EQ(tile.width, 72);
    EXPECT_EQ(tile.height, 36);
    EXPECT_EQ(tile.bitCount, 32);
    EXPECT_TRUE(tile.OnlyHolds({kGreen, kMask}));
}

TEST_F(CommandLine, TileOptionsShapeTheTiles) {
    Texture("grass.bmp", kGreen);
    const CliRun run = Run({"tile", "--pieces", "2x1", "--size", "80x40", "--mask", "1,2,3",
                            "--depth", "24", "grass.bmp", "out"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(mFolder.Names(), (Names{"grass.bmp", "out_1_1.bmp", "out_2_1.bmp"}));
    for (const char* name : {"out_1_1.bmp", "out_2_1.bmp"}) {
        const BmpPicture tile = Tile(name);
        EXPECT_EQ(tile.width, 80);
        EXPECT_EQ(tile.height, 40);
        EXPECT_EQ(tile.bitCount, 24);
        EXPECT_EQ(tile.At(0, 0), Rgb(1, 2, 3));
        EXPECT_TRUE(tile.OnlyHolds({kGreen, Rgb(1, 2, 3)}));
    }
}

TEST_F(CommandLine, DepthSixteenWritesSixteenBitTiles) {
    Texture("grass.bmp", kGreen);
    ASSERT_EQ(Run({"batch", "--depth", "16", "grass.bmp"}).exitCode, 0);
    EXPECT_EQ(Tile("grasstile.bmp").bitCount, 16);
}

TEST_F(CommandLine, BatchWritesBesideEachTextureAndReportsEachTile) {
    std::filesystem::create_directory(mFolder.Path() / "sub");
    Texture("a.bmp", kGreen);
    Texture("sub/b.bmp", kGrey, 300);
    const CliRun run = Run({"batch", "a.bmp", "sub/b.bmp"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "[1/2] a.bmp -> atile.bmp\n[2/2] sub/b.bmp -> sub/btile.bmp\n");
    EXPECT_TRUE(Tile("atile.bmp").OnlyHolds({kGreen, kMask}));
    EXPECT_TRUE(Tile("sub/btile.bmp").OnlyHolds({kGrey, kMask}));
}

TEST_F(CommandLine, QuietBatchPrintsNothing) {
    Texture("a.bmp", kGreen);
    for (const char* quiet : {"-q", "--quiet"}) {
        const CliRun run = Run({"batch", quiet, "a.bmp"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "") << quiet;
        EXPECT_EQ(run.out, "") << quiet;
    }
    EXPECT_TRUE(Exists("atile.bmp"));
}

TEST_F(CommandLine, ProgressOnATerminalIsRewrittenInPlace) {
    Texture("a.bmp", kGreen);
    Texture("b.bmp", kGrey);
    const CliRun run = Run({"batch", "a.bmp", "b.bmp"}, ErrorOutput::Terminal);
    EXPECT_EQ(run.exitCode, 0);
    // The terminal shows each "\n" as "\r\n".
    EXPECT_EQ(run.err, "\r[1/2] a.bmp -> atile.bmp\033[K\r[2/2] b.bmp -> btile.bmp\033[K\r\n");
}

TEST_F(CommandLine, FailureOnATerminalStartsALineOfItsOwn) {
    Texture("a.bmp", kGreen);
    const CliRun run = Run({"batch", "a.bmp", "gone.bmp"}, ErrorOutput::Terminal);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "\r[1/2] a.bmp -> atile.bmp\033[K\r\n"
              "mosaren-cli: gone.bmp: Cannot open file gone.bmp.\r\n");
}

TEST_F(CommandLine, BatchStopsAtTheFirstBadTextureAndKeepsWhatItWrote) {
    Texture("a.bmp", kGreen);
    Junk("b.bmp");
    Texture("c.bmp", kGrey);
    const CliRun run = Run({"batch", "a.bmp", "b.bmp", "c.bmp"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind("[1/3] a.bmp -> atile.bmp\nmosaren-cli: b.bmp: ", 0), 0u) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
    EXPECT_EQ(run.err.find("c.bmp"), std::string::npos);
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", "atile.bmp", "b.bmp", "c.bmp"}));
}

TEST_F(CommandLine, KeepGoingReportsEveryFailureAndExitsOne) {
    Texture("a.bmp", kGreen);
    Junk("b.bmp");
    Texture("d.bmp", kGrey);
    const CliRun run = Run({"batch", "--keep-going", "a.bmp", "b.bmp", "gone.bmp", "d.bmp"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("[1/4] a.bmp -> atile.bmp\nmosaren-cli: b.bmp: "), std::string::npos);
    EXPECT_NE(run.err.find("\nmosaren-cli: gone.bmp: Cannot open file gone.bmp.\n"
                           "[4/4] d.bmp -> dtile.bmp\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", "atile.bmp", "b.bmp", "d.bmp", "dtile.bmp"}));
}

TEST_F(CommandLine, KeepGoingWithoutFailuresSucceeds) {
    Texture("a.bmp", kGreen);
    Texture("b.bmp", kGrey);
    const CliRun run = Run({"batch", "--keep-going", "a.bmp", "b.bmp"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "[1/2] a.bmp -> atile.bmp\n[2/2] b.bmp -> btile.bmp\n");
}

TEST_F(CommandLine, TileFailuresEndWithTheMessageAndItsFullStop) {
    Texture("tiny.bmp", kGreen, 2);
    const CliRun missing = Run({"tile", "gone.bmp", "out"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "mosaren-cli: Cannot open file gone.bmp.\n");
    const CliRun small = Run({"tile", "--pieces", "3x1", "tiny.bmp", "out"});
    EXPECT_EQ(small.exitCode, 1);
    EXPECT_EQ(small.err,
              "mosaren-cli: The texture of 2 x 2 pixels is too small to divide into 3 x 1 "
              "pieces.\n");
    const CliRun unwritable = Run({"tile", "tiny.bmp", "no/such/folder/out"});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_EQ(unwritable.err, "mosaren-cli: Cannot create file no/such/folder/out.bmp: No such file or directory.\n");
    EXPECT_EQ(mFolder.Names(), (Names{"tiny.bmp"}));
}

TEST_F(CommandLine, FileNamesPassThroughByteForByte) {
    std::filesystem::create_directory(mFolder.Path() / "My Textures");
    const Names textures = {"My Textures/red, old.bmp", "трава.bmp", "a\xff" "b.bmp", "-x.bmp"};
    for (const std::string& name : textures) Texture(name, kGreen);
    Args arguments{"batch", "-q", "--"};
    arguments.insert(arguments.end(), textures.begin(), textures.end());
    const CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const char* tile :
         {"My Textures/red, oldtile.bmp", "траваtile.bmp", "a\xff" "btile.bmp", "-xtile.bmp"}) {
        EXPECT_TRUE(Exists(tile)) << tile;
    }
}

struct UsageCase {
    const char* name;
    Args arguments;
    const char* complaint;
};

class UsageErrors : public CommandLine, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageErrors, ExitTwoNamingTheFaultAndWriteNothing) {
    Texture("a.bmp", kGreen);
    const CliRun run = Run(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind(std::string("mosaren-cli: ") + GetParam().complaint, 0), 0u)
        << run.err;
    EXPECT_NE(run.err.find("Try 'mosaren-cli --help'"), std::string::npos);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp"}));
}

INSTANTIATE_TEST_SUITE_P(
    GodotTilesets, UsageErrors,
    ::testing::Values(
        UsageCase{"WithoutSheet", {"batch", "--godot", "t.tres", "a.bmp"},
                  "--godot needs --sheet"},
        UsageCase{"Godot3WithoutSheet", {"batch", "--godot3", "t.tres", "a.bmp"},
                  "--godot3 needs --sheet"},
        UsageCase{"OfABmpSheet", {"batch", "--sheet", "s.bmp", "--godot", "t.tres", "a.bmp"},
                  "--godot needs a PNG sheet"},
        UsageCase{"OfASheetWithoutSuffix", {"batch", "--sheet", "s", "--godot3", "t.tres", "a.bmp"},
                  "--godot3 needs a PNG sheet"},
        UsageCase{"OfAPngSheetWithoutSuffix",
                  {"batch", "--format", "png", "--sheet", "s", "--godot", "t.tres", "a.bmp"},
                  "--godot needs a sheet named .png"},
        UsageCase{"NotTres", {"batch", "--sheet", "s.png", "--godot", "t.res", "a.bmp"},
                  "--godot 't.res' is not a .tres name"},
        UsageCase{"Nameless", {"batch", "--sheet", "s.png", "--godot3", "", "a.bmp"},
                  "--godot3 wants a file name"},
        UsageCase{"SheetOutsideTheTresFolder",
                  {"batch", "--sheet", "s.png", "--godot", "game/t.tres", "a.bmp"},
                  "--sheet 's.png' lies outside the Godot project 'game' of --godot"},
        UsageCase{"SheetOutsideTheRoot",
                  {"batch", "--sheet", "art/s.png", "--godot3", "t.tres", "--godot-root", "game",
                   "a.bmp"},
                  "--sheet 'art/s.png' lies outside the Godot project 'game' of --godot3"},
        UsageCase{"SheetBesideAnotherTres",
                  {"batch", "--sheet", "s.png", "--godot", "t.tres", "--godot3", "g/t.tres",
                   "a.bmp"},
                  "--sheet 's.png' lies outside the Godot project 'g' of --godot3"},
        UsageCase{"RootAlone", {"batch", "--godot-root", "game", "a.bmp"},
                  "--godot-root is for --godot and --godot3 only"},
        UsageCase{"BothInOneFile",
                  {"batch", "--sheet", "s.png", "--godot", "t.tres", "--godot3", "./t.tres",
                   "a.bmp"},
                  "--godot and --godot3 name the same file"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Transitions, UsageErrors,
    ::testing::Values(
        UsageCase{"OneTexture", {"transitions", "a.bmp", "t"}, "the transitions command wants"},
        UsageCase{"FourNames", {"transitions", "a.bmp", "a.bmp", "t", "u"},
                  "the transitions command wants"},
        UsageCase{"EdgeInBatch", {"batch", "--edge", "noise", "a.bmp"},
                  "--edge is for the transitions command only"},
        UsageCase{"SeedInTile", {"tile", "--seed", "3", "a.bmp", "t"},
                  "--seed is for the transitions command only"},
        UsageCase{"EdgeUnknown", {"transitions", "--edge", "wavy", "a.bmp", "a.bmp", "t"},
                  "--edge 'wavy' is not straight, noise or dither"},
        UsageCase{"SeedOfAStraightEdge", {"transitions", "--seed", "3", "a.bmp", "a.bmp", "t"},
                  "--seed is for --edge noise or dither"},
        UsageCase{"SeedTooLarge",
                  {"transitions", "--edge", "noise", "--seed", "4294967296", "a.bmp", "a.bmp", "t"},
                  "--seed '4294967296' is not a whole number from 0 to 4294967295"},
        UsageCase{"SeedNegative",
                  {"transitions", "--edge", "dither", "--seed", "-1", "a.bmp", "a.bmp", "t"},
                  "--seed '-1'"},
        UsageCase{"Pieces", {"transitions", "--pieces", "2x2", "a.bmp", "a.bmp", "t"},
                  "--pieces is for the tile command only"},
        UsageCase{"KeepGoing", {"transitions", "--keep-going", "a.bmp", "a.bmp", "t"},
                  "--keep-going is for the batch command only"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    CommandLines, UsageErrors,
    ::testing::Values(
        UsageCase{"NoCommand", {}, "no command given"},
        UsageCase{"UnknownCommand", {"frob", "a.bmp"}, "unknown command 'frob'"},
        UsageCase{"TileWithoutSaveName", {"tile", "a.bmp"}, "the tile command wants"},
        UsageCase{"TileWithThreeNames", {"tile", "a.bmp", "b", "c"}, "the tile command wants"},
        UsageCase{"BatchWithoutTextures", {"batch", "-q"}, "the batch command wants"},
        UsageCase{"UnknownOption", {"batch", "--bogus", "a.bmp"}, "Unknown option 'bogus'"},
        UsageCase{"MissingValue", {"batch", "a.bmp", "--size"}, "Missing value after '--size'"},
        UsageCase{"MaskTooBright", {"batch", "--mask", "256,0,0", "a.bmp"}, "--mask '256,0,0'"},
        UsageCase{"MaskTwoValues", {"batch", "--mask", "1,2", "a.bmp"}, "--mask '1,2'"},
        UsageCase{"MaskFourValues", {"batch", "--mask", "1,2,3,4", "a.bmp"}, "--mask '1,2,3,4'"},
        UsageCase{"MaskNegative", {"batch", "--mask", "-1,0,0", "a.bmp"}, "--mask '-1,0,0'"},
        UsageCase{"MaskBlank", {"batch", "--mask", "1, 2,3", "a.bmp"}, "--mask '1, 2,3'"},
        UsageCase{"MaskEmptyPart", {"batch", "--mask", "1,,3", "a.bmp"}, "--mask '1,,3'"},
        UsageCase{"SizeZero", {"batch", "--size", "0x36", "a.bmp"}, "--size '0x36'"},
        UsageCase{"SizeTooLarge", {"batch", "--size", "72x256", "a.bmp"}, "--size '72x256'"},
        UsageCase{"SizeOneNumber", {"batch", "--size", "72", "a.bmp"}, "--size '72'"},
        UsageCase{"SizeThreeNumbers", {"batch", "--size", "1x2x3", "a.bmp"}, "--size '1x2x3'"},
        UsageCase{"SizeNoHeight", {"batch", "--size", "72x", "a.bmp"}, "--size '72x'"},
        UsageCase{"PiecesZero", {"tile", "--pieces", "0x1", "a.bmp", "o"}, "--pieces '0x1'"},
        UsageCase{"PiecesTwenty", {"tile", "--pieces", "1x20", "a.bmp", "o"}, "--pieces '1x20'"},
        UsageCase{"PiecesOneNumber", {"tile", "--pieces", "2", "a.bmp", "o"}, "--pieces '2'"},
        UsageCase{"DepthEight", {"batch", "--depth", "8", "a.bmp"}, "--depth '8'"},
        UsageCase{"DepthEmpty", {"batch", "--depth", "", "a.bmp"}, "--depth ''"},
        UsageCase{"PiecesInBatch", {"batch", "--pieces", "2x2", "a.bmp"},
                  "--pieces is for the tile command only"},
        UsageCase{"KeepGoingInTile", {"tile", "--keep-going", "a.bmp", "o"},
                  "--keep-going is for the batch command only"},
        UsageCase{"JobsInTile", {"tile", "--jobs", "2", "a.bmp", "o"},
                  "--jobs is for the batch and transitions commands only"},
        UsageCase{"JobsZero", {"batch", "--jobs", "0", "a.bmp"},
                  "--jobs '0' is not a whole number from 1 to 256"},
        UsageCase{"JobsTooMany", {"batch", "--jobs", "257", "a.bmp"}, "--jobs '257'"},
        UsageCase{"JobsNotANumber", {"batch", "--jobs", "all", "a.bmp"}, "--jobs 'all'"},
        UsageCase{"FormatGif", {"batch", "--format", "gif", "a.bmp"}, "--format 'gif'"},
        UsageCase{"FormatUpperCase", {"batch", "--format", "PNG", "a.bmp"}, "--format 'PNG'"},
        UsageCase{"DepthWithPng", {"batch", "--format", "png", "--depth", "24", "a.bmp"},
                  "--depth is for BMP files only"},
        UsageCase{"DepthWithPngSheet", {"batch", "--sheet", "s.png", "--depth", "16", "a.bmp"},
                  "--depth is for BMP files only"},
        UsageCase{"SheetOfOneTile", {"tile", "--sheet", "s.png", "a.bmp", "o"},
                  "--sheet is for a batch, or for a tile cut into pieces"},
        UsageCase{"SheetOfOnePiece", {"tile", "--pieces", "1x1", "--sheet", "s.png", "a.bmp", "o"},
                  "--sheet is for a batch, or for a tile cut into pieces"},
        UsageCase{"SheetNameless", {"batch", "--sheet", "", "a.bmp"}, "--sheet wants a file name"},
        UsageCase{"SheetNameAgainstFormat", {"batch", "--format", "png", "--sheet", "s.BMP", "a.bmp"},
                  "--sheet 's.BMP' names a bmp file, but --format says png"},
        UsageCase{"ColumnsWithoutSheet", {"batch", "--columns", "2", "a.bmp"},
                  "--columns is for --sheet only"},
        UsageCase{"MarginWithoutSheet", {"batch", "--margin", "2", "a.bmp"},
                  "--margin is for --sheet only"},
        UsageCase{"SpacingWithoutSheet", {"tile", "--spacing", "2", "a.bmp", "o"},
                  "--spacing is for --sheet only"},
        UsageCase{"ExtrudeWithoutSheet", {"batch", "--extrude", "0", "a.bmp"},
                  "--extrude is for --sheet only"},
        UsageCase{"ColumnsZero", {"batch", "--sheet", "s.png", "--columns", "0", "a.bmp"},
                  "--columns '0' is not a whole number from 1 to 999"},
        UsageCase{"ColumnsTooMany", {"batch", "--sheet", "s.png", "--columns", "1000", "a.bmp"},
                  "--columns '1000'"},
        UsageCase{"MarginTooWide", {"batch", "--sheet", "s.png", "--margin", "256", "a.bmp"},
                  "--margin '256' is not a whole number from 0 to 255"},
        UsageCase{"SpacingNegative", {"batch", "--sheet", "s.png", "--spacing", "-1", "a.bmp"},
                  "--spacing '-1'"},
        UsageCase{"ExtrudeNotANumber", {"batch", "--sheet", "s.png", "--extrude", "x", "a.bmp"},
                  "--extrude 'x'"},
        UsageCase{"ExtrudeWithoutSpacing",
                  {"batch", "--sheet", "s.png", "--extrude", "1", "--margin", "1", "a.bmp"},
                  "--extrude 1 needs --spacing 2 or more and --margin 1 or more"},
        UsageCase{"ExtrudeWiderThanHalfTheSpacing",
                  {"batch", "--sheet", "s.png", "--extrude", "2", "--spacing", "3", "--margin",
                   "2", "a.bmp"},
                  "--extrude 2 needs --spacing 4 or more"},
        UsageCase{"ExtrudeWiderThanTheMargin",
                  {"batch", "--sheet", "s.png", "--extrude", "2", "--spacing", "4", "--margin",
                   "1", "a.bmp"},
                  "--extrude 2 needs --spacing 4 or more and --margin 2 or more"},
        UsageCase{"MarginWiderThanACell",
                  {"batch", "--size", "8x4", "--sheet", "s.png", "--margin", "6", "--spacing",
                   "2", "a.bmp"},
                  "--margin 6 must be less than the tile's shorter side plus --spacing, 6"},
        UsageCase{"TsxNameless", {"batch", "--tsx", "", "a.bmp"}, "--tsx wants a file name"},
        UsageCase{"MapPreviewNotPng", {"batch", "--map-preview", "map.bmp", "a.bmp"},
                  "--map-preview 'map.bmp' is not a .png name"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    BlockCommandLines, UsageErrors,
    ::testing::Values(
        UsageCase{"BlockZero", {"batch", "--block", "0", "a.bmp"},
                  "--block '0' is not a whole number from 1 to 255"},
        UsageCase{"BlockTooHigh", {"batch", "--block", "256", "a.bmp"}, "--block '256'"},
        UsageCase{"BlockNotANumber", {"tile", "--block", "x", "a.bmp", "o"}, "--block 'x'"},
        UsageCase{"FacesWithoutBlock", {"batch", "--faces", "left", "a.bmp"},
                  "--faces is for --block only"},
        UsageCase{"ShadeWithoutBlock", {"batch", "--shade", "1,1,1", "a.bmp"},
                  "--shade is for --block only"},
        UsageCase{"LeftTextureWithoutBlock", {"tile", "--left-texture", "a.bmp", "a.bmp", "o"},
                  "--left-texture is for --block only"},
        UsageCase{"FacesUnknown", {"batch", "--block", "8", "--faces", "front", "a.bmp"},
                  "--faces 'front' is not a list of top, left and right"},
        UsageCase{"FacesEmpty", {"batch", "--block", "8", "--faces", "", "a.bmp"},
                  "--faces '' is not"},
        UsageCase{"FacesTrailingComma", {"batch", "--block", "8", "--faces", "left,", "a.bmp"},
                  "--faces 'left,'"},
        UsageCase{"ShadeAboveOne", {"batch", "--block", "8", "--shade", "1.5,1,1", "a.bmp"},
                  "--shade '1.5,1,1' is not TOP,LEFT,RIGHT with each factor from 0 to 1"},
        UsageCase{"ShadeJustAboveOne",
                  {"batch", "--block", "8", "--shade", "1,1.000001,1", "a.bmp"},
                  "--shade '1,1.000001,1'"},
        UsageCase{"ShadeNegative", {"batch", "--block", "8", "--shade", "1,-0.1,1", "a.bmp"},
                  "--shade '1,-0.1,1'"},
        UsageCase{"ShadeTwoFactors", {"batch", "--block", "8", "--shade", "1,0.5", "a.bmp"},
                  "--shade '1,0.5'"},
        UsageCase{"ShadeSevenPlaces",
                  {"batch", "--block", "8", "--shade", "1,0.1234567,1", "a.bmp"},
                  "--shade '1,0.1234567,1'"},
        UsageCase{"ShadeTrailingPoint", {"batch", "--block", "8", "--shade", "1,1.,1", "a.bmp"},
                  "--shade '1,1.,1'"},
        UsageCase{"LeftTextureNameless",
                  {"batch", "--block", "8", "--left-texture", "", "a.bmp"},
                  "--left-texture wants a file name"},
        UsageCase{"MarginWiderThanABlockCell",
                  {"batch", "--size", "8x4", "--block", "4", "--sheet", "s.png", "--margin", "10",
                   "--spacing", "2", "a.bmp"},
                  "--margin 10 must be less than the tile's shorter side plus --spacing, 10"}),
    [](const auto& info) { return std::string(info.param.name); });

struct BoundaryCase {
    const char* name;
    Args options;
};

class BoundaryValues : public CommandLine, public ::testing::WithParamInterface<BoundaryCase> {};

TEST_P(BoundaryValues, AreAccepted) {
    Texture("a.bmp", kGreen, 19);
    Args arguments{"tile", "a.bmp", "out"};
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    const CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_GT(mFolder.Names().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Options, BoundaryValues,
    ::testing::Values(BoundaryCase{"BlackMask", {"--mask", "0,0,0"}},
                      BoundaryCase{"WhiteMask", {"--mask", "255,255,255"}},
                      BoundaryCase{"SmallestTile", {"--size", "1x1"}},
                      BoundaryCase{"LargestTile", {"--size", "255x255"}},
                      BoundaryCase{"MostPieces", {"--pieces", "19x19"}},
                      BoundaryCase{"Depth24", {"--depth", "24"}},
                      BoundaryCase{"OptionsAfterNames", {"-q", "--depth=16"}},
                      BoundaryCase{"WidestSheetGaps",
                                   {"--pieces", "2x1", "--sheet", "s.png", "--margin", "255",
                                    "--spacing", "255", "--extrude", "127"}},
                      BoundaryCase{"MostColumns",
                                   {"--pieces", "1x2", "--sheet", "s.bmp", "--columns", "999",
                                    "--depth", "16"}},
                      BoundaryCase{"FormatAndSuffixAgree",
                                   {"--pieces", "2x1", "--format", "png", "--sheet", "S.PNG"}},
                      BoundaryCase{"EngineOutputsOfOneTile",
                                   {"--format", "png", "--tsx", "t.tsx", "--map-preview",
                                    "m.PNG"}},
                      BoundaryCase{"LowestBlock", {"--block", "1"}},
                      BoundaryCase{"HighestBlock",
                                   {"--block", "255", "--size", "255x255", "--depth", "16"}},
                      BoundaryCase{"DarkestShade", {"--block", "8", "--shade", "0,0.0,.000000"}},
                      BoundaryCase{"EveryFaceNamed", {"--block", "8", "--faces", "top,left,right,left"}},
                      BoundaryCase{"MarginBelowABlockCell",
                                   {"--pieces", "2x1", "--size", "8x4", "--block", "4", "--sheet",
                                    "s.png", "--margin", "9", "--spacing", "2"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren
