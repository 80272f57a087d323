#pragma once

// The names under which the tile commands write their tiles.

#include <string>

#include "tile_maker.h"

namespace mosaren {

// The single-texture command's file for the tile of a piece: the save name followed by ".bmp"
// when the texture is used whole (even when the name already ends in ".bmp"), else followed by
// "_column_row.bmp", so that no two pieces share one.
std::string PieceTileName(const std::string& saveName, PiecePosition piece, bool divided);

// The transitions command's file for tile index (0 to 15) of a variant (0 to 7): the save name
// followed by "_", the index in two digits, for variants from 1 "_v" and the variant, and ".bmp",
// so that the files sort in index order, each tile's variants together, and variant 0 keeps the
// name of a run without variants.
std::string TransitionTileName(const std::string& saveName, int index, int variant = 0);

// The batch's output name: the texture's path less its last four characters (UTF-8 characters,
// not bytes), followed by "tile.bmp".
std::string BatchTileName(const std::string& texturePath);

}  // namespace mosaren
