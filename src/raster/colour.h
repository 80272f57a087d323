#pragma once

// Colour values, as every layer passes them: a 32-bit number 0x00BBGGRR, red in the low byte.
// A value whose top bit is set names a system colour by its low byte.

#include <cstdint>

namespace mosaren {

using TColor = std::uint32_t;

// What reading a pixel outside a bitmap gives.
inline constexpr TColor kClrInvalid = 0xFFFFFFFF;
inline constexpr TColor kWhite = 0x00FFFFFF;

constexpr TColor Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor{r} | (TColor{g} << 8) | (TColor{b} << 16);
}
constexpr std::uint8_t RedOf(TColor c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(TColor c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(TColor c) { return static_cast<std::uint8_t>(c >> 16); }

}  // namespace mosaren
