// What a careless or hostile command line meets: outputs that would overwrite inputs or each
// other, files whose few bytes claim huge pictures, a FIFO in place of a texture, a run stopped
// by a signal, a dangling link as a save name, a sheet too large to make, and control
// characters in file names.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "cli/support/command_line.h"

namespace mosaren::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Le(std::uint64_t value, int bytes) {
    std::vector<std::uint8_t> out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    return out;
}

// A BMP file of a 40-byte header claiming width × height, with its colour table and the few
// pixel bytes given: a picture of gigabytes in under a hundred bytes.
std::vector<std::uint8_t> BombFile(std::int32_t width, std::int32_t height, int bits,
                                   std::uint32_t compression, std::uint32_t colours,
                                   const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> info;
    for (const auto& [value, size] : std::vector<std::pair<std::uint64_t, int>>{
             {40, 4}, {static_cast<std::uint32_t>(width), 4}, {static_cast<std::uint32_t>(height), 4},
             {1, 2}, {static_cast<std::uint64_t>(bits), 2}, {compression, 4}, {0, 4}, {0, 4}, {0, 4},
             {colours, 4}, {0, 4}}) {
        const auto bytes = Le(value, size);
        info.insert(info.end(), bytes.begin(), bytes.end());
    }
    std::vector<std::uint8_t> table;
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::uint8_t grey = static_cast<std::uint8_t>(i * 255 / std::max(1u, colours - 1));
        table.insert(table.end(), {grey, grey, grey, 0});
    }
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(table.size());
    std::vector<std::uint8_t> file{'B', 'M'};
    for (const auto& part : {Le(offset + data.size(), 4), Le(0, 4), Le(offset, 4)}) {
        file.insert(file.end(), part.begin(), part.end());
    }
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), table.begin(), table.end());
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// ----- Outputs that collide -----

struct Collision {
    const char* name;
    Args arguments;
    const char* complaint;  // a part of the message, which names both files
};

class CollidingOutputs : public CommandLine, public ::testing::WithParamInterface<Collision> {};

TEST_P(CollidingOutputs, AreRefusedBeforeAnyFileIsTouched) {
    Texture("t.bmp", Rgb(10, 200, 30));
    Texture("b.bmp", Rgb(200, 10, 30));
    Texture("btile.bmp", Rgb(30, 10, 200));
    Texture("grass.bmp", Rgb(30, 100, 20));
    Texture("a.bmp", Rgb(100, 10, 30));
    Texture("c.bmp", Rgb(10, 100, 30));
    fs::create_symlink("t.bmp", mFolder.Path() / "link.bmp");
    fs::create_hard_link(mFolder.Path() / "t.bmp", mFolder.Path() / "hard.bmp");
    Junk("o.tsx");
    fs::create_hard_link(mFolder.Path() / "o.tsx", mFolder.Path() / "same.png");
    // Dangling links: writing through each creates the file it names.
    fs::create_symlink("atile.bmp", mFolder.Path() / "prev.png");
    fs::create_symlink("prev.png", mFolder.Path() / "chain.png");
    fs::create_symlink("t.png", mFolder.Path() / "o1.png");
    fs::create_symlink("./t.png", mFolder.Path() / "o2.png");
    fs::create_symlink("ctile.png", mFolder.Path() / "set.tsx");
    const Names before = mFolder.Names();
    const auto t = FileBytes(mFolder / "t.bmp");

    const CliRun run = Run(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find(GetParam().complaint), std::string::npos) << run.err;
    EXPECT_EQ(mFolder.Names(), before);
    EXPECT_EQ(FileBytes(mFolder / "t.bmp"), t);
}

