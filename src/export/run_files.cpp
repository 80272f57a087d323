#include "run_files.h"

#include <array>
#include <filesystem>

#include "file_suffix.h"
#include "godot_project.h"
#include "godot_scene.h"
#include "godot_text.h"
#include "godot_tileset.h"
#include "run_writers.h"
#include "text_name.h"
#include "tiled_map.h"
#include "tsx_writer.h"

namespace mosaren {

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return std::filesystem::path(a).lexically_normal() ==
           std::filesystem::path(b).lexically_normal();
}

std::vector<RunFile> One(const std::string& file) {
    if (file.empty()) return {};
    return {RunFile{{}, RunFileRole::Sheet, file}};
}

// A tile set file's name: Godot takes a text resource by its .tres suffix.
template <const char* kSpelling>
std::string CheckGodotName(const std::string& given) {
    if (EndsWithNoCase(given, ".tres")) return {};
    return std::string(kSpelling) + " '" + given +
           "' is not a .tres name: Godot reads a text resource by that suffix";
}

std::string CheckGodotTileset(const std::string& spelling, const OutputSettings& output,
                              const std::string& file) {
    if (output.sheet.empty()) {
        return spelling + " needs --sheet: the tile set is an atlas of the sheet";
    }
    // Godot has no colour key for a picture: a 24-bit BMP sheet would show the mask colour
    // around every diamond, and Godot takes a 32-bit one's fourth bytes, all 0, for alpha.
    if (output.format != ImageFormat::Png) {
        return spelling + " needs a PNG sheet: Godot shows no BMP sheet with its " +
               "mask colour transparent";
    }
    if (!EndsWithNoCase(output.sheet, ".png")) {
        return spelling + " needs a sheet named .png: Godot imports a picture " + "by its suffix";
    }
    const std::string project = GodotProjectFolder(file, output.godotRoot);
    if (!GodotResourcePath(output.sheet, project)) {
        return "--sheet '" + output.sheet + "' lies outside the Godot project '" +
               (project.empty() ? "." : project) + "' of " + spelling +
               ", which names its files by res:// paths from there; say where "
               "the project is with --godot-root";
    }
    return {};
}

// The sheet's res:// path, as the tile set names it from its project.
void CheckGodotSheetName(const OutputSettings& output, const std::string& tileset) {
    if (tileset.empty() || output.sheet.empty()) return;
    const auto path = GodotResourcePath(output.sheet, GodotProjectFolder(tileset, output.godotRoot));
    if (path) {
        RequireGodotReadsAsWritten(*path);
        GodotString(*path);
    }
}

GodotTileset GodotOf(const RunTileset& run) {
    GodotTileset tileset = SheetGodotTileset(run.sheet, run.layout, run.tileCount,
                                             run.geometry.width, run.geometry.footprintHeight);
    tileset.terrains = run.terrains;
    return tileset;
}

template <GodotVersion kVersion>
void WriteGodot(const RunWriters& writers, const RunTileset& run, const RunFile& file) {
    WriteGodotTileset(GodotOf(run), kVersion, file.file,
                      GodotProjectFolder(file.file, writers.Output().godotRoot));
}

void WriteMap(const RunWriters& writers, const RunTileset& run, const RunFile& file) {
    const OutputSettings& output = writers.Output();
    const MapKind kind = file.mapKind;
    if (kind == MapKind::Tmx || kind == MapKind::Tmj) {
        WriteTiledMap(run, kind == MapKind::Tmj, file.file, output.tsx);
        return;
    }
    const bool godot4 = kind == MapKind::Godot4Scene;
    const std::string& tileset = godot4 ? output.godot : output.godot3;
    WriteGodotScene(run, godot4 ? GodotVersion::Godot4 : GodotVersion::Godot3, file.file, tileset,
                    GodotProjectFolder(tileset, output.godotRoot));
}

constexpr char kGodot[] = "--godot";
constexpr char kGodot3[] = "--godot3";

// The starter map's kind by its suffix; a name of no kind is refused by its check.
MapKind MapKindOf(const std::string& file) {
    if (EndsWithNoCase(file, ".tmj")) return MapKind::Tmj;
    return MapKind::Tmx;
}

