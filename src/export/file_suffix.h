#pragma once

// File suffixes, as the outputs and the command line tell a file's kind by them: ".PNG" is as
// good as ".png".

#include <cstddef>
#include <string>

namespace mosaren {

// Whether text ends with suffix (given in lower case), letters of either case.
inline bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const char c = text[text.size() - suffix.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != suffix[i]) return false;
    }
    return true;
}

}  // namespace mosaren