INSTANTIATE_TEST_SUITE_P(
    EachWay, CollidingOutputs,
    ::testing::Values(
        Collision{"TilesetOverTexture", {"--format", "png", "--tsx", "t.bmp", "batch", "t.bmp"},
                  "the texture 't.bmp' and --tsx 't.bmp' are the same file"},
        Collision{"TilesetOverSheet", {"--format", "png", "--sheet", "s.png", "--tsx", "s.png", "batch", "t.bmp"},
                  "--sheet 's.png' and --tsx 's.png' are the same file"},
        Collision{"PreviewOverSheet", {"--sheet", "s.png", "--map-preview", "./s.png", "batch", "t.bmp"},
                  "--sheet 's.png' and --map-preview './s.png' are the same file"},
        Collision{"TilesetOverTile", {"--format", "png", "--tsx", "ttile.png", "batch", "t.bmp"},
                  "the tile 'ttile.png' of 't.bmp' and --tsx 'ttile.png' are the same file"},
        Collision{"SheetOverTextureByLink", {"--sheet", "link.bmp", "batch", "t.bmp"},
                  "the texture 't.bmp' and --sheet 'link.bmp' are the same file"},
        Collision{"TileOverLaterTexture", {"batch", "b.bmp", "btile.bmp"},
                  "the tile 'btile.bmp' of 'b.bmp' would replace the texture 'btile.bmp'; give "
                  "--overwrite-inputs"},
        Collision{"TileOverItsTexture", {"tile", "grass.bmp", "grass"},
                  "the tile 'grass.bmp' of 'grass.bmp' would replace the texture 'grass.bmp'"},
        Collision{"TilesetOverSecondTerrain",
                  {"--format", "png", "--tsx", "b.bmp", "transitions", "t.bmp", "b.bmp", "tr"},
                  "the texture 'b.bmp' and --tsx 'b.bmp' are the same file"},
        Collision{"PreviewThroughDanglingLinkOverTile", {"--map-preview", "prev.png", "batch", "a.bmp"},
                  "the tile 'atile.bmp' of 'a.bmp' and --map-preview 'prev.png' are the same file"},
        Collision{"PreviewThroughChainOverTile", {"--map-preview", "chain.png", "batch", "a.bmp"},
                  "the tile 'atile.bmp' of 'a.bmp' and --map-preview 'chain.png' are the same file"},
        Collision{"TwoDanglingLinksToOneFile",
                  {"--format", "png", "--sheet", "o1.png", "--map-preview", "o2.png", "batch", "t.bmp"},
                  "--sheet 'o1.png' and --map-preview 'o2.png' are the same file"},
        Collision{"TilesetThroughDanglingLinkOverTile",
                  {"--format", "png", "--tsx", "set.tsx", "batch", "c.bmp"},
                  "the tile 'ctile.png' of 'c.bmp' and --tsx 'set.tsx' are the same file"},
        Collision{"TwoMapsOneFile",
                  {"--format", "png", "--tsx", "t.tsx", "--map", "m.tmx,./m.tmx", "batch", "t.bmp"},
                  "--map 'm.tmx' and --map './m.tmx' are the same file"},
        Collision{"SheetOverHardLinkOfTexture", {"--sheet", "hard.bmp", "batch", "t.bmp"},
                  "the texture 't.bmp' and --sheet 'hard.bmp' are the same file"},
        Collision{"HardLinksAsTwoOutputs",
                  {"--format", "png", "--sheet", "s.png", "--tsx", "o.tsx", "--map-preview", "same.png", "batch", "b.bmp"},
                  "--tsx 'o.tsx' and --map-preview 'same.png' are the same file"},
        Collision{"TwoTexturesOneTile", {"batch", "t.bmp", "t.dib"},
                  "the tile 'ttile.bmp' of 't.bmp' and the tile 'ttile.bmp' of 't.dib' are the same file"}),
    [](const auto& info) { return std::string(info.param.name); });

