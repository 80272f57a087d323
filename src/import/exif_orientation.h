#pragma once

// The orientation tag of an EXIF block (0x0112), and the mapping of a pixel of the picture as it
// is shown to the pixel of the picture as it is stored.

#include <cstdint>
#include <span>

namespace mosaren {

// The orientation (1 to 8) that the APP1 payload gives ("Exif\0\0" and a TIFF structure), 1 when
// it gives none or none that makes sense.
int ExifOrientation(std::span<const std::uint8_t> app1);

// Whether the orientation turns the picture a quarter turn, so that width and height swap.
constexpr bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

struct StoredPixel {
    std::int32_t x;
    std::int32_t y;
};

// The stored pixel that shows at (x, y) of the picture shown, the stored picture being
// storedWidth × storedHeight.
constexpr StoredPixel StoredPixelOf(int orientation, std::int32_t x, std::int32_t y,
                                    std::int32_t storedWidth, std::int32_t storedHeight) {
    switch (orientation) {
        case 2: return {storedWidth - 1 - x, y};
        case 3: return {storedWidth - 1 - x, storedHeight - 1 - y};
        case 4: return {x, storedHeight - 1 - y};
        case 5: return {y, x};
        case 6: return {y, storedHeight - 1 - x};
        case 7: return {storedWidth - 1 - y, storedHeight - 1 - x};
        case 8: return {storedWidth - 1 - y, x};
        default: return {x, y};
    }
}

}  // namespace mosaren
