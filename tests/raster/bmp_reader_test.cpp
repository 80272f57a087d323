// The reader over small files built in memory: what each header form and encoding becomes, and
// what every broken file gives.

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <new>

#include "bmp_test_support.h"
#include "raster/bmp_header.h"
#include "raster/exceptions.h"
#include "raster/support/scoped_fault.h"
#include "support/pixel_grid.h"

namespace mosaren::testing {
namespace {

const TColor kRed = Rgb(255, 0, 0);
const TColor kGreen = Rgb(0, 255, 0);
const TColor kBlue = Rgb(0, 0, 255);
const TColor kWhite = Rgb(255, 255, 255);

// A 2 × 2 24-bit picture: bottom row red, green; top row blue, white (rows stored bottom-up,
// 6 bytes of pixels and 2 of padding each).
std::vector<std::uint8_t> Pixels2x2Bgr() {
    return {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
}

// 8-bit, 4 × 2: indices 0..7, bottom row first.
std::vector<std::uint8_t> Pixels4x2Indexed() { return {0, 1, 2, 3, 4, 5, 6, 7}; }

TEST(BmpReaderTest, DefaultColorCountIsTwoToTheBitsForIndexedDepthsOnly) {
    EXPECT_EQ(DefaultColorCount(1), 2u);
    EXPECT_EQ(DefaultColorCount(4), 16u);
    EXPECT_EQ(DefaultColorCount(8), 256u);
    for (std::uint32_t bits : {0u, 2u, 16u, 24u, 32u, 64u}) EXPECT_EQ(DefaultColorCount(bits), 0u) << bits;
}

TEST(BmpReaderTest, TwoByTwo24BitFileOf70BytesReads) {
    const auto file = BmpBuilder().Size(2, 2).Bits(24).Pixels(Pixels2x2Bgr()).Build();
    ASSERT_EQ(file.size(), 70u);
    TBitmap bitmap;
    ReadBytes(bitmap, file);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth24);
    ASSERT_EQ(bitmap.ImageWidth(), 2);
    ASSERT_EQ(bitmap.ImageHeight(), 2);
    EXPECT_EQ(PixelAt(bitmap, 0, 1), kRed);
    EXPECT_EQ(PixelAt(bitmap, 1, 1), kGreen);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), kBlue);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), kWhite);
}

TEST(BmpReaderTest, NegativeHeightGivesTopDownImageWhoseFirstStoredRowIsTheTop) {
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder().Size(2, -2).Bits(24).Pixels(Pixels2x2Bgr()).Build());
    ASSERT_EQ(bitmap.ImageHeight(), 2);
    EXPECT_LT(BitmapAccess::Description(bitmap).dsBmih.biHeight, 0);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), kRed);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), kGreen);
    EXPECT_EQ(PixelAt(bitmap, 0, 1), kBlue);
}

TEST(BmpReaderTest, ZeroByteFileGivesEmptyBitmapWithoutErrorOrNotice) {
    TBitmap bitmap;
    ReadBytes(bitmap, FormerPictureFile());
    int notices = 0;
    bitmap.SetChangeListener([&] { ++notices; });
    ReadBytes(bitmap, {});
    EXPECT_EQ(bitmap.ImageWidth(), 0);
    EXPECT_EQ(bitmap.ImageHeight(), 0);
    EXPECT_FALSE(bitmap.HasPixels());
    EXPECT_EQ(notices, 0);
}

TEST(BmpReaderTest, SuccessfulReadAnnouncesOneChange) {
    TBitmap bitmap;
    int notices = 0;
    bitmap.SetChangeListener([&] { ++notices; });
    ReadBytes(bitmap, FormerPictureFile());
    EXPECT_EQ(notices, 1);
}

