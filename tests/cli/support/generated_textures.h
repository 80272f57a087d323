#pragma once

// Textures generated texel by texel for the smooth tests: kept as the independent reference
// reads them and written as the program reads them, a PNG file with alpha or a 24-bit BMP file.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <random>

#include "support/bmp_builder.h"
#include "support/png_picture.h"
#include "support/smooth_reference.h"

namespace mosaren::testing {

using Texel = std::array<std::uint8_t, 4>;
using TexelAt = std::function<Texel(int x, int y, std::mt19937& random)>;

inline Texel Opaque(int r, int g, int b) {
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
            static_cast<std::uint8_t>(b), 255};
}

inline Texel Noise(int, int, std::mt19937& r) {
    return Opaque(int(r() % 256), int(r() % 256), int(r() % 256));
}

// A side × side texture of texel's texels from the top-left, drawn with a generator seeded by
// seed; withAlpha false makes every texel opaque.
inline ReferenceTexture MakeTexture(int side, const TexelAt& texel, unsigned seed,
                                    bool withAlpha = true) {
    ReferenceTexture texture{side, side, {}};
    std::mt19937 random(seed);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            Texel t = texel(x, y, random);
            if (!withAlpha) t[3] = 255;
            texture.rgba.insert(texture.rgba.end(), t.begin(), t.end());
        }
    }
    return texture;
}

// Writes the texture as a PNG file (png) or a 24-bit BMP file of its colours.
inline void WriteTextureFile(const std::filesystem::path& path, const ReferenceTexture& texture,
                             bool png) {
    if (png) {
        WriteRgbaPng(path, texture.width, texture.height, texture.rgba);
        return;
    }
    WriteTexture(path, texture.width, texture.height, [&](int x, int y) {
        const std::uint8_t* t = texture.Texel(x, y);
        return Rgb(t[0], t[1], t[2]);
    });
}

}  // namespace mosaren::testing
