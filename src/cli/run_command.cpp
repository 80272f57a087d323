#include "run_command.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "cli_commands.h"
#include "console.h"
#include "export/run_outputs.h"
#include "out_dir.h"
#include "raster/display_depth.h"
#include "raster/exceptions.h"
#include "tiling/terrain_corners.h"
#include "tiling/tile_names.h"
#include "transitions_command.h"

namespace mosaren::cli {

namespace {

constexpr int kExitFailure = 1;

void MakeOutDir(const std::string& outDir) {
    if (outDir.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(outDir, error);
    if (error || !std::filesystem::is_directory(outDir)) {
        throw Exception("Cannot make the folder " + outDir);
    }
}

}  // namespace

int RunCommand(const CliOptions& options, Console& console) {
    // Before any bitmap exists: device images, and so the tile files, take this depth.
    SetDisplayDepth(options.depth);
    try {
        MakeOutDir(options.outDir);
        if (options.command == CliCommand::Tile) {
            RunTileCommand(options);
            return 0;
        }
        if (options.command == CliCommand::Transitions) {
            RunTransitionsCommand(options);
            return 0;
        }
        return RunBatchCommand(options, console) ? 0 : kExitFailure;
    } catch (const std::exception&) {
        console.Failure(FailureMessage(std::current_exception()));
    }
    return kExitFailure;
}

std::vector<std::string> RunOutputFiles(const CliOptions& options) {
    const OutputSettings& output = options.output;
    std::vector<std::string> files;
    if (!output.sheet.empty()) {
        files.push_back(output.sheet);
    } else if (options.command == CliCommand::Batch) {
        for (const std::string& texture : options.files) {
            files.push_back(TileDestination(output, BatchTileFile(options, texture)));
        }
    } else if (options.command == CliCommand::Transitions) {
        for (int index = 0; index < kTransitionTileCount; ++index) {
            files.push_back(
                TileDestination(output, TransitionTileName(options.files.at(2), index)));
        }
    } else {
        const TTileSettings& settings = options.settings;
        const bool divided = settings.PiecesAcross * settings.PiecesDown > 1;
        for (const PiecePosition piece :
             PiecesInOrder(settings.PiecesAcross, settings.PiecesDown)) {
            files.push_back(
                TileDestination(output, PieceTileName(options.files.at(1), piece, divided)));
        }
    }
    for (const std::string* file :
         {&output.tsx, &output.godot, &output.godot3, &output.mapPreview}) {
        if (!file->empty()) files.push_back(*file);
    }
    return files;
}

}  // namespace mosaren::cli
