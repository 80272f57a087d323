#include "cli_commands.h"

#include "export/run_outputs.h"
#include "tiling/tile_engine.h"
#include "tiling/tile_names.h"

namespace mosaren::cli {

void RunTileCommand(const CliOptions& options) {
    RunOutputs outputs(options.settings, options.output);
    TileEngine engine(options.settings);
    const std::string& saveName = options.files.at(1);
    engine.ReadTextureForPieces(options.files.at(0));
    for (const PiecePosition piece : engine.Pieces()) {
        outputs.Put(engine.PieceTile(piece), PieceTileName(saveName, piece, engine.Divided()));
    }
    outputs.Finish();
}

}  // namespace mosaren::cli
