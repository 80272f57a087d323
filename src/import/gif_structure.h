#pragma once

// The blocks of a GIF file up to the end of its first frame, walked without decoding anything,
// so that a file cut short inside its first frame fails instead of being tiled half grey (Qt's
// reader fills what is missing without a word).

#include <cstdint>
#include <span>
#include <string>

namespace mosaren {

struct GifScreen {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The logical screen of the file, whose size the first frame is drawn at. Raises EInvalidGraphic
// "The picture cannot be read: GIF file <why>" when the blocks end before the first frame's data
// does, or are not valid.
GifScreen CheckGifFirstFrame(std::span<const std::uint8_t> file);

}  // namespace mosaren
