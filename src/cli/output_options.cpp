#include "output_options.h"

#include <QCommandLineParser>
#include <algorithm>

#include "cli_options.h"
#include "export/godot_project.h"
#include "export/tile_sheet.h"
#include "godot_options.h"
#include "option_values.h"
#include "out_dir.h"
#include "parser_options.h"
#include "tiling/terrain_corners.h"
#include "tiling/tile_geometry.h"
#include "usage_error.h"

namespace mosaren::cli {

namespace {

constexpr std::int32_t kMostColumns = 999;
constexpr std::int32_t kWidestGap = 255;

const char* FormatName(ImageFormat format) { return format == ImageFormat::Png ? "png" : "bmp"; }

void ReadSheetOptions(const QCommandLineParser& parser, const ParserOptions& options,
                      const CliOptions& result, OutputSettings& output) {
    for (const QCommandLineOption* option :
         {&options.columns, &options.margin, &options.spacing, &options.extrude}) {
        if (parser.isSet(*option) && !parser.isSet(options.sheet)) {
            throw EUsageError(Spelling(*option) + " is for --sheet only");
        }
    }
    if (!parser.isSet(options.sheet)) return;

    const bool divided = result.settings.PiecesAcross * result.settings.PiecesDown > 1;
    if (result.command == CliCommand::Tile && !divided) {
        throw EUsageError(
            "--sheet is for a batch, or for a tile cut into pieces with --pieces: "
            "one tile makes no sheet");
    }
    output.sheet = InOutDir(result.outDir, FileName(parser, options.sheet));
    // The name's own suffix settles the format when it is .bmp or .png; --format must agree.
    for (ImageFormat format : {ImageFormat::Bmp, ImageFormat::Png}) {
        if (!EndsWithNoCase(output.sheet, std::string(".") + FormatName(format))) continue;
        if (parser.isSet(options.format) && output.format != format) {
            throw EUsageError("--sheet '" + output.sheet + "' names a " + FormatName(format) +
                              " file, but --format says " + FormatName(output.format));
        }
        output.format = format;
    }

    if (parser.isSet(options.columns)) {
        output.columns = WholeNumber(parser, options.columns, 1, kMostColumns);
    }
    if (parser.isSet(options.margin)) {
        output.margin = WholeNumber(parser, options.margin, 0, kWidestGap);
    }
    if (parser.isSet(options.spacing)) {
        output.spacing = WholeNumber(parser, options.spacing, 0, kWidestGap);
    }
    if (parser.isSet(options.extrude)) {
        output.extrude = WholeNumber(parser, options.extrude, 0, kWidestGap);
    }
    // The extruded edges go into the gaps, which must hold them: Tiled finds the tiles by the
    // margin and spacing alone, so the extrusion cannot widen them behind its back.
    if (output.spacing < 2 * output.extrude || output.margin < output.extrude) {
        const std::string e = std::to_string(output.extrude);
        throw EUsageError("--extrude " + e + " needs --spacing " +
                          std::to_string(2 * output.extrude) + " or more and --margin " + e +
                          " or more: the extruded edges go into those gaps");
    }
    // Whether a reader takes the margin off one side of the image or both, the column and row
    // counts it derives from the image's size agree only while the margin is narrower than a
    // cell; a wider one would read as a further column and renumber the tiles.
    const TileGeometry tile = GeometryOf(result.settings, result.block);
    const std::int32_t cell = std::min(tile.width, tile.PictureHeight()) + output.spacing;
    if (output.margin >= cell) {
        throw EUsageError("--margin " + std::to_string(output.margin) +
                          " must be less than the tile's shorter side plus --spacing, " +
                          std::to_string(cell) + ", or it reads as a further column of tiles");
    }

    // The sheet's size is known before the first tile: every texture of a batch, every piece
    // of a tile, every transition tile gives one cell. A sheet too large to make is refused
    // before any work.
    std::size_t tiles = kTransitionTileCount;
    if (result.command == CliCommand::Batch) tiles = result.files.size();
    if (result.command == CliCommand::Tile) {
        tiles = static_cast<std::size_t>(result.settings.PiecesAcross) * result.settings.PiecesDown;
    }
    const SheetLayout layout = LayOutSheet(tiles, tile.width, tile.PictureHeight(),
                                           output.columns, output.margin, output.spacing);
    try {
        CheckSheetSize(layout);
    } catch (const EInvalidOperation&) {
        throw EUsageError("--sheet '" + output.sheet + "' of " + std::to_string(tiles) +
                          " tiles would be " + std::to_string(layout.Width()) + " x " +
                          std::to_string(layout.Height()) + " pixels, too large to make");
    }
}

// The starter maps, once the sheet, the tileset files and their format are read: each map's
// kind by its suffix, and what it needs to be opened as it is written.
void ReadMapOptions(const QCommandLineParser& parser, const ParserOptions& options,
                    const std::string& outDir, OutputSettings& output) {
    if (!parser.isSet(options.map)) return;
    const std::string list = FileName(parser, options.map);
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, comma - start);
        start = comma + 1;
        if (name.empty()) throw EUsageError("--map '" + list + "' holds an empty file name");
        const std::string file = InOutDir(outDir, name);
        StarterMap map{file, MapKind::Tmx};
        if (EndsWithNoCase(file, ".tmx")) {
            if (output.tsx.empty()) {
                throw EUsageError("--map '" + file + "' needs --tsx: the Tiled map takes its "
                                  "tiles from that tileset");
            }
        } else if (EndsWithNoCase(file, ".tmj")) {
            // Web engines slice one picture by its grid, and none of them keys a colour out.
            map.kind = MapKind::Tmj;
            if (output.sheet.empty() || output.format != ImageFormat::Png) {
                throw EUsageError("--map '" + file + "' needs a PNG --sheet: web engines take "
                                  "a tileset only as one picture, and none keys out a mask colour");
            }
        } else if (EndsWithNoCase(file, ".tscn")) {
            if (output.godot.empty() == output.godot3.empty()) {
                throw EUsageError("--map '" + file + "' needs one of --godot and --godot3, not " +
                                  (output.godot.empty() ? "neither" : "both") +
                                  ": the scene's TileMap uses that tile set, and Godot 4 and "
                                  "Godot 3 each need a project of their own");
            }
            map.kind = output.godot.empty() ? MapKind::Godot3Scene : MapKind::Godot4Scene;
            const std::string& tileset = output.godot.empty() ? output.godot3 : output.godot;
            const std::string project = GodotProjectFolder(tileset, output.godotRoot);
            if (!GodotResourcePath(tileset, project) || !GodotResourcePath(file, project)) {
                throw EUsageError("--map '" + file + "' and its tile set '" + tileset +
                                  "' must lie inside the Godot project '" +
                                  (project.empty() ? "." : project) +
                                  "'; say where the project is with --godot-root");
            }
        } else {
            throw EUsageError("--map '" + file + "' is not a .tmx, .tmj or .tscn name");
        }
        output.maps.push_back(map);
    }
}

}  // namespace

