#pragma once

// What turns a flat tile into a block: its height, which of its three faces show, how each face
// is shaded, and the textures of the two side faces. A block is the flat tile raised into a box
// seen from the usual isometric view: the tile as its lid, a left and a right face below it.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace mosaren {

enum class BlockFace : std::uint8_t { Top, Left, Right };
inline constexpr std::size_t kBlockFaceCount = 3;

// A face's shading factor in millionths, so that a factor typed as a decimal fraction ("0.8")
// is held exactly and every machine shades alike.
inline constexpr std::int32_t kWholeShade = 1'000'000;

struct FaceLook {
    bool shown = true;
    std::int32_t shade = kWholeShade;  // 0 to kWholeShade
};

struct BlockSettings {
    // How far the block rises above its footprint, in pixels; 0 makes flat tiles.
    std::int32_t height = 0;
    // By face: light from the upper left, so the lid is lit fully and the right face least.
    std::array<FaceLook, kBlockFaceCount> faces{
        {{true, kWholeShade}, {true, 800'000}, {true, 600'000}}};
    // The side faces' texture files; empty: the texture the tile itself is made from.
    std::string leftTexture;
    std::string rightTexture;

    bool MakesBlocks() const { return height > 0; }
    const FaceLook& Face(BlockFace face) const { return faces[static_cast<std::size_t>(face)]; }
    FaceLook& Face(BlockFace face) { return faces[static_cast<std::size_t>(face)]; }
};

// The height that makes a tile's block a cube. The 2:1 diamond's cube rises half the tile's
// width (64 × 32 gives the classic 64 × 64 cube). A diamond of another shape is the same square
// seen from another elevation, whose sine is H / W: the upright edges shrink as its cosine does,
// down to nothing for a square seen from straight above. At least 1 pixel, at most 255.
inline std::int32_t CubeHeight(std::int32_t tileWidth, std::int32_t tileHeight) {
    const double sine = std::min(1.0, static_cast<double>(tileHeight) / tileWidth);
    const double cosineAt2To1 = std::sqrt(3.0) / 2.0;
    const double height = tileWidth / 2.0 * std::sqrt(1.0 - sine * sine) / cosineAt2To1;
    return std::clamp(static_cast<std::int32_t>(std::lround(height)), 1, 255);
}

}  // namespace mosaren
