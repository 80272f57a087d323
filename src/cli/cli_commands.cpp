#include "cli_commands.h"

#include <exception>
#include <memory>

#include "console.h"
#include "export/run_outputs.h"
#include "raster/exceptions.h"
#include "tile_pictures.h"
#include "tiling/block_maker.h"
#include "tiling/tile_maker.h"
#include "tiling/tile_names.h"

namespace mosaren::cli {

void RunTileCommand(const CliOptions& options) {
    RunOutputs outputs(options.settings, options.output, options.block);
    TileMaker maker(options.settings);
    const std::unique_ptr<BlockMaker> blocks = BlocksOf(options);
    const std::string& saveName = options.files.at(1);
    maker.ReadTextureForPieces(options.files.at(0));
    for (const PiecePosition piece : maker.Pieces()) {
        maker.MakePieceTexture(piece);
        maker.MakeTile();
        outputs.Take(Picture(maker, blocks.get()), PieceTileName(saveName, piece, maker.Divided()));
    }
    outputs.Finish();
}

bool RunBatchCommand(const CliOptions& options, Console& console) {
    RunOutputs outputs(options.settings, options.output, options.block);
    TileMaker maker(options.settings);
    // Blocks take the reference tile maker's path, whatever engine makes flat tiles: a block's
    // side faces need the working texture that the maker keeps beside each tile.
    const std::unique_ptr<BlockMaker> blocks = BlocksOf(options);
    const std::size_t count = options.files.size();
    bool allWritten = true;
    for (std::size_t k = 0; k < count; ++k) {
        const std::string& texture = options.files[k];
        try {
            const std::string tile = BatchTileName(texture);
            maker.TileTexture(texture);
            outputs.Take(Picture(maker, blocks.get()), tile);
            console.Progress(k + 1, count, texture, outputs.Destination(tile));
        } catch (const std::exception&) {
            // The texture's name in front: in a batch of hundreds the message alone ("Bitmap
            // image is not valid.") would not say which.
            console.Failure(texture + ": " + FailureMessage(std::current_exception()));
            allWritten = false;
            // A stopped batch leaves the sheet, tileset and preview unwritten rather than partial.
            if (!options.keepGoing) return false;
        }
    }
    outputs.Finish();
    return allWritten;
}

}  // namespace mosaren::cli
