#pragma once

#include <cstdint>
#include <span>
#include <vector>

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

namespace mosaren {

// Which source pixel each frame pixel of RotateBitmap shows: its column and row, or row −1 where
// the frame shows the mask.
struct RotationSample {
    std::int32_t column;
    std::int32_t row;
};

// The samples of the frame RotateBitmap makes of a width × height source, row by row from the
// frame's top-left. They depend only on the sizes, the centre and the angle; the map is worked
// out once per thread and kept for the next call with the same arguments, so the reference is
// valid until a call with others on the same thread.
const std::vector<RotationSample>& RotationSamples(std::int32_t width, std::int32_t height,
                                                   const TPoint& centre, double angle);

// The samples of only some of the frame's pixels, those in the given columns and rows, row by
// row: what RotationSamples gives at those places, for whoever needs a few of them.
std::vector<RotationSample> RotationSamplesAt(std::int32_t width, std::int32_t height,
                                              const TPoint& centre, double angle,
                                              std::span<const std::int32_t> frameColumns,
                                              std::span<const std::int32_t> frameRows);

}  // namespace mosaren
