#pragma once

namespace mosaren::cli {

// From here on, SIGINT, SIGTERM, SIGHUP and SIGPIPE end the process only after its temporary
// files are removed: the signals are held back from every thread (call this before any thread
// starts) and taken by one of their own, which removes the files and then ends the process as
// the signal would have (the shell sees 130, 143, 129 or 141). A signal ignored when the
// program started stays ignored.
void RemoveTemporaryFilesOnInterruption();

// For a write to stderr that found its reader gone (EPIPE): a SIGPIPE held back from a thread
// stays with that thread, so the run is ended here as that signal ends it, through the thread
// that takes the signals; where SIGPIPE was ignored from the start, with exit status 1. Either
// way the temporary files are removed first. Does not return.
[[noreturn]] void EndAsBrokenPipe();

}  // namespace mosaren::cli
