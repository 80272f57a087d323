#pragma once

namespace mosaren::cli {

// From here on, SIGINT, SIGTERM and SIGHUP end the process only after its temporary files are
// removed: the signals are held back from every thread (call this before any thread starts) and
// taken by one of their own, which removes the files and then ends the process as the signal
// would have (the shell sees 130, 143 or 129). A signal ignored when the program started stays
// ignored.
void RemoveTemporaryFilesOnInterruption();

}  // namespace mosaren::cli
