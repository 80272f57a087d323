#include "godot_project.h"

#include <filesystem>

#include "raster/exceptions.h"
#include "tsx_writer.h"

namespace mosaren {

std::string GodotProjectFolder(const std::string& resourceFile, const std::string& root) {
    if (!root.empty()) return root;
    return std::filesystem::path(resourceFile).parent_path().string();
}

std::optional<std::string> GodotResourcePath(const std::string& file,
                                             const std::string& projectFolder) {
    const std::filesystem::path way = RelativePath(file, projectFolder);
    if (way.empty() || *way.begin() == ".." || way == ".") return std::nullopt;
    return "res://" + way.generic_string();
}

void RequireGodotReadsAsWritten(const std::string& resourcePath) {
    if (resourcePath.find('\\') != std::string::npos) {
        throw EInvalidOperation("Godot reads the backslash in " + resourcePath +
                                " as a folder separator, so it would look for another file: "
                                "name the sheet without one");
    }
}

}  // namespace mosaren
