// Variants of the transition tiles (--variants) through the real binary and the real readers:
// their names and their place in the sheet, each variant under its corners in Tiled's own
// reading of the tileset, in Godot 4's terrain set and in the real Godot 3's autotile, and the
// starter map that picks a variant for each cell from the seed.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <bit>
#include <set>

#include "cli/support/command_line.h"
#include "cli/support/grass_and_sand.h"
#include "cli/support/tiled.h"
#include "support/godot3.h"
#include "support/godot4_tileset_reader.h"
#include "support/png_picture.h"
#include "support/requirements.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

// The file of tile index of a variant, as a run of save name t writes it.
std::string TileName(const std::string& folder, int index, int variant, const char* suffix) {
    std::string name = folder + (index < 10 ? "t_0" : "t_") + std::to_string(index);
    if (variant > 0) name += "_v" + std::to_string(variant);
    return name + suffix;
}

class TransitionVariants : public CommandLine {
protected:
    void SetUp() override {
        WriteSolidTexture(mFolder / "grass.bmp", 8, 8, kGrass);
        WriteSolidTexture(mFolder / "sand.bmp", 16, 4, kSand);
    }
    void Folder(const std::string& name) {
        std::filesystem::create_directories(mFolder.Path() / name);
    }
};

// Each variant of each tile under its own name, the names sorting tile by tile with variant 0
// first under the name a run without variants gives it, and with that run's very bytes.
TEST_F(TransitionVariants, AreNamedAfterTheirTileAndVariantZeroIsTheTileOfOldByteForByte) {
    Folder("one");
    Folder("three");
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "one/t", "--format", "png"});
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "three/t", "--format", "png", "--variants",
           "3"});
    Names expected;
    for (int index = 0; index < 16; ++index) {
        for (int variant = 0; variant < 3; ++variant) {
            expected.push_back(TileName("", index, variant, ".png"));
            const PngPicture tile = ReadPngFile(mFolder.Path() / "three" / expected.back());
            ASSERT_EQ(tile.width, 72);
            ASSERT_EQ(tile.height, 36);
            // The diamond's top, right, bottom and left vertices show the tile's corners.
            const std::pair<std::pair<int, int>, int> vertices[] = {
                {{36, 0}, 8}, {{70, 18}, 4}, {{36, 35}, 2}, {{1, 17}, 1}};
            for (const auto& [at, weight] : vertices) {
                EXPECT_EQ(tile.At(at.first, at.second).colour,
                          SandAt(index, weight) ? kSand : kGrass)
                    << expected.back() << " at " << at.first << "," << at.second;
            }
        }
        EXPECT_EQ(FileBytes(mFolder.Path() / "three" / TileName("", index, 0, ".png")),
                  FileBytes(mFolder.Path() / "one" / TileName("", index, 0, ".png")))
            << index;
    }
    EXPECT_EQ(FolderNames(mFolder.Path() / "three"), expected);
}

