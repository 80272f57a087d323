#pragma once

// The output folder (--out-dir): where a run's tiles go, named as they would be beside their
// textures, and where relative names of its sheet, tilesets and preview are taken from.

#include <string>

#include "export/output_settings.h"

namespace mosaren::cli {

struct CliOptions;

// name inside outDir when outDir is given and name is relative; else name as it is.
std::string InOutDir(const std::string& outDir, const std::string& name);

// The batch's BMP name of a texture's tile: beside the texture, or with --out-dir in that
// folder under the same last part.
std::string BatchTileFile(const CliOptions& options, const std::string& texture);

// A save name without the suffix of the run's format (".bmp" or ".png", letters of either case),
// so that "out.png" with --format png gives out.png, not out.png.png.
std::string SaveNameStem(const std::string& saveName, ImageFormat format);

}  // namespace mosaren::cli
