#pragma once

#include "cli_options.h"

namespace mosaren::cli {

// The transitions command: the 16 transition tiles between the textures of terrains A and B in
// each of options.variants variants, tile i of variant v under SAVE_NAME_ii.bmp for v = 0 and
// SAVE_NAME_ii_vV.bmp after it (or in the sheet's cell 16 v + i), with the terrains in the
// tileset files. A texture that cannot be read fails the run before any file is written, with its
// name in front of the reader's message. A failure goes up as the program's exception.
void RunTransitionsCommand(const CliOptions& options);

}  // namespace mosaren::cli
