#pragma once

// Which terrain each pixel of a transition tile's working texture shows.
//
// The field of a tile is 0 at an A corner and 1 at a B corner, interpolated bilinearly between
// the four corners over the inner square of the texture, pixels 32 to 222 each way, and held at
// its edge's values across the band of 32 pixels outside it: with
//     u = (x − 32) / 190 and v = (y − 32) / 190, each held to 0 … 1,
//     f(x, y) = TL·(1 − u)(1 − v) + TR·u(1 − v) + BR·u·v + BL·(1 − u)·v.
// A pixel shows B where f ≥ t(x, y) and A elsewhere. The threshold t is
//     straight  1/2;
//     noise     1/2 − 3/10 · n(x, y), n the seeded noise of periodic_noise.h, from −1 to 1;
//     dither    a number drawn from the seed for each pixel, evenly from 3/10 up to 7/10.
//
// Why the band: a tile's pixels along a diamond edge show texture pixels up to a few rows in from
// the texture's edge (about ten at 72 × 36, more for smaller tiles), not the edge row alone. In the
// band f depends only on the nearer edge's two corners (or the corner's one, where two bands
// cross), and t repeats from each edge to the opposite one (periodic_noise.h), so every tile with
// the same two corners on an edge shows the same pixels along it, and they continue across the
// edge into the neighbour's: the straight border meets each edge square, at its middle. The band is
// deep enough for tiles from 12 × 6 up.
//
// t stays between 1/5 and 4/5, so a corner's terrain holds wherever f is 0 or 1: a tile of one
// terrain shows nothing of the other, and an edge whose two corners agree shows only their
// terrain.

#include <cstdint>
#include <vector>

#include "terrain_border.h"
#include "terrain_corners.h"

namespace mosaren {

// How far the field holds its edge values into the texture, in pixels.
inline constexpr std::int32_t kEdgeBand = 32;

// The terrain of every working texture pixel, row by row from the top-left, 255 × 255.
std::vector<Terrain> TerrainField(const TerrainCorners& corners, const TerrainBorder& border);

// f − t at every working texture pixel, in the same order: B where it is at least 0, A elsewhere,
// exactly as TerrainField decides. Its size says how far a pixel lies from the border, so that a
// soft border can blend the terrains across it.
std::vector<double> TerrainLevels(const TerrainCorners& corners, const TerrainBorder& border);

}  // namespace mosaren
