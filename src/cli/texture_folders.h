#pragma once

// The batch's folder arguments: a folder stands for the picture files in it, sorted by name, and
// with --recursive for those in its folders below too.
//
// A folder never yields what this program wrote there before, told by name:
// - a file whose name is the batch's tile name of another picture in the same folder
//   (grasstile.bmp or grasstile.png beside grass.png) is that picture's tile from an earlier run;
// - the files this run writes (its sheet, tilesets, preview) and, with --recursive, its output
//   folder are left out;
// - names that begin with a dot (the build record, temporary files) are no textures.

#include <string>
#include <vector>

namespace mosaren::cli {

// Whether the name's suffix is one of a picture format the command line reads (.bmp, .png,
// .jpg, ...), letters of either case.
bool IsPictureName(const std::string& name);

// paths less those whose name is the batch's tile name (BMP or PNG) of another of paths in the
// same folder: the tiles of an earlier run that a pattern (textures/*.png) matched too.
std::vector<std::string> WithoutEarlierTiles(const std::vector<std::string>& paths);

// arguments with each folder replaced by its picture files; files stay as they are. skip: names
// of files and folders the run writes. Raises EUsageError for a folder that holds no picture.
std::vector<std::string> ExpandTextureFolders(const std::vector<std::string>& arguments,
                                              bool recursive, const std::vector<std::string>& skip);

}  // namespace mosaren::cli
