#include <gtest/gtest.h>

#include <filesystem>

#include "raster/exceptions.h"
#include "tiling/support/tiler_fixture.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;
using Names = std::vector<std::string>;

constexpr TColor kLeft = Rgb(200, 10, 10);
constexpr TColor kRight = Rgb(10, 10, 200);

class SingleTextureCommand : public TilerFixture {
protected:
    // Runs the command on the texture with the save name (none: the save dialog is cancelled).
    void Run(const std::string& texture, const std::string& saveName) {
        mOpen.Accept({texture});
        if (!saveName.empty()) mSave.Accept({saveName});
        mTiler.TileSingleTexture(mOpen, mSave);
    }

    // A first command that leaves pictures in both previews.
    void ShowSomething() {
        WriteSolidTexture(mFolder / "first.bmp", 8, 8, kLeft);
        Run(mFolder / "first.bmp", "");
        mShownTexture = PixelsOf(mTexturePreview);
        mShownTile = PixelsOf(mTilePreview);
        ASSERT_FALSE(mShownTexture.empty());
    }
    void ExpectPreviewsAsShown() {
        EXPECT_EQ(PixelsOf(mTexturePreview), mShownTexture);
        EXPECT_EQ(PixelsOf(mTilePreview), mShownTile);
    }

    ScriptedFileDialog mOpen;
    ScriptedFileDialog mSave;
    std::vector<TColor> mShownTexture;
    std::vector<TColor> mShownTile;
};

TEST_F(SingleTextureCommand, DefaultSettingsWriteOneTileAndShowTextureAndTile) {
    std::filesystem::create_directory(mFolder.Path() / "out");
    WriteTexture(mFolder / "grass.bmp", 64, 64,
                 [](int x, int y) { return Rgb(x * 4, y * 4, 100); });
    Run(mFolder / "grass.bmp", mFolder / "out/grass");

    ASSERT_TRUE(std::filesystem::exists(mFolder.Path() / "out/grass.bmp"));
    const BmpPicture tile = ReadBmpPicture(mFolder.Path() / "out/grass.bmp");
    EXPECT_EQ(tile.width, 72);
    EXPECT_EQ(tile.height, 36);
    EXPECT_EQ(tile.bitCount, 32);
    EXPECT_EQ(tile.At(0, 0), kMask);
    EXPECT_EQ(tile.At(71, 35), kMask);
    EXPECT_NE(tile.At(36, 18), kMask);
    // The file holds what the tile preview shows.
    EXPECT_EQ(tile.pixels, PixelsOf(mTilePreview));

    EXPECT_EQ(mTexturePreview.ImageWidth(), 255);
    EXPECT_EQ(mTexturePreview.ImageHeight(), 255);
    EXPECT_EQ(mTexturePreview.PixelDepth(), TPixelDepth::Depth24);
    EXPECT_EQ(mTexturePreview.DrawingSurface().ReadPixel(0, 0), Rgb(0, 0, 100));
    EXPECT_EQ(mTexturePreview.DrawingSurface().ReadPixel(254, 254), Rgb(252, 252, 100));
    EXPECT_EQ(mFolder.Names(), (Names{"grass.bmp", "out"}));
}

struct SaveNameCase {
    const char* name;
    std::string saveName;
    std::string written;
};

class SaveNames : public SingleTextureCommand,
                  public ::testing::WithParamInterface<SaveNameCase> {};

