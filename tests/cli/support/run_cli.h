#pragma once

// Runs the real mosaren-cli binary as a script would, in a folder of the test's choosing, and
// collects what it printed and its exit status.

#include <string>
#include <vector>

namespace mosaren::testing {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    int signal = 0;  // the signal that ended it, if one did
};

enum class ErrorOutput { File, Terminal };

// arguments exclude the program's name. With ErrorOutput::Terminal, stderr is a pseudo-terminal
// (whose line discipline turns each "\n" into "\r\n").
CliRun RunCli(const std::vector<std::string>& arguments, const std::string& folder,
              ErrorOutput errorOutput = ErrorOutput::File);

// What the child may use: address space in bytes (0: no limit) and seconds, after which it is
// ended by SIGALRM (0: no limit). A run that breaks a limit fails instead of swapping or hanging.
struct ChildLimits {
    unsigned long long memory = 0;
    unsigned seconds = 0;
};

// A run started but not yet waited for, to be signalled while it works.
class StartedCli {
public:
    StartedCli(const std::vector<std::string>& arguments, const std::string& folder,
               const ChildLimits& limits = {});
    int Pid() const { return mChild; }
    // Where the run's stdout goes, to be read while it runs.
    const std::string& OutFile() const { return mOut; }
    CliRun Wait();

private:
    std::string mOut;
    std::string mErr;
    int mChild = -1;
};

inline CliRun RunCli(const std::vector<std::string>& arguments, const std::string& folder,
                     const ChildLimits& limits) {
    return StartedCli(arguments, folder, limits).Wait();
}

}  // namespace mosaren::testing
