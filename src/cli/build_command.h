#pragma once

// The build command: a tile project (project_file.h) made as its sets' command lines would make
// it, only what changed since the last build (build_record.h), once or, with --watch, on every
// change until Ctrl-C.

#include <string>
#include <vector>

#include "cli_options.h"

namespace mosaren::cli {

class ProjectBuilder {
public:
    // projectFile: the name of the project file in the current folder, where the build runs.
    ProjectBuilder(std::string projectFile, bool quiet);

    // Reads the project and makes what changed (everything with force). A project that cannot
    // be read, or whose sets could not be run as command lines, is refused before anything is
    // written: status 2. Otherwise each set that changed is made (a failing one reported, the
    // others still made): status 1 when one failed, else 0. Says on stdout what it made, or with
    // sayUpToDate that nothing needed making.
    int Build(bool force, bool sayUpToDate);

    // The files and folders whose change may change the build: the project file, the textures
    // and their folders. Kept from the last build that could read the project.
    const std::vector<std::string>& Watched() const { return mWatched; }

private:
    std::string mProjectFile;
    bool mQuiet;
    std::vector<std::string> mWatched;
};

// Runs the build command line: status 0, 1 or 2 as the other commands.
int RunBuildCommand(const CliOptions& options);

}  // namespace mosaren::cli
