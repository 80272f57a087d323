#include "raster/bitmap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "raster/bitmap_access.h"
#include "raster/canvas.h"
#include "raster/exceptions.h"
#include "raster/support/scoped_fault.h"
#include "support/display_depth.h"
#include "support/pixel_grid.h"

namespace mosaren {
namespace {

using mosaren::testing::PixelsOf;



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
    const TColor a = Rgb(0, 0, 7), b = Rgb(1, 0, 7), c = Rgb(0, 1, 7), d = Rgb(1, 1, 7);
    EXPECT_PIXELS(bitmap, {a,      b,      kWhite, kWhite,
                           c,      d,      kWhite, kWhite,
                           kWhite, kWhite, kWhite, kWhite});
    bitmap.SetImageWidth(2);
    bitmap.SetImageHeight(2);
    EXPECT_PIXELS(bitmap, {a, b,
                           c, d});
}

TEST(BitmapTest, SameSizeIsNoChangeAtAll) {
    TBitmap bitmap;
    MakeGradient(bitmap, 3, 3);
    std::uint8_t* row = bitmap.RowAddress(0);
    row[0] = 0x42;  // written into the section copy only
    int notices = 0;
    bitmap.SetChangeListener([&] { ++notices; });
    const gdi::Image* section = BitmapAccess::SectionHandle(bitmap).get();

    bitmap.SetImageWidth(3);
    bitmap.SetImageHeight(3);

    EXPECT_EQ(notices, 0);
    EXPECT_EQ(BitmapAccess::SectionHandle(bitmap).get(), section);
    EXPECT_EQ(BitmapAccess::SectionHandle(bitmap)->RowBytes(0)[0], 0x42);
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
    EXPECT_GT(BitmapAccess::Description(bitmap).dsBmih.biHeight, 0);
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
    const std::uint8_t* memory = BitmapAccess::SectionHandle(bitmap)->Bits();
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
    BitmapAccess::InstallImage(bitmap, section, nullptr, section->Describe());
    ASSERT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth24);
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    EXPECT_EQ(BitmapAccess::Description(bitmap).dsBmih.biHeight, -2);
    EXPECT_EQ(BitmapAccess::DeviceHandle(bitmap), section);
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
    BitmapAccess::InstallImage(bitmap, section, nullptr, section->Describe());
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
    BitmapAccess::InstallImage(bitmap, section, nullptr, section->Describe());
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
        BitmapAccess::InstallImage(bitmap, section, nullptr, section->Describe());
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
    EXPECT_EQ(BitmapAccess::Description(bitmap).dsBmih.biBitCount, 16);
    EXPECT_EQ(BitmapAccess::Description(bitmap).dsBmih.biCompression, gdi::kBiRgb);
}

TEST(BitmapTest, DeviceFormRowAddressWritesOnlyTheSectionCopy) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    std::uint8_t* row = bitmap.RowAddress(0);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::DepthDevice);
    EXPECT_EQ(BitmapAccess::Description(bitmap).dsBmih.biBitCount, 32);
    row[0] = 0;  // blue of (0, 0) in the copy
    EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(0, 0), Rgb(0, 0, 7));
    // The next change drops the copy.
    bitmap.DrawingSurface().WritePixel(1, 1, 0);
    EXPECT_EQ(BitmapAccess::SectionHandle(bitmap), nullptr);
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
    TColor PreviewPixel(int x, int y) { return preview.DrawingSurface().ReadPixel(x, y); }

    TBitmap working;
    TBitmap preview;
};

TEST_F(PreviewCopyTest, AssignImageCopiesNoPixels) {
    EXPECT_TRUE(preview.SharesImageWith(working));
    EXPECT_EQ(BitmapAccess::DeviceHandle(preview)->Bits(), BitmapAccess::DeviceHandle(working)->Bits());
    EXPECT_EQ(preview.PixelDepth(), TPixelDepth::Depth24);
}

TEST_F(PreviewCopyTest, WritingAPixelOfTheWorkingBitmapLeavesThePreview) {
    const std::uint8_t* previewMemory = BitmapAccess::DeviceHandle(preview)->Bits();
    working.DrawingSurface().WritePixel(1, 1, 0);
    EXPECT_EQ(PreviewPixel(1, 1), Rgb(1, 1, 7));
    EXPECT_EQ(BitmapAccess::DeviceHandle(preview)->Bits(), previewMemory);
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
    const std::uint8_t* memory = BitmapAccess::DeviceHandle(preview)->Bits();
    working.SetImageWidth(10);  // a new image: the preview keeps the old one alone
    EXPECT_EQ(BitmapAccess::DeviceHandle(preview)->Bits(), memory);
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

// ----- Blocks of pixels and rows for reading: what the layers above use -----

TEST(BitmapBlockTest, ReadColoursGivesTheBlockRowByRowAndInvalidOutsideWithoutCopyingAPreview) {
    TBitmap working;
    MakeGradient(working, 3, 2);
    TBitmap preview;
    preview.AssignImage(working);
    std::vector<TColor> block(4);
    working.ReadColours({1, 1, 3, 3}, block);  // its second row lies below the bitmap
    EXPECT_TRUE(testing::PixelGridIs(block, 2, {Rgb(1, 1, 7), Rgb(2, 1, 7),
                                                kClrInvalid,  kClrInvalid}));
    EXPECT_TRUE(preview.SharesImageWith(working));
}

TEST(BitmapBlockTest, WriteColoursSetsTheBlockLeavesOutWhatLiesOutsideAndNotifiesOnce) {
    TBitmap working;
    MakeGradient(working, 3, 2);
    TBitmap preview;
    preview.AssignImage(working);
    int notices = 0;
    working.SetChangeListener([&] { ++notices; });
    const TColor red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255);
    working.WriteColours({1, 1, 4, 2}, std::vector<TColor>{red, blue, red});
    EXPECT_EQ(notices, 1);
    EXPECT_PIXELS(working, {Rgb(0, 0, 7), Rgb(1, 0, 7), Rgb(2, 0, 7),
                            Rgb(0, 1, 7), red,          blue});
    // The preview keeps what it was given.
    EXPECT_PIXELS(preview, {Rgb(0, 0, 7), Rgb(1, 0, 7), Rgb(2, 0, 7),
                            Rgb(0, 1, 7), Rgb(1, 1, 7), Rgb(2, 1, 7)});
}

