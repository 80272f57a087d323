#pragma once

namespace mosaren {

// The pixel forms of a bitmap. DepthDevice is the display's own layout; the others are
// device-independent sections of the named layout.
enum class TPixelDepth {
    DepthDevice,
    Depth1,
    Depth4,
    Depth8,
    Depth15,  // 16 bits, plain: 5 bits each of red, green, blue
    Depth16,  // 16 bits with colour masks and the green mask 0x07E0
    Depth24,
    Depth32,  // 32 bits, plain
    DepthOther,
};

const char* PixelDepthName(TPixelDepth depth);

}  // namespace mosaren
