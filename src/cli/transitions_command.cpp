// The transitions command: the 16 tiles where two terrains meet, in each of the run's variants,
// gathered from the terrains' working textures on several threads at once (--jobs) and taken in
// the order of the tiles (variant by variant), so that the files are what one tile at a time
// would give.

#include "transitions_command.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

#include "console.h"
#include "export/run_outputs.h"
#include "export/terrain_set.h"
#include "export/text_name.h"
#include "raster/decoded_picture.h"
#include "raster/exceptions.h"
#include "tile_pictures.h"
#include "import/picture_import.h"
#include "tiling/ordered_work.h"
#include "tiling/smooth_transition.h"
#include "tiling/tile_engine.h"
#include "tiling/terrain_blend.h"
#include "tiling/tile_names.h"
#include "tiling/transition_gather.h"

namespace mosaren::cli {

namespace {

// The working texture of a terrain's texture file. One that cannot be read fails with its name
// in front, as in a batch: the reader's own message ("Bitmap image is not valid") would not say
// which of the two it was.
WorkingTexture TerrainTexture(WorkingTextureReader& reader, const std::string& path) {
    try {
        return ReadAnyWorkingTexture(reader, path);
    } catch (const std::exception&) {
        throw Exception(path + ": " + FailureText(std::current_exception()));
    }
}

// The colours a terrain is labelled by: its working texture's, the mask where a pixel is too
// transparent for a BMP file to show it.
std::vector<TColor> LabelColours(const WorkingTexture& texture, const CliOptions& options) {
    std::vector<TColor> colours = texture.colours;
    if (texture.alpha.empty()) return colours;
    const TTileSettings& s = options.settings;
    const TColor mask = KeptAtDepth(Rgb(s.MaskR, s.MaskG, s.MaskB), options.depth);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (texture.alpha[i] < kOpaqueFrom) colours[i] = mask;
    }
    return colours;
}

// A terrain's texture whole, for smooth tiles, named as TerrainTexture names it.
TerrainPicture TerrainWhole(TileEngine& engine, const std::string& path) {
    try {
        if (const std::unique_ptr<TextureSource> source = OpenTexture(path))
            return engine.WholeTexture(*source);
        return engine.WholeTexture(path);
    } catch (const std::exception&) {
        throw Exception(path + ": " + FailureText(std::current_exception()));
    }
}

}  // namespace

void RunTransitionsCommand(const CliOptions& options) {
    const std::string& textureA = options.files.at(0);
    const std::string& textureB = options.files.at(1);
    const std::string& saveName = options.files.at(2);
    WorkingTextureReader reader(options.depth);
    WorkingTexture workingA = TerrainTexture(reader, textureA);
    WorkingTexture workingB = TerrainTexture(reader, textureB);
    TerrainSet terrains =
        TransitionTerrains(textureA, textureB,
                           TerrainBlend(LabelColours(workingA, options),
                                        LabelColours(workingB, options), options.border),
                           options.variants, options.border.seed);
    const TransitionGather transitions(std::move(workingA), std::move(workingB), options.border);
    // The terrain names go into the tileset files as text: one they cannot carry fails the run
    // before any tile is written rather than after.
    const OutputSettings& output = options.output;
    if (!output.tsx.empty() || !output.godot.empty() || !output.godot3.empty() ||
        !output.maps.empty()) {
        for (const TerrainLabel& label : terrains.terrains) {
            RequireTextName(label.name, "a tileset file");
        }
    }

    const std::size_t count = terrains.tiles.size();
    RunOutputs outputs(options.settings, output, options.block);
    outputs.SetTerrains(std::move(terrains));
    const WorkingTiles tiles(options);
    // Smooth tiles blend the terrains' textures at full size; their blocks' side faces show
    // the blend continued down the side, or the side textures, read once here.
    std::optional<SmoothTransitions> smooth;
    std::optional<SmoothSideFaces> smoothSides;
    const bool smoothBlocks = options.filter == TileFilter::Smooth && options.block.MakesBlocks();
    if (options.filter == TileFilter::Smooth) {
        TileEngine engine(options.settings, options.depth, options.filter);
        TerrainPicture a = TerrainWhole(engine, textureA);
        TerrainPicture b = TerrainWhole(engine, textureB);
        smooth.emplace(std::move(a), std::move(b), options.border, options.feather,
                       options.settings.TileWidth, options.settings.TileHeight);
        if (smoothBlocks) {
            smoothSides.emplace(options);
            smooth->RaiseBlocks(options.block, smoothSides->Sides());
        }
    }
    using Work = OrderedWork<RunOutputs::PreparedTile>;
    const std::size_t jobs = std::min(static_cast<std::size_t>(options.jobs), count);
    Work work(count, jobs, std::vector<std::size_t>(count, Work::kNoWait),
              [&](std::size_t k, std::size_t) {
                  // Tile k is tile k mod 16 of variant k div 16, as the terrain set numbers it.
                  const int index = static_cast<int>(k % kTransitionTileCount);
                  const auto variant = static_cast<std::uint32_t>(k / kTransitionTileCount);
                  const TerrainCorners corners = TransitionCorners(index);
                  return outputs.Prepare(smoothBlocks ? smooth->Block(corners, variant)
                                         : smooth     ? smooth->Tile(corners, variant)
                                                      : tiles.Of(transitions, corners, variant),
                                         TransitionTileName(saveName, index,
                                                            static_cast<int>(variant)));
              });
    // Each tile goes in place as RunOutputs::Put puts it: a failure is raised after the tiles
    // before it are in place.
    std::exception_ptr placeFailure;
    const RunOutputs::Placed placed = [&placeFailure](std::exception_ptr failure) {
        placeFailure = failure;
        return !failure;
    };
    for (std::size_t k = 0; k < count; ++k) {
        RunOutputs::PreparedTile tile;
        try {
            tile = work.Next();
        } catch (...) {
            const std::exception_ptr failure = std::current_exception();
            if (!outputs.Commit()) std::rethrow_exception(placeFailure);
            std::rethrow_exception(failure);
        }
        if (!outputs.Take(std::move(tile), placed)) std::rethrow_exception(placeFailure);
    }
    outputs.Finish();
}

}  // namespace mosaren::cli
