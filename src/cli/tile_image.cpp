#include "tile_image.h"

#include <cstring>

#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "tiling/tiler.h"

namespace mosaren::cli {

namespace {

// The colours of every pixel of a bitmap, row by row from the top-left.
std::vector<gdi::ColorRef> ColoursOf(TBitmap& bitmap) {
    std::vector<gdi::ColorRef> colours;
    colours.reserve(static_cast<std::size_t>(bitmap.ImageWidth()) *
                    static_cast<std::size_t>(bitmap.ImageHeight()));
    TCanvas& canvas = bitmap.DrawingSurface();
    for (std::int32_t y = 0; y < bitmap.ImageHeight(); ++y) {
        for (std::int32_t x = 0; x < bitmap.ImageWidth(); ++x) {
            colours.push_back(canvas.ReadPixel(x, y));
        }
    }
    return colours;
}

}  // namespace

Coverage TileCoverage(const TTileSettings& settings) {
    // A tiler of its own, so that the run's working bitmaps and previews are left alone.
    TBitmap texturePreview;
    TBitmap tilePreview;
    Tiler tiler(settings, texturePreview, tilePreview);
    TBitmap& texture = tiler.Texture();
    texture.SetImageHeight(kWorkingTextureSide);
    texture.SetImageWidth(kWorkingTextureSide);  // new area is white
    texture.ConvertDepth(TPixelDepth::Depth24);
    tiler.MakeTile();
    const std::vector<gdi::ColorRef> onWhite = ColoursOf(tiler.Tile());

    for (std::int32_t y = 0; y < kWorkingTextureSide; ++y) {
        std::memset(texture.RowAddress(y), 0, 3 * static_cast<std::size_t>(kWorkingTextureSide));
    }
    tiler.MakeTile();
    const std::vector<gdi::ColorRef> onBlack = ColoursOf(tiler.Tile());

    // Each covered pixel shows white in one tile and black in the other; an uncovered one shows
    // the mask in both, whatever the mask colour and however the tile's depth rounds it.
    Coverage coverage(onWhite.size());
    for (std::size_t i = 0; i < coverage.size(); ++i) {
        coverage[i] = onWhite[i] != onBlack[i];
    }
    return coverage;
}

RgbaImage TileImage(TBitmap& tile, const Coverage& coverage) {
    RgbaImage image(tile.ImageWidth(), tile.ImageHeight());
    const std::vector<gdi::ColorRef> colours = ColoursOf(tile);
    for (std::int32_t y = 0; y < image.Height(); ++y) {
        for (std::int32_t x = 0; x < image.Width(); ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * image.Width() + x;
            if (coverage.at(i)) {
                const gdi::ColorRef c = colours[i];
                image.At(x, y) = Rgba{gdi::RedOf(c), gdi::GreenOf(c), gdi::BlueOf(c), 255};
            }
        }
    }
    return image;
}

}  // namespace mosaren::cli
