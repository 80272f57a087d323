#pragma once

// Texture and tile files for tests, written and read here byte by byte so that a fault in the
// program's own reader or writer cannot hide in its own test data. Textures are 24 or 32 bits
// per pixel, bottom row first; tiles are read back in the plain 16 (5-5-5), 24 and 32 bit forms
// the writer gives them.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace mosaren::testing {

// 0x00BBGGRR, as the program's colour values.
using Colour = std::uint32_t;
constexpr Colour ColourOf(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour{r} | (Colour{g} << 8) | (Colour{b} << 16);
}

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write test file " + path.string());
    }
}

namespace detail {
inline void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    // Wider fields than four bytes (the header's run of zeros) take zeros past the value.
    for (int i = 0; i < bytes; ++i) {
        out.push_back(i < 4 ? static_cast<std::uint8_t>(value >> (8 * i)) : 0);
    }
}
inline std::uint32_t Get(const std::vector<std::uint8_t>& in, std::size_t at, int bytes) {
    if (at + static_cast<std::size_t>(bytes) > in.size()) {
        throw std::runtime_error("BMP file too short");
    }
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= std::uint32_t{in[at + i]} << (8 * i);
    }
    return value;
}
}  // namespace detail

// An uncompressed texture file of 24 or 32 bits per pixel, each pixel's colour from colourAt.
inline void WriteTexture(const std::filesystem::path& path, std::int32_t width,
                         std::int32_t height, const std::function<Colour(int x, int y)>& colourAt,
                         int bitCount = 24) {
    const std::uint32_t bytesPerPixel = static_cast<std::uint32_t>(bitCount) / 8;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * bytesPerPixel + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    detail::Put(out, 54 + imageSize, 4);
    detail::Put(out, 0, 4);
    detail::Put(out, 54, 4);
    detail::Put(out, 40, 4);
    detail::Put(out, static_cast<std::uint32_t>(width), 4);
    detail::Put(out, static_cast<std::uint32_t>(height), 4);
    detail::Put(out, 1, 2);
    detail::Put(out, static_cast<std::uint32_t>(bitCount), 2);
    detail::Put(out, 0, 4);
    detail::Put(out, imageSize, 4);
    detail::Put(out, 0, 16);
    for (int y = height - 1; y >= 0; --y) {  // bottom row first
        const std::size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            const Colour c = colourAt(x, y);
            out.push_back(static_cast<std::uint8_t>(c >> 16));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
            out.push_back(static_cast<std::uint8_t>(c));
            if (bytesPerPixel == 4) {
                out.push_back(0);
            }
        }
        out.resize(rowStart + stride, 0);
    }
    WriteBytes(path, out);
}

inline void WriteSolidTexture(const std::filesystem::path& path, std::int32_t width,
                              std::int32_t height, Colour colour) {
    WriteTexture(path, width, height, [colour](int, int) { return colour; });
}

// What a tile file holds, with its pixels as colours from the top-left, row by row.
struct TileFile {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::vector<Colour> pixels;

    Colour At(int x, int y) const { return pixels.at(static_cast<std::size_t>(y) * width + x); }
    bool Contains(Colour colour) const {
        for (Colour c : pixels) {
            if (c == colour) return true;
        }
        return false;
    }
    // Every pixel is one of the given colours.
    bool OnlyHolds(std::initializer_list<Colour> colours) const {
        for (Colour c : pixels) {
            bool known = false;
            for (Colour allowed : colours) known = known || c == allowed;
            if (!known) return false;
        }
        return true;
    }
};

inline TileFile ReadTileFile(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> in = FileBytes(path);
    if (in.size() < 54 || in[0] != 'B' || in[1] != 'M') {
        throw std::runtime_error("not a BMP file: " + path.string());
    }
    TileFile tile;
    const std::uint32_t offset = detail::Get(in, 10, 4);
    tile.width = static_cast<std::int32_t>(detail::Get(in, 18, 4));
    const auto storedHeight = static_cast<std::int32_t>(detail::Get(in, 22, 4));
    tile.height = storedHeight < 0 ? -storedHeight : storedHeight;
    tile.bitCount = static_cast<int>(detail::Get(in, 28, 2));
    tile.compression = detail::Get(in, 30, 4);
    if (tile.compression != 0 ||
        (tile.bitCount != 16 && tile.bitCount != 24 && tile.bitCount != 32)) {
        throw std::runtime_error("unexpected tile form in " + path.string());
    }
    const std::size_t bytesPerPixel = static_cast<std::size_t>(tile.bitCount) / 8;
    const std::size_t stride = (tile.width * bytesPerPixel + 3) / 4 * 4;
    tile.pixels.resize(static_cast<std::size_t>(tile.width) * tile.height);
    for (int y = 0; y < tile.height; ++y) {
        const int memoryRow = storedHeight > 0 ? tile.height - 1 - y : y;
        const std::size_t rowStart = offset + memoryRow * stride;
        for (int x = 0; x < tile.width; ++x) {
            const std::size_t at = rowStart + x * bytesPerPixel;
            Colour c = 0;
            if (bytesPerPixel == 2) {
                // 5 bits each, widened by repeating the top bits.
                const std::uint32_t word = detail::Get(in, at, 2);
                const auto widen = [](std::uint32_t five) {
                    return static_cast<std::uint8_t>((five << 3) | (five >> 2));
                };
                c = ColourOf(widen((word >> 10) & 31), widen((word >> 5) & 31), widen(word & 31));
            } else {
                c = ColourOf(static_cast<std::uint8_t>(detail::Get(in, at + 2, 1)),
                             static_cast<std::uint8_t>(detail::Get(in, at + 1, 1)),
                             static_cast<std::uint8_t>(detail::Get(in, at, 1)));
            }
            tile.pixels[static_cast<std::size_t>(y) * tile.width + x] = c;
        }
    }
    return tile;
}

// A folder of its own for one test, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "mosaren-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        mPath = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }
    std::string operator/(const std::string& name) const { return (mPath / name).string(); }
    // The names of the files in the folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(mPath)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path mPath;
};

}  // namespace mosaren::testing
