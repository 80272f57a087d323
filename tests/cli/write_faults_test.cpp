// What the disk, the pipe and other runs do to a run while it writes, through the real binary:
// batches over one folder at once, a replaced tile's file that carries attributes of its own, a
// reader of stderr that goes away, tiles on two file systems in one group, a disk that fills
// up under a sheet, and one that takes no writes at all.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "cli/support/command_line.h"
#include "support/png_picture.h"
#include "support/requirements.h"

namespace mosaren::testing {
namespace {

namespace fs = std::filesystem;

// A tmpfs of a few megabytes mounted on a folder for the test's time: a small disk that fills
// up, and a file system of its own. Needs the right to mount (root, as on the build machines):
// without it the test is skipped where it may be, and fails in CI, which must run it.
class SmallDisk {
public:
    SmallDisk(const fs::path& folder, const std::string& size) : mFolder(folder) {
        fs::create_directories(folder);
        const std::string options = "size=" + size + ",mode=0777";
        mMounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mMounted) ::umount2(mFolder.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mMounted; }

private:
    fs::path mFolder;
    bool mMounted = false;
};

#define REQUIRE_MOUNTED(disk) \
    MOSAREN_REQUIRE((disk).Mounted(), "cannot mount a tmpfs here (the test needs root)")

bool IsTemporary(const std::string& name) { return name.rfind(".mosaren-", 0) == 0; }

// The names of a folder and its subfolders, relative to it.
Names AllNames(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.push_back(fs::relative(entry.path(), folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Textures x0.bmp ... x<n-1>.bmp, each of a colour of its own, and their names.
Args WriteTextures(const TempFolder& folder, int n, int side) {
    Args names;
    for (int i = 0; i < n; ++i) {
        names.push_back("x" + std::to_string(i) + ".bmp");
        WriteSolidTexture(folder / names.back(), side, side, Rgb(i % 251, (i / 251) * 20, 90));
    }
    return names;
}

// ----- Two runs over one folder -----

// Batches of other settings over the same 2,000 textures at once (three, which meet in their
// renames far more often than two), again and again: each tile file afterwards is one texture's
// tile of one run or another, whole, and a file of its own (the spare files a run recycles are
// never taken by two). On a tmpfs, where the flushes cost nothing, so that the runs overlap in
// their renames rather than wait for the disk.
TEST(ConcurrentRuns, EndAsOneRunAfterTheOther) {
    constexpr int kTextures = 2000;
    constexpr int kRuns = 3;
    TempFolder top;
    const SmallDisk disk(top.Path() / "runs", "64m");
    REQUIRE_MOUNTED(disk);
    Args textures;
    const auto run = [&textures](int k) {
        Args arguments{"-q", "--size", std::to_string(16 + 2 * k) + "x" + std::to_string(8 + k), "batch"};
        arguments.insert(arguments.end(), textures.begin(), textures.end());
        return arguments;
    };
    const auto textureFolder = [&](const std::string& name) {
        const fs::path folder = top.Path() / "runs" / name;
        fs::create_directory(folder);
        textures.clear();
        for (int i = 0; i < kTextures; ++i) {
            textures.push_back("x" + std::to_string(i) + ".bmp");
            WriteSolidTexture(folder / textures.back(), 4, 4, Rgb(i % 251, (i / 251) * 20, 90));
        }
        return folder;
    };
    const auto tileName = [](int i) { return "x" + std::to_string(i) + "tile.bmp"; };
    // What each run writes on its own.
    std::vector<std::map<std::string, std::vector<std::uint8_t>>> alone(kRuns);
    for (int k = 0; k < kRuns; ++k) {
        const fs::path folder = textureFolder("alone" + std::to_string(k));
        ASSERT_EQ(RunCli(run(k), folder.string()).exitCode, 0);
        for (int i = 0; i < kTextures; ++i) alone[k][tileName(i)] = FileBytes(folder / tileName(i));
    }

    const fs::path folder = textureFolder("together");
    // Tiles in place already, so that every run replaces and recycles them.
    ASSERT_EQ(RunCli(run(0), folder.string()).exitCode, 0);
    int shared = 0, mixed = 0;
#if defined(__SANITIZE_ADDRESS__)
    constexpr int kRounds = 2;  // the sanitizer's build is many times slower
#else
    constexpr int kRounds = 6;
#endif
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::unique_ptr<StartedCli>> started;
        for (int k = 0; k < kRuns; ++k) {
            started.push_back(std::make_unique<StartedCli>(run((k + round) % kRuns), folder.string()));
        }
        for (const auto& one : started) {
            const CliRun result = one->Wait();
            ASSERT_EQ(result.exitCode, 0) << result.err;
        }
        for (int i = 0; i < kTextures; ++i) {
            struct stat info {};
            ASSERT_EQ(::stat((folder / tileName(i)).c_str(), &info), 0) << tileName(i);
            if (info.st_nlink != 1) ++shared;
            const auto bytes = FileBytes(folder / tileName(i));
            bool known = false;
            for (const auto& tiles : alone) known = known || bytes == tiles.at(tileName(i));
            if (!known) ++mixed;
        }
        for (const std::string& name : FolderNames(folder)) EXPECT_FALSE(IsTemporary(name)) << name;
    }
    EXPECT_EQ(shared, 0) << "tile files that another tile name shares";
    EXPECT_EQ(mixed, 0) << "tile files holding no run's tile of their texture";
}

// ----- Recycled files -----

// A replaced tile's file takes a later tile's content; it brings nothing of its own along: an
// extended attribute, a named ACL entry or its permissions stay with no other tile.
TEST(RecycledFiles, CarryNothingOver) {
    TempFolder folder;
    const Args textures = WriteTextures(folder, 40, 8);
    Args arguments{"-q", "--jobs", "1", "batch"};
    arguments.insert(arguments.end(), textures.begin(), textures.end());
    ASSERT_EQ(RunCli(arguments, folder.Path().string()).exitCode, 0);
    const std::string marked = folder / "x0tile.bmp";
    MOSAREN_REQUIRE(::setxattr(marked.c_str(), "user.mosaren-test", "1", 1, 0) == 0,
                    "the file system of " << folder.Path() << " takes no user extended attributes");
    // A named ACL entry, reading for the user nobody, in the kernel's form of an access ACL.
    const std::string shared = folder / "x3tile.bmp";
    const auto entry = [](std::uint16_t tag, std::uint16_t permissions, std::uint32_t id) {
        std::vector<std::uint8_t> bytes(8);
        std::memcpy(&bytes[0], &tag, 2);
        std::memcpy(&bytes[2], &permissions, 2);
        std::memcpy(&bytes[4], &id, 4);
        return bytes;
    };
    std::vector<std::uint8_t> acl{2, 0, 0, 0};
    for (const auto& part : {entry(0x01, 6, ~0u), entry(0x02, 4, 65534), entry(0x04, 4, ~0u),
                             entry(0x10, 4, ~0u), entry(0x20, 4, ~0u)}) {
        acl.insert(acl.end(), part.begin(), part.end());
    }
    MOSAREN_REQUIRE(::setxattr(shared.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0,
                    "the file system of " << folder.Path() << " takes no ACL");
    ASSERT_EQ(::chmod((folder / "x1tile.bmp").c_str(), 0600), 0);
    struct stat before {};
    ASSERT_EQ(::stat((folder / "x2tile.bmp").c_str(), &before), 0);

    ASSERT_EQ(RunCli(arguments, folder.Path().string()).exitCode, 0);
    for (int i = 0; i < 40; ++i) {
        const std::string tile = folder / ("x" + std::to_string(i) + "tile.bmp");
        EXPECT_EQ(::listxattr(tile.c_str(), nullptr, 0), 0) << tile << " carries an attribute";
        // The ACL's mask set x3tile.bmp's group permissions, which its new file keeps.
        const bool ownAcl = i == 3;
        struct stat info {};
        ASSERT_EQ(::stat(tile.c_str(), &info), 0);
        // Each replaced tile keeps the permissions its own file had.
        if (!ownAcl) {
            EXPECT_EQ(info.st_mode & 07777, i == 1 ? 0600u : before.st_mode & 07777) << tile;
        }
        EXPECT_EQ(info.st_uid, ::geteuid());
    }
}

// ----- A reader that goes away -----

// "batch ... 2>&1 | head -n 2": the run ends as SIGPIPE ends a program in a pipeline, and takes
// its temporary files with it, the replaced tiles kept for recycling included.
TEST(BrokenPipe, EndsTheRunAsTheSignalAndLeavesNothingBehind) {
    TempFolder folder;
    const Args textures = WriteTextures(folder, 300, 64);
    Args arguments{"-q", "--size", "128x64", "batch"};
    arguments.insert(arguments.end(), textures.begin(), textures.end());
    ASSERT_EQ(RunCli(arguments, folder.Path().string()).exitCode, 0);

    // With SIGPIPE as the shell leaves it, and ignored (as some services start programs): then
    // the run ends with status 1, and leaves nothing all the same.
    for (const auto& [trap, expected] : {std::pair{"", 128 + SIGPIPE}, std::pair{"trap '' PIPE; ", 1}}) {
        const std::string command = std::string(trap) + "cd '" + folder.Path().string() + "' && '" MOSAREN_CLI_PATH
                                    "' --jobs 2 --size 128x64 batch x*[0-9].bmp 2>&1 | head -n 2 >/dev/null;"
                                    " echo \\${PIPESTATUS[0]}";
        const std::string shell = "bash -c \"" + command + "\"";
        FILE* pipe = ::popen(shell.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        char status[16] = {};
        ASSERT_NE(std::fgets(status, sizeof status, pipe), nullptr);
        ::pclose(pipe);
        EXPECT_EQ(std::atoi(status), expected) << "the run's exit status, " << trap;
        for (const std::string& name : folder.Names()) EXPECT_FALSE(IsTemporary(name)) << name;
    }
}

// ----- Two file systems in one group -----

// One texture in a tmpfs folder, one in a folder on the disk: both tiles go in one group, and
// the system calls the run makes (traced by strace) flush each file system before any rename,
// and each folder after.
TEST(TwoFileSystems, EachIsFlushedBeforeItsTilesAreReported) {
    TempFolder folder;
    const SmallDisk disk(folder.Path() / "fast", "4m");
    REQUIRE_MOUNTED(disk);
    WriteSolidTexture(folder / "fast/a.bmp", 16, 16, Rgb(10, 200, 30));
    WriteSolidTexture(folder / "b.bmp", 16, 16, Rgb(200, 10, 30));
    WriteSolidTexture(folder / "fast/c.bmp", 16, 16, Rgb(30, 10, 200));
    // Sanitizers' leak check cannot stop a traced process; it has nothing to do with this.
    const std::string command = "cd '" + folder.Path().string() +
                                "' && strace -f -qq -y -E ASAN_OPTIONS=detect_leaks=0 -o trace.txt "
                                "-e trace=syncfs,fdatasync,fsync,rename '" MOSAREN_CLI_PATH
                                "' batch fast/a.bmp b.bmp fast/c.bmp 2>err.txt";
    ASSERT_EQ(std::system(command.c_str()), 0) << FileBytes(folder.Path() / "err.txt").size();
    std::ifstream trace(folder.Path() / "trace.txt");
    ASSERT_TRUE(trace) << "strace is needed (tools/setup installs it)";
    const std::string fast = (folder.Path() / "fast").string() + "/";
    const std::string slow = folder.Path().string() + "/";
    bool fastFlushed = false, slowFlushed = false, renamed = false;
    bool fastFolder = false, slowFolder = false;
    std::string line;
    while (std::getline(trace, line)) {
        const bool flush = line.find("syncfs(") != std::string::npos ||
                           line.find("fdatasync(") != std::string::npos;
        if (flush && !renamed) {
            if (line.find("<" + fast + ".mosaren-") != std::string::npos) fastFlushed = true;
            if (line.find("<" + slow + ".mosaren-") != std::string::npos) slowFlushed = true;
        }
        if (line.find("rename(") != std::string::npos) renamed = true;
        if (line.find("fsync(") != std::string::npos && line.find("fdatasync(") == std::string::npos) {
            if (line.find("<" + fast.substr(0, fast.size() - 1) + ">") != std::string::npos) fastFolder = true;
            if (line.find("<" + slow.substr(0, slow.size() - 1) + ">") != std::string::npos) slowFolder = true;
        }
    }
    EXPECT_TRUE(renamed);
    EXPECT_TRUE(fastFlushed) << "the tmpfs tiles' content was not flushed before the renames";
    EXPECT_TRUE(slowFlushed) << "the disk tile's content was not flushed before the renames";
    EXPECT_TRUE(fastFolder && slowFolder) << "a folder was not flushed";
}

// ----- A disk that takes no writes, and one that fills up -----

// The file that could not be made is named with the system's reason.
TEST(ReadOnlyDisk, ATileThatCannotBeMadeIsNamedWithTheReason) {
    TempFolder folder;
    const SmallDisk disk(folder.Path() / "ro", "1m");
    REQUIRE_MOUNTED(disk);
    ASSERT_EQ(::mount(nullptr, (folder.Path() / "ro").c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    WriteTexture(folder / "t.bmp", 8, 8, [](int x, int y) { return Rgb(x * 30, y * 30, 90); });
    for (const Args& arguments : {Args{"tile", "t.bmp", "ro/out"}, Args{"batch", "--sheet", "ro/s.png", "t.bmp"}}) {
        const CliRun run = RunCli(arguments, folder.Path().string());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(": Read-only file system.\n"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("mosaren-cli: Cannot create file ro/"), std::string::npos) << run.err;
    }
}

// 150 tiles into a PNG sheet on a disk of 5 MB: the sheet (a few hundred kilobytes) fits, and the
// tiles waiting for it take none of the disk's room.
TEST(FullDisk, ASheetThatFitsIsWritten) {
    TempFolder folder;
    const SmallDisk disk(folder.Path() / "small", "5m");
    REQUIRE_MOUNTED(disk);
    Args arguments{"-q", "--sheet", "small/s.png", "batch"};
    for (int i = 0; i < 150; ++i) {
        const std::string name = "g" + std::to_string(i) + ".bmp";
        WriteTexture(folder / name, 64, 64, [i](int x, int y) {
            return Rgb((x * 7 + i * 13) % 256, (y * 11 + i) % 256, (x * y + i * 3) % 256);
        });
        arguments.push_back(name);
    }
    const CliRun run = RunCli(arguments, folder.Path().string());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(AllNames(folder.Path() / "small"), (Names{"s.png"}));
    const PngPicture sheet = ReadPngFile(folder.Path() / "small/s.png");
    EXPECT_EQ(sheet.width % 13, 0) << "a sheet of 13 columns";
}

// A sheet the disk cannot hold: the message names the file and says why; nothing is left.
TEST(FullDisk, ASheetThatDoesNotFitIsNamedWithTheReason) {
    TempFolder folder;
    const SmallDisk disk(folder.Path() / "small", "1m");
    REQUIRE_MOUNTED(disk);
    // Room for some kilobytes only, and textures of noise, which no PNG makes small.
    WriteBytes(folder.Path() / "small/filler", std::vector<std::uint8_t>(1024 * 1024 - 64 * 1024, 1));
    Args arguments{"--sheet", "small/s.png", "batch"};
    for (int i = 0; i < 40; ++i) {
        const std::string name = "g" + std::to_string(i) + ".bmp";
        WriteTexture(folder / name, 64, 64, [i](int x, int y) {
            const unsigned h = (static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u ^
                                static_cast<unsigned>(i) * 83492791u) * 2654435761u;
            return Rgb(h >> 24, (h >> 16) & 255, (h >> 8) & 255);
        });
        arguments.push_back(name);
    }
    const CliRun run = RunCli(arguments, folder.Path().string());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("mosaren-cli: Cannot write small/s.png: No space left on device.\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(AllNames(folder.Path() / "small"), Names{"filler"});
}

}  // namespace
}  // namespace mosaren::testing