TEST(BitmapBlockTest, AColourBufferThatDoesNotFitTheBlockIsRefused) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    const std::vector<TColor> before = PixelsOf(bitmap);
    std::vector<TColor> three(3, 0);
    EXPECT_THROW(bitmap.ReadColours({0, 0, 2, 2}, three), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.WriteColours({0, 0, 2, 2}, three), EInvalidGraphicOperation);
    EXPECT_EQ(PixelsOf(bitmap), before);
}

TEST(BitmapBlockTest, CopyBlockCopiesPixelForPixelClippedToBothBitmaps) {
    TBitmap source;
    MakeGradient(source, 4, 3);
    source.ConvertDepth(TPixelDepth::Depth24);
    TBitmap destination;
    destination.SetImageWidth(3);
    destination.SetImageHeight(2);
    TBitmap preview;
    preview.AssignImage(destination);

    destination.CopyBlock({1, 0}, source, {2, 1, 4, 3});
    EXPECT_PIXELS(destination, {kWhite, Rgb(2, 1, 7), Rgb(3, 1, 7),
                                kWhite, Rgb(2, 2, 7), Rgb(3, 2, 7)});
    EXPECT_EQ(destination.PixelDepth(), TPixelDepth::DepthDevice);
    EXPECT_PIXELS(preview, {kWhite, kWhite, kWhite,
                            kWhite, kWhite, kWhite});

    // Only (2, 1) of the destination lies under the whole of the source put there.
    destination.CopyBlock({2, 1}, source, {0, 0, 4, 3});
    EXPECT_PIXELS(destination, {kWhite, Rgb(2, 1, 7), Rgb(3, 1, 7),
                                kWhite, Rgb(2, 2, 7), Rgb(0, 0, 7)});
}

TEST(BitmapBlockTest, ReadOnlyRowAddressReadsTheRowsWithoutCopyingAPreview) {
    TBitmap working;
    MakeGradient(working, 3, 2);
    working.ConvertDepth(TPixelDepth::Depth24);
    TBitmap preview;
    preview.AssignImage(working);
    const std::uint8_t* row = working.ReadOnlyRowAddress(1);
    EXPECT_EQ(row, BitmapAccess::SectionHandle(working)->Bits());  // the top row lies last
    EXPECT_EQ(row[3 * 2 + 2], 2);  // red holds x, green y
    EXPECT_EQ(row[3 * 2 + 1], 1);
    EXPECT_TRUE(preview.SharesImageWith(working));
    EXPECT_THROW(working.ReadOnlyRowAddress(2), EInvalidGraphicOperation);

    // The rows of the device form are not in memory.
    TBitmap device;
    MakeGradient(device, 2, 2);
    EXPECT_THROW(device.ReadOnlyRowAddress(0), EInvalidGraphic);
}

TEST_F(PreviewCopyTest, ARowOutOfRangeCostsThePreviewNoCopy) {
    EXPECT_THROW(working.RowAddress(4), EInvalidGraphicOperation);
    EXPECT_TRUE(preview.SharesImageWith(working));
}

// ----- Refusals: the bitmap keeps the image it had -----

TEST(BitmapFailureTest, NoDeviceImageIsOutOfSystemResources) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    testing::ScopedFault fault(gdi::Fault::NoDeviceImage);
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
    testing::ScopedFault fault(gdi::Fault::NoSection);
    EXPECT_THROW(bitmap.ConvertDepth(TPixelDepth::Depth24), EOutOfResources);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::DepthDevice);
    EXPECT_THROW(bitmap.RowAddress(0), EOutOfResources);
    EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(0, 1), Rgb(0, 1, 7));
}

TEST(BitmapFailureTest, NoContextMeansTheCanvasDoesNotAllowDrawing) {
    TBitmap bitmap;
    MakeGradient(bitmap, 2, 2);
    bitmap.ReleaseContext();
    testing::ScopedFault fault(gdi::Fault::NoContext);
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
