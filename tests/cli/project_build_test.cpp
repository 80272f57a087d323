// The tile project through the real binary: the README's project builds to the bytes of the
// command lines it stands for; a second build writes nothing; a changed texture makes again
// exactly the outputs made of it, as a full build would; a bad project is refused with its file,
// line and key before anything is written; --watch builds again on a change and outlives a
// broken texture.

#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "cli/support/command_line.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;
namespace fs = std::filesystem;

constexpr TColor kRed = Rgb(200, 20, 20);
constexpr TColor kBlue = Rgb(20, 20, 200);
constexpr TColor kYellow = Rgb(220, 220, 30);

std::string TextOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// Every file under folder by its relative name, with its bytes.
std::map<std::string, std::vector<std::uint8_t>> Contents(const fs::path& folder) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = FileBytes(entry.path());
        }
    }
    return files;
}

// Every file under folder by its relative name, with its size and modification time: what a run
// that writes a file changes, even with the same bytes.
std::map<std::string, std::string> Stamps(const fs::path& folder) {
    std::map<std::string, std::string> stamps;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        struct stat status {};
        if (!entry.is_regular_file() || ::stat(entry.path().c_str(), &status) != 0) continue;
        stamps[fs::relative(entry.path(), folder).string()] =
            std::to_string(status.st_size) + ":" + std::to_string(status.st_mtim.tv_sec) + "." +
            std::to_string(status.st_mtim.tv_nsec) + ":" + std::to_string(status.st_ino);
    }
    return stamps;
}

// The names whose stamps differ, or that only one side has.
Names Changed(const std::map<std::string, std::string>& before,
              const std::map<std::string, std::string>& after) {
    Names changed;
    for (const auto& [name, stamp] : after) {
        const auto found = before.find(name);
        if (found == before.end() || found->second != stamp) changed.push_back(name);
    }
    for (const auto& [name, stamp] : before) {
        if (!after.count(name)) changed.push_back(name);
    }
    return changed;
}

class ProjectBuild : public CommandLine {
protected:
    // The sample textures under textures/, as the README's project expects them.
    static void SampleTextures(const TempFolder& folder) {
        fs::create_directory(folder.Path() / "textures");
        for (const char* name : {"grass.bmp", "cobbles.bmp", "water.bmp"}) {
            fs::copy_file(TestsFolder().parent_path() / "docs/examples" / name,
                          folder.Path() / "textures" / name);
        }
    }
    // A project of flat tiles of a.bmp and b.bmp, a file each, a sheet of c.bmp and d.bmp, and
    // the transitions between c and d.
    void SmallProject() {
        Texture("a.bmp", kRed);
        Texture("b.bmp", kBlue);
        Texture("c.bmp", kGreenish);
        Texture("d.bmp", kYellow);
        WriteText(mFolder.Path() / "mosaren.toml",
                  "size = \"32x16\"\n"
                  "out-dir = \"out\"\n"
                  "[terrains]\n"
                  "c = \"c.bmp\"\n"
                  "d = \"d.bmp\"\n"
                  "[sets.flat]\n"
                  "textures = [\"a.bmp\", \"b.bmp\"]\n"
                  "[sets.sheet]\n"
                  "textures = [\"c.bmp\", \"d.bmp\"]\n"
                  "sheet = \"cd.png\"\n"
                  "tsx = \"cd.tsx\"\n"
                  "[sets.shore]\n"
                  "transitions = [\"c\", \"d\"]\n"
                  "format = \"png\"\n");
    }

    // A texture replaced at once, as an editor saves it: a watch never sees it half written.
    void Replace(const std::string& name, TColor colour) {
        Texture(".next.bmp", colour);
        fs::rename(mFolder.Path() / ".next.bmp", mFolder.Path() / name);
    }

    static constexpr TColor kGreenish = Rgb(30, 160, 60);
};