// Refused before anything is written, naming the option or the project's key.
TEST_F(TransitionVariants, OutOfRangeOrForAnotherCommandAreRefused) {
    const std::pair<Args, const char*> refusals[] = {
        {{"transitions", "grass.bmp", "sand.bmp", "t", "--variants", "0"},
         "mosaren-cli: --variants '0' is not a whole number from 1 to 8"},
        {{"transitions", "grass.bmp", "sand.bmp", "t", "--variants", "9"},
         "mosaren-cli: --variants '9' is not a whole number from 1 to 8"},
        {{"transitions", "grass.bmp", "sand.bmp", "t", "--variants", "two"},
         "mosaren-cli: --variants 'two' is not a whole number from 1 to 8"},
        {{"batch", "grass.bmp", "--variants", "2"},
         "mosaren-cli: --variants is for the transitions command only"},
        // A straight border of one variant has nothing to seed; of several, the maps' choice.
        {{"transitions", "grass.bmp", "sand.bmp", "t", "--seed", "5"},
         "mosaren-cli: --seed is for --edge noise or dither: a straight border has no pattern"},
    };
    for (const auto& [arguments, complaint] : refusals) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << complaint;
        EXPECT_EQ(run.err.rfind(complaint, 0), 0u) << run.err;
        EXPECT_EQ(mFolder.Names(), (Names{"grass.bmp", "sand.bmp"}));
    }
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "t", "--seed", "5", "--variants", "2",
           "--sheet", "t.png"});

    // The project's key, refused with the line it stands on.
    std::ofstream(mFolder.Path() / "mosaren.toml")
        << "[terrains]\ngrass = \"grass.bmp\"\nsand = \"sand.bmp\"\n\n[sets.shore]\n"
           "transitions = [\"grass\", \"sand\"]\nvariants = 9\n";
    const CliRun bad = Run({"build", "-q"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("mosaren.toml:7: sets.shore.variants"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("from 1 to 8"), std::string::npos) << bad.err;
}

// ----- Tiled -----

// Tiled's own reading of the tileset: every variant is a tile under the Wang id of its corners,
// in a sheet (cell 16 v + i) and in a collection of the variants' files alike.
TEST_F(TransitionVariants, TiledReadsEachVariantUnderTheWangIdOfItsCorners) {
    MOSAREN_REQUIRE(HaveProgram("tiled"), "Tiled is not installed (tools/setup installs it)");
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "t", "--variants", "3", "--sheet", "t.png",
           "--tsx", "sheet.tsx"});
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "t", "--variants", "3", "--format", "png",
           "--tsx", "files.tsx"});
    for (const char* tsx : {"sheet.tsx", "files.tsx"}) {
        const QJsonObject tileset = TiledExport(mFolder.Path(), tsx);
        // The sheet's 7 × 7 grid holds 48 tiles and an empty cell, which Tiled counts.
        EXPECT_EQ(tileset.value(QStringLiteral("tilecount")).toInt(),
                  std::string(tsx) == "sheet.tsx" ? 49 : 48);
        const QJsonArray wangSets = tileset.value(QStringLiteral("wangsets")).toArray();
        ASSERT_EQ(wangSets.size(), 1) << tsx;
        const QJsonArray tiles =
            wangSets.at(0).toObject().value(QStringLiteral("wangtiles")).toArray();
        std::map<int, QJsonArray> wangIds;
        for (const QJsonValue tile : tiles) {
            wangIds[tile.toObject().value(QStringLiteral("tileid")).toInt()] =
                tile.toObject().value(QStringLiteral("wangid")).toArray();
        }
        ASSERT_EQ(wangIds.size(), 48u) << tsx;
        for (int k = 0; k < 48; ++k) {
            const int index = k % 16;
            auto colour = [index](int weight) { return SandAt(index, weight) ? 2 : 1; };
            const QJsonArray expected{0, colour(4), 0, colour(2), 0, colour(1), 0, colour(8)};
            EXPECT_EQ(wangIds[k], expected) << tsx << " tile " << k;
        }
    }
    // In the collection, tile 16 v + i is the file of tile i of variant v.
    const QJsonArray files =
        TiledExport(mFolder.Path(), "files.tsx").value(QStringLiteral("tiles")).toArray();
    ASSERT_EQ(files.size(), 48);
    for (const QJsonValue tile : files) {
        const int k = tile.toObject().value(QStringLiteral("id")).toInt();
        EXPECT_EQ(tile.toObject().value(QStringLiteral("image")).toString().toStdString(),
                  TileName("", k % 16, k / 16, ".png"));
    }
}

// ----- Godot -----

