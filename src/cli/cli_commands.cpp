#include "cli_commands.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "export/map_preview.h"
#include "export/run_outputs.h"
#include "raster/exceptions.h"
#include "texture_import.h"
#include "tile_pictures.h"
#include "tiling/tile_engine.h"
#include "tiling/tile_maker.h"
#include "tiling/tile_names.h"
#include "tiling/working_texture.h"

namespace mosaren::cli {

namespace {

// What makes a piece's tile, with a picture found damaged as it is read named, as the
// command's message has it nowhere else; a BMP file's failures stay as they were.
template <typename Make>
TilePixels NamingDamage(const std::string& texturePath, bool picture, const Make& make) {
    try {
        return make();
    } catch (const EInvalidGraphic& damaged) {
        if (!picture) throw;
        throw EInvalidGraphic(texturePath + ": " + damaged.Message());
    }
}

// Each piece's block is gathered from the piece's working texture (block_gather.h), with the
// alpha of its pixels; the engine takes the texture first, refusing what it refuses for flat
// tiles.
void TileBlocks(const CliOptions& options, RunOutputs& outputs) {
    const WorkingTiles blocks(options);
    const TTileSettings& settings = options.settings;
    TileEngine engine(settings, options.depth);
    const std::string& texturePath = options.files.at(0);
    const std::string& saveName = options.files.at(1);
    std::unique_ptr<TextureSource> source;
    ReadAnyTextureForPieces(engine, texturePath, source);
    WorkingTextureReader reader(options.depth);
    const std::int32_t across = settings.PiecesAcross;
    const std::int32_t down = settings.PiecesDown;
    for (const PiecePosition piece : engine.Pieces()) {
        const TilePixels block = NamingDamage(texturePath, source != nullptr, [&] {
            return blocks.Of(source ? reader.ReadPiece(*source, across, down, piece)
                                    : reader.ReadPiece(texturePath, across, down, piece));
        });
        outputs.Put(block, PieceTileName(saveName, piece, engine.Divided()));
    }
}

// Flat tiles, and smooth blocks, which the engine makes of the texture at full size.
void TileFlat(const CliOptions& options, RunOutputs& outputs) {
    std::optional<SmoothSideFaces> sides;
    if (options.block.MakesBlocks()) sides.emplace(options);
    const std::unique_ptr<TileEngine> made = RunEngine(options, sides ? &*sides : nullptr);
    TileEngine& engine = *made;
    const std::string& texturePath = options.files.at(0);
    const std::string& saveName = options.files.at(1);
    std::unique_ptr<TextureSource> source;
    ReadAnyTextureForPieces(engine, texturePath, source);
    for (const PiecePosition piece : engine.Pieces()) {
        const TilePixels tile =
            NamingDamage(texturePath, source != nullptr, [&] { return engine.PieceTile(piece); });
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
    if (options.block.MakesBlocks() && options.filter != TileFilter::Smooth) {
        TileBlocks(options, outputs);
    } else {
        TileFlat(options, outputs);
    }
    outputs.Finish();
}

}  // namespace mosaren::cli
