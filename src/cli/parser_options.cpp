#include "parser_options.h"

#include <QCommandLineParser>
#include <QStringList>

#include "argument_bytes.h"
#include "option_values.h"
#include "usage_error.h"

namespace mosaren::cli {

namespace {

QCommandLineOption Option(const char* name, const char* description, const char* valueName) {
    return QCommandLineOption(QStringList{QString::fromLatin1(name)},
                              QString::fromLatin1(description), QString::fromLatin1(valueName));
}

// The outputs' options, as their rows declare them.
std::vector<QCommandLineOption> OutputOptions() {
    std::vector<QCommandLineOption> options;
    for (const OutputKind& output : OutputKinds()) {
        options.push_back(Option(output.option, output.help, output.valueName));
    }
    return options;
}

QCommandLineOption Switch(QStringList names, const char* description) {
    return QCommandLineOption(names, QString::fromLatin1(description));
}

}  // namespace

ParserOptions::ParserOptions()
    : help(Switch({QStringLiteral("h"), QStringLiteral("help")}, "Shows this help.")),
      version(Switch({QStringLiteral("v"), QStringLiteral("version")}, "Shows the version.")),
      mask(Option("mask", "Mask colour around the diamond (default 255,0,255).", "R,G,B")),
      size(Option("size", "Tile width x height, 1 to 255 each (default 72x36).", "WxH")),
      pieces(Option("pieces", "tile only: cut the texture into N across x M down, 1 to 19 each.",
                    "NxM")),
      depth(Option("depth", "Bits per pixel of BMP files: 32, 24 or 16 (default 32).", "BITS")),
      filter(Option("filter",
                    "How a tile takes its colours from the texture: nearest (default; each tile "
                    "pixel one texture pixel, for pixel art) or smooth (the average of the "
                    "texture under each tile pixel, read at full size, the diamond's upper rim "
                    "antialiased in PNG files, its lower rim whole so that tiles on a map meet "
                    "without a gap; for painted and photographic textures), for "
                    "flat tiles, blocks, transition tiles and transition blocks.",
                    "nearest|smooth")),
      format(Option("format",
                    "Image format of the tile files or the sheet: bmp (default) or png. PNG is "
                    "8-bit RGBA: the pixels the turned texture covers are opaque with their exact "
                    "colour, even one that equals the mask colour; the rest are fully "
                    "transparent.",
                    "bmp|png")),
      outputs(OutputOptions()),
      columns(Option("columns",
                     "Sheet columns, 1 to 999 (default: the most nearly square grid, the least N "
                     "with N x N >= the tile count).",
                     "N")),
      margin(Option("margin",
                    "Sheet gap around the tiles, 0 to 255 and less than the tile's shorter side "
                    "plus the spacing (default 0).",
                    "PX")),
      spacing(Option("spacing", "Sheet gap between the tiles, 0 to 255 (default 0).", "PX")),
      extrude(Option("extrude",
                     "Repeat each tile's edge pixels PX times into the sheet's gaps, so that "
                     "filtering reads no background (default 0; needs --spacing 2xPX and --margin "
                     "PX).",
                     "PX")),
      godotRoot(Option("godot-root",
                       "The Godot project's folder, from which --godot and --godot3 name the "
                       "sheet by a res:// path (default: the folder of each .tres file).",
                       "DIR")),
      block(Option("block",
                   "Raise each tile into a block HEIGHT pixels high, 1 to 255: the tile as its "
                   "lid and two shaded side faces below it, in a picture of the tile's width and "
                   "its height plus HEIGHT. --block cube makes it a cube: half the tile's width "
                   "high for the 2:1 diamond (64 x 32 gives the 64 x 64 cube), lower for a "
                   "taller diamond.",
                   "HEIGHT")),
      faces(Option("faces",
                   "With --block: the faces shown, any of top, left and right (default all "
                   "three); --faces left makes a wall, --faces left,right a block without a lid.",
                   "LIST")),
      shade(Option("shade",
                   "With --block: each face's colours times a factor from 0 to 1 (default "
                   "1,0.8,0.6, light from the upper left).",
                   "TOP,LEFT,RIGHT")),
      leftTexture(Option("left-texture",
                         "With --block: the texture of the left face (default the tile's own; on a "
                         "transition tile, the terrain of the lid's edge above it).",
                         "FILE")),
      rightTexture(Option("right-texture",
                          "With --block: the texture of the right face (default the tile's own; on a "
                          "transition tile, the terrain of the lid's edge above it).",
                          "FILE")),
      edge(Option("edge",
                  "transitions only: the border between the terrains, straight (default), noise "
                  "(roughened by smooth noise) or dither (scattered pixels). Where both "
                  "textures are pixel art (8 to 128 pixels a side, each way), the border "
                  "follows their texels: each texel shows one terrain whole.",
                  "straight|noise|dither")),
      seed(Option("seed",
                  "With --edge noise or dither, or --variants: the seed of the pattern and of "
                  "the maps' choice of variants, 0 to 4294967295 (default 1).",
                  "N")),
      variants(Option("variants",
                      "transitions only: make N variants of each of the 16 tiles, 1 to 8 "
                      "(default 1), each fitting every neighbour: tile i of variant v goes to "
                      "SAVE_NAME_ii_vV.bmp (variant 0 to SAVE_NAME_ii.bmp) and to the sheet's "
                      "cell 16 v + i. The tilesets list every variant under its corners, for "
                      "the editors to pick among at random; the map preview and the starter "
                      "maps pick one for each cell from --seed.",
                      "N")),
      feather(Option("feather",
                     "transitions with --filter smooth: blend the terrains across the border "
                     "over PX tile pixels, 0 to 64 (default 2; 0: a hard border).",
                     "PX")),
      keepGoing(Switch({QStringLiteral("keep-going")},
                       "batch only: go on past a failing texture, report each failure.")),
      overwriteInputs(Switch({QStringLiteral("overwrite-inputs")},
                             "Let a tile file replace a texture of the run (batch a.bmp "
                             "atile.bmp, or tile grass.bmp grass) or another texture's tile "
                             "(batch x.bmp x.dib), as one texture at a time would: refused "
                             "without it.")),
      jobs(Option("jobs",
                  "batch and transitions: make N tiles at once, 1 to 256 (default: the number "
                  "of cores). "
                  "The files, the progress lines and the failures are the same for every N.",
                  "N")),
      quiet(Switch({QStringLiteral("q"), QStringLiteral("quiet")}, "Print no progress.")),
      outDir(Option("out-dir",
                    "Write the tiles into DIR (made if missing), named as they would be beside "
                    "their textures; relative names of the sheet, tilesets and preview are taken "
                    "from DIR too.",
                    "DIR")),
      recursive(Switch({QStringLiteral("recursive")},
                       "batch only: a folder argument takes the pictures in its folders below "
                       "too.")),
      force(Switch({QStringLiteral("force")}, "build only: make every set again, changed or not.")),
      watch(Switch({QStringLiteral("watch")},
                   "build only: after building, build again whenever a texture or the project "
                   "file changes, until Ctrl-C.")) {}

QList<QCommandLineOption> ParserOptions::All() const {
    QList<QCommandLineOption> all{help, version, mask, size, pieces, depth, filter, format};
    // Each output, and after it the settings it shares: the sheet's layout after the sheet, the
    // Godot project's folder after the last Godot tile set.
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        all.push_back(outputs[i]);
        const RunFileRole role = OutputKinds()[i].role;
        if (role == RunFileRole::Sheet) all << columns << margin << spacing << extrude;
        if (role == RunFileRole::Godot3Tileset) all << godotRoot;
    }
    all << block << faces << shade << leftTexture << rightTexture << edge << seed << variants
        << feather << keepGoing << overwriteInputs << jobs << quiet << outDir << recursive << force
        << watch;
    return all;
}

const QCommandLineOption& ParserOptions::Output(RunFileRole role) const {
    std::size_t i = 0;
    while (OutputKinds()[i].role != role) ++i;
    return outputs.at(i);
}

std::string Spelling(const QCommandLineOption& option) {
    return "--" + ToBytes(option.names().constLast());
}

std::string Value(const QCommandLineParser& parser, const QCommandLineOption& option) {
    return ToBytes(parser.value(option));
}

std::string FileName(const QCommandLineParser& parser, const QCommandLineOption& option) {
    const std::string file = Value(parser, option);
    if (file.empty()) {
        throw EUsageError(Spelling(option) + " wants a file name");
    }
    return file;
}

std::int32_t WholeNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                         std::int32_t low, std::int32_t high) {
    const std::string text = Value(parser, option);
    const auto value = ParseWholeNumber(text, low, high);
    if (!value) {
        throw EUsageError(Spelling(option) + " '" + text + "' is not a whole number from " +
                          std::to_string(low) + " to " + std::to_string(high));
    }
    return *value;
}

}  // namespace mosaren::cli
