#pragma once

// The options that raise the tiles into blocks: the height, the faces shown, their shading and
// the side faces' textures.

class QCommandLineParser;

namespace mosaren::cli {

struct CliOptions;
struct ParserOptions;

// Reads them into result.block. Raises EUsageError, naming the option, for a value it refuses
// or for a face option without --block.
void ReadBlockOptions(const QCommandLineParser& parser, const ParserOptions& options,
                      CliOptions& result);

}  // namespace mosaren::cli