TEST(BmpReaderTest, ReadGivesUpTheDrawingContext) {
    TBitmap bitmap;
    ReadBytes(bitmap, FormerPictureFile());
    PixelAt(bitmap, 0, 0);  // makes the surface's context
    ASSERT_TRUE(bitmap.DrawingSurface().HasContext());
    ReadBytes(bitmap, FormerPictureFile());
    EXPECT_FALSE(bitmap.DrawingSurface().HasContext());
}

TEST(BmpReaderTest, FileEndingAfterItsHeadersGivesNewSectionContent) {
    const auto file = BmpBuilder().Size(3, 2).Bits(24).Build();
    ASSERT_EQ(file.size(), 54u);
    TBitmap bitmap;
    ReadBytes(bitmap, file);
    ASSERT_EQ(bitmap.ImageWidth(), 3);
    ASSERT_EQ(bitmap.ImageHeight(), 2);
    for (TColor c : PixelsOf(bitmap)) EXPECT_EQ(c, 0u);
}

TEST(BmpReaderTest, ShortPixelDataReadsWhatIsThere) {
    // Only the bottom row and one pixel of the top row arrive.
    auto pixels = Pixels2x2Bgr();
    pixels.resize(8 + 3);
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder().Size(2, 2).Bits(24).Pixels(pixels).Build());
    EXPECT_EQ(PixelAt(bitmap, 0, 1), kRed);
    EXPECT_EQ(PixelAt(bitmap, 1, 1), kGreen);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), kBlue);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), 0u);
}

// Counts what the reader asks of the stream, to see where it stops.
class CountingStream final : public InputStream {
public:
    explicit CountingStream(const std::vector<std::uint8_t>& bytes) : mInner(bytes) {}
    std::size_t Read(void* buffer, std::size_t count) override {
        const std::size_t got = mInner.Read(buffer, count);
        mTaken += got;
        return got;
    }
    std::size_t Taken() const { return mTaken; }

private:
    MemoryInputStream mInner;
    std::size_t mTaken = 0;
};

TEST(BmpReaderTest, ImageSizeClaimBeyondTheSectionReadsNoMoreThanTheSectionHolds) {
    auto pixels = Pixels2x2Bgr();
    pixels.resize(pixels.size() + 1000, 0xEE);  // trailing bytes the claim would pull in
    const auto file = BmpBuilder().Size(2, 2).Bits(24).SizeImage(0x7FFFFFFF).Pixels(pixels).Build();
    CountingStream stream(file);
    TBitmap bitmap;
    ReadBmp(bitmap, stream, file.size());
    EXPECT_EQ(stream.Taken(), 54u + 16u);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), kWhite);
}

TEST(BmpReaderTest, CountBelowTheStreamLengthBoundsEveryRead) {
    const auto file = BmpBuilder().Size(2, 2).Bits(24).Pixels(Pixels2x2Bgr()).Build();
    CountingStream stream(file);
    TBitmap bitmap;
    ReadBmp(bitmap, stream, 54 + 8);  // the caller says the file ends after the bottom row
    EXPECT_EQ(stream.Taken(), 62u);
    EXPECT_EQ(PixelAt(bitmap, 0, 1), kRed);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), 0u);
}

TEST(BmpReaderTest, GapThatOffBitsPointsPastIsSkipped) {
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder()
                          .Size(4, 2)
                          .Bits(8)
                          .ClrUsed(8)
                          .Table(RampTable(8))
                          .Gap(std::vector<std::uint8_t>(100, 5))
                          .Pixels(Pixels4x2Indexed())
                          .Build());
    const auto table = RampTable(8);
    EXPECT_EQ(PixelAt(bitmap, 0, 1), table[0]);
    EXPECT_EQ(PixelAt(bitmap, 3, 1), table[3]);
    EXPECT_EQ(PixelAt(bitmap, 3, 0), table[7]);
}

