#include "tiling/tile_names.h"

#include <gtest/gtest.h>

namespace mosaren {
namespace {

struct NameCase {
    const char* name;
    std::string texture;
    std::string tile;
};

class BatchTileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(BatchTileNameTest, DropsLastFourCharactersAndAddsTileBmp) {
    EXPECT_EQ(BatchTileName(GetParam().texture), GetParam().tile);
}

INSTANTIATE_TEST_SUITE_P(
    Names, BatchTileNameTest,
    ::testing::Values(
        NameCase{"Bmp", "/tex/grass.bmp", "/tex/grasstile.bmp"},
        NameCase{"Dib", "x.dib", "xtile.bmp"},
        NameCase{"LongSuffixLosesOnlyFour", "x.bitmap", "x.bitile.bmp"},
        NameCase{"EarlierTile", "/tex/atile.bmp", "/tex/atiletile.bmp"},
        NameCase{"SpacesAndCommas", "/My Textures/red, old.bmp", "/My Textures/red, oldtile.bmp"},
        NameCase{"NoSuffixAtAll", "/tex/grass", "/tex/gtile.bmp"},
        // Two bytes a letter: four letters are eight bytes, never half a letter.
        NameCase{"CyrillicName", "/tex/трава", "/tex/тtile.bmp"},
        NameCase{"CyrillicSuffix", "/tex/трава.бмп", "/tex/траваtile.bmp"},
        NameCase{"FourByteCharacters", "a\U0001F600\U0001F600\U0001F600\U0001F600", "atile.bmp"},
        NameCase{"ThreeByteCharacters", "ab€€.€€", "ab€tile.bmp"},
        NameCase{"ShorterThanFour", "ab", "tile.bmp"}, NameCase{"Empty", "", "tile.bmp"},
        // A byte that starts or ends no well-formed sequence counts on its own.
        NameCase{"StrayContinuationByte", "abcde\x80", "abtile.bmp"},
        NameCase{"CutSequence", "abc\xD1", "tile.bmp"},
        NameCase{"TooManyContinuations", "ab\xD1\x82\x82", "tile.bmp"}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

TEST(PieceTileName, IsTheSaveNameAndBmpForAWholeTextureAndAddsColumnAndRowForAPiece) {
    EXPECT_EQ(PieceTileName("/out/grass", {1, 1}, false), "/out/grass.bmp");
    EXPECT_EQ(PieceTileName("/out/grass.bmp", {1, 1}, false), "/out/grass.bmp.bmp");
    EXPECT_EQ(PieceTileName("/out/grass", {1, 1}, true), "/out/grass_1_1.bmp");
    EXPECT_EQ(PieceTileName("/out/grass", {12, 3}, true), "/out/grass_12_3.bmp");
}

}  // namespace
}  // namespace mosaren
