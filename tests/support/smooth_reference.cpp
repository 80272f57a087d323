#include "smooth_reference.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace mosaren::testing {

namespace {

struct Point {
    double x;
    double y;
};

double PolygonArea(const std::vector<Point>& p) {
    double twice = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        twice += p[i].x * p[(i + 1) % p.size()].y - p[(i + 1) % p.size()].x * p[i].y;
    }
    return std::abs(twice) / 2.0;
}

// The part of a convex polygon on one side of x = value (alongX) or y = value.
std::vector<Point> Clip(const std::vector<Point>& p, bool alongX, double value, bool keepBelow) {
    const auto coordinate = [alongX](const Point& q) { return alongX ? q.x : q.y; };
    const auto inside = [&](const Point& q) {
        return keepBelow ? coordinate(q) <= value : coordinate(q) >= value;
    };
    std::vector<Point> out;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % p.size()];
        if (inside(a)) out.push_back(a);
        if (inside(a) != inside(b)) {
            const double t = (value - coordinate(a)) / (coordinate(b) - coordinate(a));
            out.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
        }
    }
    return out;
}

}  // namespace

double ReferenceLinear(std::uint8_t srgb) {
    const double s = srgb / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

std::uint8_t ReferenceSrgb(double linear) {
    const double l = std::clamp(linear, 0.0, 1.0);
    const double s = l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(s * 255.0));
}

std::vector<ReferenceSums> ReferenceFaceSums(const ReferenceTexture& texture, std::int32_t left,
                                             std::int32_t top, std::int32_t right,
                                             std::int32_t bottom, std::int32_t w, std::int32_t h,
                                             const ReferencePlacement& at, bool withAlpha) {
    const double pw = right - left;
    const double ph = bottom - top;
    const auto tileOf = [&](double u, double v) {
        const double a = u / pw;
        const double b = v / ph;
        return Point{at.originX + a * (at.rightX - at.originX) + b * (at.downX - at.originX),
                     at.originY + a * (at.rightY - at.originY) + b * (at.downY - at.originY)};
    };
    const std::size_t n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    std::vector<ReferenceSums> sums(n);
    for (std::int32_t j = 0; j < bottom - top; ++j) {
        for (std::int32_t i = 0; i < right - left; ++i) {
            const std::vector<Point> quad{tileOf(i, j), tileOf(i + 1, j), tileOf(i + 1, j + 1),
                                          tileOf(i, j + 1)};
            double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
            for (const Point& q : quad) {
                minX = std::min(minX, q.x), maxX = std::max(maxX, q.x);
                minY = std::min(minY, q.y), maxY = std::max(maxY, q.y);
            }
            const std::uint8_t* texel = texture.Texel(left + i, top + j);
            const double alpha = withAlpha ? texel[3] / 255.0 : 1.0;
            const std::array<double, 3> light{ReferenceLinear(texel[0]), ReferenceLinear(texel[1]),
                                              ReferenceLinear(texel[2])};
            for (int py = std::max(0, int(std::floor(minY))); py < std::min(h, int(std::ceil(maxY)));
                 ++py) {
                for (int px = std::max(0, int(std::floor(minX)));
                     px < std::min(w, int(std::ceil(maxX))); ++px) {
                    auto part = Clip(quad, true, px, false);
                    part = Clip(part, true, px + 1, true);
                    part = Clip(part, false, py, false);
                    part = Clip(part, false, py + 1, true);
                    if (part.size() < 3) continue;
                    const double area = PolygonArea(part);
                    ReferenceSums& p = sums[static_cast<std::size_t>(py * w + px)];
                    p.covered += area;
                    for (int k = 0; k < 3; ++k) {
                        p.seen[k] += area * light[k] * alpha;
                        p.plain[k] += area * light[k];
                    }
                    p.alpha += area * alpha;
                }
            }
        }
    }
    return sums;
}

