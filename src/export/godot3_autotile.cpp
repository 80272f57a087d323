#include "godot3_autotile.h"

#include "godot_text.h"

namespace mosaren {

namespace {

constexpr std::int32_t kBitmask2x2 = 0;  // TileSet.BitmaskMode

// TileSet.AutotileBindings: the corner bits of a 2 × 2 bitmask.
constexpr std::int32_t kBindTopLeft = 1;
constexpr std::int32_t kBindTopRight = 4;
constexpr std::int32_t kBindBottomLeft = 64;
constexpr std::int32_t kBindBottomRight = 256;

std::int32_t Bitmask(const TerrainCorners& c) {
    auto bit = [](Terrain terrain, std::int32_t binding) {
        return terrain == Terrain::B ? binding : 0;
    };
    return bit(c.topLeft, kBindTopLeft) | bit(c.topRight, kBindTopRight) |
           bit(c.bottomLeft, kBindBottomLeft) | bit(c.bottomRight, kBindBottomRight);
}

}  // namespace

std::string Godot3AutotileLines(const std::string& key, const GodotTileset& tileset) {
    const TerrainSet& set = tileset.terrains.value();
    auto coordinate = [&tileset](std::int32_t k) {
        return Godot3Value("Vector2", {k % tileset.columns, k / tileset.columns});
    };
    // Godot 3 keeps no bitmask of 0: a subtile without bits counts as none, and a cell that
    // matches no subtile shows the autotile's icon. So the subtile of A alone, what a cell of B
    // shows when no corner of it is B, is the icon and has no bitmask.
    std::string flags;
    for (std::int32_t k = 0; k < tileset.tileCount; ++k) {
        const std::int32_t bitmask = Bitmask(set.tiles.at(static_cast<std::size_t>(k)));
        if (bitmask == 0) continue;
        flags += (flags.empty() ? " " : ", ") + coordinate(k) + ", " + std::to_string(bitmask);
    }
    const int icon = TileWithCorners(set, {Terrain::A, Terrain::A, Terrain::A, Terrain::A});

    std::string text = key + "autotile/bitmask_mode = " + std::to_string(kBitmask2x2) + "\n";
    text += key + "autotile/bitmask_flags = [" + flags + " ]\n";
    text += key + "autotile/icon_coordinate = " + coordinate(icon < 0 ? 0 : icon) + "\n";
    text += key + "autotile/tile_size = " +
            Godot3Value("Vector2", {tileset.pictureWidth, tileset.pictureHeight}) + "\n";
    text += key + "autotile/spacing = " + std::to_string(tileset.spacing) + "\n";
    return text;
}

}  // namespace mosaren
