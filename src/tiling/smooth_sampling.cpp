#include "smooth_sampling.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

#include "linear_light.h"
#include "raster/exceptions.h"
#include "unrolled.h"

namespace mosaren {

namespace {

struct Point {
    double u;
    double v;
};

// The part of a convex polygon on the side of a line where inside(p) holds; crossing(a, b) is
// where the edge from a to b meets the line.
template <typename Inside, typename Crossing>
std::vector<Point> ClippedBy(const std::vector<Point>& polygon, Inside inside, Crossing crossing) {
    std::vector<Point> out;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % polygon.size()];
        const bool aIn = inside(a);
        const bool bIn = inside(b);
        if (aIn) out.push_back(a);
        if (aIn != bIn) out.push_back(crossing(a, b));
    }
    return out;
}

// The part of a polygon on one side of the line u = at: where u >= at (beyond) or u <= at.
std::vector<Point> ClippedAtU(const std::vector<Point>& polygon, double at, bool beyond) {
    return ClippedBy(
        polygon, [at, beyond](const Point& p) { return beyond ? p.u >= at : p.u <= at; },
        [at](const Point& a, const Point& b) {
            const double t = (at - a.u) / (b.u - a.u);
            return Point{at, a.v + t * (b.v - a.v)};
        });
}

// The same across the line v = at.
std::vector<Point> ClippedAtV(const std::vector<Point>& polygon, double at, bool beyond) {
    return ClippedBy(
        polygon, [at, beyond](const Point& p) { return beyond ? p.v >= at : p.v <= at; },
        [at](const Point& a, const Point& b) {
            const double t = (at - a.v) / (b.v - a.v);
            return Point{a.u + t * (b.u - a.u), at};
        });
}

// The part of a polygon in texture space within the texture of width × height.
std::vector<Point> ClippedToBox(const std::vector<Point>& polygon, double width, double height) {
    return ClippedAtV(ClippedAtV(ClippedAtU(ClippedAtU(polygon, 0.0, true), width, false), 0.0,
                                 true),
                      height, false);
}

// The part right of the texture's left edge and below its top edge, wherever the others lie.
std::vector<Point> ClippedToQuadrant(const std::vector<Point>& polygon) {
    return ClippedAtV(ClippedAtU(polygon, 0.0, true), 0.0, true);
}

double SignedArea(const std::vector<Point>& polygon) {
    double twice = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % polygon.size()];
        twice += a.u * b.v - b.u * a.v;
    }
    return twice / 2.0;
}

}  // namespace

FacePlacement DiamondPlacement(std::int32_t w, std::int32_t h) {
    return FacePlacement{w / 2.0, 0.0, double(w), h / 2.0, 0.0, h / 2.0};
}

double PixelAreaOf(const FacePlacement& p, double pieceWidth, double pieceHeight) {
    const double det = (p.rightX - p.originX) * (p.downY - p.originY) -
                       (p.rightY - p.originY) * (p.downX - p.originX);
    return pieceWidth * pieceHeight / std::abs(det);
}

SmoothSampling::SmoothSampling(std::int32_t tileWidth, std::int32_t tileHeight, const TRect& piece)
    : SmoothSampling(tileWidth, tileHeight, piece, DiamondPlacement(tileWidth, tileHeight), true) {}

SmoothSampling::SmoothSampling(std::int32_t width, std::int32_t height, const TRect& piece,
                               const FacePlacement& placement)
    : SmoothSampling(width, height, piece, placement, false) {}

