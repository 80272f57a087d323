#pragma once

// TIFF files of 8-bit RGBA with unassociated alpha, read by libtiff row by row: Qt's reader takes
// them through libtiff's RGBA interface, which premultiplies the colours, and loses up to a
// hundred levels where alpha is low and the colour under alpha 0 altogether. Other TIFF files are
// Qt's.

#include <optional>

#include "raster/decoded_picture.h"

namespace mosaren {

// The picture, when the file open on descriptor (which stays the caller's) is such a file
// (contiguous samples in strips, upright, without a colour profile); else nothing. Raises
// EInvalidGraphic "The picture cannot be read: <why>" for a file libtiff cannot read, with what
// libtiff said, and refuses a picture beyond the bounds of one decoded whole before decoding.
std::optional<DecodedPicture> ReadTiffWithUnassociatedAlpha(int descriptor);

}  // namespace mosaren