TEST_P(SaveNames, OnePieceIsWrittenUnderTheSaveNameAndBmp) {
    std::filesystem::create_directory(mFolder.Path() / "my tiles, v2");
    WriteSolidTexture(mFolder / "t.bmp", 4, 4, kLeft);
    Run(mFolder / "t.bmp", mFolder / GetParam().saveName);
    EXPECT_TRUE(std::filesystem::is_regular_file(mFolder.Path() / GetParam().written));
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(mFolder.Path())) {
        files += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files, 2u);  // the texture and its one tile
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveNames,
    ::testing::Values(SaveNameCase{"Plain", "grass", "grass.bmp"},
                      SaveNameCase{"EndingInBmp", "grass.bmp", "grass.bmp.bmp"},
                      SaveNameCase{"SpacesAndCommas", "my tiles, v2/red, old",
                                   "my tiles, v2/red, old.bmp"},
                      SaveNameCase{"Cyrillic", "трава", "трава.bmp"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SizeCase {
    std::int32_t textureWidth;
    std::int32_t textureHeight;
    std::uint8_t tileWidth;
    std::uint8_t tileHeight;
};

class TextureSizes : public SingleTextureCommand, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(TextureSizes, GiveTheFullFrameAndATileOfTheSetSize) {
    const SizeCase& size = GetParam();
    mSettings.TileWidth = size.tileWidth;
    mSettings.TileHeight = size.tileHeight;
    WriteSolidTexture(mFolder / "t.bmp", size.textureWidth, size.textureHeight, kLeft);
    Run(mFolder / "t.bmp", mFolder / "tile");

    EXPECT_EQ(mTiler.Texture().ImageWidth(), 255);
    EXPECT_EQ(mTiler.Texture().ImageHeight(), 255);
    EXPECT_EQ(mTiler.Rotated().ImageWidth(), 360);
    EXPECT_EQ(mTiler.Rotated().ImageHeight(), 360);
    const BmpPicture tile = ReadBmpPicture(mFolder.Path() / "tile.bmp");
    EXPECT_EQ(tile.width, size.tileWidth);
    EXPECT_EQ(tile.height, size.tileHeight);
    EXPECT_TRUE(tile.Contains(kLeft));
}

INSTANTIATE_TEST_SUITE_P(Sizes, TextureSizes,
                         ::testing::Values(SizeCase{64, 32, 72, 36}, SizeCase{512, 512, 72, 36},
                                           SizeCase{1, 1, 72, 36}, SizeCase{300, 17, 100, 50},
                                           SizeCase{64, 64, 254, 254}, SizeCase{64, 64, 3, 9}));

TEST_F(SingleTextureCommand, TwoPiecesAcrossGiveTheLeftHalfFirst) {
    mSettings.PiecesAcross = 2;
    WriteTexture(mFolder / "t.bmp", 100, 50, [](int x, int) { return x < 50 ? kLeft : kRight; });
    Run(mFolder / "t.bmp", mFolder / "tile");

    EXPECT_EQ(mFolder.Names(), (Names{"t.bmp", "tile_1_1.bmp", "tile_2_1.bmp"}));
    const BmpPicture left = ReadBmpPicture(mFolder.Path() / "tile_1_1.bmp");
    const BmpPicture right = ReadBmpPicture(mFolder.Path() / "tile_2_1.bmp");
    EXPECT_TRUE(left.Contains(kLeft));
    EXPECT_TRUE(left.OnlyHolds({kLeft, kMask}));
    EXPECT_TRUE(right.Contains(kRight));
    EXPECT_TRUE(right.OnlyHolds({kRight, kMask}));
    // The previews end with the last piece, the right half.
    EXPECT_EQ(mTiler.Piece().ImageWidth(), 50);
    EXPECT_EQ(mTiler.Piece().ImageHeight(), 50);
    EXPECT_EQ(mTexturePreview.DrawingSurface().ReadPixel(0, 0), kRight);
    EXPECT_EQ(PixelsOf(mTilePreview), right.pixels);
}

TEST_F(SingleTextureCommand, PieceIsCopiedPixelForPixelFromItsPlace) {
    mSettings.PiecesAcross = 2;
    mSettings.PiecesDown = 2;
    const auto colourAt = [](int x, int y) { return Rgb(10 + x * 20, 10 + y * 30, 77); };
    WriteTexture(mFolder / "t.bmp", 7, 5, colourAt);  // pieces of 3 × 2; column 6 and row 4 spare
    Run(mFolder / "t.bmp", "");

    // The last piece is column 2, row 2: pixels x 3 to 5, y 2 to 3.
    TBitmap& piece = mTiler.Piece();
    ASSERT_EQ(piece.ImageWidth(), 3);
    ASSERT_EQ(piece.ImageHeight(), 2);
    EXPECT_EQ(piece.PixelDepth(), TPixelDepth::DepthDevice);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(piece.DrawingSurface().ReadPixel(x, y), colourAt(3 + x, 2 + y))
                << "piece pixel " << x << ", " << y;
        }
    }
    // The working texture is that piece, stretched to 255 × 255.
    EXPECT_EQ(mTexturePreview.DrawingSurface().ReadPixel(0, 0), colourAt(3, 2));
    EXPECT_EQ(mTexturePreview.DrawingSurface().ReadPixel(254, 254), colourAt(5, 3));
}

