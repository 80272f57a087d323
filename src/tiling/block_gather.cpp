#include "block_gather.h"

#include "block_layout.h"
#include "block_maker.h"

namespace mosaren {

BlockGather::BlockGather(const TTileSettings& settings, const BlockSettings& block,
                         const WorkingTexture* left, const WorkingTexture* right)
    : mGeometry{settings.TileWidth, settings.TileHeight, block.height}, mLeft(left), mRight(right) {
    const WorkingTile flat(settings.TileWidth, settings.TileHeight);
    // The flat tile covers exactly the pixels that show the texture.
    Coverage covered(flat.Pixels().size());
    for (std::size_t i = 0; i < covered.size(); ++i) {
        covered[i] = flat.Pixels()[i] != WorkingTile::kNone;
    }
    const std::vector<BlockPixel> layout = LayOutBlock(mGeometry, covered);
    mSources.resize(layout.size());
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const BlockPixel& pixel = layout[i];
        if (!pixel.face || !block.Face(*pixel.face).shown) continue;
        Source& source = mSources[i];
        source.face = static_cast<std::int8_t>(*pixel.face);
        // The tile's rows are the block's first, so a lid pixel has the same index in both.
        source.working = *pixel.face == BlockFace::Top
                             ? flat.Pixels()[i]
                             : pixel.texel.Y * kWorkingTextureSide + pixel.texel.X;
    }
    for (std::size_t face = 0; face < kBlockFaceCount; ++face) {
        mShades[face] = block.Face(static_cast<BlockFace>(face)).shade;
    }
}

TilePixels BlockGather::Raise(const WorkingTexture& own) const { return Raise(own, own, own); }

TilePixels BlockGather::Raise(const WorkingTexture& own, const WorkingTexture& left,
                              const WorkingTexture& right) const {
    const WorkingTexture* textures[kBlockFaceCount] = {&own, mLeft ? mLeft : &left,
                                                       mRight ? mRight : &right};
    TilePixels block(mGeometry.width, mGeometry.PictureHeight());
    for (const WorkingTexture* texture : textures) {
        if (!texture->alpha.empty()) block.hasAlpha = true;
    }
    for (std::size_t i = 0; i < mSources.size(); ++i) {
        const Source& source = mSources[i];
        if (source.face < 0) continue;
        const auto face = static_cast<std::size_t>(source.face);
        const WorkingTexture& texture = *textures[face];
        const auto at = static_cast<std::size_t>(source.working);
        block.pixels[i] =
            CoveredPixel(Shaded(texture.colours[at], mShades[face]),
                         texture.alpha.empty() ? std::uint8_t{255} : texture.alpha[at]);
    }
    return block;
}

}  // namespace mosaren
