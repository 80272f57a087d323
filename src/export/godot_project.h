#pragma once

// Where a file stands in a Godot project. Godot names each file of a project by a res:// path
// from the project's folder (the one that holds project.godot); a file outside that folder has
// no such name, so no resource of the project can refer to it.

#include <optional>
#include <string>

namespace mosaren {

// The project folder that a resource file is written for: root when one is given, else the
// resource file's own folder.
std::string GodotProjectFolder(const std::string& resourceFile, const std::string& root);

// "res://" and the way from the project folder to file, with "/" between the parts, both taken
// as the system resolves them (as RelativePath does); nothing when file lies outside the folder.
std::optional<std::string> GodotResourcePath(const std::string& file,
                                             const std::string& projectFolder);

// Raises EInvalidOperation for a res:// path that Godot would not read as it is written: one
// holding a backslash, which Godot takes for a folder separator on every system, so that
// "res://a\b.png" names b.png in the folder a.
void RequireGodotReadsAsWritten(const std::string& resourcePath);

}  // namespace mosaren
