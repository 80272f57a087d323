#include "output_options.h"

#include <QCommandLineParser>
#include <algorithm>

#include "cli_options.h"
#include "export/run_files.h"
#include "export/tile_sheet.h"
#include "godot_root.h"
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
    const QCommandLineOption& sheet = options.Output(RunFileRole::Sheet);
    for (const QCommandLineOption* option :
         {&options.columns, &options.margin, &options.spacing, &options.extrude}) {
        if (parser.isSet(*option) && !parser.isSet(sheet)) {
            throw EUsageError(Spelling(*option) + " is for --sheet only");
        }
    }
    if (!parser.isSet(sheet)) return;

    const bool divided = result.settings.PiecesAcross * result.settings.PiecesDown > 1;
    if (result.command == CliCommand::Tile && !divided) {
        throw EUsageError(
            "--sheet is for a batch, or for a tile cut into pieces with --pieces: "
            "one tile makes no sheet");
    }
    output.sheet = InOutDir(result.outDir, FileName(parser, sheet));
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
    std::size_t tiles = static_cast<std::size_t>(kTransitionTileCount) * result.variants;
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

// The names an output's option gives, as given: one, or each of a list.
std::vector<std::string> NamesOf(const QCommandLineParser& parser, const QCommandLineOption& option,
                                 const OutputKind& kind) {
    const std::string value = FileName(parser, option);
    if (!kind.list) return {value};
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= value.size();) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        names.push_back(value.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

void Require(const std::string& failure) {
    if (!failure.empty()) throw EUsageError(failure);
}

// The outputs of one step, in the order of their rows: each name checked as given, joined with
// the output folder, stored, then checked against what is read so far.
void ReadOutputStep(const QCommandLineParser& parser, const ParserOptions& options, int step,
                    const std::string& outDir, OutputSettings& output) {
    const std::span<const OutputKind> kinds = OutputKinds();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const OutputKind& kind = kinds[i];
        const QCommandLineOption& option = options.outputs.at(i);
        if (kind.step != step || !parser.isSet(option)) continue;
        for (const std::string& name : NamesOf(parser, option, kind)) {
            if (name.empty()) {
                throw EUsageError(Spelling(option) + " '" + Value(parser, option) +
                                  "' holds an empty file name");
            }
            if (kind.checkName) Require(kind.checkName(name));
            const std::string file = InOutDir(outDir, name);
            kind.store(output, file);
            if (kind.check) Require(kind.check(output, file));
        }
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
    ReadOutputStep(parser, options, 1, result.outDir, output);
    ReadGodotRoot(parser, options, output);
    ReadOutputStep(parser, options, 2, result.outDir, output);
    ReadOutputStep(parser, options, 3, result.outDir, output);
}

}  // namespace mosaren::cli
