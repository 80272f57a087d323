#include "output_names.h"

#include "cli_options.h"
#include "export/run_files.h"
#include "output_collisions.h"

namespace mosaren::cli {

void CheckOutputNames(const CliOptions& options) {
    const TileFiles tileFiles = [&options] {
        std::vector<std::string> files;
        for (const auto& [tile, texture] : TileFilesOfRun(options)) files.push_back(tile);
        return files;
    };
    for (const OutputKind& kind : OutputKinds()) {
        if (kind.checkCarriedNames) kind.checkCarriedNames(options.output, tileFiles);
    }
}

}  // namespace mosaren::cli
