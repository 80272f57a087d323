#include "terrain_field.h"

#include <algorithm>
#include <cstdint>

#include "periodic_noise.h"
#include "tile_settings.h"

namespace mosaren {

namespace {

// The inner square over which the field is interpolated: pixels kEdgeBand to
// kTextureSpan - kEdgeBand, each way.
constexpr std::int64_t kInnerSpan = kTextureSpan - 2 * kEdgeBand;
// Thresholds are counted in tenths of kNoiseOne: 1/2 is 5 · kNoiseOne.
constexpr std::int64_t kThresholdOne = 10 * std::int64_t{kNoiseOne};

std::int64_t IsB(Terrain terrain) { return terrain == Terrain::B ? 1 : 0; }

// u or v times kInnerSpan: the pixel's place in the inner square, held to its sides.
std::int64_t Inner(std::int32_t pixel) {
    return std::clamp<std::int64_t>(pixel - kEdgeBand, 0, kInnerSpan);
}

// f(x, y) · kInnerSpan², exactly.
std::int64_t Field(const TerrainCorners& c, std::int32_t x, std::int32_t y) {
    const std::int64_t u = Inner(x);
    const std::int64_t v = Inner(y);
    constexpr std::int64_t s = kInnerSpan;
    return IsB(c.topLeft) * (s - u) * (s - v) + IsB(c.topRight) * u * (s - v) +
           IsB(c.bottomRight) * u * v + IsB(c.bottomLeft) * (s - u) * v;
}

// t(x, y) · kThresholdOne.
std::int64_t Threshold(const TerrainBorder& border, std::int32_t x, std::int32_t y) {
    constexpr std::int64_t one = kNoiseOne;
    switch (border.edge) {
        case TerrainEdge::Noise:
            return 5 * one - 3 * std::int64_t{PeriodicNoise(border.seed, x, y)};
        case TerrainEdge::Dither:
            return 3 * one + 4 * std::int64_t{PeriodicScatter(border.seed, x, y)};
        case TerrainEdge::Straight:
            break;
    }
    return 5 * one;
}

// (f − t) · kThresholdOne · kInnerSpan², exactly.
std::int64_t Level(const TerrainCorners& corners, const TerrainBorder& border, std::int32_t x,
                   std::int32_t y) {
    return Field(corners, x, y) * kThresholdOne -
           Threshold(border, x, y) * kInnerSpan * kInnerSpan;
}

}  // namespace

std::vector<double> TerrainLevels(const TerrainCorners& corners, const TerrainBorder& border) {
    constexpr std::int32_t side = kWorkingTextureSide;
    constexpr double scale = double(kThresholdOne) * double(kInnerSpan) * double(kInnerSpan);
    std::vector<double> levels;
    levels.reserve(static_cast<std::size_t>(side) * side);
    for (std::int32_t y = 0; y < side; ++y) {
        for (std::int32_t x = 0; x < side; ++x) {
            levels.push_back(double(Level(corners, border, x, y)) / scale);
        }
    }
    return levels;
}

std::vector<Terrain> TerrainField(const TerrainCorners& corners, const TerrainBorder& border) {
    // A level keeps its sign through the division, so the choice is the exact one.
    const std::vector<double> levels = TerrainLevels(corners, border);
    std::vector<Terrain> field(levels.size());
    std::transform(levels.begin(), levels.end(), field.begin(),
                   [](double level) { return level >= 0 ? Terrain::B : Terrain::A; });
    return field;
}

}  // namespace mosaren
