#include "tile_pictures.h"

#include "texture_import.h"

namespace mosaren::cli {

std::unique_ptr<BlockMaker> BlocksOf(const CliOptions& options) {
    if (!options.block.MakesBlocks()) return nullptr;
    return std::make_unique<BlockMaker>(options.settings, options.block,
                                        AnyFormatReader(options.settings));
}

TBitmap& Picture(TileMaker& maker, BlockMaker* blocks) {
    return blocks ? blocks->Raise(maker) : maker.Tile();
}

}  // namespace mosaren::cli
