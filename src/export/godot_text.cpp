#include "godot_text.h"

#include "text_name.h"

namespace mosaren {

namespace {

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

}  // namespace mosaren
