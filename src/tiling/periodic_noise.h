#pragma once

// Seeded noise that repeats across the working texture: its value at a pixel of the first row is
// its value at the same pixel of the last row, and likewise for the first and last columns. A
// tile's texture edge and the opposite edge of its neighbour lie on the same line of the map, so
// noise of this kind reads the same along both. Whole numbers throughout, so that every machine
// draws the same borders.

#include <cstdint>

namespace mosaren {

// The distance from the working texture's first pixel centre to its last, in pixels: 254. The
// edge fields and the noise are laid out over it, so that the first and the last row (and
// column) are exactly the texture's edges.
inline constexpr std::int32_t kTextureSpan = 254;

// The noise's values lie from -kNoiseOne to kNoiseOne.
inline constexpr std::int32_t kNoiseOne = 4096;

// Smooth value noise of three octaves, of 2, 4 and 8 cells across the texture, weighted 4, 2
// and 1: at each cell corner a value drawn from the seed, smoothly interpolated between. Each
// octave's lattice lies off the texture's edges (and off the others'), so that no edge or corner
// of the texture is a line or point where every octave flattens at once. x and y are pixels of
// the working texture, 0 to kTextureSpan.
std::int32_t PeriodicNoise(std::uint32_t seed, std::int32_t x, std::int32_t y);
// The same of another stream of the seed: streams are independent noises of one seed.
std::int32_t PeriodicNoise(std::uint32_t seed, std::uint32_t stream, std::int32_t x,
                           std::int32_t y);

// A number from 0 to kNoiseOne - 1 drawn from the seed for each pixel, the same for the first and
// the last row (and column).
std::int32_t PeriodicScatter(std::uint32_t seed, std::int32_t x, std::int32_t y);

// A seed of its own for each variant: variant 0 is the seed itself.
std::uint32_t VariantSeed(std::uint32_t seed, std::uint32_t variant);

}  // namespace mosaren
