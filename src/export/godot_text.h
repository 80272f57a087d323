#pragma once

// Values in Godot's text resources, spelled as Godot itself writes them, so that a file of ours
// reads like one the editor saved.

#include <cstdint>
#include <initializer_list>
#include <string>

namespace mosaren {

// A string literal. Godot's parser takes a backslash as an escape, so backslashes and quotes
// are escaped. Raises EInvalidOperation for a text that is not UTF-8 without control characters.
std::string GodotString(const std::string& text);

// A constructor of whole numbers: "Vector2i(0, 8)" in Godot 4, "Vector2( 0, 8 )" in Godot 3,
// which puts blanks inside the brackets.
std::string Godot4Value(const char* type, std::initializer_list<std::int32_t> arguments);
std::string Godot3Value(const char* type, std::initializer_list<std::int32_t> arguments);

}  // namespace mosaren
