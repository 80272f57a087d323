#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "raster/exceptions.h"
#include "tiling/support/tiler_fixture.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;
using Names = std::vector<std::string>;

constexpr TColor kA = Rgb(200, 10, 10);
constexpr TColor kB = Rgb(10, 10, 200);
constexpr TColor kC = Rgb(10, 200, 10);

using Report = std::tuple<std::size_t, std::size_t, std::string, std::string>;

class BatchCommand : public TilerFixture {
protected:
    void Run(const std::vector<std::string>& textures) {
        mAll.Accept(textures);
        mTiler.TileBatch(mAll, [this](std::size_t k, std::size_t n, const std::string& texture,
                                      const std::string& tile) {
            mReports.emplace_back(k, n, texture, tile);
        });
    }

    ScriptedFileDialog mAll;
    std::vector<Report> mReports;
};

TEST_F(BatchCommand, WritesEachTileBesideItsTextureAndReportsIt) {
    WriteSolidTexture(mFolder / "a.bmp", 32, 32, kA);
    WriteSolidTexture(mFolder / "b.bmp", 64, 16, kB);
    Run({mFolder / "a.bmp", mFolder / "b.bmp"});

    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", "atile.bmp", "b.bmp", "btile.bmp"}));
    const BmpPicture a = ReadBmpPicture(mFolder.Path() / "atile.bmp");
    const BmpPicture b = ReadBmpPicture(mFolder.Path() / "btile.bmp");
    EXPECT_EQ(a.width, 72);
    EXPECT_EQ(a.height, 36);
    EXPECT_TRUE(a.Contains(kA));
    EXPECT_TRUE(a.OnlyHolds({kA, kMask}));
    EXPECT_TRUE(b.Contains(kB));
    EXPECT_TRUE(b.OnlyHolds({kB, kMask}));
    EXPECT_EQ(mReports, (std::vector<Report>{{1, 2, mFolder / "a.bmp", mFolder / "atile.bmp"},
                                             {2, 2, mFolder / "b.bmp", mFolder / "btile.bmp"}}));
    // The tile preview ends with the last tile; the texture preview is never touched.
    EXPECT_EQ(PixelsOf(mTilePreview), b.pixels);
    EXPECT_EQ(mTexturePreview.ImageWidth(), 0);
    EXPECT_EQ(mTexturePreview.ImageHeight(), 0);
}

TEST_F(BatchCommand, NamesTilesByDroppingFourCharactersOfTheTexturePath) {
    std::filesystem::create_directory(mFolder.Path() / "My Textures");
    const Names textures = {"x.dib", "y.bitmap", "atile.bmp", "My Textures/red, old.bmp",
                            "трава.bmp", "камень"};
    std::vector<std::string> paths;
    for (const std::string& name : textures) {
        WriteSolidTexture(mFolder / name, 8, 8, kA);
        paths.push_back(mFolder / name);
    }
    Run(paths);
    for (const char* tile : {"xtile.bmp", "y.bitile.bmp", "atiletile.bmp",
                             "My Textures/red, oldtile.bmp", "траваtile.bmp", "каtile.bmp"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(mFolder.Path() / tile)) << tile;
    }
    EXPECT_EQ(mReports.size(), textures.size());
}

TEST_F(BatchCommand, ReplacesAnEarlierFileOfTheTilesName) {
    WriteSolidTexture(mFolder / "a.bmp", 8, 8, kA);
    WriteBytes(mFolder / "atile.bmp", std::vector<std::uint8_t>(100000, 'x'));
    Run({mFolder / "a.bmp"});
    EXPECT_EQ(FileBytes(mFolder.Path() / "atile.bmp").size(), 54u + 72 * 36 * 4);
    EXPECT_TRUE(ReadBmpPicture(mFolder.Path() / "atile.bmp").Contains(kA));
}

