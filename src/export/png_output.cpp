#include "png_output.h"

#include <png.h>

#include "raster/exceptions.h"
#include "raster/file_replacement.h"

namespace mosaren {

std::vector<std::uint8_t> EncodePng(const RgbaImage& image) {
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    description.width = static_cast<png_uint_32>(image.Width());
    description.height = static_cast<png_uint_32>(image.Height());
    // 8-bit sRGB with straight (not premultiplied) alpha, written exactly as given.
    description.format = PNG_FORMAT_RGBA;
    const void* pixels = image.Pixels().data();

    // The first call measures, the second writes into a buffer of that size.
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&description, nullptr, &size, 0, pixels, 0, nullptr) != 0) {
        std::vector<std::uint8_t> bytes(size);
        if (png_image_write_to_memory(&description, bytes.data(), &size, 0, pixels, 0, nullptr) !=
            0) {
            bytes.resize(size);
            return bytes;
        }
    }
    const std::string reason = description.message;
    png_image_free(&description);
    throw EInvalidGraphic("Cannot encode PNG: " + reason);
}

void WritePngFile(const RgbaImage& image, const std::string& fileName) {
    // Encoded first, so that a refusal leaves no temporary file to clear away.
    const std::vector<std::uint8_t> bytes = EncodePng(image);
    ReplaceFileWithBytes(fileName, bytes.data(), bytes.size());
}

std::string PngTileName(const std::string& bmpName) {
    return bmpName.substr(0, bmpName.size() - 4) + ".png";
}

}  // namespace mosaren
