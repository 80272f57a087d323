// The reader over the public BMP test suite in the shared corpus folder: every one of its 90
// files with the outcome that the corpus README gives it. Decoded pictures are compared with the
// README's reference PNGs after conversion to 24 bits.

#include <cstdlib>
#include <set>
#include <sstream>

#include "bmp_test_support.h"
#include "support/png_picture.h"
#include "support/requirements.h"

namespace mosaren::testing {
namespace {

namespace fs = std::filesystem;

const char* const kInvalid = "Bitmap image is not valid";

enum class Outcome {
    Decode,   // reads into a WxH image that matches its reference
    Reject,   // fails with the message; the bitmap keeps its former image
    Either,   // decodes as Decode does, or fails as Reject does
    Survive,  // hostile data: decodes to WxH or fails as not valid, and touches nothing else
};

// What a decoded picture is compared with.
enum class Reference {
    OwnPng,            // <name>.png beside the file
    None,              // only the size is known
    Pal8TwelveLate,    // g/pal8.png, its pixel bytes starting 12 bytes late
    Rgb24RedAndGreen,  // g/rgb24.png with red and green exchanged
};

struct CorpusCase {
    std::string file;  // under the corpus folder
    Outcome outcome = Outcome::Decode;
    std::int32_t width = 127;
    std::int32_t height = 64;
    // Reject and Either: the exact text; empty: any message of the program (the reader's choice).
    std::string message;
    int tolerance = 0;  // per channel; 1 where the file's channels are not 8 bits wide
    Reference reference = Reference::OwnPng;
    std::int32_t supplied = -1;  // when set, only the first so many pixels in file order compare

