#include "console.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "interruption.h"
#include "raster/exceptions.h"

namespace mosaren::cli {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendByteEscape(std::string& out, unsigned char byte) {
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

// The code point of a well-formed UTF-8 sequence of two to four bytes at text[i], and its
// length; a length of 0 where the bytes there are no such sequence.
std::pair<char32_t, std::size_t> Utf8SequenceAt(const std::string& text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        least = 0x10000;
    } else {
        return {0, 0};
    }
    if (i + length > text.size()) return {0, 0};
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return {0, 0};
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {0, 0};
    return {code, length};
}

// Characters a terminal acts on or that reorder what follows them on the line: the C1
// controls (U+009B is the 8-bit CSI), the line and paragraph separators, and the
// bidirectional marks, embeddings, overrides and isolates.
bool TerminalActsOn(char32_t code) {
    return (code >= 0x80 && code <= 0x9F) || code == 0x061C || code == 0x200E || code == 0x200F ||
           (code >= 0x2028 && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

void AppendCodePointEscape(std::string& out, char32_t code) {
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[code & 0x0F]);
        code >>= 4;
    } while (code != 0);
    out += "\\u{" + digits + "}";
}

// Flushes stderr, written since errno was cleared; a reader that is gone (a pipe into
// "head -n 2" that has ended) ends the run.
void Flush() {
    const bool failed = std::fflush(stderr) != 0 || std::ferror(stderr) != 0;
    if (failed && errno == EPIPE) EndAsBrokenPipe();
    std::clearerr(stderr);
}

}  // namespace

std::string EscapedForLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            const auto [code, length] = Utf8SequenceAt(text, i);
            if (length == 0) {
                // A byte outside UTF-8: in 0x80 to 0x9F a terminal in an 8-bit mode takes it
                // for a C1 control; any other stays, as the name holds it.
                if (byte <= 0x9F) {
                    AppendByteEscape(out, byte);
                } else {
                    out += c;
                }
                ++i;
            } else {
                if (TerminalActsOn(code)) {
                    AppendCodePointEscape(out, code);
                } else {
                    out.append(text, i, length);
                }
                i += length;
            }
            continue;
        }
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    AppendByteEscape(out, byte);
                } else {
                    out += c;
                }
        }
        ++i;
    }
    return out;
}

std::string FailureText(const std::exception_ptr& failure) {
    const std::string lackOfMemory = std::strerror(ENOMEM);
    try {
        std::rethrow_exception(failure);
    } catch (const EOSError& error) {
        // "System Error.  Code: 12.\r\nCannot allocate memory", as the desktop program's box
        // shows it on two lines.
        const std::string& text = error.Message();
        if (text.rfind("System Error.  Code: " + std::to_string(ENOMEM) + ".", 0) == 0) {
            return messages::kOutOfMemory;
        }
        std::string line = text;
        for (std::size_t at = line.find("\r\n"); at != std::string::npos; at = line.find("\r\n", at)) {
            line.replace(at, 2, " ");
        }
        return line;
    } catch (const EOutOfResources& error) {
        if (error.Message() == lackOfMemory) return messages::kOutOfMemory;
    } catch (...) {
    }
    return FailureMessage(failure);
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