TEST_F(SingleTextureCommand, ThreeAcrossOfAHundredPixelsLeaveTheLastColumnOut) {
    mSettings.PiecesAcross = 3;
    const TColor pieceColours[3] = {Rgb(250, 0, 0), Rgb(0, 250, 0), Rgb(0, 0, 250)};
    constexpr TColor kSpare = Rgb(1, 2, 3);
    WriteTexture(mFolder / "t.bmp", 100, 10,
                 [&](int x, int) { return x == 99 ? kSpare : pieceColours[x / 33]; });
    Run(mFolder / "t.bmp", mFolder / "tile");

    EXPECT_EQ(mTiler.Piece().ImageWidth(), 33);
    for (int i = 0; i < 3; ++i) {
        const BmpPicture tile =
            ReadBmpPicture(mFolder.Path() / ("tile_" + std::to_string(i + 1) + "_1.bmp"));
        EXPECT_TRUE(tile.Contains(pieceColours[i])) << "piece " << i + 1;
        EXPECT_TRUE(tile.OnlyHolds({pieceColours[i], kMask})) << "piece " << i + 1;
    }
    for (int y = 0; y < 255; ++y) {
        EXPECT_EQ(mTexturePreview.DrawingSurface().ReadPixel(254, y), pieceColours[2]);
    }
}

TEST_F(SingleTextureCommand, PiecesGoColumnByColumnAndAFailedWriteStopsTheRest) {
    mSettings.PiecesAcross = 2;
    mSettings.PiecesDown = 2;
    WriteSolidTexture(mFolder / "t.bmp", 20, 20, kLeft);
    // A folder in the way of the second piece's tile: column 1, row 2 comes before column 2.
    std::filesystem::create_directory(mFolder.Path() / "tile_1_2.bmp");
    try {
        Run(mFolder / "t.bmp", mFolder / "tile");
        FAIL() << "the write into a folder was not refused";
    } catch (const EFCreateError& failure) {
        EXPECT_EQ(failure.Message(), "Cannot create file " + mFolder / "tile_1_2.bmp");
    }
    EXPECT_EQ(mFolder.Names(), (Names{"t.bmp", "tile_1_1.bmp", "tile_1_2.bmp"}));
    EXPECT_TRUE(std::filesystem::is_directory(mFolder.Path() / "tile_1_2.bmp"));
}

TEST_F(SingleTextureCommand, CancelledSaveStillMakesAndShowsTheTileButWritesNone) {
    WriteSolidTexture(mFolder / "t.bmp", 16, 16, kLeft);
    Run(mFolder / "t.bmp", "");
    EXPECT_EQ(mSave.Runs(), 1);
    EXPECT_EQ(mFolder.Names(), (Names{"t.bmp"}));
    EXPECT_EQ(mTexturePreview.DrawingSurface().ReadPixel(100, 100), kLeft);
    ASSERT_EQ(mTilePreview.ImageWidth(), 72);
    ASSERT_EQ(mTilePreview.ImageHeight(), 36);
    EXPECT_EQ(mTilePreview.DrawingSurface().ReadPixel(0, 0), kMask);
    EXPECT_EQ(mTilePreview.DrawingSurface().ReadPixel(36, 18), kLeft);
}

