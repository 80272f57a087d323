#pragma once

// The options of the transitions command: how the border between the two terrains is drawn, and
// how many variants of each tile are made.

class QCommandLineParser;

namespace mosaren::cli {

struct CliOptions;
struct ParserOptions;

// Reads them into result.border and result.variants once the command is in result. Raises
// EUsageError, naming the option, for a value it refuses, for any of them with another command,
// and for a seed with nothing to seed (a straight border of one variant).
void ReadTransitionOptions(const QCommandLineParser& parser, const ParserOptions& options,
                           CliOptions& result);

}  // namespace mosaren::cli
