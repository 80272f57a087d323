#include "run_cli.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace mosaren::testing {

namespace {

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadUntilClosed(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            return text;  // end of file, or EIO once the terminal's last writer has gone
        }
    }
}

}  // namespace

CliRun RunCli(const std::vector<std::string>& arguments, const std::string& folder,
              ErrorOutput errorOutput) {
    // Beside the folder, not in it, so that the folder holds only what the program wrote.
    const std::filesystem::path outPath = folder + ".cli-out";
    const std::filesystem::path errPath = folder + ".cli-err";
    int terminal = -1;
    int terminalSlave = -1;
    if (errorOutput == ErrorOutput::Terminal &&
        ::openpty(&terminal, &terminalSlave, nullptr, nullptr, nullptr) != 0) {
        throw std::runtime_error("cannot open a pseudo-terminal");
    }

    std::vector<std::string> argv{MOSAREN_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = terminalSlave >= 0
                            ? terminalSlave
                            : ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::chdir(folder.c_str()) != 0 || ::dup2(out, 1) < 0 ||
            ::dup2(err, 2) < 0) {
            ::_exit(127);
        }
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    if (child < 0) {
        throw std::runtime_error("cannot start mosaren-cli");
    }

    CliRun run;
    if (terminal >= 0) {
        ::close(terminalSlave);
        run.err = ReadUntilClosed(terminal);
        ::close(terminal);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    run.out = ReadAll(outPath);
    if (terminal < 0) {
        run.err = ReadAll(errPath);
    }
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

namespace {

// Several runs may be started in one folder at once: each keeps its output files apart.
std::string StartedSuffix() {
    static int count = 0;
    return std::to_string(count++);
}

}  // namespace

StartedCli::StartedCli(const std::vector<std::string>& arguments, const std::string& folder,
                       const ChildLimits& limits)
{
    const std::string suffix = StartedSuffix();
    mOut = folder + ".cli-out" + suffix;
    mErr = folder + ".cli-err" + suffix;
    std::vector<std::string> argv{MOSAREN_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    mChild = ::fork();
    if (mChild == 0) {
        const int out = ::open(mOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(mErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::chdir(folder.c_str()) != 0 || ::dup2(out, 1) < 0 ||
            ::dup2(err, 2) < 0) {
            ::_exit(127);
        }
        if (limits.memory != 0) {
            const rlimit memory{limits.memory, limits.memory};
            if (::setrlimit(RLIMIT_AS, &memory) != 0) ::_exit(127);
        }
        if (limits.seconds != 0) ::alarm(limits.seconds);  // the alarm outlives exec
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    if (mChild < 0) throw std::runtime_error("cannot start mosaren-cli");
}

CliRun StartedCli::Wait() {
    int status = 0;
    while (::waitpid(mChild, &status, 0) < 0 && errno == EINTR) {
    }
    CliRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    run.out = ReadAll(mOut);
    run.err = ReadAll(mErr);
    std::filesystem::remove(mOut);
    std::filesystem::remove(mErr);
    return run;
}

}  // namespace mosaren::testing
