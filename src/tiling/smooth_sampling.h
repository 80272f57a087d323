#pragma once

// Area-true tiles for painted and photographic textures. The texture (or the piece of it a tile
// is made of) maps affinely onto the W × H diamond: its top-left corner to the top vertex,
// top-right to the right vertex, bottom-left to the left vertex, bottom-right to the bottom
// vertex. A tile pixel is then the average of the texture, texels taken as little squares, over
// the part of the pixel's square that lies inside the diamond: averaged in linear light and
// weighted by texture alpha, with the share of the square inside the diamond as its coverage.
//
// The average is exact. Over the pixel's square, mapped back into the texture and clipped to it
// (a convex polygon Q), the integral of the texture T equals, by Green's theorem, the integral of
// F(u, v) dv around Q's boundary, where F is T integrated along the texture row from its left
// end. F is piecewise linear along a row, so along a straight piece of boundary inside one
// texture row its integral comes from the twice-integrated row G in closed form. Which pieces of
// which pixels' boundaries cross which texture rows depends on the sizes alone; SmoothSampling
// works them out once and SmoothTile then streams the texture through them row by row, in any
// order, holding one row's sums at a time.

#include <cstdint>
#include <vector>

#include "raster/geometry.h"
#include "tile_pixels.h"

namespace mosaren {

// One tile pixel as the smooth sampler makes it: the covered part's colour (sRGB), its alpha
// (the coverage times the average texture alpha there) and the coverage itself, 0 to 1.
struct SmoothPixel {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;
    double coverage = 0.0;

    bool operator==(const SmoothPixel&) const = default;
};

// Where a piece of texture lies in a picture: the picture points (in pixels from its top-left)
// that the piece's top-left, top-right and bottom-left corners go to. The piece maps affinely
// onto the parallelogram they span.
struct FacePlacement {
    double originX, originY;  // the top-left corner
    double rightX, rightY;    // the top-right corner
    double downX, downY;      // the bottom-left corner
};

// The flat tile's placement: the diamond of a tile of w × h.
FacePlacement DiamondPlacement(std::int32_t w, std::int32_t h);

// How many texels of a piece of pieceWidth × pieceHeight placed so one pixel spans.
double PixelAreaOf(const FacePlacement& placement, double pieceWidth, double pieceHeight);

class SmoothSampling {
public:
    // The tile of tileWidth × tileHeight made of the part of a texture from (piece.left,
    // piece.top) to (piece.right, piece.bottom), which must not be empty. Its pixels along the
    // diamond's lower edges are drawn whole (tile_pixels.h tells why).
    SmoothSampling(std::int32_t tileWidth, std::int32_t tileHeight, const TRect& piece);
    // The same for a picture of width × height in which the piece lies as placement says (a
    // block's faces), which must span some area; every pixel is drawn as far as it is covered.
    SmoothSampling(std::int32_t width, std::int32_t height, const TRect& piece,
                   const FacePlacement& placement);

    std::int32_t TileWidth() const { return mTileWidth; }
    std::int32_t TileHeight() const { return mTileHeight; }
    const TRect& Piece() const { return mPiece; }

