#include "tile_pictures.h"

#include <memory>

#include "import/picture_import.h"
#include "texture_import.h"

namespace mosaren::cli {

WorkingTexture ReadAnyWorkingTexture(WorkingTextureReader& reader, const std::string& path) {
    if (const std::unique_ptr<TextureSource> source = OpenTexture(path))
        return reader.Read(*source);
    return reader.Read(path);
}

WorkingTiles::WorkingTiles(const CliOptions& options) {
    const BlockSettings& block = options.block;
    if (!block.MakesBlocks()) {
        mFlat.emplace(options.settings.TileWidth, options.settings.TileHeight);
        return;
    }
    WorkingTextureReader reader(options.depth);
    if (!block.leftTexture.empty()) mLeft = ReadAnyWorkingTexture(reader, block.leftTexture);
    if (!block.rightTexture.empty()) mRight = ReadAnyWorkingTexture(reader, block.rightTexture);
    mBlocks.emplace(options.settings, block, mLeft ? &*mLeft : nullptr,
                    mRight ? &*mRight : nullptr);
    mSides.emplace(options.settings.TileWidth, options.settings.TileHeight);
}

TilePixels WorkingTiles::Of(const WorkingTexture& texture) const {
    return mBlocks ? mBlocks->Raise(texture) : mFlat->Tile(texture);
}

TilePixels WorkingTiles::Of(const TransitionGather& transitions, const TerrainCorners& corners,
                            std::uint32_t variant) const {
    return mBlocks ? transitions.Raise(corners, variant, *mBlocks, *mSides)
                   : mFlat->Tile(transitions.Blend(corners, variant));
}

}  // namespace mosaren::cli
