#pragma once

// A tile project: one file (mosaren.toml, TOML) that says how a game's tiles are made. Its sets
// become command lines, each of which mosaren-cli reads and runs as it would from a shell, so
// that a build writes the very bytes of the equivalent commands.
//
// Keys are the command line's options by their long names (size = "64x32", block = 24,
// keep-going = true), looked up in the options mosaren-cli declares: there is no second list.
// Keys at the top apply to every set; a set's own keys add to them or replace them. Besides the
// options, the top holds [terrains] (name = texture) and [sets.NAME] tables, and a set holds
// textures (files, folders or patterns) or transitions (two terrain names). A set with
// transitions runs the transitions command, one with pieces the tile command, any other the
// batch; tile and transition files are named after the set.
//
// Names in the file are relative to the folder the build runs in, which is the project file's.

#include <map>
#include <string>
#include <vector>

namespace mosaren::cli {

struct ProjectSet {
    std::string name;
    std::string place;                   // where the set begins: "mosaren.toml:12: sets.ground"
    std::vector<std::string> arguments;  // its command line, the program's name first
    std::size_t fileCount = 0;           // of arguments, after the program and the command
    // Where each option came from ("--size" gives "mosaren.toml:3: size"), for messages.
    std::map<std::string, std::string> optionPlaces;
};

struct Project {
    std::string file;
    std::string outDir;  // the top's out-dir, where the build record goes (empty: the folder)
    std::vector<ProjectSet> sets;  // in the order of the file
};

// Reads the project file. Raises EUsageError naming the file, the line and the key for TOML it
// cannot parse, an unknown key, a value of the wrong type, a texture that does not exist or a
// pattern that matches none.
Project ReadProject(const std::string& file);

// A refusal of a set's command line, message naming an option, as the project's words: the file,
// line and key of that option (else of the set) in front.
std::string PlacedMessage(const ProjectSet& set, const std::string& message);

}  // namespace mosaren::cli