std::string CheckMap(const OutputSettings& output, const std::string& file) {
    if (EndsWithNoCase(file, ".tmx")) {
        if (output.tsx.empty()) {
            return "--map '" + file + "' needs --tsx: the Tiled map takes its "
                   "tiles from that tileset";
        }
    } else if (EndsWithNoCase(file, ".tmj")) {
        // Web engines slice one picture by its grid, and none of them keys a colour out.
        if (output.sheet.empty() || output.format != ImageFormat::Png) {
            return "--map '" + file + "' needs a PNG --sheet: web engines take "
                   "a tileset only as one picture, and none keys out a mask colour";
        }
    } else if (EndsWithNoCase(file, ".tscn")) {
        if (output.godot.empty() == output.godot3.empty()) {
            return "--map '" + file + "' needs one of --godot and --godot3, not " +
                   (output.godot.empty() ? "neither" : "both") +
                   ": the scene's TileMap uses that tile set, and Godot 4 and "
                   "Godot 3 each need a project of their own";
        }
        const std::string& tileset = output.godot.empty() ? output.godot3 : output.godot;
        const std::string project = GodotProjectFolder(tileset, output.godotRoot);
        if (!GodotResourcePath(tileset, project) || !GodotResourcePath(file, project)) {
            return "--map '" + file + "' and its tile set '" + tileset +
                   "' must lie inside the Godot project '" + (project.empty() ? "." : project) +
                   "'; say where the project is with --godot-root";
        }
    } else {
        return "--map '" + file + "' is not a .tmx, .tmj or .tscn name";
    }
    return {};
}

// Each map names its layer or node after itself, and the tileset it uses from its folder or by
// its res:// path.
void CheckMapNames(const OutputSettings& output, const StarterMap& map) {
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
            const auto path = GodotResourcePath(tileset, GodotProjectFolder(tileset, output.godotRoot));
            if (path) {
                RequireGodotReadsAsWritten(*path);
                GodotString(*path);
            }
            break;
        }
    }
}

