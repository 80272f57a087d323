#pragma once

// The terrains of the 16 transition tiles between grass and sand, as a run of the transitions
// command hands them to the tileset writers.

#include "export/terrain_set.h"

namespace mosaren::testing {

inline TerrainSet GrassAndSand() {
    TerrainSet set;
    set.terrains = {TerrainLabel{"grass", Rgb(40, 90, 30)},
                    TerrainLabel{"sand", Rgb(230, 200, 128)}};
    for (int index = 0; index < kTransitionTileCount; ++index) {
        set.tiles.push_back(TransitionCorners(index));
    }
    return set;
}

}  // namespace mosaren::testing
