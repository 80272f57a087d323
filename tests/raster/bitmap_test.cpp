#include "raster/bitmap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "raster/canvas.h"
#include "raster/exceptions.h"
#include "support/display_depth.h"

namespace mosaren {
namespace {

using gdi::Rgb;

constexpr gdi::ColorRef kWhite = 0x00FFFFFF;

// A device-form bitmap of the given size whose pixel (x, y) has the colour Rgb(x, y, 7).
void MakeGradient(TBitmap& bitmap, int width, int height) {
    bitmap.SetImageWidth(width);
    bitmap.SetImageHeight(height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.DrawingSurface().WritePixel(x, y, Rgb(x, y, 7));
        }
    }
}

TEST(BitmapTest, NewBitmapIsEmptyDeviceForm) {
    TBitmap bitmap;
    EXPECT_EQ(bitmap.ImageWidth(), 0);
    EXPECT_EQ(bitmap.ImageHeight(), 0);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::DepthDevice);
    EXPECT_FALSE(bitmap.HasPixels());
    EXPECT_FALSE(bitmap.HasDrawingSurface());
}

TEST(BitmapTest, HeightFirstLeavesNoPixelsThenWidthGivesWhiteDeviceBitmap) {
    TBitmap bitmap;
    bitmap.SetImageHeight(255);
    EXPECT_FALSE(bitmap.HasPixels());
    EXPECT_EQ(bitmap.ImageWidth(), 0);
    EXPECT_EQ(bitmap.ImageHeight(), 255);

    bitmap.SetImageWidth(255);
    ASSERT_TRUE(bitmap.HasPixels());
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::DepthDevice);
    for (int y = 0; y < 255; ++y) {
        for (int x = 0; x < 255; ++x) {
            ASSERT_EQ(bitmap.DrawingSurface().ReadPixel(x, y), kWhite) << x << "," << y;
        }
    }
}

TEST(BitmapTest, EnlargingKeepsPixelsTopLeftAndFillsWhite) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    bitmap.SetImageWidth(4);
    bitmap.SetImageHeight(3);
    TCanvas& canvas = bitmap.DrawingSurface();
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const gdi::ColorRef expected = (x < 2 && y < 2) ? Rgb(x, y, 7) : kWhite;
            EXPECT_EQ(canvas.ReadPixel(x, y), expected) << x << "," << y;
        }
    }
    bitmap.SetImageWidth(2);
    bitmap.SetImageHeight(2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) EXPECT_EQ(canvas.ReadPixel(x, y), Rgb(x, y, 7));
    }
}

TEST(BitmapTest, SameSizeIsNoChangeAtAll) {
    TBitmap bitmap;
    MakeGradient(bitmap, 3, 3);
    std::uint8_t* row = bitmap.RowAddress(0);
    row[0] = 0x42;  // written into the section copy only
    int notices = 0;
    bitmap.SetChangeListener([&] { ++notices; });
    const gdi::Image* section = bitmap.SectionHandle().get();

    bitmap.SetImageWidth(3);
    bitmap.SetImageHeight(3);

    EXPECT_EQ(notices, 0);
    EXPECT_EQ(bitmap.SectionHandle().get(), section);
    EXPECT_EQ(bitmap.SectionHandle()->RowBytes(0)[0], 0x42);
}

TEST(BitmapTest, ResizeToZeroKeepsSizeAndFormWithoutPixels) {
    TBitmap bitmap;
    MakeGradient(bitmap, 4, 4);
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    bitmap.SetImageWidth(0);
    EXPECT_FALSE(bitmap.HasPixels());
    EXPECT_EQ(bitmap.ImageHeight(), 4);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth24);
}

TEST(BitmapTest, ConvertingDeviceFormGivesBottomUp24BitRowsOfTheSameColours) {
    TBitmap bitmap;
    MakeGradient(bitmap, 255, 255);
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth24);
    EXPECT_EQ(bitmap.RowStride(), 768u);
    EXPECT_GT(bitmap.Description().dsBmih.biHeight, 0);
    for (int y = 0; y < 255; y += 17) {
        const std::uint8_t* row = bitmap.RowAddress(y);
        for (int x = 0; x < 255; ++x) {
            ASSERT_EQ(row[3 * x + 0], 7);
            ASSERT_EQ(row[3 * x + 1], y);
            ASSERT_EQ(row[3 * x + 2], x);
        }
    }
}

