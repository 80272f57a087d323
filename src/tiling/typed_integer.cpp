#include "typed_integer.h"

#include <cstddef>

#include "raster/exceptions.h"

namespace mosaren {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The length of the hexadecimal prefix at pos, 0 when there is none.
std::size_t HexPrefixLength(const std::string& text, std::size_t pos) {
    if (pos >= text.size()) return 0;
    const char c = text[pos];
    if (c == '$' || c == 'x' || c == 'X') return 1;
    if (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        return 2;
    }
    return 0;
}

}  // namespace

std::int32_t StrToInt(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;

    if (const std::size_t prefix = HexPrefixLength(text, pos); prefix != 0) {
        pos += prefix;
        std::uint32_t value = 0;
        std::size_t digits = 0;
        for (; pos < text.size(); ++pos, ++digits) {
            const int digit = HexDigitValue(text[pos]);
            if (digit < 0 || digits == 8) throw NotAValidInteger(text);
            value = (value << 4) | static_cast<std::uint32_t>(digit);
        }
        if (digits == 0) throw NotAValidInteger(text);
        // Eight digits fill the 32 bits; the top one is the sign.
        return static_cast<std::int32_t>(value);
    }

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulated as a magnitude so that -2147483648 fits on its way in.
    const std::int64_t limit = negative ? std::int64_t{2147483648} : std::int64_t{2147483647};
    std::int64_t magnitude = 0;
    std::size_t digits = 0;
    for (; pos < text.size(); ++pos, ++digits) {
        const char c = text[pos];
        if (c < '0' || c > '9') throw NotAValidInteger(text);
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) throw NotAValidInteger(text);
    }
    if (digits == 0) throw NotAValidInteger(text);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace mosaren
