#pragma once

#include "raster/geometry.h"

namespace mosaren {

class TBitmap;
struct TTileSettings;

// Turns the 24-bit source by angle degrees about centre into destination, a frame 105 pixels
// wider and higher than the source; every frame pixel that does not fall on the texture takes
// the mask colour of settings. Inverse mapping with nearest-pixel sampling, no filtering. The
// source is only read: a preview that shares its image keeps sharing it.
void RotateBitmap(const TBitmap& source, TBitmap& destination, const TPoint& centre, double angle,
                  const TTileSettings& settings);

}  // namespace mosaren
