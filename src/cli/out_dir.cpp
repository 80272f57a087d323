#include "out_dir.h"

#include <filesystem>

#include "cli_options.h"
#include "option_values.h"
#include "tiling/tile_names.h"

namespace mosaren::cli {

std::string InOutDir(const std::string& outDir, const std::string& name) {
    if (outDir.empty() || name.empty() || name.front() == '/') return name;
    return outDir.back() == '/' ? outDir + name : outDir + "/" + name;
}

std::string BatchTileFile(const CliOptions& options, const std::string& texture) {
    const std::string beside = BatchTileName(texture);
    if (options.outDir.empty()) return beside;
    return InOutDir(options.outDir, std::filesystem::path(beside).filename().string());
}

std::string SaveNameStem(const std::string& saveName, ImageFormat format) {
    const std::string suffix = format == ImageFormat::Png ? ".png" : ".bmp";
    // A name that is the suffix alone, or a folder and the suffix, keeps it: it names no file
    // of its own without.
    if (!EndsWithNoCase(saveName, suffix) || saveName.size() == suffix.size() ||
        saveName[saveName.size() - suffix.size() - 1] == '/') {
        return saveName;
    }
    return saveName.substr(0, saveName.size() - suffix.size());
}

}  // namespace mosaren::cli
