#pragma once

// Texture files in any common picture format. A file is told by its content, never by its name:
// a BMP file (one that begins "BM"), an empty file, and one that no picture reader recognises go
// to our own BMP reader, which reads or refuses them exactly as it always has; every other file
// is decoded by the library's readers into a DecodedPicture:
//
// - an embedded colour profile is applied, so the colours are those an image viewer shows (sRGB);
// - an orientation tag (EXIF in JPEG and TIFF) is applied, so the picture stands as it is shown;
// - of an animation (GIF), the first frame;
// - 16-bit channels are rounded to 8 bits, grey and palette pictures widened to colours.

#include <optional>
#include <string>

#include "raster/decoded_picture.h"

namespace mosaren {

// The picture in the file, or nothing when the file is for the BMP reader. Raises
// EInvalidGraphic "The picture cannot be read: <the reader's reason>" for a picture a reader
// recognises but cannot decode, and the raster layer's failure for a picture larger than its
// cap (before decoding it). The message does not name the file; the caller does.
std::optional<DecodedPicture> ImportPicture(const std::string& fileName);

// The text in front of a reader's reason.
inline constexpr const char* kUnreadablePicture = "The picture cannot be read";

}  // namespace mosaren
