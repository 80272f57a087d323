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

SmoothSideFaces::SmoothSideFaces(const CliOptions& options) {
    TileEngine engine(options.settings, options.depth, TileFilter::Smooth);
    engine.RaiseSmoothBlocks(options.block, {});
    const auto face = [&engine](const std::string& path, BlockFace which) {
        if (const std::unique_ptr<TextureSource> source = OpenTexture(path))
            return engine.SmoothFace(*source, which);
        return engine.SmoothFace(path, which);
    };
    const BlockSettings& block = options.block;
    if (!block.leftTexture.empty()) mLeft = face(block.leftTexture, BlockFace::Left);
    if (!block.rightTexture.empty()) mRight = face(block.rightTexture, BlockFace::Right);
}

SmoothSides SmoothSideFaces::Sides() const {
    return SmoothSides{mLeft ? &*mLeft : nullptr, mRight ? &*mRight : nullptr};
}

std::unique_ptr<TileEngine> RunEngine(const CliOptions& options, const SmoothSideFaces* sides) {
    auto engine = std::make_unique<TileEngine>(options.settings, options.depth, options.filter);
    if (sides) engine->RaiseSmoothBlocks(options.block, sides->Sides());
    return engine;
}

}  // namespace mosaren::cli
