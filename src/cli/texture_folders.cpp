#include "texture_folders.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "export/png_output.h"
#include "option_values.h"
#include "raster/file_identity.h"
#include "tiling/tile_names.h"
#include "usage_error.h"

namespace mosaren::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPictureSuffixes[] = {".bmp", ".dib", ".png", ".jpg",  ".jpeg",
                                            ".gif", ".tga", ".tif", ".tiff", ".webp",
                                            ".pbm", ".pgm", ".ppm", ".pnm"};

bool IsDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

class FolderLister {
public:
    FolderLister(bool recursive, const std::vector<std::string>& skip) : mRecursive(recursive) {
        for (const std::string& name : skip) {
            if (!name.empty()) mSkip.insert(mIdentities.Of(name));
        }
    }

    // The pictures of folder (and below), sorted by path.
    std::vector<std::string> Pictures(const std::string& folder) {
        std::vector<std::string> found;
        Collect(folder, found);
        std::sort(found.begin(), found.end());
        return found;
    }

private:
    void Collect(const std::string& folder, std::vector<std::string>& found) {
        const std::string prefix = folder.back() == '/' ? folder : folder + "/";
        std::vector<std::string> pictures;
        std::vector<std::string> folders;
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            const std::string name = entry->path().filename().string();
            if (name.empty() || name.front() == '.') continue;
            const std::string path = prefix + name;
            std::error_code kind;
            if (entry->is_directory(kind)) {
                if (mRecursive && !mSkip.count(mIdentities.Of(path))) folders.push_back(path);
            } else if (entry->is_regular_file(kind) && IsPictureName(name) &&
                       !mSkip.count(mIdentities.Of(path))) {
                pictures.push_back(name);
            }
        }
        if (error) {
            throw EUsageError("cannot read the folder '" + folder + "': " + error.message());
        }
        for (const std::string& name : WithoutEarlierTiles(pictures))
            found.push_back(prefix + name);
        for (const std::string& below : folders) Collect(below, found);
    }

    bool mRecursive;
    FileIdentities mIdentities;
    std::set<std::string> mSkip;
};

}  // namespace

std::vector<std::string> WithoutEarlierTiles(const std::vector<std::string>& paths) {
    // The tiles an earlier batch made of these pictures, in either format; each name's folder
    // is part of it, so only a picture in the same folder counts.
    std::set<std::string> tiles;
    for (const std::string& path : paths) {
        tiles.insert(BatchTileName(path));
        tiles.insert(PngTileName(BatchTileName(path)));
    }
    std::vector<std::string> kept;
    for (const std::string& path : paths) {
        if (!tiles.count(path)) kept.push_back(path);
    }
    return kept;
}

bool IsPictureName(const std::string& name) {
    return std::any_of(std::begin(kPictureSuffixes), std::end(kPictureSuffixes),
                       [&](const char* suffix) { return EndsWithNoCase(name, suffix); });
}

std::vector<std::string> ExpandTextureFolders(const std::vector<std::string>& arguments,
                                              bool recursive,
                                              const std::vector<std::string>& skip) {
    std::vector<std::string> textures;
    FolderLister lister(recursive, skip);
    for (const std::string& argument : arguments) {
        if (!IsDirectory(argument)) {
            textures.push_back(argument);
            continue;
        }
        const std::vector<std::string> pictures = lister.Pictures(argument);
        if (pictures.empty()) {
            throw EUsageError("the folder '" + argument + "' holds no picture files" +
                              (recursive ? "" : " (--recursive looks into its folders too)"));
        }
        textures.insert(textures.end(), pictures.begin(), pictures.end());
    }
    return textures;
}

}  // namespace mosaren::cli