TEST(BitmapTest, RowAddressHidesTheBottomUpOrder) {
    TBitmap bitmap;
    MakeGradient(bitmap, 5, 4);
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    const std::uint8_t* memory = bitmap.SectionHandle()->Bits();
    // Row 0 is the top row, which lies last in memory; the bottom row starts the memory.
    EXPECT_EQ(bitmap.RowAddress(0), memory + 3 * bitmap.RowStride());
    EXPECT_EQ(bitmap.RowAddress(3), memory);
    EXPECT_EQ(bitmap.RowAddress(0)[1], 0);  // green holds y
    EXPECT_EQ(bitmap.RowAddress(3)[1], 3);
}

TEST(BitmapTest, RowAddressOutOfRangeFails) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 3);
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    for (int y : {-1, 3}) {
        try {
            bitmap.RowAddress(y);
            FAIL() << "row " << y;
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.Message(), "Scan line index out of range");
        }
    }
    TBitmap empty;
    EXPECT_THROW(empty.RowAddress(0), EInvalidGraphicOperation);
}

TEST(BitmapTest, ConvertingTwiceKeepsATopDownImage) {
    TBitmap bitmap;
    gdi::BitmapInfoHeader header{40, 2, -2, 1, 24, gdi::kBiRgb};
    auto section = gdi::CreateDIBSection(header, {}, {});
    ASSERT_TRUE(section);
    bitmap.InstallImage(section, nullptr, section->Describe());
    ASSERT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth24);
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    EXPECT_EQ(bitmap.Description().dsBmih.biHeight, -2);
    EXPECT_EQ(bitmap.DeviceHandle(), section);
}

TEST(BitmapTest, ConvertingWithoutPixelsTakesTheHeaderThenSizingMakesA24BitSection) {
    TBitmap bitmap;
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth24);
    bitmap.SetImageWidth(3);
    bitmap.SetImageHeight(2);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth24);
    EXPECT_EQ(bitmap.RowStride(), 12u);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(x, y), kWhite);
    }
}

TEST(BitmapTest, Resizing24BitKeepsDepthAndAnchorsTopLeft) {
    TBitmap bitmap;
    MakeGradient(bitmap, 360, 360);
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    bitmap.SetImageWidth(300);
    bitmap.SetImageHeight(400);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth24);
    TCanvas& canvas = bitmap.DrawingSurface();
    EXPECT_EQ(canvas.ReadPixel(299, 359), Rgb(299 & 0xFF, 359 & 0xFF, 7));
    EXPECT_EQ(canvas.ReadPixel(0, 0), Rgb(0, 0, 7));
    for (int y = 360; y < 400; y += 13) EXPECT_EQ(canvas.ReadPixel(150, y), kWhite);
}

TEST(BitmapTest, ConvertingToOtherDepthsIsRefused) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    try {
        bitmap.ConvertDepth(TPixelDepth::DepthOther);
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Invalid pixel format");
    }
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::DepthDevice);
}

TEST(BitmapTest, Converting8BitUsesTheColourTable) {
    gdi::BitmapInfoHeader header{40, 3, 1, 1, 8, gdi::kBiRgb};
    header.biClrUsed = 3;
    const gdi::RgbQuad table[3] = {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}};
    auto section = gdi::CreateDIBSection(header, {}, table);
    ASSERT_TRUE(section);
    section->Bits()[0] = 2;
    section->Bits()[1] = 0;
    section->Bits()[2] = 1;
    TBitmap bitmap;
    bitmap.InstallImage(section, nullptr, section->Describe());
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth8);
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    const std::uint8_t* row = bitmap.RowAddress(0);
    const std::uint8_t expected[9] = {70, 80, 90, 10, 20, 30, 40, 50, 60};
    EXPECT_EQ(std::memcmp(row, expected, 9), 0);
}

TEST(BitmapTest, Converting32BitDropsTheFourthByte) {
    gdi::BitmapInfoHeader header{40, 1, 1, 1, 32, gdi::kBiRgb};
    auto section = gdi::CreateDIBSection(header, {}, {});
    ASSERT_TRUE(section);
    const std::uint8_t pixel[4] = {1, 2, 3, 0xEE};
    std::memcpy(section->Bits(), pixel, 4);
    TBitmap bitmap;
    bitmap.InstallImage(section, nullptr, section->Describe());
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth32);
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    const std::uint8_t* row = bitmap.RowAddress(0);
    EXPECT_EQ(row[0], 1);
    EXPECT_EQ(row[1], 2);
    EXPECT_EQ(row[2], 3);
}

