#include "run_command.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "cli_commands.h"
#include "console.h"
#include "export/run_outputs.h"
#include "out_dir.h"
#include "output_collisions.h"
#include "output_names.h"
#include "raster/display_depth.h"
#include "raster/exceptions.h"
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
        // A name an output cannot carry fails the run before the first tile, not after the last.
        CheckOutputNames(options);
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
        console.Failure(FailureText(std::current_exception()));
    }
    return kExitFailure;
}

std::vector<std::string> RunOutputFiles(const CliOptions& options) {
    const OutputSettings& output = options.output;
    std::vector<std::string> files;
    if (!output.sheet.empty()) files.push_back(output.sheet);
    for (const auto& [tile, texture] : TileFilesOfRun(options)) files.push_back(tile);
    for (const std::string* file :
         {&output.tsx, &output.godot, &output.godot3, &output.mapPreview}) {
        if (!file->empty()) files.push_back(*file);
    }
    return files;
}

}  // namespace mosaren::cli