SmoothSampling::SmoothSampling(std::int32_t tileWidth, std::int32_t tileHeight, const TRect& piece,
                               const FacePlacement& placement, bool lowerEdgesDrawnWhole)
    : mTileWidth(tileWidth), mTileHeight(tileHeight), mPiece(piece) {
    const std::int32_t pieceWidth = piece.right - piece.left;
    const std::int32_t pieceHeight = piece.bottom - piece.top;
    if (tileWidth <= 0 || tileHeight <= 0 || pieceWidth <= 0 || pieceHeight <= 0) {
        throw EInvalidOperation(
            "A smooth tile needs a tile and a piece of the texture of at least one pixel");
    }
    const double pw = pieceWidth;
    const double ph = pieceHeight;
    // The picture's vectors along the piece's whole width and height, and the inverse map.
    const double ax = placement.rightX - placement.originX;
    const double ay = placement.rightY - placement.originY;
    const double bx = placement.downX - placement.originX;
    const double by = placement.downY - placement.originY;
    const double det = ax * by - ay * bx;
    if (det == 0.0) throw EInvalidOperation("A smooth tile's face must span some area");
    mPixelArea = PixelAreaOf(placement, pw, ph);
    const auto textureOf = [&](double x, double y) {
        const double dx = x - placement.originX;
        const double dy = y - placement.originY;
        return Point{(dx * by - dy * bx) / det * pw, (ax * dy - ay * dx) / det * ph};
    };

    // Where u falls along a row: its texel and how far into it. (Of u held in a float, u less
    // its whole texels is exact in a float too.)
    const auto lastTexel = static_cast<double>(pieceWidth - 1);
    const auto along = [lastTexel](float u) {
        const double texel = std::clamp(std::floor(double{u}), 0.0, lastTexel);
        return std::pair{static_cast<std::uint32_t>(texel),
                         static_cast<float>(std::clamp(double{u} - texel, 0.0, 1.0))};
    };
    const auto resolved = [&along](std::int32_t pixel, float u0, float u1, float dv) {
        BoundaryPiece piece{};
        piece.pixel = pixel;
        piece.negated = -1;
        std::tie(piece.start, piece.startT) = along(u0);
        const double du = double{u1} - double{u0};
        if (std::abs(du) < 1e-7) {
            piece.end = BoundaryPiece::kAlongV;
            piece.weight = dv;
        } else {
            std::tie(piece.end, piece.endT) = along(u1);
            piece.weight = dv / du;
        }
        return piece;
    };
    mRows.resize(static_cast<std::size_t>(pieceHeight));
    mCoveredArea.assign(static_cast<std::size_t>(tileWidth) * static_cast<std::size_t>(tileHeight),
                        0.0);
    if (lowerEdgesDrawnWhole) mDrawnArea = mCoveredArea;
    for (std::int32_t py = 0; py < tileHeight; ++py) {
        for (std::int32_t px = 0; px < tileWidth; ++px) {
            const std::int32_t pixel = py * tileWidth + px;
            const std::vector<Point> square = {textureOf(px, py), textureOf(px + 1, py),
                                               textureOf(px + 1, py + 1), textureOf(px, py + 1)};
            const std::vector<Point> polygon = ClippedToBox(square, pw, ph);
            if (polygon.size() < 3) continue;
            const double area = SignedArea(polygon);
            if (area == 0.0) continue;
            mCoveredArea[static_cast<std::size_t>(pixel)] = std::abs(area);
            if (lowerEdgesDrawnWhole) {
                mDrawnArea[static_cast<std::size_t>(pixel)] =
                    std::abs(SignedArea(ClippedToQuadrant(square)));
            }
            const double orientation = area > 0.0 ? 1.0 : -1.0;
            for (std::size_t i = 0; i < polygon.size(); ++i) {
                const Point& a = polygon[i];
                const Point& b = polygon[(i + 1) % polygon.size()];
                if (a.v == b.v) continue;  // along a row: no dv, nothing to add
                const double low = std::min(a.v, b.v);
                const double high = std::max(a.v, b.v);
                const auto first = static_cast<std::int32_t>(std::floor(low));
                const auto last =
                    std::min(pieceHeight - 1, static_cast<std::int32_t>(std::ceil(high)) - 1);
                for (std::int32_t row = std::max(0, first); row <= last; ++row) {
                    // The edge's part within the row, kept in the edge's direction.
                    const double v0 = std::clamp(a.v, double(row), double(row + 1));
                    const double v1 = std::clamp(b.v, double(row), double(row + 1));
                    if (v0 == v1) continue;
                    const auto uAt = [&](double v) {
                        return a.u + (v - a.v) / (b.v - a.v) * (b.u - a.u);
                    };
                    mRows[static_cast<std::size_t>(row)].push_back(
                        resolved(pixel, static_cast<float>(uAt(v0)), static_cast<float>(uAt(v1)),
                                 static_cast<float>((v1 - v0) * orientation)));
                }
            }
        }
    }
    for (std::vector<BoundaryPiece>& pieces : mRows) pieces = Paired(std::move(pieces));
}

