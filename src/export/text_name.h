#pragma once

// A file name written into a text file (a Tiled tileset, a Godot resource) must be text there:
// UTF-8 without control characters. A name the system allows but such a file cannot carry is
// refused rather than written garbled.

#include <string>

namespace mosaren {

// Raises EInvalidOperation, "Cannot write the name NAME into WHERE: it is not UTF-8 text without
// control characters and non-characters", unless name is such text: valid UTF-8, no byte below
// 0x20 nor 0x7F, and neither U+FFFE nor U+FFFF, which XML has no place for.
void RequireTextName(const std::string& name, const std::string& where);

}  // namespace mosaren
