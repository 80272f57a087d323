#pragma once

// Transition tiles for Godot 3, whose tile sets know no terrains of two kinds: the nearest it has
// is an autotile with a 2 × 2 bitmask, whose subtiles each say at which of their four corners the
// autotile's own terrain lies. The 16 transition tiles are exactly the 16 subtiles of such an
// autotile for terrain B, where a corner's bit is set when it is B.
//
// Godot 3 sets a cell's corner bit when the three other cells around that corner hold the same
// autotile: one paints the cells of B with the autotile, and B shows where four of them meet,
// over A everywhere else, which takes the single tile of A. On an isometric TileMap the corners
// of a cell's bitmask are those of the map's grid: top-left is the diamond's top vertex,
// top-right its right vertex, bottom-right the bottom and bottom-left the left, where the turn
// puts the texture's corners of the same names.

#include <string>

#include "godot_tileset.h"

namespace mosaren {

// The autotile's own lines, under its key "id/", after those every tile has (its region the
// sheet's grid): the grid's cells as its subtiles, each with its bitmask. The tileset must have
// terrains.
std::string Godot3AutotileLines(const std::string& key, const GodotTileset& tileset);

}  // namespace mosaren
