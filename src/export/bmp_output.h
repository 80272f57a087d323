#pragma once

// BMP files of RGBA images, for a sheet made of BMP tiles: written by the raster layer's writer
// at the display depth, like the tiles themselves, with the mask colour wherever the image is
// transparent.

#include <string>

#include "rgba_image.h"
#include "tiling/tile_settings.h"

namespace mosaren {

// Creates or replaces the file, as tiles are replaced. Transparent pixels take the mask colour
// of settings; all others their own colour (alpha is either 0 or 255 in what the program makes).
void WriteBmpImage(const RgbaImage& image, const TTileSettings& settings,
                   const std::string& fileName);

}  // namespace mosaren
