#pragma once

// Texture files of every form the BMP reader takes, for tests and benchmarks that want many
// different files: the headers laid out by BmpBuilder, the pixels a seeded pattern of runs and
// noise, so that no two seeds give the same file and run-length data compresses as a real
// picture's does.

#include <cstdint>
#include <string>
#include <vector>

namespace mosaren::testing {

enum class TextureForm {
    Rgb24,          // 24 bits, bottom row first
    Rgb24TopDown,   // 24 bits, a negative height
    Rgb32,          // 32 bits, plain
    Rgb32Masks,     // 32 bits with the usual colour masks
    Rgb32OddMasks,  // 32 bits with 10-bit channels
    Rgb555,         // 16 bits, plain
    Rgb565,         // 16 bits with the 5-6-5 masks
    Rgb16OddMasks,  // 16 bits with 4-bit channels
    Pal8,           // 8 bits, 256 colours
    Pal8FewColours, // 8 bits, 20 colours and indices past them
    Pal8Core,       // 8 bits, a 12-byte core header and 3-byte entries
    Pal4,           // 4 bits, 16 colours
    Pal1,           // 1 bit, 2 colours
    Rle8,           // 8 bits, run-length encoded
    Rle4,           // 4 bits, run-length encoded
    RleNoise,       // 8 bits, run-length "data" that is noise: runs past edges, deltas, early ends
};

std::vector<TextureForm> AllTextureForms();
const char* TextureFormName(TextureForm form);

// The bytes of a width × height texture file of that form; the seed picks the pattern.
std::vector<std::uint8_t> TextureFile(TextureForm form, std::int32_t width, std::int32_t height,
                                      std::uint32_t seed);

}  // namespace mosaren::testing
