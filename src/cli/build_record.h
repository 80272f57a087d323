#pragma once

// What a build made from what, kept beside its outputs (.mosaren.toml.build.json for the project
// mosaren.toml; a dot in front, so that no folder of textures takes it for one), so that the next
// build makes again only what changed: for each set, its settings (the command line less its
// textures) and the program's version, and the size and modification time of each texture it
// read and each file it wrote.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mosaren::cli {

// A file's size and modification time, to the nanosecond ("1234:1700000000.123456789"), or ""
// for a file that is not there.
std::string FileStamp(const std::string& file);

struct SetRecord {
    std::vector<std::string> settings;
    std::map<std::string, std::string> inputs;   // texture → stamp
    std::map<std::string, std::string> outputs;  // file written → stamp
    std::map<std::string, std::string> tiles;    // texture → its tile file, for batches of files
};

struct BuildRecord {
    std::string program;
    std::map<std::string, SetRecord> sets;
};

// The record file of the project's build whose outputs go to folder (empty: the current one).
std::string RecordFile(const std::string& folder, const std::string& projectFile);

// The record in file; an empty one when there is none or it cannot be read, so that everything
// is made again.
BuildRecord ReadBuildRecord(const std::string& file);

// Writes the record to file in place of the earlier one. Raises the program's exception naming
// the file when it cannot.
void WriteBuildRecord(const BuildRecord& record, const std::string& file);

}  // namespace mosaren::cli