TEST_F(ProjectBuild, TheReadmeProjectIsTheBytesOfItsCommandLines) {
    const fs::path example = TestsFolder().parent_path() / "docs/examples/mosaren.toml";
    const std::string project = TextOf(example);
    ASSERT_FALSE(project.empty());
    // The README shows the very file.
    EXPECT_NE(TextOf(TestsFolder().parent_path() / "README.md").find(project), std::string::npos);

    SampleTextures(mFolder);
    WriteText(mFolder.Path() / "mosaren.toml", project);
    const CliRun build = Run({"build", "-q"});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(build.out, "built ground, walls, shore, shore3, paving\n");

    TempFolder commands;
    SampleTextures(commands);
    const std::vector<Args> lines = {
        {"batch",
         "textures/cobbles.bmp",
         "textures/grass.bmp",
         "textures/water.bmp",
         "--size",
         "64x32",
         "--format",
         "png",
         "--out-dir",
         "tiles",
         "--sheet",
         "ground.png",
         "--margin",
         "2",
         "--spacing",
         "4",
         "--extrude",
         "2",
         "--tsx",
         "ground.tsx",
         "--godot",
         "ground.tres",
         "--godot-root",
         ".",
         "--map",
         "ground.tmx,ground.tscn",
         "--map-preview",
         "ground-map.png"},
        {"batch", "textures/cobbles.bmp", "--size", "64x32", "--format", "png", "--out-dir",
         "tiles", "--block", "24", "--faces", "left,right", "--shade", "1,0.8,0.6",
         "--right-texture", "textures/grass.bmp"},
        {"transitions",
         "textures/grass.bmp",
         "textures/water.bmp",
         "shore",
         "--size",
         "64x32",
         "--format",
         "png",
         "--out-dir",
         "tiles",
         "--edge",
         "noise",
         "--seed",
         "7",
         "--sheet",
         "shore.png",
         "--tsx",
         "shore.tsx",
         "--godot",
         "shore.tres",
         "--map",
         "shore.tmj"},
        {"transitions", "textures/grass.bmp", "textures/water.bmp", "shore3", "--size", "64x32",
         "--format", "png", "--out-dir", "godot3", "--edge", "noise", "--seed", "7", "--sheet",
         "shore.png", "--godot3", "shore.tres", "--map", "shore.tscn"},
        {"tile", "textures/cobbles.bmp", "paving", "--size", "64x32", "--format", "png",
         "--out-dir", "tiles", "--pieces", "2x2"},
    };
    for (const Args& line : lines) {
        const CliRun run = RunCli(line, commands.Path().string());
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    auto built = Contents(mFolder.Path() / "tiles");
    EXPECT_EQ(built.erase(".mosaren.toml.build.json"), 1u);
    const auto expected = Contents(commands.Path() / "tiles");
    EXPECT_EQ(built.size(), 15u);
    EXPECT_TRUE(built == expected);
    // The Godot 3 project of its own: sheet, import settings, tile set, scene.
    EXPECT_EQ(Contents(mFolder.Path() / "godot3"), Contents(commands.Path() / "godot3"));
    EXPECT_EQ(Contents(mFolder.Path() / "godot3").size(), 4u);
}

TEST_F(ProjectBuild, ASecondBuildWritesNothingAndSaysSo) {
    SmallProject();
    const CliRun first = Run({"build"});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out, "built flat, sheet, shore\n");
    const auto before = Stamps(mFolder.Path());

    const CliRun second = Run({"build", "mosaren.toml"});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.out, "nothing to build: every output is up to date\n");
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(Changed(before, Stamps(mFolder.Path())), Names{});
}

