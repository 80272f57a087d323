#pragma once

#include "cli_options.h"

namespace mosaren::cli {

class Console;

// The single-texture command with the texture and save name of the command line. A failure
// goes up as the program's exception.
void RunTileCommand(const CliOptions& options);

// The batch command over the textures of the command line. A failure is reported on the console
// with its texture's name in front; without --keep-going it ends the batch (the tiles before it
// stay written), with it the batch goes on to the next texture. Returns whether every texture
// gave its tile.
bool RunBatchCommand(const CliOptions& options, Console& console);

}  // namespace mosaren::cli
