#include "cli_options.h"

#include <sched.h>

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <algorithm>

#include "argument_bytes.h"
#include "block_options.h"
#include "option_values.h"
#include "out_dir.h"
#include "output_options.h"
#include "parser_options.h"
#include "texture_folders.h"
#include "transition_options.h"
#include "usage_error.h"

namespace mosaren::cli {

namespace {

const char* const kDescription =
    "Makes isometric map tiles from square textures.\n"
    "\n"
    "Commands:\n"
    "  tile TEXTURE SAVE_NAME  Makes the tile of one texture and writes it to\n"
    "                          SAVE_NAME.bmp; with --pieces NxM the texture is cut\n"
    "                          into N columns and M rows and piece i, j (from 1)\n"
    "                          goes to SAVE_NAME_i_j.bmp.\n"
    "  batch TEXTURE|FOLDER... Makes the tile of every texture and writes it beside\n"
    "                          its texture (or into --out-dir): grass.bmp gives\n"
    "                          grasstile.bmp (the name less its last four\n"
    "                          characters, then tile.bmp: grass.png gives\n"
    "                          grasstile.bmp, grass.jpeg grass.tile.bmp). A FOLDER\n"
    "                          stands for its picture files by name (.bmp, .png,\n"
    "                          .jpg, ...), sorted, with --recursive those below too;\n"
    "                          never the tiles of an earlier run (a file named as\n"
    "                          the tile of a picture beside it), nor this run's\n"
    "                          outputs, nor names that begin with a dot.\n"
    "  transitions A B SAVE_NAME\n"
    "                          Makes the 16 transition tiles between terrain\n"
    "                          textures A and B: tile i = 8 TL + 4 TR + 2 BR + BL,\n"
    "                          a corner's bit 1 where it is B, goes to\n"
    "                          SAVE_NAME_00.bmp ... SAVE_NAME_15.bmp. The texture's\n"
    "                          top-left corner is the diamond's top vertex, top-right\n"
    "                          the right one, bottom-right the bottom, bottom-left\n"
    "                          the left. --tsx and --godot carry the terrains.\n"
    "                          --variants N makes N variants of each tile, tile i\n"
    "                          of variant v at SAVE_NAME_ii_vV.bmp (v from 1) and\n"
    "                          in the sheet's cell 16 v + i.\n"
    "  build [PROJECT]         Builds the tile project PROJECT (default\n"
    "                          mosaren.toml): each of its sets as the tile, batch or\n"
    "                          transitions command would, with the same bytes. Only\n"
    "                          what changed since the last build is made again (the\n"
    "                          record is .PROJECT.build.json beside the outputs);\n"
    "                          --force makes everything, --watch builds again on\n"
    "                          every change until Ctrl-C. Each key of the project\n"
    "                          is an option's long name (size = \"64x32\"); see the\n"
    "                          README for the whole schema.\n"
    "\n"
    "A SAVE_NAME that ends in the output format's suffix (out.png with --format\n"
    "png) gets no second one.\n"
    "\n"
    "Textures:\n"
    "  BMP, PNG, JPEG, GIF (its first frame), TGA, TIFF, WebP and PNM (PBM, PGM,\n"
    "  PPM), told by their content, not their name; no other format. Colour\n"
    "  profiles are converted to sRGB (a PNG gamma without one is not applied) and\n"
    "  orientation tags applied. A damaged picture fails with its name and the\n"
    "  reader's reason. Where a texture has alpha, a PNG tile or sheet\n"
    "  keeps it (each tile pixel has the alpha of the texture pixel it shows, its\n"
    "  colour not premultiplied); a BMP tile shows the mask colour where the\n"
    "  alpha is below 128. Blocks keep it the same way, in their faces.\n"
    "\n"
    "For game engines:\n"
    "  --format png writes the same names with .png in place of .bmp. Transparency\n"
    "  comes from where the turned texture lies, not from colour: a texture pixel\n"
    "  that equals the mask colour stays opaque in a PNG file (in a BMP file it\n"
    "  cannot be told from the mask).\n"
    "  --sheet, --tsx, --godot, --godot3, --map and --map-preview are written once\n"
    "  the last tile is made; a batch stopped by a failure writes none of them, one\n"
    "  run with --keep-going writes them from the tiles that were made. With\n"
    "  --godot3, the sheet's Godot import file (SHEET.png.import) is written with\n"
    "  filtering off, unless one is already there. --tsx of separate tiles needs\n"
    "  --format png: Tiled keys out the mask colour only in a sheet.\n"
    "\n"
    "Blocks and walls:\n"
    "  --block HEIGHT makes each tile W x H a block W x (H + HEIGHT): the tile as its\n"
    "  lid, a left and a right face below it. Sheets, tilesets and the map preview\n"
    "  take the taller pictures; a tileset keeps the W x H grid, on which Tiled\n"
    "  draws each block bottom-aligned.\n"
    "\n"
    "A batch makes its tiles (or blocks) on every core (--jobs), as transitions\n"
    "does; each tile is reported once it and its folder are flushed to the disk, in\n"
    "the order of the textures; a tile for a sheet as made, then the sheet, each\n"
    "tileset and the preview once written. Runs over one folder at once end as one\n"
    "after the other: no lock, each run recycles only replaced files no other run\n"
    "holds.\n"
    "\n"
    "Before any work, a run is refused (status 2) when a file it would write is one\n"
    "it reads, or one another of its outputs writes; names count as the files they\n"
    "reach (./t.bmp, t.bmp, a link or hard link to it are one; a dangling link\n"
    "counts as the file it creates). A tile file may replace a texture of the run\n"
    "only with --overwrite-inputs. A name a tileset cannot carry fails the run\n"
    "before any tile is made.\n"
    "\n"
    "In progress and error lines, a backslash in a file name shows as \\\\, a newline,\n"
    "carriage return and tab as \\n, \\r and \\t, any other control character as \\xHH\n"
    "(bytes 0x80-0x9F outside UTF-8 included), and the characters a terminal acts on\n"
    "(U+0080-U+009F, U+2028, U+2029, bidirectional marks and overrides) as \\u{HHHH};\n"
    "the files keep their names as given.\n"
    "\n"
    "Interrupted by Ctrl-C (SIGINT), SIGTERM, SIGHUP or SIGPIPE (its lines going\n"
    "into a pipe whose reader is gone), a run removes its temporary files and ends\n"
    "as the signal would; every tile already in place is whole.\n"
    "\n"
    "Exit status: 0 when every tile was written, 1 when a texture or tile failed,\n"
    "2 when the command line or the project file is wrong.";

constexpr std::int32_t kMostJobs = 256;

// The cores this process may run on.
int CoreCount() {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (::sched_getaffinity(0, sizeof cores, &cores) != 0) return 1;
    return std::clamp(CPU_COUNT(&cores), 1, kMostJobs);
}

void ReadJobs(const QCommandLineParser& parser, const ParserOptions& options, CliOptions& result) {
    result.jobs = CoreCount();
    if (!parser.isSet(options.jobs)) return;
    if (result.command != CliCommand::Batch && result.command != CliCommand::Transitions) {
        throw EUsageError("--jobs is for the batch and transitions commands only");
    }
    const std::string text = Value(parser, options.jobs);
    const auto jobs = ParseWholeNumber(text, 1, kMostJobs);
    if (!jobs) {
        throw EUsageError("--jobs '" + text + "' is not a whole number from 1 to " +
                          std::to_string(kMostJobs));
    }
    result.jobs = *jobs;
}

void ReadTileOptions(const QCommandLineParser& parser, const ParserOptions& options,
                     CliOptions& result) {
    if (parser.isSet(options.mask)) {
        const std::string text = Value(parser, options.mask);
        const auto mask = ParseMask(text);
        if (!mask) {
            throw EUsageError("--mask '" + text +
                              "' is not R,G,B with each of red, green and blue from 0 to 255");
        }
        result.settings.MaskR = mask->red;
        result.settings.MaskG = mask->green;
        result.settings.MaskB = mask->blue;
    }
    if (parser.isSet(options.size)) {
        const std::string text = Value(parser, options.size);
        const auto size = ParseTileSize(text);
        if (!size) {
            throw EUsageError("--size '" + text +
                              "' is not WxH with the width and the height from 1 to 255");
        }
        result.settings.TileWidth = static_cast<std::uint8_t>(size->first);
        result.settings.TileHeight = static_cast<std::uint8_t>(size->second);
    }
    if (parser.isSet(options.pieces)) {
        if (result.command != CliCommand::Tile) {
            throw EUsageError("--pieces is for the tile command only: the batch never divides "
                              "a texture");
        }
        const std::string text = Value(parser, options.pieces);
        const auto pieces = ParsePieces(text);
        if (!pieces) {
            throw EUsageError("--pieces '" + text +
                              "' is not NxM with the counts across and down from 1 to 19");
        }
        result.settings.PiecesAcross = pieces->first;
        result.settings.PiecesDown = pieces->second;
    }
    if (parser.isSet(options.depth)) {
        const std::string text = Value(parser, options.depth);
        const auto depth = ParseDepth(text);
        if (!depth) {
            throw EUsageError("--depth '" + text + "' is not 32, 24 or 16");
        }
        result.depth = *depth;
        result.output.bmpDepth = *depth;
    }
    if (parser.isSet(options.filter)) {
        const std::string text = Value(parser, options.filter);
        const auto filter = ParseFilter(text);
        if (!filter) {
            throw EUsageError("--filter '" + text + "' is not nearest or smooth");
        }
        result.filter = *filter;
    }
    if (parser.isSet(options.keepGoing) && result.command != CliCommand::Batch) {
        throw EUsageError("--keep-going is for the batch command only");
    }
    result.keepGoing = parser.isSet(options.keepGoing);
    result.overwriteInputs = parser.isSet(options.overwriteInputs);
    result.quiet = parser.isSet(options.quiet);
}

void ReadCommand(const QCommandLineParser& parser, CliOptions& result) {
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        throw EUsageError("no command given: say tile, batch, transitions or build");
    }
    const std::string command = ToBytes(positional.takeFirst());
    if (command == "tile") {
        result.command = CliCommand::Tile;
        if (positional.size() != 2) {
            throw EUsageError(
                "the tile command wants a TEXTURE and a SAVE_NAME, no more and "
                "no less");
        }
    } else if (command == "batch") {
        result.command = CliCommand::Batch;
        if (positional.isEmpty()) {
            throw EUsageError("the batch command wants at least one TEXTURE");
        }
    } else if (command == "transitions") {
        result.command = CliCommand::Transitions;
        if (positional.size() != 3) {
            throw EUsageError(
                "the transitions command wants textures A and B and a SAVE_NAME, "
                "no more and no less");
        }
    } else if (command == "build") {
        result.command = CliCommand::Build;
        if (positional.size() > 1) {
            throw EUsageError("the build command wants at most one PROJECT file");
        }
        if (positional.isEmpty()) positional << QStringLiteral("mosaren.toml");
    } else {
        throw EUsageError("unknown command '" + command +
                          "': say tile, batch, transitions or build");
    }
    for (const QString& file : positional) {
        result.files.push_back(ToBytes(file));
    }
}

// The build takes its settings from the project file alone; the command line says only how to
// run it.
void ReadBuildOptions(const QCommandLineParser& parser, const ParserOptions& options,
                      CliOptions& result) {
    for (const QCommandLineOption& option : options.All()) {
        const std::string spelling = Spelling(option);
        if (!parser.isSet(option) || spelling == "--force" || spelling == "--watch" ||
            spelling == "--quiet") {
            continue;
        }
        throw EUsageError(spelling + " is not for the build command: the project file says " +
                          "it, under the key '" + spelling.substr(2) + "'");
    }
    result.force = parser.isSet(options.force);
    result.watch = parser.isSet(options.watch);
    result.quiet = parser.isSet(options.quiet);
}

// A folder among the batch's textures stands for its pictures, less this run's own outputs.
void ReadTextureFolders(const QCommandLineParser& parser, const ParserOptions& options,
                        CliOptions& result) {
    if (parser.isSet(options.recursive) && result.command != CliCommand::Batch) {
        throw EUsageError("--recursive is for the batch command only");
    }
    result.recursive = parser.isSet(options.recursive);
    if (result.command != CliCommand::Batch) return;
    std::vector<std::string> skip{result.outDir};
    for (std::size_t i = 0; i < OutputKinds().size(); ++i) {
        const QCommandLineOption& option = options.outputs.at(i);
        if (!parser.isSet(option)) continue;
        if (!OutputKinds()[i].list) {
            skip.push_back(InOutDir(result.outDir, Value(parser, option)));
            continue;
        }
        for (const QString& name : parser.value(option).split(QLatin1Char(','))) {
            skip.push_back(InOutDir(result.outDir, ToBytes(name)));
        }
    }
    result.files = ExpandTextureFolders(result.files, result.recursive, skip);
}

}  // namespace

