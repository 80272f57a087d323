#pragma once

// Godot TileSet resources for a sheet, so that a Godot project takes a run's tiles as one atlas
// for an isometric map: Godot 4's text format (format=3), whose atlas source slices the sheet by
// its margins, separation and region size, and Godot 3's (format=2), with one single tile per
// cell, each naming its region of the sheet.

#include <cstddef>
#include <cstdint>
#include <string>

#include "tile_sheet.h"

namespace mosaren {

struct GodotTileset {
    // The sheet: its res:// path in the text; its file name, as the program wrote it, for
    // WriteGodotTileset.
    std::string sheet;
    std::int32_t sheetWidth = 0;
    std::int32_t sheetHeight = 0;
    // Of the sheet's grid, exactly as the sheet was laid out (see SheetLayout).
    std::int32_t margin = 0;
    std::int32_t spacing = 0;
    std::int32_t columns = 1;
    std::int32_t tileCount = 0;
    // The map cell's diamond: Godot 4's tile_size, the cell size of a Godot 3 TileMap.
    std::int32_t tileWidth = 0;
    std::int32_t tileHeight = 0;
    // One tile's picture on the sheet: the diamond's size, or for a block as wide and taller by
    // the block's height, with the diamond at its bottom as its footprint.
    std::int32_t pictureWidth = 0;
    std::int32_t pictureHeight = 0;
    // Transition tiles will add here the terrain set (corner mode, its named and coloured
    // terrains) and each tile's terrain at its four corners.

    // Where on the sheet tile k's picture begins (k from 0, row by row).
    std::int32_t PictureLeft(std::int32_t k) const;
    std::int32_t PictureTop(std::int32_t k) const;
    std::int32_t BlockHeight() const { return pictureHeight - tileHeight; }
};

enum class GodotVersion { Godot3, Godot4 };

// The tile set of a sheet of count tiles laid out as layout, whose tile size is the picture
// size, for a map of tileWidth × tileHeight diamonds.
GodotTileset SheetGodotTileset(const std::string& sheet, const SheetLayout& layout,
                               std::size_t count, std::int32_t tileWidth, std::int32_t tileHeight);

// The resource's text, the sheet's path as it stands. Raises EInvalidOperation for a path that
// is not UTF-8 text without control characters, and (Godot 4) for a margin so wide that Godot's
// grid would find another column or row.
std::string Godot4TilesetText(const GodotTileset& tileset);
std::string Godot3TilesetText(const GodotTileset& tileset);

// Writes the resource to fileName, the sheet named by its res:// path in the project whose
// folder is projectFolder. Raises EInvalidOperation when the sheet lies outside that folder.
// Replaced only once complete, as tiles are.
void WriteGodotTileset(GodotTileset tileset, GodotVersion version, const std::string& fileName,
                       const std::string& projectFolder);

}  // namespace mosaren
