// Godot 3's TileSet resource: one single tile per sheet cell, each with the sheet as its texture
// and its own region of it, and for transition tiles an autotile of the whole grid besides. Every
// tile gets its name, texture, offset, region and mode, as Godot 3 writes them; no load_steps,
// which only feeds a progress bar.

#include "godot3_autotile.h"
#include "godot_text.h"
#include "godot_tileset.h"

namespace mosaren {

namespace {

constexpr std::int32_t kSheetId = 1;
// TileSet.TileMode: a tile of its own, or an autotile of subtiles.
constexpr std::int32_t kSingleTile = 0;
constexpr std::int32_t kAutoTile = 1;

struct Region {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
};

// The lines every tile has, under its key "id/".
std::string TileLines(const GodotTileset& tileset, const std::string& key, const std::string& name,
                      const Region& region, std::int32_t mode) {
    // A TileMap whose tile origin is Top Left (its default) puts a tile's picture at the top-left
    // corner of the box around the cell's diamond, moved by the offset: a block's picture goes up
    // by its height so that its footprint, the bottom diamond, covers the cell.
    const std::int32_t offsetX = (tileset.tileWidth - tileset.pictureWidth) / 2;
    const std::int32_t offsetY = -tileset.BlockHeight();
    std::string text = key + "name = " + GodotString(name) + "\n";
    text += key + "texture = " + Godot3Value("ExtResource", {kSheetId}) + "\n";
    text += key + "tex_offset = " + Godot3Value("Vector2", {offsetX, offsetY}) + "\n";
    text += key + "region = " +
            Godot3Value("Rect2", {region.left, region.top, region.width, region.height}) + "\n";
    text += key + "tile_mode = " + std::to_string(mode) + "\n";
    return text;
}

}  // namespace

std::string Godot3TilesetText(const GodotTileset& tileset) {
    std::string text = "[gd_resource type=\"TileSet\" format=2]\n\n";
    text += "[ext_resource path=" + GodotString(tileset.sheet) +
            " type=\"Texture\" id=" + std::to_string(kSheetId) + "]\n\n";
    text += "[resource]\n";
    // The editor names a tile after its texture's file and its id.
    const std::string sheetName = tileset.sheet.substr(tileset.sheet.rfind('/') + 1);
    for (std::int32_t k = 0; k < tileset.tileCount; ++k) {
        const Region region{tileset.PictureLeft(k), tileset.PictureTop(k), tileset.pictureWidth,
                            tileset.pictureHeight};
        text += TileLines(tileset, std::to_string(k) + "/", sheetName + " " + std::to_string(k),
                          region, kSingleTile);
    }
    if (tileset.terrains) {
        // The autotile's subtiles are the grid's cells, so its region is the whole grid.
        const std::int32_t rows = (tileset.tileCount + tileset.columns - 1) / tileset.columns;
        const Region grid{
            tileset.margin, tileset.margin,
            tileset.columns * (tileset.pictureWidth + tileset.spacing) - tileset.spacing,
            rows * (tileset.pictureHeight + tileset.spacing) - tileset.spacing};
        const std::string key = std::to_string(tileset.tileCount) + "/";
        text += TileLines(tileset, key, tileset.terrains->Label(Terrain::B).name, grid, kAutoTile);
        text += Godot3AutotileLines(key, tileset);
    }
    return text;
}

}  // namespace mosaren
