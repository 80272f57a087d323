#pragma once

// Before any work: every name an output carries must be one its file can hold. A Tiled tileset
// names its own tileset and its images (the sheet, or each tile file) as XML text; a Godot tile
// set names the sheet. A name that such a file cannot carry (a newline, a byte that is not
// UTF-8, a character XML has no place for) fails the run before the first tile is made, with the
// very message the writer would give after the last.

namespace mosaren::cli {

struct CliOptions;

// Raises EInvalidOperation, as the writers do, for the first name an output cannot carry.
void CheckOutputNames(const CliOptions& options);

}  // namespace mosaren::cli
