#include "cli_commands.h"

#include <memory>
#include <optional>

#include "export/map_preview.h"
#include "export/run_outputs.h"
#include "raster/exceptions.h"
#include "texture_import.h"
#include "tile_pictures.h"
#include "tiling/block_maker.h"
#include "tiling/tile_engine.h"
#include "tiling/tile_maker.h"
#include "tiling/tile_names.h"

namespace mosaren::cli {

namespace {

// Blocks take the reference tile maker's path: a block's side faces need the working texture
// that the maker keeps beside each tile, and the tile engine makes none.
void TileBlocks(const CliOptions& options, RunOutputs& outputs) {
    const std::unique_ptr<BlockMaker> blocks = BlocksOf(options);
    TileMaker maker(options.settings, AnyFormatReader(options.settings));
    const std::string& saveName = options.files.at(1);
    maker.ReadTextureForPieces(options.files.at(0));
    for (const PiecePosition piece : maker.Pieces()) {
        maker.MakePieceTexture(piece);
        maker.MakeTile();
        outputs.Take(blocks->Raise(maker), PieceTileName(saveName, piece, maker.Divided()));
    }
}

void TileFlat(const CliOptions& options, RunOutputs& outputs) {
    TileEngine engine(options.settings, options.filter);
    const std::string& saveName = options.files.at(1);
    std::unique_ptr<TextureSource> source;
    ReadAnyTextureForPieces(engine, options.files.at(0), source);
    for (const PiecePosition piece : engine.Pieces()) {
        TilePixels tile;
        try {
            tile = engine.PieceTile(piece);
        } catch (const EInvalidGraphic& damaged) {
            // A picture found damaged as it is read; a BMP file's failures stay as they were.
            if (!source) throw;
            throw EInvalidGraphic(options.files.at(0) + ": " + damaged.Message());
        }
        outputs.Put(tile, PieceTileName(saveName, piece, engine.Divided()));
    }
}

}  // namespace

void RunTileCommand(const CliOptions& options) {
    RunOutputs outputs(options.settings, options.output, options.block);
    const TTileSettings& settings = options.settings;
    if (settings.PiecesAcross != 1 || settings.PiecesDown != 1) {
        // The pieces of one texture are seen right only as they join.
        outputs.SetPreviewCells(PieceMapCells(settings.PiecesAcross, settings.PiecesDown));
    }
    if (options.block.MakesBlocks()) {
        TileBlocks(options, outputs);
    } else {
        TileFlat(options, outputs);
    }
    outputs.Finish();
}

}  // namespace mosaren::cli
