#include "godot_text.h"

#include <cstdio>

#include "text_name.h"

namespace mosaren {

namespace {

// Godot holds a colour's channels as floats and writes each with C's %g.
std::string Channel(std::uint8_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(static_cast<float>(value) / 255.0f));
    return text;
}

std::string Arguments(std::initializer_list<std::int32_t> arguments) {
    std::string text;
    for (const std::int32_t argument : arguments) {
        if (!text.empty()) text += ", ";
        text += std::to_string(argument);
    }
    return text;
}

}  // namespace

std::string GodotString(const std::string& text) {
    RequireTextName(text, "a Godot resource");
    std::string literal = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') literal += '\\';
        literal += c;
    }
    return literal + '"';
}

std::string Godot4Value(const char* type, std::initializer_list<std::int32_t> arguments) {
    return std::string(type) + "(" + Arguments(arguments) + ")";
}

std::string Godot3Value(const char* type, std::initializer_list<std::int32_t> arguments) {
    return std::string(type) + "( " + Arguments(arguments) + " )";
}

std::string Godot4Colour(TColor colour) {
    return "Color(" + Channel(RedOf(colour)) + ", " + Channel(GreenOf(colour)) + ", " +
           Channel(BlueOf(colour)) + ", 1)";
}

}  // namespace mosaren
