// The side faces of transition blocks, read off the block pictures: with two terrains of flat,
// distinct colours and each face shaded apart, every pixel tells its face and its terrain. For
// every corner combination, border and several tile sizes, each side-face column shows only the
// terrain of the lid's edge pixel right above it, and a face begins and ends with its edge's
// corners, so that faces side by side on a map join.

#include "tiling/transition_sides.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tiling/block_gather.h"
#include "tiling/block_maker.h"
#include "tiling/transition_gather.h"

namespace mosaren {
namespace {

constexpr TColor kColourA = Rgb(200, 40, 40);
constexpr TColor kColourB = Rgb(40, 40, 200);

WorkingTexture Flat(TColor colour) {
    WorkingTexture texture;
    texture.colours.assign(kWorkingPixelCount, colour);
    return texture;
}

struct Seen {
    BlockFace face;
    Terrain terrain;
};

// What a block pixel of the default shades shows, or none for the background.
std::optional<Seen> Classify(const TilePixel& pixel, const BlockSettings& block) {
    if (pixel.coverage == 0) return std::nullopt;
    for (const BlockFace face : {BlockFace::Top, BlockFace::Left, BlockFace::Right}) {
        for (const Terrain terrain : {Terrain::A, Terrain::B}) {
            const TColor colour = terrain == Terrain::A ? kColourA : kColourB;
            if (pixel.Colour() == Shaded(colour, block.Face(face).shade))
                return Seen{face, terrain};
        }
    }
    ADD_FAILURE() << "a colour of neither terrain on any face";
    return std::nullopt;
}

struct SizeCase {
    int width;
    int height;
    int rise;
};

TEST(TransitionSides, EachSideColumnShowsTheTerrainOfTheLidEdgeAboveIt) {
    const SizeCase sizes[] = {{72, 36, 24},   {64, 32, 32}, {16, 8, 8}, {40, 30, 15},
                              {254, 127, 60}, {12, 6, 3},   {31, 17, 9}};
    const TerrainBorder borders[] = {
        {TerrainEdge::Straight, 1}, {TerrainEdge::Noise, 7}, {TerrainEdge::Dither, 3}};
    for (const SizeCase& size : sizes) {
        TTileSettings settings;
        settings.TileWidth = static_cast<std::uint8_t>(size.width);
        settings.TileHeight = static_cast<std::uint8_t>(size.height);
        BlockSettings block;
        block.height = size.rise;
        const BlockGather gather(settings, block, nullptr, nullptr);
        const TransitionSides sides(size.width, size.height);
        for (const TerrainBorder& border : borders) {
            const TransitionGather transitions(Flat(kColourA), Flat(kColourB), border);
            for (int index = 0; index < kTransitionTileCount; ++index) {
                SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) +
                             " edge " + std::to_string(static_cast<int>(border.edge)) + " tile " +
                             std::to_string(index));
                const TerrainCorners corners = TransitionCorners(index);
                const TilePixels picture = transitions.Raise(corners, 0, gather, sides);
                // Per picture column: the terrain of the lowest lid pixel, and of each side pixel.
                std::vector<std::optional<Terrain>> lid(static_cast<std::size_t>(size.width));
                std::vector<std::vector<Seen>> side(static_cast<std::size_t>(size.width));
                for (int y = 0; y < picture.height; ++y) {
                    for (int x = 0; x < picture.width; ++x) {
                        const std::optional<Seen> seen = Classify(picture.At(x, y), block);
                        if (!seen) continue;
                        const auto column = static_cast<std::size_t>(x);
                        if (seen->face == BlockFace::Top) {
                            lid[column] = seen->terrain;
                        } else {
                            side[column].push_back(*seen);
                        }
                    }
                }
                std::vector<Terrain> left;
                std::vector<Terrain> right;
                for (std::size_t x = 0; x < side.size(); ++x) {
                    if (side[x].empty()) continue;
                    const Terrain shown = side[x].front().terrain;
                    for (const Seen& seen : side[x]) {
                        ASSERT_EQ(seen.terrain, shown) << "column " << x << " mixes terrains";
                    }
                    // The outermost columns of some sizes have no lid pixel above them.
                    if (lid[x]) {
                        ASSERT_EQ(shown, *lid[x]) << "column " << x;
                    }
                    (side[x].front().face == BlockFace::Left ? left : right).push_back(shown);
                }
                // The faces run from the left vertex to the bottom one and on to the right one.
                ASSERT_FALSE(left.empty());
                ASSERT_FALSE(right.empty());
                EXPECT_EQ(left.front(), corners.bottomLeft);
                EXPECT_EQ(left.back(), corners.bottomRight);
                EXPECT_EQ(right.front(), corners.bottomRight);
                EXPECT_EQ(right.back(), corners.topRight);
                if (border.edge != TerrainEdge::Straight) continue;
                // A straight border crosses each mixed edge once.
                for (const std::vector<Terrain>* face : {&left, &right}) {
                    int changes = 0;
                    for (std::size_t i = 1; i < face->size(); ++i)
                        changes += (*face)[i] != (*face)[i - 1];
                    EXPECT_EQ(changes, face->front() == face->back() ? 0 : 1);
                }
            }
        }
    }
}

// A face the settings give a texture of its own shows it, whatever the lid; the other face
// still follows its lid edge.
TEST(TransitionSides, GiveWayToASideTextureOfTheSettings) {
    TTileSettings settings;
    BlockSettings block;
    block.height = 20;
    const WorkingTexture wall = Flat(Rgb(90, 200, 90));
    const BlockGather gather(settings, block, &wall, nullptr);
    const TransitionSides sides(settings.TileWidth, settings.TileHeight);
    const TransitionGather transitions(Flat(kColourA), Flat(kColourB), TerrainBorder{});
    // Tile 15: B alone.
    const TilePixels picture = transitions.Raise(TransitionCorners(15), 0, gather, sides);
    int walls = 0;
    int rightB = 0;
    for (const TilePixel& pixel : picture.pixels) {
        walls += pixel.Colour() == Shaded(Rgb(90, 200, 90), block.Face(BlockFace::Left).shade);
        rightB += pixel.Colour() == Shaded(kColourB, block.Face(BlockFace::Right).shade);
    }
    EXPECT_GT(walls, 0);
    EXPECT_GT(rightB, 0);
}

}  // namespace
}  // namespace mosaren
