#pragma once

// The sizes the block tests run over: the default, even and odd sides, one pixel, a standing and
// a flat tile, the lowest and the highest rise.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "tiling/tile_geometry.h"

namespace mosaren::testing {

struct BlockSize {
    const char* name;
    std::uint8_t width;
    std::uint8_t height;
    std::int32_t rise;

    TileGeometry Geometry() const { return TileGeometry{width, height, rise}; }
    TTileSettings Settings() const {
        TTileSettings settings;
        settings.TileWidth = width;
        settings.TileHeight = height;
        return settings;
    }
};

inline const BlockSize kBlockSizes[] = {
    {"Default", 72, 36, 24},    {"EvenLowest", 64, 32, 1}, {"Odd", 33, 17, 10},
    {"OnePixel", 1, 1, 1},      {"Standing", 20, 60, 40},  {"Flat", 255, 10, 5},
    {"Largest", 255, 255, 255}, {"OddTall", 7, 3, 200},
};

inline void PrintTo(const BlockSize& size, std::ostream* os) { *os << size.name; }

inline std::string BlockSizeName(const ::testing::TestParamInfo<BlockSize>& info) {
    return info.param.name;
}

}  // namespace mosaren::testing
