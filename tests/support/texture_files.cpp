#include "texture_files.h"

#include <algorithm>
#include <random>

#include "bmp_builder.h"

namespace mosaren::testing {

namespace {

std::size_t Stride(std::int32_t width, int bits) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
}

// Rows of runs and noise: a run repeats one value for a few pixels, noise draws each anew. The
// values are whole stored pixels, bytes long (or one byte holding two 4-bit ones, eight 1-bit).
class Pattern {
public:
    explicit Pattern(std::uint32_t seed) : mRandom(seed) {}

    std::uint32_t Next() { return mRandom(); }
    std::uint32_t Below(std::uint32_t n) { return n == 0 ? 0 : mRandom() % n; }

    // Row bytes: runs of equal bytes between stretches of noise.
    void Fill(std::uint8_t* bytes, std::size_t count, std::size_t pixelBytes) {
        std::size_t at = 0;
        while (at < count) {
            const std::size_t length = std::min(count - at, pixelBytes * (1 + Below(24)));
            const bool run = Below(3) != 0;
            std::uint8_t value[4] = {static_cast<std::uint8_t>(Next()),
                                     static_cast<std::uint8_t>(Next()),
                                     static_cast<std::uint8_t>(Next()),
                                     static_cast<std::uint8_t>(Next())};
            for (std::size_t i = 0; i < length; ++i) {
                bytes[at + i] = run ? value[i % pixelBytes] : static_cast<std::uint8_t>(Next());
            }
            at += length;
        }
    }

private:
    std::mt19937 mRandom;
};

std::vector<TColor> Colours(Pattern& pattern, std::size_t count) {
    std::vector<TColor> table(count);
    for (TColor& c : table) c = pattern.Next() & 0xFFFFFF;
    return table;
}

std::vector<std::uint8_t> PlainPixels(Pattern& pattern, std::int32_t width, std::int32_t height,
                                      int bits) {
    const std::size_t stride = Stride(width, bits);
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -std::int64_t{height} : height);
    std::vector<std::uint8_t> pixels(stride * rows, 0);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 7) / 8;
    for (std::size_t y = 0; y < rows; ++y) {
        pattern.Fill(pixels.data() + y * stride, rowBytes, std::max(1, bits / 8));
    }
    return pixels;
}

// Run-length data the way an encoder writes it: each row as encoded runs and absolute runs,
// ended by an end of line; the last row by the end of the bitmap.
std::vector<std::uint8_t> RunLengthPixels(Pattern& pattern, std::int32_t width,
                                          std::int32_t height, bool rle4) {
    std::vector<std::uint8_t> data;
    const auto pixel = [&] {
        return static_cast<std::uint8_t>(rle4 ? pattern.Below(16) * 17 : pattern.Below(256));
    };
    for (std::int32_t y = 0; y < height; ++y) {
        std::int32_t x = 0;
        while (x < width) {
            const std::int32_t left = width - x;
            if (left >= 3 && pattern.Below(4) == 0) {
                const std::int32_t count = 3 + static_cast<std::int32_t>(
                                                   pattern.Below(std::min(left, 255) - 2));
                data.push_back(0);
                data.push_back(static_cast<std::uint8_t>(count));
                const std::int32_t bytes = rle4 ? (count + 1) / 2 : count;
                for (std::int32_t i = 0; i < bytes; ++i) data.push_back(static_cast<std::uint8_t>(pattern.Next()));
                if (bytes % 2 != 0) data.push_back(0);
                x += count;
            } else {
                const std::int32_t count =
                    1 + static_cast<std::int32_t>(pattern.Below(std::min(left, 40)));
                data.push_back(static_cast<std::uint8_t>(count));
                data.push_back(pixel());
                x += count;
            }
        }
        data.push_back(0);
        data.push_back(y + 1 == height ? 1 : 0);
    }
    return data;
}

std::vector<std::uint8_t> NoiseBytes(Pattern& pattern, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    // Mostly small counts and escape codes, so the noise moves about the picture.
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(pattern.Below(4) == 0 ? pattern.Below(4) : pattern.Next());
    return bytes;
}

}  // namespace

std::vector<TextureForm> AllTextureForms() {
    return {TextureForm::Rgb24,         TextureForm::Rgb24TopDown,  TextureForm::Rgb32,
            TextureForm::Rgb32Masks,    TextureForm::Rgb32OddMasks, TextureForm::Rgb555,
            TextureForm::Rgb565,        TextureForm::Rgb16OddMasks, TextureForm::Pal8,
            TextureForm::Pal8FewColours, TextureForm::Pal8Core,     TextureForm::Pal4,
            TextureForm::Pal1,          TextureForm::Rle8,          TextureForm::Rle4,
            TextureForm::RleNoise};
}

