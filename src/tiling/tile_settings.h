#pragma once

// The handful of values that shape every tile, and the constants of tile making that are not
// settings. The settings live for the run only; every run starts from the defaults.

#include <cstdint>

namespace mosaren {

struct TTileSettings {
    std::uint8_t MaskR = 255;
    std::uint8_t MaskG = 0;
    std::uint8_t MaskB = 255;
    std::uint8_t TileHeight = 36;
    std::uint8_t TileWidth = 72;
    std::int32_t PiecesAcross = 1;
    std::int32_t PiecesDown = 1;

    void SetDefaults() { *this = TTileSettings{}; }
};

// The one instance the desktop program edits and its commands read.
TTileSettings& TileSettings();

// The fields a value typed into the parameters dialog may go to.
enum class TileSetting { MaskR, MaskG, MaskB, TileHeight, TileWidth, PiecesAcross, PiecesDown };

// Stores a typed value if it lies in the field's accepted range (1 to 254 for the colour and
// the size, stored as its byte; 1 to 19 for the piece counts) and reports whether it did.
bool StoreTypedValue(TTileSettings& settings, TileSetting field, std::int32_t value);

// Every texture is stretched to this side before it is turned.
inline constexpr std::int32_t kWorkingTextureSide = 255;
// The texture point about which it turns, and the turn.
inline constexpr std::int32_t kRotationCentre = 127;
inline constexpr double kRotationAngle = 45.0;
// The turned frame is this much wider and higher than the texture: 360 × 360.
inline constexpr std::int32_t kFrameMargin = 105;

}  // namespace mosaren
