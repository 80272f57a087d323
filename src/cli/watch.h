#pragma once

// The build's --watch: builds the project, then again whenever the project file, a texture or a
// folder of textures changes, until the process is ended (Ctrl-C).

namespace mosaren::cli {

class ProjectBuilder;

// A burst of changes (an editor saving several files, a copy of a folder) gives one build, once
// the files have been quiet for a moment. A build that fails (a broken texture, a project file
// that cannot be read) is reported and the watch goes on. Returns only if the event loop ends.
int WatchProject(ProjectBuilder& builder, bool force);

}  // namespace mosaren::cli