TEST(BmpReaderTest, GapIsSkippedAlsoWhenOnlyPartOfThePixelsFollow) {
    // The gap leaves 3 pixel bytes: the rest of the image keeps the new section's index 0.
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder()
                          .Size(4, 2)
                          .Bits(8)
                          .ClrUsed(8)
                          .Table(RampTable(8))
                          .Gap({7, 7})
                          .Pixels({1, 2, 3})
                          .Build());
    const auto table = RampTable(8);
    EXPECT_EQ(PixelAt(bitmap, 0, 1), table[1]);
    EXPECT_EQ(PixelAt(bitmap, 2, 1), table[3]);
    EXPECT_EQ(PixelAt(bitmap, 3, 1), table[0]);
}

TEST(BmpReaderTest, OffBitsInsideTheTableIsNotUsed) {
    // bfOffBits 4 bytes before the end of the table: the pixels still begin right after it.
    const std::uint32_t tableEnd = 14 + 40 + 8 * 4;
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder()
                          .Size(4, 2)
                          .Bits(8)
                          .ClrUsed(8)
                          .Table(RampTable(8))
                          .OffBits(tableEnd - 4)
                          .Pixels(Pixels4x2Indexed())
                          .Build());
    EXPECT_EQ(PixelAt(bitmap, 1, 1), RampTable(8)[1]);
}

TEST(BmpReaderTest, OffBitsPastTheEndOfTheFileIsNotUsed) {
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder()
                          .Size(4, 2)
                          .Bits(8)
                          .ClrUsed(8)
                          .Table(RampTable(8))
                          .OffBits(100000)
                          .Pixels(Pixels4x2Indexed())
                          .Build());
    EXPECT_EQ(PixelAt(bitmap, 1, 1), RampTable(8)[1]);
    EXPECT_EQ(PixelAt(bitmap, 3, 0), RampTable(8)[7]);
}

TEST(BmpReaderTest, CoreHeaderFileReads256ThreeByteEntriesAndGetsAnInfoHeader) {
    auto table = RampTable(256);
    const auto file = BmpBuilder().Core().Size(4, 2).Bits(8).Table(table).Pixels(Pixels4x2Indexed()).Build();
    ASSERT_EQ(file.size(), 794u + 8u);  // the pixels begin at byte 794
    TBitmap bitmap;
    ReadBytes(bitmap, file);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth8);
    EXPECT_EQ(BitmapAccess::Description(bitmap).dsBmih.biSize, 40u);
    EXPECT_EQ(BitmapAccess::Description(bitmap).dsBmih.biClrUsed, 256u);
    ASSERT_TRUE(BitmapAccess::SectionHandle(bitmap));
    const auto entries = BitmapAccess::SectionHandle(bitmap)->ColourTable();
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(entries[200], Quads(table)[200]);  // 4-byte entries, reserved byte 0
    EXPECT_EQ(PixelAt(bitmap, 2, 1), table[2]);
    EXPECT_EQ(PixelAt(bitmap, 3, 0), table[7]);
}

TEST(BmpReaderTest, ClrUsed16ReadsSixteenEntriesAndPixelsFromByte118) {
    auto table = RampTable(16);
    const auto file = BmpBuilder().Size(4, 2).Bits(8).ClrUsed(16).Table(table).Pixels(Pixels4x2Indexed()).Build();
    ASSERT_EQ(file.size(), 118u + 8u);
    TBitmap bitmap;
    ReadBytes(bitmap, file);
    EXPECT_EQ(BitmapAccess::Description(bitmap).dsBmih.biClrUsed, 16u);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), table[5]);
}

TEST(BmpReaderTest, TwentyFourBitFileWithFiveTableEntriesGetsThemAsPalette) {
    const std::vector<TColor> table = {Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9), Rgb(10, 11, 12),
                                       Rgb(13, 14, 15)};
    const auto file = BmpBuilder().Size(2, 2).Bits(24).ClrUsed(5).Table(table).Pixels(Pixels2x2Bgr()).Build();
    ASSERT_EQ(file.size(), 74u + 16u);
    TBitmap bitmap;
    ReadBytes(bitmap, file);
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth24);
    EXPECT_EQ(PixelAt(bitmap, 0, 1), kRed);  // the table does not colour 24-bit pixels
    ASSERT_TRUE(BitmapAccess::PaletteHandle(bitmap));
    EXPECT_EQ(BitmapAccess::PaletteHandle(bitmap)->entries, Quads(table));
}

