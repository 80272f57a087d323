#include "tile_names.h"

#include <cstddef>

namespace mosaren {

namespace {

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// How many bytes a UTF-8 sequence that starts with this byte takes; 0 for a byte that starts
// none.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC0 && lead < 0xE0) return 2;
    if (lead >= 0xE0 && lead < 0xF0) return 3;
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    return 0;
}

// Where the character that ends at end (exclusive, above 0) begins. A byte that belongs to no
// well-formed sequence counts as a character of its own, so that a name that is not UTF-8 still
// loses exactly four somethings and never more than it has.
std::size_t CharacterStart(const std::string& text, std::size_t end) {
    std::size_t start = end - 1;
    std::size_t continuations = 0;
    while (start > 0 && continuations < 3 &&
           IsContinuationByte(static_cast<unsigned char>(text[start]))) {
        --start;
        ++continuations;
    }
    if (continuations > 0 &&
        SequenceLength(static_cast<unsigned char>(text[start])) == continuations + 1) {
        return start;
    }
    return end - 1;
}

}  // namespace

std::string PieceTileName(const std::string& saveName, PiecePosition piece, bool divided) {
    if (!divided) return saveName + ".bmp";
    return saveName + "_" + std::to_string(piece.column) + "_" + std::to_string(piece.row) + ".bmp";
}

std::string TransitionTileName(const std::string& saveName, int index, int variant) {
    const std::string suffix = variant == 0 ? "" : "_v" + std::to_string(variant);
    return saveName + (index < 10 ? "_0" : "_") + std::to_string(index) + suffix + ".bmp";
}

std::string BatchTileName(const std::string& texturePath) {
    // Four characters go whatever they are: x.dib loses ".dib", x.bitmap loses "tmap".
    std::size_t end = texturePath.size();
    for (int removed = 0; removed < 4 && end > 0; ++removed) {
        end = CharacterStart(texturePath, end);
    }
    return texturePath.substr(0, end) + "tile.bmp";
}

}  // namespace mosaren
