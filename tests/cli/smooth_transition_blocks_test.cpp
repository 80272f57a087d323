// Smooth transition blocks through the real binary: every block of the run, in every variant,
// against the independent reference block (the terrains blended by the tile's field, each side
// face the blend continued down from the lid's edge above it, each face's texels carried forward
// onto its parallelogram); the lid is the flat smooth transition tile; the map preview takes
// the blocks; and the side faces of neighbouring blocks join where the nearest
// blocks' do.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "cli/support/command_line.h"
#include "cli/support/generated_textures.h"
#include "tiling/terrain_field.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

Texel Gradient(int x, int y, std::mt19937&) { return Opaque(30 + x * 3, 150 + y, 40 + x + y); }
Texel Checker(int x, int y, std::mt19937&) {
    return (x + y) % 2 ? Opaque(240, 230, 20) : Opaque(20, 30, 200);
}
Texel Holes(int x, int y, std::mt19937& r) {
    const bool hole = (x / 4 + y / 6) % 3 == 0;
    return {static_cast<std::uint8_t>(r() % 256), static_cast<std::uint8_t>(200 - x * 3),
            static_cast<std::uint8_t>(y * 5), static_cast<std::uint8_t>(hole ? 0 : 120 + r() % 136)};
}

struct BlockCase {
    const char* name;
    int sideA;
    TexelAt texelA;
    int sideB;  // divides sideA
    TexelAt texelB;
    bool png;  // PNG textures with alpha, else 24-bit BMP files
    TerrainEdge edge;
    const char* feather;
    int tileWidth;
    int tileHeight;
    int rise;
    const char* faces;
    const char* shades;
    TexelAt leftTexel;  // a left texture of its own (a BMP file), or none
    int variants;
};

const BlockCase kCases[] = {
    {"NoiseFeatheredTwoVariants", 48, Gradient, 24, Noise, false, TerrainEdge::Noise, "3", 64, 32,
     16, "top,left,right", "1,0.8,0.6", nullptr, 2},
    {"StraightCubeAlphaHoles", 40, Holes, 20, Gradient, true, TerrainEdge::Straight, "2", 48, 24,
     24, "top,left,right", "1,0.7,0.5", nullptr, 1},
    {"HardBorderLeftTexture", 32, Noise, 32, Gradient, false, TerrainEdge::Straight, "0", 40, 20,
     12, "top,left,right", "1,0.9,0.4", Checker, 1},
    {"WideFeatherWallOddSize", 40, Gradient, 40, Checker, false, TerrainEdge::Noise, "8", 33, 17,
     11, "left,right", "1,1,0.75", nullptr, 1},
};

const char* EdgeName(TerrainEdge edge) {
    return edge == TerrainEdge::Noise ? "noise" : edge == TerrainEdge::Dither ? "dither" : "straight";
}

double ShadeOf(const std::string& shades, int face) {
    std::size_t start = 0;
    for (int i = 0; i < face; ++i) start = shades.find(',', start) + 1;
    return std::stod(shades.substr(start));
}

std::string TileFile(const std::string& stem, int index, int variant) {
    std::string name = stem + (index < 10 ? "_0" : "_") + std::to_string(index);
    if (variant > 0) name += "_v" + std::to_string(variant);
    return name + ".png";
}

// Whether pixel (x, y) of a tile w × h lies wholly above the lid's lower edges, where a block
// shows its lid alone.
bool AboveLowerEdges(int x, int y, int w, int h) {
    const auto lowerEdge = [&](double at) {
        return h / 2.0 + h / 2.0 * (1.0 - std::abs(2.0 * at / w - 1.0));
    };
    return y + 1 <= std::min(lowerEdge(x), lowerEdge(x + 1));
}

class SmoothTransitionBlocks : public CommandLine,
                               public ::testing::WithParamInterface<BlockCase> {};