std::vector<SmoothSampling::BoundaryPiece> SmoothSampling::Paired(
    std::vector<BoundaryPiece> pieces) {
    // A piece as the integral sees it: where it starts and ends and its weight. The same edge run
    // the other way starts where this one ends, with the same weight (dv and du both change sign);
    // along the v axis it starts at the same place with the weight negated. Where the two
    // pixels' clipped edges came out a hair apart, they stay two pieces.
    using Key = std::tuple<std::uint32_t, float, std::uint32_t, float, double>;
    const auto keyOf = [](const BoundaryPiece& p) {
        return Key{p.start, p.startT, p.end, p.end == BoundaryPiece::kAlongV ? 0.0f : p.endT,
                   p.weight};
    };
    const auto reversedKeyOf = [](const BoundaryPiece& p) {
        if (p.end == BoundaryPiece::kAlongV) {
            return Key{p.start, p.startT, p.end, 0.0f, -p.weight};
        }
        return Key{p.end, p.endT, p.start, p.startT, p.weight};
    };
    std::map<Key, std::size_t> unpaired;
    std::vector<BoundaryPiece> out;
    out.reserve(pieces.size());
    for (const BoundaryPiece& p : pieces) {
        const auto partner = unpaired.find(reversedKeyOf(p));
        if (partner != unpaired.end()) {
            out[partner->second].negated = p.pixel;
            unpaired.erase(partner);
            continue;
        }
        unpaired.emplace(keyOf(p), out.size());
        out.push_back(p);
    }
    return out;
}

SmoothTile::SmoothTile(const SmoothSampling& sampling, bool withAlpha)
    : mSampling(sampling), mWithAlpha(withAlpha), mChannels(withAlpha ? 7 : 3) {
    const std::size_t width =
        static_cast<std::size_t>(sampling.Piece().right - sampling.Piece().left);
    mSums.assign(sampling.CoveredArea().size() * mChannels, 0.0);
    mRowValues.resize(width * mChannels);
    mRowF.resize((width + 1) * mChannels);
    mRowG.resize((width + 1) * mChannels);
}

void SmoothTile::AddRow(std::int32_t y, const std::uint8_t* rgba) {
    if (mWithAlpha) {
        AddRowOf<7>(y, rgba);
    } else {
        AddRowOf<3>(y, rgba);
    }
}

template <std::size_t C>
void SmoothTile::AddRowOf(std::int32_t y, const std::uint8_t* rgba) {
    const TRect& piece = mSampling.Piece();
    const std::vector<SmoothSampling::BoundaryPiece>& pieces = mSampling.Row(y - piece.top);
    if (pieces.empty()) return;
    const std::size_t width = static_cast<std::size_t>(piece.right - piece.left);
    constexpr std::size_t c = C;
    const std::array<double, 256>& linear = LinearTable();
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint8_t* texel = rgba + 4 * x;
        double* value = &mRowValues[x * c];
        const double red = linear[texel[0]];
        const double green = linear[texel[1]];
        const double blue = linear[texel[2]];
        if constexpr (C == 7) {
            const double alpha = texel[3] / 255.0;
            value[0] = red * alpha;
            value[1] = green * alpha;
            value[2] = blue * alpha;
            value[3] = alpha;
            value[4] = red;
            value[5] = green;
            value[6] = blue;
        } else {
            value[0] = red;
            value[1] = green;
            value[2] = blue;
        }
    }
    Integrate<C>(pieces, mRowValues.data());
}

void SmoothTile::AddLinearRow(std::int32_t y, const double* values) {
    const TRect& piece = mSampling.Piece();
    const std::vector<SmoothSampling::BoundaryPiece>& pieces = mSampling.Row(y - piece.top);
    if (pieces.empty()) return;
    if (mWithAlpha) {
        Integrate<7>(pieces, values);
    } else {
        Integrate<3>(pieces, values);
    }
}

