#pragma once

// What a command line asks mosaren-cli to do, read from the arguments as the program received
// them. A command line that cannot be acted on raises EUsageError naming the option at fault.

#include <string>
#include <vector>

#include "export/output_settings.h"
#include "tiling/block_settings.h"
#include "tiling/terrain_border.h"
#include "tiling/smooth_transition.h"
#include "tiling/tile_filter.h"
#include "tiling/tile_settings.h"

namespace mosaren::cli {

enum class CliCommand { Tile, Batch, Transitions, Build };

struct CliOptions {
    CliCommand command = CliCommand::Tile;
    // tile: the texture and the save name; batch: the textures, in the order given;
    // transitions: the textures of terrains A and B and the save name; build: the project file.
    std::vector<std::string> files;
    TTileSettings settings;
    int depth = 32;  // bits per pixel of the BMP files
    TileFilter filter = TileFilter::Nearest;
    OutputSettings output;
    BlockSettings block;  // flat tiles unless --block
    TerrainBorder border;  // transitions only
    int variants = 1;      // transitions: the variants of each of the 16 tiles
    double feather = kDefaultFeather;  // smooth transitions: the soft border's width, tile pixels
    bool keepGoing = false;
    bool overwriteInputs = false;  // a tile file may replace a texture of the run
    bool quiet = false;
    int jobs = 1;  // batch: tiles made at once; the number of cores unless --jobs says
    std::string outDir;      // empty: tiles beside their textures, names as given
    bool recursive = false;  // batch: folders below a folder argument too
    bool force = false;      // build: every set, whether changed or not
    bool watch = false;      // build: again whenever an input changes
};

struct CliRequest {
    enum class Kind { Run, Help, Version };
    Kind kind = Kind::Run;
    CliOptions options;  // for Run
    std::string text;    // for Help and Version: what goes to stdout
};

// arguments: every argument byte for byte, the program's name first.
CliRequest ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace mosaren::cli
