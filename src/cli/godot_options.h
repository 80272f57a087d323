#pragma once

// The options that ask for Godot tile sets of the run's sheet: --godot, --godot3 and the Godot
// project's folder they name the sheet from, --godot-root.

#include <string>

class QCommandLineParser;

namespace mosaren {
struct OutputSettings;
}

namespace mosaren::cli {

struct ParserOptions;

// Reads them into output once its sheet and format are read, relative tile set names inside
// outDir (--out-dir; empty: as given). Raises EUsageError, naming the
// option, for a tile set without a PNG sheet, a name that is not a .tres file, or a sheet that
// lies outside the Godot project.
void ReadGodotOptions(const QCommandLineParser& parser, const ParserOptions& options,
                      const std::string& outDir, OutputSettings& output);

}  // namespace mosaren::cli