const char* TextureFormName(TextureForm form) {
    switch (form) {
        case TextureForm::Rgb24: return "rgb24";
        case TextureForm::Rgb24TopDown: return "rgb24-topdown";
        case TextureForm::Rgb32: return "rgb32";
        case TextureForm::Rgb32Masks: return "rgb32-masks";
        case TextureForm::Rgb32OddMasks: return "rgb32-odd-masks";
        case TextureForm::Rgb555: return "rgb555";
        case TextureForm::Rgb565: return "rgb565";
        case TextureForm::Rgb16OddMasks: return "rgb16-odd-masks";
        case TextureForm::Pal8: return "pal8";
        case TextureForm::Pal8FewColours: return "pal8-few-colours";
        case TextureForm::Pal8Core: return "pal8-core";
        case TextureForm::Pal4: return "pal4";
        case TextureForm::Pal1: return "pal1";
        case TextureForm::Rle8: return "rle8";
        case TextureForm::Rle4: return "rle4";
        case TextureForm::RleNoise: return "rle-noise";
    }
    return "?";
}

std::vector<std::uint8_t> TextureFile(TextureForm form, std::int32_t width, std::int32_t height,
                                      std::uint32_t seed) {
    Pattern pattern(seed * 2654435761u + static_cast<std::uint32_t>(form));
    BmpBuilder b;
    b.Size(width, height);
    switch (form) {
        case TextureForm::Rgb24:
            b.Bits(24).Pixels(PlainPixels(pattern, width, height, 24));
            break;
        case TextureForm::Rgb24TopDown:
            b.Size(width, -height).Bits(24).Pixels(PlainPixels(pattern, width, height, 24));
            break;
        case TextureForm::Rgb32:
            b.Bits(32).Pixels(PlainPixels(pattern, width, height, 32));
            break;
        case TextureForm::Rgb32Masks:
            b.Bits(32).Compression(kBiBitfields).Masks(0x00FF0000, 0x0000FF00, 0x000000FF);
            b.Pixels(PlainPixels(pattern, width, height, 32));
            break;
        case TextureForm::Rgb32OddMasks:
            b.Bits(32).Compression(kBiBitfields).Masks(0x3FF00000, 0x000FFC00, 0x000003FF);
            b.Pixels(PlainPixels(pattern, width, height, 32));
            break;
        case TextureForm::Rgb555:
            b.Bits(16).Pixels(PlainPixels(pattern, width, height, 16));
            break;
        case TextureForm::Rgb565:
            b.Bits(16).Compression(kBiBitfields).Masks(0xF800, 0x07E0, 0x001F);
            b.Pixels(PlainPixels(pattern, width, height, 16));
            break;
        case TextureForm::Rgb16OddMasks:
            b.Bits(16).Compression(kBiBitfields).Masks(0x0F00, 0x00F0, 0x000F);
            b.Pixels(PlainPixels(pattern, width, height, 16));
            break;
        case TextureForm::Pal8:
            b.Bits(8).Table(Colours(pattern, 256)).Pixels(PlainPixels(pattern, width, height, 8));
            break;
        case TextureForm::Pal8FewColours:
            b.Bits(8).ClrUsed(20).Table(Colours(pattern, 20));
            b.Pixels(PlainPixels(pattern, width, height, 8));
            break;
        case TextureForm::Pal8Core:
            b.Core().Bits(8).Table(Colours(pattern, 256));
            b.Pixels(PlainPixels(pattern, width, height, 8));
            break;
        case TextureForm::Pal4:
            b.Bits(4).Table(Colours(pattern, 16)).Pixels(PlainPixels(pattern, width, height, 4));
            break;
        case TextureForm::Pal1:
            b.Bits(1).Table(Colours(pattern, 2)).Pixels(PlainPixels(pattern, width, height, 1));
            break;
        case TextureForm::Rle8:
        case TextureForm::Rle4: {
            const bool rle4 = form == TextureForm::Rle4;
            std::vector<std::uint8_t> data = RunLengthPixels(pattern, width, height, rle4);
            b.Bits(rle4 ? 4 : 8).Compression(rle4 ? kBiRle4 : kBiRle8);
            b.Table(Colours(pattern, rle4 ? 16 : 256)).SizeImage(static_cast<std::uint32_t>(data.size()));
            b.Pixels(std::move(data));
            break;
        }
        case TextureForm::RleNoise:
            b.Bits(8).Compression(kBiRle8).ClrUsed(100).Table(Colours(pattern, 100));
            b.Pixels(NoiseBytes(pattern, static_cast<std::size_t>(width) * height / 3 + 16));
            break;
    }
    return b.Build();
}

}  // namespace mosaren::testing