TEST(BmpReaderTest, HeaderValuesAreRecordedInTheDescription) {
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder()
                          .Size(4, 2)
                          .Bits(8)
                          .ClrUsed(8)
                          .ClrImportant(3)
                          .Resolution(2835, -7)
                          .Table(RampTable(8))
                          .Pixels(Pixels4x2Indexed())
                          .Build());
    const auto& info = BitmapAccess::Description(bitmap).dsBmih;
    EXPECT_EQ(info.biXPelsPerMeter, 2835);
    EXPECT_EQ(info.biYPelsPerMeter, -7);
    EXPECT_EQ(info.biClrUsed, 8u);
    EXPECT_EQ(info.biClrImportant, 3u);
}

struct DepthCase {
    const char* name;
    std::uint16_t bits;
    std::uint32_t compression;
    std::optional<std::array<std::uint32_t, 3>> masks;
    std::uint32_t headerSize;
    TPixelDepth depth;
};

class BmpReaderDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(BmpReaderDepthTest, FileBecomesItsPixelDepth) {
    const DepthCase& c = GetParam();
    BmpBuilder builder;
    builder.Size(2, 2).Bits(c.bits).Compression(c.compression).HeaderSize(c.headerSize);
    if (c.masks) builder.Masks((*c.masks)[0], (*c.masks)[1], (*c.masks)[2]);
    if (c.bits <= 8) builder.Table(RampTable(std::size_t{1} << c.bits));
    TBitmap bitmap;
    ReadBytes(bitmap, builder.Build());
    EXPECT_EQ(bitmap.PixelDepth(), c.depth) << PixelDepthName(bitmap.PixelDepth());
    EXPECT_EQ(bitmap.ImageWidth(), 2);
}

using Masks = std::array<std::uint32_t, 3>;
INSTANTIATE_TEST_SUITE_P(
    AllDepths, BmpReaderDepthTest,
    ::testing::Values(DepthCase{"pal1", 1, gdi::kBiRgb, {}, 40, TPixelDepth::Depth1},
                      DepthCase{"pal4", 4, gdi::kBiRgb, {}, 40, TPixelDepth::Depth4},
                      DepthCase{"pal8", 8, gdi::kBiRgb, {}, 40, TPixelDepth::Depth8},
                      DepthCase{"rgb555", 16, gdi::kBiRgb, {}, 40, TPixelDepth::Depth15},
                      DepthCase{"bf565", 16, gdi::kBiBitfields, Masks{0xF800, 0x07E0, 0x001F}, 40,
                                TPixelDepth::Depth16},
                      DepthCase{"bf555", 16, gdi::kBiBitfields, Masks{0x7C00, 0x03E0, 0x001F}, 40,
                                TPixelDepth::DepthOther},
                      DepthCase{"rgb24", 24, gdi::kBiRgb, {}, 40, TPixelDepth::Depth24},
                      DepthCase{"rgb32", 32, gdi::kBiRgb, {}, 40, TPixelDepth::Depth32},
                      DepthCase{"bf32", 32, gdi::kBiBitfields, Masks{0xFF0000, 0xFF00, 0xFF}, 40,
                                TPixelDepth::DepthOther},
                      DepthCase{"v5bf565", 16, gdi::kBiBitfields, Masks{0xF800, 0x07E0, 0x001F}, 124,
                                TPixelDepth::Depth16}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpReaderTest, LargeHeaderCarriesItsMasksAndNoExtraMaskBytesFollow) {
    // 32 bits with red in the top byte: if the reader took 12 more mask bytes after the header,
    // the pixels would start 12 bytes late and the masks would be the pixel bytes.
    const std::vector<std::uint8_t> pixels = {0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF};
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder()
                          .Size(2, 2)
                          .Bits(32)
                          .Compression(gdi::kBiBitfields)
                          .HeaderSize(124)
                          .Masks(0xFF000000, 0x00FF0000, 0x0000FF00)
                          .Pixels(pixels)
                          .Build());
    EXPECT_EQ(BitmapAccess::Description(bitmap).dsBitfields[0], 0xFF000000u);
    EXPECT_EQ(PixelAt(bitmap, 0, 1), kRed);
    EXPECT_EQ(PixelAt(bitmap, 1, 1), kGreen);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), kBlue);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), kWhite);
}

