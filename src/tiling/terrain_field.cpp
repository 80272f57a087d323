#include "terrain_field.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "periodic_noise.h"
#include "raster/stretch_samples.h"
#include "tile_settings.h"

namespace mosaren {

namespace {

constexpr std::int32_t kSide = kWorkingTextureSide;
// Points of the plane are counted in 1/kSub pixels.
constexpr std::int64_t kSub = 64;
// The field is read this far (in 1/kSub pixels) right of and below each pixel's centre, so that
// a border through a row or column of centres takes it whole rather than leaving a line of the
// other terrain: a 2-corner tile's middle row (127) is B, as it always was.
constexpr std::int64_t kNudge = 1;
// s(u) and weights run from 0 to kOne.
constexpr std::int64_t kOne = 65536;
// How far in from the band a variant's own bend fades in, in pixels.
constexpr std::int64_t kVariantFade = 64;
// How far a variant's own bend of a straight border moves a point, at most, in pixels.
constexpr std::int64_t kVariantWarp = 24;
// How far the noise moves the threshold, in tenths: t from 1/2 − 4/10 to 1/2 + 4/10.
constexpr std::int64_t kThresholdNoise = 40;
// The level a pixel smoothed off a step takes: just across 0, on its new side.
constexpr double kStepLevel = 1e-9;
// The noise streams of the bend's two directions.
constexpr std::uint32_t kAcrossStream = 1;
constexpr std::uint32_t kDownStream = 2;

std::int64_t IsB(Terrain terrain) { return terrain == Terrain::B ? 1 : 0; }

// The smoothstep 3t² − 2t³ of t = offset / span, from 0 to kOne; offset held to 0 … span.
std::int64_t Smooth(std::int64_t offset, std::int64_t span) {
    const std::int64_t t = std::clamp<std::int64_t>(offset, 0, span) * kOne / span;
    return t * t / kOne * (3 * kOne - 2 * t) / kOne;
}

// g(u) of u = offset / span, from 0 to kOne; offset held to 0 … span: a straight ramp whose
// two ends bend smoothly into the level, over a quarter of the span each, so that the border
// leaves the band without a kink. g(1/2) = 1/2 and g(1 − u) = 1 − g(u).
std::int64_t Ramp(std::int64_t offset, std::int64_t span) {
    const std::int64_t u = std::clamp<std::int64_t>(offset, 0, span);
    const std::int64_t bend = span / 4;
    const std::int64_t scale = 2 * bend * (span - bend);
    if (u <= bend) return u * u * kOne / scale;
    if (u >= span - bend) return kOne - (span - u) * (span - u) * kOne / scale;
    return (2 * u - bend) * kOne / (2 * (span - bend));
}

// Where each working pixel is decided along one axis: the point (in 1/kSub pixels) and the
// pixel whose noise bends it. Without a grid, its own centre; with one, its texel's centre.
struct Axis {
    std::array<std::int64_t, kSide> point{};
    std::array<std::int32_t, kSide> pixel{};
    std::int64_t halfBlock = 0;  // in pixels, rounded up
};

Axis AxisOf(std::int32_t texels) {
    Axis axis;
    if (texels <= 0) {
        for (std::int32_t x = 0; x < kSide; ++x) {
            axis.point[static_cast<std::size_t>(x)] = x * kSub;
            axis.pixel[static_cast<std::size_t>(x)] = x;
        }
        return axis;
    }
    const std::vector<std::int32_t> samples = StretchSamples(kSide, texels);
    for (std::int32_t first = 0; first < kSide;) {
        std::int32_t last = first;
        while (last + 1 < kSide && samples[static_cast<std::size_t>(last + 1)] ==
                                       samples[static_cast<std::size_t>(first)]) {
            ++last;
        }
        axis.halfBlock = std::max<std::int64_t>(axis.halfBlock, (last - first + 2) / 2);
        for (std::int32_t x = first; x <= last; ++x) {
            axis.point[static_cast<std::size_t>(x)] = (first + last) * kSub / 2;
            axis.pixel[static_cast<std::size_t>(x)] = (first + last) / 2;
        }
        first = last + 1;
    }
    return axis;
}

class Field {
public:
    Field(const TerrainCorners& corners, const TerrainBorder& border)
        : mCorners(corners),
          mBorder(border),
          mAcross(AxisOf(border.texelsAcross)),
          mDown(AxisOf(border.texelsDown)),
          mBand(kEdgeBand + std::max(mAcross.halfBlock, mDown.halfBlock)),
          mHold(mBand * kSub),
          mInner(kTextureSpan * kSub - 2 * mHold) {}

    // (f − t) · 10 · kOne², exactly.
    std::int64_t Level(std::int32_t x, std::int32_t y) const {
        const std::int32_t px = mAcross.pixel[static_cast<std::size_t>(x)];
        const std::int32_t py = mDown.pixel[static_cast<std::size_t>(y)];
        std::int64_t qx = mAcross.point[static_cast<std::size_t>(x)] + kNudge;
        std::int64_t qy = mDown.point[static_cast<std::size_t>(y)] + kNudge;
        if (mBorder.edge == TerrainEdge::Dither) {
            const std::uint32_t seed =
                Inside(px, py) ? VariantSeed(mBorder.seed, mBorder.variant) : mBorder.seed;
            return 10 * F(qx, qy) -
                   (3 * kOne * kOne + 4 * kOne * kOne * PeriodicScatter(seed, px, py) / kNoiseOne);
        }
        const auto [dx, dy] = Bend(px, py);
        qx += dx;
        qy += dy;
        const std::int64_t noise = mBorder.edge == TerrainEdge::Noise ? ThresholdNoise(px, py) : 0;
        const std::int64_t threshold = 5 * kOne * kOne - noise;
        return 10 * F(qx, qy) - threshold;
    }

private:
    // f · kOne² at a point of the plane, in 1/kSub pixels from the tile's first pixel centre.
    std::int64_t F(std::int64_t qx, std::int64_t qy) const {
        const std::int64_t su = Ramp(qx - mHold, mInner);
        const std::int64_t sv = Ramp(qy - mHold, mInner);
        const TerrainCorners& c = mCorners;
        return IsB(c.topLeft) * (kOne - su) * (kOne - sv) + IsB(c.topRight) * su * (kOne - sv) +
               IsB(c.bottomRight) * su * sv + IsB(c.bottomLeft) * (kOne - su) * sv;
    }

