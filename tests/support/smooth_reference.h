#pragma once

// The ideal smooth tile, worked out the other way round from the program's sampler and with
// nothing of the program's code: each texel's square is carried forward onto the tile (a small
// rhombus inside the diamond) and cut by every pixel square it meets; a pixel adds up the cut
// areas, in linear light weighted by alpha. Slow (every texel against every pixel it meets),
// for small textures.

#include <array>
#include <cstdint>
#include <vector>

#include "png_picture.h"

namespace mosaren::testing {

struct ReferenceTexture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgba;  // four bytes for each texel from the top-left

    const std::uint8_t* Texel(std::int32_t x, std::int32_t y) const {
        return &rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)) *
                     4];
    }
};

struct ReferencePixel {
    std::uint8_t red = 0;  // the covered part's colour, sRGB; its plain colour where alpha is 0
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    double alpha = 0.0;     // the covered part's average alpha, 0 to 1
    double coverage = 0.0;  // the share of the pixel inside the diamond, 0 to 1
    double drawn = 0.0;     // the share a PNG draws: the coverage, or more along lower edges
};

// Where a piece of texture goes in a picture: the points its top-left, top-right and bottom-left
// corners go to; it maps affinely onto their parallelogram.
struct ReferencePlacement {
    double originX, originY, rightX, rightY, downX, downY;
};

// What falls into one pixel, in pixel areas: the area covered, the light times alpha, the alpha
// and the plain light.
struct ReferenceSums {
    double covered = 0.0;
    std::array<double, 3> seen{};
    double alpha = 0.0;
    std::array<double, 3> plain{};
};

// The sums of each pixel of a picture of w × h where the piece lies as at says.
std::vector<ReferenceSums> ReferenceFaceSums(const ReferenceTexture& texture, std::int32_t left,
                                             std::int32_t top, std::int32_t right,
                                             std::int32_t bottom, std::int32_t w, std::int32_t h,
                                             const ReferencePlacement& at, bool withAlpha);
// The pixels those sums make.
std::vector<ReferencePixel> ReferencePixels(const std::vector<ReferenceSums>& sums);

// The tile of w × h made of the piece of the texture from (left, top) to (right, bottom), the
// piece's top-left corner at the diamond's top vertex, its top-right at the right vertex. A
// pixel along the diamond's lower edges is drawn as far as it lies below the upper edges, so
// that the tiles a map draws after it blend into it.
std::vector<ReferencePixel> ReferenceSmoothTile(const ReferenceTexture& texture, std::int32_t left,
                                                std::int32_t top, std::int32_t right,
                                                std::int32_t bottom, std::int32_t w,
                                                std::int32_t h, bool withAlpha);

// A block of w × (h + rise): the lid the flat tile's diamond, the left face below its lower-left
// edge and the right face below its lower-right one, each a parallelogram of rise pixels upright,
// the face texture's top edge along the lid's edge and its left edge down the face's left side.
// Each face's light is scaled by its shade; a face without a texture is not shown.
struct ReferenceBlockFaces {
    const ReferenceTexture* textures[3] = {};  // top, left, right
    double shades[3] = {1.0, 1.0, 1.0};
    bool withAlpha = false;
};
std::vector<ReferencePixel> ReferenceSmoothBlock(const ReferenceBlockFaces& faces, std::int32_t w,
                                                 std::int32_t h, std::int32_t rise);

// The textures of a smooth transition tile between terrains a and b (a's sides whole multiples
// of b's; b's texels repeated onto a's grid), for a tile of w × h whose terrain field has the
// level `level` at each pixel of the 255 × 255 working texture, row by row: B's share of each
// texel grows from 0 to 1 across `feather` tile pixels centred on the border, its distance the
// level (read bilinearly between working pixels' centres) over the size of its slope (central
// differences, likewise read), scaled to tile pixels; a feather of 0 or a flat level: B where
// the level is at least 0. The terrains are mixed in linear light, weighted by alpha.
struct ReferenceTransition {
    ReferenceTexture lid;  // the blend
    // A block's side faces (a square a only): the left face's column x is a's and b's column x
    // mixed as the lid's bottom row is at x, the right face's as the lid's right column is x
    // texels up from its bottom, so that each face continues the lid's edge above it.
    ReferenceTexture left;
    ReferenceTexture right;
};
ReferenceTransition ReferenceTransitionTextures(const ReferenceTexture& a,
                                                const ReferenceTexture& b,
                                                const std::vector<double>& level, double feather,
                                                std::int32_t w, std::int32_t h);

// PSNR of the premultiplied colours and the opacity of a PNG tile against the reference, over
// every pixel that either covers.
double SmoothPsnr(const PngPicture& tile, const std::vector<ReferencePixel>& reference);

// The sRGB value of a light from 0 to 1, and back.
double ReferenceLinear(std::uint8_t srgb);
std::uint8_t ReferenceSrgb(double linear);

}  // namespace mosaren::testing
