#include "option_values.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace mosaren::cli {

// Three digits are enough for every range here, which also keeps the arithmetic far from
// overflow.
std::optional<std::int32_t> ParseWholeNumber(const std::string& text, std::int32_t low,
                                             std::int32_t high) {
    if (text.empty() || text.size() > 3) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

namespace {

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

std::optional<TwoCounts> ParsePair(const std::string& text, std::int32_t low, std::int32_t high) {
    const std::vector<std::string> parts = SplitAt(text, 'x');
    if (parts.size() != 2) {
        return std::nullopt;
    }
    const auto first = ParseWholeNumber(parts[0], low, high);
    const auto second = ParseWholeNumber(parts[1], low, high);
    if (!first || !second) {
        return std::nullopt;
    }
    return TwoCounts{*first, *second};
}

// A fraction from 0 to 1 in millionths: "0" or "1" or nothing before an optional point, at most
// six digits after it, and at least one digit in all.
std::optional<std::int32_t> ParseShade(const std::string& text) {
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string places = point == std::string::npos ? "" : text.substr(point + 1);
    if (!(whole.empty() || whole == "0" || whole == "1") || places.size() > 6 ||
        (point != std::string::npos && places.empty()) || (whole.empty() && places.empty())) {
        return std::nullopt;
    }
    std::int32_t value = whole == "1" ? kWholeShade : 0;
    std::int32_t placeValue = kWholeShade;
    for (char c : places) {
        if (c < '0' || c > '9') return std::nullopt;
        placeValue /= 10;
        value += (c - '0') * placeValue;
    }
    if (value > kWholeShade) return std::nullopt;
    return value;
}

}  // namespace

std::optional<MaskColour> ParseMask(const std::string& text) {
    const std::vector<std::string> parts = SplitAt(text, ',');
    if (parts.size() != 3) {
        return std::nullopt;
    }
    std::uint8_t channels[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto value = ParseWholeNumber(parts[i], 0, 255);
        if (!value) {
            return std::nullopt;
        }
        channels[i] = static_cast<std::uint8_t>(*value);
    }
    return MaskColour{channels[0], channels[1], channels[2]};
}

std::optional<TwoCounts> ParseTileSize(const std::string& text) { return ParsePair(text, 1, 255); }

std::optional<TwoCounts> ParsePieces(const std::string& text) { return ParsePair(text, 1, 19); }

std::optional<ImageFormat> ParseFormat(const std::string& text) {
    if (text == "bmp") return ImageFormat::Bmp;
    if (text == "png") return ImageFormat::Png;
    return std::nullopt;
}

std::optional<TileFilter> ParseFilter(const std::string& text) {
    if (text == "nearest") return TileFilter::Nearest;
    if (text == "smooth") return TileFilter::Smooth;
    return std::nullopt;
}

std::optional<int> ParseDepth(const std::string& text) {
    if (text == "32" || text == "24" || text == "16") {
        return std::stoi(text);
    }
    return std::nullopt;
}

std::optional<FaceShades> ParseShades(const std::string& text) {
    const std::vector<std::string> parts = SplitAt(text, ',');
    if (parts.size() != kBlockFaceCount) return std::nullopt;
    FaceShades shades{};
    for (std::size_t i = 0; i < kBlockFaceCount; ++i) {
        const auto shade = ParseShade(parts[i]);
        if (!shade) return std::nullopt;
        shades[i] = *shade;
    }
    return shades;
}

std::optional<FaceChoice> ParseFaces(const std::string& text) {
    static const char* const kNames[kBlockFaceCount] = {"top", "left", "right"};
    FaceChoice chosen{};
    for (const std::string& part : SplitAt(text, ',')) {
        const auto name = std::find(std::begin(kNames), std::end(kNames), part);
        if (name == std::end(kNames)) return std::nullopt;
        chosen[static_cast<std::size_t>(name - std::begin(kNames))] = true;
    }
    return chosen;
}

std::optional<TerrainEdge> ParseEdge(const std::string& text) {
    if (text == "straight") return TerrainEdge::Straight;
    if (text == "noise") return TerrainEdge::Noise;
    if (text == "dither") return TerrainEdge::Dither;
    return std::nullopt;
}

std::optional<std::uint32_t> ParseSeed(const std::string& text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

}  // namespace mosaren::cli

namespace mosaren::cli {

std::optional<double> ParseFeather(const std::string& text) {
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string places = point == std::string::npos ? "" : text.substr(point + 1);
    const auto digits = [](const std::string& part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if ((whole.empty() && places.empty()) || whole.size() > 2 || places.size() > 3 ||
        !digits(whole) || !digits(places) || (point != std::string::npos && places.empty())) {
        return std::nullopt;
    }
    const double value = (whole.empty() ? 0.0 : std::stoi(whole)) +
                         (places.empty() ? 0.0 : std::stoi(places) / std::pow(10.0, places.size()));
    if (value > 64.0) return std::nullopt;
    return value;
}

}  // namespace mosaren::cli
