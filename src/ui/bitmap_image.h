#pragma once

// The one way a bitmap of the raster core becomes something Qt can draw.

#include <QImage>

namespace mosaren {

class TBitmap;

// The bitmap's pixels as a 32-bit RGB image, top row first; a null image while the bitmap has
// no pixels. Raises EOutOfMemory when the image cannot be allocated.
QImage ToQImage(const TBitmap& bitmap);

}  // namespace mosaren
