#include "run_command.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "cli_commands.h"
#include "console.h"
#include "export/run_files.h"
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
    std::vector<std::string> files;
    for (const RunFile& file : RunFilesOf(options.output)) files.push_back(file.file);
    // The tile files after the sheet, where the run writes them; none with a sheet.
    const std::size_t tilesAt = options.output.sheet.empty() ? 0 : 1;
    std::vector<std::string> tiles;
    for (const auto& [tile, texture] : TileFilesOfRun(options)) tiles.push_back(tile);
    files.insert(files.begin() + static_cast<std::ptrdiff_t>(tilesAt), tiles.begin(), tiles.end());
    return files;
}

}  // namespace mosaren::cli
