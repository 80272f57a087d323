#pragma once

// The tile project's file parsed as TOML, for its reader and its editor alike: a file that is no
// TOML fails with its name, the line and what the parser says.

#include <toml++/toml.h>

#include <string>

#include "usage_error.h"

namespace mosaren::cli {

inline toml::table ParseProjectToml(const std::string& file) {
    try {
        return toml::parse_file(file);
    } catch (const toml::parse_error& failure) {
        throw EUsageError(file + ":" + std::to_string(failure.source().begin.line) + ": " +
                          std::string(failure.description()));
    }
}

}  // namespace mosaren::cli
