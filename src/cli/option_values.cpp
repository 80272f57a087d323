#include "option_values.h"

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

std::optional<int> ParseDepth(const std::string& text) {
    if (text == "32" || text == "24" || text == "16") {
        return std::stoi(text);
    }
    return std::nullopt;
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const char c = text[text.size() - suffix.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != suffix[i]) return false;
    }
    return true;
}

}  // namespace mosaren::cli
