#pragma once

// The integer conversion of the parameters dialog's edit boxes: what a user may type for a
// colour component, a tile side or a piece count.

#include <cstdint>
#include <string>

namespace mosaren {

// Leading blanks are skipped; then either a decimal number with an optional "+" or "-", or a
// hexadecimal number after "$", "x", "X", "0x" or "0X" with no sign before it. Nothing may
// follow the number, not even a blank. Decimal numbers must fit 32 bits; hexadecimal ones may
// have at most 8 digits, and 8 digits wrap ("$FFFFFFFF" is -1). Anything else raises
// EConvertError "'%s' is not a valid integer value" with the whole text.
std::int32_t StrToInt(const std::string& text);

}  // namespace mosaren
