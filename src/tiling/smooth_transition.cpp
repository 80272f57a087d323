#include "smooth_transition.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "linear_light.h"
#include "terrain_field.h"
#include "tile_geometry.h"
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

// A tile's terrain field, read between working pixels: its level and the size of its slope.
struct SmoothTransitions::Field {
    WorkingField levels;
    WorkingField slope;
};

// The samplings of a block's faces on the blend's grid, and how the block rises.
struct SmoothTransitions::Faces {
    const BlockSettings* block;
    SmoothSides sides;
    TileGeometry geometry;
    // By BlockFace; none where the face is not shown or shows a texture of its own.
    std::array<std::unique_ptr<const SmoothSampling>, kBlockFaceCount> samplings;
};

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
      // A working pixel's side on the tile: the diamond's area over the working texture's.
      mWorkingPixel(std::sqrt(tileWidth * double(tileHeight) / 2.0) / kSide),
      mColumnA(Nearest(mWidth, mA.width)),
      mColumnB(Nearest(mWidth, mB.width)),
      mRowA(Nearest(mHeight, mA.height)),
      mRowB(Nearest(mHeight, mB.height)) {}

SmoothTransitions::~SmoothTransitions() = default;

double SmoothTransitions::Share(const Field& field, std::int32_t x, std::int32_t y) const {
    const double wx = (x + 0.5) * (double(kSide) / mWidth) - 0.5;
    const double wy = (y + 0.5) * (double(kSide) / mHeight) - 0.5;
    return TerrainBShare(field.levels.At(wx, wy), field.slope.At(wx, wy), mWorkingPixel, mFeather);
}

template <typename ShareOf>
void SmoothTransitions::BlendRow(std::int32_t y, ShareOf shareOf, double* row,
                                 std::size_t c) const {
    const std::uint8_t* rowOfA =
        &mA.rgba[static_cast<std::size_t>(mRowA[static_cast<std::size_t>(y)]) * mA.width * 4];
    const std::uint8_t* rowOfB =
        &mB.rgba[static_cast<std::size_t>(mRowB[static_cast<std::size_t>(y)]) * mB.width * 4];
    for (std::int32_t x = 0; x < mWidth; ++x) {
        const double share = shareOf(x);
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
}

SmoothTransitions::Field SmoothTransitions::FieldOf(const TerrainCorners& corners,
                                                   std::uint32_t variant) const {
    TerrainBorder border = mBorder;
    border.variant = variant;
    std::vector<double> level = TerrainLevels(corners, border);
    WorkingField slope(Slopes(level));
    return Field{WorkingField(std::move(level)), std::move(slope)};
}

TilePixels SmoothTransitions::Tile(const TerrainCorners& corners, std::uint32_t variant) const {
    const Field field = FieldOf(corners, variant);
    SmoothTile tile(mSampling, mWithAlpha);
    const std::size_t c = tile.Channels();
    std::vector<double> row(static_cast<std::size_t>(mWidth) * c);
    for (std::int32_t y = 0; y < mHeight; ++y) {
        BlendRow(y, [&](std::int32_t x) { return Share(field, x, y); }, row.data(), c);
        tile.AddLinearRow(y, row.data());
    }
    return tile.Tile();
}

void SmoothTransitions::RaiseBlocks(const BlockSettings& block, const SmoothSides& sides) {
    auto faces = std::make_unique<Faces>();
    faces->block = &block;
    faces->sides = sides;
    faces->geometry = TileGeometry{mSampling.TileWidth(), mSampling.TileHeight(), block.height};
    for (std::size_t f = 0; f < kBlockFaceCount; ++f) {
        const auto face = static_cast<BlockFace>(f);
        const bool own = (face == BlockFace::Left && sides.left) ||
                         (face == BlockFace::Right && sides.right);
        if (!block.Face(face).shown || own) continue;
        faces->samplings[f] = std::make_unique<const SmoothSampling>(
            faces->geometry.width, faces->geometry.PictureHeight(), TRect{0, 0, mWidth, mHeight},
            BlockFacePlacement(faces->geometry, face));
    }
    mFaces = std::move(faces);
}

TilePixels SmoothTransitions::Block(const TerrainCorners& corners, std::uint32_t variant) const {
    const Faces& faces = *mFaces;
    const Field field = FieldOf(corners, variant);
    // B's share along the lid's lower edges, by face texture column: the left face's column x
    // lies under the blend's bottom row at x, the right face's under its right column, from the
    // bottom (at the lid's bottom vertex) up.
    std::vector<double> leftShares(static_cast<std::size_t>(mWidth));
    std::vector<double> rightShares(static_cast<std::size_t>(mWidth));
    for (std::int32_t x = 0; x < mWidth; ++x) {
        leftShares[static_cast<std::size_t>(x)] = Share(field, x, mHeight - 1);
        const auto up = static_cast<std::int32_t>((x + 0.5) * mHeight / mWidth);
        rightShares[static_cast<std::size_t>(x)] =
            Share(field, mWidth - 1, std::clamp(mHeight - 1 - up, 0, mHeight - 1));
    }
    std::array<std::optional<SmoothTile>, kBlockFaceCount> tiles;
    for (std::size_t f = 0; f < kBlockFaceCount; ++f) {
        if (faces.samplings[f]) tiles[f].emplace(*faces.samplings[f], mWithAlpha);
    }
    const std::size_t c = mWithAlpha ? 7 : 3;
    std::vector<double> row(static_cast<std::size_t>(mWidth) * c);
    for (std::int32_t y = 0; y < mHeight; ++y) {
        for (std::size_t f = 0; f < kBlockFaceCount; ++f) {
            if (!tiles[f]) continue;
            switch (static_cast<BlockFace>(f)) {
                case BlockFace::Top:
                    BlendRow(y, [&](std::int32_t x) { return Share(field, x, y); }, row.data(), c);
                    break;
                case BlockFace::Left:
                    BlendRow(y, [&](std::int32_t x) { return leftShares[static_cast<std::size_t>(x)]; },
                             row.data(), c);
                    break;
                case BlockFace::Right:
                    BlendRow(y, [&](std::int32_t x) { return rightShares[static_cast<std::size_t>(x)]; },
                             row.data(), c);
                    break;
            }
            tiles[f]->AddLinearRow(y, row.data());
        }
    }
    std::array<FaceLight, kBlockFaceCount> lights;
    std::array<const FaceLight*, kBlockFaceCount> shown{};
    for (std::size_t f = 0; f < kBlockFaceCount; ++f) {
        const auto face = static_cast<BlockFace>(f);
        if (tiles[f]) {
            lights[f] = LightOf(*tiles[f], mWithAlpha);
            shown[f] = &lights[f];
        } else if (face == BlockFace::Left) {
            shown[f] = faces.sides.left;
        } else if (face == BlockFace::Right) {
            shown[f] = faces.sides.right;
        }
    }
    return ComposeSmoothBlock(faces.geometry, *faces.block, shown);
}

}  // namespace mosaren