TEST_F(ProjectBuild, AChangedTextureMakesExactlyItsOutputsAsAFullBuildWould) {
    SmallProject();
    ASSERT_EQ(Run({"build", "-q"}).exitCode, 0);

    // A tile file of its own: only that file.
    auto before = Stamps(mFolder.Path());
    Texture("a.bmp", kYellow);
    before.erase("a.bmp");
    CliRun run = Run({"build"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "built flat (1 of 2 textures)\n");
    EXPECT_EQ(run.err, "[1/1] a.bmp -> out/atile.bmp\n");
    auto after = Stamps(mFolder.Path());
    after.erase("a.bmp");
    EXPECT_EQ(Changed(before, after), (Names{"out/.mosaren.toml.build.json", "out/atile.bmp"}));

    // A terrain in a sheet and in the transitions: both sets, nothing of the flat one.
    before = Stamps(mFolder.Path());
    Texture("d.bmp", kRed);
    run = Run({"build", "-q"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "built sheet, shore\n");
    after = Stamps(mFolder.Path());
    Names changed = Changed(before, after);
    EXPECT_EQ(changed.size(), 1u + 1u + 2u + 16u) << ::testing::PrintToString(changed);
    for (const std::string& name : changed) {
        EXPECT_TRUE(name == "d.bmp" || name == "out/.mosaren.toml.build.json" ||
                    name.rfind("out/cd.", 0) == 0 || name.rfind("out/shore_", 0) == 0)
            << name;
    }

    // What the changes made is what a build of everything makes.
    auto incremental = Contents(mFolder.Path() / "out");
    run = Run({"build", "--force", "-q"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "built flat, sheet, shore\n");
    auto full = Contents(mFolder.Path() / "out");
    EXPECT_EQ(full.size(), incremental.size());
    EXPECT_EQ(
        full.erase(".mosaren.toml.build.json") + incremental.erase(".mosaren.toml.build.json"), 2u);
    EXPECT_TRUE(full == incremental);

    // A tile removed by hand is made again; a texture gone takes its tile with it.
    fs::remove(mFolder.Path() / "out/btile.bmp");
    std::string project = TextOf(mFolder.Path() / "mosaren.toml");
    const std::string first = "\"a.bmp\", ";
    project.erase(project.find(first), first.size());
    WriteText(mFolder.Path() / "mosaren.toml", project);
    run = Run({"build", "-q"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "built flat (1 of 1 textures)\n");
    EXPECT_FALSE(Exists("out/atile.bmp"));
    EXPECT_TRUE(Exists("out/btile.bmp"));
}

struct BadProject {
    const char* name;
    const char* from;  // replaced in the good project
    const char* to;
    const char* message;  // the whole line on stderr
};

class BadProjects : public ProjectBuild, public ::testing::WithParamInterface<BadProject> {};

TEST_P(BadProjects, AreRefusedWithFileLineAndKeyWritingNothing) {
    SmallProject();
    std::string project = TextOf(mFolder.Path() / "mosaren.toml");
    const std::size_t at = project.find(GetParam().from);
    ASSERT_NE(at, std::string::npos);
    project.replace(at, std::string(GetParam().from).size(), GetParam().to);
    WriteText(mFolder.Path() / "mosaren.toml", project);
    const Names before = mFolder.Names();
    const CliRun run = Run({"build"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("mosaren-cli: ") + GetParam().message + "\n");
    EXPECT_EQ(mFolder.Names(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Project, BadProjects,
    ::testing::Values(
        BadProject{"UnknownKey",
                   "sheet = ", "sheeet = ", "mosaren.toml:10: sets.sheet.sheeet: unknown key."},
        BadProject{"UnknownTopKey", "size = ", "sise = ", "mosaren.toml:1: sise: unknown key."},
        BadProject{"WrongType", "format = \"png\"", "format = 2",
                   "mosaren.toml:14: sets.shore.format: --format '2' is not bmp or png."},
        BadProject{"SwitchNotBoolean", "format = \"png\"", "quiet = \"yes\"",
                   "mosaren.toml:14: sets.shore.quiet: wants true or false."},
        BadProject{"TableForValue", "size = \"32x16\"", "size = { w = 32 }",
                   "mosaren.toml:1: size: wants a number, a string or a list of them."},
        BadProject{"BadValue", "size = \"32x16\"", "size = \"32x0\"",
                   "mosaren.toml:1: size: --size '32x0' is not WxH with the width and the "
                   "height from 1 to 255."},
        BadProject{"MissingTexture", "\"b.bmp\"", "\"nope.bmp\"",
                   "mosaren.toml:7: sets.flat.textures: 'nope.bmp' does not exist."},
        BadProject{"PatternOfNothing", "\"b.bmp\"", "\"*.png\"",
                   "mosaren.toml:7: sets.flat.textures: '*.png' matches no file."},
        BadProject{"MissingTerrain", "d = \"d.bmp\"", "d = \"e.bmp\"",
                   "mosaren.toml:5: terrains.d: 'e.bmp' does not exist."},
        BadProject{"UnknownTerrain", "[\"c\", \"d\"]", "[\"c\", \"x\"]",
                   "mosaren.toml:13: sets.shore.transitions: 'x' is no key of [terrains]."},
        BadProject{"OptionsThatDoNotGoTogether", "tsx = \"cd.tsx\"", "extrude = 1",
                   "mosaren.toml:11: sets.sheet.extrude: --extrude 1 needs --spacing 2 or more "
                   "and --margin 1 or more: the extruded edges go into those gaps."},
        BadProject{"TwoSetsOneFile", "[sets.shore]", "[sets.shore]\nsheet = \"cd.png\"",
                   "mosaren.toml:12: sets.shore: writes 'out/cd.png', which sets.sheet writes "
                   "too."},
        BadProject{"NotToml", "[sets.flat]", "[sets.flat",
                   "mosaren.toml:6: Error while parsing table header: expected ']', saw '\\\\n'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectBuild, AMissingProjectIsRefused) {
    const CliRun run = Run({"build"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "mosaren-cli: mosaren.toml: Cannot open file, the project file.\n");
    const CliRun options = Run({"build", "--size", "8x4"});
    EXPECT_EQ(options.exitCode, 2);
    EXPECT_NE(options.err.find("--size is not for the build command"), std::string::npos);
}

// Polls, never sleeping long: until ready() or a deadline far beyond any wait a build needs.
template <typename Ready>
bool Within(Ready ready) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

TEST_F(ProjectBuild, WatchBuildsOnEveryChangeAndOutlivesABrokenTexture) {
    SmallProject();
    // stdout of the started run, as it grows: one line per build.
    StartedCli watch({"build", "--watch"}, mFolder.Path().string());
    const fs::path out = watch.OutFile();
    const auto lines = [&] { return TextOf(out); };
    ASSERT_TRUE(Within([&] { return lines() == "built flat, sheet, shore\n"; })) << lines();

    Replace("a.bmp", kYellow);
    ASSERT_TRUE(Within([&] { return lines().find("built flat (1 of 2") != std::string::npos; }))
        << lines();
    EXPECT_TRUE(Tile("out/atile.bmp").OnlyHolds({kYellow, kMask}));

    Junk(".next.bmp");
    fs::rename(mFolder.Path() / ".next.bmp", mFolder.Path() / "b.bmp");
    ASSERT_TRUE(Within([&] { return lines().find("failed flat") != std::string::npos; }))
        << lines();
    Replace("b.bmp", kRed);
    ASSERT_TRUE(Within([&] {
        return lines().find("built flat (1 of 2") != lines().rfind("built flat (1 of 2");
    })) << lines();
    EXPECT_TRUE(Tile("out/btile.bmp").OnlyHolds({kRed, kMask}));

    // The project file is watched too.
    WriteText(mFolder.Path() / "mosaren.toml",
              TextOf(mFolder.Path() / "mosaren.toml") + "[sets.more]\ntextures = \"c.bmp\"\n");
    ASSERT_TRUE(Within([&] { return lines().find("built more") != std::string::npos; })) << lines();

    ::kill(watch.Pid(), SIGINT);
    const CliRun run = watch.Wait();
    EXPECT_EQ(run.signal, SIGINT);
    EXPECT_EQ(run.err, "mosaren-cli: b.bmp: Bitmap image is not valid.\n");
    EXPECT_EQ(run.out,
              "built flat, sheet, shore\n"
              "built flat (1 of 2 textures)\n"
              "failed flat\n"
              "built flat (1 of 2 textures)\n"
              "built more\n");
}

}  // namespace
}  // namespace mosaren
