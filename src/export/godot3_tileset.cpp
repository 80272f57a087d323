// Godot 3's TileSet resource: one single tile per sheet cell, each with the sheet as its texture
// and its own region of it. Every tile gets its name, texture, offset, region and mode, as Godot
// 3 writes them; no load_steps, which only feeds a progress bar.

#include "godot_text.h"
#include "godot_tileset.h"

namespace mosaren {

namespace {

constexpr std::int32_t kSheetId = 1;
// TileSet.TileMode: a tile of its own, neither an autotile nor an atlas.
constexpr std::int32_t kSingleTile = 0;

}  // namespace

std::string Godot3TilesetText(const GodotTileset& tileset) {
    std::string text = "[gd_resource type=\"TileSet\" format=2]\n\n";
    text += "[ext_resource path=" + GodotString(tileset.sheet) +
            " type=\"Texture\" id=" + std::to_string(kSheetId) + "]\n\n";
    text += "[resource]\n";
    // The editor names a tile after its texture's file and its id.
    const std::string sheetName = tileset.sheet.substr(tileset.sheet.rfind('/') + 1);
    // A TileMap whose tile origin is Top Left (its default) puts a tile's picture at the top-left
    // corner of the box around the cell's diamond, moved by the offset: a block's picture goes up
    // by its height so that its footprint, the bottom diamond, covers the cell.
    const std::int32_t offsetX = (tileset.tileWidth - tileset.pictureWidth) / 2;
    const std::int32_t offsetY = -tileset.BlockHeight();
    for (std::int32_t k = 0; k < tileset.tileCount; ++k) {
        const std::string tile = std::to_string(k) + "/";
        text += tile + "name = " + GodotString(sheetName + " " + std::to_string(k)) + "\n";
        text += tile + "texture = " + Godot3Value("ExtResource", {kSheetId}) + "\n";
        text += tile + "tex_offset = " + Godot3Value("Vector2", {offsetX, offsetY}) + "\n";
        text += tile + "region = " +
                Godot3Value("Rect2", {tileset.PictureLeft(k), tileset.PictureTop(k),
                                      tileset.pictureWidth, tileset.pictureHeight}) +
                "\n";
        text += tile + "tile_mode = " + std::to_string(kSingleTile) + "\n";
    }
    return text;
}

}  // namespace mosaren
