#pragma once

// JPEG textures read by libjpeg-turbo, scanline by scanline: each reading decodes the rows a tile
// shows and skips the others (their data is still read through, so a file cut short anywhere
// fails), and no full-size picture is made. An EXIF orientation is applied by mapping each pixel
// asked for to the stored pixel that shows there; an ICC profile is converted to sRGB, whatever
// the orientation. CMYK files are read as Adobe writes them (inverted).
//
// A file in several scans (progressive) is decoded by libjpeg into its coefficients first; its
// scans are counted before anything is decoded, and one beyond the bounds of picture_bounds.h
// is refused. A warning of damaged data (the file ending early, a bad code) fails the texture.

#include <memory>

#include "raster/texture_source.h"

namespace mosaren {

// The JPEG file open on descriptor (which stays the caller's), its header read. Raises
// EInvalidGraphic "The picture cannot be read: <libjpeg's reason>" for a header libjpeg refuses
// or a file beyond the bounds, and the raster layer's failure for a picture larger than its cap.
std::unique_ptr<TextureSource> OpenJpegSource(int descriptor);

}  // namespace mosaren
