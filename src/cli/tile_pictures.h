#pragma once

// What a command hands on for each tile the tile maker makes: the tile itself, or with --block
// the tile raised into its block, its side textures in any format the command line reads.

#include <memory>

#include "cli_options.h"
#include "tiling/block_maker.h"
#include "tiling/tile_maker.h"

namespace mosaren::cli {

// With --block, what raises each tile into its block; it reads the side textures the command
// line names, so that one that cannot be read fails the run before any file is written. None for
// flat tiles.
std::unique_ptr<BlockMaker> BlocksOf(const CliOptions& options);

// What the run hands on for the tile the maker has just made: the tile, or its block.
TBitmap& Picture(TileMaker& maker, BlockMaker* blocks);

}  // namespace mosaren::cli
