#pragma once

// Where the picture previews draw a picture: stretched proportionally into the area and centred.
// Plain arithmetic, so that it is tested without any window.

#include <cstdint>

#include "raster/geometry.h"

namespace mosaren {

// The rectangle, within an area of areaWidth × areaHeight, that a picture of width × height
// pixels is stretched into: the longer side fills the area, the other follows the aspect held as
// a double, with the product or quotient in extended precision truncated toward zero; a picture
// without extent fills the whole area. Small pictures are enlarged as large ones are reduced.
TRect FitPictureRect(std::int32_t width, std::int32_t height, std::int32_t areaWidth,
                     std::int32_t areaHeight);

}  // namespace mosaren
