#include "bmp_output.h"

#include <vector>

#include "raster/bitmap.h"
#include "raster/bmp_writer.h"

namespace mosaren {

void WriteBmpImage(const RgbaImage& image, const TTileSettings& settings,
                   const std::string& fileName) {
    // A new bitmap keeps the device form, so the file has the depth the tiles have.
    TBitmap bitmap;
    bitmap.SetImageWidth(image.Width());
    bitmap.SetImageHeight(image.Height());
    const TColor mask = Rgb(settings.MaskR, settings.MaskG, settings.MaskB);
    std::vector<TColor> row(static_cast<std::size_t>(image.Width()));
    for (std::int32_t y = 0; y < image.Height(); ++y) {
        for (std::int32_t x = 0; x < image.Width(); ++x) {
            const Rgba& p = image.At(x, y);
            row[static_cast<std::size_t>(x)] = p.a == 0 ? mask : Rgb(p.r, p.g, p.b);
        }
        bitmap.WriteColours(TRect{0, y, image.Width(), y + 1}, row);
    }
    WriteBmpFile(bitmap, fileName);
}

}  // namespace mosaren
