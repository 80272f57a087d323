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
};

enum class ErrorOutput { File, Terminal };

// arguments exclude the program's name. With ErrorOutput::Terminal, stderr is a pseudo-terminal
// (whose line discipline turns each "\n" into "\r\n").
CliRun RunCli(const std::vector<std::string>& arguments, const std::string& folder,
              ErrorOutput errorOutput = ErrorOutput::File);

}  // namespace mosaren::testing
