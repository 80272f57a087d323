#pragma once

// The side faces of a transition tile's block. A side face shows, column by column, the terrain
// of the lid's edge right above it: under a lid that is grass along its lower-left edge the left
// face is grass, and where that edge passes from grass to sand the face passes with it, so that
// the lid's border runs on down the side. Each face column takes the terrain of the lowest lid
// pixel in its picture column; since the lid keeps each corner's terrain around that corner, a
// face begins and ends with the terrains of its edge's two corners, and the faces of blocks side
// by side on a map join as their lids do.
//
// A face shows a working texture (block_layout.h), each face column one texture column, so the
// choice is made in texture space: the face's texture takes each column from terrain A's working
// texture or from B's. The tile maker's steps and the gather share it.

#include <array>
#include <cstdint>
#include <vector>

#include "block_settings.h"
#include "terrain_corners.h"
#include "working_texture.h"

namespace mosaren {

class TransitionSides {
public:
    // The side faces of blocks of tiles W × H.
    TransitionSides(std::int32_t tileWidth, std::int32_t tileHeight);

    // Of the left or the right face: for each column of the texture it shows, the lid's working
    // texture pixel whose terrain that column takes.
    const std::vector<std::int32_t>& LidPixels(BlockFace side) const;

    // The working texture a side face of the tile whose terrain field is field (terrain_field.h)
    // shows: each column a's or b's, with its alpha.
    WorkingTexture Side(BlockFace side, const std::vector<Terrain>& field, const WorkingTexture& a,
                        const WorkingTexture& b) const;
    // The same of the colours alone, row by row from the top-left.
    std::vector<TColor> SideColours(BlockFace side, const std::vector<Terrain>& field,
                                    const std::vector<TColor>& a,
                                    const std::vector<TColor>& b) const;

private:
    std::array<std::vector<std::int32_t>, 2> mLidPixels;  // the left face's, the right face's
};

}  // namespace mosaren
