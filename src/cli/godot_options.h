#pragma once

// The options that ask for Godot tile sets of the run's sheet: --godot, --godot3 and the Godot
// project's folder they name the sheet from, --godot-root.

class QCommandLineParser;

namespace mosaren {
struct OutputSettings;
}

namespace mosaren::cli {

struct ParserOptions;

// Reads them into output once its sheet and format are read. Raises EUsageError, naming the
// option, for a tile set without a PNG sheet, a name that is not a .tres file, or a sheet that
// lies outside the Godot project.
void ReadGodotOptions(const QCommandLineParser& parser, const ParserOptions& options,
                      OutputSettings& output);

}  // namespace mosaren::cli
