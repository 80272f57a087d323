#pragma once

// PNG textures read by libpng, row by row: each reading decodes the rows in order and keeps the
// pixels asked for, so no full-size picture is ever made (an interlaced file, whose rows come in
// seven passes, is decoded whole once, within the bound of a picture decoded whole).
//
// Colours as the file stores them, to 8 bits: 16-bit samples rounded to the nearest, grey and
// palette widened, a tRNS chunk made alpha (the colour under alpha 0 kept), nothing
// premultiplied. An ICC profile (iCCP) is converted to sRGB; a gAMA or cHRM chunk without one is
// not applied, as image editors and game engines show such files by their stored values.

#include <memory>

#include "raster/texture_source.h"

namespace mosaren {

// The PNG file open on descriptor (which stays the caller's), its header read. Raises
// EInvalidGraphic "The picture cannot be read: <libpng's reason>" for a header libpng refuses,
// and the raster layer's failure for a picture larger than its cap.
std::unique_ptr<TextureSource> OpenPngSource(int descriptor);

}  // namespace mosaren
