#include "output_names.h"

#include <filesystem>

#include "cli_options.h"
#include "export/godot_project.h"
#include "export/godot_text.h"
#include "export/text_name.h"
#include "export/tsx_writer.h"
#include "output_collisions.h"

namespace mosaren::cli {

void CheckOutputNames(const CliOptions& options) {
    const OutputSettings& output = options.output;
    if (!output.tsx.empty()) {
        // As the tileset writer names them: its own name, and each image from its folder.
        const std::filesystem::path tsx(output.tsx);
        RequireTextName(tsx.stem().string(), "a TSX file");
        const std::string folder = tsx.parent_path().string();
        if (!output.sheet.empty()) RequireTextName(RelativePath(output.sheet, folder), "a TSX file");
        for (const auto& [tile, texture] : TileFilesOfRun(options)) {
            RequireTextName(RelativePath(tile, folder), "a TSX file");
        }
    }
    for (const std::string& godot : {output.godot, output.godot3}) {
        if (godot.empty() || output.sheet.empty()) continue;
        const auto path = GodotResourcePath(output.sheet, GodotProjectFolder(godot, output.godotRoot));
        if (path) {
            RequireGodotReadsAsWritten(*path);
            GodotString(*path);
        }
    }
}

}  // namespace mosaren::cli