template <std::size_t C>
void SmoothTile::Integrate(const std::vector<SmoothSampling::BoundaryPiece>& pieces,
                           const double* values) {
    const std::size_t width = mRowValues.size() / C;
    constexpr std::size_t c = C;
    // F at each texel's left edge, and G, its integral. The running sums stay in registers: read
    // back from the rows, each texel would wait on the store of the one before.
    std::array<double, C> runF{};
    std::array<double, C> runG{};
    double* rowF = mRowF.data();
    double* rowG = mRowG.data();
    for (std::size_t k = 0; k < c; ++k) {
        rowF[k] = 0.0;
        rowG[k] = 0.0;
    }
    for (std::size_t x = 0; x < width; ++x) {
        ForEachChannel<C>([&](std::size_t k) {
            const double t = values[x * c + k];
            runG[k] = runG[k] + runF[k] + t / 2.0;
            runF[k] = runF[k] + t;
            rowF[(x + 1) * c + k] = runF[k];
            rowG[(x + 1) * c + k] = runG[k];
        });
    }
    for (const SmoothSampling::BoundaryPiece& p : pieces) {
        const std::size_t start = std::size_t{p.start} * c;
        const double startT = p.startT;
        std::array<double, C> integral;
        if (p.end == SmoothSampling::BoundaryPiece::kAlongV) {
            // Along the v axis F is the same all the way.
            ForEachChannel<C>([&](std::size_t k) {
                integral[k] = p.weight * (rowF[start + k] + values[start + k] * startT);
            });
        } else {
            // Else its mean is G's slope.
            const std::size_t end = std::size_t{p.end} * c;
            const double endT = p.endT;
            ForEachChannel<C>([&](std::size_t k) {
                const double gEnd =
                    rowG[end + k] + endT * (rowF[end + k] + values[end + k] * endT * 0.5);
                const double gStart = rowG[start + k] +
                                      startT * (rowF[start + k] + values[start + k] * startT * 0.5);
                integral[k] = p.weight * (gEnd - gStart);
            });
        }
        double* sums = &mSums[static_cast<std::size_t>(p.pixel) * c];
        ForEachChannel<C>([&](std::size_t k) { sums[k] += integral[k]; });
        if (p.negated >= 0) {
            double* other = &mSums[static_cast<std::size_t>(p.negated) * c];
            ForEachChannel<C>([&](std::size_t k) { other[k] -= integral[k]; });
        }
    }
}

TilePixel SmoothTilePixel(const LinearPixel& light) {
    const auto eightBits = [](double share) {
        return static_cast<std::uint8_t>(std::lround(255.0 * std::clamp(share, 0.0, 1.0)));
    };
    return TilePixel{SrgbOfLinear(light.red), SrgbOfLinear(light.green), SrgbOfLinear(light.blue),
                     eightBits(light.alpha), eightBits(light.coverage), eightBits(light.drawn)};
}

LinearPixel SmoothTile::Light(std::size_t i) const {
    const double area = mSampling.CoveredArea()[i];
    LinearPixel out;
    if (area <= 0.0) return out;
    const double* sums = &mSums[i * mChannels];
    out.coverage = mSampling.Coverage(i);
    out.drawn = mSampling.Drawn(i);
    out.alpha = 1.0;
    const double* light = sums;
    double weight = area;
    if (mWithAlpha) {
        out.alpha = std::clamp(sums[3] / area, 0.0, 1.0);
        // Weighted by alpha; where the covered part is wholly transparent, its plain colour.
        if (sums[3] > 1e-12 * area) {
            weight = sums[3];
        } else {
            light = sums + 4;
        }
    }
    out.red = light[0] / weight;
    out.green = light[1] / weight;
    out.blue = light[2] / weight;
    return out;
}

std::vector<SmoothPixel> SmoothTile::Pixels() const {
    std::vector<SmoothPixel> pixels(mSampling.CoveredArea().size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const LinearPixel a = Light(i);
        pixels[i] = SmoothPixel{SrgbOfLinear(a.red), SrgbOfLinear(a.green), SrgbOfLinear(a.blue),
                                static_cast<std::uint8_t>(std::lround(255.0 * a.coverage * a.alpha)),
                                a.coverage};
    }
    return pixels;
}

TilePixels SmoothTile::Tile() const {
    TilePixels tile(mSampling.TileWidth(), mSampling.TileHeight());
    tile.hasAlpha = mWithAlpha;
    for (std::size_t i = 0; i < tile.pixels.size(); ++i) {
        const LinearPixel a = Light(i);
        if (a.coverage <= 0.0) continue;
        tile.pixels[i] = SmoothTilePixel(a);
    }
    return tile;
}

}  // namespace mosaren
