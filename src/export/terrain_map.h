#pragma once

// The map the preview paints with transition tiles: a fixed island of B in a sea of A, with a
// pond and a reef, on which every one of the 16 ways of cornering a tile occurs, so that one look
// shows each tile beside its neighbours.

#include <cstddef>
#include <vector>

#include "terrain_set.h"

namespace mosaren {

// The terrain at each vertex of the preview's map, row by row: vertex (c, r) is the top vertex of
// cell (c, r), its right vertex (c + 1, r), its bottom vertex (c + 1, r + 1) and its left vertex
// (c, r + 1).
std::vector<Terrain> TerrainMapVertices();

// The tile of each cell, row by row (as DrawMapPreview takes them): one of set's tiles whose
// corners are the terrains at the cell's vertices, the only one or, among variants, one drawn
// from set.mapSeed and the cell alone, so that a seed gives the same map every time and each
// variant is as likely. Raises EInvalidOperation when set has no such tile.
std::vector<std::size_t> TerrainMapCells(const TerrainSet& set);

}  // namespace mosaren
