#include "console.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "interruption.h"
#include "raster/exceptions.h"

namespace mosaren::cli {

namespace {

// Flushes stderr, written since errno was cleared; a reader that is gone (a pipe into
// "head -n 2" that has ended) ends the run.
void Flush() {
    const bool failed = std::fflush(stderr) != 0 || std::ferror(stderr) != 0;
    if (failed && errno == EPIPE) EndAsBrokenPipe();
    std::clearerr(stderr);
}

}  // namespace

std::string EscapedForLine(const std::string& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    out += "\\x";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0x0F];
                } else {
                    out += c;
                }
        }
    }
    return out;
}

Console::Console(bool quiet) : mQuiet(quiet), mTerminal(::isatty(STDERR_FILENO) == 1) {}

Console::~Console() { EndProgressLine(); }

void Console::Progress(std::size_t k, std::size_t n, const std::string& texture,
                       const std::string& tile) {
    Line("[" + std::to_string(k) + "/" + std::to_string(n) + "] " + EscapedForLine(texture) +
         " -> " + EscapedForLine(tile));
}

void Console::Made(std::size_t k, std::size_t n, const std::string& texture,
                   const std::string& sheet) {
    Line("[" + std::to_string(k) + "/" + std::to_string(n) + "] " + EscapedForLine(texture) +
         " made for " + EscapedForLine(sheet));
}

void Console::Written(const std::string& file) {
    if (mQuiet) return;
    EndProgressLine();
    errno = 0;
    std::fprintf(stderr, "%s written\n", EscapedForLine(file).c_str());
    Flush();
}

void Console::Line(const std::string& line) {
    if (mQuiet) {
        return;
    }
    errno = 0;
    if (mTerminal) {
        // Back to the line's start, then clear what a longer earlier line left to the right.
        std::fprintf(stderr, "\r%s\033[K", line.c_str());
        mLineOpen = true;
    } else {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
    Flush();
}

void Console::Failure(const std::string& message) {
    EndProgressLine();
    PrintFailure(message);
}

void Console::EndProgressLine() {
    if (mLineOpen) {
        errno = 0;
        std::fputc('\n', stderr);
        Flush();
        mLineOpen = false;
    }
}

void PrintFailure(const std::string& message) {
    const std::string line = "mosaren-cli: " + EscapedForLine(WithFullStop(message)) + "\n";
    errno = 0;
    std::fwrite(line.data(), 1, line.size(), stderr);
    Flush();
}

}  // namespace mosaren::cli