// Each variant is an atlas tile of its own with its corners' peering bits and Godot's default
// probability, so that the terrain brush picks among them evenly.
TEST_F(TransitionVariants, GiveGodot4EachVariantAsATileWithItsCornersPeeringBits) {
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "t", "--variants", "2", "--sheet", "t.png",
           "--godot", "t.tres"});
    const std::string text = Text("t.tres");
    const Godot4Tileset godot = ReadGodot4Tileset(text);
    ASSERT_EQ(godot.tiles.size(), 32u);
    const PngPicture sheet = ReadPngFile(mFolder.Path() / "t.png");
    EXPECT_EQ(godot.GridSize(sheet.width, sheet.height), (Vector2i{6, 6}));
    for (int k = 0; k < 32; ++k) {
        const Godot4Tile& tile = godot.tiles[static_cast<std::size_t>(k)];
        const int index = k % 16;
        EXPECT_EQ(tile.coords, (Vector2i{k % 6, k / 6})) << k;
        EXPECT_EQ(tile.terrainSet, 0);
        EXPECT_EQ(tile.peeringBits,
                  (std::vector<std::pair<std::string, int>>{{"right_corner", SandAt(index, 4)},
                                                            {"bottom_corner", SandAt(index, 2)},
                                                            {"left_corner", SandAt(index, 1)},
                                                            {"top_corner", SandAt(index, 8)}}))
            << k;
    }
    EXPECT_EQ(text.find("probability"), std::string::npos);
}

// The real Godot 3 paints sand with the autotile: each cell gets a subtile of exactly its
// corners, and it picks among the variants of those corners.
TEST_F(TransitionVariants, TheRealGodot3PaintsTheAutotileWithEveryVariantInItsBitmask) {
    MOSAREN_REQUIRE(!Godot3Program().empty(), "godot3-server is not installed");
    Folder("game");
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "t", "--variants", "3", "--sheet",
           "game/t.png", "--godot3", "game/t.tres"});
    // The sheet's 7 columns hold tiles 0 to 47; the autotile is tile 48.
    constexpr int kColumns = 7;
    constexpr int kAutotile = 48;
    constexpr int kSide = 12;
    std::mt19937 random(5);
    std::vector<bool> sand(kSide * kSide);
    std::vector<Godot3Cell> cells;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            sand[static_cast<std::size_t>(y * kSide + x)] = random() % 4 != 0;
            cells.push_back(
                {x, y, sand[static_cast<std::size_t>(y * kSide + x)] ? kAutotile : 0, 0, 0});
        }
    }
    auto isSand = [&sand](int x, int y) {
        return x >= 0 && y >= 0 && x < kSide && y < kSide &&
               sand[static_cast<std::size_t>(y * kSide + x)];
    };
    const std::vector<Godot3Cell> painted =
        PaintGodot3Map(mFolder.Path() / "game", "res://t.tres", 72, 36, cells);
    ASSERT_EQ(painted.size(), cells.size());
    std::map<int, std::set<int>> variants;  // by the corners' index, those Godot chose
    for (const Godot3Cell& cell : painted) {
        if (cell.tile != kAutotile) continue;
        const int x = cell.x;
        const int y = cell.y;
        const int index = 8 * (isSand(x - 1, y - 1) && isSand(x, y - 1) && isSand(x - 1, y)) +
                          4 * (isSand(x, y - 1) && isSand(x + 1, y - 1) && isSand(x + 1, y)) +
                          2 * (isSand(x + 1, y) && isSand(x + 1, y + 1) && isSand(x, y + 1)) +
                          1 * (isSand(x, y + 1) && isSand(x - 1, y + 1) && isSand(x - 1, y));
        const int k = cell.subtileY * kColumns + cell.subtileX;
        ASSERT_LT(k, kAutotile) << "cell " << x << "," << y;
        EXPECT_EQ(k % 16, index) << "cell " << x << "," << y;
        variants[index].insert(k / 16);
    }
    // Cells of no sand corner show the icon; the others a variant of Godot's choice, every one
    // of the three somewhere and more than one for most of the corners.
    std::set<int> everyChosen;
    int mixed = 0;
    for (const auto& [index, chosen] : variants) {
        if (index == 0) continue;
        everyChosen.insert(chosen.begin(), chosen.end());
        mixed += chosen.size() > 1;
    }
    EXPECT_EQ(everyChosen, (std::set<int>{0, 1, 2}));
    EXPECT_GE(mixed, 8);
}

