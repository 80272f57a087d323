#pragma once

// Every file a run writes besides its tiles, named once: the option that asks for it and what
// it is. The writers, the checks before a run (names, collisions), the build's record of what a
// run wrote and the skipping of a run's own outputs among its textures all read this one list,
// so a new output is a row here and its writer.

#include <string>
#include <vector>

#include "output_settings.h"

namespace mosaren {

enum class RunFileRole {
    Sheet,
    Tileset,        // Tiled's TSX
    GodotTileset,   // Godot 4's .tres
    Godot3Tileset,  // Godot 3's .tres
    Map,            // a starter map of the kind its settings say
    Preview,
};

struct RunFile {
    const char* option;  // "--tsx", as messages name it
    RunFileRole role;
    std::string file;
    MapKind mapKind = MapKind::Tmx;  // for a map
};

// The files the settings ask for, in the order the run writes them once its tiles are in place:
// the sheet first, since the others describe it, and the preview last.
inline std::vector<RunFile> RunFilesOf(const OutputSettings& output) {
    std::vector<RunFile> files;
    const auto add = [&files](const char* option, RunFileRole role, const std::string& file) {
        if (!file.empty()) files.push_back(RunFile{option, role, file});
    };
    add("--sheet", RunFileRole::Sheet, output.sheet);
    add("--tsx", RunFileRole::Tileset, output.tsx);
    add("--godot", RunFileRole::GodotTileset, output.godot);
    add("--godot3", RunFileRole::Godot3Tileset, output.godot3);
    for (const StarterMap& map : output.maps) {
        files.push_back(RunFile{"--map", RunFileRole::Map, map.file, map.kind});
    }
    add("--map-preview", RunFileRole::Preview, output.mapPreview);
    return files;
}

}  // namespace mosaren