TEST(BmpReaderTest, FortyByteHeaderBitFieldFileReadsTwelveMaskBytes) {
    // 5-6-5 pixels: red 0xF800, green 0x07E0.
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder()
                          .Size(2, 1)
                          .Bits(16)
                          .Compression(gdi::kBiBitfields)
                          .Masks(0xF800, 0x07E0, 0x001F)
                          .Pixels({0x00, 0xF8, 0xE0, 0x07})
                          .Build());
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::Depth16);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), kRed);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), kGreen);
}

// ----- Run-length files -----

// Entries 0 to 3: black, red, green, blue.
std::vector<TColor> FourColours() {
    return {Rgb(0, 0, 0), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)};
}

TEST(BmpReaderTest, Rle8FileGivesDeviceImageWithItsPalette) {
    // 5 × 2: bottom row "1 1 1 2 3" in encoded runs; top row an absolute run "3 2 1" (odd, so
    // one padding byte) and a run of two 2s.
    const std::vector<std::uint8_t> data = {3, 1, 1, 2, 1, 3, 0, 0,          // bottom row, end of line
                                            0, 3, 3, 2, 1, 0, 2, 2, 0, 1};  // absolute 3 + pad, run, end
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder()
                          .Size(5, 2)
                          .Bits(8)
                          .Compression(gdi::kBiRle8)
                          .ClrUsed(4)
                          .Table(FourColours())
                          .SizeImage(static_cast<std::uint32_t>(data.size()))
                          .Pixels(data)
                          .Build());
    EXPECT_EQ(bitmap.PixelDepth(), TPixelDepth::DepthDevice);
    ASSERT_EQ(bitmap.ImageWidth(), 5);
    ASSERT_EQ(bitmap.ImageHeight(), 2);
    ASSERT_TRUE(BitmapAccess::PaletteHandle(bitmap));
    EXPECT_EQ(BitmapAccess::PaletteHandle(bitmap)->entries, Quads(FourColours()));
    const std::vector<TColor> expected = {kBlue, kGreen, kRed, kGreen, kGreen,
                                          kRed,  kRed,   kRed, kGreen, kBlue};
    EXPECT_EQ(PixelsOf(bitmap), expected);
}

TEST(BmpReaderTest, Rle4FileDecodesNibblesAndPaddedAbsoluteRuns) {
    // 5 × 1: a run of 3 alternating 1, 2; then an absolute run of 3 nibbles cut to the 2 that fit.
    const std::vector<std::uint8_t> data = {3, 0x12, 0, 3, 0x32, 0x10, 0, 1};
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder()
                          .Size(5, 1)
                          .Bits(4)
                          .Compression(gdi::kBiRle4)
                          .ClrUsed(4)
                          .Table(FourColours())
                          .SizeImage(static_cast<std::uint32_t>(data.size()))
                          .Pixels(data)
                          .Build());
    ASSERT_EQ(bitmap.ImageWidth(), 5);
    const std::vector<TColor> expected = {kRed, kGreen, kRed, kBlue, kGreen};
    EXPECT_EQ(PixelsOf(bitmap), expected);
}