    // A straight piece of a pixel's boundary inside one texture row, running from u0 to u1 along
    // the row (in texels from the piece's left edge) while v advances by dv, signed so that the
    // boundary runs counter-clockwise; as the integrals take it, worked out once for every
    // texture of the sizes: where u0 and u1 fall, each a texel (clamped to the row) and how far
    // into it, 0 to 1, and the factor of the row's integrals there, dv / (u1 − u0); or, along the
    // v axis (end = kAlongV), dv, which the row's integral at u0 is multiplied by. Two pixels
    // side by side share an edge, which each runs the other way: one piece then stands for
    // both, its integral added to pixel and taken from the other's sums (negated; −1: none).
    struct BoundaryPiece {
        static constexpr std::uint32_t kAlongV = 0xFFFFFFFF;
        std::int32_t pixel;
        std::int32_t negated;
        std::uint32_t start;
        std::uint32_t end;
        float startT;
        float endT;
        double weight;
    };
    // The pieces in row y of the piece (0 = its top row).
    const std::vector<BoundaryPiece>& Row(std::int32_t y) const {
        return mRows[static_cast<std::size_t>(y)];
    }
    // The area of each tile pixel's square inside the diamond, in texels.
    const std::vector<double>& CoveredArea() const { return mCoveredArea; }
    // The area of a whole tile pixel, in texels.
    double PixelArea() const { return mPixelArea; }
    // The share of each tile pixel that the piece covers, 0 to 1.
    double Coverage(std::size_t pixel) const { return ShareOf(mCoveredArea[pixel]); }
    // The share of each tile pixel a picture with transparency draws, 0 to 1: its coverage, but
    // without what the piece's right and bottom edges (the diamond's lower edges) cut off.
    double Drawn(std::size_t pixel) const {
        if (mDrawnArea.empty()) return Coverage(pixel);
        return mCoveredArea[pixel] > 0.0 ? ShareOf(mDrawnArea[pixel]) : 0.0;
    }

private:
    SmoothSampling(std::int32_t width, std::int32_t height, const TRect& piece,
                   const FacePlacement& placement, bool lowerEdgesDrawnWhole);
    // The pieces of a row with each edge that two pixels share taken once.
    static std::vector<BoundaryPiece> Paired(std::vector<BoundaryPiece> pieces);
    double ShareOf(double area) const { return area >= mPixelArea ? 1.0 : area / mPixelArea; }

    std::int32_t mTileWidth;
    std::int32_t mTileHeight;
    TRect mPiece;
    double mPixelArea;
    std::vector<std::vector<BoundaryPiece>> mRows;
    std::vector<double> mCoveredArea;
    std::vector<double> mDrawnArea;  // none where each pixel is drawn as far as it is covered
};

// A tile pixel in linear light: the share of it covered, the covered part's average alpha and
// its colour (the average weighted by alpha; where the part is wholly transparent, its plain
// average), each channel 0 to 1.
struct LinearPixel {
    double coverage = 0.0;
    double drawn = 0.0;  // the share a picture with transparency draws, at least the coverage
    double alpha = 0.0;
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

// The pixel as the outputs take it: its colour in sRGB, alpha and coverage to 8 bits.
TilePixel SmoothTilePixel(const LinearPixel& light);

// One smooth tile in the making: the texture's rows go in, in any order, each once; the tile's
// pixels come out.
class SmoothTile {
public:
    // withAlpha: the rows carry alpha worth averaging; without it every texel counts as opaque.
    SmoothTile(const SmoothSampling& sampling, bool withAlpha);

    std::int32_t Width() const { return mSampling.TileWidth(); }
    std::int32_t Height() const { return mSampling.TileHeight(); }

    // Row y of the texture (in the texture's own rows, from the piece's top to its bottom), as
    // red, green, blue and alpha bytes from the piece's left column to its right.
    void AddRow(std::int32_t y, const std::uint8_t* rgba);
    // The same of a row already in linear light, Channels() values a texel: without alpha red,
    // green and blue; with it red, green and blue times alpha, alpha, then red, green and blue.
    void AddLinearRow(std::int32_t y, const double* values);
    std::size_t Channels() const { return mChannels; }

    // The tile's pixels row by row from the top-left, once every row of the piece was added.
    std::vector<SmoothPixel> Pixels() const;
    // The same as the outputs take them: the covered part's colour, its average alpha and the
    // coverage, each to 8 bits.
    TilePixels Tile() const;
    // What pixel i shows, in linear light, for what composes several tiles (blocks).
    LinearPixel Light(std::size_t i) const;

private:
    // AddRow for C channels (3 opaque, 7 with alpha), fixed so that the loops over them unroll.
    template <std::size_t C>
    void AddRowOf(std::int32_t y, const std::uint8_t* rgba);
    // Adds the row of values (Channels() a texel) through its boundary pieces.
    template <std::size_t C>
    void Integrate(const std::vector<SmoothSampling::BoundaryPiece>& pieces, const double* values);

    const SmoothSampling& mSampling;
    bool mWithAlpha;
    // Sums per tile pixel: opaque, red, green and blue light; with alpha, the light times alpha,
    // the alpha, and the plain light (for a part that is wholly transparent, whose colour still
    // shows where the output has no alpha).
    std::size_t mChannels;
    std::vector<double> mSums;
    // One row's running integrals F and G, reused from row to row.
    std::vector<double> mRowValues;
    std::vector<double> mRowF;
    std::vector<double> mRowG;
};

}  // namespace mosaren
