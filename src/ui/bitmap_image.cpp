#include "bitmap_image.h"

#include <vector>

#include "raster/bitmap.h"
#include "raster/exceptions.h"

namespace mosaren {

QImage ToQImage(const TBitmap& bitmap) {
    const gdi::ImageHandle& image = bitmap.DeviceHandle();
    if (!image || image->Width() <= 0 || image->Height() <= 0) return {};
    const std::int32_t width = image->Width();
    const std::int32_t height = image->Height();

    QImage result(width, height, QImage::Format_RGB32);
    if (result.isNull()) throw EOutOfMemory(messages::kOutOfMemory);
    // Colours come as 0x00BBGGRR, red in the low byte; QRgb keeps red in the third byte.
    std::vector<gdi::ColorRef> row(static_cast<std::size_t>(width));
    for (std::int32_t y = 0; y < height; ++y) {
        image->ReadColours(y, 0, width, row.data());
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (std::int32_t x = 0; x < width; ++x) {
            const gdi::ColorRef colour = row[static_cast<std::size_t>(x)];
            line[x] = qRgb(gdi::RedOf(colour), gdi::GreenOf(colour), gdi::BlueOf(colour));
        }
    }
    return result;
}

}  // namespace mosaren
