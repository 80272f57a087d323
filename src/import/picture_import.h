#pragma once

// Texture files in every picture format the command line reads, told by their content, never by
// their name:
//
// - a BMP file (one that begins "BM"), an empty file, and one in no format read go to our own
//   BMP reader, which reads or refuses them exactly as it always has;
// - PNG and JPEG files are read by libpng and libjpeg-turbo as they are sampled (png_source.h,
//   jpeg_source.h);
// - TGA and PNM files by our own readers (tga_reader.h, pnm_reader.h);
// - GIF (its first frame), TIFF and WebP files by Qt's image readers, decoded whole.
//
// Whatever the format: an embedded colour profile is converted to sRGB; an orientation tag (EXIF
// in JPEG and TIFF) is applied; 16-bit channels are rounded to the nearest 8-bit value; colours
// are never premultiplied, and the colour under alpha 0 is kept. What a decoding library says on
// its own is not printed but goes into the texture's failure message (decoder_messages.h).

#include <memory>
#include <optional>
#include <string>

#include "raster/decoded_picture.h"
#include "raster/texture_source.h"

namespace mosaren {

// The texture in the file, its header read, or none when the file is for the BMP reader.
// Raises EInvalidGraphic "The picture cannot be read: <the reader's reason>" for a picture a
// reader recognises but cannot read, or one beyond the bounds of picture_bounds.h, and the raster
// layer's failure for a picture larger than its cap (before decoding it). The message does not
// name the file; the caller does. The source's reading raises the same for damage found later.
std::unique_ptr<TextureSource> OpenTexture(const std::string& fileName);

// The whole picture in the file, or nothing when it is for the BMP reader; raises as OpenTexture
// and its reading do.
std::optional<DecodedPicture> ImportPicture(const std::string& fileName);

// The text in front of a reader's reason.
inline constexpr const char* kUnreadablePicture = "The picture cannot be read";

}  // namespace mosaren
