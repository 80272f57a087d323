#pragma once

// How the border between the two terrains of a transition tile is drawn: a straight cut, or one
// roughened by seeded noise or scattered as a dither. Either way the border meets each texture
// edge where the edge's two corners alone put it, so transition tiles meet without a seam.

#include <cstdint>

namespace mosaren {

enum class TerrainEdge : std::uint8_t { Straight, Noise, Dither };

struct TerrainBorder {
    TerrainEdge edge = TerrainEdge::Straight;
    std::uint32_t seed = 1;  // of the noise and of the dither
    // Which of a run's variants of each corner combination this is: variants differ inside the
    // tile and agree along its edges, so that any of them fits any neighbour.
    std::uint32_t variant = 0;
};

}  // namespace mosaren
