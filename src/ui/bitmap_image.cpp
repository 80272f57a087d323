#include "bitmap_image.h"

#include <vector>

#include "raster/bitmap.h"
#include "raster/exceptions.h"

namespace mosaren {

QImage ToQImage(const TBitmap& bitmap) {
    if (!bitmap.HasPixels() || bitmap.ImageWidth() <= 0 || bitmap.ImageHeight() <= 0) return {};
    const std::int32_t width = bitmap.ImageWidth();
    const std::int32_t height = bitmap.ImageHeight();

    QImage result(width, height, QImage::Format_RGB32);
    if (result.isNull()) throw EOutOfMemory(messages::kOutOfMemory);
    // Colours come as 0x00BBGGRR, red in the low byte; QRgb keeps red in the third byte.
    std::vector<TColor> row(static_cast<std::size_t>(width));
    for (std::int32_t y = 0; y < height; ++y) {
        bitmap.ReadColours(TRect{0, y, width, y + 1}, row);
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (std::int32_t x = 0; x < width; ++x) {
            const TColor colour = row[static_cast<std::size_t>(x)];
            line[x] = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
        }
    }
    return result;
}

}  // namespace mosaren
