#include "periodic_noise.h"

#include <array>
#include <cstdint>

namespace mosaren {

namespace {

// SplitMix64's finaliser: every bit of the input reaches every bit of the output.
std::uint64_t Mix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t Draw(std::uint32_t seed, std::uint32_t stream, std::uint32_t x, std::uint32_t y) {
    return Mix(Mix(Mix((std::uint64_t{seed} << 32) | stream) ^ x) ^ (std::uint64_t{y} << 32));
}

// The smoothstep 3t² − 2t³ of t = offset / kTextureSpan, from 0 to kNoiseOne.
std::int64_t Smooth(std::int64_t offset) {
    constexpr std::int64_t s = kTextureSpan;
    return (3 * offset * offset * s - 2 * offset * offset * offset) * kNoiseOne / (s * s * s);
}

// One octave of `cells` cells across the texture, from -kNoiseOne to kNoiseOne, its lattice
// moved by (shiftX, shiftY) / kTextureSpan of a cell: smooth value noise is flat across its
// lattice lines, so lines of the lattice along the texture's edges would flatten every octave
// there at once and make the tiles' edges and vertices show.
std::int64_t Octave(std::uint32_t seed, std::uint32_t octave, std::int32_t cells,
                    std::int32_t shiftX, std::int32_t shiftY, std::int32_t x, std::int32_t y) {
    // The pixel's place in cell units is (x · cells + shift) / kTextureSpan: cell i, offset
    // r / kTextureSpan into it. The cell corners wrap at `cells`, so x = kTextureSpan lands where
    // x = 0 does.
    const std::int32_t px = x * cells + shiftX;
    const std::int32_t py = y * cells + shiftY;
    const std::int32_t i = px / kTextureSpan;
    const std::int32_t j = py / kTextureSpan;
    const std::int64_t wx = Smooth(px % kTextureSpan);
    const std::int64_t wy = Smooth(py % kTextureSpan);
    auto corner = [&](std::int32_t ci, std::int32_t cj) {
        const std::uint64_t drawn = Draw(seed, octave, static_cast<std::uint32_t>(ci % cells),
                                         static_cast<std::uint32_t>(cj % cells));
        return static_cast<std::int64_t>(drawn % (2 * kNoiseOne + 1)) - kNoiseOne;
    };
    const std::int64_t top = corner(i, j) * (kNoiseOne - wx) + corner(i + 1, j) * wx;
    const std::int64_t bottom = corner(i, j + 1) * (kNoiseOne - wx) + corner(i + 1, j + 1) * wx;
    return (top * (kNoiseOne - wy) + bottom * wy) / (std::int64_t{kNoiseOne} * kNoiseOne);
}

}  // namespace

std::int32_t PeriodicNoise(std::uint32_t seed, std::int32_t x, std::int32_t y) {
    return PeriodicNoise(seed, 0, x, y);
}

std::int32_t PeriodicNoise(std::uint32_t seed, std::uint32_t stream, std::int32_t x,
                           std::int32_t y) {
    struct Layer {
        std::int32_t cells;
        std::int64_t weight;
        std::int32_t shiftX;
        std::int32_t shiftY;
    };
    constexpr std::array<Layer, 3> layers{{{2, 4, 97, 173}, {4, 2, 151, 41}, {8, 1, 59, 211}}};
    std::int64_t sum = 0;
    std::int64_t weights = 0;
    for (std::uint32_t k = 0; k < layers.size(); ++k) {
        // Stream 0's octaves are streams 0 to 2, as they always were.
        sum += layers[k].weight * Octave(seed, stream * 4 + k, layers[k].cells, layers[k].shiftX,
                                         layers[k].shiftY, x, y);
        weights += layers[k].weight;
    }
    return static_cast<std::int32_t>(sum / weights);
}

std::int32_t PeriodicScatter(std::uint32_t seed, std::int32_t x, std::int32_t y) {
    // A stream of its own, apart from the octaves'.
    constexpr std::uint32_t kScatterStream = 0xD17E;
    return static_cast<std::int32_t>(Draw(seed, kScatterStream,
                                          static_cast<std::uint32_t>(x % kTextureSpan),
                                          static_cast<std::uint32_t>(y % kTextureSpan)) %
                                     kNoiseOne);
}

std::uint32_t VariantSeed(std::uint32_t seed, std::uint32_t variant) {
    if (variant == 0) return seed;
    return static_cast<std::uint32_t>(Mix((std::uint64_t{variant} << 32) | seed) >> 32);
}

}  // namespace mosaren
