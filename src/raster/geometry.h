#pragma once

#include <cstdint>

namespace mosaren {

// Right and Bottom are exclusive.
struct TRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

}  // namespace mosaren
