#include "output_options.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>

#include "argument_bytes.h"
#include "cli_options.h"
#include "usage_error.h"

namespace mosaren::cli {

namespace {

constexpr std::int32_t kMostColumns = 999;
constexpr std::int32_t kWidestGap = 255;

QCommandLineOption Option(const char* name, const char* description, const char* valueName) {
    return QCommandLineOption(QStringList{QString::fromLatin1(name)},
                              QString::fromLatin1(description), QString::fromLatin1(valueName));
}

bool IsSet(const QCommandLineParser& parser, const char* name) {
    return parser.isSet(QString::fromLatin1(name));
}

std::string Value(const QCommandLineParser& parser, const char* name) {
    return ToBytes(parser.value(QString::fromLatin1(name)));
}

// A file name option's value; an empty one names no file.
std::string FileName(const QCommandLineParser& parser, const char* name) {
    const std::string file = Value(parser, name);
    if (file.empty()) {
        throw EUsageError(std::string("--") + name + " wants a file name");
    }
    return file;
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const char c = text[text.size() - suffix.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != suffix[i]) return false;
    }
    return true;
}

const char* FormatName(ImageFormat format) { return format == ImageFormat::Png ? "png" : "bmp"; }

// A sheet option's number, from low to high.
std::int32_t SheetNumber(const QCommandLineParser& parser, const char* name, std::int32_t low,
                         std::int32_t high) {
    const std::string text = Value(parser, name);
    const auto value = ParseWholeNumber(text, low, high);
    if (!value) {
        throw EUsageError(std::string("--") + name + " '" + text + "' is not a whole number from " +
                          std::to_string(low) + " to " + std::to_string(high));
    }
    return *value;
}

void ReadSheetOptions(const QCommandLineParser& parser, const CliOptions& options,
                      OutputOptions& output) {
    for (const char* name : {"columns", "margin", "spacing", "extrude"}) {
        if (IsSet(parser, name) && !IsSet(parser, "sheet")) {
            throw EUsageError(std::string("--") + name + " is for --sheet only");
        }
    }
    if (!IsSet(parser, "sheet")) return;

    const bool divided = options.settings.PiecesAcross * options.settings.PiecesDown > 1;
    if (options.command == CliCommand::Tile && !divided) {
        throw EUsageError(
            "--sheet is for a batch, or for a tile cut into pieces with --pieces: "
            "one tile makes no sheet");
    }
    output.sheet = FileName(parser, "sheet");
    // The name's own suffix settles the format when it is .bmp or .png; --format must agree.
    for (ImageFormat format : {ImageFormat::Bmp, ImageFormat::Png}) {
        if (!EndsWithNoCase(output.sheet, std::string(".") + FormatName(format))) continue;
        if (IsSet(parser, "format") && output.format != format) {
            throw EUsageError("--sheet '" + output.sheet + "' names a " + FormatName(format) +
                              " file, but --format says " + FormatName(output.format));
        }
        output.format = format;
    }

    if (IsSet(parser, "columns")) output.columns = SheetNumber(parser, "columns", 1, kMostColumns);
    if (IsSet(parser, "margin")) output.margin = SheetNumber(parser, "margin", 0, kWidestGap);
    if (IsSet(parser, "spacing")) output.spacing = SheetNumber(parser, "spacing", 0, kWidestGap);
    if (IsSet(parser, "extrude")) output.extrude = SheetNumber(parser, "extrude", 0, kWidestGap);
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
    const std::int32_t cell =
        std::min(options.settings.TileWidth, options.settings.TileHeight) + output.spacing;
    if (output.margin >= cell) {
        throw EUsageError("--margin " + std::to_string(output.margin) +
                          " must be less than the tile's shorter side plus --spacing, " +
                          std::to_string(cell) + ", or it reads as a further column of tiles");
    }
}

}  // namespace

QList<QCommandLineOption> OutputParserOptions() {
    return {
        Option("format",
               "Image format of the tile files or the sheet: bmp (default) or png. PNG is 8-bit "
               "RGBA: the pixels the turned texture covers are opaque with their exact colour, "
               "even one that equals the mask colour; the rest are fully transparent.",
               "bmp|png"),
        Option("sheet",
               "All tiles of the run in one image FILE instead of separate files (batch, or tile "
               "with --pieces), row by row in the order they are made. A .png or .bmp name "
               "sets the format.",
               "FILE"),
        Option("columns",
               "Sheet columns, 1 to 999 (default: the most nearly square grid, the least N with "
               "N x N >= the tile count).",
               "N"),
        Option("margin",
               "Sheet gap around the tiles, 0 to 255 and less than the tile's shorter side plus "
               "the spacing (default 0).",
               "PX"),
        Option("spacing", "Sheet gap between the tiles, 0 to 255 (default 0).", "PX"),
        Option("extrude",
               "Repeat each tile's edge pixels PX times into the sheet's gaps, so that filtering "
               "reads no background (default 0; needs --spacing 2xPX and --margin PX).",
               "PX"),
        Option("tsx",
               "Write a Tiled tileset for what the run wrote: the sheet, or one image per tile "
               "file. Paths in it are relative to its folder.",
               "FILE"),
        Option("map-preview",
               "Write a PNG picture of the tiles on a 6 x 6 isometric map, to check that they "
               "meet without seams.",
               "FILE.png"),
    };
}

void ReadOutputOptions(const QCommandLineParser& parser, CliOptions& result) {
    OutputOptions& output = result.output;
    if (IsSet(parser, "format")) {
        const std::string text = Value(parser, "format");
        const auto format = ParseFormat(text);
        if (!format) {
            throw EUsageError("--format '" + text + "' is not bmp or png");
        }
        output.format = *format;
    }
    ReadSheetOptions(parser, result, output);
    if (output.format == ImageFormat::Png && IsSet(parser, "depth")) {
        throw EUsageError("--depth is for BMP files only: PNG files are always 8-bit RGBA");
    }
    if (IsSet(parser, "tsx")) output.tsx = FileName(parser, "tsx");
    if (IsSet(parser, "map-preview")) {
        output.mapPreview = FileName(parser, "map-preview");
        if (!EndsWithNoCase(output.mapPreview, ".png")) {
            throw EUsageError("--map-preview '" + output.mapPreview +
                              "' is not a .png name: the preview is always a PNG picture");
        }
    }
}

}  // namespace mosaren::cli
