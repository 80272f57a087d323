#include "block_maker.h"

#include <vector>

#include "raster/exceptions.h"
#include "tile_maker.h"

namespace mosaren {

namespace {

std::vector<TColor> ColoursOf(const TBitmap& bitmap) {
    const TRect whole{0, 0, bitmap.ImageWidth(), bitmap.ImageHeight()};
    std::vector<TColor> colours(static_cast<std::size_t>(whole.right) *
                                static_cast<std::size_t>(whole.bottom));
    bitmap.ReadColours(whole, colours);
    return colours;
}

// The colours of a side texture, each texel of the layout within them.
std::vector<TColor> SideColours(const TBitmap& texture) {
    if (texture.ImageWidth() != kWorkingTextureSide ||
        texture.ImageHeight() != kWorkingTextureSide) {
        throw EInvalidOperation("A side face needs the 255 x 255 working texture, not " +
                                std::to_string(texture.ImageWidth()) + " x " +
                                std::to_string(texture.ImageHeight()) + " pixels");
    }
    return ColoursOf(texture);
}

std::uint8_t ShadedChannel(std::uint8_t channel, std::int32_t shade) {
    return static_cast<std::uint8_t>((std::int64_t{channel} * shade + kWholeShade / 2) /
                                     kWholeShade);
}

// A side texture named by the settings, as the batch makes a working texture of a texture file.
std::unique_ptr<TBitmap> ReadSideTexture(const TTileSettings& settings, const std::string& path,
                                         const TextureReader& readTexture) {
    if (path.empty()) return nullptr;
    TileMaker reader(settings, readTexture);
    auto texture = std::make_unique<TBitmap>();
    texture->AssignImage(reader.ReadWorkingTexture(path));
    return texture;
}

}  // namespace

TColor Shaded(TColor colour, std::int32_t shade) {
    return Rgb(ShadedChannel(RedOf(colour), shade), ShadedChannel(GreenOf(colour), shade),
               ShadedChannel(BlueOf(colour), shade));
}

void MakeBlock(const TBitmap& tile, const Coverage& tileCoverage, const SideTextures& sides,
               const BlockSettings& block, const TTileSettings& settings, TBitmap& picture) {
    const TileGeometry geometry{tile.ImageWidth(), tile.ImageHeight(), block.height};
    const std::vector<TColor> top = ColoursOf(tile);
    const std::vector<TColor> left = SideColours(sides.left);
    const std::vector<TColor> right = &sides.right == &sides.left ? left : SideColours(sides.right);

    const std::vector<BlockPixel> layout = LayOutBlock(geometry, tileCoverage);
    std::vector<TColor> colours(layout.size(), Rgb(settings.MaskR, settings.MaskG, settings.MaskB));
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const BlockPixel& pixel = layout[i];
        if (!pixel.face || !block.Face(*pixel.face).shown) continue;
        const std::size_t texel =
            static_cast<std::size_t>(pixel.texel.Y) * kWorkingTextureSide + pixel.texel.X;
        // The tile's rows are the block's first, so a top pixel has the same index in both.
        const TColor colour = *pixel.face == BlockFace::Top    ? top[i]
                              : *pixel.face == BlockFace::Left ? left[texel]
                                                               : right[texel];
        colours[i] = Shaded(colour, block.Face(*pixel.face).shade);
    }
    picture.SetImageHeight(geometry.PictureHeight());
    picture.SetImageWidth(geometry.width);
    picture.WriteColours(TRect{0, 0, geometry.width, geometry.PictureHeight()}, colours);
}

BlockMaker::BlockMaker(const TTileSettings& settings, const BlockSettings& block,
                       const TextureReader& readTexture)
    : mSettings(settings),
      mBlock(block),
      mTileCoverage(TileCoverage(settings)),
      mLeftTexture(ReadSideTexture(settings, block.leftTexture, readTexture)),
      mRightTexture(ReadSideTexture(settings, block.rightTexture, readTexture)) {}

TBitmap& BlockMaker::Raise(TileMaker& maker) {
    return Raise(maker, maker.Texture(), maker.Texture());
}

TBitmap& BlockMaker::Raise(TileMaker& maker, const TBitmap& left, const TBitmap& right) {
    // A fresh bitmap for every block, as the tile maker makes a fresh tile.
    mPicture = std::make_unique<TBitmap>();
    MakeBlock(
        maker.Tile(), mTileCoverage,
        SideTextures{mLeftTexture ? *mLeftTexture : left, mRightTexture ? *mRightTexture : right},
        mBlock, mSettings, *mPicture);
    return *mPicture;
}

}  // namespace mosaren
