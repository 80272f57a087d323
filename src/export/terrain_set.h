#pragma once

// What a tileset file says about the terrains of a run of transition tiles, for Tiled's Wang
// sets and Godot's terrain sets alike: the two terrains, each with a name and a colour for the
// editors to show, and the terrain at each diamond vertex of every tile. Tiles with the same
// corners are variants of one another, which the editors pick among at random; the maps a run
// writes pick among them from a seed.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "raster/colour.h"
#include "tiling/terrain_corners.h"

namespace mosaren {

class TerrainBlend;

struct TerrainLabel {
    std::string name;
    TColor colour = 0;
};

struct TerrainSet {
    std::array<TerrainLabel, 2> terrains;  // A, then B
    std::vector<TerrainCorners> tiles;     // by tile id, every tile of the run
    // Whence the run's maps draw which of the tiles of a cell's corners each cell shows.
    std::uint32_t mapSeed = 1;

    const TerrainLabel& Label(Terrain terrain) const {
        return terrains[terrain == Terrain::A ? 0 : 1];
    }
};

// The 16 transition tiles between the textures of blend in index order, as many times as there
// are variants (tile 16 v + i is tile i of variant v), each terrain named after its texture file
// (the name less its folder and its suffix: "grass" for "tex/grass.bmp") and coloured by the
// mean colour of its working texture, so that an editor's terrain list reads like the textures.
TerrainSet TransitionTerrains(const std::string& textureA, const std::string& textureB,
                              const TerrainBlend& blend, int variants = 1,
                              std::uint32_t mapSeed = 1);

// The id of the first tile with these corners, -1 when there is none.
int TileWithCorners(const TerrainSet& set, const TerrainCorners& corners);

// Which terrain covers the middle of a tile: B when two or more corners are B, as the field at
// the texture's centre says (terrain_field.h).
Terrain CentreTerrain(const TerrainCorners& corners);

}  // namespace mosaren
