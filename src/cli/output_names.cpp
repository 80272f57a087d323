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
    for (const StarterMap& map : output.maps) {
        // Each map names its layer or node after itself, and the tileset it uses from its folder
        // or by its res:// path.
        const std::filesystem::path file(map.file);
        const std::string folder = file.parent_path().string();
        switch (map.kind) {
            case MapKind::Tmx:
                RequireTextName(file.stem().string(), "a map file");
                RequireTextName(RelativePath(output.tsx, folder), "a map file");
                break;
            case MapKind::Tmj:
                RequireTextName(file.stem().string(), "a map file");
                RequireTextName(RelativePath(output.sheet, folder), "a map file");
                break;
            case MapKind::Godot4Scene:
            case MapKind::Godot3Scene: {
                GodotString(file.stem().string());
                const std::string& tileset =
                    map.kind == MapKind::Godot4Scene ? output.godot : output.godot3;
                const auto path =
                    GodotResourcePath(tileset, GodotProjectFolder(tileset, output.godotRoot));
                if (path) {
                    RequireGodotReadsAsWritten(*path);
                    GodotString(*path);
                }
                break;
            }
        }
    }
}

}  // namespace mosaren::cli
