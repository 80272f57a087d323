#include <gtest/gtest.h>

#include "tiling/support/tiler_fixture.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;
using Names = std::vector<std::string>;

constexpr TColor kA = Rgb(200, 10, 10);
constexpr TColor kB = Rgb(10, 10, 200);

// A front end that takes the tiles itself: it sees each tile under the name the command would
// have written, in the command's order, and no BMP file appears.
class TileOutput : public TilerFixture {
protected:
    void SetUp() override {
        TilerFixture::SetUp();
        mTiler.SetTileOutput([this](TBitmap& tile, const std::string& fileName) {
            mNames.push_back(fileName);
            mTiles.push_back(PixelsOf(tile));
        });
    }

    std::vector<std::string> mNames;
    std::vector<std::vector<TColor>> mTiles;
};

TEST_F(TileOutput, TakesThePiecesColumnByColumnInsteadOfWritingThem) {
    // Left half kA, right half kB: piece (1, j) is all kA, piece (2, j) all kB.
    WriteTexture(mFolder / "t.bmp", 40, 40, [](int x, int) { return x < 20 ? kA : kB; });
    mSettings.PiecesAcross = 2;
    mSettings.PiecesDown = 2;
    ScriptedFileDialog open;
    ScriptedFileDialog save;
    open.Accept({mFolder / "t.bmp"});
    save.Accept({mFolder / "out"});
    mTiler.TileSingleTexture(open, save);

    EXPECT_EQ(mNames, (Names{mFolder / "out_1_1.bmp", mFolder / "out_1_2.bmp",
                             mFolder / "out_2_1.bmp", mFolder / "out_2_2.bmp"}));
    ASSERT_EQ(mTiles.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        const TColor colour = k < 2 ? kA : kB;
        for (TColor c : mTiles[k]) ASSERT_TRUE(c == colour || c == kMask) << k;
    }
    EXPECT_EQ(mFolder.Names(), (Names{"t.bmp"}));
}

TEST_F(TileOutput, TakesTheBatchsTilesUnderTheirBatchNames) {
    WriteSolidTexture(mFolder / "a.bmp", 8, 8, kA);
    WriteSolidTexture(mFolder / "b.bmp", 8, 8, kB);
    ScriptedFileDialog all;
    all.Accept({mFolder / "a.bmp", mFolder / "b.bmp"});
    mTiler.TileBatch(all);

    EXPECT_EQ(mNames, (Names{mFolder / "atile.bmp", mFolder / "btile.bmp"}));
    ASSERT_EQ(mTiles.size(), 2u);
    EXPECT_EQ(mTiles[1], PixelsOf(mTilePreview));
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", "b.bmp"}));
}

TEST_F(TileOutput, AnEmptyOutputWritesBmpFilesAgain) {
    WriteSolidTexture(mFolder / "a.bmp", 8, 8, kA);
    mTiler.SetTileOutput({});
    ScriptedFileDialog all;
    all.Accept({mFolder / "a.bmp"});
    mTiler.TileBatch(all);

    EXPECT_TRUE(mNames.empty());
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", "atile.bmp"}));
}

}  // namespace
}  // namespace mosaren
