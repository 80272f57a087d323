#include "build_command.h"

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>
#include <set>

#include "build_record.h"
#include "console.h"
#include "export/run_files.h"
#include "out_dir.h"
#include "output_collisions.h"
#include "project_file.h"
#include "raster/exceptions.h"
#include "raster/file_identity.h"
#include "run_command.h"
#include "usage_error.h"
#include "watch.h"

namespace mosaren::cli {

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const std::string kProgram = std::string("mosaren-cli ") + MOSAREN_VERSION;

// One set of the project, read as its command line.
struct PlannedSet {
    ProjectSet set;
    CliOptions options;
    std::vector<std::string> settings;  // the command line less the program and the textures
    std::vector<std::string> textures;  // its textures, folders and patterns resolved
    std::vector<std::string> inputs;    // the textures and the side textures
    std::vector<std::string> outputs;   // what a whole run of it writes
};

// A batch that writes one file per texture and nothing made of all of them, whose tiles can be
// made again one texture at a time.
bool TileByTile(const CliOptions& options) {
    return options.command == CliCommand::Batch && RunFilesOf(options.output).empty();
}

PlannedSet PlanSet(ProjectSet set) {
    PlannedSet planned;
    try {
        CliRequest request = ParseCommandLine(set.arguments);
        planned.options = std::move(request.options);
        CheckOutputCollisions(planned.options);
    } catch (const EUsageError& failure) {
        throw EUsageError(PlacedMessage(set, failure.Message()));
    }
    const CliOptions& options = planned.options;
    planned.settings.push_back(set.arguments.at(1));
    planned.settings.insert(planned.settings.end(),
                            set.arguments.begin() + 2 + static_cast<long>(set.fileCount),
                            set.arguments.end());
    const std::size_t textureCount = options.command == CliCommand::Batch ? options.files.size()
                                     : options.command == CliCommand::Transitions ? 2
                                                                                  : 1;
    planned.textures.assign(options.files.begin(),
                            options.files.begin() + static_cast<long>(textureCount));
    planned.inputs = planned.textures;
    for (const std::string* side : {&options.block.leftTexture, &options.block.rightTexture}) {
        if (!side->empty()) planned.inputs.push_back(*side);
    }
    planned.outputs = RunOutputFiles(options);
    planned.set = std::move(set);
    return planned;
}

// Two sets that write one file, or a set that reads what another writes, would make the build's
// result depend on their order.
void CheckSetCollisions(const std::vector<PlannedSet>& sets) {
    FileIdentities identities;
    std::map<std::string, const PlannedSet*> writers;
    for (const PlannedSet& planned : sets) {
        for (const std::string& file : planned.outputs) {
            const auto [found, added] = writers.emplace(identities.Of(file), &planned);
            if (!added && found->second != &planned) {
                throw EUsageError(planned.set.place + ": writes '" + file + "', which sets." +
                                  found->second->set.name + " writes too");
            }
        }
    }
    for (const PlannedSet& planned : sets) {
        for (const std::string& file : planned.inputs) {
            const auto found = writers.find(identities.Of(file));
            if (found != writers.end()) {
                throw EUsageError(planned.set.place + ": reads '" + file + "', which sets." +
                                  found->second->set.name + " writes");
            }
        }
    }
}

std::map<std::string, std::string> Stamps(const std::vector<std::string>& files) {
    std::map<std::string, std::string> stamps;
    for (const std::string& file : files) stamps[file] = FileStamp(file);
    return stamps;
}

// What of a set must be made again, going by its record: nothing, some textures' tiles, or all.
struct Work {
    bool all = false;
    std::vector<std::string> textures;  // when not all
    bool Any() const { return all || !textures.empty(); }
};

bool Unchanged(const std::map<std::string, std::string>& recorded,
               const std::vector<std::string>& files) {
    if (recorded.size() != std::set<std::string>(files.begin(), files.end()).size()) return false;
    for (const std::string& file : files) {
        const auto found = recorded.find(file);
        if (found == recorded.end() || found->second.empty() || found->second != FileStamp(file)) {
            return false;
        }
    }
    return true;
}

Work WorkOf(const PlannedSet& planned, const SetRecord* record, bool force) {
    Work work;
    if (force || record == nullptr || record->settings != planned.settings) {
        work.all = true;
        return work;
    }
    if (!TileByTile(planned.options)) {
        work.all = !Unchanged(record->inputs, planned.inputs) ||
                   !Unchanged(record->outputs, planned.outputs);
        return work;
    }
    // Side textures change every tile.
    for (std::size_t k = planned.textures.size(); k < planned.inputs.size(); ++k) {
        const auto found = record->inputs.find(planned.inputs[k]);
        if (found == record->inputs.end() || found->second != FileStamp(planned.inputs[k])) {
            work.all = true;
            return work;
        }
    }
    for (std::size_t k = 0; k < planned.textures.size(); ++k) {
        const std::string& texture = planned.textures[k];
        const std::string& tile = planned.outputs[k];
        const auto input = record->inputs.find(texture);
        const auto output = record->outputs.find(tile);
        const bool same = input != record->inputs.end() && input->second == FileStamp(texture) &&
                          output != record->outputs.end() && !output->second.empty() &&
                          output->second == FileStamp(tile);
        if (!same) work.textures.push_back(texture);
    }
    return work;
}

// The tiles a batch of tile files made last time of textures it no longer has, still as it
// wrote them: a build from nothing would not have them.
void RemoveStaleTiles(const PlannedSet& planned, const SetRecord& record) {
    const std::set<std::string> current(planned.outputs.begin(), planned.outputs.end());
    for (const auto& [texture, tile] : record.tiles) {
        const auto stamp = record.outputs.find(tile);
        if (current.count(tile) || stamp == record.outputs.end()) continue;
        if (!stamp->second.empty() && stamp->second == FileStamp(tile)) ::unlink(tile.c_str());
    }
}

SetRecord RecordOf(const PlannedSet& planned) {
    SetRecord record;
    record.settings = planned.settings;
    record.inputs = Stamps(planned.inputs);
    record.outputs = Stamps(planned.outputs);
    if (TileByTile(planned.options)) {
        for (std::size_t k = 0; k < planned.textures.size(); ++k) {
            record.tiles[planned.textures[k]] = planned.outputs[k];
        }
    }
    return record;
}

void AddWithFolder(std::set<std::string>& watched, const std::string& file) {
    watched.insert(file);
    const std::string folder = std::filesystem::path(file).parent_path().string();
    watched.insert(folder.empty() ? "." : folder);
}

}  // namespace

