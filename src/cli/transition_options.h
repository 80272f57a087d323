#pragma once

// The options of the transitions command: how the border between the two terrains is drawn.

class QCommandLineParser;

namespace mosaren::cli {

struct CliOptions;
struct ParserOptions;

// Reads them into result.border once the command is in result. Raises EUsageError, naming the
// option, for a value it refuses, for either option with another command, and for a seed without
// a pattern to seed.
void ReadTransitionOptions(const QCommandLineParser& parser, const ParserOptions& options,
                           CliOptions& result);

}  // namespace mosaren::cli