TEST_F(SingleTextureCommand, CancelledOpenChangesNothingAndAsksForNoName) {
    ShowSomething();
    const int saveRuns = mSave.Runs();
    mOpen.Cancel();
    mSave.Accept({mFolder / "never"});
    mTiler.TileSingleTexture(mOpen, mSave);
    EXPECT_EQ(mSave.Runs(), saveRuns);
    ExpectPreviewsAsShown();
    EXPECT_EQ(mFolder.Names(), (Names{"first.bmp"}));
}

TEST_F(SingleTextureCommand, MissingTextureStopsBeforeTheSaveDialog) {
    ShowSomething();
    const int saveRuns = mSave.Runs();
    try {
        Run(mFolder / "gone.bmp", mFolder / "tile");
        FAIL() << "a missing texture was not refused";
    } catch (const EFOpenError& failure) {
        EXPECT_EQ(failure.Message(), "Cannot open file " + mFolder / "gone.bmp");
    }
    EXPECT_EQ(mSave.Runs(), saveRuns);
    ExpectPreviewsAsShown();
}

TEST_F(SingleTextureCommand, InvalidTextureStopsBeforeTheSaveDialog) {
    ShowSomething();
    const int saveRuns = mSave.Runs();
    WriteBytes(mFolder / "bad.bmp", std::vector<std::uint8_t>(200, 'x'));
    EXPECT_THROW(Run(mFolder / "bad.bmp", mFolder / "tile"), Exception);
    EXPECT_EQ(mSave.Runs(), saveRuns);
    ExpectPreviewsAsShown();
    EXPECT_EQ(mFolder.Names(), (Names{"bad.bmp", "first.bmp"}));
}

struct TooSmallCase {
    std::int32_t width;
    std::int32_t height;
    std::int32_t across;
    std::int32_t down;
    const char* message;
};

class TooSmallTextures : public SingleTextureCommand,
                         public ::testing::WithParamInterface<TooSmallCase> {};

TEST_P(TooSmallTextures, AreRefusedBeforeAnyTileIsMade) {
    const TooSmallCase& c = GetParam();
    ShowSomething();
    const int saveRuns = mSave.Runs();
    mSettings.PiecesAcross = c.across;
    mSettings.PiecesDown = c.down;
    WriteSolidTexture(mFolder / "t.bmp", c.width, c.height, kRight);
    try {
        Run(mFolder / "t.bmp", mFolder / "tile");
        FAIL() << "the texture was divided";
    } catch (const EInvalidOperation& failure) {
        EXPECT_EQ(failure.Message(), c.message);
    }
    EXPECT_EQ(mSave.Runs(), saveRuns);
    ExpectPreviewsAsShown();
    EXPECT_EQ(mFolder.Names(), (Names{"first.bmp", "t.bmp"}));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, TooSmallTextures,
    ::testing::Values(
        TooSmallCase{2, 1, 3, 1, "The texture of 2 x 1 pixels is too small to divide into 3 x 1 pieces"},
        TooSmallCase{5, 1, 1, 2, "The texture of 5 x 1 pixels is too small to divide into 1 x 2 pieces"},
        TooSmallCase{18, 18, 19, 19,
                     "The texture of 18 x 18 pixels is too small to divide into 19 x 19 pieces"}));

TEST_F(SingleTextureCommand, TextureIsConvertedTo24BitsBeforeItIsCut) {
    WriteTexture(mFolder / "t.bmp", 10, 10, [](int, int) { return kLeft; }, 32);
    Run(mFolder / "t.bmp", "");
    EXPECT_EQ(mTiler.Source().PixelDepth(), TPixelDepth::Depth24);
}

}  // namespace
}  // namespace mosaren
