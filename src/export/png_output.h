#pragma once

// PNG files of RGBA images, 8 bits per channel with alpha, through libpng.

#include <cstdint>
#include <string>
#include <vector>

#include "rgba_image.h"

namespace mosaren {

// The PNG bytes of the image. Raises EInvalidGraphic with libpng's reason if it refuses.
std::vector<std::uint8_t> EncodePng(const RgbaImage& image);

// Creates or replaces the file, as tiles are replaced: the old file goes only once the whole new
// one is written ("Cannot create file %s", "Stream write error").
void WritePngFile(const RgbaImage& image, const std::string& fileName);

// The PNG name of a tile that the tile commands name "....bmp": the same name with ".png" in its
// place.
std::string PngTileName(const std::string& bmpName);

}  // namespace mosaren