    CorpusCase& Size(std::int32_t w, std::int32_t h) {
        width = w;
        height = h;
        return *this;
    }
    CorpusCase& NotEightBitChannels() {
        tolerance = 1;
        return *this;
    }
    CorpusCase& Against(Reference r) {
        reference = r;
        return *this;
    }
    CorpusCase& OnlyFirstPixels(std::int32_t count) {
        supplied = count;
        return *this;
    }
};

CorpusCase Row(std::string file, Outcome outcome, std::string message = {}) {
    CorpusCase c;
    c.file = std::move(file);
    c.outcome = outcome;
    c.message = std::move(message);
    return c;
}
CorpusCase Decode(std::string file) { return Row(std::move(file), Outcome::Decode); }
CorpusCase Reject(std::string file, std::string message) {
    return Row(std::move(file), Outcome::Reject, std::move(message));
}
CorpusCase Either(std::string file, std::string message) {
    return Row(std::move(file), Outcome::Either, std::move(message));
}
CorpusCase Survive(std::string file) {
    return Row(std::move(file), Outcome::Survive).Against(Reference::None);
}

// The outcomes of the corpus README, row for row.
std::vector<CorpusCase> CorpusCases() {
    return {
        // g/: good, all decode.
        Decode("g/pal1.bmp"),
        Decode("g/pal1wb.bmp"),
        Decode("g/pal1bg.bmp"),
        Decode("g/pal4.bmp"),
        Decode("g/pal4gs.bmp"),
        Decode("g/pal4rle.bmp"),
        Decode("g/pal8.bmp"),
        Decode("g/pal8-0.bmp"),
        Decode("g/pal8gs.bmp"),
        Decode("g/pal8nonsquare.bmp").Size(127, 32),
        Decode("g/pal8os2.bmp"),
        Decode("g/pal8rle.bmp"),
        Decode("g/pal8topdown.bmp"),
        Decode("g/pal8v4.bmp"),
        Decode("g/pal8v5.bmp"),
        Decode("g/pal8w124.bmp").Size(124, 61),
        Decode("g/pal8w125.bmp").Size(125, 62),
        Decode("g/pal8w126.bmp").Size(126, 63),
        Decode("g/rgb16.bmp").NotEightBitChannels(),
        Decode("g/rgb16bfdef.bmp").NotEightBitChannels(),
        Decode("g/rgb16-565.bmp").NotEightBitChannels(),
        Decode("g/rgb16-565pal.bmp").NotEightBitChannels(),
        Decode("g/rgb24.bmp"),
        Decode("g/rgb24pal.bmp"),
        Decode("g/rgb32.bmp"),
        Decode("g/rgb32bfdef.bmp"),
        Decode("g/rgb32bf.bmp"),

        // q/: questionable.
        Reject("q/pal1huffmsb.bmp", kInvalid),
        Decode("q/pal1p1.bmp"),
        Either("q/pal2.bmp", kInvalid),
        Either("q/pal2color.bmp", kInvalid),
        // The pixels that the run-length data skips are transparent in the reference.
        Decode("q/pal4rletrns.bmp"),
        Decode("q/pal4rlecut.bmp"),
        Decode("q/pal8rletrns.bmp"),
        Decode("q/pal8rlecut.bmp"),
        Decode("q/pal8offs.bmp"),
        Decode("q/pal8os2-hs.bmp"),
        Decode("q/pal8os2-sz.bmp"),
        Decode("q/pal8os2sp.bmp").Against(Reference::Pal8TwelveLate),
        Either("q/pal8os2v2.bmp", kInvalid),
        Reject("q/pal8os2v2-16.bmp", kInvalid),
        Either("q/pal8os2v2-sz.bmp", kInvalid),
        Decode("q/pal8os2v2-40sz.bmp"),
        Reject("q/pal8oversizepal.bmp", kInvalid),
        Decode("q/rgb16-231.bmp").NotEightBitChannels(),
        Decode("q/rgb16-3103.bmp").NotEightBitChannels(),
        Decode("q/rgb16faketrns.bmp").NotEightBitChannels(),
        Reject("q/rgb24jpeg.bmp", kInvalid),
        Reject("q/rgb24png.bmp", kInvalid),
        Reject("q/rgb24largepal.bmp", kInvalid),
        Decode("q/rgb24lprof.bmp"),
        Decode("q/rgb24prof.bmp"),
        Decode("q/rgb24prof2.bmp").Against(Reference::Rgb24RedAndGreen),
        Reject("q/rgb24rle24.bmp", kInvalid),
        Decode("q/rgb32-111110.bmp").NotEightBitChannels(),
        Decode("q/rgb32-7187.bmp").NotEightBitChannels(),
        Decode("q/rgb32-xbgr.bmp"),
        Decode("q/rgb32fakealpha.bmp"),
        Decode("q/rgb32h52.bmp"),
        Decode("q/rgba16-4444.bmp").NotEightBitChannels(),
        Decode("q/rgba16-5551.bmp").NotEightBitChannels(),
        Decode("q/rgba16-1924.bmp").NotEightBitChannels(),
        Decode("q/rgba32-1.bmp"),
        Decode("q/rgba32-2.bmp"),
        Decode("q/rgba32-1010102.bmp").NotEightBitChannels(),
        Decode("q/rgba32-81284.bmp").NotEightBitChannels(),
        Decode("q/rgba32-61754.bmp").NotEightBitChannels(),
        Reject("q/rgba32abf.bmp", kInvalid),
        Decode("q/rgba32h56.bmp"),
        Reject("q/rgba64.bmp", kInvalid),

        // b/: bad.
        Reject("b/badbitcount.bmp", kInvalid),
        Decode("b/badbitssize.bmp"),
        Decode("b/baddens1.bmp"),
        Decode("b/baddens2.bmp"),
        Decode("b/badfilesize.bmp"),
        Either("b/badheadersize.bmp", kInvalid),
        Reject("b/badpalettesize.bmp", kInvalid),
        Reject("b/badplanes.bmp", kInvalid),
        Survive("b/badrle.bmp"),
        Survive("b/badrlebis.bmp"),
        Survive("b/badrleter.bmp"),
        Survive("b/badrle4.bmp"),
        Survive("b/badrle4bis.bmp"),
        Survive("b/badrle4ter.bmp"),
        Reject("b/badwidth.bmp", kInvalid),
        Survive("b/pal8badindex.bmp"),
        Reject("b/reallybig.bmp", ""),
        Either("b/rgb16-880.bmp", kInvalid).NotEightBitChannels(),
        Either("b/rletopdown.bmp", kInvalid).Against(Reference::None),
        // 211 of 1024 bytes: the bottom 13 rows and 24 pixels of the next.
        Decode("b/shortfile.bmp").OnlyFirstPixels(13 * 127 + 24),
    };
}

// The picture a decoded file must show; pixels with alpha 0 are not compared.
std::optional<PngPicture> ExpectedPicture(const CorpusCase& c) {
    const fs::path folder = CorpusFolder();
    switch (c.reference) {
        case Reference::OwnPng:
            return ReadPng((folder / c.file).replace_extension(".png"));
        case Reference::None:
            return std::nullopt;
        case Reference::Rgb24RedAndGreen: {
            std::optional<PngPicture> picture = ReadPng(folder / "g/rgb24.png");
            if (picture) {
                for (PngPixel& p : picture->pixels)
                    p.colour = Rgb(GreenOf(p.colour), RedOf(p.colour), BlueOf(p.colour));
            }
            return picture;
        }
        case Reference::Pal8TwelveLate: {
            // A core header always has 256 entries at 8 bits, so the 12 bytes after this file's
            // 252 entries become entries 252 to 255 and every pixel byte is read 12 bytes late:
            // pixel (x, y) shows the pal8 picture where the byte 12 further on lies. Bytes that
            // fall on row padding or past the image show nothing known.
            const std::optional<PngPicture> pal8 = ReadPng(folder / "g/pal8.png");
            if (!pal8) return std::nullopt;
            PngPicture picture = *pal8;
            const std::int32_t stride = 128;
            for (std::int32_t y = 0; y < picture.height; ++y) {
                for (std::int32_t x = 0; x < picture.width; ++x) {
                    const std::int32_t from = (picture.height - 1 - y) * stride + x + 12;
                    const std::int32_t fromX = from % stride;
                    const std::int32_t fromRow = from / stride;
                    PngPixel& to = picture.At(x, y);
                    if (fromX >= picture.width || fromRow >= picture.height) {
                        to.alpha = 0;
                    } else {
                        to = pal8->At(fromX, picture.height - 1 - fromRow);
                    }
                }
            }
            return picture;
        }
    }
    return std::nullopt;
}

::testing::AssertionResult MatchesPicture(TBitmap& bitmap, const PngPicture& picture,
                                          const CorpusCase& c) {
    if (picture.width != bitmap.ImageWidth() || picture.height != bitmap.ImageHeight()) {
        return ::testing::AssertionFailure()
               << "the reference is " << picture.width << "x" << picture.height;
    }
    bitmap.ConvertDepth(TPixelDepth::Depth24);
    int mismatches = 0;
    std::ostringstream first;
    for (std::int32_t y = 0; y < picture.height; ++y) {
        const std::uint8_t* row = bitmap.RowAddress(y);
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const std::int32_t fileOrder = (picture.height - 1 - y) * picture.width + x;
            const PngPixel& expected = picture.At(x, y);
            if (expected.alpha == 0 || (c.supplied >= 0 && fileOrder >= c.supplied)) continue;
            const std::uint8_t want[3] = {RedOf(expected.colour), GreenOf(expected.colour),
                                          BlueOf(expected.colour)};
            const std::uint8_t got[3] = {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
            bool same = true;
            for (int i = 0; i < 3; ++i) same = same && std::abs(got[i] - want[i]) <= c.tolerance;
            if (!same && mismatches++ < 5) {
                first << " (" << x << "," << y << ") is " << int{got[0]} << "," << int{got[1]}
                      << "," << int{got[2]} << " for " << int{want[0]} << "," << int{want[1]} << ","
                      << int{want[2]} << ";";
            }
        }
    }
    if (mismatches == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << mismatches << " pixels differ:" << first.str();
}

class BmpCorpusTest : public ::testing::TestWithParam<CorpusCase> {
protected:
    void SetUp() override {
        MOSAREN_REQUIRE(fs::is_directory(CorpusFolder()), "no corpus at " << CorpusFolder());
    }
};

TEST_P(BmpCorpusTest, ReadsAsTheCorpusSays) {
    const CorpusCase& c = GetParam();
    const std::string path = (CorpusFolder() / c.file).string();
    ASSERT_TRUE(fs::is_regular_file(path)) << path;

    TBitmap bitmap;
    ReadBytes(bitmap, FormerPictureFile());
    std::optional<std::string> failure;
    try {
        ReadBmpFile(bitmap, path);
    } catch (const Exception& e) {
        failure = e.Message();
    }

    if (failure) {
        switch (c.outcome) {
            case Outcome::Decode:
                FAIL() << "fails with \"" << *failure << "\"";
            case Outcome::Reject:
            case Outcome::Either:
                if (c.message.empty()) {
                    EXPECT_FALSE(failure->empty());
                } else {
                    EXPECT_EQ(*failure, c.message);
                }
                break;
            case Outcome::Survive:
                EXPECT_EQ(*failure, kInvalid);
                break;
        }
        ExpectFormerPicture(bitmap);
        return;
    }

    ASSERT_NE(c.outcome, Outcome::Reject)
        << "reads as " << bitmap.ImageWidth() << "x" << bitmap.ImageHeight();
    ASSERT_EQ(bitmap.ImageWidth(), c.width);
    ASSERT_EQ(bitmap.ImageHeight(), c.height);
    if (c.reference == Reference::None) return;
    const std::optional<PngPicture> expected = ExpectedPicture(c);
    ASSERT_TRUE(expected) << "no reference picture for " << c.file;
    EXPECT_TRUE(MatchesPicture(bitmap, *expected, c));
}

INSTANTIATE_TEST_SUITE_P(Corpus, BmpCorpusTest, ::testing::ValuesIn(CorpusCases()),
                         [](const auto& info) { return TestNameOf(info.param.file); });

TEST(BmpCorpusTableTest, EveryFileOfTheCorpusHasItsRow) {
    MOSAREN_REQUIRE(fs::is_directory(CorpusFolder()), "no corpus at " << CorpusFolder());
    std::set<std::string> onDisk;
    for (const auto& entry : fs::recursive_directory_iterator(CorpusFolder())) {
        if (entry.path().extension() == ".bmp")
            onDisk.insert(fs::relative(entry.path(), CorpusFolder()).string());
    }
    std::set<std::string> inTable;
    for (const CorpusCase& c : CorpusCases())
        EXPECT_TRUE(inTable.insert(c.file).second) << c.file << " twice";
    EXPECT_EQ(onDisk, inTable);
    EXPECT_EQ(inTable.size(), 90u);
}

}  // namespace
}  // namespace mosaren::testing
