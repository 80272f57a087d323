#pragma once

// The export runs `mosaren-cli build` of the saved project in a process of its own: the Studio
// starts itself with kExportChildArgument and the project file, and that process runs the
// command line's build (build_command.h) as mosaren-cli does, its progress lines on stderr. So
// the export writes what the command line writes, and being stopped (SIGTERM) it ends as the
// command line does: its temporary files removed, no file left half-written.

#include <string>

namespace mosaren::studio {

inline constexpr const char* kExportChildArgument = "--export-project";

// Whether the arguments ask for the export's process.
bool IsExportChild(int argc, char** argv);

// Builds the project named in argv[2] and returns the command line's exit status. Call it
// first in main(), before any thread or Qt application exists.
int RunExportChild(int argc, char** argv);

}  // namespace mosaren::studio
