// The preview's picture loader: the kind by the suffix, our own reader for bitmaps, Qt's for
// icons, a failure for everything else; and the nearest-pixel stretch the previews draw.

#include <gtest/gtest.h>

#include <QImageWriter>
#include <fstream>

#include "support/test_files.h"
#include "ui/preview_picture.h"

namespace mosaren::testing_ui {
namespace {

std::uint32_t Grey(int, int) { return 0x00808080u; }

// Left half red, right half blue (0x00BBGGRR).
std::uint32_t RedThenBlue(int x, int) { return x < 2 ? 0x000000FFu : 0x00FF0000u; }

TEST(PictureSuffix, IsWhatFollowsTheLastFullStopOfTheNameInLowerCase) {
    const struct {
        const char* path;
        const char* suffix;
    } cases[] = {
        {"/tex/grass.bmp", "bmp"}, {"/tex/GRASS.BMP", "bmp"}, {"/tex/grass.tile.Ico", "ico"},
        {"/tex/grass", ""},        {"/tex.d/grass", ""},      {"/tex/grass.", ""},
        {"grass.wmf", "wmf"},      {"/tex/.bmp", "bmp"},
    };
    for (const auto& c : cases) EXPECT_EQ(PictureSuffix(c.path), c.suffix) << c.path;
}

class PictureLoader : public ::testing::Test {
protected:
    TestFolder folder;
};

TEST_F(PictureLoader, ReadsABitmapWhateverTheCaseOfItsSuffix) {
    for (const char* name : {"a.bmp", "b.BMP", "c.Bmp"}) {
        const std::string path = folder.Path(name);
        WriteTestBmp(path, 5, 3, Grey);
        const TPreviewPicture picture = LoadPreviewPicture(path);
        EXPECT_FALSE(picture.IsNone()) << name;
        EXPECT_EQ(picture.Size(), QSize(5, 3)) << name;
    }
}

TEST_F(PictureLoader, ReadsAnIconThroughQt) {
    const std::string path = folder.Path("icon.ico");
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::green);
    ASSERT_TRUE(QImageWriter(QString::fromStdString(path), "ico").write(icon));
    EXPECT_EQ(LoadPreviewPicture(path).Size(), QSize(16, 16));
}

TEST_F(PictureLoader, FailsForMetafilesUnknownSuffixesAndFilesItCannotRead) {
    const std::string bitmap = folder.Path("valid.bmp");
    WriteTestBmp(bitmap, 2, 2, Grey);
    std::ifstream in(bitmap, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The same valid bitmap under other names: only the suffix decides.
    for (const char* name :
         {"picture.emf", "picture.wmf", "picture.png", "picture", "picture.ico"}) {
        std::ofstream(folder.Path(name), std::ios::binary) << bytes;
        EXPECT_ANY_THROW(LoadPreviewPicture(folder.Path(name))) << name;
    }
    std::ofstream(folder.Path("broken.bmp"), std::ios::binary) << "BM not a bitmap";
    EXPECT_ANY_THROW(LoadPreviewPicture(folder.Path("broken.bmp")));
    EXPECT_ANY_THROW(LoadPreviewPicture(folder.Path("missing.bmp")));
}

TEST_F(PictureLoader, AStretchedBitmapTakesTheNearestPixelWithoutSmoothing) {
    const std::string path = folder.Path("halves.bmp");
    WriteTestBmp(path, 4, 1, RedThenBlue);
    const QImage stretched = LoadPreviewPicture(path).Stretched(QSize(8, 2));
    ASSERT_EQ(stretched.size(), QSize(8, 2));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(stretched.pixelColor(x, y), x < 4 ? QColor(255, 0, 0) : QColor(0, 0, 255))
                << x << "," << y;
        }
    }
    EXPECT_TRUE(TPreviewPicture().Stretched(QSize(8, 2)).isNull());
}

}  // namespace
}  // namespace mosaren::testing_ui