const std::array kOutputs{
    OutputKind{
        .option = "sheet",
        .valueName = "FILE",
        .help = "All tiles of the run in one image FILE instead of separate files (batch, or "
                "tile with --pieces), row by row in the order they are made. A .png or .bmp "
                "name sets the format.",
        .role = RunFileRole::Sheet,
        .step = 0,
        .store = [](OutputSettings& output, const std::string& file) { output.sheet = file; },
        .files = [](const OutputSettings& output) { return One(output.sheet); },
        .write = [](const RunWriters& writers, const RunTileset& run,
                    const RunFile&) { writers.WriteSheet(run); },
    },
    OutputKind{
        .option = "tsx",
        .valueName = "FILE",
        .help = "Write a Tiled tileset for what the run wrote: the sheet, or one image per tile "
                "file. Paths in it are relative to its folder.",
        .role = RunFileRole::Tileset,
        .store = [](OutputSettings& output, const std::string& file) { output.tsx = file; },
        .check = [](const OutputSettings& output, const std::string&) -> std::string {
            // Tiled draws each image of a collection as it is: the transparent colour of a
            // tileset applies to a sheet only, so BMP tiles would show their mask colour over
            // their neighbours.
            if (output.sheet.empty() && output.format == ImageFormat::Bmp) {
                return "--tsx of separate BMP tiles would show their mask colour in Tiled, "
                       "which keys out a colour only in a sheet: add --format png or --sheet";
            }
            return {};
        },
        .files = [](const OutputSettings& output) { return One(output.tsx); },
        .checkCarriedNames =
            [](const OutputSettings& output, const TileFiles& tileFiles) {
                if (output.tsx.empty()) return;
                // As the tileset writer names them: its own name, and each image from its folder.
                const std::filesystem::path tsx(output.tsx);
                RequireTextName(tsx.stem().string(), "a TSX file");
                const std::string folder = tsx.parent_path().string();
                if (!output.sheet.empty()) {
                    RequireTextName(RelativePath(output.sheet, folder), "a TSX file");
                }
                for (const std::string& tile : tileFiles()) {
                    RequireTextName(RelativePath(tile, folder), "a TSX file");
                }
            },
        .write = [](const RunWriters& writers, const RunTileset& run,
                    const RunFile&) { writers.WriteTileset(run); },
    },
    OutputKind{
        .option = "godot",
        .valueName = "FILE.tres",
        .help = "Write a Godot 4 TileSet resource for the --sheet, which must be a PNG inside "
                "the Godot project: an atlas of isometric tiles.",
        .role = RunFileRole::GodotTileset,
        .step = 2,
        .checkName = CheckGodotName<kGodot>,
        .store = [](OutputSettings& output, const std::string& file) { output.godot = file; },
        .check = [](const OutputSettings& output, const std::string& file) {
            return CheckGodotTileset(kGodot, output, file);
        },
        .files = [](const OutputSettings& output) { return One(output.godot); },
        .checkCarriedNames = [](const OutputSettings& output,
                                const TileFiles&) { CheckGodotSheetName(output, output.godot); },
        .write = WriteGodot<GodotVersion::Godot4>,
    },
    OutputKind{
        .option = "godot3",
        .valueName = "FILE.tres",
        .help = "Write the same tile set for Godot 3.",
        .role = RunFileRole::Godot3Tileset,
        .step = 2,
        .checkName = CheckGodotName<kGodot3>,
        .store = [](OutputSettings& output, const std::string& file) { output.godot3 = file; },
        .check = [](const OutputSettings& output, const std::string& file) -> std::string {
            std::string failure = CheckGodotTileset(kGodot3, output, file);
            if (failure.empty() && !output.godot.empty() && SameName(output.godot, file)) {
                failure = "--godot and --godot3 name the same file: each tile set needs its own";
            }
            return failure;
        },
        .files = [](const OutputSettings& output) { return One(output.godot3); },
        .checkCarriedNames = [](const OutputSettings& output,
                                const TileFiles&) { CheckGodotSheetName(output, output.godot3); },
        .write = WriteGodot<GodotVersion::Godot3>,
    },
    OutputKind{
        .option = "map-preview",
        .valueName = "FILE.png",
        .help = "Write a PNG picture of the tiles on a 6 x 6 isometric map, to check that "
                "they meet without seams.",
        .role = RunFileRole::Preview,
        .writtenLast = true,
        .store = [](OutputSettings& output, const std::string& file) { output.mapPreview = file; },
        .check = [](const OutputSettings&, const std::string& file) -> std::string {
            if (EndsWithNoCase(file, ".png")) return {};
            return "--map-preview '" + file +
                   "' is not a .png name: the preview is always a PNG picture";
        },
        .files = [](const OutputSettings& output) { return One(output.mapPreview); },
        .write = [](const RunWriters& writers, const RunTileset& run,
                    const RunFile&) { writers.WritePreview(run); },
    },
    OutputKind{
        .option = "map",
        .valueName = "FILES",
        .help = "Write starter maps of the tiles, laid out as the map preview, ready to open "
                "(a comma-separated list): FILE.tmx for Tiled (needs --tsx), FILE.tmj, Tiled "
                "JSON for Phaser and other web engines (needs a PNG --sheet), FILE.tscn, a "
                "Godot scene of the --godot or the --godot3 tile set (one of them, not both).",
        .role = RunFileRole::Map,
        .list = true,
        .step = 3,
        .store =
            [](OutputSettings& output, const std::string& file) {
                MapKind kind = MapKindOf(file);
                if (EndsWithNoCase(file, ".tscn")) {
                    kind = output.godot.empty() ? MapKind::Godot3Scene : MapKind::Godot4Scene;
                }
                output.maps.push_back(StarterMap{file, kind});
            },
        .check = CheckMap,
        .files =
            [](const OutputSettings& output) {
                std::vector<RunFile> files;
                for (const StarterMap& map : output.maps) {
                    files.push_back(RunFile{{}, RunFileRole::Map, map.file, map.kind});
                }
                return files;
            },
        .checkCarriedNames =
            [](const OutputSettings& output, const TileFiles&) {
                for (const StarterMap& map : output.maps) CheckMapNames(output, map);
            },
        .write = WriteMap,
    },
};

}  // namespace

std::span<const OutputKind> OutputKinds() { return kOutputs; }

std::vector<RunFile> RunFilesOf(const OutputSettings& output) {
    std::vector<RunFile> files;
    for (const bool last : {false, true}) {
        for (const OutputKind& kind : kOutputs) {
            if (kind.writtenLast != last) continue;
            for (RunFile file : kind.files(output)) {
                file.option = std::string("--") + kind.option;
                file.role = kind.role;
                file.kind = &kind;
                files.push_back(std::move(file));
            }
        }
    }
    return files;
}

}  // namespace mosaren
