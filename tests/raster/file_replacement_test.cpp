// A tile that fails to write never costs the good tile it was to replace: the old file stays as
// it was, no temporary file is left behind, and the failure carries its usual message.

#include "raster/file_replacement.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "bmp_test_support.h"
#include "raster/support/scoped_fault.h"
#include "support/output_streams.h"
#include "support/tmpfs_mount.h"
#include "support/requirements.h"

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
             testing::ScopedFault noSection(gdi::Fault::NoSection);
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
    MOSAREN_REQUIRE(mount.Mounted(), "a tmpfs cannot be mounted here");
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


// ----- Files put in place as a group -----

StagedFile Stage(const std::string& path, const std::string& content) {
    return StagedFile(path, [&content](OutputStream& stream) {
        WriteWhole(stream, content.data(), content.size());
    });
}

std::string Text(const std::string& path) {
    const Bytes bytes = FileBytes(path);
    return {bytes.begin(), bytes.end()};
}

// Four files staged, the third of which cannot go in place: its name has become a folder.
struct GroupRun {
    TempFolder folder;
    std::vector<std::pair<std::size_t, std::string>> reports;  // index, message or ""
    bool finished = false;

    explicit GroupRun(bool goOnPastAFailure) {
        WriteBytes(folder / "a", Bytes{'o', 'l', 'd'});
        StagedFiles group;
        group.Add(Stage(folder / "a", "first a"));
        group.Add(Stage(folder / "b", "b"));
        group.Add(Stage(folder / "c", "c"));
        group.Add(Stage(folder / "a", "second a"));
        std::filesystem::create_directory(folder.Path() / "c");
        // Nothing is in place before the group is.
        EXPECT_EQ(Text(folder / "a"), "old");
        finished = group.PutInPlace([&](std::size_t i, std::exception_ptr failure) {
            reports.emplace_back(i, failure ? FailureMessage(failure) : "");
            return !failure || goOnPastAFailure;
        });
    }
};

TEST(StagedFiles, GoInPlaceInOrderAndReportEachOnceThere) {
    GroupRun run(true);
    EXPECT_TRUE(run.finished);
    const std::vector<std::pair<std::size_t, std::string>> reports = {
        {0, ""}, {1, ""}, {2, "Cannot create file " + (run.folder / "c")}, {3, ""}};
    EXPECT_EQ(run.reports, reports);
    // The later of two files of one name is the one left.
    EXPECT_EQ(Text(run.folder / "a"), "second a");
    EXPECT_EQ(Text(run.folder / "b"), "b");
    EXPECT_EQ(run.folder.Names(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StagedFiles, StopAtAFailureThatEndsTheRunAndLeaveNothingAfterIt) {
    GroupRun run(false);
    EXPECT_FALSE(run.finished);
    const std::vector<std::pair<std::size_t, std::string>> reports = {
        {0, ""}, {1, ""}, {2, "Cannot create file " + (run.folder / "c")}};
    EXPECT_EQ(run.reports, reports);
    EXPECT_EQ(Text(run.folder / "a"), "first a");
    // No temporary file of the fourth is left.
    EXPECT_EQ(run.folder.Names(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StagedFiles, ThatNeverGoInPlaceLeaveTheOldFilesAndNoTemporaryFile) {
    TempFolder folder;
    WriteBytes(folder / "a", Bytes{'o', 'l', 'd'});
    {
        StagedFiles group;
        group.Add(Stage(folder / "a", "new"));
        group.Add(Stage(folder / "b", "new"));
    }
    EXPECT_EQ(Text(folder / "a"), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"a"});
}

TEST(StagedFiles, GiveWhatTheyReplaceToLaterFilesButNeverAFileAnotherNameShows) {
    TempFolder folder;
    WriteBytes(folder / "a", Bytes{'o', 'l', 'd'});
    WriteBytes(folder / "shared", Bytes{'k', 'e', 'e', 'p'});
    ASSERT_EQ(::link((folder / "shared").c_str(), (folder / "also-shared").c_str()), 0);
    const auto putInPlace = [](StagedFiles& group) {
        EXPECT_TRUE(group.PutInPlace([](std::size_t, std::exception_ptr failure) {
            EXPECT_FALSE(failure);
            return true;
        }));
    };
    {
        StagedFiles group(true);
        group.Add(StagedFile(folder / "a", [](OutputStream& s) { WriteWhole(s, "new a", 5); },
                             &group.Spares()));
        group.Add(StagedFile(folder / "shared",
                             [](OutputStream& s) { WriteWhole(s, "new shared", 10); },
                             &group.Spares()));
        putInPlace(group);
        // The replaced a is kept for the next files; the replaced shared is not.
        EXPECT_EQ(folder.Names().size(), 4u);
        for (const char* name : {"b", "c"}) {
            group.Add(StagedFile(folder / name, [](OutputStream& s) { WriteWhole(s, "later", 5); },
                                 &group.Spares()));
        }
        putInPlace(group);
    }
    EXPECT_EQ(Text(folder / "a"), "new a");
    EXPECT_EQ(Text(folder / "shared"), "new shared");
    EXPECT_EQ(Text(folder / "also-shared"), "keep");
    EXPECT_EQ(Text(folder / "b"), "later");
    EXPECT_EQ(Text(folder / "c"), "later");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a", "also-shared", "b", "c", "shared"}));
}

}  // namespace
}  // namespace mosaren::testing