TEST_F(BatchCommand, PieceCountsPlayNoPart) {
    WriteTexture(mFolder / "a.bmp", 40, 30, [](int x, int y) { return Rgb(x * 6, y * 8, 9); });
    WriteSolidTexture(mFolder / "tiny.bmp", 2, 1, kB);  // too small to divide into 3 × 2
    Run({mFolder / "a.bmp", mFolder / "tiny.bmp"});
    const auto whole = FileBytes(mFolder.Path() / "atile.bmp");

    mSettings.PiecesAcross = 3;
    mSettings.PiecesDown = 2;
    Run({mFolder / "a.bmp", mFolder / "tiny.bmp"});
    EXPECT_EQ(FileBytes(mFolder.Path() / "atile.bmp"), whole);
    EXPECT_TRUE(ReadBmpPicture(mFolder.Path() / "tinytile.bmp").Contains(kB));
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", "atile.bmp", "tiny.bmp", "tinytile.bmp"}));
}

TEST_F(BatchCommand, InvalidSecondOfThreeKeepsTheFirstTileAndSkipsTheThird) {
    WriteSolidTexture(mFolder / "a.bmp", 8, 8, kA);
    WriteBytes(mFolder / "b.bmp", std::vector<std::uint8_t>(200, 'x'));
    WriteSolidTexture(mFolder / "c.bmp", 8, 8, kC);
    EXPECT_THROW(Run({mFolder / "a.bmp", mFolder / "b.bmp", mFolder / "c.bmp"}), Exception);
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp", "atile.bmp", "b.bmp", "c.bmp"}));
    ASSERT_EQ(mReports.size(), 1u);
    EXPECT_EQ(std::get<0>(mReports[0]), 1u);
    // The tile preview keeps the tile of the last texture that got one.
    EXPECT_EQ(PixelsOf(mTilePreview), ReadBmpPicture(mFolder.Path() / "atile.bmp").pixels);
}

TEST_F(BatchCommand, MissingTextureIsNamedInTheMessage) {
    WriteSolidTexture(mFolder / "a.bmp", 8, 8, kA);
    try {
        Run({mFolder / "gone.bmp", mFolder / "a.bmp"});
        FAIL() << "a missing texture was not refused";
    } catch (const EFOpenError& failure) {
        EXPECT_EQ(failure.Message(), "Cannot open file " + mFolder / "gone.bmp");
    }
    EXPECT_EQ(mFolder.Names(), (Names{"a.bmp"}));
}

TEST_F(BatchCommand, CancelOrAnEmptyListDoesNothing) {
    mAll.Cancel();
    mTiler.TileBatch(mAll, [this](std::size_t k, std::size_t n, const std::string& texture,
                                  const std::string& tile) {
        mReports.emplace_back(k, n, texture, tile);
    });
    Run({});
    EXPECT_TRUE(mReports.empty());
    EXPECT_TRUE(mFolder.Names().empty());
    EXPECT_EQ(mTilePreview.ImageWidth(), 0);
}

TEST_F(BatchCommand, TextureIsDrawnAtTheDepthItWasReadAt) {
    WriteTexture(mFolder / "a.bmp", 10, 10, [](int, int) { return kA; }, 32);
    Run({mFolder / "a.bmp"});
    EXPECT_EQ(mTiler.Source().PixelDepth(), TPixelDepth::Depth32);
    EXPECT_TRUE(ReadBmpPicture(mFolder.Path() / "atile.bmp").Contains(kA));
}

TEST_F(BatchCommand, BmpPicturesTakeTheDisplayDepth) {
    WriteSolidTexture(mFolder / "a.bmp", 8, 8, kA);
    for (int depth : {24, 16, 32}) {
        SetDisplayDepth(depth);
        Run({mFolder / "a.bmp"});
        const BmpPicture tile = ReadBmpPicture(mFolder.Path() / "atile.bmp");
        EXPECT_EQ(tile.bitCount, depth);
        // The mask's channels are all 0 or 255, which 5 bits a channel keep exactly.
        EXPECT_EQ(tile.At(0, 0), kMask) << depth;
        if (depth != 16) {
            EXPECT_TRUE(tile.OnlyHolds({kA, kMask})) << depth;
        }
    }
}

}  // namespace
}  // namespace mosaren
