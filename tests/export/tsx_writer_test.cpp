#include "export/tsx_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "raster/exceptions.h"
#include "support/bmp_builder.h"
#include "support/bmp_picture.h"
#include "support/files.h"
#include "support/tsx_reader.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

TsxTileset SheetTileset() {
    TsxTileset tileset;
    tileset.name = "terrain";
    tileset.geometry = TileGeometry{72, 36, 0};
    tileset.tileCount = 5;
    tileset.columns = 3;
    tileset.margin = 2;
    tileset.spacing = 4;
    tileset.sheet = TsxImage{"../out/sheet.png", 232, 84};
    return tileset;
}

TEST(TsxText, SheetTilesetParsesBackWithEveryValue) {
    const TsxContent tsx = ParseTsx(TsxText(SheetTileset()));
    EXPECT_EQ(tsx.tileset, (XmlAttributes{{"version", "1.10"},
                                          {"name", "terrain"},
                                          {"tilewidth", "72"},
                                          {"tileheight", "36"},
                                          {"spacing", "4"},
                                          {"margin", "2"},
                                          {"tilecount", "5"},
                                          {"columns", "3"}}));
    EXPECT_EQ(tsx.grid,
              (XmlAttributes{{"orientation", "isometric"}, {"width", "72"}, {"height", "36"}}));
    ASSERT_EQ(tsx.images.size(), 1u);
    EXPECT_EQ(tsx.images[0].tileId, -1);
    EXPECT_EQ(tsx.images[0].attributes,
              (XmlAttributes{{"source", "../out/sheet.png"}, {"width", "232"}, {"height", "84"}}));
    EXPECT_EQ(tsx.tileElements, 0);
}

TEST(TsxText, ImageCollectionGivesEachTileItsImageAndTheMaskAsTrans) {
    TsxTileset tileset;
    tileset.name = "tiles";
    tileset.geometry = TileGeometry{64, 32, 0};
    tileset.tileCount = 2;
    tileset.transparentColour = HexColour(255, 0, 128);
    tileset.tiles = {TsxImage{"a tile.bmp", 64, 32}, TsxImage{"sub/b&c.bmp", 64, 32}};
    const TsxContent tsx = ParseTsx(TsxText(tileset));
    EXPECT_EQ(tsx.Tileset("columns"), 0);
    EXPECT_EQ(tsx.Tileset("tilecount"), 2);
    EXPECT_EQ(tsx.tileElements, 2);
    ASSERT_EQ(tsx.images.size(), 2u);
    const char* sources[] = {"a tile.bmp", "sub/b&c.bmp"};
    for (int id = 0; id < 2; ++id) {
        EXPECT_EQ(tsx.images[id].tileId, id);
        EXPECT_EQ(
            tsx.images[id].attributes,
            (XmlAttributes{
                {"source", sources[id]}, {"trans", "ff0080"}, {"width", "64"}, {"height", "32"}}));
    }
}

TEST(TsxText, BlocksStateThePictureAsTheTileAndTheirFootprintAsTheGrid) {
    TsxTileset tileset = SheetTileset();
    tileset.geometry = TileGeometry{72, 36, 24};
    const TsxContent tsx = ParseTsx(TsxText(tileset));
    EXPECT_EQ(tsx.Tileset("tilewidth"), 72);
    EXPECT_EQ(tsx.Tileset("tileheight"), 60);
    EXPECT_EQ(tsx.grid,
              (XmlAttributes{{"orientation", "isometric"}, {"width", "72"}, {"height", "36"}}));
}

TEST(TsxText, RefusesANameXmlCannotCarry) {
    for (const char* source : {"a\xff.png", "line\nbreak.png", "\x01.png"}) {
        TsxTileset tileset = SheetTileset();
        tileset.sheet->source = source;
        EXPECT_THROW(TsxText(tileset), EInvalidOperation) << source;
    }
    TsxTileset tileset = SheetTileset();
    tileset.sheet->source = "трава.png";
    EXPECT_EQ(ParseTsx(TsxText(tileset)).images.at(0).attributes.at("source"), "трава.png");
}

TEST(RelativePath, LeadsFromTheFolderToTheFile) {
    TempFolder folder;
    const std::filesystem::path root = folder.Path();
    std::filesystem::create_directories(root / "out/deep");
    std::filesystem::create_directories(root / "maps");
    const std::pair<std::string, std::string> cases[] = {
        {"out/sheet.png", "out"},   // same folder
        {"out/deep/a.png", "out"},  // below
        {"out/sheet.png", "maps"},  // beside
        {"out/sheet.png", ""},      // the working folder, as a bare TSX name has
    };
    const char* expected[] = {"sheet.png", "deep/a.png", "../out/sheet.png", "out/sheet.png"};
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(root);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(RelativePath(cases[i].first, cases[i].second), expected[i]) << i;
        // Absolute names give the same way.
        const std::string folderPath = (root / cases[i].second).string();
        EXPECT_EQ(RelativePath((root / cases[i].first).string(), folderPath), expected[i]) << i;
    }
    std::filesystem::current_path(before);
}

TEST(RelativePath, FollowsALinkedFolderWhereItLeads) {
    // maps/link points into out/deep: from there, out/sheet.png is one folder up, not two.
    TempFolder folder;
    const std::filesystem::path root = folder.Path();
    std::filesystem::create_directories(root / "out/deep");
    std::filesystem::create_directories(root / "maps");
    std::filesystem::create_directory_symlink(root / "out/deep", root / "maps/link");
    EXPECT_EQ(RelativePath((root / "out/sheet.png").string(), (root / "maps/link").string()),
              "../sheet.png");
}

TEST(HexColour, IsSixLowerCaseDigitsRedFirst) {
    EXPECT_EQ(HexColour(255, 0, 255), "ff00ff");
    EXPECT_EQ(HexColour(1, 2, 171), "0102ab");
}

}  // namespace
}  // namespace mosaren
