#pragma once

// Smooth blocks: each face of a block (block_layout.h says where it lies) is an affine picture
// of a texture, the lid the flat tile's diamond, each side face a parallelogram below one of the
// lid's lower edges, the texture's top edge along that edge and its left edge down the face's
// left side. So each face is sampled as the flat tile is (smooth_sampling.h), over the whole
// block picture, and the faces are put together pixel by pixel: a pixel where two faces meet
// takes each by the share of it that face covers, so faces meet without a seam or a gap of
// background, and the block's rim is covered in part as the flat tile's is. A side face's shade
// scales its light (linear), as a dimmer light on that face would.

#include <array>
#include <cstdint>
#include <vector>

#include "block_settings.h"
#include "smooth_sampling.h"
#include "tile_geometry.h"
#include "tile_pixels.h"

namespace mosaren {

// Where the face lies in the block picture of geometry.
FacePlacement BlockFacePlacement(const TileGeometry& geometry, BlockFace face);

// One face of a block in linear light, pixel by pixel over the whole block picture; empty: the
// face is not shown.
struct FaceLight {
    std::vector<LinearPixel> pixels;
    bool hasAlpha = false;
};

// The side faces that show textures of their own, or null: the block's own texture.
struct SmoothSides {
    const FaceLight* left = nullptr;
    const FaceLight* right = nullptr;
};

// The face's light from the tile that sampled it.
FaceLight LightOf(const SmoothTile& tile, bool hasAlpha);

// The block whose faces are these (by BlockFace), each shaded as block says and left out where
// it is not shown.
TilePixels ComposeSmoothBlock(const TileGeometry& geometry, const BlockSettings& block,
                              const std::array<const FaceLight*, kBlockFaceCount>& faces);

}  // namespace mosaren
