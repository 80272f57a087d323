#pragma once

#include "cli_options.h"

namespace mosaren::cli {

// The transitions command: the 16 transition tiles between the textures of terrains A and B,
// tile i under SAVE_NAME_ii.bmp (or in the sheet), with the terrains in the tileset files. A
// texture that cannot be read fails the run before any file is written, with its name in front of
// the reader's message. A failure goes up as the program's exception.
void RunTransitionsCommand(const CliOptions& options);

}  // namespace mosaren::cli
