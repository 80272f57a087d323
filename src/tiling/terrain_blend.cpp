#include "terrain_blend.h"

#include <utility>
#include <vector>

#include "raster/exceptions.h"
#include "terrain_field.h"
#include "tile_maker.h"
#include "tile_settings.h"
#include "transition_sides.h"
#include "working_texture.h"

namespace mosaren {

namespace {

constexpr std::int32_t kSide = kWorkingTextureSide;
constexpr TRect kWholeTexture{0, 0, kSide, kSide};

std::vector<TColor> WorkingTextureColours(const TBitmap& texture) {
    if (texture.ImageWidth() != kSide || texture.ImageHeight() != kSide) {
        throw EInvalidOperation("A terrain needs the 255 x 255 working texture, not " +
                                std::to_string(texture.ImageWidth()) + " x " +
                                std::to_string(texture.ImageHeight()) + " pixels");
    }
    std::vector<TColor> colours(static_cast<std::size_t>(kSide) * kSide);
    texture.ReadColours(kWholeTexture, colours);
    return colours;
}

}  // namespace

TerrainBlend::TerrainBlend(const TBitmap& textureA, const TBitmap& textureB,
                           const TerrainBorder& border)
    : mColoursA(WorkingTextureColours(textureA)),
      mColoursB(WorkingTextureColours(textureB)),
      mBorder(border) {}

TerrainBlend::TerrainBlend(std::vector<TColor> coloursA, std::vector<TColor> coloursB,
                           const TerrainBorder& border)
    : mColoursA(std::move(coloursA)), mColoursB(std::move(coloursB)), mBorder(border) {
    if (mColoursA.size() != kWorkingPixelCount || mColoursB.size() != kWorkingPixelCount) {
        throw EInvalidOperation("A terrain needs the colours of the 255 x 255 working texture");
    }
}

void TerrainBlend::MakeWorkingTexture(const TerrainCorners& corners, TileMaker& maker) const {
    const std::vector<Terrain> field = TerrainField(corners, mBorder);
    std::vector<TColor> blend(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        blend[i] = ColoursOf(field[i])[i];
    }
    // Fresh working bitmaps for every tile, as for every texture of a batch.
    maker.MakeFreshBitmaps(false);
    TBitmap& texture = maker.Texture();
    texture.SetImageHeight(kSide);
    texture.SetImageWidth(kSide);
    texture.ConvertDepth(TPixelDepth::Depth24);
    texture.WriteColours(kWholeTexture, blend);
}

void TerrainBlend::MakeSideTexture(const TerrainCorners& corners, BlockFace side,
                                   const TransitionSides& sides, TBitmap& texture) const {
    const std::vector<Terrain> field = TerrainField(corners, mBorder);
    // Made as the tile's own working texture is, so that a face shows the same colours.
    texture.SetImageHeight(kSide);
    texture.SetImageWidth(kSide);
    texture.ConvertDepth(TPixelDepth::Depth24);
    texture.WriteColours(kWholeTexture, sides.SideColours(side, field, mColoursA, mColoursB));
}

}  // namespace mosaren
