#include "smooth_transition.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "linear_light.h"
#include "terrain_field.h"
#include "tile_settings.h"

namespace mosaren {

namespace {

constexpr std::int32_t kSide = kWorkingTextureSide;

TerrainPicture WithTexels(TerrainPicture picture) {
    if (picture.width > 0 && picture.height > 0) return picture;
    return TerrainPicture{1, 1, false, {255, 255, 255, 255}};
}

// The texel of a side of from texels under each of to grid cells' centres.
std::vector<std::int32_t> Nearest(std::int32_t to, std::int32_t from) {
    std::vector<std::int32_t> texels(static_cast<std::size_t>(to));
    for (std::int32_t i = 0; i < to; ++i) {
        texels[static_cast<std::size_t>(i)] =
            static_cast<std::int32_t>((2 * std::int64_t{i} + 1) * from / (2 * std::int64_t{to}));
    }
    return texels;
}

// A value per working pixel, read between them bilinearly, held at the edge pixels' centres.
class WorkingField {
public:
    explicit WorkingField(std::vector<double> values) : mValues(std::move(values)) {}

    double At(double x, double y) const {
        x = std::clamp(x, 0.0, double(kSide - 1));
        y = std::clamp(y, 0.0, double(kSide - 1));
        const auto x0 = std::min(static_cast<std::int32_t>(x), kSide - 2);
        const auto y0 = std::min(static_cast<std::int32_t>(y), kSide - 2);
        const double fx = x - x0;
        const double fy = y - y0;
        const auto v = [this](std::int32_t px, std::int32_t py) {
            return mValues[static_cast<std::size_t>(py) * kSide + static_cast<std::size_t>(px)];
        };
        return (v(x0, y0) * (1 - fx) + v(x0 + 1, y0) * fx) * (1 - fy) +
               (v(x0, y0 + 1) * (1 - fx) + v(x0 + 1, y0 + 1) * fx) * fy;
    }

private:
    std::vector<double> mValues;
};

// The size of the level's slope at each working pixel: central differences, one-sided at the
// edges.
std::vector<double> Slopes(const std::vector<double>& level) {
    std::vector<double> slopes(level.size());
    const auto at = [&level](std::int32_t x, std::int32_t y) {
        return level[static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x)];
    };
    for (std::int32_t y = 0; y < kSide; ++y) {
        for (std::int32_t x = 0; x < kSide; ++x) {
            const std::int32_t left = std::max(0, x - 1);
            const std::int32_t right = std::min(kSide - 1, x + 1);
            const std::int32_t up = std::max(0, y - 1);
            const std::int32_t down = std::min(kSide - 1, y + 1);
            const double dx = (at(right, y) - at(left, y)) / (right - left);
            const double dy = (at(x, down) - at(x, up)) / (down - up);
            slopes[static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x)] =
                std::hypot(dx, dy);
        }
    }
    return slopes;
}

}  // namespace

double TerrainBShare(double level, double slope, double workingPixel, double feather) {
    // Too flat to tell a distance (a corner's terrain held): the side of the border is enough.
    if (feather <= 0.0 || slope < 1e-9) return level >= 0.0 ? 1.0 : 0.0;
    const double distance = level / slope * workingPixel;
    return std::clamp(0.5 + distance / feather, 0.0, 1.0);
}

SmoothTransitions::SmoothTransitions(TerrainPicture a, TerrainPicture b,
                                     const TerrainBorder& border, double feather,
                                     std::int32_t tileWidth, std::int32_t tileHeight)
    : mA(WithTexels(std::move(a))),
      mB(WithTexels(std::move(b))),
      mBorder(border),
      mFeather(feather),
      mWidth(std::max(mA.width, mB.width)),
      mHeight(std::max(mA.height, mB.height)),
      mWithAlpha(mA.hasAlpha || mB.hasAlpha),
      mSampling(tileWidth, tileHeight, TRect{0, 0, mWidth, mHeight}),
      mColumnA(Nearest(mWidth, mA.width)),
      mColumnB(Nearest(mWidth, mB.width)),
      mRowA(Nearest(mHeight, mA.height)),
      mRowB(Nearest(mHeight, mB.height)) {}

TilePixels SmoothTransitions::Tile(const TerrainCorners& corners, std::uint32_t variant) const {
    TerrainBorder border = mBorder;
    border.variant = variant;
    std::vector<double> level = TerrainLevels(corners, border);
    const WorkingField slope(Slopes(level));
    const WorkingField levels(std::move(level));
    // A working pixel's side on the tile: the diamond's area over the working texture's.
    const double workingPixel =
        std::sqrt(mSampling.TileWidth() * double(mSampling.TileHeight()) / 2.0) / kSide;
    SmoothTile tile(mSampling, mWithAlpha);
    const std::size_t c = tile.Channels();
    std::vector<double> row(static_cast<std::size_t>(mWidth) * c);
    const double toWorkingX = double(kSide) / mWidth;
    const double toWorkingY = double(kSide) / mHeight;
    for (std::int32_t y = 0; y < mHeight; ++y) {
        const double wy = (y + 0.5) * toWorkingY - 0.5;
        const std::uint8_t* rowOfA =
            &mA.rgba[static_cast<std::size_t>(mRowA[static_cast<std::size_t>(y)]) * mA.width * 4];
        const std::uint8_t* rowOfB =
            &mB.rgba[static_cast<std::size_t>(mRowB[static_cast<std::size_t>(y)]) * mB.width * 4];
        for (std::int32_t x = 0; x < mWidth; ++x) {
            const double wx = (x + 0.5) * toWorkingX - 0.5;
            const double share =
                TerrainBShare(levels.At(wx, wy), slope.At(wx, wy), workingPixel, mFeather);
            const std::uint8_t* ta = rowOfA + 4 * static_cast<std::size_t>(mColumnA[static_cast<std::size_t>(x)]);
            const std::uint8_t* tb = rowOfB + 4 * static_cast<std::size_t>(mColumnB[static_cast<std::size_t>(x)]);
            double* value = &row[static_cast<std::size_t>(x) * c];
            const double aShare = 1.0 - share;
            if (c == 3) {
                for (std::size_t k = 0; k < 3; ++k) {
                    value[k] = aShare * LinearOfSrgb(ta[k]) + share * LinearOfSrgb(tb[k]);
                }
                continue;
            }
            const double alphaA = ta[3] / 255.0;
            const double alphaB = tb[3] / 255.0;
            for (std::size_t k = 0; k < 3; ++k) {
                const double la = LinearOfSrgb(ta[k]);
                const double lb = LinearOfSrgb(tb[k]);
                value[k] = aShare * alphaA * la + share * alphaB * lb;
                value[4 + k] = aShare * la + share * lb;
            }
            value[3] = aShare * alphaA + share * alphaB;
        }
        tile.AddLinearRow(y, row.data());
    }
    return tile.Tile();
}

}  // namespace mosaren
