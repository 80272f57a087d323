#pragma once

// The size of a run's tile pictures beside the size of the map cell each stands on. A flat tile
// is its cell, W × H; a block rises above its cell, so its picture is W × (H + rise) and the
// cell is the footprint at the picture's bottom. Tileset writers state both: Tiled draws a tall
// tile bottom-aligned on its cell, Godot wants the picture's centre moved up by rise / 2 from
// the cell's centre (texture origin (0, rise / 2)), Unity a pivot at the footprint's centre,
// (H / 2) / (H + rise) of the picture's height up from its bottom.

#include <cstddef>
#include <cstdint>

#include "block_settings.h"
#include "tile_settings.h"

namespace mosaren {

struct TileGeometry {
    std::int32_t width = 0;            // of the picture and of the cell alike
    std::int32_t footprintHeight = 0;  // the cell's: the flat tile's height H
    std::int32_t rise = 0;             // how far a block reaches above it; 0 for a flat tile

    std::int32_t PictureHeight() const { return footprintHeight + rise; }
    std::size_t PixelCount() const {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(PictureHeight());
    }
};

// The geometry of the tiles made with these settings, flat or raised into blocks.
inline TileGeometry GeometryOf(const TTileSettings& settings, const BlockSettings& block) {
    return TileGeometry{settings.TileWidth, settings.TileHeight, block.height};
}

}  // namespace mosaren