CliRequest ParseCommandLine(const std::vector<std::string>& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    // Help and version are options of our own: the parser's help option also offers Qt's GUI
    // options.
    const ParserOptions options;
    parser.addOptions(options.All());
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("tile, batch, transitions or build."),
                                 QStringLiteral("tile|batch|transitions|build"));
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("TEXTURE SAVE_NAME for tile, TEXTURE... for batch, "
                                                "A B SAVE_NAME for transitions."),
                                 QStringLiteral("FILE..."));

    QStringList list;
    for (const std::string& argument : arguments) {
        list << FromBytes(argument);
    }
    if (!parser.parse(list)) {
        throw EUsageError(ToBytes(parser.errorText()));
    }

    CliRequest request;
    if (parser.isSet(options.help)) {
        request.kind = CliRequest::Kind::Help;
        request.text = parser.helpText().toStdString();
        return request;
    }
    if (parser.isSet(options.version)) {
        request.kind = CliRequest::Kind::Version;
        request.text = std::string("mosaren-cli ") + MOSAREN_VERSION + "\n";
        return request;
    }
    CliOptions& result = request.options;
    ReadCommand(parser, result);
    if (result.command == CliCommand::Build) {
        ReadBuildOptions(parser, options, result);
        return request;
    }
    for (const QCommandLineOption* option : {&options.force, &options.watch}) {
        if (parser.isSet(*option)) {
            throw EUsageError(Spelling(*option) + " is for the build command only");
        }
    }
    if (parser.isSet(options.outDir)) result.outDir = FileName(parser, options.outDir);
    ReadTileOptions(parser, options, result);
    ReadTransitionOptions(parser, options, result);
    ReadJobs(parser, options, result);
    ReadTextureFolders(parser, options, result);
    // Before the outputs, whose sheet cells take the blocks' height.
    ReadBlockOptions(parser, options, result);
    ReadOutputOptions(parser, options, result);
    if (result.command != CliCommand::Batch) {
        std::string& saveName = result.files.back();
        saveName = InOutDir(result.outDir, SaveNameStem(saveName, result.output.format));
    }
    return request;
}

}  // namespace mosaren::cli
