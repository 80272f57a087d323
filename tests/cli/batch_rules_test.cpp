// The batch's rules as a user meets them, through the real binary, for one job and several: the
// same files and the same lines in the same order, a failure that stops the batch after the
// tiles before it and before any after it, every failure reported in order with --keep-going,
// a texture that an earlier texture's tile writes read as that tile, and two tiles of one name
// left as the later one.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "cli/support/command_line.h"
#include "support/texture_files.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;
namespace fs = std::filesystem;

constexpr TColor kRed = Rgb(200, 20, 20);
constexpr TColor kBlue = Rgb(20, 20, 200);

// What one kind of texture file a case puts into the folder is.
enum class Put { Texture, Red, Blue, Junk, Folder };

struct RulesCase {
    const char* name;
    std::vector<std::pair<std::string, Put>> files;  // in the folder before the run
    Args arguments;                                   // after "batch"
    int exitCode;
    std::string err;  // the whole of stderr
    Names after;      // every name in the folder afterwards
};

// The folder's files by name, and what the run said.
struct RunResult {
    CliRun run;
    std::map<std::string, std::vector<std::uint8_t>> files;
};

class BatchRules : public ::testing::TestWithParam<RulesCase> {
protected:
    RunResult RunWithJobs(const std::string& jobs) {
        TempFolder folder;
        std::uint32_t seed = 1;
        for (const auto& [name, put] : GetParam().files) {
            const std::string path = folder / name;
            switch (put) {
                case Put::Texture: {
                    const auto forms = AllTextureForms();
                    const TextureForm form = forms[seed % forms.size()];
                    WriteBytes(path, TextureFile(form, 40 + 37 * (seed % 9), 30 + 50 * (seed % 5), seed));
                    ++seed;
                    break;
                }
                case Put::Red: WriteSolidTexture(path, 20, 20, kRed); break;
                case Put::Blue: WriteSolidTexture(path, 20, 20, kBlue); break;
                case Put::Junk: WriteBytes(path, std::vector<std::uint8_t>(100, 'x')); break;
                case Put::Folder: fs::create_directory(path); break;
            }
        }
        Args arguments{"batch", "--jobs", jobs};
        arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
        RunResult result;
        result.run = RunCli(arguments, folder.Path().string());
        for (const std::string& name : folder.Names()) {
            if (fs::is_regular_file(folder.Path() / name)) {
                result.files[name] = FileBytes(folder.Path() / name);
            }
        }
        EXPECT_EQ(folder.Names(), GetParam().after) << "with " << jobs << " jobs";
        return result;
    }
};

TEST_P(BatchRules, HoldForOneJobAndForMany) {
    const RulesCase& c = GetParam();
    const RunResult one = RunWithJobs("1");
    EXPECT_EQ(one.run.exitCode, c.exitCode);
    EXPECT_EQ(one.run.err, c.err);
    for (const char* jobs : {"2", "7"}) {
        const RunResult many = RunWithJobs(jobs);
        EXPECT_EQ(many.run.exitCode, one.run.exitCode) << jobs;
        EXPECT_EQ(many.run.err, one.run.err) << jobs;
        EXPECT_TRUE(many.files == one.files) << "the files differ with " << jobs << " jobs";
    }
}

// n textures t1.bmp ... tn.bmp of every form, and their progress lines from the first.
std::vector<std::pair<std::string, Put>> Textures(int n) {
    std::vector<std::pair<std::string, Put>> files;
    for (int i = 1; i <= n; ++i) files.push_back({"t" + std::to_string(i) + ".bmp", Put::Texture});
    return files;
}
Args TextureNames(int from, int to) {
    Args names;
    for (int i = from; i <= to; ++i) names.push_back("t" + std::to_string(i) + ".bmp");
    return names;
}
std::string Progress(int k, int n, const std::string& texture, const std::string& tile) {
    return "[" + std::to_string(k) + "/" + std::to_string(n) + "] " + texture + " -> " + tile + "\n";
}
template <typename... Lists>
Args Join(Lists... lists) {
    Args all;
    (all.insert(all.end(), lists.begin(), lists.end()), ...);
    return all;
}
Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

// The progress lines of t<from>.bmp to t<to>.bmp, the k-th of n first.
std::string Lines(int from, int to, int k, int n) {
    std::string lines;
    for (int i = from; i <= to; ++i, ++k) {
        const std::string t = "t" + std::to_string(i);
        lines += Progress(k, n, t + ".bmp", t + "tile.bmp");
    }
    return lines;
}
// Those textures, and their tiles when written.
Names Left(int from, int to, bool withTiles) {
    Names names;
    for (int i = from; i <= to; ++i) {
        names.push_back("t" + std::to_string(i) + ".bmp");
        if (withTiles) names.push_back("t" + std::to_string(i) + "tile.bmp");
    }
    return names;
}

RulesCase EveryTileInOrder() {
    return {"EveryTileInOrder", Textures(24), TextureNames(1, 24), 0, Lines(1, 24, 1, 24),
            Sorted(Left(1, 24, true))};
}

RulesCase TheFirstFailureStopsTheBatch() {
    RulesCase c{"TheFirstFailureStopsTheBatch", Textures(20), {}, 1, {}, {}};
    c.files.push_back({"bad.bmp", Put::Junk});
    c.arguments = Join(TextureNames(1, 3), Args{"bad.bmp"}, TextureNames(4, 20));
    c.err = Lines(1, 3, 1, 21) + "mosaren-cli: bad.bmp: Bitmap image is not valid.\n";
    // No tile after it, and no temporary file of one.
    c.after = Sorted(Join(Left(1, 3, true), Left(4, 20, false), Names{"bad.bmp"}));
    return c;
}

