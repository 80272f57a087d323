// A tile that fails to write never costs the good tile it was to replace: the old file stays as
// it was, no temporary file is left behind, and the failure carries its usual message.

#include "raster/file_replacement.h"

#include <cerrno>
#include <cstdio>

#include "bmp_test_support.h"
#include "support/output_streams.h"
#include "support/tmpfs_mount.h"

namespace mosaren::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A good tile already in place.
Bytes PutGoodTile(const std::string& path) {
    TBitmap good;
    MakeDeviceTile(good, 4, 4);
    WriteBmpFile(good, path);
    return FileBytes(path);
}

struct FailureCase {
    const char* name;
    // Writes a 72 × 36 tile to the path in a way that fails.
    std::function<void(const std::string&)> write;
    const char* kind;
    std::string message;
};

void ExpectFailureOf(const FailureCase& c, const std::string& path) {
    try {
        c.write(path);
        ADD_FAILURE() << "no failure";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.ClassName(), c.kind);
        EXPECT_EQ(e.Message(), c.message);
    }
}

std::vector<FailureCase> FailureCases() {
    return {
        {"OutputTakesPartOfAWrite",
         [](const std::string& path) {
             TBitmap tile;
             MakeDeviceTile(tile, 72, 36);
             // The disk fills up after the headers and a few rows.
             ReplaceFileWith(path, [&tile](OutputStream& file) {
                 BudgetStream full(file, 54 + 1000);
                 WriteBmp(tile, full);
             });
         },
         "EWriteError", "Stream write error"},
        {"SectionCopyCannotBeMade",
         [](const std::string& path) {
             TBitmap tile;
             MakeDeviceTile(tile, 72, 36);
             gdi::ScopedFault noSection(gdi::Fault::NoSection);
             WriteBmpFile(tile, path);
         },
         "EOutOfResources", "Out of system resources"},
    };
}

class FileReplacementTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FileReplacementTest, FailedWriteLeavesTheGoodTileAndNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder / "tile.bmp";
    const Bytes good = PutGoodTile(path);
    ExpectFailureOf(GetParam(), path);
    EXPECT_EQ(FileBytes(path), good);
    EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"tile.bmp"});
}

TEST_P(FileReplacementTest, FailedWriteOfANewTileLeavesNoFile) {
    TempFolder folder;
    ExpectFailureOf(GetParam(), folder / "tile.bmp");
    EXPECT_TRUE(FolderNames(folder.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Failures, FileReplacementTest, ::testing::ValuesIn(FailureCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpAtomicFileDiskTest, FullFileSystemLeavesTheGoodTileAndNoTemporaryFile) {
    TempFolder folder;
    ScopedTmpfs mount(folder.Path(), 64 * 1024);
    if (!mount.Mounted()) GTEST_SKIP() << "a tmpfs cannot be mounted here";
    const std::string path = folder / "tile.bmp";
    const Bytes good = PutGoodTile(path);

    // Fill what is left, a page at a time, until the file system takes no more.
    std::FILE* filler = std::fopen((folder / "filler").c_str(), "wb");
    ASSERT_NE(filler, nullptr);
    std::setvbuf(filler, nullptr, _IONBF, 0);
    const Bytes page(4096, 0x55);
    while (std::fwrite(page.data(), 1, page.size(), filler) == page.size()) {
    }
    EXPECT_EQ(errno, ENOSPC);
    std::fclose(filler);

    TBitmap tile;
    MakeDeviceTile(tile, 72, 36);
    ExpectFailure<EWriteError>([&] { WriteBmpFile(tile, path); }, "Stream write error");
    EXPECT_EQ(FileBytes(path), good);
    EXPECT_EQ(FolderNames(folder.Path()), (std::vector<std::string>{"filler", "tile.bmp"}));
}

}  // namespace
}  // namespace mosaren::testing
