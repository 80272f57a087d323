#pragma once

// Everything mosaren-cli says goes to stderr through here: the batch's progress lines and the
// failure lines. On a terminal the progress line is rewritten in place; anywhere else (a log, a
// pipe) each tile gets a line of its own, so that the record stays readable.

#include <cstddef>
#include <exception>
#include <string>

namespace mosaren::cli {

class Console {
public:
    explicit Console(bool quiet);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // "[k/n] texture -> tile", nothing when quiet: the tile file is in place.
    void Progress(std::size_t k, std::size_t n, const std::string& texture,
                  const std::string& tile);
    // "[k/n] texture made for sheet", nothing when quiet: the tile waits for the sheet, which is
    // written once the run's last tile is made.
    void Made(std::size_t k, std::size_t n, const std::string& texture, const std::string& sheet);
    // "file written", nothing when quiet: a sheet, tileset or preview is in place.
    void Written(const std::string& file);
    // "mosaren-cli: " and the message with its full stop, on a line of its own.
    void Failure(const std::string& message);

private:
    void Line(const std::string& line);
    void EndProgressLine();

    bool mQuiet;
    bool mTerminal;
    bool mLineOpen = false;
};

// Text as a line of its own shows it: a backslash as \\, a newline, carriage return and tab as
// \n, \r and \t, any other control character (bytes 0x01 to 0x1F, 0x7F, and 0x80 to 0x9F where
// they are not part of UTF-8) as \xHH, and the characters a terminal acts on or that reorder the
// line (U+0080 to U+009F, U+2028, U+2029, the bidirectional marks, overrides and isolates) as
// \u{HHHH}, so that a file name holding one cannot break a progress or failure line in two or
// drive the terminal. Other bytes, UTF-8 or not, stay as the name holds them.
std::string EscapedForLine(const std::string& text);

// What the command line says of a failure: its message (FailureMessage), with one wording for a
// lack of memory however the layers below tell it ("Out of memory" for std::bad_alloc, for the
// graphics layer's "Cannot allocate memory" and for the system error of code 12) and a system
// error on one line.
std::string FailureText(const std::exception_ptr& failure);

// The failure line for use before a Console exists (a wrong command line).
void PrintFailure(const std::string& message);

}  // namespace mosaren::cli
