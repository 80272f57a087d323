#include "png_picture.h"

#include <png.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace mosaren::testing {

namespace {

// libpng reports a bad file by a long jump back here, so nothing with a destructor may live in
// this frame.
bool DecodeInto(png_structp png, png_infop info, std::FILE* file, PngPicture& picture) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_init_io(png, file);
    png_read_png(png, info,
                 PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_SCALE_16 | PNG_TRANSFORM_GRAY_TO_RGB,
                 nullptr);
    picture.width = static_cast<std::int32_t>(png_get_image_width(png, info));
    picture.height = static_cast<std::int32_t>(png_get_image_height(png, info));
    return true;
}

}  // namespace

PngPixel& PngPicture::At(int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        throw std::out_of_range("pixel outside the picture");
    }
    return pixels[static_cast<std::size_t>(y) * width + x];
}

const PngPixel& PngPicture::At(int x, int y) const {
    return const_cast<PngPicture*>(this)->At(x, y);
}

std::optional<PngPicture> ReadPng(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::nullopt;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;

    std::optional<PngPicture> result;
    PngPicture picture;
    if (info != nullptr && DecodeInto(png, info, file, picture)) {
        // After the expansions a row is colour, with alpha when the file had any transparency.
        const int channels = png_get_channels(png, info);
        png_bytepp rows = png_get_rows(png, info);
        picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
        for (std::int32_t y = 0; y < picture.height; ++y) {
            for (std::int32_t x = 0; x < picture.width; ++x) {
                const png_byte* from = rows[y] + channels * x;
                picture.pixels.push_back(
                    PngPixel{Rgb(from[0], from[1], from[2]),
                             static_cast<std::uint8_t>(channels == 4 ? from[3] : 255)});
            }
        }
        result = std::move(picture);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return result;
}

PngPicture ReadPngFile(const std::filesystem::path& path) {
    std::optional<PngPicture> picture = ReadPng(path);
    if (!picture) throw std::runtime_error("not a PNG file: " + path.string());
    return *std::move(picture);
}

void WriteRgbaPng(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                  const std::vector<std::uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr)) {
        throw std::runtime_error(std::string("cannot write ") + path.string() + ": " +
                                 image.message);
    }
}

}  // namespace mosaren::testing
