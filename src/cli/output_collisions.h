#pragma once

// Before any work: no file the run writes may be one it reads, or one that another of its
// outputs writes. Names are compared as the files they reach ("t.bmp", "./t.bmp" and a link to
// it are one file), so that no spelling slips past.

#include <string>
#include <utility>
#include <vector>

namespace mosaren::cli {

struct CliOptions;

// Raises EUsageError naming both files when the sheet, a tileset, the map preview or (without a
// sheet) a tile file is a texture of the run, or the file of another of these; a tile file that
// is a texture of the run, or the tile file of another texture, passes only with
// --overwrite-inputs. Touches no file.
void CheckOutputCollisions(const CliOptions& options);

}  // namespace mosaren::cli

namespace mosaren::cli {

// The tile files the run writes (none with a sheet), each with the texture it is made of, in the
// run's order.
std::vector<std::pair<std::string, std::string>> TileFilesOfRun(const CliOptions& options);

}  // namespace mosaren::cli
