#pragma once

// A tile, batch or transitions command once its command line is read and checked, as
// mosaren-cli runs it from the command line and the build runs it for each set of a project:
// one path, so that both write the same bytes.

#include <string>
#include <vector>

#include "cli_options.h"

namespace mosaren::cli {

class Console;

// Makes the output folder, then runs the command. A failure is reported on the console. Returns
// 0 when every tile was written, 1 otherwise.
int RunCommand(const CliOptions& options, Console& console);

// The files a run of these options writes when it succeeds: the tile files (or the sheet), then
// the tileset files and the preview.
std::vector<std::string> RunOutputFiles(const CliOptions& options);

}  // namespace mosaren::cli
