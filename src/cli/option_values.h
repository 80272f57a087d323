#pragma once

// The values of the options that carry numbers or names, read strictly: decimal digits only, no
// blanks or signs, each number within the option's range. Each returns nothing for a text it
// refuses.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "export/file_suffix.h"
#include "export/output_settings.h"
#include "tiling/block_settings.h"
#include "tiling/terrain_border.h"
#include "tiling/tile_filter.h"

namespace mosaren::cli {

struct MaskColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct TwoCounts {
    std::int32_t first = 0;   // width, or pieces across
    std::int32_t second = 0;  // height, or pieces down
};

// A whole number from low to high, at most 999.
std::optional<std::int32_t> ParseWholeNumber(const std::string& text, std::int32_t low,
                                             std::int32_t high);
// "R,G,B", each 0 to 255.
std::optional<MaskColour> ParseMask(const std::string& text);
// "WxH", each 1 to 255.
std::optional<TwoCounts> ParseTileSize(const std::string& text);
// "NxM", each 1 to 19.
std::optional<TwoCounts> ParsePieces(const std::string& text);
// "bmp" or "png".
std::optional<ImageFormat> ParseFormat(const std::string& text);
// "32", "24" or "16".
std::optional<int> ParseDepth(const std::string& text);
// "nearest" or "smooth".
std::optional<TileFilter> ParseFilter(const std::string& text);

// By face, top, left and right.
using FaceShades = std::array<std::int32_t, kBlockFaceCount>;
using FaceChoice = std::array<bool, kBlockFaceCount>;
// "TOP,LEFT,RIGHT", each a decimal fraction from 0 to 1 with at most six places ("1", "0.8",
// ".75"), in millionths.
std::optional<FaceShades> ParseShades(const std::string& text);
// Any of "top", "left" and "right", separated by commas, at least one: which faces are named.
std::optional<FaceChoice> ParseFaces(const std::string& text);

// "straight", "noise" or "dither".
std::optional<TerrainEdge> ParseEdge(const std::string& text);
// A whole number from 0 to 4294967295, at most ten digits.
std::optional<std::uint32_t> ParseSeed(const std::string& text);
// A decimal number from 0 to 64 with at most three places ("2", "1.5", ".5").
std::optional<double> ParseFeather(const std::string& text);

}  // namespace mosaren::cli