TEST(BmpReaderTest, PixelsThatRunLengthDataSkipsTakeTableEntryZero) {
    // A delta over the first two pixels of the bottom row, then a run of one, end of bitmap.
    const std::vector<std::uint8_t> data = {0, 2, 2, 0, 1, 3, 0, 1};
    auto table = FourColours();
    table[0] = Rgb(9, 9, 9);
    TBitmap bitmap;
    ReadBytes(bitmap, BmpBuilder()
                          .Size(4, 1)
                          .Bits(8)
                          .Compression(gdi::kBiRle8)
                          .ClrUsed(4)
                          .Table(table)
                          .SizeImage(static_cast<std::uint32_t>(data.size()))
                          .Pixels(data)
                          .Build());
    const TColor background = Rgb(9, 9, 9);
    const std::vector<TColor> expected = {background, background, kBlue, background};
    EXPECT_EQ(PixelsOf(bitmap), expected);
}

// ----- Failures -----

struct FailureCase {
    const char* name;
    std::vector<std::uint8_t> file;
    std::string message;
};

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

std::vector<std::uint8_t> WithHeaderSize(std::uint32_t size) {
    auto file = BmpBuilder().Size(2, 2).Bits(24).Pixels(Pixels2x2Bgr()).Build();
    bmp::StoreU32(&file[14], size);
    return file;
}

std::vector<FailureCase> FailureCases() {
    const std::string invalid = "Bitmap image is not valid";
    const std::string readError = "Stream read error";
    const auto good24 = BmpBuilder().Size(2, 2).Bits(24).Pixels(Pixels2x2Bgr()).Build();
    const auto pal8 = BmpBuilder().Size(4, 2).Bits(8).Table(RampTable(256)).Pixels(Pixels4x2Indexed()).Build();
    const auto bf16 = BmpBuilder()
                          .Size(2, 1)
                          .Bits(16)
                          .Compression(gdi::kBiBitfields)
                          .Masks(0xF800, 0x07E0, 0x001F)
                          .Pixels({0, 0, 0, 0})
                          .Build();
    const auto huge = BmpBuilder().Size(100000, 100000).Bits(24).Pixels(std::vector<std::uint8_t>(6, 0)).Build();
    return {
        {"OneByte", Cut(good24, 1), readError},
        {"ThirteenBytes", Cut(good24, 13), readError},
        {"SignatureBA", BmpBuilder().Signature(0x42, 0x41).Pixels(Pixels2x2Bgr()).Build(), invalid},
        {"PlanesZero", BmpBuilder().Planes(0).Pixels(Pixels2x2Bgr()).Build(), invalid},
        {"PlanesTwo", BmpBuilder().Planes(2).Pixels(Pixels2x2Bgr()).Build(), invalid},
        {"EndsInsideHeaderSize", Cut(good24, 16), invalid},
        {"EndsInsideInfoHeader", Cut(good24, 40), invalid},
        {"EndsInsideCoreHeader", Cut(BmpBuilder().Core().Size(2, 2).Build(), 22), invalid},
        {"EndsInsideLargeHeader", Cut(BmpBuilder().HeaderSize(124).Build(), 100), invalid},
        {"HeaderSize0", WithHeaderSize(0), invalid},
        {"HeaderSize11", WithHeaderSize(11), invalid},
        {"HeaderSize13", WithHeaderSize(13), invalid},
        {"HeaderSize39", WithHeaderSize(39), invalid},
        {"HeaderSizeHuge", WithHeaderSize(0xFFFFFFF0u), invalid},
        {"EndsInsideMasks", Cut(bf16, 54 + 6), readError},
        {"EndsInsideTable", Cut(pal8, 54 + 1000), readError},
        {"TableOf257", BmpBuilder().Bits(8).ClrUsed(257).Build(), invalid},
        {"TableOf300At24Bits", BmpBuilder().Bits(24).ClrUsed(300).Build(), invalid},
        {"TableOfHundredsOfMillions", BmpBuilder().Bits(8).ClrUsed(305000000).Build(), invalid},
        {"WidthZero", BmpBuilder().Size(0, 2).Build(), invalid},
        {"HeightZero", BmpBuilder().Size(2, 0).Build(), invalid},
        {"NegativeWidth", BmpBuilder().Size(-2, 2).Pixels(Pixels2x2Bgr()).Build(), invalid},
        {"BitCount2", BmpBuilder().Bits(2).ClrUsed(4).Table(RampTable(4)).Build(), invalid},
        {"BitCount64", BmpBuilder().Bits(64).Build(), invalid},
        {"BitFieldsAt8Bits", BmpBuilder().Bits(8).Compression(gdi::kBiBitfields).Table(RampTable(256)).Build(),
         invalid},
        {"CompressionJpeg", BmpBuilder().Compression(4).Pixels({0xFF, 0xD8, 0xFF}).Build(), invalid},
        {"CompressionPng", BmpBuilder().Compression(5).Pixels({0x89, 'P', 'N', 'G'}).Build(), invalid},
        {"Rle8At4Bits", BmpBuilder().Bits(4).Compression(gdi::kBiRle8).Table(RampTable(16)).Pixels({0, 1}).Build(),
         invalid},
        {"Rle8TopDown", BmpBuilder().Size(2, -2).Bits(8).Compression(gdi::kBiRle8).Table(RampTable(256)).Pixels({0, 1}).Build(),
         invalid},
        {"HundredThousandSquared", huge, "System Error.  Code: 12.\r\n" + gdi::ErrorText(12)},
    };
}

class BmpReaderFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(BmpReaderFailureTest, FailsWithItsMessageAndKeepsTheFormerImage) {
    TBitmap bitmap;
    ReadBytes(bitmap, FormerPictureFile());
    int notices = 0;
    bitmap.SetChangeListener([&] { ++notices; });
    try {
        ReadBytes(bitmap, GetParam().file);
        ADD_FAILURE() << "read without failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), GetParam().message);
    }
    EXPECT_EQ(notices, 0);
    ExpectFormerPicture(bitmap);
}

INSTANTIATE_TEST_SUITE_P(BrokenFiles, BmpReaderFailureTest, ::testing::ValuesIn(FailureCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpReaderTest, FailuresHaveTheirKinds) {
    TBitmap bitmap;
    EXPECT_THROW(ReadBytes(bitmap, {'B', 'M', 0}), EReadError);
    EXPECT_THROW(ReadBytes(bitmap, BmpBuilder().Planes(0).Build()), EInvalidGraphic);
    EXPECT_THROW(ReadBytes(bitmap, BmpBuilder().Size(100000, 100000).Build()), EOSError);
}

TEST(BmpReaderTest, StreamShorterThanTheCountInThePixelsIsAReadError) {
    const auto file = BmpBuilder().Size(2, 2).Bits(24).Pixels(Pixels2x2Bgr()).Build();
    MemoryInputStream stream(std::span<const std::uint8_t>(file).first(60));
    TBitmap bitmap;
    ExpectFailure<EReadError>([&] { ReadBmp(bitmap, stream, file.size()); }, "Stream read error");
}

TEST(BmpReaderTest, StreamShorterThanTheCountInTheRunLengthDataIsAReadError) {
    const std::vector<std::uint8_t> data = {3, 1, 0, 1};
    const auto file = BmpBuilder().Size(3, 1).Bits(8).Compression(gdi::kBiRle8).Table(RampTable(256))
                          .SizeImage(4).Pixels(data).Build();
    MemoryInputStream stream(std::span<const std::uint8_t>(file).first(file.size() - 2));
    TBitmap bitmap;
    ExpectFailure<EReadError>([&] { ReadBmp(bitmap, stream, file.size()); }, "Stream read error");
}

class ThrowingStream final : public InputStream {
public:
    std::size_t Read(void*, std::size_t) override { throw std::bad_alloc(); }
};

TEST(BmpReaderTest, AllocationFailureIsOutOfMemory) {
    ThrowingStream stream;
    TBitmap bitmap;
    ExpectFailure<EOutOfMemory>([&] { ReadBmp(bitmap, stream, 100); }, "Out of memory");
}

TEST(BmpReaderTest, LayerRefusingTheSectionFailsAndKeepsTheFormerImage) {
    TBitmap bitmap;
    ReadBytes(bitmap, FormerPictureFile());
    {
        testing::ScopedFault fault(gdi::Fault::NoSection);
        EXPECT_THROW(ReadBytes(bitmap, BmpBuilder().Pixels(Pixels2x2Bgr()).Build()), Exception);
    }
    ExpectFormerPicture(bitmap);
}

// Decoding run-length data needs no drawing context: the file reads without one.
TEST(BmpReaderTest, RunLengthPathNeedsNoMemoryContext) {
    const auto file = BmpBuilder().Size(3, 1).Bits(8).Compression(gdi::kBiRle8).Table(RampTable(256))
                          .SizeImage(4).Pixels({3, 1, 0, 1}).Build();
    TBitmap bitmap;
    {
        testing::ScopedFault fault(gdi::Fault::NoContext);
        ReadBytes(bitmap, file);
    }
    EXPECT_EQ(bitmap.ImageWidth(), 3);
    EXPECT_EQ(bitmap.DrawingSurface().ReadPixel(1, 0), RampTable(256)[1]);
}

// ----- Files -----

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

TEST(BmpReadFileTest, ReadsAFileAndClosesIt) {
    TempFolder folder;
    const std::string path = folder / "two.bmp";
    WriteBytes(path, BmpBuilder().Size(2, 2).Bits(24).Pixels(Pixels2x2Bgr()).Build());
    const int before = OpenDescriptors();
    TBitmap bitmap;
    ReadBmpFile(bitmap, path);
    EXPECT_EQ(OpenDescriptors(), before);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), kWhite);
}

