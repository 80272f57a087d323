#pragma once

// How a texture file becomes the tile maker's source bitmap. The desktop program reads BMP files
// only (ReadBmpFile, the default); the command line reads other picture formats too and hands
// the tile maker a reader that does.

#include <functional>
#include <string>

#include "raster/bitmap.h"
#include "raster/decoded_picture.h"

namespace mosaren {

using TextureReader = std::function<void(TBitmap& source, const std::string& fileName)>;

// The reader that takes BMP files alone.
void ReadBmpTexture(TBitmap& source, const std::string& fileName);

// Makes source a 24-bit picture of the decoded picture's colours, the tile maker's source as a
// 24-bit BMP file of them would be. A bitmap carries no alpha: where the picture has any, a
// pixel of alpha below kOpaqueFrom takes the mask colour, as it does in a BMP tile.
void InstallDecodedPicture(TBitmap& source, const DecodedPicture& picture, TColor mask);

}  // namespace mosaren
