#pragma once

#include <cstdint>

#include "graphics/graphics.h"

namespace mosaren {

// Right and Bottom are exclusive.
using TRect = gdi::Rect;

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

}  // namespace mosaren
