// The two tile commands started from their buttons, with the dialogs answered by the test.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

#include "support/modal_answers.h"
#include "support/program_under_test.h"
#include "support/test_files.h"
#include "ui/bitmap_preview.h"

namespace mosaren::testing_ui {
namespace {

std::uint32_t Stripes(int x, int y) {
    return (x / 8 + y / 8) % 2 ? 0x0030A040u : 0x00204080u;
}

// The size a BMP file's header gives.
QSize BmpSize(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray header = file.read(26);
    if (header.size() < 26) return {};
    auto le32 = [&](int at) {
        return static_cast<int>(static_cast<std::uint8_t>(header[at]) |
                                static_cast<std::uint8_t>(header[at + 1]) << 8 |
                                static_cast<std::uint8_t>(header[at + 2]) << 16 |
                                static_cast<std::uint8_t>(header[at + 3]) << 24);
    };
    return {le32(18), std::abs(le32(22))};
}

class CommandsFromButtons : public ::testing::Test {
protected:
    CommandsFromButtons() { program.Start(); }

    void Click(const char* button) {
        QWidget* widget = program.Form1().findChild<QWidget*>(QString::fromLatin1(button));
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    ProgramUnderTest program;
    TestFolder folder;
};

TEST_F(CommandsFromButtons, TileMakesOneTileAndShowsTheTextureAndTheTile) {
    const std::string texture = folder.Path("grass.bmp");
    WriteTestBmp(texture, 64, 32, Stripes);
    program.open->WillAccept({texture});
    program.save->WillAccept({folder.Path("out")});

    Click("Load");

    EXPECT_EQ(program.open->Runs(), 1);
    EXPECT_EQ(program.save->Runs(), 1);
    EXPECT_EQ(BmpSize(folder.Path("out.bmp")), QSize(72, 36));
    EXPECT_EQ(program.Form1().TexturePreview().Shown().size(), QSize(255, 255));
    EXPECT_EQ(program.Form1().TilePreview().Shown().size(), QSize(72, 36));
    EXPECT_EQ(program.Form1().TilePreview().PictureOrigin(), QPoint(91, 109));
    // The tile's corners are mask colour, its middle is texture.
    const QImage tile = program.Form1().TilePreview().Shown();
    EXPECT_EQ(tile.pixelColor(0, 0), QColor(255, 0, 255));
    EXPECT_NE(tile.pixelColor(36, 18), QColor(255, 0, 255));
}

TEST_F(CommandsFromButtons, CancellingTheOpenDialogChangesNothing) {
    program.open->WillCancel();
    Click("Load");
    EXPECT_EQ(program.open->Runs(), 1);
    EXPECT_EQ(program.save->Runs(), 0);
    EXPECT_TRUE(program.Form1().TexturePreview().Shown().isNull());
    EXPECT_TRUE(program.Form1().TilePreview().Shown().isNull());
}

TEST_F(CommandsFromButtons, CancellingTheSaveDialogShowsTheTileAndWritesNothing) {
    const std::string texture = folder.Path("grass.bmp");
    WriteTestBmp(texture, 32, 32, Stripes);
    program.open->WillAccept({texture});
    program.save->WillCancel();
    Click("Load");
    EXPECT_EQ(program.Form1().TilePreview().Shown().size(), QSize(72, 36));
    EXPECT_EQ(QDir(QString::fromStdString(folder.Path(""))).entryList(QDir::Files).size(), 1);
}

TEST_F(CommandsFromButtons, AMissingTextureIsReportedBeforeTheSaveDialog) {
    ErrorBoxRecorder boxes;
    const std::string gone = folder.Path("gone.bmp");
    program.open->WillAccept({gone});
    Click("Load");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].title, QStringLiteral("Mosaren"));
    EXPECT_EQ(boxes.Boxes()[0].text, QString::fromStdString("Cannot open file " + gone + "."));
    EXPECT_EQ(program.save->Runs(), 0);
    // After the box the main window takes the next click at once.
    program.open->WillCancel();
    Click("Load");
    EXPECT_EQ(program.open->Runs(), 2);
}

TEST_F(CommandsFromButtons, TheOpenDialogOpensWithTheLastAcceptedName) {
    const std::string texture = folder.Path("grass.bmp");
    WriteTestBmp(texture, 16, 16, Stripes);
    program.open->WillAccept({texture});
    program.save->WillCancel();
    Click("Load");
    program.open->WillCancel();
    Click("Load");
    ASSERT_EQ(program.open->PrefilledNames().size(), 2u);
    EXPECT_EQ(program.open->PrefilledNames()[0], "");
    EXPECT_EQ(program.open->PrefilledNames()[1], texture);
}

TEST_F(CommandsFromButtons, AllWritesATileBesideEachTextureAndLeavesTheTexturePreview) {
    const std::string a = folder.Path("a.bmp");
    const std::string b = folder.Path("b.bmp");
    WriteTestBmp(a, 40, 40, Stripes);
    WriteTestBmp(b, 20, 60, Stripes);
    program.all->WillAccept({a, b});
    Click("All");
    EXPECT_EQ(BmpSize(folder.Path("atile.bmp")), QSize(72, 36));
    EXPECT_EQ(BmpSize(folder.Path("btile.bmp")), QSize(72, 36));
    EXPECT_TRUE(program.Form1().TexturePreview().Shown().isNull());
    EXPECT_EQ(program.Form1().TilePreview().Shown().size(), QSize(72, 36));
}

TEST_F(CommandsFromButtons, AFailedBatchKeepsTheTilesWrittenBeforeIt) {
    ErrorBoxRecorder boxes;
    const std::string a = folder.Path("a.bmp");
    const std::string bad = folder.Path("bad.bmp");
    const std::string c = folder.Path("c.bmp");
    WriteTestBmp(a, 16, 16, Stripes);
    WriteTestBmp(c, 16, 16, Stripes);
    QFile junk(QString::fromStdString(bad));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a bitmap at all, just words");
    junk.close();
    program.all->WillAccept({a, bad, c});
    Click("All");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(folder.Path("atile.bmp"))));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(folder.Path("ctile.bmp"))));
}

TEST_F(CommandsFromButtons, AChangeInTheParametersDialogAppliesToTheNextCommand) {
    Click("SpeedButton4");
    auto* width = program.windows.frmParam->findChild<QLineEdit*>(QStringLiteral("Edit2"));
    auto* height = program.windows.frmParam->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    width->setText(QStringLiteral("100"));
    height->setText(QStringLiteral("50"));
    const std::string texture = folder.Path("grass.bmp");
    WriteTestBmp(texture, 32, 32, Stripes);
    program.open->WillAccept({texture});
    program.save->WillAccept({folder.Path("wide")});
    Click("Load");
    EXPECT_EQ(BmpSize(folder.Path("wide.bmp")), QSize(100, 50));
    EXPECT_EQ(program.Form1().TilePreview().PictureOrigin(), QPoint(77, 102));
}

}  // namespace
}  // namespace mosaren::testing_ui
