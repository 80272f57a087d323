#pragma once

// Textures of every picture format the command line reads (import/picture_import.h), for the
// tile engine.

#include <memory>
#include <string>

#include "raster/texture_source.h"
#include "tiling/tile_engine.h"

namespace mosaren::cli {

// The batch's tile of a texture file of any format.
TilePixels TileAnyTexture(TileEngine& engine, const std::string& texturePath);

// The single-texture command's reading of its texture, of any format, for the engine. The
// texture's source is kept in source for the pieces. A texture that cannot be read is refused
// with its name in front, which the command's message has nowhere else.
void ReadAnyTextureForPieces(TileEngine& engine, const std::string& texturePath,
                             std::unique_ptr<TextureSource>& source);

}  // namespace mosaren::cli
