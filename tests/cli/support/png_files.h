#pragma once

// PNG files read back through libpng, the library that wrote them, as 8-bit RGBA.

#include <png.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tiling/support/bmp_files.h"

namespace mosaren::testing {

struct PngPixel {
    Colour colour = 0;  // 0x00BBGGRR, as the tile files' colours
    std::uint8_t alpha = 0;
    friend bool operator==(const PngPixel&, const PngPixel&) = default;
};

struct PngFile {
    int width = 0;
    int height = 0;
    std::vector<PngPixel> pixels;  // from the top-left, row by row

    const PngPixel& At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) {
            throw std::out_of_range("pixel outside the picture");
        }
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
};

inline PngFile ReadPngFile(const std::filesystem::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        throw std::runtime_error("not a PNG file: " + path.string() + ": " + image.message);
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) {
        throw std::runtime_error("cannot read " + path.string() + ": " + image.message);
    }
    PngFile file;
    file.width = static_cast<int>(image.width);
    file.height = static_cast<int>(image.height);
    for (std::size_t i = 0; i + 3 < bytes.size(); i += 4) {
        file.pixels.push_back({ColourOf(bytes[i], bytes[i + 1], bytes[i + 2]), bytes[i + 3]});
    }
    return file;
}

}  // namespace mosaren::testing
