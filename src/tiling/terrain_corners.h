#pragma once

// The 16 transition tiles between two terrains, A and B: one for each way of giving the four
// corners of the texture to A or to B. The turn puts the texture's top-left corner at the
// diamond's top vertex, its top-right corner at the right vertex, bottom-right at the bottom and
// bottom-left at the left, so a tile's corners are the terrains at its diamond's vertices, and
// two tiles that share a vertex on the map must agree on it.

#include <cstdint>

namespace mosaren {

enum class Terrain : std::uint8_t { A, B };

struct TerrainCorners {
    Terrain topLeft = Terrain::A;      // the diamond's top vertex
    Terrain topRight = Terrain::A;     // its right vertex
    Terrain bottomRight = Terrain::A;  // its bottom vertex
    Terrain bottomLeft = Terrain::A;   // its left vertex
    friend bool operator==(const TerrainCorners&, const TerrainCorners&) = default;
};

inline constexpr int kTransitionTileCount = 16;

// A run makes from 1 to this many variants of each of the 16 tiles.
inline constexpr int kMostTransitionVariants = 8;

// Tile i has the corners of the bits of i = 8·TL + 4·TR + 2·BR + BL, a bit 1 for B: tile 0 is
// all A, tile 15 all B, tile 3 A along the top edge and B along the bottom one.
constexpr TerrainCorners TransitionCorners(int index) {
    auto bit = [index](int weight) { return (index & weight) != 0 ? Terrain::B : Terrain::A; };
    return TerrainCorners{bit(8), bit(4), bit(2), bit(1)};
}

}  // namespace mosaren
