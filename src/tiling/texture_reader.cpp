#include "texture_reader.h"

#include "raster/bmp_reader.h"

namespace mosaren {

void ReadBmpTexture(TBitmap& source, const std::string& fileName) { ReadBmpFile(source, fileName); }

void InstallDecodedPicture(TBitmap& source, const DecodedPicture& picture, TColor mask) {
    TBitmap fresh;
    // Converted while it has no pixels, so that sizing it makes a 24-bit picture.
    fresh.ConvertDepth(TPixelDepth::Depth24);
    fresh.SetImageHeight(picture.height);
    fresh.SetImageWidth(picture.width);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        std::uint8_t* pixel = fresh.RowAddress(y);
        for (std::int32_t x = 0; x < picture.width; ++x, pixel += 3) {
            const std::uint32_t argb = picture.At(x, y);
            const TColor colour =
                picture.hasAlpha && AlphaOfArgb(argb) < kOpaqueFrom ? mask : ColourOfArgb(argb);
            pixel[0] = BlueOf(colour);
            pixel[1] = GreenOf(colour);
            pixel[2] = RedOf(colour);
        }
    }
    source.AssignImage(fresh);
}

}  // namespace mosaren
