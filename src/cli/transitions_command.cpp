#include "transitions_command.h"

#include <exception>
#include <memory>

#include "console.h"
#include "export/run_outputs.h"
#include "export/terrain_set.h"
#include "export/text_name.h"
#include "raster/exceptions.h"
#include "texture_import.h"
#include "tile_pictures.h"
#include "tiling/terrain_blend.h"
#include "tiling/tile_names.h"

namespace mosaren::cli {

namespace {

// The working texture of a terrain's texture file. One that cannot be read fails with its name
// in front, as in a batch: the reader's own message ("Bitmap image is not valid") would not say
// which of the two it was.
std::unique_ptr<TBitmap> TerrainTexture(const TTileSettings& settings, const std::string& path) {
    try {
        TileMaker reader(settings, AnyFormatReader(settings));
        auto texture = std::make_unique<TBitmap>();
        texture->AssignImage(reader.ReadWorkingTexture(path));
        return texture;
    } catch (const std::exception&) {
        throw Exception(path + ": " + FailureText(std::current_exception()));
    }
}

}  // namespace

void RunTransitionsCommand(const CliOptions& options) {
    const std::string& textureA = options.files.at(0);
    const std::string& textureB = options.files.at(1);
    const std::string& saveName = options.files.at(2);
    const TerrainBlend blend(*TerrainTexture(options.settings, textureA),
                             *TerrainTexture(options.settings, textureB), options.border);
    TerrainSet terrains = TransitionTerrains(textureA, textureB, blend);
    // The terrain names go into the tileset files as text: one they cannot carry fails the run
    // before any tile is written rather than after.
    const OutputSettings& output = options.output;
    if (!output.tsx.empty() || !output.godot.empty() || !output.godot3.empty() ||
        !output.maps.empty()) {
        for (const TerrainLabel& label : terrains.terrains) {
            RequireTextName(label.name, "a tileset file");
        }
    }

    RunOutputs outputs(options.settings, output, options.block);
    outputs.SetTerrains(std::move(terrains));
    TileMaker maker(options.settings);
    const std::unique_ptr<BlockMaker> blocks = BlocksOf(options);
    for (int index = 0; index < kTransitionTileCount; ++index) {
        blend.MakeWorkingTexture(TransitionCorners(index), maker);
        maker.MakeTile();
        outputs.Take(Picture(maker, blocks.get()), TransitionTileName(saveName, index));
    }
    outputs.Finish();
}

}  // namespace mosaren::cli
