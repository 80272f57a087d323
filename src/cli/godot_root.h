#pragma once

// The Godot project's folder, --godot-root, from which the Godot tile sets and scenes name the
// sheet and each other by res:// paths.

class QCommandLineParser;

namespace mosaren {
struct OutputSettings;
}

namespace mosaren::cli {

struct ParserOptions;

// Reads it into output before the Godot tile sets. Raises EUsageError when there is no tile set
// for it, or it names no folder.
void ReadGodotRoot(const QCommandLineParser& parser, const ParserOptions& options,
                   OutputSettings& output);

}  // namespace mosaren::cli
