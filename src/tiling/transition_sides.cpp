#include "transition_sides.h"

#include <algorithm>
#include <optional>

namespace mosaren {

namespace {

constexpr std::size_t kSide = kWorkingTextureSide;

std::size_t SideIndex(BlockFace side) { return side == BlockFace::Left ? 0 : 1; }

// The lowest lid pixel of each picture column, as the working pixel it shows, or none where the
// lid has no pixel in that column.
std::vector<std::optional<std::int32_t>> LidBottoms(const WorkingTile& lid) {
    const std::int32_t w = lid.Width();
    std::vector<std::optional<std::int32_t>> bottoms(static_cast<std::size_t>(w));
    for (std::int32_t x = 0; x < w; ++x) {
        for (std::int32_t y = lid.Height() - 1; y >= 0; --y) {
            const std::int32_t at = lid.Pixels()[static_cast<std::size_t>(y) * w + x];
            if (at != WorkingTile::kNone) {
                bottoms[static_cast<std::size_t>(x)] = at;
                break;
            }
        }
    }
    return bottoms;
}

// The nearest present item to i (the lower one of two as near), or none when there is none.
template <typename T>
std::optional<T> Nearest(const std::vector<std::optional<T>>& items, std::size_t i) {
    for (std::size_t d = 0; d < items.size(); ++d) {
        if (i >= d && items[i - d]) return items[i - d];
        if (i + d < items.size() && items[i + d]) return items[i + d];
    }
    return std::nullopt;
}

// The face's texture: each column a's or b's, as the terrain of its lid pixel says.
template <typename T>
std::vector<T> Columns(const std::vector<std::int32_t>& lidPixels,
                       const std::vector<Terrain>& field, const std::vector<T>& a,
                       const std::vector<T>& b) {
    std::vector<T> face(kWorkingPixelCount);
    for (std::size_t c = 0; c < kSide; ++c) {
        const std::vector<T>& from =
            field.at(static_cast<std::size_t>(lidPixels[c])) == Terrain::A ? a : b;
        for (std::size_t i = c; i < kWorkingPixelCount; i += kSide) face[i] = from[i];
    }
    return face;
}

}  // namespace

TransitionSides::TransitionSides(std::int32_t tileWidth, std::int32_t tileHeight) {
    const WorkingTile lid(tileWidth, tileHeight);
    std::vector<std::optional<std::int32_t>> bottoms = LidBottoms(lid);
    // A column the lid leaves empty (the outermost ones of some sizes) takes its neighbour's.
    std::vector<std::optional<std::int32_t>> filled(bottoms.size());
    for (std::size_t x = 0; x < bottoms.size(); ++x) filled[x] = Nearest(bottoms, x);

    // Which texture column each picture column's face shows, as block_layout.cpp maps it: the
    // centre's distance from the face's left side in half pixels, times 255 / W.
    std::array<std::vector<std::optional<std::int32_t>>, 2> byColumn;
    for (auto& columns : byColumn) columns.resize(kSide);
    const std::int64_t w = tileWidth;
    for (std::int32_t x = 0; x < tileWidth; ++x) {
        const std::int64_t twiceX = 2 * std::int64_t{x} + 1;
        const bool left = twiceX < w;
        const std::int64_t across = left ? twiceX : twiceX - w;
        const auto column =
            static_cast<std::size_t>(std::int64_t{kWorkingTextureSide} * across / w);
        auto& shown = byColumn[left ? 0 : 1][column];
        if (!shown) shown = filled[static_cast<std::size_t>(x)];
    }
    for (std::size_t face = 0; face < 2; ++face) {
        // Texture columns that no face column shows (a face narrower than the texture) follow
        // the nearest one shown; a face with no column at all (a tile one pixel wide) the other.
        const auto& own = byColumn[face];
        const bool any =
            std::any_of(own.begin(), own.end(), [](const auto& c) { return c.has_value(); });
        const auto& from = any ? own : byColumn[1 - face];
        mLidPixels[face].resize(kSide);
        for (std::size_t c = 0; c < kSide; ++c) mLidPixels[face][c] = Nearest(from, c).value_or(0);
    }
}

const std::vector<std::int32_t>& TransitionSides::LidPixels(BlockFace side) const {
    return mLidPixels[SideIndex(side)];
}

WorkingTexture TransitionSides::Side(BlockFace side, const std::vector<Terrain>& field,
                                     const WorkingTexture& a, const WorkingTexture& b) const {
    WorkingTexture face;
    face.colours = Columns(LidPixels(side), field, a.colours, b.colours);
    if (a.alpha.empty() && b.alpha.empty()) return face;
    const std::vector<std::uint8_t> opaque(kWorkingPixelCount, 255);
    face.alpha = Columns(LidPixels(side), field, a.alpha.empty() ? opaque : a.alpha,
                         b.alpha.empty() ? opaque : b.alpha);
    return face;
}

std::vector<TColor> TransitionSides::SideColours(BlockFace side, const std::vector<Terrain>& field,
                                                 const std::vector<TColor>& a,
                                                 const std::vector<TColor>& b) const {
    return Columns(LidPixels(side), field, a, b);
}

}  // namespace mosaren