    // How far inside the band the pixel lies, in pixels: 0 in it.
    std::int64_t Depth(std::int32_t px, std::int32_t py) const {
        const std::int32_t nearest = std::min({px, py, kTextureSpan - px, kTextureSpan - py});
        return std::max<std::int64_t>(0, nearest - mBand);
    }
    bool Inside(std::int32_t px, std::int32_t py) const { return Depth(px, py) > 0; }

    // d(p) in 1/kSub pixels: a variant's bend of a straight border, faded in from the band.
    std::pair<std::int64_t, std::int64_t> Bend(std::int32_t px, std::int32_t py) const {
        if (mBorder.edge != TerrainEdge::Straight || mBorder.variant == 0) return {0, 0};
        const std::int64_t fade = Smooth(Depth(px, py), kVariantFade);
        if (fade == 0) return {0, 0};
        const std::uint32_t seed = VariantSeed(mBorder.seed, mBorder.variant);
        auto bend = [&](std::uint32_t stream) {
            return std::int64_t{PeriodicNoise(seed, stream, px, py)} * kVariantWarp * kSub /
                   kNoiseOne * fade / kOne;
        };
        return {bend(kAcrossStream), bend(kDownStream)};
    }

    // 4/10 · n · 10 · kOne²: the noise n of the seed, and inside the tile a variant's own faded
    // in over it.
    std::int64_t ThresholdNoise(std::int32_t px, std::int32_t py) const {
        const std::int64_t n0 = PeriodicNoise(mBorder.seed, px, py);
        std::int64_t n = n0;
        if (mBorder.variant != 0) {
            const std::int64_t fade = Smooth(Depth(px, py), kVariantFade);
            const std::int64_t nv =
                PeriodicNoise(VariantSeed(mBorder.seed, mBorder.variant), px, py);
            n = n0 + (nv - n0) * fade / kOne;
        }
        return kThresholdNoise * kOne * kOne / 10 * n / kNoiseOne;
    }

    TerrainCorners mCorners;
    TerrainBorder mBorder;
    Axis mAcross;
    Axis mDown;
    std::int64_t mBand;   // in pixels
    std::int64_t mHold;   // w, in 1/kSub pixels
    std::int64_t mInner;  // 254 − 2w, in 1/kSub pixels
};

// A pixel between two of the other terrain, left and right or above and below, is a step of the
// raster, not of the border: it goes to its neighbours' terrain, its level just across 0. Where
// the test would read beyond the band (an edge row, the band's last row) it looks along the edge
// only, so that the band stays the edge corners' own.
void SmoothOffSteps(std::vector<double>& levels, std::int32_t band) {
    const std::vector<double> before = levels;
    auto isB = [&before](std::int32_t x, std::int32_t y) {
        return before[static_cast<std::size_t>(y * kSide + x)] >= 0;
    };
    auto depth = [](std::int32_t p) { return std::min(p, kTextureSpan - p); };
    for (std::int32_t y = 0; y < kSide; ++y) {
        for (std::int32_t x = 0; x < kSide; ++x) {
            const bool b = isB(x, y);
            // Across x (left and right) reads columns x ± 1: not beyond an edge or the band.
            const bool acrossX =
                depth(x) != 0 && depth(x) != band - 1 && isB(x - 1, y) != b && isB(x + 1, y) != b;
            const bool acrossY =
                depth(y) != 0 && depth(y) != band - 1 && isB(x, y - 1) != b && isB(x, y + 1) != b;
            if (!acrossX && !acrossY) continue;
            levels[static_cast<std::size_t>(y * kSide + x)] = b ? -kStepLevel : kStepLevel;
        }
    }
}

}  // namespace

std::vector<double> TerrainLevels(const TerrainCorners& corners, const TerrainBorder& border) {
    const Field field(corners, border);
    constexpr double scale = 10.0 * double(kOne) * double(kOne);
    std::vector<double> levels;
    levels.reserve(static_cast<std::size_t>(kSide) * kSide);
    for (std::int32_t y = 0; y < kSide; ++y) {
        for (std::int32_t x = 0; x < kSide; ++x) {
            levels.push_back(double(field.Level(x, y)) / scale);
        }
    }
    // A dither scatters single pixels by design; a texel grid decides blocks, not pixels.
    const bool grid = border.texelsAcross != 0 || border.texelsDown != 0;
    if (border.edge != TerrainEdge::Dither && !grid) {
        // A step smoothed off can leave one beside it: twice.
        SmoothOffSteps(levels, kEdgeBand);
        SmoothOffSteps(levels, kEdgeBand);
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

TerrainBorder FollowingTexels(TerrainBorder border, std::int32_t widthA, std::int32_t heightA,
                              std::int32_t widthB, std::int32_t heightB) {
    auto grid = [](std::int32_t a, std::int32_t b) {
        const bool small = std::min(a, b) >= kFewestGridTexels && std::max(a, b) <= kMostGridTexels;
        return small ? std::min(a, b) : 0;
    };
    border.texelsAcross = grid(widthA, widthB);
    border.texelsDown = grid(heightA, heightB);
    return border;
}

}  // namespace mosaren
