#pragma once

// PNM files: PBM, PGM and PPM, plain (P1, P2, P3) and raw (P4, P5, P6), with any maximum value up
// to 65535, scaled to 8 bits to the nearest. A plain PBM file may run its digits together, as
// netpbm writes it.

#include <cstdint>
#include <span>

#include "raster/decoded_picture.h"

namespace mosaren {

// Whether the bytes begin as a PNM file does ("P1" to "P6" and a blank).
bool IsPnmHeader(std::span<const std::uint8_t> start);

// The picture of the whole file (the first of several). Raises EInvalidGraphic "The picture
// cannot be read: <why>" for a file that is not a complete, valid PNM file, and refuses a picture
// beyond the bounds of one decoded whole before decoding it.
DecodedPicture ReadPnm(std::span<const std::uint8_t> file);

}  // namespace mosaren
