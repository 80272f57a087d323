#pragma once

// Textures of every picture format the command line reads (import/picture_import.h), for the
// tile engine and for the tile maker, which makes blocks.

#include <optional>
#include <string>

#include "tiling/texture_reader.h"
#include "tiling/tile_engine.h"
#include "tiling/tile_settings.h"

namespace mosaren::cli {

// The tile maker's reader: BMP files by our reader, others decoded, their pixels of alpha below
// kOpaqueFrom in the mask colour of settings (read at each texture), since a block keeps no
// alpha.
TextureReader AnyFormatReader(const TTileSettings& settings);

// The batch's tile of a texture file of any format.
TileWithAlpha TileAnyTexture(TileEngine& engine, const std::string& texturePath);

// The single-texture command's reading of its texture, of any format, for the engine. The
// decoded picture is kept in picture for the pieces. A picture that cannot be read is refused
// with the texture's name in front, which the command's message has nowhere else.
void ReadAnyTextureForPieces(TileEngine& engine, const std::string& texturePath,
                             std::optional<DecodedPicture>& picture);

}  // namespace mosaren::cli