// A texture that the run holds open under a /proc/self/fd name (a script's "3<t.bmp") is the
// texture's file: the run's own open file, which it inherits.
TEST_F(CommandLine, ProcNameOfATextureIsThatTexture) {
    Texture("t.bmp", Rgb(10, 200, 30));
    const int fd = ::open((mFolder / "t.bmp").c_str(), O_RDONLY);  // inherited
    ASSERT_GE(fd, 0);
    const std::string name = "/proc/self/fd/" + std::to_string(fd);
    const auto t = FileBytes(mFolder / "t.bmp");
    const CliRun run = Run({"--sheet", name, "batch", "t.bmp"});
    ::close(fd);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("the texture 't.bmp' and --sheet '" + name + "' are the same file"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(FileBytes(mFolder / "t.bmp"), t);
}

TEST_F(CommandLine, TileOverTextureGoesAheadWhenAllowed) {
    Texture("b.bmp", Rgb(200, 10, 30));
    Texture("btile.bmp", Rgb(30, 10, 200));
    const CliRun run = Run({"-q", "--overwrite-inputs", "batch", "b.bmp", "btile.bmp"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Exists("btiletile.bmp"));
}

TEST_F(CommandLine, SheetTooLargeIsRefusedBeforeTheFirstTile) {
    Args arguments{"--size", "255x255", "--sheet", "s.png", "--spacing", "255", "batch"};
    for (int i = 0; i < 2000; ++i) arguments.push_back("missing" + std::to_string(i) + ".bmp");
    const CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--sheet 's.png' of 2000 tiles would be"), std::string::npos) << run.err;
    EXPECT_TRUE(mFolder.Names().empty());
}

// ----- Files that claim far more than they hold -----

struct Bomb {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    int bits;
    std::uint32_t compression;
    std::uint32_t colours;
    std::vector<std::uint8_t> data;
};

// AddressSanitizer reserves terabytes of address space for its shadow at start, and its build
// is unoptimised: under it only the time is limited, and more loosely.
#if defined(__SANITIZE_ADDRESS__)
constexpr unsigned long long kMemoryLimit = 0;
constexpr unsigned kSeconds = 120;
#else
constexpr unsigned long long kMemoryLimit = 1ull << 30;
constexpr unsigned kSeconds = 10;
#endif

class Bombs : public CommandLine,
              public ::testing::WithParamInterface<std::tuple<Bomb, bool>> {};

// Either the tile is made or the file is refused with a line naming it; within 1 GiB of address
// space and 10 seconds, on the tile engine and on the tile maker's path (blocks take it).
TEST_P(Bombs, StayWithinMemoryAndTime) {
    const auto& [bomb, blocks] = GetParam();
    WriteBytes(mFolder / "bomb.bmp",
               BombFile(bomb.width, bomb.height, bomb.bits, bomb.compression, bomb.colours, bomb.data));
    Args arguments{"--jobs", "1", "-q"};
    if (blocks) arguments.insert(arguments.end(), {"--block", "8"});
    arguments.insert(arguments.end(), {"batch", "bomb.bmp"});
    const CliRun run = RunCli(arguments, mFolder.Path().string(), ChildLimits{kMemoryLimit, kSeconds});
    EXPECT_EQ(run.signal, 0) << "killed by signal " << run.signal;
    if (run.exitCode == 0) {
        EXPECT_TRUE(Exists("bombtile.bmp"));
    } else {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.rfind("mosaren-cli: bomb.bmp: ", 0), 0u) << run.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachClaim, Bombs,
    ::testing::Combine(
        ::testing::Values(Bomb{"Mono2147483647x1", 2147483647, 1, 1, 0, 2, {}},
                          Bomb{"Mono92000Square", 92000, 92000, 1, 0, 2, {}},
                          Bomb{"Mono32x268435456", 32, 268435456, 1, 0, 2, {0xF0, 0, 0, 0}},
                          Bomb{"Rle8Square16384", 16384, 16384, 8, 1, 1, {0, 0, 0, 1}},
                          Bomb{"Rle8Wide", 268435455, 1, 8, 1, 2, {0xFF, 1, 0, 1}},
                          Bomb{"Rle8WhiteBackground", 16384, 16384, 8, 1, 2, {0, 1}},
                          Bomb{"Rle4Huge", 32767, 32767, 4, 2, 2, {0xFF, 0x12, 0, 1}},
                          Bomb{"Rgb16Odd", 134217733, 3, 16, 0, 0, {0x12, 0x34, 0x56, 0x78}},
                          Bomb{"Rgb32Square16384", 16384, 16384, 32, 0, 0, {}}),
        ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Block" : "Flat");
    });

// A picture of one bit per pixel larger than the working texture is shrunk by the tile maker's
// stretch, which holds it whole: one that the tile command refuses (it would hold it as 24 bits)
// the batch refuses too, with the same reason, at once.
TEST_F(CommandLine, HugeMonochromeIsRefusedByTheBatchAsByTheTileCommand) {
    WriteBytes(mFolder / "bomb.bmp", BombFile(92000, 92000, 1, 0, 2, {}));
    const CliRun tile = RunCli({"tile", "bomb.bmp", "out"}, mFolder.Path().string(), ChildLimits{0, 10});
    EXPECT_EQ(tile.exitCode, 1);
    // One wording for a lack of memory, with the file's name, from either command.
    EXPECT_EQ(tile.err, "mosaren-cli: bomb.bmp: Out of memory.\n");
    const CliRun batch = RunCli({"batch", "bomb.bmp"}, mFolder.Path().string(), ChildLimits{kMemoryLimit, kSeconds});
    EXPECT_EQ(batch.signal, 0) << "killed by signal " << batch.signal;
    EXPECT_EQ(batch.exitCode, 1);
    EXPECT_EQ(batch.err, tile.err);
}

// ----- Special files and links -----

TEST_F(CommandLine, FifoAsTextureFailsInsteadOfHanging) {
    Texture("good.bmp", Rgb(10, 200, 30));
    ASSERT_EQ(::mkfifo((mFolder / "x.bmp").c_str(), 0600), 0);
    for (const Args& arguments : {Args{"--keep-going", "-q", "batch", "good.bmp", "x.bmp"},
                                  Args{"tile", "x.bmp", "out"}}) {
        const CliRun run = RunCli(arguments, mFolder.Path().string(), ChildLimits{0, 10});
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("Cannot open file x.bmp."), std::string::npos) << run.err;
    }
    EXPECT_TRUE(Exists("goodtile.bmp"));
}

TEST_F(CommandLine, DanglingLinkAsSaveNameIsWrittenThrough) {
    Texture("t.bmp", Rgb(10, 200, 30));
    fs::create_directory(mFolder.Path() / "made");
    fs::create_symlink("made/target.bmp", mFolder.Path() / "out.bmp");
    const CliRun run = Run({"tile", "t.bmp", "out"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(mFolder.Path() / "out.bmp"));
    EXPECT_EQ(Tile("made/target.bmp").width, 72);
}

TEST_F(CommandLine, ControlCharactersInNamesAreEscapedInItsLines) {
    Texture("a\nb.bmp", Rgb(10, 200, 30));
    const CliRun run = Run({"batch", "a\nb.bmp", "c\\d\x1b.bmp"});
    EXPECT_EQ(run.err,
              "[1/2] a\\nb.bmp -> a\\nbtile.bmp\n"
              "mosaren-cli: c\\\\d\\x1b.bmp: Cannot open file c\\\\d\\x1b.bmp.\n");
    EXPECT_TRUE(Exists("a\nbtile.bmp"));
}

// A name cannot drive the terminal it is shown on: the 8-bit CSI as a raw byte or as U+009B, a
// bidirectional override and the line separator are shown as escapes; letters of any script and
// bytes outside UTF-8 that a terminal prints stay as they are.
TEST_F(CommandLine, CharactersTerminalsActOnAreEscapedInItsLines) {
    const CliRun run = Run({"batch", "--keep-going", "a\x9b" "b.bmp", "c\xc2\x9b" "d.bmp",
                            "e\xe2\x80\xae" "f\xe2\x80\xa8.bmp", "тайл\xe9.bmp"});
    EXPECT_EQ(run.err,
              "mosaren-cli: a\\x9bb.bmp: Cannot open file a\\x9bb.bmp.\n"
              "mosaren-cli: c\\u{9b}d.bmp: Cannot open file c\\u{9b}d.bmp.\n"
              "mosaren-cli: e\\u{202e}f\\u{2028}.bmp: Cannot open file "
              "e\\u{202e}f\\u{2028}.bmp.\n"
              "mosaren-cli: тайл\xe9.bmp: Cannot open file тайл\xe9.bmp.\n");
}

// ----- A run stopped from outside -----

class InterruptedBatch : public CommandLine, public ::testing::WithParamInterface<int> {};

TEST_P(InterruptedBatch, LeavesNoTemporaryFilesAndOnlyWholeTiles) {
    Args arguments{"--jobs", "2", "-q", "--size", "255x255", "batch"};
    for (int i = 0; i < 400; ++i) {
        const std::string name = "t" + std::to_string(i) + ".bmp";
        Texture(name, Rgb(i % 256, 100, 50), 256);
        arguments.push_back(name);
    }
    StartedCli started(arguments, mFolder.Path().string(), ChildLimits{0, 60});
    // Once some tiles are in place, while others are on their way.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Exists("t20tile.bmp") && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ::kill(started.Pid(), GetParam());
    const CliRun run = started.Wait();

    EXPECT_EQ(run.signal, GetParam());
    for (const std::string& name : mFolder.Names()) {
        EXPECT_EQ(name.rfind(".mosaren-", 0), std::string::npos) << name;
        if (name.find("tile.bmp") != std::string::npos) {
            const BmpPicture tile = Tile(name);
            EXPECT_EQ(tile.width, 255) << name;
            EXPECT_EQ(tile.height, 255) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachSignal, InterruptedBatch, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) { return std::string(::sigabbrev_np(info.param)); });

}  // namespace
}  // namespace mosaren::testing
