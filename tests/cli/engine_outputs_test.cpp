// What mosaren-cli hands to a game engine, checked through the real binary: PNG tiles, sheets,
// Tiled tilesets and the map preview, each against the plain tiles of the same run.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/support/command_line.h"
#include "cli/support/preview_cells.h"
#include "support/png_picture.h"
#include "support/tsx_reader.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

// No channel of these is ever that of the mask (green 0), so a BMP tile's mask pixels are
// exactly the pixels the texture does not cover.
TColor Gradient(int x, int y) {
    return Rgb(static_cast<std::uint8_t>(40 + 6 * x), static_cast<std::uint8_t>(100 + 4 * y),
               static_cast<std::uint8_t>(20 + 3 * (x + y)));
}

// A picture read back from either kind of file: a BMP pixel of the mask colour counts as
// transparent, as Tiled's trans attribute makes it.
PngPicture ReadPicture(const std::filesystem::path& path, TColor mask = kMask) {
    if (path.extension() == ".png") return ReadPngFile(path);
    const BmpPicture bmp = ReadBmpPicture(path);
    PngPicture picture{bmp.width, bmp.height, {}};
    for (TColor c : bmp.pixels) {
        picture.pixels.push_back({c, c == mask ? std::uint8_t{0} : std::uint8_t{255}});
    }
    return picture;
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class EngineOutput : public CommandLine {
protected:
    void GradientTexture(const std::string& name, int side = 32) {
        WriteTexture(mFolder / name, side, side, Gradient);
    }
    void Folder(const std::string& name) {
        std::filesystem::create_directories(mFolder.Path() / name);
    }
    PngPicture Read(const std::string& name) const { return ReadPicture(mFolder.Path() / name); }
    TsxContent Tsx(const std::string& name) const {
        return ParseTsx(ReadText(mFolder.Path() / name));
    }
};

// ----- PNG tiles -----

struct PngCase {
    const char* name;
    Args options;
    TColor mask;
    Names tiles;  // without their suffix
};

class PngTiles : public EngineOutput, public ::testing::WithParamInterface<PngCase> {};

TEST_P(PngTiles, AreTransparentExactlyWhereTheBmpTileHasTheMaskAndHoldItsColoursElsewhere) {
    const PngCase& param = GetParam();
    const bool batch = param.options.at(0) == "batch";
    for (const char* format : {"bmp", "png"}) {
        Folder(format);
        const std::string folder = format;
        Args arguments = param.options;
        arguments.insert(arguments.end(), {"-q", "--format", format});
        if (batch) {
            for (const char* texture : {"/a.bmp", "/b.bmp"}) {
                GradientTexture(folder + texture);
                arguments.push_back(folder + texture);
            }
        } else {
            GradientTexture(folder + "/t.bmp", 40);
            arguments.insert(arguments.end(), {folder + "/t.bmp", folder + "/out"});
        }
        RunOk(arguments);
    }
    for (const std::string& tile : param.tiles) {
        ASSERT_TRUE(Exists("png/" + tile + ".png")) << tile;
        EXPECT_FALSE(Exists("png/" + tile + ".bmp")) << tile;
        const BmpPicture bmp = Tile("bmp/" + tile + ".bmp");
        const PngPicture png = ReadPngFile(mFolder.Path() / ("png/" + tile + ".png"));
        ASSERT_EQ(png.width, bmp.width);
        ASSERT_EQ(png.height, bmp.height);
        for (int y = 0; y < bmp.height; ++y) {
            for (int x = 0; x < bmp.width; ++x) {
                const TColor c = bmp.At(x, y);
                const PngPixel expected = c == param.mask ? PngPixel{0, 0} : PngPixel{c, 255};
                ASSERT_EQ(png.At(x, y), expected) << tile << " " << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, PngTiles,
    ::testing::Values(PngCase{"Tile", {"tile"}, kMask, {"out"}},
                      PngCase{"Pieces",
                              {"tile", "--pieces", "2x2", "--size", "64x32", "--mask", "1,2,3"},
                              Rgb(1, 2, 3),
                              {"out_1_1", "out_1_2", "out_2_1", "out_2_2"}},
                      PngCase{"Batch", {"batch", "--size", "36x72"}, kMask, {"atile", "btile"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineOutput, TexturePixelsOfTheMaskColourStayOpaqueInPng) {
    // The same tile shape twice: once of a texture without the mask colour, once of a texture
    // that is nothing but the mask colour. The BMP tile of the second is all mask.
    GradientTexture("plain.bmp");
    Texture("magenta.bmp", kMask, 32);
    RunOk({"batch", "-q", "--format", "png", "plain.bmp", "magenta.bmp"});
    RunOk({"batch", "-q", "magenta.bmp"});
    EXPECT_TRUE(Tile("magentatile.bmp").OnlyHolds({kMask}));
    const PngPicture plain = ReadPngFile(mFolder.Path() / "plaintile.png");
    const PngPicture magenta = ReadPngFile(mFolder.Path() / "magentatile.png");
    ASSERT_EQ(magenta.pixels.size(), plain.pixels.size());
    for (std::size_t i = 0; i < plain.pixels.size(); ++i) {
        const bool covered = plain.pixels[i].alpha == 255;
        const PngPixel expected = covered ? PngPixel{kMask, 255} : PngPixel{0, 0};
        ASSERT_EQ(magenta.pixels[i], expected) << i;
    }
}

// ----- Sheets -----

struct SheetCase {
    const char* name;
    const char* format;  // of the separate tiles to compare with, and the sheet's suffix
    Args options;
    int columns;
    int margin;
    int spacing;
    int extrude;
};

class Sheets : public EngineOutput, public ::testing::WithParamInterface<SheetCase> {
protected:
    // Five textures, the tiles of each written separately and again into sheet.<format>.
    void MakeTilesAndSheet() {
        const SheetCase& param = GetParam();
        for (const char* texture : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"}) {
            WriteTexture(mFolder / texture, 16 + static_cast<int>(mTextures.size()) * 8, 24,
                         Gradient);
            mTextures.push_back(texture);
        }
        const std::string sheet = std::string("sheet.") + param.format;
        Args sheetRun{"batch", "-q", "--sheet", sheet};
        sheetRun.insert(sheetRun.end(), param.options.begin(), param.options.end());
        sheetRun.insert(sheetRun.end(), mTextures.begin(), mTextures.end());
        RunOk(sheetRun);
        // The sheet stands instead of the tile files.
        Names names = mTextures;
        names.push_back(sheet);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(mFolder.Names(), names);

        Args tileRun{"batch", "-q", "--format", param.format};
        tileRun.insert(tileRun.end(), mTextures.begin(), mTextures.end());
        RunOk(tileRun);
        mSheet = Read(sheet);
        for (const std::string& texture : mTextures) {
            mTiles.push_back(Read(texture.substr(0, 1) + "tile." + param.format));
        }
    }

    // The tile whose cell, widened by the extrusion, holds sheet pixel (x, y), or -1.
    int CellAt(int x, int y, int w, int h) const {
        const SheetCase& p = GetParam();
        for (std::size_t k = 0; k < mTiles.size(); ++k) {
            const int left = p.margin + static_cast<int>(k) % p.columns * (w + p.spacing);
            const int top = p.margin + static_cast<int>(k) / p.columns * (h + p.spacing);
            if (x >= left - p.extrude && x < left + w + p.extrude && y >= top - p.extrude &&
                y < top + h + p.extrude) {
                return static_cast<int>(k);
            }
        }
        return -1;
    }

    Names mTextures;
    PngPicture mSheet;
    std::vector<PngPicture> mTiles;
};

TEST_P(Sheets, HoldEachTileInItsCellAndItsExtrudedEdgesAroundIt) {
    MakeTilesAndSheet();
    const SheetCase& p = GetParam();
    const int w = mTiles.at(0).width;
    const int h = mTiles.at(0).height;
    const int rows = (5 + p.columns - 1) / p.columns;
    ASSERT_EQ(mSheet.width, 2 * p.margin + p.columns * w + (p.columns - 1) * p.spacing);
    ASSERT_EQ(mSheet.height, 2 * p.margin + rows * h + (rows - 1) * p.spacing);
    const PngPixel background{std::string(p.format) == "png" ? 0 : kMask, 0};
    for (int y = 0; y < mSheet.height; ++y) {
        for (int x = 0; x < mSheet.width; ++x) {
            const int k = CellAt(x, y, w, h);
            if (k < 0) {
                ASSERT_EQ(mSheet.At(x, y), background) << x << "," << y;
                continue;
            }
            // Inside the cell the tile's own pixel; in its extruded border the nearest edge one.
            const int left = p.margin + k % p.columns * (w + p.spacing);
            const int top = p.margin + k / p.columns * (h + p.spacing);
            const PngPixel expected =
                mTiles[k].At(std::clamp(x - left, 0, w - 1), std::clamp(y - top, 0, h - 1));
            ASSERT_EQ(mSheet.At(x, y), expected) << "tile " << k << " at " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, Sheets,
    ::testing::Values(
        // 5 tiles: the square grid is 3 columns of 2 rows.
        SheetCase{"PngSquareGrid", "png", {"--format", "png"}, 3, 0, 0, 0},
        SheetCase{"PngByItsName",
                  "png",
                  {"--columns", "2", "--margin", "3", "--spacing", "5"},
                  2,
                  3,
                  5,
                  0},
        SheetCase{"PngExtruded",
                  "png",
                  {"--columns", "4", "--margin", "2", "--spacing", "5", "--extrude", "2"},
                  4,
                  2,
                  5,
                  2},
        SheetCase{
            "BmpSpaced", "bmp", {"--columns", "5", "--margin", "1", "--spacing", "2"}, 5, 1, 2, 0},
        SheetCase{"BmpExtruded",
                  "bmp",
                  {"--depth", "24", "--margin", "3", "--spacing", "6", "--extrude", "3"},
                  3,
                  3,
                  6,
                  3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineOutput, ExtrusionCarriesTheVertexPixelsIntoTheSpacing) {
    // The diamond's top and bottom vertices touch the cell's edge: those are the pixels a
    // filter would otherwise mix with the gap.
    GradientTexture("a.bmp");
    RunOk({"batch", "-q", "--format", "png", "a.bmp"});
    RunOk({"batch", "-q", "--sheet", "s.png", "--margin", "2", "--spacing", "4", "--extrude", "2",
           "a.bmp"});
    const PngPicture tile = Read("atile.png");
    const PngPicture sheet = Read("s.png");
    int vertexPixels = 0;
    for (int x = 0; x < tile.width; ++x) {
        if (tile.At(x, 0).alpha == 0) continue;
        ++vertexPixels;
        EXPECT_EQ(sheet.At(2 + x, 0), tile.At(x, 0)) << x;
        EXPECT_EQ(sheet.At(2 + x, 1), tile.At(x, 0)) << x;
        EXPECT_EQ(sheet.At(2 + x, sheet.height - 1), tile.At(x, tile.height - 1)) << x;
    }
    EXPECT_EQ(vertexPixels, 2);
}

TEST_F(EngineOutput, PiecesFillTheSheetInTheOrderTheyAreMadeColumnByColumn) {
    const TColor topLeft = Rgb(200, 10, 10);
    const TColor topRight = Rgb(10, 10, 200);
    const TColor bottomLeft = Rgb(10, 200, 10);
    const TColor bottomRight = Rgb(100, 100, 100);
    WriteTexture(mFolder / "t.bmp", 40, 40, [&](int x, int y) {
        return y < 20 ? (x < 20 ? topLeft : topRight) : (x < 20 ? bottomLeft : bottomRight);
    });
    RunOk({"tile", "--pieces", "2x2", "--sheet", "s.png", "--columns", "4", "t.bmp", "out"});
    EXPECT_EQ(mFolder.Names(), (Names{"s.png", "t.bmp"}));
    const PngPicture sheet = Read("s.png");
    ASSERT_EQ(sheet.width, 4 * 72);
    const TColor order[] = {topLeft, bottomLeft, topRight, bottomRight};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(sheet.At(72 * k + 36, 18), (PngPixel{order[k], 255})) << k;
    }
}

// ----- Tiled tilesets -----

struct TilesetCase {
    const char* name;
    const char* sheet;
    Args tileOptions;  // for the sheet and for the separate tiles it is checked against
    Args sheetOptions;
    TColor mask;
    const char* trans;  // "" for PNG
};

class Tilesets : public EngineOutput, public ::testing::WithParamInterface<TilesetCase> {};

TEST_P(Tilesets, OfASheetLetTiledFindEveryTileByMarginAndSpacing) {
    const TilesetCase& param = GetParam();
    Folder("tex");
    Folder("out");
    Folder("maps");
    Names textures;
    for (const char* texture : {"tex/a.bmp", "tex/b.bmp", "tex/c.bmp"}) {
        WriteTexture(mFolder / texture, 20 + 10 * static_cast<int>(textures.size()), 20, Gradient);
        textures.push_back(texture);
    }
    const std::string format = std::filesystem::path(param.sheet).extension().string().substr(1);
    Args run{"batch", "-q", "--sheet", param.sheet, "--tsx", "maps/terrain.tsx"};
    run.insert(run.end(), param.tileOptions.begin(), param.tileOptions.end());
    run.insert(run.end(), param.sheetOptions.begin(), param.sheetOptions.end());
    run.insert(run.end(), textures.begin(), textures.end());
    RunOk(run);
    Args tilesRun{"batch", "-q", "--format", format};
    tilesRun.insert(tilesRun.end(), param.tileOptions.begin(), param.tileOptions.end());
    tilesRun.insert(tilesRun.end(), textures.begin(), textures.end());
    RunOk(tilesRun);

    const TsxContent tsx = Tsx("maps/terrain.tsx");
    EXPECT_EQ(tsx.tileset.at("name"), "terrain");
    const int tw = tsx.Tileset("tilewidth");
    const int th = tsx.Tileset("tileheight");
    const int margin = tsx.Tileset("margin");
    const int spacing = tsx.Tileset("spacing");
    const int columns = tsx.Tileset("columns");
    // Every cell of the grid, as Tiled counts the picture's; the run's tiles are the first 3.
    const int count = 3;
    const int rows = (count + columns - 1) / columns;
    EXPECT_EQ(tsx.Tileset("tilecount"), columns * rows);
    EXPECT_EQ(tsx.grid, (XmlAttributes{{"orientation", "isometric"},
                                       {"width", std::to_string(tw)},
                                       {"height", std::to_string(th)}}));
    ASSERT_EQ(tsx.images.size(), 1u);
    const XmlAttributes& image = tsx.images[0].attributes;
    EXPECT_EQ(image.at("source"), std::string("../") + param.sheet);
    EXPECT_EQ(image.count("trans") ? image.at("trans") : "", param.trans);

    // Tiled opens the image from the tileset's folder and slices it by the stated values;
    // the counts come out the same whether the margin is taken off one side or both.
    const PngPicture sheet = ReadPicture(mFolder.Path() / "maps" / image.at("source"), param.mask);
    EXPECT_EQ(std::stoi(image.at("width")), sheet.width);
    EXPECT_EQ(std::stoi(image.at("height")), sheet.height);
    for (int sides : {1, 2}) {
        EXPECT_EQ((sheet.width - sides * margin + spacing) / (tw + spacing), columns) << sides;
        EXPECT_EQ((sheet.height - sides * margin + spacing) / (th + spacing), rows) << sides;
    }
    for (int id = 0; id < count; ++id) {
        const PngPicture tile =
            ReadPicture(mFolder.Path() / ("tex/" + std::string(1, static_cast<char>('a' + id)) +
                                          "tile." + format),
                        param.mask);
        ASSERT_EQ(tile.width, tw);
        ASSERT_EQ(tile.height, th);
        const int left = margin + id % columns * (tw + spacing);
        const int top = margin + id / columns * (th + spacing);
        for (int y = 0; y < th; ++y) {
            for (int x = 0; x < tw; ++x) {
                ASSERT_EQ(sheet.At(left + x, top + y), tile.At(x, y)) << id << " " << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, Tilesets,
    ::testing::Values(TilesetCase{"Png", "out/sheet.png", {}, {}, kMask, ""},
                      TilesetCase{"PngExtruded",
                                  "out/sheet.png",
                                  {},
                                  {"--margin", "3", "--spacing", "6", "--extrude", "3"},
                                  kMask,
                                  ""},
                      TilesetCase{"BmpSpacedInOneRow",
                                  "out/sheet.bmp",
                                  {"--size", "64x32", "--mask", "0,0,0"},
                                  {"--columns", "3", "--margin", "1", "--spacing", "2"},
                                  Rgb(0, 0, 0),
                                  "000000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineOutput, TilesetWithoutASheetListsEveryPngPictureFromItsFolder) {
    Folder("tex");
    Folder("maps");
    GradientTexture("tex/a.bmp");
    GradientTexture("tex/b.bmp");
    for (const char* format : {"png"}) {
        const std::string tsxName = std::string("maps/") + format + ".tsx";
        RunOk({"batch", "-q", "--format", format, "--tsx", tsxName, "tex/a.bmp", "tex/b.bmp"});
        const TsxContent tsx = Tsx(tsxName);
        EXPECT_EQ(tsx.Tileset("tilecount"), 2) << format;
        EXPECT_EQ(tsx.Tileset("columns"), 0) << format;
        EXPECT_EQ(tsx.Tileset("tilewidth"), 72) << format;
        EXPECT_EQ(tsx.Tileset("tileheight"), 36) << format;
        EXPECT_EQ(tsx.grid.at("orientation"), "isometric");
        EXPECT_EQ(tsx.tileElements, 2);
        ASSERT_EQ(tsx.images.size(), 2u);
        for (int id = 0; id < 2; ++id) {
            const XmlAttributes& image = tsx.images[id].attributes;
            EXPECT_EQ(tsx.images[id].tileId, id);
            const std::string tile = std::string(id == 0 ? "a" : "b") + "tile." + format;
            EXPECT_EQ(image.at("source"), "../tex/" + tile);
            const PngPicture picture = ReadPicture(mFolder.Path() / "maps" / image.at("source"));
            EXPECT_EQ(std::stoi(image.at("width")), picture.width);
            EXPECT_EQ(std::stoi(image.at("height")), picture.height);
            EXPECT_EQ(image.count("trans"), 0u) << format;
        }
    }
}

TEST_F(EngineOutput, TilesetOfOneTileBesideIt) {
    GradientTexture("t.bmp");
    RunOk({"tile", "--mask", "0,128,255", "--format", "png", "--tsx", "t.tsx", "t.bmp", "one"});
    const TsxContent tsx = Tsx("t.tsx");
    EXPECT_EQ(tsx.Tileset("tilecount"), 1);
    ASSERT_EQ(tsx.images.size(), 1u);
    EXPECT_EQ(tsx.images[0].attributes,
              (XmlAttributes{{"source", "one.png"}, {"width", "72"}, {"height", "36"}}));
}

// ----- Map preview -----

struct PreviewCase {
    const char* name;
    int width;
    int height;
};

class MapPreviews : public EngineOutput, public ::testing::WithParamInterface<PreviewCase> {};

// Inside the map: pixel (x, y) of the 6W × 6H picture whose centre lies in the map's outline, the
// diamond through the middles of the picture's sides, edges included; in units of half pixels,
// |2x + 1 − 6W| · H + |2y + 1 − 6H| · W ≤ 6WH. The cells' own diamonds tile that outline.
bool InsideTheMap(int x, int y, int w, int h) {
    return std::abs(2 * x + 1 - 6 * w) * h + std::abs(2 * y + 1 - 6 * h) * w <= 6 * w * h;
}

TEST_P(MapPreviews, OfOpaqueTexturesCoverTheMapOutlineExactlyWithTheTilesInOrder) {
    const PreviewCase& p = GetParam();
    const TColor colours[] = {Rgb(200, 10, 10), Rgb(10, 200, 10), Rgb(10, 10, 200)};
    Texture("a.bmp", colours[0]);
    Texture("b.bmp", colours[1]);
    Texture("c.bmp", colours[2]);
    const std::string size = std::to_string(p.width) + "x" + std::to_string(p.height);
    RunOk({"batch", "-q", "--size", size, "--map-preview", "map.png", "a.bmp", "b.bmp", "c.bmp"});
    const PngPicture map = Read("map.png");
    ASSERT_EQ(map.width, 6 * p.width);
    ASSERT_EQ(map.height, 6 * p.height);
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            ASSERT_EQ(map.At(x, y).alpha, InsideTheMap(x, y, p.width, p.height) ? 255 : 0)
                << x << "," << y;
        }
    }
    // The cell in column c and row r shows its patch's tile at its centre.
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 6; ++column) {
            const int x = (column - row + 5) * p.width / 2 + p.width / 2;
            const int y = (column + row) * p.height / 2 + p.height / 2;
            EXPECT_EQ(map.At(x, y).colour, colours[PreviewTileOfCell(3, column, row)])
                << column << "," << row;
        }
    }
}

// The sizes at which the squeezed diamond is the ideal one exactly. (Odd sizes cannot meet on
// any map: neighbours lie half a tile apart, which falls between pixels.)
INSTANTIATE_TEST_SUITE_P(Sizes, MapPreviews,
                         ::testing::Values(PreviewCase{"Default", 72, 36},
                                           PreviewCase{"Size64x32", 64, 32},
                                           PreviewCase{"Size96x48", 96, 48},
                                           PreviewCase{"Size16x8", 16, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

// The pieces of a cut texture join on the map as they lay in it: a texture of four coloured
// quarters cut 2 × 2 (and 3 × 2, its last column a third colour) shows the texture repeated.
TEST_F(EngineOutput, MapPreviewLaysPiecesOutAsTheyJoin) {
    const TColor colours[3][2] = {{Rgb(200, 10, 10), Rgb(10, 10, 200)},
                                  {Rgb(10, 200, 10), Rgb(200, 200, 10)},
                                  {Rgb(10, 200, 200), Rgb(200, 10, 200)}};
    for (const auto& [across, down] : {std::pair{2, 2}, std::pair{3, 2}}) {
        WriteTexture(mFolder / "t.bmp", 12 * across, 12 * down,
                     [&](int x, int y) { return colours[x / 12][y / 12]; });
        const std::string pieces = std::to_string(across) + "x" + std::to_string(down);
        RunOk({"tile", "-q", "--pieces", pieces, "--size", "64x32", "--map-preview", "map.png",
               "t.bmp", "out"});
        const PngPicture map = Read("map.png");
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 6; ++column) {
                const int x = (column - row + 5) * 32 + 32;
                const int y = (column + row) * 16 + 16;
                EXPECT_EQ(map.At(x, y).colour, colours[column % across][row % down])
                    << pieces << " " << column << "," << row;
            }
        }
    }
}

// The same, pixel for pixel, against a map composed here of the piece files the run wrote: each
// cell (c, r) takes piece (c mod across + 1, r mod down + 1) of the texture, cells drawn back to
// front, each tile's opaque pixels over what lies behind. The texture is a gradient, so that
// every piece differs from every other everywhere.
TEST_F(EngineOutput, MapPreviewOfPiecesIsTheMapOfThePieceFilesPlacedByTheirColumnAndRow) {
    constexpr int kW = 64;
    constexpr int kH = 32;
    for (const auto& [across, down] : {std::pair{2, 2}, std::pair{3, 2}, std::pair{1, 4}}) {
        const std::string pieces = std::to_string(across) + "x" + std::to_string(down);
        SCOPED_TRACE(pieces);
        WriteTexture(mFolder / "t.bmp", 20 * across, 20 * down, [](int x, int y) {
            return Rgb(static_cast<std::uint8_t>(3 * x + 10), static_cast<std::uint8_t>(3 * y + 10),
                       static_cast<std::uint8_t>((x * y) % 200 + 20));
        });
        RunOk({"tile", "-q", "--pieces", pieces, "--size", "64x32", "--format", "png",
               "--map-preview", "map.png", "t.bmp", "p" + pieces});
        const PngPicture map = Read("map.png");
        ASSERT_EQ(map.width, 6 * kW);
        ASSERT_EQ(map.height, 6 * kH);
        std::vector<PngPixel> composed(static_cast<std::size_t>(map.width * map.height));
        for (int sum = 0; sum <= 10; ++sum) {
            for (int column = 0; column < 6; ++column) {
                const int row = sum - column;
                if (row < 0 || row >= 6) continue;
                const PngPicture piece =
                    Read("p" + pieces + "_" + std::to_string(column % across + 1) + "_" +
                         std::to_string(row % down + 1) + ".png");
                const int left = (column - row + 5) * kW / 2;
                const int top = (column + row) * kH / 2;
                for (int y = 0; y < kH; ++y) {
                    for (int x = 0; x < kW; ++x) {
                        const PngPixel pixel = piece.At(x, y);
                        ASSERT_TRUE(pixel.alpha == 0 || pixel.alpha == 255);
                        if (pixel.alpha == 255) {
                            composed[static_cast<std::size_t>((top + y) * map.width + left + x)] = pixel;
                        }
                    }
                }
            }
        }
        for (int y = 0; y < map.height; ++y) {
            for (int x = 0; x < map.width; ++x) {
                const PngPixel expected = composed[static_cast<std::size_t>(y * map.width + x)];
                if (expected.alpha == 0) {
                    ASSERT_EQ(map.At(x, y).alpha, 0) << x << "," << y;
                } else {
                    ASSERT_EQ(map.At(x, y), expected) << x << "," << y;
                }
            }
        }
    }
}

TEST_F(EngineOutput, MapPreviewLeavesOutWhatTheMaskCovers) {
    // A BMP run's tiles carry the mask colour; the preview draws only the texture's pixels.
    Texture("a.bmp", Rgb(10, 200, 10));
    RunOk({"tile", "--map-preview", "map.png", "a.bmp", "out"});
    const PngPicture map = Read("map.png");
    EXPECT_EQ(map.At(0, 0), (PngPixel{0, 0}));
    for (const PngPixel& p : map.pixels) {
        ASSERT_TRUE(p == (PngPixel{0, 0}) || p == (PngPixel{Rgb(10, 200, 10), 255}));
    }
}

// ----- Failures -----

TEST_F(EngineOutput, ASheetThatCannotBeCreatedFailsWithItsNameAndLeavesNothing) {
    Texture("a.bmp", Rgb(10, 200, 10));
    const CliRun run = Run({"batch", "-q", "--sheet", "gone/s.png", "--tsx", "t.tsx", "a.bmp"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "mosaren-cli: Cannot create file gone/s.png: No such file or directory; not written either: t.tsx.\n");
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp"}));
}

TEST_F(EngineOutput, ANameNoTilesetCanCarryFailsBeforeAnyTile) {
    Texture("a.bmp", Rgb(10, 200, 10));
    // Not UTF-8, a newline, U+FFFF (UTF-8, but no XML character: a writer would drop it).
    for (const std::string stem : {"b\xff", "b\nc", "b\xef\xbf\xbf"}) {
        WriteTexture(mFolder / (stem + ".bmp"), 8, 8, Gradient);
        for (const Args& arguments :
             {Args{"batch", "-q", "--format", "png", "--tsx", "t.tsx", "a.bmp", stem + ".bmp"},
              Args{"batch", "-q", "--sheet", stem + ".png", "--tsx", "t.tsx", "a.bmp"},
              Args{"batch", "-q", "--format", "png", "--tsx", stem + ".tsx", "a.bmp"}}) {
            const CliRun run = Run(arguments);
            EXPECT_EQ(run.exitCode, 1) << arguments.back();
            EXPECT_NE(run.err.find("mosaren-cli: Cannot write the name "), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(" into a TSX file: it is not UTF-8 text without control "
                                   "characters and non-characters.\n"),
                      std::string::npos)
                << run.err;
            EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", stem + ".bmp"})) << "a tile was made";
        }
        std::filesystem::remove(mFolder / (stem + ".bmp"));
    }
}

// Godot takes a backslash in a res:// path for a folder separator, whatever the system.
TEST_F(EngineOutput, ASheetNameGodotWouldReadAsAnotherFailsBeforeAnyTile) {
    Texture("a.bmp", Rgb(10, 200, 10));
    for (const char* godot : {"--godot", "--godot3"}) {
        const CliRun run = Run({"batch", "-q", "--sheet", "s\\e.png", godot, "t.tres", "a.bmp"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "mosaren-cli: Godot reads the backslash in res://s\\\\e.png as a folder "
                           "separator, so it would look for another file: name the sheet without "
                           "one.\n");
        EXPECT_EQ(mFolder.Names(), (Names{"a.bmp"}));
    }
}

TEST_F(EngineOutput, ATilesetThatCannotBeWrittenFailsAfterTheTiles) {
    Texture("a.bmp", Rgb(10, 200, 10));
    const CliRun gone = Run({"batch", "-q", "--format", "png", "--tsx", "gone/t.tsx", "a.bmp"});
    EXPECT_EQ(gone.exitCode, 1);
    EXPECT_EQ(gone.err, "mosaren-cli: Cannot create file gone/t.tsx: No such file or directory.\n");
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", "atile.png"}));
}

TEST_F(EngineOutput, AStoppedBatchWritesNoSheetTilesetOrPreviewButKeepGoingDoes) {
    Texture("a.bmp", Rgb(10, 200, 10));
    Junk("b.bmp");
    Texture("c.bmp", Rgb(10, 10, 200));
    const Args outputs{"--sheet", "s.png", "--tsx", "t.tsx", "--map-preview", "m.png"};
    Args stopped{"batch", "-q"};
    stopped.insert(stopped.end(), outputs.begin(), outputs.end());
    stopped.insert(stopped.end(), {"a.bmp", "b.bmp", "c.bmp"});
    const CliRun first = Run(stopped);
    EXPECT_EQ(first.exitCode, 1);
    EXPECT_EQ(first.err.rfind("mosaren-cli: b.bmp: ", 0), 0u) << first.err;
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", "b.bmp", "c.bmp"}));

    stopped.insert(stopped.begin() + 1, "--keep-going");
    const CliRun kept = Run(stopped);
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", "b.bmp", "c.bmp", "m.png", "s.png", "t.tsx"}));
    EXPECT_EQ(Tsx("t.tsx").Tileset("tilecount"), 2);
    const PngPicture sheet = Read("s.png");
    EXPECT_EQ(sheet.width, 2 * 72);
    EXPECT_EQ(sheet.At(72 + 36, 18).colour, Rgb(10, 10, 200));
}

// A line for what has happened only: a tile file in place; a tile made for the sheet, then the
// sheet and each tileset once in place; a failure after that names what was not written.
TEST_F(EngineOutput, BatchProgressNamesWhereEachTileWent) {
    Texture("a.bmp", Rgb(10, 200, 10));
    Texture("b.bmp", Rgb(10, 20, 200));
    EXPECT_EQ(Run({"batch", "--format", "png", "a.bmp"}).err, "[1/1] a.bmp -> atile.png\n");
    EXPECT_EQ(Run({"batch", "--sheet", "s.bmp", "a.bmp", "b.bmp"}).err,
              "[1/2] a.bmp made for s.bmp\n[2/2] b.bmp made for s.bmp\ns.bmp written\n");
    EXPECT_EQ(Run({"batch", "--sheet", "s.png", "--tsx", "t.tsx", "--map-preview", "p.png", "a.bmp"}).err,
              "[1/1] a.bmp made for s.png\ns.png written\nt.tsx written\np.png written\n");
    std::filesystem::create_directory(mFolder.Path() / "t2.tsx");
    EXPECT_EQ(Run({"batch", "--sheet", "s.png", "--tsx", "t2.tsx", "--map-preview", "p.png", "a.bmp"}).err,
              "[1/1] a.bmp made for s.png\ns.png written\n"
              "mosaren-cli: Cannot create file t2.tsx: Is a directory; not written either: p.png.\n");
}

}  // namespace
}  // namespace mosaren
