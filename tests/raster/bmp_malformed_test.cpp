// The malformed-file folder, tests/raster/data: one small file for every hostile or broken input
// the reader has had to withstand, each with the one outcome it must give. A file the fuzzer
// finds goes into the folder (through make_malformed.py) and gets its row here.

#include <set>

#include "bmp_test_support.h"

namespace mosaren::testing {
namespace {

namespace fs = std::filesystem;

struct MalformedCase {
    const char* file;
    std::string message;  // the failure's exact text; empty: the file decodes
    std::int32_t width = 0;
    std::int32_t height = 0;
};

MalformedCase Fails(const char* file, std::string message) { return {file, std::move(message)}; }
MalformedCase Decodes(const char* file, std::int32_t width, std::int32_t height) {
    return {file, "", width, height};
}

std::vector<MalformedCase> MalformedCases() {
    const std::string invalid = "Bitmap image is not valid";
    const std::string readError = "Stream read error";
    // The graphics layer refuses an image beyond its size cap as a platform refuses memory.
    const std::string tooLarge = "System Error.  Code: 12.\r\n" + gdi::ErrorText(12);
    return {
        Fails("dimensions-huge.bmp", tooLarge),
        Fails("dimensions-huge-core.bmp", tooLarge),
        Fails("dimensions-huge-rle8.bmp", tooLarge),
        Fails("dimensions-huge-rle4.bmp", tooLarge),
        Fails("width-negative.bmp", invalid),
        Fails("height-most-negative.bmp", invalid),
        Fails("height-most-negative-rle8.bmp", invalid),

        Decodes("rle8-run-past-right-edge.bmp", 4, 2),
        Decodes("rle8-absolute-past-right-edge.bmp", 4, 1),
        Decodes("rle8-delta-past-top.bmp", 4, 2),
        Decodes("rle8-delta-past-right-edge.bmp", 4, 2),
        Decodes("rle8-more-lines-than-rows.bmp", 4, 2),
        Decodes("rle8-no-end-code.bmp", 4, 2),
        Decodes("rle8-ends-inside-absolute-run.bmp", 4, 2),
        Decodes("rle8-ends-inside-delta.bmp", 4, 2),
        Decodes("rle8-size-claim-beyond-file.bmp", 4, 2),
        Decodes("rle4-run-past-right-edge.bmp", 3, 2),
        Decodes("rle4-absolute-past-right-edge.bmp", 3, 1),
        Decodes("rle4-ends-inside-absolute-run.bmp", 3, 2),

        Fails("header-size-0.bmp", invalid),
        Fails("header-size-11.bmp", invalid),
        Fails("header-size-13.bmp", invalid),
        Fails("header-size-39.bmp", invalid),
        Fails("header-size-huge.bmp", invalid),

        Fails("table-257-entries.bmp", invalid),
        Fails("table-300-at-24-bits.bmp", invalid),
        Fails("table-hundreds-of-millions.bmp", invalid),

        Fails("cut-in-file-header.bmp", readError),
        Fails("cut-in-header-size.bmp", invalid),
        Fails("cut-in-info-header.bmp", invalid),
        Fails("cut-in-core-header.bmp", invalid),
        Fails("cut-in-v5-header.bmp", invalid),
        Fails("cut-in-masks.bmp", readError),
        Fails("cut-in-colour-table.bmp", readError),
    };
}

const fs::path kData = MOSAREN_TEST_DATA_DIR;

class BmpMalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(BmpMalformedTest, GivesItsOutcome) {
    const MalformedCase& c = GetParam();
    TBitmap bitmap;
    ReadBytes(bitmap, FormerPictureFile());
    const std::string path = (kData / c.file).string();
    ASSERT_TRUE(fs::is_regular_file(path)) << path;
    if (c.message.empty()) {
        ReadBmpFile(bitmap, path);
        EXPECT_EQ(bitmap.ImageWidth(), c.width);
        EXPECT_EQ(bitmap.ImageHeight(), c.height);
        bitmap.ConvertDepth(TPixelDepth::Depth24);  // every pixel is there to be read
    } else {
        try {
            ReadBmpFile(bitmap, path);
            ADD_FAILURE() << "decodes to " << bitmap.ImageWidth() << "x" << bitmap.ImageHeight();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        ExpectFormerPicture(bitmap);
    }
}

INSTANTIATE_TEST_SUITE_P(Data, BmpMalformedTest, ::testing::ValuesIn(MalformedCases()),
                         [](const auto& info) { return TestNameOf(info.param.file); });

TEST(BmpMalformedTableTest, EveryFileOfTheFolderHasItsRow) {
    std::set<std::string> onDisk;
    for (const auto& entry : fs::directory_iterator(kData)) {
        if (entry.path().extension() == ".bmp") onDisk.insert(entry.path().filename().string());
    }
    std::set<std::string> inTable;
    for (const MalformedCase& c : MalformedCases())
        EXPECT_TRUE(inTable.insert(c.file).second) << c.file << " twice";
    EXPECT_EQ(onDisk, inTable);
}

}  // namespace
}  // namespace mosaren::testing