// ----- Maps -----

// The cells of a Tiled map's one layer, as tile numbers from 0.
std::vector<int> TmxCells(const std::string& tmx) {
    std::smatch found;
    if (!std::regex_search(tmx, found, std::regex("<data encoding=\"csv\">([^<]*)</data>"))) {
        throw std::runtime_error("no data in " + tmx);
    }
    std::vector<int> cells;
    const std::string data = found[1];
    const std::regex number("[0-9]+");
    for (std::sregex_iterator it(data.begin(), data.end(), number), end; it != end; ++it) {
        cells.push_back(std::stoi(it->str()) - 1);
    }
    return cells;
}

// The starter map paints the corners of the run without variants, each cell a variant drawn
// from the seed: the same for every run of one seed, another for another seed. (The starter maps'
// tests see that every map shows the preview's cells.)
TEST_F(TransitionVariants, StarterMapsDrawEachCellsVariantFromTheSeed) {
    auto cells = [this](const std::string& name, Args more) {
        Args arguments{"transitions", "-q",     "grass.bmp", "sand.bmp",    name,
                       "--format",    "png",    "--tsx",     name + ".tsx", "--map",
                       name + ".tmx", "--edge", "noise"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        RunOk(arguments);
        return TmxCells(Text(name + ".tmx"));
    };
    const std::vector<int> single = cells("one", {});
    const std::vector<int> first = cells("a", {"--variants", "4"});
    const std::vector<int> other = cells("b", {"--variants", "4", "--seed", "2"});
    ASSERT_EQ(single.size(), 36u);
    EXPECT_EQ(std::set<int>(single.begin(), single.end()).size(), 16u);
    for (const std::vector<int>* map : {&first, &other}) {
        ASSERT_EQ(map->size(), 36u);
        std::set<int> variants;
        for (std::size_t k = 0; k < 36; ++k) {
            EXPECT_EQ((*map)[k] % 16, single[k]) << k;
            variants.insert((*map)[k] / 16);
        }
        EXPECT_EQ(variants, (std::set<int>{0, 1, 2, 3}));
    }
    EXPECT_EQ(cells("c", {"--variants", "4"}), first);
    EXPECT_NE(first, other);
}

// ----- Pictures -----

// Every tile that shows both terrains looks different in each variant (but see below). Textures larger than
// pixel art, whose texel grid would hold small bends of the border.
TEST_F(TransitionVariants, OfATileThatShowsBothTerrainsAreDifferentPictures) {
    WriteSolidTexture(mFolder / "meadow.bmp", 200, 200, kGrass);
    WriteSolidTexture(mFolder / "dune.bmp", 200, 200, kSand);
    for (const char* edge : {"straight", "noise", "dither"}) {
        const std::string folder = std::string(edge) + "/";
        Folder(folder);
        RunOk({"transitions", "-q", "meadow.bmp", "dune.bmp", folder + "t", "--format", "png",
               "--variants", "4", "--edge", edge});
        for (int index = 1; index < 15; ++index) {
            std::set<std::vector<std::uint8_t>> pictures;
            for (int variant = 0; variant < 4; ++variant) {
                pictures.insert(
                    FileBytes(mFolder.Path() / TileName(folder, index, variant, ".png")));
            }
            // A straight border round one corner stays near it, mostly in the edge bands that
            // every variant shares: there only some variants differ.
            const int corners = std::popcount(static_cast<unsigned>(index));
            const bool nearACorner = std::string(edge) == "straight" && corners % 2 == 1;
            EXPECT_GE(pictures.size(), nearACorner ? 2u : 4u) << edge << " tile " << index;
        }
    }
}

}  // namespace
}  // namespace mosaren
