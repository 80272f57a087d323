#pragma once

// TGA files of every kind: colour-mapped, true-colour and grey (image types 1, 2 and 3), each
// plain or run-length encoded (9, 10, 11); 8, 15, 16, 24 and 32 bits a pixel; either origin,
// either direction; with or without the TGA 2.0 footer, which nothing here needs. A TGA file has
// no signature: its header is told by its fields making sense together.

#include <cstdint>
#include <span>

#include "raster/decoded_picture.h"

namespace mosaren {

// Whether the bytes begin with a header that only a TGA file would have.
bool IsTgaHeader(std::span<const std::uint8_t> start);

// The picture of the whole file. Raises EInvalidGraphic "The picture cannot be read: <why>" for
// a file that is not a complete, valid TGA file, and refuses a picture beyond the bounds of one
// decoded whole (picture_bounds.h) before decoding it. Any bytes give a picture or that failure.
DecodedPicture ReadTga(std::span<const std::uint8_t> file);

}  // namespace mosaren
