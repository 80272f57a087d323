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
    // The texel grid the border follows, 0 where each working pixel takes its own terrain: with
    // N texels across, the working pixels that show one texel of an N-pixel texture (the
    // stretch's nearest samples) all take the terrain of that texel's centre. Pixel art keeps
    // its texels whole so (terrain_field.h says when).
    std::int32_t texelsAcross = 0;
    std::int32_t texelsDown = 0;
};

}  // namespace mosaren