void ReadOutputOptions(const QCommandLineParser& parser, const ParserOptions& options,
                       CliOptions& result) {
    OutputSettings& output = result.output;
    if (parser.isSet(options.format)) {
        const std::string text = Value(parser, options.format);
        const auto format = ParseFormat(text);
        if (!format) {
            throw EUsageError("--format '" + text + "' is not bmp or png");
        }
        output.format = *format;
    }
    ReadSheetOptions(parser, options, result, output);
    if (output.format == ImageFormat::Png && parser.isSet(options.depth)) {
        throw EUsageError("--depth is for BMP files only: PNG files are always 8-bit RGBA");
    }
    if (parser.isSet(options.tsx)) {
        output.tsx = InOutDir(result.outDir, FileName(parser, options.tsx));
        // Tiled draws each image of a collection as it is: the transparent colour of a tileset
        // applies to a sheet only, so BMP tiles would show their mask colour over their
        // neighbours.
        if (output.sheet.empty() && output.format == ImageFormat::Bmp) {
            throw EUsageError("--tsx of separate BMP tiles would show their mask colour in Tiled, "
                              "which keys out a colour only in a sheet: add --format png or "
                              "--sheet");
        }
    }
    if (parser.isSet(options.mapPreview)) {
        output.mapPreview = InOutDir(result.outDir, FileName(parser, options.mapPreview));
        if (!EndsWithNoCase(output.mapPreview, ".png")) {
            throw EUsageError("--map-preview '" + output.mapPreview +
                              "' is not a .png name: the preview is always a PNG picture");
        }
    }
    ReadGodotOptions(parser, options, result.outDir, output);
    ReadMapOptions(parser, options, result.outDir, output);
}

}  // namespace mosaren::cli