TEST(BitmapTest, PixelDepthFollowsTheHeader) {
    struct Case {
        std::uint16_t bits;
        std::uint32_t compression;
        std::array<std::uint32_t, 3> masks;
        TPixelDepth expected;
    };
    const Case cases[] = {
        {1, gdi::kBiRgb, {}, TPixelDepth::Depth1},
        {4, gdi::kBiRgb, {}, TPixelDepth::Depth4},
        {8, gdi::kBiRgb, {}, TPixelDepth::Depth8},
        {16, gdi::kBiRgb, {}, TPixelDepth::Depth15},
        {16, gdi::kBiBitfields, {0xF800, 0x07E0, 0x001F}, TPixelDepth::Depth16},
        {16, gdi::kBiBitfields, {0x001F, 0x07E0, 0xF800}, TPixelDepth::Depth16},
        {16, gdi::kBiBitfields, {0x7C00, 0x03E0, 0x001F}, TPixelDepth::DepthOther},
        {24, gdi::kBiRgb, {}, TPixelDepth::Depth24},
        {32, gdi::kBiRgb, {}, TPixelDepth::Depth32},
        {32, gdi::kBiBitfields, {0xFF0000, 0xFF00, 0xFF}, TPixelDepth::DepthOther},
    };
    for (const Case& c : cases) {
        gdi::BitmapInfoHeader header{40, 2, 2, 1, c.bits, c.compression};
        auto section = gdi::CreateDIBSection(header, c.masks, {});
        ASSERT_TRUE(section) << c.bits;
        TBitmap bitmap;
        bitmap.InstallImage(section, nullptr, section->Describe());
        EXPECT_EQ(bitmap.PixelDepth(), c.expected) << c.bits << " bits, " << PixelDepthName(c.expected);
    }
}

TEST(BitmapTest, ReadPixelOutsideIsInvalidAndWritePixelOutsideChangesNothing) {
    TBitmap bitmap;
    MakeGradient(bitmap, 3, 2);
    TCanvas& canvas = bitmap.DrawingSurface();
    EXPECT_EQ(canvas.ReadPixel(3, 0), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.ReadPixel(-1, 0), 0xFFFFFFFFu);
    canvas.WritePixel(3, 0, 0);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(canvas.ReadPixel(x, y), Rgb(x, y, 7));
    }
}

TEST(BitmapTest, WritePixelTurnsSystemColoursIntoTheirColour) {
    TBitmap bitmap;
    MakeGradient(bitmap, 1, 1);
    bitmap.DrawingSurface().WritePixel(0, 0, 0x80000005);  // the window colour
    EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(0, 0), gdi::SystemColour(5));
}

TEST(BitmapTest, SixteenBitDisplayCutsColoursToFiveBits) {
    testing::ScopedDisplayDepth depth(16);
    TBitmap bitmap;
    bitmap.SetImageWidth(1);
    bitmap.SetImageHeight(1);
    bitmap.DrawingSurface().WritePixel(0, 0, Rgb(255, 0, 100));
    // 100 keeps 5 bits: 12 of 31, widened back to 99.
    EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(0, 0), Rgb(255, 0, 99));
    bitmap.EnsureSection();
    EXPECT_EQ(bitmap.Description().dsBmih.biBitCount, 16);
    EXPECT_EQ(bitmap.Description().dsBmih.biCompression, gdi::kBiRgb);
}

TEST(BitmapTest, DeviceFormRowAddressWritesOnlyTheSectionCopy) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    std::uint8_t* row = bitmap.RowAddress(0);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::DepthDevice);
    EXPECT_EQ(bitmap.Description().dsBmih.biBitCount, 32);
    row[0] = 0;  // blue of (0, 0) in the copy
    EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(0, 0), Rgb(0, 0, 7));
    // The next change drops the copy.
    bitmap.DrawingSurface().WritePixel(1, 1, 0);
    EXPECT_EQ(bitmap.SectionHandle(), nullptr);
}

TEST(BitmapTest, ResizeAfterSectionCopyMakesASectionAtTheDisplayDepth) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    bitmap.EnsureSection();
    bitmap.SetImageWidth(3);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth32);
    EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(1, 1), Rgb(1, 1, 7));
    EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(2, 1), kWhite);
}

// ----- Previews share the image until one side changes -----

class PreviewCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeGradient(working, 4, 4);
        working.ConvertDepth(TPixelDepth::Depth24);
        preview.AssignImage(working);
    }
    gdi::ColorRef PreviewPixel(int x, int y) { return preview.DrawingSurface().ReadPixel(x, y); }

    TBitmap working;
    TBitmap preview;
};

