#pragma once

// The options that say in what form a run hands its tiles to a game engine: the image format,
// one sheet instead of separate files, a Tiled tileset and a map preview.

class QCommandLineParser;

namespace mosaren::cli {

struct CliOptions;
struct ParserOptions;

// Reads them into result.output once the command, the files and the tile options are in result.
// Raises EUsageError, naming the option, for a value out of range or options that do not go
// together.
void ReadOutputOptions(const QCommandLineParser& parser, const ParserOptions& options,
                       CliOptions& result);

}  // namespace mosaren::cli
