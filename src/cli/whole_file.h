#pragma once

#include <cstddef>
#include <string>

namespace mosaren::cli {

// Creates or replaces the file with these bytes, as tiles are replaced: through a temporary file
// beside it that is renamed over it once complete, so that a failure never leaves a half-written
// file ("Cannot create file %s", "Stream write error").
void ReplaceFileWithBytes(const std::string& fileName, const void* bytes, std::size_t count);

}  // namespace mosaren::cli