TEST_F(PreviewCopyTest, AssignImageCopiesNoPixels) {
    EXPECT_TRUE(preview.SharesImageWith(working));
    EXPECT_EQ(preview.DeviceHandle()->Bits(), working.DeviceHandle()->Bits());
    EXPECT_EQ(preview.PixelDepth(), TPixelDepth::Depth24);
}

TEST_F(PreviewCopyTest, WritingAPixelOfTheWorkingBitmapLeavesThePreview) {
    const std::uint8_t* previewMemory = preview.DeviceHandle()->Bits();
    working.DrawingSurface().WritePixel(1, 1, 0);
    EXPECT_EQ(PreviewPixel(1, 1), Rgb(1, 1, 7));
    EXPECT_EQ(preview.DeviceHandle()->Bits(), previewMemory);
    EXPECT_EQ(working.DrawingSurface().ReadPixel(1, 1), 0u);
}

TEST_F(PreviewCopyTest, RowAddressResizeAndConversionLeaveThePreview) {
    working.RowAddress(0)[0] = 0;
    EXPECT_EQ(PreviewPixel(0, 0), Rgb(0, 0, 7));
    preview.AssignImage(working);
    working.SetImageWidth(1);
    EXPECT_EQ(preview.ImageWidth(), 4);
    EXPECT_EQ(PreviewPixel(3, 3), Rgb(3, 3, 7));
}

TEST_F(PreviewCopyTest, ReplacedWorkingBitmapCostsNoCopy) {
    const std::uint8_t* memory = preview.DeviceHandle()->Bits();
    working.SetImageWidth(10);  // a new image: the preview keeps the old one alone
    EXPECT_EQ(preview.DeviceHandle()->Bits(), memory);
    EXPECT_FALSE(preview.SharesImageWith(working));
}

TEST_F(PreviewCopyTest, ChangesOfThePreviewLeaveTheWorkingBitmap) {
    preview.DrawingSurface().WritePixel(2, 2, 0);
    EXPECT_EQ(working.DrawingSurface().ReadPixel(2, 2), Rgb(2, 2, 7));
}

TEST(BitmapNoticeTest, EveryCompletedChangeNotifies) {
    TBitmap bitmap;
    int notices = 0;
    bitmap.SetChangeListener([&] { ++notices; });
    bitmap.SetImageWidth(2);
    bitmap.SetImageHeight(2);
    EXPECT_EQ(notices, 2);
    bitmap.DrawingSurface().WritePixel(0, 0, 0);
    EXPECT_EQ(notices, 3);
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    EXPECT_EQ(notices, 4);
    bitmap.DrawingSurface().ReadPixel(0, 0);
    EXPECT_EQ(notices, 4);
    TBitmap other;
    other.SetImageWidth(1);
    bitmap.AssignImage(other);
    EXPECT_EQ(notices, 5);
}

// ----- Refusals: the bitmap keeps the image it had -----

TEST(BitmapFailureTest, NoDeviceImageIsOutOfSystemResources) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    gdi::ScopedFault fault(gdi::Fault::NoDeviceImage);
    try {
        bitmap.SetImageWidth(5);
        FAIL();
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), "Out of system resources");
    }
    EXPECT_EQ(bitmap.ImageWidth(), 2);
    EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(1, 1), Rgb(1, 1, 7));
}

TEST(BitmapFailureTest, NoSectionKeepsTheDeviceForm) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    gdi::ScopedFault fault(gdi::Fault::NoSection);
    EXPECT_THROW(bitmap.ConvertDepth(TPixelDepth::Depth24), EOutOfResources);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::DepthDevice);
    EXPECT_THROW(bitmap.RowAddress(0), EOutOfResources);
    EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(0, 1), Rgb(0, 1, 7));
}

TEST(BitmapFailureTest, NoContextMeansTheCanvasDoesNotAllowDrawing) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    bitmap.ReleaseContext();
    gdi::ScopedFault fault(gdi::Fault::NoContext);
    try {
        bitmap.DrawingSurface().ReadPixel(0, 0);
        FAIL();
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Canvas does not allow drawing");
    }
    EXPECT_THROW(bitmap.DrawingSurface().WritePixel(0, 0, 0), EInvalidOperation);
}

TEST(BitmapFailureTest, AHugeImageIsRefusedWithThePlatformText) {
    TBitmap bitmap;
    bitmap.SetImageWidth(100000);
    try {
        bitmap.SetImageHeight(100000);
        FAIL();
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), gdi::ErrorText(ENOMEM));
        EXPECT_FALSE(e.Message().empty());
    }
    EXPECT_FALSE(bitmap.HasPixels());
    EXPECT_EQ(bitmap.ImageHeight(), 0);
}

}  // namespace
}  // namespace mosaren
