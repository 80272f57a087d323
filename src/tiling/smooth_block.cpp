#include "smooth_block.h"

#include <algorithm>

namespace mosaren {

FacePlacement BlockFacePlacement(const TileGeometry& geometry, BlockFace face) {
    const double w = geometry.width;
    const double h = geometry.footprintHeight;
    const double d = geometry.rise;
    switch (face) {
        case BlockFace::Left:
            return FacePlacement{0.0, h / 2.0, w / 2.0, h, 0.0, h / 2.0 + d};
        case BlockFace::Right:
            return FacePlacement{w / 2.0, h, w, h / 2.0, w / 2.0, h + d};
        case BlockFace::Top:
            break;
    }
    return DiamondPlacement(geometry.width, geometry.footprintHeight);
}

FaceLight LightOf(const SmoothTile& tile, bool hasAlpha) {
    FaceLight light;
    light.hasAlpha = hasAlpha;
    const std::size_t count = static_cast<std::size_t>(tile.Width()) * tile.Height();
    light.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i) light.pixels[i] = tile.Light(i);
    return light;
}

TilePixels ComposeSmoothBlock(const TileGeometry& geometry, const BlockSettings& block,
                              const std::array<const FaceLight*, kBlockFaceCount>& faces) {
    TilePixels picture(geometry.width, geometry.PictureHeight());
    double shades[kBlockFaceCount] = {};
    for (std::size_t f = 0; f < kBlockFaceCount; ++f) {
        const FaceLook& look = block.Face(static_cast<BlockFace>(f));
        shades[f] = double(look.shade) / kWholeShade;
        if (look.shown && faces[f] && faces[f]->hasAlpha) picture.hasAlpha = true;
    }
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        // Sums over the faces: coverage, coverage times alpha, and the light weighted by both
        // (and by coverage alone, for a part that is wholly transparent).
        double coverage = 0.0;
        double opacity = 0.0;
        double seen[3] = {};
        double plain[3] = {};
        for (std::size_t f = 0; f < kBlockFaceCount; ++f) {
            if (!faces[f] || !block.Face(static_cast<BlockFace>(f)).shown) continue;
            const LinearPixel& p = faces[f]->pixels[i];
            if (p.coverage <= 0.0) continue;
            const double share = p.coverage;
            const double lit = share * p.alpha * shades[f];
            coverage += share;
            opacity += share * p.alpha;
            seen[0] += lit * p.red;
            seen[1] += lit * p.green;
            seen[2] += lit * p.blue;
            plain[0] += share * shades[f] * p.red;
            plain[1] += share * shades[f] * p.green;
            plain[2] += share * shades[f] * p.blue;
        }
        if (coverage <= 0.0) continue;
        LinearPixel out;
        out.coverage = std::min(1.0, coverage);
        out.drawn = out.coverage;
        out.alpha = opacity / coverage;
        const bool visible = opacity > 1e-12 * coverage;
        const double* light = visible ? seen : plain;
        const double weight = visible ? opacity : coverage;
        out.red = light[0] / weight;
        out.green = light[1] / weight;
        out.blue = light[2] / weight;
        picture.pixels[i] = SmoothTilePixel(out);
    }
    return picture;
}

}  // namespace mosaren
