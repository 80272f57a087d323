#pragma once

// What the differential fuzzer and the replay do with one input: the tiles of one texture file
// made by the tile engine and by the tile maker must be the same bytes, or both fail the same
// way. The last four bytes of the input choose how (display depth, the batch's tile or the
// single-texture command's pieces, tile size, mask, and whether its block is compared too); the
// bytes before them are the file.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "raster/bmp_sampler.h"
#include "raster/display_depth.h"
#include "tiling/support/tile_comparison.h"

namespace mosaren::fuzz {

// Pictures larger than this are left to the engine alone: the tile maker would take seconds to
// make them, and their headers are as well tried at any smaller size.
inline constexpr std::int64_t kComparedPixels = std::int64_t{1} << 22;

// Returns the difference found, or an empty text when the two agree.
inline std::string CompareTileEngineOnce(std::span<const std::uint8_t> input) {
    if (input.size() < 4) return {};
    const std::uint8_t* choice = input.data() + input.size() - 4;
    const std::span<const std::uint8_t> file = input.first(input.size() - 4);

    static const int depths[] = {32, 24, 16};
    SetDisplayDepth(depths[choice[0] % 3]);
    const bool pieces = (choice[0] & 0x80) != 0;
    static TTileSettings settings;
    settings.TileWidth = static_cast<std::uint8_t>(choice[1] == 0 ? 72 : choice[1]);
    settings.TileHeight = static_cast<std::uint8_t>(choice[2] == 0 ? 36 : choice[2]);
    settings.MaskR = choice[3];
    settings.MaskG = static_cast<std::uint8_t>(255 - choice[3]);
    settings.MaskB = static_cast<std::uint8_t>(choice[3] * 7);
    settings.PiecesAcross = 1 + choice[1] % 4;
    settings.PiecesDown = 1 + choice[2] % 3;

    // One file per process, on a memory file system where there is one.
    static const std::string path =
        (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                   : std::filesystem::temp_directory_path()) /
        ("mosaren-fuzz-" + std::to_string(::getpid()) + ".bmp");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));

    // Made once and never destroyed, as in a long batch: the maker's bitmaps must outlive the
    // drawing state they register with, whatever order the program's statics go in.
    static TileEngine& engine = *new TileEngine(settings, DisplayDepth());
    static TileMaker& maker = *new TileMaker(settings);
    bool compared = true;
    BmpSampler sampler;
    try {
        sampler.Open(path, DisplayDepth());
        if (std::int64_t{sampler.Width()} * sampler.Height() > kComparedPixels) {
            // A large picture of one bit per pixel the batch's engine reads whole, as the maker.
            if (!pieces && sampler.IsMonochrome()) return {};
            compared = false;
        }
    } catch (const Exception&) {
    }
    const testing::TilesMade fast = pieces ? testing::PieceTilesByEngine(settings, path)
                                           : testing::BatchTileByEngine(engine, settings, path);
    if (!compared) return {};
    const testing::TilesMade reference = pieces ? testing::PieceTilesByMaker(settings, path)
                                                : testing::BatchTileByMaker(maker, path);
    if (!(fast == reference)) return testing::Difference(reference, fast);
    // Bit 0x40: its block too, raised by 1 to 64 with faces and shades from the choice, the
    // left face from the texture itself, gathered against the maker's BlockMaker.
    if ((choice[0] & 0x40) == 0) return {};
    BlockSettings block;
    block.height = 1 + choice[3] % 64;
    for (std::size_t f = 0; f < kBlockFaceCount; ++f) {
        block.faces[f] = FaceLook{((choice[1] >> f) & 1) == 0,
                                  static_cast<std::int32_t>(choice[2]) * (kWholeShade / 255)};
    }
    if ((choice[0] & 0x20) != 0) block.leftTexture = path;
    const testing::TilesMade blockReference = testing::BlockByMaker(settings, block, path);
    const testing::TilesMade blockFast = testing::BlockByEngine(settings, block, path);
    if (blockFast == blockReference) return {};
    return "block: " + testing::Difference(blockReference, blockFast);
}

}  // namespace mosaren::fuzz
