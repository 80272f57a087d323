#include "tile_pictures.h"

namespace mosaren::cli {

std::unique_ptr<BlockMaker> BlocksOf(const CliOptions& options) {
    if (!options.block.MakesBlocks()) return nullptr;
    return std::make_unique<BlockMaker>(options.settings, options.block);
}

TBitmap& Picture(TileMaker& maker, BlockMaker* blocks) {
    return blocks ? blocks->Raise(maker) : maker.Tile();
}

}  // namespace mosaren::cli