ProjectBuilder::ProjectBuilder(std::string projectFile, bool quiet)
    : mProjectFile(std::move(projectFile)), mQuiet(quiet) {
    mWatched = {mProjectFile, "."};
}

int ProjectBuilder::Build(bool force, bool sayUpToDate) {
    std::vector<PlannedSet> sets;
    std::string recordFile;
    try {
        Project project = ReadProject(mProjectFile);
        for (ProjectSet& set : project.sets) sets.push_back(PlanSet(std::move(set)));
        CheckSetCollisions(sets);
        recordFile = RecordFile(project.outDir, mProjectFile);
    } catch (const EUsageError& failure) {
        PrintFailure(failure.Message());
        return kExitUsage;
    }
    std::set<std::string> watched{mProjectFile, "."};
    for (const PlannedSet& planned : sets) {
        for (const std::string& input : planned.inputs) AddWithFolder(watched, input);
        // Folders given as textures: a picture added there is a change.
        const auto files = planned.set.arguments.begin() + 2;
        for (auto file = files; file != files + static_cast<long>(planned.set.fileCount); ++file) {
            std::error_code error;
            if (std::filesystem::is_directory(*file, error)) watched.insert(*file);
        }
    }
    mWatched.assign(watched.begin(), watched.end());

    BuildRecord record = ReadBuildRecord(recordFile);
    if (record.program != kProgram) record.sets.clear();
    record.program = kProgram;
    std::map<std::string, SetRecord> kept;
    std::vector<std::string> made;
    std::vector<std::string> failed;
    Console console(mQuiet);
    for (const PlannedSet& planned : sets) {
        const std::string& name = planned.set.name;
        const auto found = record.sets.find(name);
        const SetRecord* earlier = found == record.sets.end() ? nullptr : &found->second;
        const Work work = WorkOf(planned, earlier, force);
        if (!work.Any()) {
            kept[name] = *earlier;
            continue;
        }
        if (earlier != nullptr && TileByTile(planned.options)) RemoveStaleTiles(planned, *earlier);
        CliOptions options = planned.options;
        if (!work.all) options.files = work.textures;
        if (RunCommand(options, console) != 0) {
            // What it did write differs from the record, so the next build makes it again.
            if (earlier != nullptr) kept[name] = *earlier;
            failed.push_back(name);
            continue;
        }
        kept[name] = RecordOf(planned);
        made.push_back(work.all ? name
                                : name + " (" + std::to_string(work.textures.size()) + " of " +
                                      std::to_string(planned.textures.size()) + " textures)");
    }
    const bool changed = !made.empty() || !failed.empty() || kept.size() != record.sets.size();
    if (changed) {
        record.sets = std::move(kept);
        try {
            WriteBuildRecord(record, recordFile);
        } catch (const std::exception&) {
            console.Failure(FailureText(std::current_exception()));
            return kExitFailure;
        }
    }
    std::string line;
    for (const std::string& name : made) line += (line.empty() ? "built " : ", ") + name;
    if (!failed.empty()) {
        line += line.empty() ? "failed " : "; failed ";
        for (std::size_t k = 0; k < failed.size(); ++k) line += (k ? ", " : "") + failed[k];
    }
    if (line.empty() && sayUpToDate) line = "nothing to build: every output is up to date";
    if (!line.empty()) {
        line = EscapedForLine(line) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fflush(stdout);
    }
    return failed.empty() ? 0 : kExitFailure;
}

int RunBuildCommand(const CliOptions& options) {
    const std::filesystem::path project(options.files.at(0));
    // The project's names are relative to its folder: the build runs there.
    if (project.has_parent_path() && ::chdir(project.parent_path().c_str()) != 0) {
        PrintFailure(options.files.at(0) + ": Cannot open file, the project file");
        return kExitUsage;
    }
    ProjectBuilder builder(project.filename().string(), options.quiet || options.watch);
    if (options.watch) return WatchProject(builder, options.force);
    return builder.Build(options.force, true);
}

}  // namespace mosaren::cli