RulesCase KeepGoingReportsEveryFailureInOrder() {
    RulesCase c{"KeepGoingReportsEveryFailureInOrder", Textures(6), {}, 1, {}, {}};
    c.files.push_back({"bad.bmp", Put::Junk});
    c.files.push_back({"btile.bmp", Put::Folder});
    c.files.push_back({"b.bmp", Put::Red});
    c.arguments = Join(Args{"--keep-going"}, TextureNames(1, 2), Args{"bad.bmp", "t3.bmp", "gone.bmp"},
                       Args{"t4.bmp", "b.bmp", "t5.bmp", "t6.bmp"});
    c.err = Lines(1, 2, 1, 9) + "mosaren-cli: bad.bmp: Bitmap image is not valid.\n" +
            Lines(3, 3, 4, 9) + "mosaren-cli: gone.bmp: Cannot open file gone.bmp.\n" +
            Lines(4, 4, 6, 9) + "mosaren-cli: b.bmp: Cannot create file btile.bmp: Is a directory.\n" +
            Lines(5, 6, 8, 9);
    c.after = Sorted(Join(Left(1, 6, true), Names{"b.bmp", "bad.bmp", "btile.bmp"}));
    return c;
}

// atile.bmp is blue before the run; a.bmp is red, so atiletile.bmp must come out red, made of
// the tile the run wrote, as one texture at a time reads it.
RulesCase AnEarlierTileIsReadAsWritten() {
    RulesCase c{"AnEarlierTileIsReadAsWritten", Textures(8), {}, 0, {}, {}};
    c.files.push_back({"a.bmp", Put::Red});
    c.files.push_back({"atile.bmp", Put::Blue});
    c.arguments = Join(Args{"--overwrite-inputs", "a.bmp"}, TextureNames(1, 8), Args{"./atile.bmp"});
    c.err = Progress(1, 10, "a.bmp", "atile.bmp") + Lines(1, 8, 2, 10) +
            Progress(10, 10, "./atile.bmp", "./atiletile.bmp");
    c.after = Sorted(Join(Left(1, 8, true), Names{"a.bmp", "atile.bmp", "atiletile.bmp"}));
    return c;
}

RulesCase TwoTilesOfOneNameEndAsTheLater() {
    RulesCase c{"TwoTilesOfOneNameEndAsTheLater", Textures(4), {}, 0, {}, {}};
    c.files.push_back({"x.bmp", Put::Red});
    c.files.push_back({"x.dib", Put::Blue});
    c.arguments = Join(Args{"--overwrite-inputs", "x.bmp"}, TextureNames(1, 4), Args{"x.dib"});
    c.err = Progress(1, 6, "x.bmp", "xtile.bmp") + Lines(1, 4, 2, 6) +
            Progress(6, 6, "x.dib", "xtile.bmp");
    c.after = Sorted(Join(Left(1, 4, true), Names{"x.bmp", "x.dib", "xtile.bmp"}));
    return c;
}

// The same of blocks, with a side face of another texture of the batch.
RulesCase Raised(RulesCase c, const char* name) {
    c.name = name;
    c.arguments = Join(Args{"--block", "12", "--left-texture", "t2.bmp"}, c.arguments);
    return c;
}

INSTANTIATE_TEST_SUITE_P(Batches, BatchRules,
                         ::testing::Values(EveryTileInOrder(), TheFirstFailureStopsTheBatch(),
                                           Raised(EveryTileInOrder(), "EveryBlockInOrder"),
                                           Raised(KeepGoingReportsEveryFailureInOrder(),
                                                  "KeepGoingReportsEveryBlockFailureInOrder"),
                                           KeepGoingReportsEveryFailureInOrder(),
                                           AnEarlierTileIsReadAsWritten(),
                                           TwoTilesOfOneNameEndAsTheLater()),
                         [](const auto& info) { return std::string(info.param.name); });

// The colours the two cases above are about.
class BatchTileContent : public CommandLine {};

TEST_F(BatchTileContent, ATextureThatIsAnEarlierTileShowsThatTile) {
    Texture("a.bmp", kRed);
    Texture("atile.bmp", kBlue);
    for (const char* name : {"b.bmp", "c.bmp", "d.bmp", "e.bmp"}) Texture(name, kBlue);
    ASSERT_EQ(Run({"batch", "-q", "--jobs", "4", "--overwrite-inputs", "a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp",
                   "atile.bmp"})
                  .exitCode,
              0);
    EXPECT_TRUE(Tile("atiletile.bmp").Contains(kRed));
    EXPECT_TRUE(Tile("atiletile.bmp").OnlyHolds({kRed, kMask}));
}

TEST_F(BatchTileContent, TwoTexturesOfOneTileNameLeaveTheLatersTile) {
    Texture("x.bmp", kRed);
    Texture("x.dib", kBlue);
    ASSERT_EQ(Run({"batch", "-q", "--jobs", "3", "--overwrite-inputs", "x.bmp", "x.dib"}).exitCode, 0);
    EXPECT_TRUE(Tile("xtile.bmp").Contains(kBlue));
    EXPECT_TRUE(Tile("xtile.bmp").OnlyHolds({kBlue, kMask}));
}

}  // namespace
}  // namespace mosaren
