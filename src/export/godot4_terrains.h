#pragma once

// A tile set's terrains as Godot 4 paints with them: terrain set 0 in the mode that matches
// corners, a named and coloured terrain for each of the two (0 for A, 1 for B), and for every tile
// its terrain set, the terrain of its middle and the terrain at each of its corners (its
// "peering bits").
//
// On an isometric tile set Godot's corners are the diamond's vertices, named after where they
// point: top_corner, right_corner, bottom_corner and left_corner, which are where the turn puts
// the texture's top-left, top-right, bottom-right and bottom-left corners.

#include <string>

#include "terrain_set.h"

namespace mosaren {

// The lines of the [resource] section that declare the terrain set.
std::string Godot4TerrainSetLines(const TerrainSet& set);

// The lines that give the tile (its key, "column:row/0") its terrains, in the order Godot writes
// a tile's properties.
std::string Godot4TileTerrainLines(const std::string& tile, const TerrainCorners& corners);

}  // namespace mosaren
