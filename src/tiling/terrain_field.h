#pragma once

// Which terrain each pixel of a transition tile's working texture shows.
//
// Think of the map as one plane: tile (c, r)'s working pixel (x, y) lies at c + x/254, r + y/254,
// so a tile's first row and its upper neighbour's last row lie on the same line. The field f is
// 0 at an A corner and 1 at a B corner, blended between the tile's four corners,
//     f = TL·(1 − g(u))(1 − g(v)) + TR·g(u)(1 − g(v)) + BR·g(u)·g(v) + BL·(1 − g(u))·g(v),
// with u = (x − w) / (254 − 2w) held to 0 … 1 (v likewise of y), w = kEdgeBand, and g a straight
// ramp from 0 to 1 whose two ends bend smoothly into the level (over a quarter of it each). So
// within w pixels of an edge f depends on that edge's two corners alone, within w of a vertex on
// the vertex alone, and the border has no kink where it leaves the band.
//
// A pixel shows B where f ≥ t, the threshold t being
//     straight  1/2: the border runs along the middle of each mixed edge, and round a corner
//               smoothly from one edge to the next;
//     noise     1/2 − 2/5 · n, n the seeded noise of periodic_noise.h, which repeats from tile
//               to tile and has nothing in its make-up along the tiles' edges: every tile reads
//               the same n at the same point of its square, so the border goes on across edges
//               and vertices whatever corners the tiles have;
//     dither    a number drawn from the seed for each pixel, evenly from 3/10 up to 7/10, which
//               scatters pixels of each terrain into the other along the border.
// Every tile with the same two corners on an edge shows the same pixels in its band, and they
// continue across the edge into the neighbour's. (The band is what a tile's edge pixels show:
// about ten texture rows in at 72 × 36, more for smaller tiles; it is deep enough from 12 × 6 up.)
// t stays within 1/10 … 9/10, so a corner keeps its terrain, and a tile of one terrain shows
// nothing of the other. The field is read 1/64 pixel right of and below each pixel's centre, so
// that no row or column of centres lies on a border: a 2-corner tile's middle row (127) is B.
// Where the raster leaves a pixel between two of the other terrain (left and right, or above and
// below), a step the border's line does not have, the pixel takes its neighbours' terrain (not in
// a dither, nor on a texel grid; in the band only along the edge, so the band stays the edge's).
//
// Variants (TerrainBorder::variant v > 0) differ inside the tile only: noise and dither draw from
// a seed of their own there (the noise faded in from the band's over 64 pixels); a straight
// border is bent by noise of its own, up to 24 pixels, faded in likewise.
//
// Pixel art (TerrainBorder::texelsAcross, texelsDown): each block of working pixels that shows
// one texel is decided once, at its centre, and w grows by half a block so that the bands hold.
// FollowingTexels says when a pair of textures gets a grid.
//
// Whole numbers throughout, so every machine draws the same borders.

#include <cstdint>
#include <vector>

#include "terrain_border.h"
#include "terrain_corners.h"

namespace mosaren {

// How deep the band along each edge is in which every tile with the edge's two corners shows
// the same pixels, in working pixels.
inline constexpr std::int32_t kEdgeBand = 32;

// The terrain of every working texture pixel, row by row from the top-left, 255 × 255.
std::vector<Terrain> TerrainField(const TerrainCorners& corners, const TerrainBorder& border);

// f − t at every working texture pixel, in the same order: B where it is at least 0, A elsewhere,
// exactly as TerrainField decides. Its size says how far a pixel lies from the border, so that a
// soft border can blend the terrains across it.
std::vector<double> TerrainLevels(const TerrainCorners& corners, const TerrainBorder& border);

// The fewest texels a texture may have across (or down) for its border to follow them, and the
// most: a pixel-art texture's texels are 2 to 32 working pixels wide.
inline constexpr std::int32_t kFewestGridTexels = 8;
inline constexpr std::int32_t kMostGridTexels = 128;

// The border with the texel grid of two terrain textures of these sizes: each way, when both
// textures have from kFewestGridTexels to kMostGridTexels pixels that way, the grid of the one
// with fewer (whose texels then hold whole texels of the other where one size divides the
// other), else none.
TerrainBorder FollowingTexels(TerrainBorder border, std::int32_t widthA, std::int32_t heightA,
                              std::int32_t widthB, std::int32_t heightB);

}  // namespace mosaren