TEST(BmpReadFileTest, FailingReadClosesTheFile) {
    TempFolder folder;
    const std::string path = folder / "bad.bmp";
    WriteBytes(path, BmpBuilder().Planes(3).Build());
    const int before = OpenDescriptors();
    TBitmap bitmap;
    EXPECT_THROW(ReadBmpFile(bitmap, path), EInvalidGraphic);
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST(BmpReadFileTest, MissingFileCannotBeOpenedAndNamesTheFileAsPassed) {
    TempFolder folder;
    const std::string path = folder / "sub/../gone.bmp";
    TBitmap bitmap;
    ReadBytes(bitmap, FormerPictureFile());
    ExpectFailure<EFOpenError>([&] { ReadBmpFile(bitmap, path); }, "Cannot open file " + path);
    ExpectFormerPicture(bitmap);
}

TEST(BmpReadFileTest, FolderCannotBeOpened) {
    TempFolder folder;
    TBitmap bitmap;
    ExpectFailure<EFOpenError>([&] { ReadBmpFile(bitmap, folder.Path().string()); },
                               "Cannot open file " + folder.Path().string());
}

TEST(BmpReadFileTest, EmptyFileGivesEmptyBitmap) {
    TempFolder folder;
    const std::string path = folder / "empty.bmp";
    WriteBytes(path, {});
    TBitmap bitmap;
    ReadBytes(bitmap, FormerPictureFile());
    ReadBmpFile(bitmap, path);
    EXPECT_EQ(bitmap.ImageWidth(), 0);
    EXPECT_EQ(bitmap.ImageHeight(), 0);
}

}  // namespace
}  // namespace mosaren::testing
