#include "bmp_picture.h"

#include <algorithm>
#include <stdexcept>

#include "files.h"

namespace mosaren::testing {

namespace {

std::uint32_t Load(const std::vector<std::uint8_t>& in, std::size_t at, int bytes) {
    if (at + static_cast<std::size_t>(bytes) > in.size()) {
        throw std::runtime_error("BMP file too short");
    }
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint32_t{in[at + i]} << (8 * i);
    return value;
}

std::uint8_t WidenFiveBits(std::uint32_t level) {
    return static_cast<std::uint8_t>((level * 255 + 15) / 31);
}

}  // namespace

TColor BmpPicture::At(int x, int y) const {
    return pixels.at(static_cast<std::size_t>(y) * width + x);
}

bool BmpPicture::Contains(TColor colour) const {
    return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
}

bool BmpPicture::OnlyHolds(std::initializer_list<TColor> colours) const {
    return std::all_of(pixels.begin(), pixels.end(), [&](TColor c) {
        return std::find(colours.begin(), colours.end(), c) != colours.end();
    });
}

BmpPicture DecodeBmp(const std::vector<std::uint8_t>& file) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') {
        throw std::runtime_error("not a BMP file");
    }
    BmpPicture picture;
    const std::uint32_t offset = Load(file, 10, 4);
    picture.width = static_cast<std::int32_t>(Load(file, 18, 4));
    const auto storedHeight = static_cast<std::int32_t>(Load(file, 22, 4));
    picture.height = storedHeight < 0 ? -storedHeight : storedHeight;
    picture.bitCount = static_cast<int>(Load(file, 28, 2));
    if (Load(file, 30, 4) != 0 ||
        (picture.bitCount != 16 && picture.bitCount != 24 && picture.bitCount != 32)) {
        throw std::runtime_error("not a plain BMP file of 16, 24 or 32 bits");
    }
    const std::size_t bytesPerPixel = static_cast<std::size_t>(picture.bitCount) / 8;
    const std::size_t stride = (picture.width * bytesPerPixel + 3) / 4 * 4;
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        // A positive height stores the bottom row first.
        const int memoryRow = storedHeight > 0 ? picture.height - 1 - y : y;
        const std::size_t rowStart = offset + memoryRow * stride;
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t at = rowStart + x * bytesPerPixel;
            TColor c = 0;
            if (bytesPerPixel == 2) {
                const std::uint32_t word = Load(file, at, 2);
                c = Rgb(WidenFiveBits((word >> 10) & 31), WidenFiveBits((word >> 5) & 31),
                        WidenFiveBits(word & 31));
            } else {
                c = Rgb(static_cast<std::uint8_t>(Load(file, at + 2, 1)),
                        static_cast<std::uint8_t>(Load(file, at + 1, 1)),
                        static_cast<std::uint8_t>(Load(file, at, 1)));
            }
            picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = c;
        }
    }
    return picture;
}

BmpPicture ReadBmpPicture(const std::filesystem::path& path) {
    try {
        return DecodeBmp(FileBytes(path));
    } catch (const std::runtime_error& failure) {
        throw std::runtime_error(path.string() + ": " + failure.what());
    }
}

}  // namespace mosaren::testing
