// Godot 4's TileSet resource: the sheet as a Texture2D, one TileSetAtlasSource that slices it,
// and the isometric shape of the map's cells. Godot leaves out every value that equals its
// default, and so do we; no load_steps, which only feeds a progress bar.

#include <algorithm>

#include "godot_text.h"
#include "godot_tileset.h"
#include "raster/exceptions.h"

namespace mosaren {

namespace {

const char* const kSheetId = "1";
const char* const kAtlasId = "TileSetAtlasSource_1";

// TileSet.TileShape and TileSet.TileLayout: diamonds, numbered down the map's columns.
constexpr std::int32_t kShapeIsometric = 1;
constexpr std::int32_t kLayoutDiamondDown = 5;
// Godot's default for both the atlas's region size and the tile set's tile size.
constexpr std::int32_t kDefaultSize = 16;

std::string Line(const std::string& key, const std::string& value) {
    return key + " = " + value + "\n";
}

// The cells Godot's atlas finds along one side of the sheet.
std::int32_t GodotCells(std::int32_t size, std::int32_t margin, std::int32_t region,
                        std::int32_t separation) {
    const std::int32_t room = size - margin - region;
    return room < 0 ? 0 : 1 + room / (region + separation);
}

std::string PairLine(const std::string& key, std::int32_t x, std::int32_t y,
                     std::int32_t defaultValue) {
    if (x == defaultValue && y == defaultValue) return "";
    return Line(key, Godot4Value("Vector2i", {x, y}));
}

}  // namespace

std::string Godot4TilesetText(const GodotTileset& tileset) {
    // Godot's atlas grid takes the margins off the left and top only: it counts
    // 1 + (sheet size - margin - region) / (region + separation) cells across and down, which is
    // exactly the sheet's columns and rows while the margin is narrower than region + separation.
    // A wider one would add a column that no tile of ours fills.
    const std::int32_t rows = (tileset.tileCount + tileset.columns - 1) / tileset.columns;
    if (GodotCells(tileset.sheetWidth, tileset.margin, tileset.pictureWidth, tileset.spacing) !=
            tileset.columns ||
        GodotCells(tileset.sheetHeight, tileset.margin, tileset.pictureHeight, tileset.spacing) !=
            std::max(rows, 1)) {
        throw EInvalidOperation(
            "Godot would not find the " + std::to_string(tileset.columns) + " columns and " +
            std::to_string(rows) + " rows of a sheet of " + std::to_string(tileset.sheetWidth) +
            " x " + std::to_string(tileset.sheetHeight) + " pixels with margin " +
            std::to_string(tileset.margin) + " and spacing " + std::to_string(tileset.spacing));
    }
    std::string text = "[gd_resource type=\"TileSet\" format=3]\n\n";
    text += "[ext_resource type=\"Texture2D\" path=" + GodotString(tileset.sheet) +
            " id=" + GodotString(kSheetId) + "]\n\n";
    text += "[sub_resource type=\"TileSetAtlasSource\" id=" + GodotString(kAtlasId) + "]\n";
    text += Line("texture", "ExtResource(" + GodotString(kSheetId) + ")");
    text += PairLine("margins", tileset.margin, tileset.margin, 0);
    text += PairLine("separation", tileset.spacing, tileset.spacing, 0);
    text +=
        PairLine("texture_region_size", tileset.pictureWidth, tileset.pictureHeight, kDefaultSize);
    // Godot draws a tile's picture centred on its cell, less the texture origin: a block's
    // picture is raised by half its height so that its footprint, the bottom diamond, sits on
    // the cell (to within half a pixel when that height is odd: the origin is whole pixels).
    const std::int32_t origin = tileset.BlockHeight() / 2;
    for (std::int32_t k = 0; k < tileset.tileCount; ++k) {
        const std::string tile =
            std::to_string(k % tileset.columns) + ":" + std::to_string(k / tileset.columns) + "/0";
        text += Line(tile, "0");
        text += PairLine(tile + "/texture_origin", 0, origin, 0);
        // Transition tiles: the tile's terrain_set and terrains_peering_bit/*_corner go here.
    }

    text += "\n[resource]\n";
    text += Line("tile_shape", std::to_string(kShapeIsometric));
    text += Line("tile_layout", std::to_string(kLayoutDiamondDown));
    text += PairLine("tile_size", tileset.tileWidth, tileset.tileHeight, kDefaultSize);
    // Transition tiles: terrain_set_0/mode = 1 (corners) and the named terrains go here.
    text += Line("sources/0", "SubResource(" + GodotString(kAtlasId) + ")");
    return text;
}

}  // namespace mosaren
