#include "godot_scene.h"

#include <filesystem>
#include <system_error>

#include "godot_project.h"
#include "godot_text.h"
#include "map_preview.h"
#include "raster/exceptions.h"
#include "raster/file_replacement.h"

namespace mosaren {

namespace {

// Godot 3's TileMap.Mode: diamonds.
constexpr int kGodot3Isometric = 1;
// CanvasItem.TextureFilter in Godot 4: nearest, no mipmaps.
constexpr int kGodot4Nearest = 1;

// A cell's place as both versions pack it into the first number of its entry: x in the low 16
// bits, y in the high.
std::int64_t PackedCell(int column, int row) { return column | (std::int64_t{row} << 16); }

// The cells of the map, as each version's TileMap stores them: three numbers a cell, the place,
// then the tile. Godot 3: the tile's id, then the autotile coordinate (none). Godot 4 (format 2):
// the atlas source and the tile's column in the atlas, then its row and its alternative (none).
std::string CellNumbers(const RunTileset& run, GodotVersion version) {
    std::string numbers;
    for (int row = 0; row < kMapSide; ++row) {
        for (int column = 0; column < kMapSide; ++column) {
            const std::size_t tile = run.mapCells.at(static_cast<std::size_t>(row * kMapSide + column));
            std::int64_t second = static_cast<std::int64_t>(tile);
            std::int64_t third = 0;
            if (version == GodotVersion::Godot4) {
                const auto columns = static_cast<std::size_t>(run.layout.columns);
                second = static_cast<std::int64_t>(tile % columns) << 16;
                third = static_cast<std::int64_t>(tile / columns);
            }
            for (const std::int64_t number : {PackedCell(column, row), second, third}) {
                numbers += (numbers.empty() ? "" : ", ") + std::to_string(number);
            }
        }
    }
    return numbers;
}

}  // namespace

std::string GodotSceneText(const RunTileset& run, GodotVersion version,
                           const std::string& tilesetPath, const std::string& nodeName) {
    const std::string cells = CellNumbers(run, version);
    const std::string node = "[node name=" + GodotString(nodeName) + " type=\"TileMap\"]\n";
    if (version == GodotVersion::Godot4) {
        return "[gd_scene load_steps=2 format=3]\n\n"
               "[ext_resource type=\"TileSet\" path=" + GodotString(tilesetPath) + " id=\"1\"]\n\n" +
               node +
               "texture_filter = " + std::to_string(kGodot4Nearest) + "\n"
               "tile_set = ExtResource(\"1\")\n"
               "format = 2\n"
               "layer_0/tile_data = PackedInt32Array(" + cells + ")\n";
    }
    return "[gd_scene load_steps=2 format=2]\n\n"
           "[ext_resource path=" + GodotString(tilesetPath) + " type=\"TileSet\" id=1]\n\n" + node +
           "mode = " + std::to_string(kGodot3Isometric) + "\n"
           "tile_set = ExtResource( 1 )\n"
           "cell_size = " + Godot3Value("Vector2", {run.geometry.width, run.geometry.footprintHeight}) + "\n"
           "format = 1\n"
           "tile_data = PoolIntArray( " + cells + " )\n";
}

void WriteGodotScene(const RunTileset& run, GodotVersion version, const std::string& fileName,
                     const std::string& tilesetFile, const std::string& projectFolder) {
    const auto path = GodotResourcePath(tilesetFile, projectFolder);
    if (!path) {
        throw EInvalidOperation("The tile set " + tilesetFile +
                                " lies outside the Godot project folder " +
                                (projectFolder.empty() ? "." : projectFolder) +
                                ", so the scene " + fileName + " cannot name it");
    }
    RequireGodotReadsAsWritten(*path);
    const std::string text = GodotSceneText(run, version, *path,
                                            std::filesystem::path(fileName).stem().string());
    ReplaceFileWithBytes(fileName, text.data(), text.size());
}

std::string Godot3ImportText() {
    return "[remap]\n\n"
           "importer=\"texture\"\n"
           "type=\"StreamTexture\"\n\n"
           "[params]\n\n"
           "flags/filter=false\n";
}

std::string GodotImportFile(const std::string& sheet) { return sheet + ".import"; }

bool WriteGodot3ImportSettings(const std::string& sheet) {
    const std::string file = GodotImportFile(sheet);
    std::error_code error;
    // A link, even a dangling one, is the user's too.
    if (std::filesystem::symlink_status(file, error).type() != std::filesystem::file_type::not_found) {
        return false;
    }
    const std::string text = Godot3ImportText();
    ReplaceFileWithBytes(file, text.data(), text.size());
    return true;
}

}  // namespace mosaren
