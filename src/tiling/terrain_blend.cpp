#include "terrain_blend.h"

#include <vector>

#include "terrain_field.h"
#include "tile_maker.h"

namespace mosaren {

namespace {

constexpr std::int32_t kSide = kWorkingTextureSide;
constexpr TRect kWholeTexture{0, 0, kSide, kSide};

std::vector<TColor> ColoursOf(const TBitmap& texture) {
    std::vector<TColor> colours(static_cast<std::size_t>(kSide) * kSide);
    texture.ReadColours(kWholeTexture, colours);
    return colours;
}

}  // namespace

TerrainBlend::TerrainBlend(const TTileSettings& settings, const std::string& textureA,
                           const std::string& textureB, const TerrainBorder& border)
    : mBorder(border) {
    // The reader's working bitmaps give way to fresh ones at every texture, so each working
    // texture is kept as a copy.
    TileMaker reader(settings);
    mTextureA.AssignImage(reader.ReadWorkingTexture(textureA));
    mTextureB.AssignImage(reader.ReadWorkingTexture(textureB));
}

void TerrainBlend::MakeWorkingTexture(const TerrainCorners& corners, TileMaker& maker) const {
    const std::vector<Terrain> field = TerrainField(corners, mBorder);
    const std::vector<TColor> a = ColoursOf(mTextureA);
    const std::vector<TColor> b = ColoursOf(mTextureB);
    std::vector<TColor> blend(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        blend[i] = field[i] == Terrain::A ? a[i] : b[i];
    }
    // Fresh working bitmaps for every tile, as for every texture of a batch.
    maker.MakeFreshBitmaps(false);
    TBitmap& texture = maker.Texture();
    texture.SetImageHeight(kSide);
    texture.SetImageWidth(kSide);
    texture.ConvertDepth(TPixelDepth::Depth24);
    texture.WriteColours(kWholeTexture, blend);
}

}  // namespace mosaren
