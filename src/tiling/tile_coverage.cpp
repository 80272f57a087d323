#include "tile_coverage.h"

#include "tile_maker.h"

namespace mosaren {

namespace {

// The colours of every pixel of the tile the maker makes of a working texture of one colour.
std::vector<TColor> TileOfPlainTexture(TileMaker& maker, TColor colour) {
    constexpr std::int32_t side = kWorkingTextureSide;
    TBitmap& texture = maker.Texture();
    texture.SetImageHeight(side);
    texture.SetImageWidth(side);
    texture.ConvertDepth(TPixelDepth::Depth24);
    texture.WriteColours(TRect{0, 0, side, side}, std::vector<TColor>(side * side, colour));
    maker.MakeTile();
    TBitmap& tile = maker.Tile();
    const TRect whole{0, 0, tile.ImageWidth(), tile.ImageHeight()};
    std::vector<TColor> colours(static_cast<std::size_t>(whole.right) * whole.bottom);
    tile.ReadColours(whole, colours);
    return colours;
}

}  // namespace

Coverage TileCoverage(const TTileSettings& settings) {
    // A maker of its own, so that the working bitmaps of a run are left alone.
    TileMaker maker(settings);
    const std::vector<TColor> onWhite = TileOfPlainTexture(maker, kWhite);
    const std::vector<TColor> onBlack = TileOfPlainTexture(maker, Rgb(0, 0, 0));

    // Each covered pixel shows white in one tile and black in the other; an uncovered one shows
    // the mask in both, whatever the mask colour and however the tile's depth rounds it.
    Coverage coverage(onWhite.size());
    for (std::size_t i = 0; i < coverage.size(); ++i) {
        coverage[i] = onWhite[i] != onBlack[i];
    }
    return coverage;
}

}  // namespace mosaren
