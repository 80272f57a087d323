#pragma once

#include <cstddef>

namespace mosaren {

// No picture may hold more pixel bytes than this. The graphics layer refuses a larger image (as
// a platform refuses what it cannot hold) instead of exhausting the machine, and the pictures
// made from tiles keep to the same bound.
inline constexpr std::size_t kMaxImageBytes = std::size_t{1} << 30;

}  // namespace mosaren