std::vector<ReferencePixel> ReferencePixels(const std::vector<ReferenceSums>& sums) {
    std::vector<ReferencePixel> tile(sums.size());
    for (std::size_t p = 0; p < sums.size(); ++p) {
        const ReferenceSums& s = sums[p];
        if (s.covered <= 1e-12) continue;
        const bool seen = s.alpha > 1e-12 * s.covered;
        const double weight = seen ? s.alpha : s.covered;
        const std::array<double, 3>& light = seen ? s.seen : s.plain;
        tile[p] = {ReferenceSrgb(light[0] / weight), ReferenceSrgb(light[1] / weight),
                   ReferenceSrgb(light[2] / weight), s.alpha / s.covered, std::min(1.0, s.covered),
                   std::min(1.0, s.covered)};
    }
    return tile;
}

std::vector<ReferencePixel> ReferenceSmoothTile(const ReferenceTexture& texture, std::int32_t left,
                                                std::int32_t top, std::int32_t right,
                                                std::int32_t bottom, std::int32_t w,
                                                std::int32_t h, bool withAlpha) {
    const ReferencePlacement diamond{w / 2.0, 0.0, double(w), h / 2.0, 0.0, h / 2.0};
    std::vector<ReferencePixel> tile = ReferencePixels(
        ReferenceFaceSums(texture, left, top, right, bottom, w, h, diamond, withAlpha));
    // Below the upper edges: what a diamond twice the size from the same top vertex covers of
    // the tile's box.
    const ReferenceTexture texel{1, 1, {255, 255, 255, 255}};
    const ReferencePlacement below{w / 2.0, 0.0, 1.5 * w, double(h), -0.5 * w, double(h)};
    const std::vector<ReferenceSums> drawn =
        ReferenceFaceSums(texel, 0, 0, 1, 1, w, h, below, false);
    for (std::size_t p = 0; p < tile.size(); ++p) {
        if (tile[p].coverage > 0.0) tile[p].drawn = std::min(1.0, drawn[p].covered);
    }
    return tile;
}

std::vector<ReferencePixel> ReferenceSmoothBlock(const ReferenceBlockFaces& faces, std::int32_t w,
                                                 std::int32_t h, std::int32_t rise) {
    const double hw = w / 2.0;
    const double hh = h / 2.0;
    const ReferencePlacement placements[3] = {
        {hw, 0.0, double(w), hh, 0.0, hh},
        {0.0, hh, hw, double(h), 0.0, hh + rise},
        {hw, double(h), double(w), hh, hw, double(h) + rise},
    };
    std::vector<ReferenceSums> block(static_cast<std::size_t>(w) * (h + rise));
    for (int f = 0; f < 3; ++f) {
        const ReferenceTexture* texture = faces.textures[f];
        if (!texture) continue;
        const std::vector<ReferenceSums> face =
            ReferenceFaceSums(*texture, 0, 0, texture->width, texture->height, w, h + rise,
                              placements[f], faces.withAlpha);
        const double shade = faces.shades[f];
        for (std::size_t p = 0; p < block.size(); ++p) {
            block[p].covered += face[p].covered;
            block[p].alpha += face[p].alpha;
            for (int k = 0; k < 3; ++k) {
                block[p].seen[k] += shade * face[p].seen[k];
                block[p].plain[k] += shade * face[p].plain[k];
            }
        }
    }
    return ReferencePixels(block);
}

