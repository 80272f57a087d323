#pragma once

// A tileset's terrains as Tiled's terrain brush takes them: one Wang set of type "corner", a
// Wang colour for each terrain and a Wang tile for each tile, saying the colour at each of its
// corners.
//
// On an isometric map Tiled's corners are those of the map's grid: a tile's top-left corner is
// its diamond's top vertex, top-right the right vertex, bottom-right the bottom and bottom-left
// the left, which are where the turn puts the texture's corners of the same names. A wangid
// lists the edges and corners clockwise from the top edge, "top, top-right, right, bottom-right,
// bottom, bottom-left, left, top-left"; a corner set leaves the edges 0, so a tile's wangid is
// "0,TR,0,BR,0,BL,0,TL" with 1 for terrain A and 2 for B.

#include <string>

#include "terrain_set.h"

class QXmlStreamWriter;

namespace mosaren {

// "0,TR,0,BR,0,BL,0,TL" for a tile with these corners.
std::string CornerWangId(const TerrainCorners& corners);

// Writes the <wangsets> element of set. Raises EInvalidOperation for a terrain name that XML
// cannot carry.
void WriteWangSets(QXmlStreamWriter& writer, const TerrainSet& set);

}  // namespace mosaren