TEST_P(SmoothTransitionBlocks, MatchTheReferenceWithTheFlatTileForLid) {
    const BlockCase& c = GetParam();
    const ReferenceTexture a = MakeTexture(c.sideA, c.texelA, 3, c.png);
    const ReferenceTexture b = MakeTexture(c.sideB, c.texelB, 4, c.png);
    const std::string extension = c.png ? ".png" : ".bmp";
    WriteTextureFile(mFolder.Path() / ("a" + extension), a, c.png);
    WriteTextureFile(mFolder.Path() / ("b" + extension), b, c.png);
    const std::string size = std::to_string(c.tileWidth) + "x" + std::to_string(c.tileHeight);
    Args flat{"transitions", "-q",         "--filter",   "smooth",     "--format",
              "png",         "--size",     size,         "--edge",     EdgeName(c.edge),
              "--feather",   c.feather,    "--variants", std::to_string(c.variants)};
    Args block = flat;
    block.insert(block.end(), {"--block", std::to_string(c.rise), "--faces", c.faces, "--shade",
                               c.shades, "--jobs", "2", "--map-preview", "map.png"});
    ReferenceTexture left;
    if (c.leftTexel) {
        left = MakeTexture(24, c.leftTexel, 9, false);
        WriteTextureFile(mFolder.Path() / "left.bmp", left, false);
        block.insert(block.end(), {"--left-texture", "left.bmp"});
    }
    flat.insert(flat.end(), {"a" + extension, "b" + extension, "flat"});
    block.insert(block.end(), {"a" + extension, "b" + extension, "block"});
    const CliRun flatRun = Run(flat);
    ASSERT_EQ(flatRun.exitCode, 0) << flatRun.err;
    const CliRun blockRun = Run(block);
    ASSERT_EQ(blockRun.exitCode, 0) << blockRun.err;
    EXPECT_TRUE(Exists("map.png"));

    const std::string faces = c.faces;
    const bool lid = faces.find("top") != std::string::npos;
    for (int variant = 0; variant < c.variants; ++variant) {
        for (int index = 0; index < kTransitionTileCount; ++index) {
            const std::string name = TileFile("block", index, variant);
            SCOPED_TRACE(name);
            const TerrainBorder border{c.edge, 1, static_cast<std::uint32_t>(variant)};
            const ReferenceTransition textures = ReferenceTransitionTextures(
                a, b, TerrainLevels(TransitionCorners(index), border), std::stod(c.feather),
                c.tileWidth, c.tileHeight);
            ReferenceBlockFaces blockFaces;
            blockFaces.withAlpha = c.png;
            const char* faceNames[3] = {"top", "left", "right"};
            const ReferenceTexture* faceTextures[3] = {
                &textures.lid, c.leftTexel ? &left : &textures.left, &textures.right};
            for (int f = 0; f < 3; ++f) {
                if (faces.find(faceNames[f]) == std::string::npos) continue;
                blockFaces.textures[f] = faceTextures[f];
                blockFaces.shades[f] = ShadeOf(c.shades, f);
            }
            const PngPicture made = Png(name);
            ASSERT_EQ(made.width, c.tileWidth);
            ASSERT_EQ(made.height, c.tileHeight + c.rise);
            EXPECT_GE(SmoothPsnr(made, ReferenceSmoothBlock(blockFaces, c.tileWidth, c.tileHeight,
                                                            c.rise)),
                      40.0);
            if (!lid) continue;
            // Where the lid shows alone, it is the flat tile's very pixels.
            const PngPicture tile = Png(TileFile("flat", index, variant));
            for (int y = 0; y < c.tileHeight; ++y) {
                for (int x = 0; x < c.tileWidth; ++x) {
                    if (!AboveLowerEdges(x, y, c.tileWidth, c.tileHeight)) continue;
                    ASSERT_EQ(made.At(x, y), tile.At(x, y)) << x << "," << y;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Terrains, SmoothTransitionBlocks, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The colours at the two ends of each side face of each of the 16 blocks, in the face's middle
// row: left face from the left vertex to the bottom one, right face from the bottom vertex to
// the right one.
struct FaceEnds {
    std::array<TColor, 4> colours;  // left face's first, its last, right face's first, its last
};

FaceEnds EndsOf(const PngPicture& block, int w, int h, int rise) {
    const int high = h / 2 + rise / 2 + 1;  // under a left or right vertex
    const int low = h + rise / 2 - 1;       // under the bottom vertex
    return FaceEnds{{block.At(0, high).colour, block.At(w / 2 - 1, low).colour,
                     block.At(w / 2, low).colour, block.At(w - 1, high).colour}};
}

int Difference(TColor a, TColor b) {
    return std::max({std::abs(int(RedOf(a)) - int(RedOf(b))),
                     std::abs(int(GreenOf(a)) - int(GreenOf(b))),
                     std::abs(int(BlueOf(a)) - int(BlueOf(b)))});
}

// With solid terrains, each side face ends in the terrain of the lid's vertex above that end, as
// the nearest blocks' faces do: blocks that share a vertex on the map show the same colour
// where their faces meet under it, and blocks whose corners there differ do not.
TEST_F(CommandLine, SmoothTransitionBlockFacesJoinWhereNearestOnesDo) {
    constexpr TColor kGrass = Rgb(40, 140, 30);
    constexpr TColor kSand = Rgb(220, 200, 120);
    WriteSolidTexture(mFolder / "grass.bmp", 32, 32, kGrass);
    WriteSolidTexture(mFolder / "sand.bmp", 32, 32, kSand);
    const Args common{"transitions", "-q",       "--format", "png",       "--size", "64x32",
                      "--block",     "16",       "--edge",   "noise",     "--seed", "5"};
    Args nearest = common;
    nearest.insert(nearest.end(), {"grass.bmp", "sand.bmp", "n"});
    Args smooth = common;
    smooth.insert(smooth.end(), {"--filter", "smooth", "--feather", "4", "grass.bmp", "sand.bmp", "s"});
    for (const Args& args : {nearest, smooth}) {
        const CliRun run = Run(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    std::array<FaceEnds, kTransitionTileCount> ends;
    std::array<FaceEnds, kTransitionTileCount> pixelled;
    for (int index = 0; index < kTransitionTileCount; ++index) {
        ends[static_cast<std::size_t>(index)] = EndsOf(Png(TileFile("s", index, 0)), 64, 32, 16);
        pixelled[static_cast<std::size_t>(index)] = EndsOf(Png(TileFile("n", index, 0)), 64, 32, 16);
    }
    // Each end is wholly the terrain the nearest block's end shows: the colour of block 0's end
    // (all grass) or of block 15's (all sand).
    for (std::size_t index = 0; index < ends.size(); ++index) {
        for (std::size_t e = 0; e < 4; ++e) {
            const TColor nearest = pixelled[index].colours[e];
            const bool sand = Difference(nearest, pixelled[15].colours[e]) <
                              Difference(nearest, pixelled[0].colours[e]);
            EXPECT_LE(Difference(ends[index].colours[e], ends[sand ? 15 : 0].colours[e]), 2)
                << "block " << index << " end " << e;
        }
    }
    // Block q is the upper-left neighbour of block p along their left faces (p's left vertex is
    // q's bottom one), and the upper-right neighbour along their right faces (p's right vertex is
    // q's bottom one). Bits of a tile's index: 1 the left vertex, 2 the bottom, 4 the right.
    for (int p = 0; p < kTransitionTileCount; ++p) {
        for (int q = 0; q < kTransitionTileCount; ++q) {
            const FaceEnds& at = ends[static_cast<std::size_t>(p)];
            const FaceEnds& by = ends[static_cast<std::size_t>(q)];
            const bool leftShared = ((p & 1) != 0) == ((q & 2) != 0);
            const bool rightShared = ((p & 4) != 0) == ((q & 2) != 0);
            EXPECT_EQ(Difference(at.colours[0], by.colours[1]) <= 2, leftShared) << p << " " << q;
            EXPECT_EQ(Difference(at.colours[3], by.colours[2]) <= 2, rightShared) << p << " " << q;
        }
    }
}

// A project's transitions set with a block and the smooth filter makes the command line's
// blocks, byte for byte.
TEST_F(CommandLine, ProjectMakesSmoothTransitionBlocks) {
    WriteSolidTexture(mFolder / "a.bmp", 32, 32, Rgb(40, 60, 30));
    WriteSolidTexture(mFolder / "b.bmp", 32, 32, Rgb(200, 220, 150));
    WriteBytes(mFolder / "mosaren.toml", [] {
        const std::string text =
            "size = \"32x16\"\nformat = \"png\"\nout-dir = \"project\"\n"
            "[terrains]\na = \"a.bmp\"\nb = \"b.bmp\"\n"
            "[sets.shore]\ntransitions = [\"a\", \"b\"]\nfilter = \"smooth\"\nblock = 10\n";
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }());
    const CliRun build = Run({"build", "-q", "mosaren.toml"});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    const CliRun run = Run({"transitions", "--filter", "smooth", "--block", "10", "--size",
                            "32x16", "--format", "png", "a.bmp", "b.bmp", "shore"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (int index = 0; index < kTransitionTileCount; ++index) {
        const std::string name = TileFile("shore", index, 0);
        EXPECT_EQ(Png("project/" + name).height, 26) << name;
        EXPECT_TRUE(FileBytes(mFolder.Path() / "project" / name) == FileBytes(mFolder.Path() / name))
            << name;
    }
}

}  // namespace
}  // namespace mosaren