ReferenceTransition ReferenceTransitionTextures(const ReferenceTexture& a,
                                                const ReferenceTexture& b,
                                                const std::vector<double>& level, double feather,
                                                std::int32_t w, std::int32_t h) {
    constexpr int kSide = 255;
    const auto at = [&](int x, int y) {
        return level[static_cast<std::size_t>(std::clamp(y, 0, kSide - 1) * kSide +
                                               std::clamp(x, 0, kSide - 1))];
    };
    const auto slopeAt = [&](int x, int y) {
        const int l = std::max(0, x - 1), r = std::min(kSide - 1, x + 1);
        const int u = std::max(0, y - 1), d = std::min(kSide - 1, y + 1);
        return std::hypot((at(r, y) - at(l, y)) / (r - l), (at(x, d) - at(x, u)) / (d - u));
    };
    const auto bilinear = [](const auto& f, double x, double y) {
        x = std::clamp(x, 0.0, double(kSide - 1));
        y = std::clamp(y, 0.0, double(kSide - 1));
        const int x0 = std::min(kSide - 2, int(x)), y0 = std::min(kSide - 2, int(y));
        const double fx = x - x0, fy = y - y0;
        return (1 - fy) * ((1 - fx) * f(x0, y0) + fx * f(x0 + 1, y0)) +
               fy * ((1 - fx) * f(x0, y0 + 1) + fx * f(x0 + 1, y0 + 1));
    };
    const double pixel = std::sqrt(w * h / 2.0) / kSide;
    const auto shareAt = [&](int x, int y) {
        const double wx = (x + 0.5) * kSide / a.width - 0.5;
        const double wy = (y + 0.5) * kSide / a.height - 0.5;
        const double l = bilinear(at, wx, wy);
        const double s = bilinear(slopeAt, wx, wy);
        if (feather > 0.0 && s >= 1e-9) return std::clamp(0.5 + l / s * pixel / feather, 0.0, 1.0);
        return l >= 0.0 ? 1.0 : 0.0;
    };
    // Texel (x, y) of a and of b mixed, b by share.
    const auto mixed = [&](int x, int y, double share) {
        const std::uint8_t* ta = a.Texel(x, y);
        const std::uint8_t* tb = b.Texel(x * b.width / a.width, y * b.height / a.height);
        const double alphaA = ta[3] / 255.0, alphaB = tb[3] / 255.0;
        const double alpha = (1 - share) * alphaA + share * alphaB;
        std::array<std::uint8_t, 4> out{};
        for (int k = 0; k < 3; ++k) {
            const double la = ReferenceLinear(ta[k]);
            const double lb = ReferenceLinear(tb[k]);
            const double light = alpha > 0.0
                                     ? ((1 - share) * alphaA * la + share * alphaB * lb) / alpha
                                     : (1 - share) * la + share * lb;
            out[static_cast<std::size_t>(k)] = ReferenceSrgb(light);
        }
        out[3] = static_cast<std::uint8_t>(std::lround(alpha * 255.0));
        return out;
    };
    ReferenceTransition made;
    const bool square = a.width == a.height;
    for (ReferenceTexture* texture : {&made.lid, &made.left, &made.right}) {
        if (texture != &made.lid && !square) continue;
        *texture = ReferenceTexture{a.width, a.height, {}};
        for (int y = 0; y < a.height; ++y) {
            for (int x = 0; x < a.width; ++x) {
                const double share = texture == &made.lid    ? shareAt(x, y)
                                     : texture == &made.left ? shareAt(x, a.height - 1)
                                                             : shareAt(a.width - 1, a.height - 1 - x);
                const auto texel = mixed(x, y, share);
                texture->rgba.insert(texture->rgba.end(), texel.begin(), texel.end());
            }
        }
    }
    return made;
}

double SmoothPsnr(const PngPicture& tile, const std::vector<ReferencePixel>& reference) {
    double squares = 0.0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        const ReferencePixel& e = reference[i];
        const PngPixel& a = tile.pixels[i];
        if (e.drawn <= 0.0 && a.alpha == 0) continue;
        // The colours as much as they show on a map, where the tiles drawn later cover a lower
        // rim's pixel but for the tile's own coverage: premultiplied by the coverage.
        const double opacity = e.coverage * e.alpha;
        const double actualOpacity = a.alpha / 255.0 * (e.drawn > 0.0 ? e.coverage / e.drawn : 1.0);
        const std::array<std::pair<double, double>, 4> channels{{
            {RedOf(a.colour) * actualOpacity, e.red * opacity},
            {GreenOf(a.colour) * actualOpacity, e.green * opacity},
            {BlueOf(a.colour) * actualOpacity, e.blue * opacity},
            {a.alpha, 255.0 * e.drawn * e.alpha},
        }};
        for (const auto& [x, y] : channels) squares += (x - y) * (x - y);
        count += channels.size();
    }
    if (squares == 0.0) return 99.0;
    return 10.0 * std::log10(255.0 * 255.0 / (squares / static_cast<double>(count)));
}

}  // namespace mosaren::testing
