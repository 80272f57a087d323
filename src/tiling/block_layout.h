#pragma once

// Where each face of a block lies in its picture, and which texture pixel each side-face pixel
// shows. Pure geometry: it depends on the sizes and on which pixels the flat tile covers, never
// on a texture's colours, so one layout serves every block of a run.
//
// A tile W × H raised by D is a picture W × (H + D): the outline is the hexagon (W/2, 0),
// (W, H/2), (W, H/2 + D), (W/2, H + D), (0, H/2 + D), (0, H/2) in pixel-edge coordinates, and
// a pixel takes part when its centre lies inside it.
//
// - Top face: exactly the pixels the flat tile covers (rows 0 to H − 1), so that a block and a
//   flat tile of one texture agree there pixel for pixel. The hexagon's upper edges are the flat
//   diamond's own; where the squeeze puts a pixel of that diamond one off the ideal line, the
//   flat tile wins.
// - Side faces: the pixels the top face does not cover whose centres lie in the band between
//   the top diamond's lower edges and the hexagon's lower edges. A centre left of x = W/2 is on
//   the left face, any other on the right face.
// - Ties, the top-left rule: a centre exactly on the hexagon's lower-left edge is inside, one
//   exactly on its lower-right edge outside; a centre exactly on the top diamond's lower edges
//   belongs to the side face below, so that top and sides meet without a gap. No pixel centre
//   ever lies on the vertical edges.
//
// Face mapping: each side face shows the whole 255 × 255 working texture, nearest-pixel, each
// face pixel one texture pixel. The texture's top edge runs along the top face's lower edge on
// that side and its left edge down the face's left side (x = 0 for the left face, x = W/2 for
// the right), so texture columns follow the face across and texture rows run down it parallel
// to that top edge. A face pixel whose centre lies a fraction s of the face's width W/2 right of
// its left side and a fraction t of D below its top edge shows texture pixel
// (⌊255 · s⌋, ⌊255 · t⌋), t = 1 giving the last row.

#include <cstdint>
#include <optional>
#include <vector>

#include "block_settings.h"
#include "raster/geometry.h"
#include "tile_coverage.h"
#include "tile_geometry.h"

namespace mosaren {

// What one pixel of a block picture shows.
struct BlockPixel {
    std::optional<BlockFace> face;  // none: outside the block
    TPoint texel;                   // on a side face: the working texture's pixel shown
};

// Every pixel of the block picture, row by row from the top-left, for a rise of at least 1.
// tileCoverage is the flat tile's (TileCoverage), W × H.
std::vector<BlockPixel> LayOutBlock(const TileGeometry& geometry, const Coverage& tileCoverage);

// Which pixels of the block picture show a face that the settings show.
Coverage BlockCoverage(const TileGeometry& geometry, const Coverage& tileCoverage,
                       const BlockSettings& block);

}  // namespace mosaren
