#pragma once

// A tile project's file as its author wrote it, for a program that edits it (Mosaren Studio):
// the keys as written, in order, the texture names unresolved, rather than the command lines the
// build makes of them (project_file.h). Writing it gives a file that ReadProject reads back as
// the same keys, so that `mosaren-cli build` makes exactly what the editor shows.

#include <string>
#include <utility>
#include <vector>

namespace mosaren::cli {

// Key → value as the command line would take it ("size" → "64x32", "shade" → "1,0.8,0.6"); a
// switch is "true" or "false".
using ProjectKeys = std::vector<std::pair<std::string, std::string>>;

struct ProjectContentSet {
    std::string name;
    std::vector<std::string> textures;     // files, folders or patterns
    std::vector<std::string> transitions;  // two terrain names, or none
    ProjectKeys keys;
    friend bool operator==(const ProjectContentSet&, const ProjectContentSet&) = default;
};

struct ProjectContent {
    ProjectKeys keys;      // at the top: for every set
    ProjectKeys terrains;  // name → texture
    std::vector<ProjectContentSet> sets;
    friend bool operator==(const ProjectContent&, const ProjectContent&) = default;
};

// The value of key in keys, or empty.
std::string KeyValue(const ProjectKeys& keys, const std::string& key);
// Sets key to value in place, or adds it at the end; an empty value removes the key.
void SetKey(ProjectKeys& keys, const std::string& key, const std::string& value);

// The file's keys as written. Raises EUsageError naming the file and line for TOML it cannot
// parse or for a table where a value belongs; what the keys mean is ReadProject's to check.
ProjectContent ReadProjectContent(const std::string& file);

// The content as TOML text: numbers as numbers, switches as true or false, the rest as strings.
std::string ProjectText(const ProjectContent& content);

// Writes ProjectText to file, the old file replaced only once the new one is complete. Raises
// the program's exception naming the file when it cannot be written.
void WriteProjectFile(const ProjectContent& content, const std::string& file);

}  // namespace mosaren::cli
