// PNG and JPEG textures written by libpng and libjpeg here, then cut short and changed byte by
// byte: the texture sources read what is whole, and refuse what is cut or broken with their
// failure (never a crash, a hang or, under the sanitizers, a read outside a buffer). libpng and
// libjpeg leave their failures by a long jump; these cases take every such path. Whatever reads,
// reads alike pixel by pixel and row by row.

#include <png.h>
// jpeglib.h needs FILE and size_t declared first.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <span>
#include <vector>

#include "import/picture_import.h"
#include "raster/exceptions.h"
#include "raster/geometry.h"
#include "support/files.h"

namespace mosaren::testing {
namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 23;

std::vector<std::uint8_t> Rgba() {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            pixels.insert(pixels.end(), {std::uint8_t(x * 6), std::uint8_t(y * 11),
                                         std::uint8_t(x * y), std::uint8_t(255 - x)});
        }
    }
    return pixels;
}

std::vector<std::uint8_t> WritePng() {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kWidth;
    image.height = kHeight;
    image.format = PNG_FORMAT_RGBA;
    const std::vector<std::uint8_t> pixels = Rgba();
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
    std::vector<std::uint8_t> file(size);
    if (!png_image_write_to_memory(&image, file.data(), &size, 0, pixels.data(), 0, nullptr)) {
        std::abort();
    }
    file.resize(size);
    return file;
}

std::vector<std::uint8_t> WriteJpeg(bool progressive) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = 4;
    info.in_color_space = JCS_EXT_RGBX;
    jpeg_set_defaults(&info);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> pixels = Rgba();
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.next_scanline) * kWidth * 4;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

// Reads the file as the tile engine and the tile maker do; whether it read.
bool Reads(const TempFolder& folder, const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder / "texture";
    WriteBytes(path, bytes);
    try {
        const std::unique_ptr<TextureSource> source = OpenTexture(path);
        if (!source) return false;
        PixelSamples samples;
        for (std::int32_t y = 0; y < source->Height(); y += 3) {
            samples.rows.push_back({y, static_cast<std::uint32_t>(samples.columns.size()), 0});
            for (std::int32_t x = 0; x < source->Width(); x += 2) {
                samples.columns.push_back(x);
                ++samples.rows.back().count;
            }
        }
        std::vector<TColor> colours(samples.Count());
        std::vector<std::uint8_t> alpha(samples.Count());
        source->ReadPixels(samples, colours, alpha);
        // A source's own row reading (all rows in one decoding) hands what the bands of
        // ReadPixels do, row for row, or fails as they do.
        const TRect inside{1, 1, source->Width() - 1, source->Height() - 1};
        std::vector<TColor> byBands;
        std::vector<std::uint8_t> alphaByBands;
        std::int32_t rows = 0;
        source->TextureSource::ReadRows(
            inside.top, inside.bottom, inside.left, inside.right,
            [&](std::int32_t, std::span<const TColor> c, std::span<const std::uint8_t> a) {
                byBands.insert(byBands.end(), c.begin(), c.end());
                alphaByBands.insert(alphaByBands.end(), a.begin(), a.end());
            });
        std::size_t at = 0;
        std::size_t alphaAt = 0;
        source->ReadRows(
            inside.top, inside.bottom, inside.left, inside.right,
            [&](std::int32_t y, std::span<const TColor> c, std::span<const std::uint8_t> a) {
                EXPECT_EQ(y, inside.top + rows++);
                ASSERT_LE(at + c.size(), byBands.size());
                ASSERT_LE(alphaAt + a.size(), alphaByBands.size());
                EXPECT_TRUE(std::equal(c.begin(), c.end(), byBands.begin() + at)) << "row " << y;
                EXPECT_TRUE(std::equal(a.begin(), a.end(), alphaByBands.begin() + alphaAt))
                    << "row " << y;
                at += c.size();
                alphaAt += a.size();
            });
        EXPECT_EQ(at, byBands.size());
        EXPECT_EQ(alphaAt, alphaByBands.size());
        const DecodedPicture whole = source->ReadWhole();
        EXPECT_EQ(whole.pixels.size(), static_cast<std::size_t>(whole.width) * whole.height);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

struct Written {
    const char* name;
    std::vector<std::uint8_t> (*write)();
    std::size_t wholeFrom;  // a cut at this length or longer may still read
};

const Written kPictures[] = {
    {"PNG", WritePng, 0},
    {"baseline JPEG", [] { return WriteJpeg(false); }, 2},
    {"progressive JPEG", [] { return WriteJpeg(true); }, 0},
};

TEST(DamagedPictures, ACutFileFailsAndAChangedOneReadsOrFails) {
    TempFolder folder;
    std::mt19937 random(7);
    for (const Written& written : kPictures) {
        SCOPED_TRACE(written.name);
        const std::vector<std::uint8_t> whole = written.write();
        EXPECT_TRUE(Reads(folder, whole));
        // A PNG file may lose its closing IEND chunk (12 bytes) and still hold every pixel.
        const std::size_t readsFrom = whole.size() - (written.wholeFrom ? written.wholeFrom : 0) -
                                      (std::string(written.name) == "PNG" ? 12 : 0);
        for (std::size_t cut = 2; cut < readsFrom; cut += 1 + cut / 40) {
            EXPECT_FALSE(Reads(folder, std::vector<std::uint8_t>(whole.begin(), whole.begin() + cut)))
                << "cut at " << cut << " of " << whole.size();
        }
        for (int i = 0; i < 200; ++i) {
            std::vector<std::uint8_t> changed = whole;
            for (int k = 0; k < 1 + i % 4; ++k) {
                changed[8 + random() % (changed.size() - 8)] = static_cast<std::uint8_t>(random());
            }
            Reads(folder, changed);
        }
    }
}

}  // namespace
}  // namespace mosaren::testing
